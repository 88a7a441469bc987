#include "foxpro/cdx_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "foxpro/cdx_page.h"
#include "foxpro/error.h"

namespace foxpro::cdx {

namespace {

constexpr std::size_t kCacheLimit = 8192;  // blocks kept while nothing is pending
constexpr std::uint32_t kFreeListAt = 4;
constexpr std::uint32_t kCounterAt = 8;

std::uint32_t blockOf(std::uint32_t offset)
{
    return offset - offset % kPageSize;
}

}  // namespace

CdxStore::~CdxStore()
{
    close();
}

void CdxStore::fail(const std::string& message) const
{
    throw Error(path_, message);
}

void CdxStore::open(const std::string& path, bool writable)
{
    close();
    path_ = path;
    fd_ = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd_ < 0) fail(std::string("cannot open the index file: ") + std::strerror(errno));
    writable_ = writable;
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        fail(std::string("cannot read the index file's size: ") + std::strerror(errno));
    size_ = static_cast<std::uint64_t>(st.st_size);
    if (size_ < 2 * kPageSize) {
        close();
        throw Error(path, "the index file is truncated (" + std::to_string(size_) +
                              " bytes; a compound index header alone takes 1024)");
    }
    if (size_ > 0xFFFFFE00ULL) {
        close();
        throw Error(path, "the index file is larger than 4 GB");
    }
    counter_ = counterOnDisk();
}

void CdxStore::createNew(const std::string& path)
{
    close();
    path_ = path;
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ < 0) fail(std::string("cannot create the index file: ") + std::strerror(errno));
    writable_ = true;
    size_ = 0;
    counter_ = 0;
}

void CdxStore::close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    cache_.clear();
    dirty_.clear();
    ++generation_;
}

void CdxStore::checkPageOffset(std::uint32_t offset, const char* what) const
{
    if (offset % kPageSize != 0 || offset < kPageSize ||
        static_cast<std::uint64_t>(offset) + kPageSize > size_)
        fail(std::string(what) + " points to offset " + std::to_string(offset) +
             ", outside the index file (" + std::to_string(size_) + " bytes)");
}

std::string CdxStore::readFromFile(std::uint32_t offset)
{
    std::string bytes(kPageSize, '\0');
    std::size_t done = 0;
    while (done < kPageSize) {
        ssize_t n = ::pread(fd_, bytes.data() + done, kPageSize - done,
                            static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            fail("cannot read the index file at offset " + std::to_string(offset) + ": " +
                 std::strerror(errno));
        if (n == 0) fail("the index file ends inside the block at offset " + std::to_string(offset));
        done += static_cast<std::size_t>(n);
    }
    return bytes;
}

std::string_view CdxStore::block(std::uint32_t offset)
{
    if (fd_ < 0) fail("the index file is not open");
    if (offset % kPageSize != 0 || static_cast<std::uint64_t>(offset) + kPageSize > size_)
        fail("block at offset " + std::to_string(offset) + " lies outside the index file (" +
             std::to_string(size_) + " bytes)");
    auto it = cache_.find(offset);
    if (it == cache_.end()) {
        if (cache_.size() >= kCacheLimit && dirty_.empty()) cache_.clear();
        it = cache_.emplace(offset, readFromFile(offset)).first;
    }
    return it->second;
}

void CdxStore::writeBlock(std::uint32_t offset, std::string bytes)
{
    if (!writable_) fail("the index file is open read-only");
    bytes.resize(kPageSize, '\0');
    if (static_cast<std::uint64_t>(offset) + kPageSize > size_)
        size_ = static_cast<std::uint64_t>(offset) + kPageSize;
    cache_[offset] = std::move(bytes);
    dirty_[offset] = true;
    ++generation_;
}

std::uint32_t CdxStore::readU32(std::uint32_t offset)
{
    std::string_view b = block(blockOf(offset));
    std::size_t at = offset % kPageSize;
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

std::uint16_t CdxStore::readU16(std::uint32_t offset)
{
    std::string_view b = block(blockOf(offset));
    std::size_t at = offset % kPageSize;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      (static_cast<unsigned char>(b[at + 1]) << 8));
}

void CdxStore::writeU32(std::uint32_t offset, std::uint32_t value)
{
    std::string b(block(blockOf(offset)));
    std::size_t at = offset % kPageSize;
    for (int i = 0; i < 4; ++i) {
        b[at + i] = static_cast<char>(value & 0xFF);
        value >>= 8;
    }
    writeBlock(blockOf(offset), std::move(b));
}

std::uint32_t CdxStore::allocate()
{
    std::uint32_t head = readU32(kFreeListAt);
    if (head != 0 && head != kNoPage) {
        checkPageOffset(head, "the free page list");
        std::uint32_t next = readU32(head);
        if (next == head) fail("the free page list loops at offset " + std::to_string(head));
        writeU32(kFreeListAt, next);
        return head;
    }
    std::uint64_t end = (size_ + kPageSize - 1) / kPageSize * kPageSize;
    if (end + kPageSize > 0xFFFFFE00ULL) fail("the index file would grow beyond 4 GB");
    auto offset = static_cast<std::uint32_t>(end);
    writeBlock(offset, std::string(kPageSize, '\0'));
    return offset;
}

void CdxStore::release(std::uint32_t offset)
{
    std::uint32_t head = readU32(kFreeListAt);
    if (head == kNoPage) head = 0;
    std::string page(kPageSize, '\0');
    for (int i = 0; i < 4; ++i) page[i] = static_cast<char>((head >> (8 * i)) & 0xFF);
    writeBlock(offset, std::move(page));
    writeU32(kFreeListAt, offset);
}

void CdxStore::releaseAll()
{
    cache_.clear();
    dirty_.clear();
    ++generation_;
}

void CdxStore::truncateAll()
{
    releaseAll();
    if (::ftruncate(fd_, 0) != 0)
        fail(std::string("cannot empty the index file for rebuilding: ") + std::strerror(errno));
    size_ = 0;
}

std::uint32_t CdxStore::counterOnDisk()
{
    unsigned char b[4] = {0, 0, 0, 0};
    if (::pread(fd_, b, 4, kCounterAt) != 4) fail("cannot read the index file's change counter");
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
}

void CdxStore::commit()
{
    if (dirty_.empty()) return;
    ++counter_;
    std::string head(block(0));
    for (int i = 0; i < 4; ++i) head[kCounterAt + i] = static_cast<char>((counter_ >> (8 * (3 - i))) & 0xFF);
    cache_[0] = head;
    dirty_[0] = true;
    for (const auto& [offset, flag] : dirty_) {
        const std::string& bytes = cache_.at(offset);
        std::size_t done = 0;
        while (done < kPageSize) {
            ssize_t n = ::pwrite(fd_, bytes.data() + done, kPageSize - done,
                                 static_cast<off_t>(offset) + static_cast<off_t>(done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0)
                fail("cannot write the index file at offset " + std::to_string(offset) + ": " +
                     std::strerror(errno));
            done += static_cast<std::size_t>(n);
        }
    }
    dirty_.clear();
}

void CdxStore::rollback()
{
    for (const auto& [offset, flag] : dirty_) cache_.erase(offset);
    dirty_.clear();
    struct stat st {};
    if (fd_ >= 0 && ::fstat(fd_, &st) == 0) size_ = static_cast<std::uint64_t>(st.st_size);
    ++generation_;
}

bool CdxStore::refresh()
{
    if (fd_ < 0) return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        fail(std::string("cannot read the index file's size: ") + std::strerror(errno));
    std::uint32_t counter = counterOnDisk();
    auto size = static_cast<std::uint64_t>(st.st_size);
    if (counter == counter_ && size == size_) return false;
    if (!dirty_.empty()) fail("the index file was changed by another program while changes were pending");
    counter_ = counter;
    size_ = size;
    cache_.clear();
    ++generation_;
    return true;
}

}  // namespace foxpro::cdx
