#include "foxpro/cdx_tag.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <set>
#include <stdexcept>

#include "foxpro/error.h"

namespace foxpro::cdx {

namespace {

constexpr std::size_t kMaxDepth = 32;

Entry maxOf(const Node& node, std::uint32_t page)
{
    Entry e = node.entries.back();
    e.child = page;
    return e;
}

std::string hex(std::uint32_t v)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%X", v);
    return buf;
}

}  // namespace

CdxTree::CdxTree(CdxStore& store, std::uint32_t headerOffset, KeyShape shape, std::string name)
    : store_(store), header_(headerOffset), shape_(shape), name_(std::move(name))
{
}

void CdxTree::corrupt(std::uint32_t page, const std::string& what) const
{
    store_.fail("index " + name_ + ", page " + hex(page) + ": " + what +
                " (the index is damaged; reindex the table)");
}

std::uint32_t CdxTree::root() const
{
    return store_.readU32(header_);
}

void CdxTree::setRoot(std::uint32_t page)
{
    store_.writeU32(header_, page);
}

std::shared_ptr<Node> CdxTree::shared(std::uint32_t page) const
{
    if (auto cached = store_.node(page, shape_)) return cached;
    if (page % kPageSize != 0 || page < kPageSize ||
        static_cast<std::uint64_t>(page) + kPageSize > store_.size())
        store_.checkPageOffset(page, ("a page pointer of index " + name_).c_str());
    std::shared_ptr<Node> node;
    try {
        node = std::make_shared<Node>(decodeNode(store_.block(page), shape_));
    } catch (const Error&) {
        throw;
    } catch (const std::exception& e) {
        corrupt(page, e.what());
    }
    store_.keepNode(page, shape_, node);
    return node;
}

std::shared_ptr<const Node> CdxTree::load(std::uint32_t page) const
{
    return shared(page);
}

void CdxTree::save(std::uint32_t page, const Node& node)
{
    store_.writeBlock(page, encodeNode(node, shape_));
}

void CdxTree::saveShared(std::uint32_t page, const std::shared_ptr<Node>& node)
{
    store_.writeBlock(page, encodeNode(*node, shape_));
    store_.keepNode(page, shape_, node);
}

// A child page reached from its parent must hold keys above the parent's
// previous key and end with the parent's key for it: a damaged page, or a
// pointer to the wrong page, shows here before any of its keys is used.
void CdxTree::checkBounds(std::uint32_t page, const Entry* low, const Entry& high, const Entry& first,
                          const Entry& last) const
{
    if (low && compareEntries(first.key, first.recno, low->key, low->recno) <= 0)
        corrupt(page, "its first key is not above the parent's key for the page before it");
    if (last.key != high.key || last.recno != high.recno)
        corrupt(page, "its last key is not the parent's key for it");
}

void CdxTree::checkChild(std::uint32_t page, const Node& node, const Entry* low, const Entry& high) const
{
    const std::less_equal<const Entry*> notAfter;
    if (!node.entries.empty() && notAfter(&node.entries.front(), &high) &&
        notAfter(&high, &node.entries.back()))
        corrupt(page, "the page points to itself (the tree loops)");
    if (node.entries.empty()) corrupt(page, "a page below the root holds no keys");
    checkBounds(page, low, high, node.entries.front(), node.entries.back());
}

// Index of the first entry not below the searched one (binary search; the
// last entry of an interior page also takes everything beyond it).
template <typename Below>
std::size_t firstNotBelow(const Node& node, std::size_t limit, Below below)
{
    auto end = node.entries.begin() + static_cast<std::ptrdiff_t>(limit);
    return static_cast<std::size_t>(std::partition_point(node.entries.begin(), end, below) -
                                    node.entries.begin());
}

std::vector<CdxTree::Step> CdxTree::descend(const std::string& key, std::uint32_t recno) const
{
    std::vector<Step> path;
    std::uint32_t page = root();
    auto below = [&](const Entry& e) { return compareEntries(e.key, e.recno, key, recno) < 0; };
    for (;;) {
        if (path.size() >= kMaxDepth) corrupt(page, "the tree is deeper than 32 levels (its pages loop)");
        for (const Step& s : path)
            if (s.page == page) corrupt(page, "the page is reached twice (the tree loops)");
        std::shared_ptr<Node> node = shared(page);
        if (!path.empty()) {
            const Step& up = path.back();
            checkChild(page, *node, up.child ? &up.node->entries[up.child - 1] : nullptr,
                       up.node->entries[up.child]);
        }
        if (node->leaf()) {
            path.push_back({page, std::move(node), 0});
            return path;
        }
        if (node->entries.empty()) corrupt(page, "an interior page holds no keys");
        std::size_t i = firstNotBelow(*node, node->entries.size() - 1, below);
        std::uint32_t child = node->entries[i].child;
        path.push_back({page, std::move(node), i});
        page = child;
    }
}

// Finds the first entry not below the searched one in a leaf page that is
// not decoded. False when the page is no leaf or every entry is below. The
// first search of a page reads the rest of it as well: its order and its
// last key (against the parent's key `high`) vouch for the entry found; the
// store remembers that until the page is read or written again.
template <typename Below>
bool CdxTree::searchEncodedLeaf(std::uint32_t page, Below below, const Entry* low, const Entry* high,
                                LeafPosition& pos) const
{
    if (page % kPageSize != 0 || page < kPageSize ||
        static_cast<std::uint64_t>(page) + kPageSize > store_.size())
        return false;  // the decoding path reports it
    const std::string_view bytes = store_.block(page);
    const unsigned attributes =
        static_cast<unsigned char>(bytes[0]) | (static_cast<unsigned char>(bytes[1]) << 8);
    if (attributes > 3 || (attributes & kLeafAttr) == 0) return false;
    const bool checked = store_.checked(page);
    bool found = false;
    try {
        LeafReader reader(bytes, shape_);
        if (high && reader.count() == 0) corrupt(page, "a page below the root holds no keys");
        for (std::size_t index = 0; reader.next(); ++index) {
            if (index == 0 && high && !checked)
                checkBounds(page, low, *high, Entry{std::string(reader.key()), reader.recno(), 0}, *high);
            if (found || below(reader.key(), reader.recno())) continue;
            found = true;
            pos.page = page;
            pos.index = index;
            pos.found.key.assign(reader.key());
            pos.found.recno = reader.recno();
            if (checked) return true;
        }
        if (high && (reader.key() != high->key || reader.recno() != high->recno))
            corrupt(page, "its last key is not the parent's key for it");
        store_.markChecked(page);
    } catch (const Error&) {
        throw;
    } catch (const std::exception& e) {
        corrupt(page, e.what());
    }
    return found;
}

LeafPosition CdxTree::lowerBound(const std::string& key, std::uint32_t recno, bool prefix) const
{
    auto belowKey = [&](std::string_view k, std::uint32_t r) {
        if (prefix) return compareKeys(k.substr(0, key.size()), key) < 0;
        return compareEntries(k, r, key, recno) < 0;
    };
    auto below = [&](const Entry& e) { return belowKey(e.key, e.recno); };
    std::uint32_t page = root();
    std::shared_ptr<const Node> parent;  // keeps low and high alive
    const Entry* low = nullptr;
    const Entry* high = nullptr;
    for (std::size_t depth = 0;; ++depth) {
        if (depth >= kMaxDepth) corrupt(page, "the tree is deeper than 32 levels (its pages loop)");
        if (!store_.node(page, shape_)) {
            // A leaf not decoded yet is searched in its encoded form: a
            // search decodes no key but the one it returns.
            LeafPosition pos;
            if (searchEncodedLeaf(page, belowKey, low, high, pos)) return pos;
        }
        std::shared_ptr<const Node> node = shared(page);
        if (high) checkChild(page, *node, low, *high);
        if (node->leaf()) {
            const std::size_t index = firstNotBelow(*node, node->entries.size(), below);
            LeafPosition pos{page, std::move(node), index, {}};
            if (pos.index == pos.node->entries.size()) stepAcross(pos, true);
            return pos;
        }
        if (node->entries.empty()) corrupt(page, "an interior page holds no keys");
        const std::size_t i = firstNotBelow(*node, node->entries.size() - 1, below);
        low = i ? &node->entries[i - 1] : nullptr;
        high = &node->entries[i];
        page = high->child;
        parent = std::move(node);
    }
}

LeafPosition CdxTree::first() const
{
    std::uint32_t page = root();
    for (std::size_t depth = 0;; ++depth) {
        if (depth >= kMaxDepth) corrupt(page, "the tree is deeper than 32 levels (its pages loop)");
        std::shared_ptr<const Node> node = shared(page);
        if (node->leaf()) {
            LeafPosition pos{page, std::move(node), 0, {}};
            if (pos.node->entries.empty()) stepAcross(pos, true);
            return pos;
        }
        if (node->entries.empty()) corrupt(page, "an interior page holds no keys");
        const std::uint32_t child = node->entries.front().child;
        checkChild(child, *shared(child), nullptr, node->entries.front());
        page = child;
    }
}

LeafPosition CdxTree::last() const
{
    std::uint32_t page = root();
    for (std::size_t depth = 0;; ++depth) {
        if (depth >= kMaxDepth) corrupt(page, "the tree is deeper than 32 levels (its pages loop)");
        std::shared_ptr<const Node> node = shared(page);
        if (node->leaf()) {
            LeafPosition pos{page, std::move(node), 0, {}};
            if (pos.node->entries.empty())
                stepAcross(pos, false);
            else
                pos.index = pos.node->entries.size() - 1;
            return pos;
        }
        if (node->entries.empty()) corrupt(page, "an interior page holds no keys");
        const std::uint32_t child = node->entries.back().child;
        const Entry* low = node->entries.size() > 1 ? &node->entries[node->entries.size() - 2] : nullptr;
        checkChild(child, *shared(child), low, node->entries.back());
        page = child;
    }
}

void CdxTree::decodeAt(LeafPosition& pos) const
{
    if (pos.node) return;
    pos.node = shared(pos.page);
    if (!pos.node->leaf()) corrupt(pos.page, "a leaf page changed into an interior page");
    if (pos.index > pos.node->entries.size()) pos.index = pos.node->entries.size();
}

// Moves to the first (forward) or last entry of the next non-empty sibling.
// Each sibling must link back to the page it was reached from, and keys
// must strictly grow along the chain; a chain that goes back is a loop.
// Pages are decoded, so every key of them is in order: a walk sees keys
// strictly ascend and cannot come round again. The step bound catches a
// loop of empty pages.
void CdxTree::stepAcross(LeafPosition& pos, bool forward) const
{
    const std::shared_ptr<const Node> start = pos.node;
    const bool haveFrom = !start->entries.empty();
    const Entry* from = haveFrom ? (forward ? &start->entries.back() : &start->entries.front()) : nullptr;
    const std::uint64_t limit = store_.size() / kPageSize + 1;
    std::uint32_t came = pos.page;
    std::uint32_t page = forward ? start->right : start->left;
    for (std::uint64_t steps = 0; page != kNoPage; ++steps) {
        if (steps > limit) corrupt(page, "the sibling links of the leaf pages loop");
        std::shared_ptr<const Node> node = shared(page);
        if (!node->leaf()) corrupt(page, "a sibling link of a leaf page leads to an interior page");
        if ((forward ? node->left : node->right) != came)
            corrupt(page, page == came ? "the page is its own sibling (the sibling links loop)"
                                       : "the sibling links disagree (the page does not link back to " +
                                             hex(came) + "; the links are broken or loop)");
        if (!node->entries.empty()) {
            const Entry& e = forward ? node->entries.front() : node->entries.back();
            if (haveFrom) {
                int c = compareEntries(e.key, e.recno, from->key, from->recno);
                if (forward ? c <= 0 : c >= 0)
                    corrupt(page, "sibling pages are out of key order (the links loop)");
            }
            std::size_t index = forward ? 0 : node->entries.size() - 1;
            pos = LeafPosition{page, std::move(node), index, {}};
            return;
        }
        came = page;
        page = forward ? node->right : node->left;
    }
    pos = LeafPosition{};
}

void CdxTree::next(LeafPosition& pos) const
{
    if (!pos.valid()) return;
    decodeAt(pos);
    if (pos.index + 1 < pos.node->entries.size()) {
        ++pos.index;
        return;
    }
    stepAcross(pos, true);
}

void CdxTree::prev(LeafPosition& pos) const
{
    if (!pos.valid()) return;
    decodeAt(pos);
    if (pos.index > 0) {
        --pos.index;
        return;
    }
    stepAcross(pos, false);
}

bool CdxTree::insert(const std::string& key, std::uint32_t recno, bool unique)
{
    if (unique) {
        LeafPosition at = lowerBound(key, 0, true);
        if (at.valid() && at.entry().key == key) return false;
    }
    std::vector<Step> path = descend(key, recno);
    Node& leaf = *path.back().node;
    auto it = std::lower_bound(
        leaf.entries.begin(), leaf.entries.end(), Entry{key, recno, 0},
        [](const Entry& a, const Entry& b) { return compareEntries(a.key, a.recno, b.key, b.recno) < 0; });
    if (it != leaf.entries.end() && it->key == key && it->recno == recno) return false;
    auto insertedAt = static_cast<std::size_t>(it - leaf.entries.begin());
    leaf.entries.insert(it, Entry{key, recno, 0});
    if (insertedAt == 0 && appendToLeftSibling(path, Entry{key, recno, 0})) return true;
    propagate(path, path.size() - 1, insertedAt);
    return true;
}

// A key that falls between two pages may go to the end of the left one as
// well as to the start of the right one. It goes left when it continues the
// run of keys there (it shares a longer prefix with the left page's last key
// than with the right page's first), or when only the left page has room:
// keys added in order in the middle of a tag (the next value of a series)
// then fill pages instead of splitting a page for every key.
bool CdxTree::appendToLeftSibling(std::vector<Step>& path, const Entry& entry)
{
    std::size_t level = path.size() - 1;
    if (level == 0 || path[level - 1].child == 0) return false;
    Step& parent = path[level - 1];
    Node& right = *path[level].node;  // already holds the new entry first
    if (right.entries.size() < 2) return false;
    auto common = [](const std::string& x, const std::string& y) {
        std::size_t i = 0;
        while (i < x.size() && i < y.size() && x[i] == y[i]) ++i;
        return i;
    };
    const std::string& leftLast = parent.node->entries[parent.child - 1].key;
    bool continuesLeft = common(leftLast, entry.key) > common(entry.key, right.entries[1].key);
    if (!continuesLeft && fits(right, shape_)) return false;
    std::uint32_t leftPage = parent.node->entries[parent.child - 1].child;
    for (const Step& s : path)
        if (s.page == leftPage) return false;
    std::shared_ptr<Node> left = shared(leftPage);
    if (!left->leaf() || left->right != path[level].page) return false;
    left->entries.push_back(entry);
    if (!continuesLeft && !fits(*left, shape_)) {
        left->entries.pop_back();
        return false;
    }
    right.entries.erase(right.entries.begin());
    --parent.child;
    path[level] = Step{leftPage, std::move(left), 0};
    propagate(path, level, path[level].node->entries.size() - 1);
    return true;
}

void CdxTree::propagate(std::vector<Step>& path, std::size_t level, std::size_t insertedAt)
{
    Step& s = path[level];
    std::string page;
    if (!encodeIfFits(*s.node, shape_, page)) {
        splitAndPropagate(path, level, insertedAt);
        return;
    }
    store_.writeBlock(s.page, std::move(page));
    store_.keepNode(s.page, shape_, s.node);
    if (level > 0) updateParentKey(path, level);
}

void CdxTree::updateParentKey(std::vector<Step>& path, std::size_t level)
{
    Step& parent = path[level - 1];
    const Entry& last = path[level].node->entries.back();
    Entry& slot = parent.node->entries[parent.child];
    if (slot.key == last.key && slot.recno == last.recno) return;
    slot.key = last.key;
    slot.recno = last.recno;
    saveShared(parent.page, parent.node);
    if (parent.child + 1 == parent.node->entries.size() && level - 1 > 0) updateParentKey(path, level - 1);
}

// Keys usually arrive in runs (the next or previous dates of one series),
// each beside the one before. Splitting right at the new key, on the side of
// the run it belongs to (the neighbour it shares the longer prefix with),
// keeps a run together so that its pages fill up. Keys at the page's ends
// start a new page; interior pages split in half.
std::size_t CdxTree::splitPoint(const Node& node, std::size_t insertedAt) const
{
    const std::size_t n = node.entries.size();
    if (insertedAt + 1 == n) return n - 1;
    if (insertedAt == 0) return 1;
    if (!node.leaf()) return n / 2;
    auto common = [&](std::size_t a, std::size_t b) {
        const std::string& x = node.entries[a].key;
        const std::string& y = node.entries[b].key;
        std::size_t i = 0;
        while (i < x.size() && i < y.size() && x[i] == y[i]) ++i;
        return i;
    };
    std::size_t withLeft = common(insertedAt - 1, insertedAt);
    std::size_t withRight = common(insertedAt, insertedAt + 1);
    if (withLeft == withRight) return n / 2;
    return withRight > withLeft ? insertedAt : insertedAt + 1;
}

void CdxTree::splitAndPropagate(std::vector<Step>& path, std::size_t level, std::size_t insertedAt)
{
    Step& s = path[level];
    Node& node = *s.node;
    const std::size_t n = node.entries.size();
    std::size_t k = splitPoint(node, insertedAt);
    auto rightNode = std::make_shared<Node>();
    Node& right = *rightNode;
    auto splitAt = [&](std::size_t at) {
        right.entries.assign(node.entries.begin() + static_cast<std::ptrdiff_t>(at), node.entries.end());
        Node left;
        left.attributes = node.attributes;
        left.entries.assign(node.entries.begin(), node.entries.begin() + static_cast<std::ptrdiff_t>(at));
        right.attributes = node.attributes;
        return fits(left, shape_) && fits(right, shape_);
    };
    if (!splitAt(k)) {
        k = n / 2;
        if (!splitAt(k)) corrupt(s.page, "a page cannot be split (key too long for a page)");
    }
    node.entries.resize(k);
    std::uint32_t newPage = store_.allocate();
    node.attributes &= static_cast<std::uint16_t>(~kRootAttr);
    right.attributes = node.attributes;
    right.left = s.page;
    right.right = node.right;
    node.right = newPage;
    if (right.right != kNoPage) {
        std::shared_ptr<Node> after = shared(right.right);
        after->left = newPage;
        saveShared(right.right, after);
    }
    saveShared(s.page, s.node);
    saveShared(newPage, rightNode);
    if (level == 0) {
        Node top;
        top.attributes = kRootAttr;
        top.entries = {maxOf(node, s.page), maxOf(right, newPage)};
        std::uint32_t rootPage = store_.allocate();
        save(rootPage, top);
        setRoot(rootPage);
        return;
    }
    Step& parent = path[level - 1];
    auto at = parent.node->entries.begin() + static_cast<std::ptrdiff_t>(parent.child);
    *at = maxOf(node, s.page);
    parent.node->entries.insert(at + 1, maxOf(right, newPage));
    propagate(path, level - 1, parent.child + 1);
}

bool CdxTree::remove(const std::string& key, std::uint32_t recno)
{
    std::vector<Step> path = descend(key, recno);
    Node& leaf = *path.back().node;
    auto it = std::find_if(leaf.entries.begin(), leaf.entries.end(),
                           [&](const Entry& e) { return e.recno == recno && e.key == key; });
    if (it == leaf.entries.end()) return false;
    bool wasLast = it + 1 == leaf.entries.end();
    leaf.entries.erase(it);
    std::size_t level = path.size() - 1;
    if (leaf.entries.empty() && level > 0) {
        removeFromParent(path, level);
        return true;
    }
    saveShared(path.back().page, path.back().node);
    if (wasLast && level > 0) updateParentKey(path, level);
    return true;
}

// The page at `level` became empty: unlink it from its siblings, free it and
// drop its entry from the parent (recursively when the parent empties too).
void CdxTree::removeFromParent(std::vector<Step>& path, std::size_t level)
{
    Step& s = path[level];
    if (s.node->left != kNoPage) {
        std::shared_ptr<Node> before = shared(s.node->left);
        before->right = s.node->right;
        saveShared(s.node->left, before);
    }
    if (s.node->right != kNoPage) {
        std::shared_ptr<Node> after = shared(s.node->right);
        after->left = s.node->left;
        saveShared(s.node->right, after);
    }
    store_.release(s.page);
    Step& parent = path[level - 1];
    bool wasLast = parent.child + 1 == parent.node->entries.size();
    parent.node->entries.erase(parent.node->entries.begin() + static_cast<std::ptrdiff_t>(parent.child));
    if (parent.node->entries.empty()) {
        if (level - 1 == 0) {
            Node empty;
            empty.attributes = kRootAttr | kLeafAttr;
            save(parent.page, empty);
            return;
        }
        removeFromParent(path, level - 1);
        return;
    }
    saveShared(parent.page, parent.node);
    if (wasLast && level - 1 > 0) updateParentKey(path, level - 1);
}

}  // namespace foxpro::cdx
