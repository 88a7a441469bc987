// Byte-range locks on table files, and where FoxPro puts them. The locks are
// taken on the open file description (Linux OFD locks), so two Table objects
// in one process exclude each other just as two processes do.
#pragma once

#include <cstdint>
#include <string>

namespace foxpro {

// Tries to lock [start, start + length) without waiting. Returns false when
// another holder has a conflicting lock; throws foxpro::Error for any other
// failure (naming `file`).
bool tryLockRange(int fd, std::uint64_t start, std::uint64_t length, bool exclusive, const std::string& file);
void unlockRange(int fd, std::uint64_t start, std::uint64_t length);

// A lock released when the object goes away (or on release()).
class RangeLock {
public:
    RangeLock() = default;
    RangeLock(int fd, std::uint64_t start, std::uint64_t length) : fd_(fd), start_(start), length_(length) {}
    ~RangeLock() { release(); }
    RangeLock(RangeLock&& o) noexcept : fd_(o.fd_), start_(o.start_), length_(o.length_) { o.fd_ = -1; }
    RangeLock& operator=(RangeLock&& o) noexcept;
    RangeLock(const RangeLock&) = delete;
    RangeLock& operator=(const RangeLock&) = delete;

    // Locks or throws foxpro::Error(file, message) when held elsewhere.
    static RangeLock acquire(int fd, std::uint64_t start, std::uint64_t length, bool exclusive,
                             const std::string& file, const std::string& message);
    // For locks that are only held for a moment (header, index, memo):
    // retries for up to `waitMs` milliseconds before throwing.
    static RangeLock acquireWaiting(int fd, std::uint64_t start, std::uint64_t length, bool exclusive,
                                    const std::string& file, const std::string& message, int waitMs = 10000);
    bool held() const { return fd_ >= 0; }
    void release();

private:
    int fd_ = -1;
    std::uint64_t start_ = 0;
    std::uint64_t length_ = 0;
};

// The lock offsets of one table's DBF. Tables with a structural CDX use the
// high scheme (records counted down from 0x7FFFFFFE); others lock at
// 0x40000000 plus the record's file offset.
class LockLayout {
public:
    LockLayout() = default;
    LockLayout(bool withCdx, std::uint32_t headerLength, std::uint32_t recordLength)
        : withCdx_(withCdx), headerLength_(headerLength), recordLength_(recordLength)
    {
    }
    std::uint64_t recordByte(std::uint32_t recno) const;
    std::uint64_t fileStart() const { return withCdx_ ? 0x77FFFFFFull : 0x40000001ull; }
    std::uint64_t fileLength() const { return withCdx_ ? 0x07FFFFFFull : 0x3FFFFFFDull; }
    std::uint64_t headerByte() const { return withCdx_ ? 0x7FFFFFFEull : 0x40000000ull; }
    // Held shared by every opener and exclusively by an exclusive one, so an
    // exclusive open fails while anyone else has the table open.
    static constexpr std::uint64_t kOpenByte = 0x7FFFFFFFull;
    // CDX: one byte, shared while reading, exclusive while writing.
    static constexpr std::uint64_t kCdxByte = 0x7FFFFFFEull;
    // FPT: one byte at 0, exclusive while allocating and writing a memo.
    static constexpr std::uint64_t kMemoByte = 0;

private:
    bool withCdx_ = true;
    std::uint32_t headerLength_ = 0;
    std::uint32_t recordLength_ = 0;
};

}  // namespace foxpro
