#include "foxpro/cdx_commit_journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "foxpro/cdx_page.h"
#include "foxpro/error.h"

namespace foxpro::cdx {

namespace {

// Layout: magic, block count (u32), then per block its offset (u32) and 512
// bytes, then a checksum (u64) of everything before it. Little-endian.
constexpr char kMagic[8] = {'Q', 'C', 'D', 'X', 'J', 'R', 'N', '1'};
constexpr std::size_t kEntryBytes = 4 + kPageSize;

std::function<void()>& hook()
{
    static std::function<void()> h;
    return h;
}

std::uint64_t checksum(const std::string& bytes)
{
    std::uint64_t h = 14695981039346656037ULL;  // FNV-1a
    for (char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return h;
}

void putLE(std::string& out, std::uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint64_t getLE(const std::string& in, std::size_t at, int bytes)
{
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    return v;
}

void writeAll(int fd, const char* data, std::size_t size, off_t at, const std::string& file, const char* what)
{
    std::size_t done = 0;
    while (done < size) {
        ssize_t n = ::pwrite(fd, data + done, size - done, at + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Error(file, std::string(what) + ": " + std::strerror(n < 0 ? errno : ENOSPC));
        done += static_cast<std::size_t>(n);
    }
}

bool readAll(const std::string& path, std::string& out)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return true;
}

}  // namespace

std::string commitJournalPath(const std::string& cdxPath)
{
    return cdxPath + ".commit";
}

void setCommitWriteHook(std::function<void()> h)
{
    hook() = std::move(h);
}

void commitWritePoint()
{
    if (hook()) hook()();
}

void writeCommitJournal(const std::string& cdxPath, const std::vector<JournalBlock>& blocks)
{
    std::string bytes(kMagic, sizeof kMagic);
    bytes.reserve(sizeof kMagic + 12 + blocks.size() * kEntryBytes);
    putLE(bytes, blocks.size(), 4);
    for (const JournalBlock& b : blocks) {
        putLE(bytes, b.offset, 4);
        bytes.append(*b.bytes, 0, kPageSize);
    }
    putLE(bytes, checksum(bytes), 8);
    const std::string path = commitJournalPath(cdxPath);
    commitWritePoint();
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        throw Error(cdxPath, std::string("cannot write the index's commit journal: ") + std::strerror(errno));
    try {
        writeAll(fd, bytes.data(), bytes.size(), 0, cdxPath, "cannot write the index's commit journal");
    } catch (...) {
        ::close(fd);
        ::unlink(path.c_str());
        throw;
    }
    ::close(fd);
    commitWritePoint();
}

void removeCommitJournal(const std::string& cdxPath)
{
    commitWritePoint();
    ::unlink(commitJournalPath(cdxPath).c_str());
    commitWritePoint();
}

bool recoverCommitJournal(const std::string& cdxPath, int fd)
{
    const std::string path = commitJournalPath(cdxPath);
    std::string bytes;
    if (!readAll(path, bytes)) return false;
    const std::size_t head = sizeof kMagic + 4;
    bool complete = bytes.size() >= head + 8 && std::memcmp(bytes.data(), kMagic, sizeof kMagic) == 0;
    const std::uint64_t count = complete ? getLE(bytes, sizeof kMagic, 4) : 0;
    complete = complete && bytes.size() == head + count * kEntryBytes + 8 &&
               getLE(bytes, bytes.size() - 8, 8) == checksum(bytes.substr(0, bytes.size() - 8));
    if (complete) {
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = head + i * kEntryBytes;
            const auto offset = static_cast<off_t>(getLE(bytes, at, 4));
            writeAll(fd, bytes.data() + at + 4, kPageSize, offset, cdxPath,
                     "cannot finish the index change cut short");
        }
    }
    ::unlink(path.c_str());
    return complete;
}

}  // namespace foxpro::cdx
