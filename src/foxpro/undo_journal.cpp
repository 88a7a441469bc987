#include "foxpro/undo_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "foxpro/error.h"
#include "foxpro/locks.h"

namespace foxpro {

namespace {

// A journal starts with this line; then entries of
// kind, file, offset (8 bytes), length (4), checksum (4), bytes (length).
// Kinds: 'N' the file's name, 'S' its size at the start (offset), 'P' bytes
// kept from `offset`. Files: 'D' the DBF, 'C' the CDX, 'F' the FPT.
constexpr std::string_view kMagic = "QUINTARA UNDO 1\n";
constexpr std::size_t kEntryHead = 18;

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

std::uint32_t checksum(std::string_view head, std::string_view bytes)
{
    std::uint32_t h = 2166136261u;
    for (std::string_view part : {head, bytes})
        for (char c : part) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
    return h;
}

void putLe(std::string& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t getLe(std::string_view in, std::size_t at, int bytes)
{
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    return value;
}

std::string entry(char kind, char file, std::uint64_t offset, std::string_view bytes)
{
    std::string head{kind, file};
    putLe(head, offset, 8);
    putLe(head, bytes.size(), 4);
    std::string out = head;
    putLe(out, checksum(head, bytes), 4);
    out.append(bytes);
    return out;
}

std::string folderOf(const std::string& path)
{
    const std::string dir = std::filesystem::path(path).parent_path().string();
    return dir.empty() ? std::string(".") : dir;
}

void writeFully(int fd, std::uint64_t offset, std::string_view bytes, const std::string& path)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Error(path, systemError("cannot write"));
        done += static_cast<std::size_t>(n);
    }
}

std::string readRange(int fd, std::uint64_t offset, std::size_t length, const std::string& path)
{
    std::string out(length, '\0');
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, out.data() + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw Error(path, systemError("cannot read"));
        if (n == 0) break;
        done += static_cast<std::size_t>(n);
    }
    out.resize(done);
    return out;
}

std::uint64_t sizeOf(int fd, const std::string& path)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw Error(path, systemError("cannot read the file size"));
    return static_cast<std::uint64_t>(st.st_size);
}

void syncFd(int fd, const std::string& path)
{
    if (::fsync(fd) != 0) throw Error(path, systemError("cannot make the file durable"));
}

void syncFolder(const std::string& path)
{
    const std::string folder = folderOf(path);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throw Error(folder, systemError("cannot open the folder"));
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    if (!ok) throw Error(folder, systemError("cannot make the folder durable"));
}

class Fd {
public:
    Fd(const std::string& path, int flags) : fd_(::open(path.c_str(), flags | O_CLOEXEC, 0644)) {}
    ~Fd()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

struct KeptBytes {
    std::uint64_t offset;
    std::string bytes;
};

struct FileUndo {
    std::string name;
    std::optional<std::uint64_t> size;
    std::vector<KeptBytes> kept;
};

// Reads the entries up to the first one a crash left incomplete: the part
// written before the change began is complete (it was renamed into place).
std::map<char, FileUndo> readJournal(const std::string& path, const std::string& text)
{
    if (text.substr(0, kMagic.size()) != kMagic) throw Error(path, "the undo journal is damaged");
    std::map<char, FileUndo> files;
    std::size_t at = kMagic.size();
    while (at + kEntryHead <= text.size()) {
        const std::string_view view(text);
        const std::size_t length = getLe(view, at + 10, 4);
        if (at + kEntryHead + length > text.size()) break;
        const std::string_view head = view.substr(at, 14);
        const std::string_view bytes = view.substr(at + kEntryHead, length);
        if (checksum(head, bytes) != getLe(view, at + 14, 4)) break;
        FileUndo& file = files[text[at + 1]];
        const std::uint64_t offset = getLe(view, at + 2, 8);
        switch (text[at]) {
            case 'N':
                file.name = std::string(bytes);
                break;
            case 'S':
                file.size = offset;
                break;
            case 'P':
                file.kept.push_back({offset, std::string(bytes)});
                break;
            default:
                throw Error(path, "the undo journal is damaged");
        }
        at += kEntryHead + length;
    }
    for (const auto& [letter, file] : files)
        if (file.name.empty() || file.name.find('/') != std::string::npos)
            throw Error(path, "the undo journal is damaged");
    return files;
}

void restoreFile(const std::string& folder, const FileUndo& undo, bool lockIndex)
{
    const std::string path = folder + "/" + undo.name;
    Fd fd(path, O_RDWR);
    if (fd.get() < 0) {
        if (errno == ENOENT) return;
        throw Error(path, systemError("cannot open to undo an unfinished change"));
    }
    RangeLock lock;
    if (lockIndex)
        lock = RangeLock::acquireWaiting(fd.get(), LockLayout::kCdxByte, 1, true, path,
                                         "the index is locked by another user");
    // Bytes kept twice: the earlier copy is the one from before the change.
    for (auto it = undo.kept.rbegin(); it != undo.kept.rend(); ++it)
        writeFully(fd.get(), it->offset, it->bytes, path);
    if (undo.size && sizeOf(fd.get(), path) > *undo.size &&
        ::ftruncate(fd.get(), static_cast<off_t>(*undo.size)) != 0)
        throw Error(path, systemError("cannot cut the file back"));
    syncFd(fd.get(), path);
}

}  // namespace

UndoJournal::~UndoJournal()
{
    close();
}

std::string UndoJournal::pathFor(const std::string& dbfPath)
{
    return dbfPath + ".undo";
}

bool UndoJournal::existsFor(const std::string& dbfPath)
{
    struct stat st {};
    return ::stat(pathFor(dbfPath).c_str(), &st) == 0;
}

void UndoJournal::close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    kept_.clear();
}

void UndoJournal::start(const std::string& dbfPath, const std::string& cdxPath, const std::string& fptPath)
{
    close();
    dbfPath_ = dbfPath;
    path_ = pathFor(dbfPath);
    std::string text(kMagic);
    {
        Fd dbf(dbfPath, O_RDONLY);
        if (dbf.get() < 0) throw Error(dbfPath, systemError("cannot open the table"));
        const std::string header = readRange(dbf.get(), 0, 32, dbfPath);
        if (header.size() < 32)
            throw Error(dbfPath, "the file is truncated: too short to hold a table header");
        countAtStart_ = static_cast<std::uint32_t>(getLe(header, 4, 4));
        headerLength_ = static_cast<std::uint32_t>(getLe(header, 8, 2));
        recordLength_ = static_cast<std::uint32_t>(getLe(header, 10, 2));
        text += entry('N', 'D', 0, std::filesystem::path(dbfPath).filename().string());
        text += entry('P', 'D', 0, header);
        // The end-of-file mark that the first new record overwrites.
        const std::uint64_t end = headerLength_ + static_cast<std::uint64_t>(countAtStart_) * recordLength_;
        text += entry('P', 'D', end, readRange(dbf.get(), end, 1, dbfPath));
    }
    for (const auto& [letter, path, whole] :
         {std::tuple{'C', cdxPath, true}, std::tuple{'F', fptPath, false}}) {
        if (path.empty()) continue;
        Fd fd(path, O_RDONLY);
        if (fd.get() < 0) throw Error(path, systemError("cannot open"));
        const std::uint64_t size = sizeOf(fd.get(), path);
        text += entry('N', letter, 0, std::filesystem::path(path).filename().string());
        text += entry('S', letter, size, {});
        text += entry('P', letter, 0,
                      readRange(fd.get(), 0, whole ? size : std::min<std::uint64_t>(size, 512), path));
    }
    const std::string draft = path_ + ".tmp";
    {
        Fd out(draft, O_WRONLY | O_CREAT | O_TRUNC);
        if (out.get() < 0) throw Error(draft, systemError("cannot write the undo journal"));
        try {
            writeFully(out.get(), 0, text, draft);
            syncFd(out.get(), draft);
        } catch (...) {
            ::unlink(draft.c_str());
            throw;
        }
    }
    if (std::rename(draft.c_str(), path_.c_str()) != 0) {
        const std::string reason = systemError("cannot write the undo journal");
        ::unlink(draft.c_str());
        throw Error(path_, reason);
    }
    syncFolder(path_);
    fd_ = ::open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd_ < 0) throw Error(path_, systemError("cannot open the undo journal"));
}

void UndoJournal::keepRecord(std::uint32_t recno, std::string_view bytes)
{
    keepRecords({{recno, bytes}});
}

void UndoJournal::keepRecords(const std::vector<std::pair<std::uint32_t, std::string_view>>& records)
{
    if (fd_ < 0) return;
    std::string entries;
    std::vector<std::uint32_t> added;
    for (const auto& [recno, bytes] : records) {
        if (recno > countAtStart_ || kept_.count(recno)) continue;
        entries +=
            entry('P', 'D', headerLength_ + static_cast<std::uint64_t>(recno - 1) * recordLength_, bytes);
        added.push_back(recno);
    }
    if (entries.empty()) return;
    appendEntries(entries);
    kept_.insert(added.begin(), added.end());
}

void UndoJournal::appendEntries(const std::string& entries)
{
    std::size_t done = 0;
    while (done < entries.size()) {
        const ssize_t n = ::write(fd_, entries.data() + done, entries.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Error(path_, systemError("cannot write the undo journal"));
        done += static_cast<std::size_t>(n);
    }
    if (::fdatasync(fd_) != 0) throw Error(path_, systemError("cannot make the undo journal durable"));
}

void UndoJournal::discard()
{
    close();
    if (::unlink(path_.c_str()) != 0 && errno != ENOENT)
        throw Error(path_, systemError("cannot remove the undo journal"));
    syncFolder(path_);
}

bool UndoJournal::rollBack(const std::string& dbfPath)
{
    const std::string path = pathFor(dbfPath);
    Fd fd(path, O_RDONLY);
    if (fd.get() < 0) {
        if (errno == ENOENT) return false;
        throw Error(path, systemError("cannot read the undo journal"));
    }
    const std::map<char, FileUndo> files =
        readJournal(path, readRange(fd.get(), 0, sizeOf(fd.get(), path), path));
    const std::string folder = folderOf(dbfPath);
    // The index first: until the record count goes back, the records it no
    // longer names are only seen in physical order.
    for (char letter : {'C', 'F', 'D'}) {
        auto it = files.find(letter);
        if (it != files.end()) restoreFile(folder, it->second, letter == 'C');
    }
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw Error(path, systemError("cannot remove the undo journal"));
    syncFolder(path);
    return true;
}

}  // namespace foxpro
