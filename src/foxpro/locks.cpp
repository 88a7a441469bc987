#include "foxpro/locks.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "foxpro/error.h"

namespace foxpro {

namespace {

int setLock(int fd, short type, std::uint64_t start, std::uint64_t length)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = static_cast<off_t>(start);
    fl.l_len = static_cast<off_t>(length);
    fl.l_pid = 0;  // required for OFD locks
    while (true) {
        if (fcntl(fd, F_OFD_SETLK, &fl) == 0) return 0;
        if (errno != EINTR) return errno;
    }
}

}  // namespace

bool tryLockRange(int fd, std::uint64_t start, std::uint64_t length, bool exclusive, const std::string& file)
{
    const int err = setLock(fd, exclusive ? F_WRLCK : F_RDLCK, start, length);
    if (err == 0) return true;
    if (err == EAGAIN || err == EACCES) return false;
    throw Error(file, std::string("cannot lock the file: ") + std::strerror(err));
}

void unlockRange(int fd, std::uint64_t start, std::uint64_t length)
{
    setLock(fd, F_UNLCK, start, length);
}

RangeLock& RangeLock::operator=(RangeLock&& o) noexcept
{
    if (this != &o) {
        release();
        fd_ = o.fd_;
        start_ = o.start_;
        length_ = o.length_;
        o.fd_ = -1;
    }
    return *this;
}

RangeLock RangeLock::acquire(int fd, std::uint64_t start, std::uint64_t length, bool exclusive,
                             const std::string& file, const std::string& message)
{
    if (!tryLockRange(fd, start, length, exclusive, file)) throw Error(file, message);
    return RangeLock(fd, start, length);
}

RangeLock RangeLock::acquireWaiting(int fd, std::uint64_t start, std::uint64_t length, bool exclusive,
                                    const std::string& file, const std::string& message, int waitMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    auto pause = std::chrono::microseconds(50);
    while (!tryLockRange(fd, start, length, exclusive, file)) {
        if (std::chrono::steady_clock::now() >= deadline) throw Error(file, message);
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(5000));
    }
    return RangeLock(fd, start, length);
}

void RangeLock::release()
{
    if (fd_ >= 0) unlockRange(fd_, start_, length_);
    fd_ = -1;
}

std::uint64_t LockLayout::recordByte(std::uint32_t recno) const
{
    if (withCdx_) return 0x7FFFFFFEull - recno;
    return 0x40000000ull + headerLength_ + static_cast<std::uint64_t>(recno - 1) * recordLength_;
}

}  // namespace foxpro
