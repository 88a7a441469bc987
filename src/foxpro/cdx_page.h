// The two page layouts of a compact CDX B-tree: interior pages (full keys
// with record numbers and child pointers) and compact leaf pages (bit-packed
// record numbers, shared-prefix and trailing-fill compressed keys).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace foxpro::cdx {

constexpr std::uint32_t kPageSize = 512;
constexpr std::uint32_t kNoPage = 0xFFFFFFFF;
constexpr std::uint16_t kRootAttr = 1;
constexpr std::uint16_t kLeafAttr = 2;
constexpr std::size_t kLeafHeader = 24;
constexpr std::size_t kInteriorHeader = 12;
constexpr int kMaxKeyLength = 240;

struct Entry {
    std::string key;
    std::uint32_t recno = 0;
    std::uint32_t child = 0;  // interior pages only
};

struct Node {
    std::uint16_t attributes = kLeafAttr;
    std::uint32_t left = kNoPage;
    std::uint32_t right = kNoPage;
    std::vector<Entry> entries;

    bool leaf() const { return (attributes & kLeafAttr) != 0; }
    bool root() const { return (attributes & kRootAttr) != 0; }
};

// Key geometry shared by every page of one tag.
struct KeyShape {
    int length = 10;
    char fill = ' ';  // trailing fill: blank for character keys, 0 otherwise
};

// Orders (key, recno) pairs: key bytes unsigned, then record number.
int compareKeys(std::string_view a, std::string_view b);
int compareEntries(std::string_view keyA, std::uint32_t recA, std::string_view keyB, std::uint32_t recB);

// Decodes one page. Throws std::runtime_error describing the fault (the
// caller adds the file and page) when the page is not a valid node, its
// entries included: they must strictly ascend by (key, recno).
Node decodeNode(std::string_view page, const KeyShape& shape);
// Encodes a node that fits (see fits()).
std::string encodeNode(const Node& node, const KeyShape& shape);
// Encodes the node into `page` in one pass; false (page undefined) when it
// does not fit.
bool encodeIfFits(const Node& node, const KeyShape& shape, std::string& page);

bool fits(const Node& node, const KeyShape& shape);
std::size_t interiorCapacity(const KeyShape& shape);

// Walks the entries of an encoded leaf page in order without building a
// node (a search stops at the entry it wants). The constructor and next()
// throw std::runtime_error for a damaged page, as decodeNode() does; next()
// also for an entry that does not sort after the one before it.
class LeafReader {
public:
    LeafReader(std::string_view page, const KeyShape& shape);
    std::size_t count() const { return count_; }
    // Moves to the next entry; false after the last one.
    bool next();
    std::string_view key() const { return {key_, static_cast<std::size_t>(shape_.length)}; }
    std::uint32_t recno() const { return recno_; }

private:
    bool follows(const char* old, const char* fresh, std::size_t stored, std::size_t trail,
                 std::uint32_t previousRecno) const;

    std::string_view page_;
    KeyShape shape_;
    std::size_t count_ = 0;
    std::size_t index_ = 0;
    std::uint32_t recMask_ = 0;
    int recBits_ = 0;
    int dupBits_ = 0;
    int entryBytes_ = 0;
    unsigned dupMask_ = 0;
    unsigned trailMask_ = 0;
    std::size_t entriesEnd_ = 0;
    std::size_t keyEnd_ = kPageSize;
    std::uint32_t recno_ = 0;
    char key_[kMaxKeyLength] = {};
};

// Incremental size of a leaf being filled in order, used to pack leaves.
class LeafSizer {
public:
    explicit LeafSizer(const KeyShape& shape) : shape_(shape) {}
    // Whether the entry still fits after the ones already added; adds it if so.
    bool add(const Entry& entry);
    std::size_t count() const { return count_; }

private:
    KeyShape shape_;
    std::size_t count_ = 0;
    std::size_t keyBytes_ = 0;
    std::uint32_t maxRecno_ = 0;
    std::string previous_;
};

// Bulk loading of a leaf level from keys in ascending order, one row of
// `stride` bytes each: the key, then its record number (4 bytes, big-endian).
// packLeaves splits them into pages the way LeafSizer fills them;
// encodeLeafRun writes one page with the attributes and links of `links`.
struct LeafRun {
    std::size_t first = 0;
    std::size_t count = 0;
    std::uint32_t maxRecno = 0;
};
// At least one run (an empty one when there are no keys).
std::vector<LeafRun> packLeaves(const char* rows, std::size_t stride, std::size_t count,
                                const KeyShape& shape);
void encodeLeafRun(const char* rows, std::size_t stride, const LeafRun& run, const KeyShape& shape,
                   const Node& links, std::string& page);

}  // namespace foxpro::cdx
