#include "foxpro/memo_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "foxpro/error.h"
#include "foxpro/write_faults.h"

namespace foxpro {

namespace {

std::uint32_t be32(const unsigned char* b)
{
    return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
           static_cast<std::uint32_t>(b[2]) << 8 | b[3];
}

void putBe32(char* b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((v >> (24 - 8 * i)) & 0xFF);
}

std::string systemError(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

void readFully(int fd, std::uint64_t offset, char* out, std::size_t length, const std::string& path)
{
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pread(fd, out + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw Error(path, systemError("cannot read the memo file"));
        if (n == 0) throw Error(path, "the memo file is truncated");
        done += static_cast<std::size_t>(n);
    }
}

void writeFully(int fd, std::uint64_t offset, const char* data, std::size_t length, const std::string& path)
{
    if (const int refused = writeHookVerdict(path)) {
        errno = refused;
        throw Error(path, systemError("cannot write to the memo file"));
    }
    std::size_t done = 0;
    while (done < length) {
        const ssize_t n = ::pwrite(fd, data + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Error(path, systemError("cannot write to the memo file"));
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

MemoFile::~MemoFile()
{
    close();
}

MemoFile::MemoFile(MemoFile&& o) noexcept
    : path_(std::move(o.path_)),
      fd_(std::exchange(o.fd_, -1)),
      writable_(o.writable_),
      blockSize_(o.blockSize_),
      headerBlockSize16_(o.headerBlockSize16_)
{
}

MemoFile& MemoFile::operator=(MemoFile&& o) noexcept
{
    if (this != &o) {
        close();
        path_ = std::move(o.path_);
        fd_ = std::exchange(o.fd_, -1);
        writable_ = o.writable_;
        blockSize_ = o.blockSize_;
        headerBlockSize16_ = o.headerBlockSize16_;
    }
    return *this;
}

void MemoFile::create(const std::string& path, std::uint32_t blockSize)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) throw Error(path, systemError("cannot create the memo file"));
    std::string header(kHeaderBytes, '\0');
    putBe32(header.data(), (kHeaderBytes + blockSize - 1) / blockSize);
    putBe32(header.data() + 4, blockSize);
    try {
        writeFully(fd, 0, header.data(), header.size(), path);
        if (::fsync(fd) != 0) throw Error(path, systemError("cannot flush the memo file"));
    } catch (...) {
        ::close(fd);
        ::unlink(path.c_str());
        throw;
    }
    ::close(fd);
}

void MemoFile::open(const std::string& path, bool writable)
{
    close();
    path_ = path;
    fd_ = ::open(path.c_str(), (writable ? O_RDWR : O_RDONLY) | O_CLOEXEC);
    if (fd_ < 0) throw Error(path, systemError("cannot open the memo file"));
    writable_ = writable;
    try {
        if (fileSize() < 8) throw Error(path, "the memo file is truncated: too short to hold its header");
        unsigned char b[8];
        readFully(fd_, 0, reinterpret_cast<char*>(b), 8, path);
        headerBlockSize16_ = static_cast<std::uint16_t>(b[6] << 8 | b[7]);
        blockSize_ = headerBlockSize16_ != 0 ? headerBlockSize16_ : be32(b + 4);
        if (blockSize_ == 0) throw Error(path, "the memo file's block size is 0");
    } catch (...) {
        close();
        throw;
    }
}

void MemoFile::close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool MemoFile::blockInFile(std::uint32_t block) const
{
    const std::uint64_t at = static_cast<std::uint64_t>(block) * blockSize_;
    return at >= kHeaderBytes && at + 8 <= fileSize();
}

std::string MemoFile::fault(std::uint32_t block) const
{
    try {
        const std::uint64_t at = static_cast<std::uint64_t>(block) * blockSize_;
        if (!blockInFile(block))
            return "memo block " + std::to_string(block) + " lies past the end of the memo file";
        unsigned char head[8];
        readFully(fd_, at, reinterpret_cast<char*>(head), 8, path_);
        const std::uint32_t length = be32(head + 4);
        if (at + 8 + length > fileSize())
            return "the memo at block " + std::to_string(block) + " claims " + std::to_string(length) +
                   " bytes, past the end of the memo file";
    } catch (const Error& e) {
        return e.plainMessage();
    }
    return {};
}

std::string MemoFile::read(std::uint32_t block) const
{
    const std::uint64_t at = static_cast<std::uint64_t>(block) * blockSize_;
    const std::uint64_t size = fileSize();
    if (at < kHeaderBytes || at + 8 > size)
        throw Error(path_, "memo block " + std::to_string(block) + " lies past the end of the memo file");
    unsigned char head[8];
    readFully(fd_, at, reinterpret_cast<char*>(head), 8, path_);
    const std::uint32_t length = be32(head + 4);
    if (at + 8 + length > size)
        throw Error(path_, "the memo at block " + std::to_string(block) + " claims " +
                               std::to_string(length) + " bytes, past the end of the memo file");
    std::string bytes(length, '\0');
    if (length > 0) readFully(fd_, at + 8, bytes.data(), length, path_);
    return bytes;
}

std::uint32_t MemoFile::append(const std::string& bytes, std::uint32_t type)
{
    if (bytes.empty()) return 0;
    if (!writable_) throw Error(path_, "the memo file is open read-only");
    if (bytes.size() > 0xFFFFFFF0u) throw Error(path_, "a memo cannot hold more than 4 GB");
    const std::uint32_t block = readNextFree();
    const std::uint64_t used = 8 + static_cast<std::uint64_t>(bytes.size());
    const std::uint64_t blocks = (used + blockSize_ - 1) / blockSize_;
    if (block + blocks > 0xFFFFFFFFull) throw Error(path_, "the memo file is full");
    std::string data(blocks * blockSize_, '\0');
    putBe32(data.data(), type);
    putBe32(data.data() + 4, static_cast<std::uint32_t>(bytes.size()));
    std::memcpy(data.data() + 8, bytes.data(), bytes.size());
    writeFully(fd_, static_cast<std::uint64_t>(block) * blockSize_, data.data(), data.size(), path_);
    char next[4];
    putBe32(next, static_cast<std::uint32_t>(block + blocks));
    writeFully(fd_, 0, next, 4, path_);
    return block;
}

void MemoFile::sync()
{
    if (fd_ >= 0 && writable_ && ::fsync(fd_) != 0)
        throw Error(path_, systemError("cannot flush the memo file"));
}

std::uint64_t MemoFile::fileSize() const
{
    struct stat st {};
    if (fstat(fd_, &st) != 0) throw Error(path_, systemError("cannot read the memo file's size"));
    return static_cast<std::uint64_t>(st.st_size);
}

std::uint32_t MemoFile::readNextFree() const
{
    unsigned char b[4];
    readFully(fd_, 0, reinterpret_cast<char*>(b), 4, path_);
    std::uint32_t next = be32(b);
    const std::uint32_t firstFree = (kHeaderBytes + blockSize_ - 1) / blockSize_;
    // A next-free pointer inside the header or short of the file's end would
    // make the new memo overwrite live data: start after both instead.
    const std::uint64_t endBlock = (fileSize() + blockSize_ - 1) / blockSize_;
    if (next < firstFree) next = firstFree;
    if (next < endBlock) next = static_cast<std::uint32_t>(endBlock);
    return next;
}

}  // namespace foxpro
