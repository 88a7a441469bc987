#include "foxpro/cdx_page.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

namespace foxpro::cdx {

namespace {

std::uint32_t readLE(std::string_view p, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(p[at + i]);
    return v;
}

std::uint32_t readBE(std::string_view p, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(p[at + i]);
    return v;
}

void writeLE(std::string& p, std::size_t at, std::uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        p[at + i] = static_cast<char>(v & 0xFF);
        v >>= 8;
    }
}

void writeBE(std::string& p, std::size_t at, std::uint32_t v)
{
    for (int i = 3; i >= 0; --i) {
        p[at + i] = static_cast<char>(v & 0xFF);
        v >>= 8;
    }
}

int bitLength(std::uint32_t v)
{
    int bits = 0;
    while (v) {
        ++bits;
        v >>= 1;
    }
    return bits;
}

std::size_t trailingFill(std::string_view key, char fill)
{
    std::size_t n = 0;
    while (n < key.size() && key[key.size() - 1 - n] == fill) ++n;
    return n;
}

std::size_t sharedPrefix(std::string_view a, std::string_view b, std::size_t limit)
{
    std::size_t n = 0;
    while (n < limit && n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

// Bit widths of a leaf: duplicate and trailing counts take the bit length of
// the key length; record numbers take the rest of the smallest entry size
// (at least 3 bytes) that holds the largest record number of the page.
struct LeafWidths {
    int dupBits = 0;
    int recBits = 0;
    int entryBytes = 0;
};

LeafWidths widthsFor(const KeyShape& shape, std::uint32_t maxRecno)
{
    LeafWidths w;
    w.dupBits = bitLength(static_cast<std::uint32_t>(shape.length));
    int needed = std::max(1, bitLength(maxRecno)) + 2 * w.dupBits;
    w.entryBytes = std::max(3, (needed + 7) / 8);
    w.recBits = std::min(32, w.entryBytes * 8 - 2 * w.dupBits);
    return w;
}

Node decodeLeaf(std::string_view page, const KeyShape& shape)
{
    Node node;
    LeafReader reader(page, shape);
    node.entries.reserve(reader.count());
    while (reader.next()) node.entries.push_back(Entry{std::string(reader.key()), reader.recno(), 0});
    return node;
}

Node decodeInterior(std::string_view page, const KeyShape& shape, std::size_t count)
{
    Node node;
    const auto keyLength = static_cast<std::size_t>(shape.length);
    if (count > interiorCapacity(shape))
        throw std::runtime_error("interior page claims more keys than fit in a page");
    node.entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::size_t at = kInteriorHeader + i * (keyLength + 8);
        Entry e;
        e.key.assign(page.substr(at, keyLength));
        e.recno = readBE(page, at + keyLength);
        e.child = readBE(page, at + keyLength + 4);
        if (i > 0 && compareEntries(node.entries.back().key, node.entries.back().recno, e.key, e.recno) >= 0)
            throw std::runtime_error("interior keys are out of order at entry " + std::to_string(i + 1));
        node.entries.push_back(std::move(e));
    }
    return node;
}

}  // namespace

LeafReader::LeafReader(std::string_view page, const KeyShape& shape) : page_(page), shape_(shape)
{
    if (page.size() != kPageSize) throw std::runtime_error("page is not 512 bytes");
    if (shape.length < 1 || shape.length > kMaxKeyLength) throw std::runtime_error("impossible key length");
    count_ = readLE(page, 2, 2);
    recMask_ = readLE(page, 14, 4);
    recBits_ = static_cast<unsigned char>(page[20]);
    dupBits_ = static_cast<unsigned char>(page[21]);
    const int trailBits = static_cast<unsigned char>(page[22]);
    entryBytes_ = static_cast<unsigned char>(page[23]);
    dupMask_ = static_cast<unsigned char>(page[18]);
    trailMask_ = static_cast<unsigned char>(page[19]);
    if (entryBytes_ < 1 || entryBytes_ > 8 || recBits_ > 32 || dupBits_ > 8 || trailBits > 8 ||
        recBits_ + dupBits_ + trailBits > entryBytes_ * 8)
        throw std::runtime_error("leaf page has impossible entry widths");
    if (kLeafHeader + count_ * static_cast<std::size_t>(entryBytes_) > kPageSize)
        throw std::runtime_error("leaf page claims more keys than fit in a page");
    entriesEnd_ = kLeafHeader + count_ * static_cast<std::size_t>(entryBytes_);
}

bool LeafReader::next()
{
    if (index_ >= count_) return false;
    const auto keyLength = static_cast<std::size_t>(shape_.length);
    std::uint64_t raw = 0;
    const std::size_t at = kLeafHeader + index_ * static_cast<std::size_t>(entryBytes_);
    for (int b = entryBytes_ - 1; b >= 0; --b)
        raw = (raw << 8) | static_cast<unsigned char>(page_[at + static_cast<std::size_t>(b)]);
    const std::size_t dup = (raw >> recBits_) & dupMask_;
    const std::size_t trail = (raw >> (recBits_ + dupBits_)) & trailMask_;
    if (dup + trail > keyLength || (index_ == 0 && dup > 0))
        throw std::runtime_error("leaf key has impossible shared or trailing counts");
    const std::size_t stored = keyLength - dup - trail;
    if (stored > keyEnd_ - entriesEnd_) throw std::runtime_error("leaf keys overlap the entry table");
    keyEnd_ -= stored;
    const std::uint32_t previousRecno = recno_;
    recno_ = static_cast<std::uint32_t>(raw & recMask_);
    // The first `dup` bytes are still those of the previous key, so the
    // order against it shows from there on.
    if (index_ > 0 && !follows(key_ + dup, page_.data() + keyEnd_, stored, trail, previousRecno))
        throw std::runtime_error("leaf keys are out of order at entry " + std::to_string(index_ + 1));
    std::memcpy(key_ + dup, page_.data() + keyEnd_, stored);
    std::memset(key_ + dup + stored, shape_.fill, trail);
    ++index_;
    return true;
}

// Whether the key made of `stored` new bytes and `trail` fill bytes (with
// recno_) sorts after the previous key's bytes at `old` (with its recno).
bool LeafReader::follows(const char* old, const char* fresh, std::size_t stored, std::size_t trail,
                         std::uint32_t previousRecno) const
{
    // Keys of one page usually differ at their first stored byte: a plain
    // loop beats a library call here.
    const auto* a = reinterpret_cast<const unsigned char*>(fresh);
    const auto* b = reinterpret_cast<const unsigned char*>(old);
    for (std::size_t i = 0; i < stored; ++i)
        if (a[i] != b[i]) return a[i] > b[i];
    const auto fill = static_cast<unsigned char>(shape_.fill);
    for (std::size_t i = stored; i < stored + trail; ++i)
        if (fill != b[i]) return fill > b[i];
    return recno_ > previousRecno;
}

int compareKeys(std::string_view a, std::string_view b)
{
    std::size_t n = std::min(a.size(), b.size());
    int c = n ? std::memcmp(a.data(), b.data(), n) : 0;
    if (c != 0) return c < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

int compareEntries(std::string_view keyA, std::uint32_t recA, std::string_view keyB, std::uint32_t recB)
{
    int c = compareKeys(keyA, keyB);
    if (c != 0) return c;
    if (recA == recB) return 0;
    return recA < recB ? -1 : 1;
}

std::size_t interiorCapacity(const KeyShape& shape)
{
    return (kPageSize - kInteriorHeader) / (static_cast<std::size_t>(shape.length) + 8);
}

Node decodeNode(std::string_view page, const KeyShape& shape)
{
    if (page.size() != kPageSize) throw std::runtime_error("page is not 512 bytes");
    std::uint16_t attributes = static_cast<std::uint16_t>(readLE(page, 0, 2));
    if (attributes > 3)
        throw std::runtime_error("page has unknown node attributes " + std::to_string(attributes) +
                                 " (not an index page)");
    std::size_t count = readLE(page, 2, 2);
    Node node = (attributes & kLeafAttr) ? decodeLeaf(page, shape) : decodeInterior(page, shape, count);
    node.attributes = attributes;
    node.left = readLE(page, 4, 4);
    node.right = readLE(page, 8, 4);
    return node;
}

namespace {

// Bytes a leaf needs: header, entry table and the stored part of each key.
std::size_t leafBytes(const Node& node, const KeyShape& shape)
{
    const auto keyLength = static_cast<std::size_t>(shape.length);
    std::uint32_t maxRecno = 0;
    std::size_t keyBytes = 0;
    const std::string* previous = nullptr;
    for (const Entry& e : node.entries) {
        maxRecno = std::max(maxRecno, e.recno);
        std::size_t trail = trailingFill(e.key, shape.fill);
        std::size_t dup = previous ? sharedPrefix(*previous, e.key, keyLength - trail) : 0;
        keyBytes += keyLength - dup - trail;
        previous = &e.key;
    }
    return kLeafHeader +
           node.entries.size() * static_cast<std::size_t>(widthsFor(shape, maxRecno).entryBytes) + keyBytes;
}

}  // namespace

bool fits(const Node& node, const KeyShape& shape)
{
    if (!node.leaf()) return node.entries.size() <= interiorCapacity(shape);
    return leafBytes(node, shape) <= kPageSize;
}

bool LeafSizer::add(const Entry& entry)
{
    const auto keyLength = static_cast<std::size_t>(shape_.length);
    std::size_t trail = trailingFill(entry.key, shape_.fill);
    std::size_t dup = count_ ? sharedPrefix(previous_, entry.key, keyLength - trail) : 0;
    std::size_t stored = keyLength - dup - trail;
    std::uint32_t maxRecno = std::max(maxRecno_, entry.recno);
    LeafWidths w = widthsFor(shape_, maxRecno);
    if (kLeafHeader + (count_ + 1) * w.entryBytes + keyBytes_ + stored > kPageSize) return false;
    ++count_;
    keyBytes_ += stored;
    maxRecno_ = maxRecno;
    previous_ = entry.key;
    return true;
}

std::string encodeNode(const Node& node, const KeyShape& shape)
{
    std::string page;
    if (!encodeIfFits(node, shape, page)) throw std::runtime_error("the node does not fit in a page");
    return page;
}

bool encodeIfFits(const Node& node, const KeyShape& shape, std::string& page)
{
    if (!node.leaf() && node.entries.size() > interiorCapacity(shape)) return false;
    page.assign(kPageSize, '\0');
    writeLE(page, 0, node.attributes, 2);
    writeLE(page, 2, node.entries.size(), 2);
    writeLE(page, 4, node.left, 4);
    writeLE(page, 8, node.right, 4);
    const auto keyLength = static_cast<std::size_t>(shape.length);
    if (!node.leaf()) {
        for (std::size_t i = 0; i < node.entries.size(); ++i) {
            const Entry& e = node.entries[i];
            std::size_t at = kInteriorHeader + i * (keyLength + 8);
            std::memcpy(&page[at], e.key.data(), std::min(keyLength, e.key.size()));
            writeBE(page, at + keyLength, e.recno);
            writeBE(page, at + keyLength + 4, e.child);
        }
        return true;
    }
    std::uint32_t maxRecno = 0;
    for (const Entry& e : node.entries) maxRecno = std::max(maxRecno, e.recno);
    LeafWidths w = widthsFor(shape, maxRecno);
    std::size_t keyEnd = kPageSize;
    const std::string* previous = nullptr;
    for (std::size_t i = 0; i < node.entries.size(); ++i) {
        const Entry& e = node.entries[i];
        std::size_t trail = trailingFill(e.key, shape.fill);
        std::size_t dup = previous ? sharedPrefix(*previous, e.key, keyLength - trail) : 0;
        std::size_t stored = keyLength - dup - trail;
        if (kLeafHeader + (i + 1) * static_cast<std::size_t>(w.entryBytes) + stored > keyEnd) return false;
        keyEnd -= stored;
        std::memcpy(&page[keyEnd], e.key.data() + dup, stored);
        std::uint64_t raw = e.recno | (static_cast<std::uint64_t>(dup) << w.recBits) |
                            (static_cast<std::uint64_t>(trail) << (w.recBits + w.dupBits));
        writeLE(page, kLeafHeader + i * w.entryBytes, raw, w.entryBytes);
        previous = &e.key;
    }
    std::size_t used = kLeafHeader + node.entries.size() * w.entryBytes;
    writeLE(page, 12, keyEnd - used, 2);
    std::uint32_t recMask = w.recBits >= 32 ? 0xFFFFFFFFu : ((1u << w.recBits) - 1);
    writeLE(page, 14, recMask, 4);
    page[18] = static_cast<char>((1u << w.dupBits) - 1);
    page[19] = static_cast<char>((1u << w.dupBits) - 1);
    page[20] = static_cast<char>(w.recBits);
    page[21] = static_cast<char>(w.dupBits);
    page[22] = static_cast<char>(w.dupBits);
    page[23] = static_cast<char>(w.entryBytes);
    return true;
}

std::vector<LeafRun> packLeaves(const char* rows, std::size_t stride, std::size_t count,
                                const KeyShape& shape)
{
    const auto keyLength = static_cast<std::size_t>(shape.length);
    std::vector<LeafRun> runs;
    LeafRun run;
    std::size_t keyBytes = 0;
    int recnoBits = -1;  // widths are looked up again only when the largest record number grows a bit
    std::size_t entryBytes = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view key(rows + i * stride, keyLength);
        const std::size_t trail = trailingFill(key, shape.fill);
        std::size_t dup = 0;
        if (run.count > 0) dup = sharedPrefix({rows + (i - 1) * stride, keyLength}, key, keyLength - trail);
        const std::size_t stored = keyLength - dup - trail;
        const std::uint32_t maxRecno = std::max(run.maxRecno, readBE({key.data(), keyLength + 4}, keyLength));
        if (static_cast<int>(std::bit_width(maxRecno)) != recnoBits) {
            recnoBits = static_cast<int>(std::bit_width(maxRecno));
            entryBytes = static_cast<std::size_t>(widthsFor(shape, maxRecno).entryBytes);
        }
        if (kLeafHeader + (run.count + 1) * entryBytes + keyBytes + stored <= kPageSize) {
            ++run.count;
            run.maxRecno = maxRecno;
            keyBytes += stored;
            continue;
        }
        if (run.count == 0) throw std::runtime_error("a key does not fit in a page");
        runs.push_back(run);
        run = LeafRun{i, 0, 0};
        keyBytes = 0;
        --i;  // the key starts the next page
    }
    runs.push_back(run);
    return runs;
}

void encodeLeafRun(const char* rows, std::size_t stride, const LeafRun& run, const KeyShape& shape,
                   const Node& links, std::string& page)
{
    page.assign(kPageSize, '\0');
    writeLE(page, 0, links.attributes, 2);
    writeLE(page, 2, run.count, 2);
    writeLE(page, 4, links.left, 4);
    writeLE(page, 8, links.right, 4);
    const auto keyLength = static_cast<std::size_t>(shape.length);
    const LeafWidths w = widthsFor(shape, run.maxRecno);
    std::size_t keyEnd = kPageSize;
    for (std::size_t n = 0; n < run.count; ++n) {
        const std::size_t i = run.first + n;
        const std::string_view key(rows + i * stride, keyLength);
        const std::size_t trail = trailingFill(key, shape.fill);
        std::size_t dup = 0;
        if (n > 0) dup = sharedPrefix({rows + (i - 1) * stride, keyLength}, key, keyLength - trail);
        const std::size_t stored = keyLength - dup - trail;
        if (kLeafHeader + (n + 1) * static_cast<std::size_t>(w.entryBytes) + stored > keyEnd)
            throw std::runtime_error("the leaf does not fit in a page");
        keyEnd -= stored;
        std::memcpy(&page[keyEnd], key.data() + dup, stored);
        const std::uint64_t raw = readBE({key.data(), keyLength + 4}, keyLength) |
                                  (static_cast<std::uint64_t>(dup) << w.recBits) |
                                  (static_cast<std::uint64_t>(trail) << (w.recBits + w.dupBits));
        writeLE(page, kLeafHeader + n * static_cast<std::size_t>(w.entryBytes), raw, w.entryBytes);
    }
    const std::size_t used = kLeafHeader + run.count * static_cast<std::size_t>(w.entryBytes);
    writeLE(page, 12, keyEnd - used, 2);
    const std::uint32_t recMask = w.recBits >= 32 ? 0xFFFFFFFFu : ((1u << w.recBits) - 1);
    writeLE(page, 14, recMask, 4);
    page[18] = static_cast<char>((1u << w.dupBits) - 1);
    page[19] = static_cast<char>((1u << w.dupBits) - 1);
    page[20] = static_cast<char>(w.recBits);
    page[21] = static_cast<char>(w.dupBits);
    page[22] = static_cast<char>(w.dupBits);
    page[23] = static_cast<char>(w.entryBytes);
}

}  // namespace foxpro::cdx
