// CdxTree: the B-tree of one tag (or of the tag directory) inside a CDX
// file: search, ordered insert and removal with page splits, bulk loading,
// and a structural check. Pages come from a CdxStore.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foxpro/cdx_page.h"
#include "foxpro/cdx_store.h"

namespace foxpro::cdx {

class BulkKeys;

// A position in the leaf level: the page, its decoded node (shared with the
// store's cache) and an index. A search that read the page without decoding
// it leaves node empty and holds the entry found; moving on decodes it.
struct LeafPosition {
    std::uint32_t page = kNoPage;
    std::shared_ptr<const Node> node;
    std::size_t index = 0;
    Entry found;
    bool valid() const { return page != kNoPage && (node ? index < node->entries.size() : true); }
    const Entry& entry() const { return node ? node->entries[index] : found; }
};

class CdxTree {
public:
    CdxTree(CdxStore& store, std::uint32_t headerOffset, KeyShape shape, std::string name);

    const KeyShape& shape() const { return shape_; }
    std::uint32_t headerOffset() const { return header_; }
    std::uint32_t root() const;

    // The decoded page, from the store's cache when it holds it.
    std::shared_ptr<const Node> load(std::uint32_t page) const;
    void save(std::uint32_t page, const Node& node);

    // First entry >= key (only key.size() bytes compared when prefix), or
    // >= (key, recno) comparing full entries. Invalid position at the end.
    LeafPosition lowerBound(const std::string& key, std::uint32_t recno, bool prefix) const;
    LeafPosition first() const;
    LeafPosition last() const;
    // Moves to the next/previous entry, following sibling links. Leaves the
    // position invalid at either end. Throws when the links break key order.
    void next(LeafPosition& pos) const;
    void prev(LeafPosition& pos) const;

    // Returns false (and changes nothing) when unique and the key exists.
    bool insert(const std::string& key, std::uint32_t recno, bool unique);
    // Returns false when the entry is not in the tree.
    bool remove(const std::string& key, std::uint32_t recno);

    // Replaces the whole content by the given keys (sorted, distinct).
    void build(const BulkKeys& sorted);
    // Every page of the tree, root first (cycle-safe).
    std::vector<std::uint32_t> pages() const;
    std::uint32_t count() const;
    // Structural faults: key order, sibling links, interior keys, depth.
    std::vector<std::string> checkStructure() const;

private:
    // Changes edit the cached node of a page in place and then write the
    // page (saveShared), which keeps the node cached; a failed change makes
    // the store drop every decoded node.
    struct Step {
        std::uint32_t page;
        std::shared_ptr<Node> node;
        std::size_t child;
    };
    std::shared_ptr<Node> shared(std::uint32_t page) const;
    void saveShared(std::uint32_t page, const std::shared_ptr<Node>& node);
    std::vector<Step> descend(const std::string& key, std::uint32_t recno) const;
    void propagate(std::vector<Step>& path, std::size_t level, std::size_t insertedAt);
    void splitAndPropagate(std::vector<Step>& path, std::size_t level, std::size_t insertedAt);
    std::size_t splitPoint(const Node& node, std::size_t insertedAt) const;
    bool appendToLeftSibling(std::vector<Step>& path, const Entry& entry);
    void removeFromParent(std::vector<Step>& path, std::size_t level);
    void updateParentKey(std::vector<Step>& path, std::size_t level);
    void setRoot(std::uint32_t page);
    void stepAcross(LeafPosition& pos, bool forward) const;
    void decodeAt(LeafPosition& pos) const;
    template <typename Below>
    bool searchEncodedLeaf(std::uint32_t page, Below below, const Entry* low, const Entry* high,
                           LeafPosition& pos) const;
    void checkBounds(std::uint32_t page, const Entry* low, const Entry& high, const Entry& first,
                     const Entry& last) const;
    void checkChild(std::uint32_t page, const Node& node, const Entry* low, const Entry& high) const;
    [[noreturn]] void corrupt(std::uint32_t page, const std::string& what) const;

    CdxStore& store_;
    std::uint32_t header_;
    KeyShape shape_;
    std::string name_;
};

}  // namespace foxpro::cdx
