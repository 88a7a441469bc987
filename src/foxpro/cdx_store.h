// CdxStore: block-level access to one CDX file: a cache of 512-byte blocks
// (with the decoded node of each page the tree has read), writes collected
// until commit(), page allocation with the free list, and the change counter
// that tells other processes the file changed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foxpro/cdx_page.h"

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

    // The decoded node kept with a cached page (null when there is none or
    // it was decoded for another key shape). writeBlock() drops it.
    std::shared_ptr<Node> node(std::uint32_t offset, const KeyShape& shape) const;
    void keepNode(std::uint32_t offset, const KeyShape& shape, std::shared_ptr<Node> node);
    // Whether the tree has verified every entry of the cached page since it
    // was read or written (a search then need not read past what it wants).
    bool checked(std::uint32_t offset) const
    {
        const std::size_t index = offset / kPageSize;
        return index < slots_.size() && slots_[index].checked;
    }
    void markChecked(std::uint32_t offset)
    {
        const std::size_t index = offset / kPageSize;
        if (index < slots_.size() && !slots_[index].bytes.empty()) slots_[index].checked = true;
    }

    // A page for new nodes: the head of the free list, else a new block at the end.
    std::uint32_t allocate();
    void release(std::uint32_t offset);
    void releaseAll();  // drops the cache (nothing may be pending)
    // Empties the file (same descriptor, change counter kept) for a full rewrite.
    void truncateAll();

    // One change (an insert, a removal): begin() marks its start, end() its
    // success; undo() puts back every block it wrote, leaving earlier pending
    // writes alone. The tree changes decoded nodes in place before it writes
    // their pages, so undo() drops every decoded node.
    void begin();
    void end();
    void undo();

    // Writes pending blocks (neighbouring blocks in one call), the change
    // counter in the first one. No-op when clean.
    void commit();
    bool pending() const { return !dirty_.empty(); }
    // Drops pending writes (after a failed operation).
    void rollback();
    // Re-reads the file size and change counter; drops the cache when another
    // process changed the file. Returns true when it did. Call it with the
    // index locked; it vouches for every page cached so far.
    bool refresh();
    // Without a system call: whether the change counter in the file is still
    // the one last read and every cached page was read while the index was
    // locked (see setLocked), so that the cache alone answers a search.
    bool cacheCurrent() const;
    // Tells the store whether the caller holds the index lock: pages read
    // without it may come from another process's half-written change.
    void setLocked(bool locked) { locked_ = locked; }
    // While set, reading a block that is not cached throws CdxNotCached.
    void setCacheOnly(bool on) { cacheOnly_ = on; }

    // Changes whenever cached content may differ from what a reader decoded.
    std::uint64_t generation() const { return generation_; }

    [[noreturn]] void fail(const std::string& message) const;
    void checkPageOffset(std::uint32_t offset, const char* what) const;

private:
    struct Slot {
        std::string bytes;  // empty when not cached
        std::shared_ptr<Node> node;
        int nodeLength = 0;
        char nodeFill = 0;
        bool checked = false;  // the tree verified the whole page (see markChecked)
        bool dirty = false;
    };
    struct Saved {
        std::uint32_t block;
        Slot slot;
    };

    bool recoverAbandoned();
    Slot& slotFor(std::uint32_t offset);
    void checkFreeList(std::uint32_t head);
    std::string readFromFile(std::uint32_t offset);
    std::uint32_t counterOnDisk();
    void dropClean();
    void dropNodes();
    void writeRun(const std::vector<std::uint32_t>& blocks, std::size_t from, std::size_t to);
    void mapHeader();
    void unmapHeader();

    std::string path_;
    int fd_ = -1;
    bool writable_ = false;
    bool fresh_ = false;  // created or emptied by this store: commits need no journal
    std::uint64_t size_ = 0;
    std::uint32_t counter_ = 0;
    std::uint64_t generation_ = 0;
    std::vector<Slot> slots_;  // by block number
    std::size_t cached_ = 0;
    std::size_t nodes_ = 0;
    std::vector<std::uint32_t> dirty_;  // block numbers
    bool inChange_ = false;
    std::vector<Saved> saved_;
    std::uint64_t sizeAtBegin_ = 0;
    const unsigned char* header_ = nullptr;  // read-only map of the first block
    bool locked_ = false;
    bool untrusted_ = false;
    bool cacheOnly_ = false;
};

}  // namespace foxpro::cdx
