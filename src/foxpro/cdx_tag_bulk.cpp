// Whole-tree operations of CdxTree: bulk loading, page enumeration, key
// count and the structural check.
#include <cstdio>
#include <set>
#include <stdexcept>

#include "foxpro/cdx_bulk_keys.h"
#include "foxpro/cdx_tag.h"
#include "foxpro/error.h"

namespace foxpro::cdx {

namespace {

constexpr std::size_t kMaxDepth = 32;

std::string hex(std::uint32_t v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", v);
    return buf;
}

struct Built {
    std::uint32_t page;
    Node node;
};

struct Loaded {
    std::uint32_t page;
    std::shared_ptr<const Node> node;
};

}  // namespace

// The leaves are filled in key order and written with their sibling links;
// then each interior level takes the last entry of every page below it, as
// many per page as fit, up to a single root. Pages are allocated leaves
// first, then level by level, which is the layout FoxPro gives a new tag.
void CdxTree::build(const BulkKeys& sorted)
{
    std::vector<std::uint32_t> old;
    try {
        old = pages();
    } catch (const Error&) {
        // A damaged tree is what a rebuild repairs: its pages are abandoned
        // (left unused in the file) rather than put on the free list.
        old.clear();
    }
    for (std::uint32_t page : old) store_.release(page);
    std::vector<LeafRun> runs;
    try {
        runs = packLeaves(sorted.rows(), sorted.stride(), sorted.size(), shape_);
    } catch (const std::runtime_error&) {
        store_.fail("index " + name_ + ": a key does not fit in a page");
    }
    std::vector<std::uint32_t> leaves(runs.size());
    for (std::uint32_t& page : leaves) page = store_.allocate();
    const bool alone = leaves.size() == 1;
    std::string bytes;
    for (std::size_t n = 0; n < runs.size(); ++n) {
        Node links;
        links.attributes = alone ? kLeafAttr | kRootAttr : kLeafAttr;
        links.left = n ? leaves[n - 1] : kNoPage;
        links.right = n + 1 < leaves.size() ? leaves[n + 1] : kNoPage;
        encodeLeafRun(sorted.rows(), sorted.stride(), runs[n], shape_, links, bytes);
        store_.writeBlock(leaves[n], std::move(bytes));
    }
    if (alone) {
        setRoot(leaves[0]);
        return;
    }
    const std::size_t capacity = interiorCapacity(shape_);
    std::vector<Built> level;
    for (std::size_t n = 0; n < runs.size(); ++n) {
        if (n % capacity == 0) level.push_back({store_.allocate(), Node{0, kNoPage, kNoPage, {}}});
        const std::size_t last = runs[n].first + runs[n].count - 1;
        level.back().node.entries.push_back(
            Entry{std::string(sorted.key(last)), sorted.recno(last), leaves[n]});
    }
    for (;;) {
        for (std::size_t n = 0; n < level.size(); ++n) {
            level[n].node.left = n ? level[n - 1].page : kNoPage;
            level[n].node.right = n + 1 < level.size() ? level[n + 1].page : kNoPage;
        }
        if (level.size() == 1) {
            level[0].node.attributes |= kRootAttr;
            save(level[0].page, level[0].node);
            setRoot(level[0].page);
            return;
        }
        std::vector<Built> upper;
        for (std::size_t n = 0; n < level.size(); ++n) {
            save(level[n].page, level[n].node);
            if (n % capacity == 0) upper.push_back({store_.allocate(), Node{0, kNoPage, kNoPage, {}}});
            Entry e = level[n].node.entries.back();
            e.child = level[n].page;
            upper.back().node.entries.push_back(std::move(e));
        }
        level = std::move(upper);
    }
}

std::vector<std::uint32_t> CdxTree::pages() const
{
    std::vector<std::uint32_t> all;
    std::set<std::uint32_t> seen;
    std::vector<std::uint32_t> current{root()};
    for (std::size_t depth = 0; !current.empty(); ++depth) {
        if (depth >= kMaxDepth)
            corrupt(current.front(), "the tree is deeper than 32 levels (its pages loop)");
        std::vector<std::uint32_t> below;
        for (std::uint32_t page : current) {
            if (!seen.insert(page).second) corrupt(page, "the page is reached twice (the tree loops)");
            all.push_back(page);
            std::shared_ptr<const Node> node = load(page);
            if (!node->leaf())
                for (const Entry& e : node->entries) below.push_back(e.child);
        }
        current = std::move(below);
    }
    return all;
}

std::uint32_t CdxTree::count() const
{
    std::uint32_t total = 0;
    for (LeafPosition pos = first(); pos.valid();) {
        total += static_cast<std::uint32_t>(pos.node->entries.size());
        pos.index = pos.node->entries.size() - 1;
        next(pos);
    }
    return total;
}

std::vector<std::string> CdxTree::checkStructure() const
{
    std::vector<std::string> faults;
    auto fault = [&](std::uint32_t page, const std::string& what) {
        faults.push_back("index " + name_ + ", page " + hex(page) + ": " + what);
    };
    std::set<std::uint32_t> seen;
    std::vector<std::uint32_t> current{root()};
    bool leafLevel = false;
    for (std::size_t depth = 0; !current.empty() && !leafLevel; ++depth) {
        if (depth >= kMaxDepth) {
            fault(current.front(), "the tree is deeper than 32 levels");
            break;
        }
        std::vector<std::uint32_t> below;
        std::vector<Entry> expectedMax;
        std::vector<Loaded> row;
        for (std::uint32_t page : current) {
            if (!seen.insert(page).second) {
                fault(page, "the page is reached twice (the tree loops)");
                return faults;
            }
            try {
                row.push_back({page, load(page)});
            } catch (const Error& e) {
                faults.push_back(e.plainMessage());
                return faults;
            }
        }
        for (std::size_t n = 0; n < row.size(); ++n) {
            const Node& node = *row[n].node;
            std::uint32_t page = row[n].page;
            if (node.root() != (depth == 0))
                fault(page, depth == 0 ? "the root page is not marked root"
                                       : "a page below the root is marked root");
            if (n > 0 && node.leaf() != row[0].node->leaf())
                fault(page, "leaf pages are not all at the same depth");
            if (node.entries.empty() && depth > 0) fault(page, "a page below the root is empty");
            if (node.left != (n ? row[n - 1].page : kNoPage)) fault(page, "the left sibling link is wrong");
            if (node.right != (n + 1 < row.size() ? row[n + 1].page : kNoPage))
                fault(page, "the right sibling link is wrong");
            for (std::size_t k = 0; k < node.entries.size(); ++k) {
                const Entry& e = node.entries[k];
                const Entry* before = k ? &node.entries[k - 1] : nullptr;
                if (!before && n > 0 && !row[n - 1].node->entries.empty())
                    before = &row[n - 1].node->entries.back();
                if (before && compareEntries(before->key, before->recno, e.key, e.recno) >= 0)
                    fault(page, "keys are out of order at entry " + std::to_string(k + 1));
                if (!node.leaf()) below.push_back(e.child);
            }
            leafLevel = node.leaf();
            if (!node.leaf()) expectedMax.insert(expectedMax.end(), node.entries.begin(), node.entries.end());
        }
        for (std::size_t c = 0; c < expectedMax.size() && faults.empty(); ++c) {
            try {
                std::shared_ptr<const Node> child = load(expectedMax[c].child);
                if (child->entries.empty()) continue;
                const Entry& last = child->entries.back();
                if (last.key != expectedMax[c].key || last.recno != expectedMax[c].recno)
                    fault(expectedMax[c].child, "the parent's key is not the last key of the page");
            } catch (const Error& e) {
                faults.push_back(e.plainMessage());
                return faults;
            }
        }
        current = std::move(below);
    }
    return faults;
}

}  // namespace foxpro::cdx
