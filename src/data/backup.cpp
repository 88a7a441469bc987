#include "data/backup.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <optional>
#include <regex>

#include "data/backup_files.h"
#include "data/data_module.h"
#include "data/settings.h"
#include "foxpro/bulk_write.h"
#include "foxpro/error.h"
#include "foxpro/locks.h"

namespace fs = std::filesystem;

namespace quintara {

namespace {

const char* const kBackupFolder = "backup";

// The name a backup archive gets: the local time to the millisecond.
std::string timeStamp()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    std::array<char, 32> text{};
    const std::size_t n = std::strftime(text.data(), text.size(), "%Y%m%d-%H%M%S", &local);
    std::array<char, 8> ms{};
    std::snprintf(ms.data(), ms.size(), "-%03d", static_cast<int>(millis));
    return std::string(text.data(), n) + ms.data();
}

std::string readWholeFile(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw BackupError(path.string() + ": cannot be read: " + std::strerror(errno));
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) break;
        if (n < 0) {
            const std::string why = std::strerror(errno);
            ::close(fd);
            throw BackupError(path.string() + ": cannot be read: " + why);
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return bytes;
}

// Holds, while it lives, what a writer of the table must wait for: a shared
// hold of the table's open byte (no exclusive open, so no pack or reindex,
// can start), a shared lock on its file-lock range (bulk changes and record
// edits hold parts of it exclusively) and the index's read lock. A table
// another program already has open exclusively cannot be waited for (it may
// keep it all day): it is copied as it is.
class TableReadLock {
public:
    TableReadLock(const fs::path& dbf, const std::optional<fs::path>& cdx)
    {
        const std::string busy = "the table is being changed by another user";
        dbfFd_.fd = openForReading(dbf);
        if (!foxpro::tryLockRange(dbfFd_.fd, foxpro::LockLayout::kOpenByte, 1, false, dbf.string())) return;
        openLock_ = foxpro::RangeLock(dbfFd_.fd, foxpro::LockLayout::kOpenByte, 1);
        const foxpro::LockLayout layout(cdx.has_value(), 0, 0);
        dbfLock_ =
            foxpro::RangeLock::acquireWaiting(dbfFd_.fd, layout.fileStart(), layout.fileLength(), false,
                                              dbf.string(), busy, foxpro::BulkWrite::kDefaultWaitMs);
        if (!cdx) return;
        cdxFd_.fd = openForReading(*cdx);
        cdxLock_ = foxpro::RangeLock::acquireWaiting(
            cdxFd_.fd, foxpro::LockLayout::kCdxByte, 1, false, cdx->string(),
            "the index is being changed by another user", foxpro::BulkWrite::kDefaultWaitMs);
    }
    TableReadLock(const TableReadLock&) = delete;
    TableReadLock& operator=(const TableReadLock&) = delete;

private:
    static int openForReading(const fs::path& path)
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) throw BackupError(path.string() + ": cannot be read: " + std::strerror(errno));
        return fd;
    }
    // Declared before the locks, so that the locks go before their files close.
    struct File {
        int fd = -1;
        ~File()
        {
            if (fd >= 0) ::close(fd);
        }
    };
    File dbfFd_;
    File cdxFd_;
    foxpro::RangeLock openLock_;
    foxpro::RangeLock dbfLock_;
    foxpro::RangeLock cdxLock_;
};

// A zip archive being written; every failure throws with libarchive's text.
class ArchiveWriter {
public:
    explicit ArchiveWriter(const fs::path& path) : path_(path), a_(archive_write_new())
    {
        if (!a_) throw BackupError("cannot start an archive");
        if (archive_write_set_format_zip(a_) != ARCHIVE_OK ||
            archive_write_zip_set_compression_deflate(a_) != ARCHIVE_OK ||
            archive_write_open_filename(a_, path.c_str()) != ARCHIVE_OK) {
            // The destructor does not run for a constructor that throws.
            const char* why = archive_error_string(a_);
            const std::string message = path.string() + ": " + (why ? why : "the archive cannot be written");
            archive_write_free(a_);
            throw BackupError(message);
        }
    }
    ~ArchiveWriter()
    {
        if (a_) archive_write_free(a_);
    }
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    void add(const fs::path& file)
    {
        struct stat st {};
        if (::stat(file.c_str(), &st) != 0)
            throw BackupError(file.string() + ": cannot be read: " + std::strerror(errno));
        const std::string bytes = readWholeFile(file);
        std::unique_ptr<archive_entry, void (*)(archive_entry*)> entry(archive_entry_new(),
                                                                       archive_entry_free);
        archive_entry_set_pathname(entry.get(), file.filename().c_str());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), 0644);
        archive_entry_set_size(entry.get(), static_cast<la_int64_t>(bytes.size()));
        archive_entry_set_mtime(entry.get(), st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
        if (archive_write_header(a_, entry.get()) != ARCHIVE_OK) fail();
        std::size_t done = 0;
        while (done < bytes.size()) {
            const la_ssize_t n = archive_write_data(a_, bytes.data() + done, bytes.size() - done);
            if (n <= 0) fail();
            done += static_cast<std::size_t>(n);
        }
    }

    void close()
    {
        if (archive_write_close(a_) != ARCHIVE_OK) fail();
    }

private:
    [[noreturn]] void fail()
    {
        const char* why = archive_error_string(a_);
        throw BackupError(path_.string() + ": " + (why ? why : "the archive cannot be written"));
    }
    fs::path path_;
    struct archive* a_;
};

void syncPath(const fs::path& path, bool folder)
{
    const int fd = ::open(path.c_str(), (folder ? O_RDONLY | O_DIRECTORY : O_RDONLY) | O_CLOEXEC);
    if (fd < 0 || ::fsync(fd) != 0) {
        const std::string why = std::strerror(errno);
        if (fd >= 0) ::close(fd);
        throw BackupError(path.string() + ": cannot be made durable: " + why);
    }
    ::close(fd);
}

// The files of one table (the DBF with its companions and journals) or one
// calculation memo file, grouped by the part of the name before the first dot.
std::map<std::string, std::vector<fs::path>> groupByTable(const std::vector<fs::path>& files)
{
    std::map<std::string, std::vector<fs::path>> groups;
    for (const fs::path& f : files) {
        const std::string name = f.filename().string();
        groups[upperAscii(name.substr(0, name.find('.')))].push_back(f);
    }
    return groups;
}

std::optional<fs::path> withExtension(const std::vector<fs::path>& group, const std::string& stem,
                                      const std::string& ext)
{
    for (const fs::path& f : group)
        if (upperAscii(f.filename().string()) == stem + ext) return f;
    return std::nullopt;
}

void writeArchive(const fs::path& dataDir, const fs::path& target)
{
    ArchiveWriter writer(target);
    for (const auto& [stem, group] : groupByTable(dataSetFiles(dataDir))) {
        const std::optional<fs::path> dbf = withExtension(group, stem, ".DBF");
        std::optional<TableReadLock> lock;
        if (dbf) lock.emplace(*dbf, withExtension(group, stem, ".CDX"));
        for (const fs::path& f : group) writer.add(f);
    }
    writer.close();
}

// Gives the finished archive its name without ever replacing another one.
fs::path publish(const fs::path& written, const fs::path& folder, const std::string& stamp)
{
    for (int n = 1;; ++n) {
        std::string file = stamp;
        if (n > 1) file.append("-").append(std::to_string(n));
        file.append(".zip");
        const fs::path name = folder / file;
        if (::link(written.c_str(), name.c_str()) == 0) {
            ::unlink(written.c_str());
            return name;
        }
        if (errno != EEXIST)
            throw BackupError(name.string() + ": cannot be created: " + std::strerror(errno));
    }
}

struct ArchiveName {
    std::string stamp;
    int counter;
};

std::optional<ArchiveName> parseArchiveName(const std::string& name)
{
    static const std::regex pattern(R"((\d{8}-\d{6}-\d{3})(?:-(\d{1,6}))?\.zip)");
    std::smatch m;
    if (!std::regex_match(name, m, pattern)) return std::nullopt;
    return ArchiveName{m[1].str(), m[2].matched ? std::stoi(m[2].str()) : 1};
}

}  // namespace

std::vector<fs::path> listBackups(const fs::path& dataDir)
{
    std::vector<std::pair<ArchiveName, fs::path>> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dataDir / kBackupFolder, ec)) {
        const auto parsed = parseArchiveName(entry.path().filename().string());
        if (parsed && entry.is_regular_file(ec)) found.emplace_back(*parsed, entry.path());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.stamp != b.first.stamp ? a.first.stamp < b.first.stamp
                                              : a.first.counter < b.first.counter;
    });
    std::vector<fs::path> paths;
    for (auto& [name, path] : found) paths.push_back(std::move(path));
    return paths;
}

void pruneBackups(const fs::path& dataDir, int keep, const fs::path& spare)
{
    // The newest `keep` always stay; of the older ones only `spare` does.
    const std::vector<fs::path> archives = listBackups(dataDir);
    const std::size_t kept = static_cast<std::size_t>(std::max(keep, 1));
    if (archives.size() <= kept) return;
    std::error_code ec;
    for (std::size_t i = 0; i < archives.size() - kept; ++i) {
        if (!spare.empty() && fs::equivalent(archives[i], spare, ec)) continue;
        // An archive that cannot be removed is simply kept one more time.
        fs::remove(archives[i], ec);
    }
}

fs::path writeBackupArchive(const fs::path& dataDir)
{
    const std::string context = "cannot back up the data directory " + dataDir.string() + ": ";
    std::error_code ec;
    if (!fs::is_directory(dataDir, ec)) throw BackupError(context + "it is not a folder");
    const fs::path folder = dataDir / kBackupFolder;
    fs::create_directories(folder, ec);
    if (ec) throw BackupError(context + folder.string() + ": " + ec.message());

    const std::string stamp = timeStamp();
    std::string draftName = (folder / ("." + stamp + "-XXXXXX")).string();
    const int fd = ::mkstemp(draftName.data());
    if (fd < 0) throw BackupError(context + folder.string() + ": " + std::strerror(errno));
    // Readable like the tables it holds (mkstemp makes it private).
    ::fchmod(fd, 0644);
    ::close(fd);
    const fs::path draft = draftName;
    try {
        writeArchive(dataDir, draft);
        syncPath(draft, false);
        const fs::path published = publish(draft, folder, stamp);
        syncPath(folder, true);
        return published;
    } catch (const std::exception& e) {
        fs::remove(draft, ec);
        throw BackupError(context + e.what());
    }
}

fs::path backupBeforeChange(const fs::path& dataDir, int keep)
{
    if (keep < 1)
        throw BackupError("cannot back up the data directory " + dataDir.string() +
                          ": the number of backups to keep must be at least 1");
    const fs::path published = writeBackupArchive(dataDir);
    pruneBackups(dataDir, keep);
    return published;
}

int backupsKept(const Settings* settings)
{
    if (!settings) return kDefaultBackupsKept;
    const std::optional<std::string> text = settings->value(kBackupsKeptKey);
    if (!text) return kDefaultBackupsKept;
    try {
        std::size_t used = 0;
        const int n = std::stoi(*text, &used);
        return used == text->size() && n >= 1 ? n : kDefaultBackupsKept;
    } catch (const std::logic_error&) {
        return kDefaultBackupsKept;
    }
}

fs::path backupBeforeChange(const DataModule& dm)
{
    return backupBeforeChange(dm.tablesDir(), backupsKept(dm.settings()));
}

}  // namespace quintara
