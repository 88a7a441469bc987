// Writing whole CDX files: a new file with empty tags, and rebuilding tags
// from the table's records.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "foxpro/cdx_bulk_keys.h"
#include "foxpro/cdx_file.h"
#include "foxpro/cdx_file_impl.h"
#include "foxpro/key_writer.h"
#include "foxpro/record_view.h"

namespace foxpro {

namespace {

constexpr std::uint32_t kHeaderBytes = 1024;
constexpr int kTagNameLength = 10;

void put16(std::string& b, std::size_t at, unsigned v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The 512 bytes of header fields and the 512-byte expression pool.
void writeHeader(cdx::CdxStore& store, std::uint32_t at, std::uint32_t root, int keyLength,
                 unsigned char options, const std::string& expression, const std::string& forExpression)
{
    std::string head(cdx::kPageSize, '\0');
    put32(head, 0, root);
    put16(head, 12, static_cast<unsigned>(keyLength));
    head[14] = static_cast<char>(options);
    head[15] = 0x01;
    put16(head, 504, static_cast<unsigned>(expression.size() + 1));
    put16(head, 506, static_cast<unsigned>(forExpression.size() + 1));
    put16(head, 508, 0);
    put16(head, 510, static_cast<unsigned>(expression.size() + 1));
    std::string pool(cdx::kPageSize, '\0');
    std::copy(expression.begin(), expression.end(), pool.begin());
    std::copy(forExpression.begin(), forExpression.end(),
              pool.begin() + static_cast<std::ptrdiff_t>(expression.size() + 1));
    store.writeBlock(at, std::move(head));
    store.writeBlock(at + cdx::kPageSize, std::move(pool));
}

std::string upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

void validateTags(const std::string& path, const std::vector<TagDef>& tags,
                  const std::vector<FieldDef>& fields)
{
    std::set<std::string> names;
    for (const TagDef& t : tags) {
        std::string name = upper(t.name);
        bool valid = !name.empty() && name.size() <= kTagNameLength && !(name[0] >= '0' && name[0] <= '9');
        for (char c : name) valid = valid && ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_');
        if (!valid) throw Error(path, "\"" + t.name + "\" is not a valid tag name");
        if (!names.insert(name).second) throw Error(path, "two tags are named " + name);
        Expression key = Expression::parse(t.expression, fields, path);
        if (key.length() < 1 || key.length() > cdx::kMaxKeyLength)
            throw Error(path, "tag " + name + ": keys of " + std::to_string(key.length()) +
                                  " bytes are not possible (1 to 240)");
        if (t.expression.size() + t.forExpression.size() + 2 > cdx::kPageSize)
            throw Error(path, "tag " + name + ": the expressions are too long");
        if (!t.forExpression.empty() &&
            Expression::parse(t.forExpression, fields, path).type() != ValueType::Logical)
            throw Error(path, "tag " + name + ": the FOR condition is not a logical expression");
    }
}

}  // namespace

void cdx::writeLayout(CdxStore& store, const std::vector<TagDef>& tags, const std::vector<FieldDef>& fields)
{
    validateTags(store.path(), tags, fields);
    const std::uint32_t directoryRoot = kHeaderBytes;
    writeHeader(store, 0, directoryRoot, kTagNameLength, 0xE0, "", "");
    Node directory;
    directory.attributes = kRootAttr | kLeafAttr;
    std::uint32_t at = directoryRoot + kPageSize;
    for (const TagDef& t : tags) {
        Expression key = Expression::parse(t.expression, fields, store.path());
        unsigned char options = 0x60;
        if (t.unique) options |= 0x01;
        if (!t.forExpression.empty()) options |= 0x08;
        writeHeader(store, at, at + kHeaderBytes, key.length(), options, t.expression, t.forExpression);
        Node empty;
        empty.attributes = kRootAttr | kLeafAttr;
        char fill = key.type() == ValueType::Character || key.type() == ValueType::Logical ? ' ' : '\0';
        store.writeBlock(at + kHeaderBytes, encodeNode(empty, KeyShape{key.length(), fill}));
        std::string name = upper(t.name);
        name.resize(kTagNameLength, ' ');
        directory.entries.push_back(Entry{name, at, 0});
        at += kHeaderBytes + kPageSize;
    }
    std::sort(directory.entries.begin(), directory.entries.end(),
              [](const Entry& a, const Entry& b) { return a.key < b.key; });
    KeyShape dirShape{kTagNameLength, ' '};
    if (!fits(directory, dirShape)) store.fail("too many tags for one compound index");
    store.writeBlock(directoryRoot, encodeNode(directory, dirShape));
}

void CdxFile::create(const std::string& path, const std::vector<TagDef>& tags,
                     const std::vector<FieldDef>& fields)
{
    validateTags(path, tags, fields);
    cdx::CdxStore store;
    store.createNew(path);
    try {
        cdx::writeLayout(store, tags, fields);
        store.commit();
        store.close();
    } catch (...) {
        store.close();
        ::unlink(path.c_str());
        throw;
    }
}

namespace {

// Every record's key written once into one buffer, then sorted.
cdx::BulkKeys collectKeys(const CdxTagState& t, std::uint32_t recordCount,
                          const std::function<const RecordView*(std::uint32_t)>& at)
{
    KeyWriter writer(t.key);
    cdx::BulkKeys keys(t.info.keyLength);
    if (writer.length() != t.info.keyLength)
        throw Error({}, "tag " + t.info.name + ": the key expression gives " +
                            std::to_string(writer.length()) + " bytes, the tag holds keys of " +
                            std::to_string(t.info.keyLength));
    keys.reserve(recordCount);
    for (std::uint32_t recno = 1; recno <= recordCount; ++recno) {
        const RecordView* record = at(recno);
        if (!record) continue;
        if (t.forCondition.valid() && !t.forCondition.evaluateBool(*record)) continue;
        writer.write(*record, keys.add(recno));
    }
    keys.sort(t.info.unique);
    return keys;
}

}  // namespace

void CdxFile::rebuild(int tag, std::uint32_t recordCount,
                      const std::function<const RecordView*(std::uint32_t)>& recordAt)
{
    Impl& d = *impl_;
    d.requireWritable();
    d.store.commit();  // earlier changes kept by write-back are not part of this one
    try {
        if (tag >= 0) {
            const CdxTagState& t = d.usableTag(tag);
            t.tree->build(collectKeys(t, recordCount, recordAt));
            d.store.commit();
            return;
        }
        for (std::size_t i = 0; i < d.tags.size(); ++i) d.usableTag(static_cast<int>(i));
        std::vector<TagDef> defs;
        for (const CdxTagInfo& info : d.infos)
            defs.push_back(TagDef{info.name, info.expression, info.forExpression, info.unique});
        // Every tag is rebuilt: the file is laid out anew rather than patched,
        // which also drops pages a damaged file may have lost track of. The
        // descriptor stays open so that the table's locks on it are kept.
        d.store.truncateAll();
        cdx::writeLayout(d.store, defs, d.fields);
        d.load();
        for (const CdxTagState& t : d.tags) t.tree->build(collectKeys(t, recordCount, recordAt));
        d.store.commit();
    } catch (...) {
        d.store.rollback();
        throw;
    }
}

}  // namespace foxpro
