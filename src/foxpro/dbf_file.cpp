#include "foxpro/dbf_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "foxpro/write_faults.h"

namespace foxpro {

namespace {

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

std::uint64_t roundUpToPage(std::uint64_t n)
{
    const std::uint64_t page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    return (n + page - 1) / page * page;
}

}  // namespace

DbfFile::~DbfFile()
{
    close();
}

DbfFile::DbfFile(DbfFile&& o) noexcept
    : path_(std::move(o.path_)),
      fd_(std::exchange(o.fd_, -1)),
      writable_(o.writable_),
      header_(std::move(o.header_)),
      map_(std::exchange(o.map_, nullptr)),
      mapCapacity_(std::exchange(o.mapCapacity_, 0)),
      knownSize_(o.knownSize_),
      tail_(std::move(o.tail_)),
      tailFirst_(std::exchange(o.tailFirst_, 0xFFFFFFFFu)),
      edited_(std::move(o.edited_))
{
}

DbfFile& DbfFile::operator=(DbfFile&& o) noexcept
{
    if (this != &o) {
        close();
        path_ = std::move(o.path_);
        fd_ = std::exchange(o.fd_, -1);
        writable_ = o.writable_;
        header_ = std::move(o.header_);
        map_ = std::exchange(o.map_, nullptr);
        mapCapacity_ = std::exchange(o.mapCapacity_, 0);
        knownSize_ = o.knownSize_;
        tail_ = std::move(o.tail_);
        tailFirst_ = std::exchange(o.tailFirst_, 0xFFFFFFFFu);
        edited_ = std::move(o.edited_);
    }
    return *this;
}

void DbfFile::open(const std::string& path, bool writable)
{
    close();
    path_ = path;
    fd_ = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd_ < 0) throw Error(path, systemError("cannot open the table"));
    writable_ = writable;
    try {
        struct stat st {};
        if (fstat(fd_, &st) != 0) throw Error(path, systemError("cannot read the file size"));
        if (!S_ISREG(st.st_mode)) throw Error(path, "not a regular file");
        knownSize_ = static_cast<std::uint64_t>(st.st_size);
        char first[32];
        if (knownSize_ < 32) throw Error(path, "the file is truncated: too short to hold a table header");
        readAt(0, first, sizeof first);
        const std::uint16_t headerLength = DbfHeader::peekHeaderLength({first, sizeof first});
        // A header cut short is read as far as it goes: parsing reports
        // what is wrong with it (a foreign file's version byte first).
        std::string bytes(
            std::clamp<std::uint64_t>(knownSize_, 32, std::max<std::uint16_t>(headerLength, 32)), '\0');
        readAt(0, bytes.data(), bytes.size());
        header_ = DbfHeader::parse(bytes, path);
        const std::uint64_t needed = recordEnd(header_.recordCount);
        // Another user may have appended since the size was read: records
        // reach the file before the count, so the size read now covers it.
        if (knownSize_ < needed && fstat(fd_, &st) == 0) knownSize_ = static_cast<std::uint64_t>(st.st_size);
        if (knownSize_ < needed)
            throw Error(path, "the header counts " + std::to_string(header_.recordCount) + " records (" +
                                  std::to_string(needed) + " bytes) but the file holds only " +
                                  std::to_string(knownSize_) + " bytes");
        ensureMapped(knownSize_);
    } catch (...) {
        close();
        throw;
    }
}

void DbfFile::create(const std::string& path, const DbfHeader& header)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) throw Error(path, systemError("cannot create the table"));
    std::string bytes = header.serialize();
    bytes.push_back('\x1A');
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), 0);
    const bool ok = n == static_cast<ssize_t>(bytes.size()) && ::fsync(fd) == 0;
    const int err = errno;
    ::close(fd);
    if (!ok) {
        ::unlink(path.c_str());
        errno = err;
        throw Error(path, systemError("cannot write the new table"));
    }
}

void DbfFile::close()
{
    edited_.clear();
    tail_.clear();
    tailFirst_ = 0xFFFFFFFFu;
    if (map_) munmap(const_cast<char*>(map_), mapCapacity_);
    map_ = nullptr;
    mapCapacity_ = 0;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::uint32_t DbfFile::reloadCount()
{
    requireNoDeferred();
    char b[4];
    readAt(4, b, 4);
    std::uint32_t count = 0;
    for (int i = 3; i >= 0; --i) count = count << 8 | static_cast<unsigned char>(b[i]);
    const std::uint64_t needed = recordEnd(count);
    if (needed > knownSize_) knownSize_ = currentFileSize();
    if (needed > knownSize_)
        throw Error(path_, "the header counts " + std::to_string(count) +
                               " records but the file holds only " + std::to_string(knownSize_) + " bytes");
    ensureMapped(knownSize_);
    header_.recordCount = count;
    return count;
}

std::string_view DbfFile::recordIfPresent(std::uint32_t recno)
{
    const std::uint64_t end = recordEnd(recno);
    if (end > knownSize_) knownSize_ = currentFileSize();
    if (end > knownSize_) return {};
    ensureMapped(knownSize_);
    return {map_ + end - header_.recordLength, header_.recordLength};
}

void DbfFile::writeRecord(std::uint32_t recno, std::string_view bytes, bool endMarker)
{
    requireNoDeferred();
    edited_.erase(recno);
    if (bytes.size() != header_.recordLength) throw Error(path_, "internal error: record of wrong length");
    const std::uint64_t at = recordEnd(recno - 1);
    if (endMarker) {
        std::string withMarker(bytes);
        withMarker.push_back('\x1A');
        writeAt(at, withMarker);
    } else {
        writeAt(at, bytes);
    }
    if (at + bytes.size() > knownSize_) knownSize_ = at + bytes.size() + (endMarker ? 1 : 0);
    ensureMapped(knownSize_);
}

void DbfFile::appendDeferred(std::string_view bytes)
{
    if (bytes.size() != header_.recordLength) throw Error(path_, "internal error: record of wrong length");
    if (!writable_) throw Error(path_, "the table is open read-only");
    if (tail_.empty()) tailFirst_ = header_.recordCount + 1;
    tail_.append(bytes);
    ++header_.recordCount;
}

void DbfFile::writeDeferred()
{
    if (tail_.empty()) return;
    tail_.push_back('\x1A');
    const std::uint64_t at = recordEnd(tailFirst_ - 1);
    try {
        writeAt(at, tail_);
    } catch (const Error&) {
        tail_.pop_back();  // the records stay kept for another try
        throw;
    }
    knownSize_ = std::max(knownSize_, at + tail_.size());
    tail_.clear();
    tailFirst_ = 0xFFFFFFFFu;
    ensureMapped(knownSize_);
}

void DbfFile::writeEdited()
{
    while (!edited_.empty()) {
        auto it = edited_.begin();
        writeAt(recordEnd(it->first - 1), it->second);
        edited_.erase(it);
    }
}

void DbfFile::discardDeferred()
{
    if (tail_.empty()) return;
    header_.recordCount = tailFirst_ - 1;
    tail_.clear();
    tailFirst_ = 0xFFFFFFFFu;
}

void DbfFile::requireNoDeferred() const
{
    if (!tail_.empty()) throw Error(path_, "internal error: records kept in memory must be written first");
}

void DbfFile::writeDeletedFlag(std::uint32_t recno, bool deleted)
{
    requireNoDeferred();
    if (edited_.count(recno)) throw Error(path_, "internal error: an edited record must be written first");
    writeAt(recordEnd(recno - 1), deleted ? "*" : " ");
}

void DbfFile::writeCount(std::uint32_t count)
{
    header_.touchDate();
    char b[7] = {static_cast<char>(header_.updateYear), static_cast<char>(header_.updateMonth),
                 static_cast<char>(header_.updateDay)};
    for (int i = 0; i < 4; ++i) b[3 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
    writeAt(1, {b, sizeof b});
    header_.recordCount = count;
}

void DbfFile::sync()
{
    if (fd_ >= 0 && writable_ && ::fsync(fd_) != 0) throw Error(path_, systemError("cannot flush the table"));
}

void DbfFile::ensureMapped(std::uint64_t size)
{
    if (map_ && size <= mapCapacity_) return;
    const std::uint64_t capacity = roundUpToPage(std::max<std::uint64_t>(size + size / 2, 1 << 20));
    void* m = map_ ? mremap(const_cast<char*>(map_), mapCapacity_, capacity, MREMAP_MAYMOVE)
                   : mmap(nullptr, capacity, PROT_READ, MAP_SHARED, fd_, 0);
    if (m == MAP_FAILED) {
        if (!map_) throw Error(path_, systemError("cannot map the table into memory"));
        throw Error(path_, systemError("cannot grow the table's memory map"));
    }
    map_ = static_cast<const char*>(m);
    mapCapacity_ = capacity;
}

std::uint64_t DbfFile::currentFileSize() const
{
    struct stat st {};
    if (fstat(fd_, &st) != 0) throw Error(path_, systemError("cannot read the file size"));
    return static_cast<std::uint64_t>(st.st_size);
}

void DbfFile::writeAt(std::uint64_t offset, std::string_view bytes)
{
    if (!writable_) throw Error(path_, "the table is open read-only");
    if (const int refused = writeHookVerdict(path_)) {
        errno = refused;
        throw Error(path_, systemError("cannot write to the table"));
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Error(path_, systemError("cannot write to the table"));
        done += static_cast<std::size_t>(n);
    }
}

void DbfFile::readAt(std::uint64_t offset, char* out, std::size_t length) const
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd_, out + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw Error(path_, systemError("cannot read the table"));
        if (n == 0) throw Error(path_, "the file is truncated");
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace foxpro
