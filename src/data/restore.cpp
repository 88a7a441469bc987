#include "data/restore.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "data/backup_files.h"
#include "foxpro/error.h"
#include "foxpro/locks.h"

namespace fs = std::filesystem;

namespace quintara {

namespace {

// No file of a data set comes near this; an entry that claims more is not one.
constexpr std::int64_t kLargestFile = std::int64_t{4} << 30;

// A folder beside the archives where the archive is unpacked before anything
// in the data directory changes; removed with everything in it.
class Staging {
public:
    explicit Staging(const fs::path& dataDir)
    {
        const fs::path parent = dataDir / "backup";
        std::error_code ec;
        fs::create_directories(parent, ec);
        std::string name = (parent / ".restore-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr)
            throw BackupError(parent.string() + ": cannot unpack the archive here: " + std::strerror(errno));
        path_ = name;
    }
    ~Staging()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    Staging(const Staging&) = delete;
    Staging& operator=(const Staging&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// Refuses every entry name but a plain file name: the archive may come from
// anywhere, and nothing in it may land outside the data directory.
void checkEntryName(const std::string& name)
{
    if (name.empty()) throw BackupError("an entry has no name");
    if (name.front() == '/' || name.front() == '\\' || (name.size() > 1 && name[1] == ':'))
        throw BackupError("entry '" + name + "' has an absolute path");
    std::size_t start = 0;
    int parts = 0;
    while (start <= name.size()) {
        const std::size_t end = name.find_first_of("/\\", start);
        const std::string part =
            name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..") throw BackupError("entry '" + name + "' leads out of the data directory");
        if (!part.empty() && part != ".") ++parts;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    if (parts != 1 || name.find_first_of("/\\") != std::string::npos)
        throw BackupError("entry '" + name +
                          "' is in a sub-folder; backups hold only the files of the folder");
    if (!isDataSetFile(name))
        throw BackupError("entry '" + name + "' is not a table, index, memo or calculation memo file");
}

void checkEntryType(archive_entry* entry, const std::string& name)
{
    if (archive_entry_hardlink(entry) != nullptr || archive_entry_symlink(entry) != nullptr ||
        archive_entry_filetype(entry) == AE_IFLNK)
        throw BackupError("entry '" + name + "' is a link");
    if (archive_entry_filetype(entry) != AE_IFREG)
        throw BackupError("entry '" + name + "' is not a plain file");
    if (archive_entry_size_is_set(entry) && archive_entry_size(entry) > kLargestFile)
        throw BackupError("entry '" + name + "' is too large for a data file");
}

class ArchiveReader {
public:
    explicit ArchiveReader(const fs::path& path) : a_(archive_read_new())
    {
        if (!a_) throw BackupError("cannot start reading an archive");
        archive_read_support_format_all(a_);
        archive_read_support_filter_all(a_);
        if (archive_read_open_filename(a_, path.c_str(), 65536) != ARCHIVE_OK) {
            // The destructor does not run for a constructor that throws.
            const char* why = archive_error_string(a_);
            const std::string message = why ? why : "the archive cannot be read";
            archive_read_free(a_);
            throw BackupError(message);
        }
    }
    ~ArchiveReader() { archive_read_free(a_); }
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // The next entry, or nullptr at the end.
    archive_entry* next()
    {
        archive_entry* entry = nullptr;
        const int r = archive_read_next_header(a_, &entry);
        if (r == ARCHIVE_EOF) return nullptr;
        if (r != ARCHIVE_OK) fail();
        return entry;
    }

    // Writes the current entry's data to a new file at `target`.
    void extractTo(const fs::path& target, const std::string& name)
    {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) throw BackupError(target.string() + ": " + std::strerror(errno));
        std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* f) {
            ::close(*f);
            delete f;
        });
        char buffer[65536];
        std::int64_t total = 0;
        for (;;) {
            const la_ssize_t n = archive_read_data(a_, buffer, sizeof buffer);
            if (n == 0) break;
            if (n < 0) fail();
            total += n;
            if (total > kLargestFile) throw BackupError("entry '" + name + "' is too large for a data file");
            for (la_ssize_t done = 0; done < n;) {
                const ssize_t w = ::write(fd, buffer + done, static_cast<std::size_t>(n - done));
                if (w < 0) throw BackupError(target.string() + ": " + std::strerror(errno));
                done += w;
            }
        }
        if (::fsync(fd) != 0) throw BackupError(target.string() + ": " + std::strerror(errno));
    }

private:
    [[noreturn]] void fail()
    {
        const char* why = archive_error_string(a_);
        throw BackupError(why ? why : "the archive is damaged");
    }
    struct archive* a_;
};

// Unpacks the archive into `staging` after checking every entry; returns the
// file names it held.
std::vector<std::string> unpackChecked(const fs::path& archive, const fs::path& staging)
{
    ArchiveReader reader(archive);
    std::vector<std::string> names;
    std::set<std::string> seen;
    bool hasTable = false;
    while (archive_entry* entry = reader.next()) {
        const char* raw = archive_entry_pathname(entry);
        const std::string name = raw ? raw : "";
        checkEntryType(entry, name);
        checkEntryName(name);
        if (!seen.insert(upperAscii(name)).second) throw BackupError("entry '" + name + "' is there twice");
        reader.extractTo(staging / name, name);
        hasTable = hasTable || upperAscii(name).ends_with(".DBF");
        names.push_back(name);
    }
    if (!hasTable) throw BackupError("it holds no table");
    return names;
}

// Exclusive hold on every table present: the same lock an exclusive open
// takes, so the restore is refused while any program has a table open, and no
// program opens the old files while they are being replaced.
class DataSetLock {
public:
    explicit DataSetLock(const fs::path& dataDir)
    {
        try {
            lockTables(dataDir);
        } catch (...) {
            release();
            throw;
        }
    }
    ~DataSetLock() { release(); }
    DataSetLock(const DataSetLock&) = delete;
    DataSetLock& operator=(const DataSetLock&) = delete;

private:
    void lockTables(const fs::path& dataDir)
    {
        for (const fs::path& file : dataSetFiles(dataDir)) {
            if (!upperAscii(file.filename().string()).ends_with(".DBF")) continue;
            const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
            if (fd < 0) throw BackupError(file.string() + ": cannot be opened: " + std::strerror(errno));
            fds_.push_back(fd);
            locks_.push_back(foxpro::RangeLock::acquire(
                fd, foxpro::LockLayout::kOpenByte, 1, true, file.string(),
                "the table is open in another program; close it before restoring"));
        }
    }
    void release()
    {
        locks_.clear();
        for (int fd : fds_) ::close(fd);
        fds_.clear();
    }

    std::vector<int> fds_;
    std::vector<foxpro::RangeLock> locks_;
};

void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

RestoreOutcome replaceDataSet(const fs::path& dataDir, const fs::path& staging,
                              const std::vector<std::string>& names)
{
    RestoreOutcome outcome;
    const std::set<std::string> wanted(names.begin(), names.end());
    // What came after the backup goes first, journals included: a journal
    // left beside a restored table would be replayed over it by the next
    // opener.
    for (const fs::path& file : dataSetFiles(dataDir)) {
        if (wanted.contains(file.filename().string())) continue;
        std::error_code ec;
        if (!fs::remove(file, ec) && ec)
            throw BackupError(file.string() + ": cannot be removed: " + ec.message());
        ++outcome.removed;
    }
    for (const std::string& name : names) {
        std::error_code ec;
        fs::rename(staging / name, dataDir / name, ec);
        if (ec) throw BackupError((dataDir / name).string() + ": cannot be replaced: " + ec.message());
        ++outcome.restored;
    }
    syncFolder(dataDir);
    return outcome;
}

}  // namespace

RestoreOutcome restoreBackup(const fs::path& dataDir, const fs::path& archive, int keep)
{
    const std::string context = "cannot restore " + dataDir.string() + " from " + archive.string() + ": ";
    std::error_code ec;
    if (!fs::is_directory(dataDir, ec)) throw BackupError(context + "the data directory is not a folder");
    if (!fs::is_regular_file(archive, ec)) throw BackupError(context + "the archive is not a file");
    try {
        const Staging staging(dataDir);
        const std::vector<std::string> names = unpackChecked(archive, staging.path());
        const DataSetLock lock(dataDir);
        const fs::path safety = writeBackupArchive(dataDir);
        pruneBackups(dataDir, keep, archive);
        RestoreOutcome outcome = replaceDataSet(dataDir, staging.path(), names);
        outcome.safetyCopy = safety;
        return outcome;
    } catch (const foxpro::Error& e) {
        throw BackupError(context + e.what());
    } catch (const BackupError& e) {
        throw BackupError(context + e.what());
    }
}

}  // namespace quintara
