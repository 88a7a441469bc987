#include "foxpro/cdx_file.h"

#include <algorithm>
#include <set>

#include "foxpro/cdx_file_impl.h"
#include "foxpro/cdx_key.h"
#include "foxpro/codepage.h"

namespace foxpro {

namespace {

constexpr std::uint32_t kHeaderBytes = 1024;

std::string upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string trimRight(std::string s, char fill)
{
    while (!s.empty() && (s.back() == fill || s.back() == '\0')) s.pop_back();
    return s;
}

// A NUL-terminated string inside the 512-byte expression pool.
std::string poolString(std::string_view pool, std::size_t start)
{
    if (start >= pool.size()) return {};
    std::size_t end = pool.find('\0', start);
    if (end == std::string_view::npos) end = pool.size();
    return std::string(pool.substr(start, end - start));
}

}  // namespace

CdxTagState& CdxFile::Impl::tag(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= tags.size())
        store.fail("there is no tag number " + std::to_string(index));
    return tags[static_cast<std::size_t>(index)];
}

const CdxTagState& CdxFile::Impl::usableTag(int index)
{
    CdxTagState& t = tag(index);
    if (!t.info.usable) store.fail("tag " + t.info.name + " cannot be used: " + t.info.problem);
    return t;
}

void CdxFile::Impl::requireWritable() const
{
    if (!store.writable()) store.fail("the index file is open read-only");
}

CdxTagState CdxFile::Impl::loadTag(const std::string& name, std::uint32_t at)
{
    if (at % cdx::kPageSize != 0 || at < kHeaderBytes ||
        static_cast<std::uint64_t>(at) + kHeaderBytes > store.size())
        store.fail("tag " + name + ": its header offset " + std::to_string(at) + " lies outside the file");
    CdxTagState t;
    t.info.name = name;
    t.info.headerOffset = at;
    std::string head(store.block(at));
    std::string_view pool = store.block(at + cdx::kPageSize);
    auto u16 = [&](std::size_t o) {
        return static_cast<int>(static_cast<unsigned char>(head[o]) |
                                (static_cast<unsigned char>(head[o + 1]) << 8));
    };
    int keyLength = u16(12);
    auto options = static_cast<unsigned char>(head[14]);
    t.info.keyLength = keyLength;
    t.info.unique = (options & 0x01) != 0;
    t.info.descending = u16(502) != 0;
    t.info.expression = poolString(pool, 0);
    t.info.forExpression = poolString(pool, t.info.expression.size() + 1);
    if (keyLength < 1 || keyLength > cdx::kMaxKeyLength)
        store.fail("tag " + name + ": key length " + std::to_string(keyLength) + " is impossible");
    try {
        t.key = Expression::parse(t.info.expression, fields, store.path());
        t.info.keyType = static_cast<char>(t.key.type());
        if (t.key.length() != keyLength)
            throw Error(store.path(), "the expression gives keys of " + std::to_string(t.key.length()) +
                                          " bytes but the tag holds " + std::to_string(keyLength));
        if (!t.info.forExpression.empty()) {
            t.forCondition = Expression::parse(t.info.forExpression, fields, store.path());
            if (t.forCondition.type() != ValueType::Logical)
                throw Error(store.path(), "the FOR condition is not a logical expression");
        }
    } catch (const Error& e) {
        t.info.usable = false;
        t.info.problem = e.plainMessage();
    }
    cdx::KeyShape shape{keyLength, t.info.keyType == 'C' || t.info.keyType == 'L' ? ' ' : '\0'};
    t.tree = std::make_unique<cdx::CdxTree>(store, at, shape, "tag " + name);
    return t;
}

void CdxFile::Impl::load()
{
    tags.clear();
    infos.clear();
    std::string head(store.block(0));
    int dirKeyLength = static_cast<unsigned char>(head[12]) | (static_cast<unsigned char>(head[13]) << 8);
    if (dirKeyLength < 1 || dirKeyLength > cdx::kMaxKeyLength)
        store.fail("not a compound index: the tag directory's key length is " + std::to_string(dirKeyLength));
    cdx::CdxTree directory(store, 0, cdx::KeyShape{dirKeyLength, ' '}, "tag directory");
    std::vector<std::pair<std::uint32_t, std::string>> found;
    std::set<std::uint32_t> offsets;
    for (cdx::LeafPosition pos = directory.first(); pos.valid(); directory.next(pos)) {
        const cdx::Entry& e = pos.entry();
        std::string name = upper(trimRight(e.key, ' '));
        if (!offsets.insert(e.recno).second)
            store.fail("two tags share the header at offset " + std::to_string(e.recno));
        found.emplace_back(e.recno, name);
    }
    std::sort(found.begin(), found.end());
    for (const auto& [offset, name] : found) {
        tags.push_back(loadTag(name, offset));
        infos.push_back(tags.back().info);
    }
}

CdxFile::CdxFile() : impl_(std::make_unique<Impl>()) {}

CdxFile::CdxFile(const std::string& path, const std::vector<FieldDef>& fields, Mode mode)
    : impl_(std::make_unique<Impl>())
{
    impl_->fields = fields;
    impl_->store.open(path, mode == Mode::ReadWrite);
    impl_->load();
}

CdxFile::~CdxFile() = default;
CdxFile::CdxFile(CdxFile&&) noexcept = default;
CdxFile& CdxFile::operator=(CdxFile&&) noexcept = default;

CdxFile::Impl& CdxFile::impl() const
{
    return *impl_;
}
bool CdxFile::isOpen() const
{
    return impl_ && impl_->store.isOpen();
}
const std::string& CdxFile::path() const
{
    return impl_->store.path();
}
int CdxFile::fd() const
{
    return impl_->store.fd();
}
const std::vector<CdxTagInfo>& CdxFile::tags() const
{
    return impl_->infos;
}

void CdxFile::close()
{
    if (!impl_) return;
    impl_->tags.clear();
    impl_->infos.clear();
    impl_->store.close();
}

int CdxFile::tagIndex(const std::string& name) const
{
    std::string wanted = upper(name);
    for (std::size_t i = 0; i < impl_->infos.size(); ++i)
        if (impl_->infos[i].name == wanted) return static_cast<int>(i);
    return -1;
}

std::string CdxFile::keyFor(int tag, const RecordView& record) const
{
    return impl_->usableTag(tag).key.evaluateKey(record);
}

bool CdxFile::includes(int tag, const RecordView& record) const
{
    const CdxTagState& t = impl_->usableTag(tag);
    return !t.forCondition.valid() || t.forCondition.evaluateBool(record);
}

void CdxFile::insert(int tag, const std::string& key, std::uint32_t recno)
{
    impl_->requireWritable();
    const CdxTagState& t = impl_->usableTag(tag);
    if (key.size() != static_cast<std::size_t>(t.info.keyLength))
        impl_->store.fail("tag " + t.info.name + ": a key of " + std::to_string(key.size()) +
                          " bytes where the tag holds " + std::to_string(t.info.keyLength));
    change([&] { t.tree->insert(key, recno, t.info.unique); });
}

void CdxFile::change(const std::function<void()>& body)
{
    cdx::CdxStore& store = impl_->store;
    if (impl_->writeBack) {
        store.begin();
        try {
            body();
        } catch (...) {
            store.undo();
            throw;
        }
        store.end();
        return;
    }
    try {
        store.refresh();
        store.begin();
        body();
        store.commit();
    } catch (...) {
        store.rollback();
        throw;
    }
}

void CdxFile::remove(int tag, const std::string& key, std::uint32_t recno)
{
    impl_->requireWritable();
    const CdxTagState& t = impl_->usableTag(tag);
    change([&] {
        bool removed = t.tree->remove(key, recno);
        if (!removed && !t.info.unique)
            impl_->store.fail("tag " + t.info.name + " holds no such key for record " +
                              std::to_string(recno) + " (the index does not match the table; reindex it)");
    });
}

void CdxFile::setWriteBack(bool on)
{
    if (!on) impl_->store.commit();
    impl_->writeBack = on;
}

bool CdxFile::cacheCurrent() const
{
    return impl_->store.cacheCurrent();
}

void CdxFile::setCacheOnly(bool on)
{
    impl_->store.setCacheOnly(on);
}

void CdxFile::setLocked(bool locked)
{
    impl_->store.setLocked(locked);
}

std::uint32_t CdxFile::keyCount(int tag)
{
    return impl_->tag(tag).tree->count();
}

void CdxFile::refresh()
{
    impl_->store.refresh();
}

void CdxFile::flush()
{
    impl_->store.commit();
}

std::string CdxFile::keyFromParts(int tag, const std::vector<std::string>& parts, bool partial) const
{
    const CdxTagState& t = impl_->usableTag(tag);
    std::vector<KeyTerm> terms = t.key.keyTerms();
    auto bad = [&](const std::string& why) {
        impl_->store.fail("search on tag " + t.info.name + ": " + why);
    };
    if (parts.empty() || parts.size() > terms.size())
        bad("the key has " + std::to_string(terms.size()) + " parts, " + std::to_string(parts.size()) +
            " given");
    std::string key;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const KeyTerm& term = terms[i];
        const std::string& part = parts[i];
        bool open = partial && i + 1 == parts.size();
        if (term.type == ValueType::Numeric) {
            char* end = nullptr;
            double v = std::strtod(part.c_str(), &end);
            if (part.empty() || end == part.c_str() || *end != '\0') bad("\"" + part + "\" is not a number");
            key += encodeNumericKey(v);
        } else if (term.type == ValueType::Date || term.dtos) {
            std::int32_t julian = julianFromDtos(part);
            if (open && part.size() < 8 && part.find_first_not_of("0123456789") == std::string::npos &&
                term.dtos) {
                key += part;
                continue;
            }
            if (julian < 0) bad("\"" + part + "\" is not a date in the form yyyymmdd");
            if (term.dtos)
                key += julian ? part : std::string(8, ' ');
            else
                key += encodeDateKey(julian);
        } else if (term.type == ValueType::Logical) {
            key += (part == "T" || part == "t" || part == ".T.") ? "T" : "F";
        } else {
            bool lossy = false;
            std::string bytes = toCp1252(part, &lossy);
            if (lossy) bad("\"" + part + "\" has characters the index cannot hold");
            if (bytes.size() > static_cast<std::size_t>(term.length) && i + 1 < parts.size())
                bad("\"" + part + "\" is longer than its field (" + std::to_string(term.length) +
                    " characters)");
            if (!open && bytes.size() < static_cast<std::size_t>(term.length))
                bytes.append(static_cast<std::size_t>(term.length) - bytes.size(), ' ');
            key += bytes;
        }
    }
    return key;
}

std::vector<std::string> CdxFile::check(int tag, std::vector<std::pair<std::string, std::uint32_t>> expected)
{
    CdxTagState& t = impl_->tag(tag);
    std::vector<std::string> faults = t.tree->checkStructure();
    if (!faults.empty()) return faults;
    auto less = [](const auto& a, const auto& b) {
        return cdx::compareEntries(a.first, a.second, b.first, b.second) < 0;
    };
    std::sort(expected.begin(), expected.end(), less);
    if (t.info.unique)  // a unique tag keeps the first record of each key
        expected.erase(std::unique(expected.begin(), expected.end(),
                                   [](const auto& a, const auto& b) { return a.first == b.first; }),
                       expected.end());
    std::vector<std::pair<std::string, std::uint32_t>> actual;
    for (cdx::LeafPosition pos = t.tree->first(); pos.valid(); t.tree->next(pos))
        actual.emplace_back(pos.entry().key, pos.entry().recno);
    std::vector<std::pair<std::string, std::uint32_t>> missing, extra;
    std::set_difference(expected.begin(), expected.end(), actual.begin(), actual.end(),
                        std::back_inserter(missing), less);
    std::set_difference(actual.begin(), actual.end(), expected.begin(), expected.end(),
                        std::back_inserter(extra), less);
    const std::size_t kShown = 20;
    for (std::size_t i = 0; i < missing.size() && i < kShown; ++i)
        faults.push_back("tag " + t.info.name + ": record " + std::to_string(missing[i].second) +
                         " has no key \"" + toUtf8(missing[i].first) + "\"");
    for (std::size_t i = 0; i < extra.size() && i < kShown; ++i)
        faults.push_back("tag " + t.info.name + ": key \"" + toUtf8(extra[i].first) + "\" for record " +
                         std::to_string(extra[i].second) + " does not match the table");
    if (missing.size() > kShown || extra.size() > kShown)
        faults.push_back("tag " + t.info.name + ": " + std::to_string(missing.size()) + " keys missing and " +
                         std::to_string(extra.size()) + " keys too many in all");
    return faults;
}

}  // namespace foxpro
