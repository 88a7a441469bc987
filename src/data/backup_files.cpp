#include "data/backup_files.h"

#include <algorithm>
#include <array>

#include "data/backup.h"

namespace fs = std::filesystem;

namespace quintara {

std::string upperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool isDataSetFile(const std::string& fileName)
{
    // The tables and their companions, then what the table engine leaves
    // beside them while a change is under way: the undo journal of a bulk
    // change, the journal and new files of a pack, the redo journal of an
    // index commit.
    static const std::array<std::string, 10> endings{".DBF",      ".CDX",      ".FPT",        ".CLC",
                                                     ".DBF.UNDO", ".DBF.PACK", ".CDX.COMMIT", ".DBF.TMP",
                                                     ".FPT.TMP",  ".CDX.TMP"};
    const std::string name = upperAscii(fileName);
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) return false;
    return std::any_of(endings.begin(), endings.end(), [&](const std::string& end) {
        return name.size() > end.size() && name.ends_with(end);
    });
}

std::vector<fs::path> dataSetFiles(const fs::path& dataDir)
{
    std::vector<fs::path> files;
    std::error_code ec;
    fs::directory_iterator it(dataDir, ec);
    if (ec) throw BackupError(dataDir.string() + ": cannot be read: " + ec.message());
    for (const auto& entry : it) {
        if (!entry.is_regular_file(ec) || entry.is_symlink(ec)) continue;
        if (isDataSetFile(entry.path().filename().string())) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace quintara
