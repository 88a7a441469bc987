#include "foxpro/pack_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "foxpro/error.h"

namespace foxpro {

namespace {

std::string folderOf(const std::string& path)
{
    const std::string dir = std::filesystem::path(path).parent_path().string();
    return dir.empty() ? std::string(".") : dir;
}

std::string nameOf(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

void syncPath(const std::string& path, bool directory)
{
    const int fd = ::open(path.c_str(), (directory ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd < 0) throw Error(path, std::string("cannot open to make it durable: ") + std::strerror(errno));
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    if (!ok) throw Error(path, std::string("cannot make the file durable: ") + std::strerror(errno));
}

bool exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string packJournalPath(const std::string& dbfPath)
{
    return dbfPath + ".pack";
}

void writePackJournal(const std::string& dbfPath, const std::vector<FileReplacement>& steps)
{
    std::ostringstream text;
    for (const FileReplacement& step : steps) {
        syncPath(step.from, false);
        text << nameOf(step.from) << '\t' << nameOf(step.to) << '\n';
    }
    const std::string journal = packJournalPath(dbfPath);
    const std::string draft = journal + ".tmp";
    {
        std::ofstream out(draft, std::ios::binary | std::ios::trunc);
        out << text.str();
        if (!out.flush()) throw Error(draft, "cannot write the pack journal");
    }
    syncPath(draft, false);
    if (std::rename(draft.c_str(), journal.c_str()) != 0)
        throw Error(journal, std::string("cannot write the pack journal: ") + std::strerror(errno));
    syncPath(folderOf(dbfPath), true);
}

void completePackJournal(const std::string& dbfPath)
{
    const std::string journal = packJournalPath(dbfPath);
    std::ifstream in(journal, std::ios::binary);
    if (!in) return;
    const std::string folder = folderOf(dbfPath) + "/";
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos || line.find('/') != std::string::npos)
            throw Error(journal, "the pack journal is damaged: \"" + line + "\"");
        const std::string from = folder + line.substr(0, tab);
        const std::string to = folder + line.substr(tab + 1);
        if (exists(from) && std::rename(from.c_str(), to.c_str()) != 0 && errno != ENOENT)
            throw Error(to, std::string("cannot finish an interrupted pack: ") + std::strerror(errno));
    }
    in.close();
    syncPath(folderOf(dbfPath), true);
    if (::unlink(journal.c_str()) != 0 && errno != ENOENT)
        throw Error(journal, std::string("cannot remove the pack journal: ") + std::strerror(errno));
    syncPath(folderOf(dbfPath), true);
}

}  // namespace foxpro
