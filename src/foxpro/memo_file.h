// MemoFile: a FoxPro FPT memo file. Reads a memo from its first block and
// writes new memos at the end of the file; the table layer keeps the block
// numbers in the records' memo fields.
#pragma once

#include <cstdint>
#include <string>

namespace foxpro {

class MemoFile {
public:
    static constexpr std::uint32_t kHeaderBytes = 512;
    static constexpr std::uint32_t kNewBlockSize = 64;

    MemoFile() = default;
    ~MemoFile();
    MemoFile(MemoFile&& other) noexcept;
    MemoFile& operator=(MemoFile&& other) noexcept;
    MemoFile(const MemoFile&) = delete;
    MemoFile& operator=(const MemoFile&) = delete;

    // Writes an empty memo file; fails when the file exists.
    static void create(const std::string& path, std::uint32_t blockSize = kNewBlockSize);
    // Opens an existing memo file and checks its header.
    void open(const std::string& path, bool writable);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    int fd() const { return fd_; }

    std::uint32_t blockSize() const { return blockSize_; }
    // The block size as FoxPro reads it: the 16-bit value at bytes 6-7.
    std::uint16_t headerBlockSize() const { return headerBlockSize16_; }

    // The bytes of the memo starting at `block` (binary-safe). Throws
    // foxpro::Error when the block or the memo's length lies past the end.
    std::string read(std::uint32_t block) const;
    // Whether `block` could start a memo (inside the file, after the header).
    bool blockInFile(std::uint32_t block) const;
    // Why the memo at `block` cannot be read whole, as read() would say it;
    // "" when its block and the length its header claims lie in the file.
    std::string fault(std::uint32_t block) const;
    // Writes a memo into new blocks at the end of the file and returns its
    // first block; an empty memo is not stored and gives 0. The caller holds
    // the memo lock while other processes may write.
    std::uint32_t append(const std::string& bytes, std::uint32_t type = 1);
    void sync();

private:
    std::uint64_t fileSize() const;
    std::uint32_t readNextFree() const;

    std::string path_;
    int fd_ = -1;
    bool writable_ = false;
    std::uint32_t blockSize_ = kNewBlockSize;
    std::uint16_t headerBlockSize16_ = kNewBlockSize;
};

}  // namespace foxpro
