// CdxStore: block-level access to one CDX file: a cache of 512-byte blocks,
// writes collected until commit(), page allocation with the free list, and
// the change counter that tells other processes the file changed.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace foxpro::cdx {

class CdxStore {
public:
    CdxStore() = default;
    ~CdxStore();
    CdxStore(const CdxStore&) = delete;
    CdxStore& operator=(const CdxStore&) = delete;

    // Opens an existing file; createNew makes an empty one (failing when it exists).
    void open(const std::string& path, bool writable);
    void createNew(const std::string& path);
    void close();
    bool isOpen() const { return fd_ >= 0; }
    bool writable() const { return writable_; }
    const std::string& path() const { return path_; }
    int fd() const { return fd_; }
    std::uint64_t size() const { return size_; }

    // One 512-byte block at a 512-aligned offset inside the file.
    std::string_view block(std::uint32_t offset);
    void writeBlock(std::uint32_t offset, std::string bytes);
    // Small header fields (inside one block).
    std::uint32_t readU32(std::uint32_t offset);
    std::uint16_t readU16(std::uint32_t offset);
    void writeU32(std::uint32_t offset, std::uint32_t value);

    // A page for new nodes: the head of the free list, else a new block at the end.
    std::uint32_t allocate();
    void release(std::uint32_t offset);
    void releaseAll();  // drops the cache (nothing may be pending)
    // Empties the file (same descriptor, change counter kept) for a full rewrite.
    void truncateAll();

    // Writes pending blocks, bumping the change counter first. No-op when clean.
    void commit();
    // Drops pending writes (after a failed operation).
    void rollback();
    // Re-reads the file size and change counter; drops the cache when another
    // process changed the file. Returns true when it did.
    bool refresh();
    // Changes whenever cached content may differ from what a reader decoded.
    std::uint64_t generation() const { return generation_; }

    [[noreturn]] void fail(const std::string& message) const;
    void checkPageOffset(std::uint32_t offset, const char* what) const;

private:
    std::string readFromFile(std::uint32_t offset);
    std::uint32_t counterOnDisk();

    std::string path_;
    int fd_ = -1;
    bool writable_ = false;
    std::uint64_t size_ = 0;
    std::uint32_t counter_ = 0;
    std::uint64_t generation_ = 0;
    std::map<std::uint32_t, std::string> cache_;
    std::map<std::uint32_t, bool> dirty_;
};

}  // namespace foxpro::cdx
