#include "foxpro/cdx_store.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "foxpro/cdx_commit_journal.h"
#include "foxpro/cdx_file.h"
#include "foxpro/error.h"
#include "foxpro/locks.h"

namespace foxpro::cdx {

namespace {

constexpr std::size_t kCacheLimit = 32768;  // blocks kept while nothing is pending (16 MB)
constexpr std::size_t kNodeLimit = 2048;    // decoded leaves kept
constexpr std::uint32_t kFreeListAt = 4;
constexpr std::uint32_t kCounterAt = 8;
constexpr std::size_t kRunLimit = IOV_MAX < 256 ? IOV_MAX : 256;  // blocks per write call

std::uint32_t blockOf(std::uint32_t offset)
{
    return offset - offset % kPageSize;
}

std::uint32_t bigEndian(const volatile unsigned char* b)
{
    return (std::uint32_t{b[0]} << 24) | (std::uint32_t{b[1]} << 16) | (std::uint32_t{b[2]} << 8) | b[3];
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
    fresh_ = false;
    fd_ = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd_ < 0) fail(std::string("cannot open the index file: ") + std::strerror(errno));
    writable_ = writable;
    struct stat st {};
    if (::fstat(fd_, &st) != 0)
        fail(std::string("cannot read the index file's size: ") + std::strerror(errno));
    size_ = static_cast<std::uint64_t>(st.st_size);
    if (writable && recoverAbandoned() && ::fstat(fd_, &st) == 0)
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
    mapHeader();
    counter_ = counterOnDisk();
    untrusted_ = false;
}

// A commit another process left half-done is finished (or dropped) here
// when nobody else is committing: with the index lock held by the caller,
// or when it can be taken at once.
bool CdxStore::recoverAbandoned()
{
    if (::access(commitJournalPath(path_).c_str(), F_OK) != 0) return false;
    if (locked_) return recoverCommitJournal(path_, fd_);
    if (!tryLockRange(fd_, LockLayout::kCdxByte, 1, true, path_)) return false;
    bool replayed = false;
    try {
        replayed = recoverCommitJournal(path_, fd_);
    } catch (...) {
        unlockRange(fd_, LockLayout::kCdxByte, 1);
        throw;
    }
    unlockRange(fd_, LockLayout::kCdxByte, 1);
    return replayed;
}

void CdxStore::createNew(const std::string& path)
{
    close();
    path_ = path;
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd_ < 0) fail(std::string("cannot create the index file: ") + std::strerror(errno));
    writable_ = true;
    fresh_ = true;
    size_ = 0;
    counter_ = 0;
}

void CdxStore::close()
{
    unmapHeader();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    releaseAll();
}

// The first block stays mapped so that the change counter can be compared
// without a system call; a failed map only costs that shortcut.
void CdxStore::mapHeader()
{
    void* p = ::mmap(nullptr, kPageSize, PROT_READ, MAP_SHARED, fd_, 0);
    header_ = p == MAP_FAILED ? nullptr : static_cast<const unsigned char*>(p);
}

void CdxStore::unmapHeader()
{
    if (header_) ::munmap(const_cast<unsigned char*>(header_), kPageSize);
    header_ = nullptr;
}

void CdxStore::checkPageOffset(std::uint32_t offset, const char* what) const
{
    if (offset % kPageSize != 0 || offset < kPageSize ||
        static_cast<std::uint64_t>(offset) + kPageSize > size_)
        fail(std::string(what) + " points to offset " + std::to_string(offset) +
             ", outside the index file (" + std::to_string(size_) +
             " bytes; the index is damaged; reindex the table)");
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

CdxStore::Slot& CdxStore::slotFor(std::uint32_t offset)
{
    const std::size_t index = offset / kPageSize;
    if (index >= slots_.size()) slots_.resize(index + 1);
    return slots_[index];
}

std::string_view CdxStore::block(std::uint32_t offset)
{
    if (fd_ < 0) fail("the index file is not open");
    if (offset % kPageSize != 0 || static_cast<std::uint64_t>(offset) + kPageSize > size_)
        fail("block at offset " + std::to_string(offset) + " lies outside the index file (" +
             std::to_string(size_) + " bytes)");
    if (offset / kPageSize < slots_.size() && !slots_[offset / kPageSize].bytes.empty())
        return slots_[offset / kPageSize].bytes;
    if (cacheOnly_) throw CdxNotCached{};
    if (cached_ >= kCacheLimit && dirty_.empty() && !inChange_) dropClean();
    std::string bytes = readFromFile(offset);
    Slot& s = slotFor(offset);
    s.bytes = std::move(bytes);
    ++cached_;
    if (!locked_) untrusted_ = true;
    return s.bytes;
}

void CdxStore::writeBlock(std::uint32_t offset, std::string bytes)
{
    if (!writable_) fail("the index file is open read-only");
    bytes.resize(kPageSize, '\0');
    if (static_cast<std::uint64_t>(offset) + kPageSize > size_)
        size_ = static_cast<std::uint64_t>(offset) + kPageSize;
    const std::uint32_t index = offset / kPageSize;
    Slot& s = slotFor(offset);
    if (s.bytes.empty()) ++cached_;
    if (inChange_ &&
        std::none_of(saved_.begin(), saved_.end(), [&](const Saved& v) { return v.block == index; }))
        saved_.push_back({index, Slot{std::move(s.bytes), nullptr, 0, 0, s.dirty, false}});
    s.bytes = std::move(bytes);
    s.node.reset();
    s.checked = false;
    if (!s.dirty) dirty_.push_back(index);
    s.dirty = true;
    ++generation_;
}

std::shared_ptr<Node> CdxStore::node(std::uint32_t offset, const KeyShape& shape) const
{
    const std::size_t index = offset / kPageSize;
    if (index >= slots_.size()) return nullptr;
    const Slot& s = slots_[index];
    if (!s.node || s.nodeLength != shape.length || s.nodeFill != shape.fill) return nullptr;
    return s.node;
}

void CdxStore::keepNode(std::uint32_t offset, const KeyShape& shape, std::shared_ptr<Node> node)
{
    const std::size_t index = offset / kPageSize;
    if (index >= slots_.size() || slots_[index].bytes.empty()) return;
    if (nodes_ >= kNodeLimit && !inChange_) dropNodes();
    Slot& s = slots_[index];
    s.node = std::move(node);
    s.nodeLength = shape.length;
    s.nodeFill = shape.fill;
    ++nodes_;
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
        checkFreeList(head);
        writeU32(kFreeListAt, readU32(head));
        return head;
    }
    std::uint64_t end = (size_ + kPageSize - 1) / kPageSize * kPageSize;
    if (end + kPageSize > 0xFFFFFE00ULL) fail("the index file would grow beyond 4 GB");
    auto offset = static_cast<std::uint32_t>(end);
    writeBlock(offset, std::string(kPageSize, '\0'));
    return offset;
}

// Follows the free list to its end: a list that loops, or that is longer
// than the file has pages, would hand out a page still in use.
void CdxStore::checkFreeList(std::uint32_t head)
{
    const std::uint64_t limit = size_ / kPageSize;
    std::uint64_t steps = 0;
    for (std::uint32_t page = head; page != 0 && page != kNoPage; page = readU32(page)) {
        checkPageOffset(page, "the free page list");
        if (++steps > limit) fail("the free page list loops (it passes offset " + std::to_string(page) + ")");
    }
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

void CdxStore::dropClean()
{
    for (Slot& s : slots_)
        if (!s.dirty) s = Slot{};
    cached_ = dirty_.size();
    nodes_ = 0;
    ++generation_;
}

// Leaves are dropped; interior nodes, few and used by every search, stay.
void CdxStore::dropNodes()
{
    nodes_ = 0;
    for (Slot& s : slots_) {
        if (!s.node) continue;
        if (s.node->leaf() || inChange_)
            s.node.reset();
        else
            ++nodes_;
    }
}

void CdxStore::releaseAll()
{
    slots_.clear();
    dirty_.clear();
    saved_.clear();
    inChange_ = false;
    cached_ = 0;
    nodes_ = 0;
    ++generation_;
}

void CdxStore::truncateAll()
{
    releaseAll();
    unmapHeader();
    if (::ftruncate(fd_, 0) != 0)
        fail(std::string("cannot empty the index file for rebuilding: ") + std::strerror(errno));
    fresh_ = true;
    size_ = 0;
}

std::uint32_t CdxStore::counterOnDisk()
{
    if (header_) return bigEndian(header_ + kCounterAt);
    unsigned char b[4] = {0, 0, 0, 0};
    if (::pread(fd_, b, 4, kCounterAt) != 4) fail("cannot read the index file's change counter");
    return bigEndian(b);
}

void CdxStore::begin()
{
    if (nodes_ >= kNodeLimit) dropNodes();
    saved_.clear();
    sizeAtBegin_ = size_;
    inChange_ = true;
}

void CdxStore::end()
{
    saved_.clear();
    inChange_ = false;
}

void CdxStore::undo()
{
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
        Slot& s = slots_[it->block];
        if (s.dirty && !it->slot.dirty) dirty_.erase(std::find(dirty_.begin(), dirty_.end(), it->block));
        s = std::move(it->slot);
    }
    saved_.clear();
    inChange_ = false;
    size_ = sizeAtBegin_;
    for (Slot& s : slots_) s.node.reset();
    nodes_ = 0;
    ++generation_;
}

void CdxStore::writeRun(const std::vector<std::uint32_t>& blocks, std::size_t from, std::size_t to)
{
    std::vector<iovec> parts;
    parts.reserve(to - from);
    for (std::size_t i = from; i < to; ++i) {
        Slot& s = slots_[blocks[i]];
        parts.push_back(iovec{s.bytes.data(), kPageSize});
    }
    const off_t start = static_cast<off_t>(blocks[from]) * kPageSize;
    std::size_t total = (to - from) * kPageSize;
    std::size_t done = 0;
    std::size_t first = 0;
    while (done < total) {
        ssize_t n = ::pwritev(fd_, parts.data() + first, static_cast<int>(parts.size() - first),
                              start + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0)
            fail("cannot write the index file at offset " + std::to_string(start + static_cast<off_t>(done)) +
                 ": " + std::strerror(errno));
        done += static_cast<std::size_t>(n);
        auto left = static_cast<std::size_t>(n);
        while (left > 0 && first < parts.size()) {
            if (left >= parts[first].iov_len) {
                left -= parts[first].iov_len;
                ++first;
            } else {
                parts[first].iov_base = static_cast<char*>(parts[first].iov_base) + left;
                parts[first].iov_len -= left;
                left = 0;
            }
        }
    }
}

void CdxStore::commit()
{
    if (dirty_.empty()) {
        end();
        return;
    }
    ++counter_;
    std::string head(block(0));
    for (int i = 0; i < 4; ++i) head[kCounterAt + i] = static_cast<char>((counter_ >> (8 * (3 - i))) & 0xFF);
    Slot& h = slotFor(0);
    h.bytes = std::move(head);
    if (!h.dirty) dirty_.push_back(0);
    h.dirty = true;
    std::sort(dirty_.begin(), dirty_.end());
    // The journal first: a kill from here on leaves a change that the next
    // process finishes or drops whole. A file being built from empty needs
    // none (it replaces nothing until it is complete).
    if (!fresh_) {
        std::vector<JournalBlock> blocks;
        blocks.reserve(dirty_.size());
        for (std::uint32_t b : dirty_) blocks.push_back({b * kPageSize, &slots_[b].bytes});
        writeCommitJournal(path_, blocks);
    }
    // Block 0 (the counter) goes first: a reader that sees the old counter
    // has seen none of this change.
    for (std::size_t from = 0; from < dirty_.size();) {
        std::size_t to = from + 1;
        while (to < dirty_.size() && dirty_[to] == dirty_[to - 1] + 1 && to - from < kRunLimit) ++to;
        commitWritePoint();
        writeRun(dirty_, from, to);
        commitWritePoint();
        from = to;
    }
    if (!fresh_) removeCommitJournal(path_);
    for (std::uint32_t b : dirty_) slots_[b].dirty = false;
    dirty_.clear();
    end();
}

void CdxStore::rollback()
{
    for (std::uint32_t b : dirty_) slots_[b] = Slot{};
    dirty_.clear();
    saved_.clear();
    inChange_ = false;
    for (Slot& s : slots_) s.node.reset();
    nodes_ = 0;
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
    // Whatever was cached predates a change finished here.
    const bool finished = locked_ && writable_ && dirty_.empty() && recoverAbandoned();
    if (finished) {
        if (::fstat(fd_, &st) != 0)
            fail(std::string("cannot read the index file's size: ") + std::strerror(errno));
        counter = counterOnDisk();
    }
    auto size = static_cast<std::uint64_t>(st.st_size);
    if (!finished && counter == counter_ && size == size_) {
        untrusted_ = false;
        return false;
    }
    if (!dirty_.empty()) fail("the index file was changed by another program while changes were pending");
    counter_ = counter;
    size_ = size;
    slots_.clear();
    cached_ = 0;
    nodes_ = 0;
    untrusted_ = false;
    ++generation_;
    return true;
}

bool CdxStore::cacheCurrent() const
{
    return header_ && !untrusted_ && dirty_.empty() && bigEndian(header_ + kCounterAt) == counter_;
}

}  // namespace foxpro::cdx
