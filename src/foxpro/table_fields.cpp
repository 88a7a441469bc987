// Reading and setting field values of a Table's current record or edit
// buffer. Text crosses the interface in UTF-8 and is stored in
// Windows-1252; a value that does not fit its field throws.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "foxpro/cdx_key.h"
#include "foxpro/codepage.h"
#include "foxpro/field_codec.h"
#include "foxpro/table_impl.h"

namespace foxpro {

namespace {

bool isTrue(char c)
{
    return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

bool isFalse(char c)
{
    return c == 'F' || c == 'f' || c == 'N' || c == 'n';
}

std::int64_t readLe64(std::string_view raw)
{
    return static_cast<std::int64_t>(readLe32(raw, 0) | static_cast<std::uint64_t>(readLe32(raw, 4)) << 32);
}

double readDouble(std::string_view raw)
{
    double d = 0;
    std::memcpy(&d, raw.data(), sizeof d);
    return d;
}

std::string visualText(const FieldDef& f, std::string_view raw)
{
    char buf[64];
    switch (f.type) {
        case FieldType::Integer:
            return std::to_string(static_cast<std::int32_t>(readLe32(raw, 0)));
        case FieldType::Currency: {
            const std::int64_t v = readLe64(raw);
            const std::int64_t a = v < 0 ? -v : v;
            std::snprintf(buf, sizeof buf, "%s%" PRId64 ".%04" PRId64, v < 0 ? "-" : "", a / 10000,
                          a % 10000);
            return buf;
        }
        case FieldType::Double:
            std::snprintf(buf, sizeof buf, "%.*f", f.decimals, readDouble(raw));
            return buf;
        case FieldType::DateTime: {
            const std::string dtos = dtosFromJulian(static_cast<std::int32_t>(readLe32(raw, 0)));
            if (dtos.empty()) return "";
            const std::uint32_t ms = readLe32(raw, 4);
            std::snprintf(buf, sizeof buf, " %02u:%02u:%02u", ms / 3600000 % 24, ms / 60000 % 60,
                          ms / 1000 % 60);
            return dtosToDisplay(dtos) + buf;
        }
        default:
            return "";
    }
}

}  // namespace

void Table::Impl::requireWritable() const
{
    requireOpen();
    if (dbf.header().isVisual()) throw Error(path, "Visual FoxPro tables can only be read");
    if (!writable) throw Error(path, "the table is read-only");
}

std::string Table::getString(const std::string& field) const
{
    const Impl& t = *impl_;
    const int i = t.requireField(field);
    const std::string_view rec = t.current();
    if (t.isNull(rec, i)) return "";
    const FieldDef& f = t.fields[static_cast<std::size_t>(i)];
    const std::string_view raw = t.rawOf(rec, i);
    switch (f.type) {
        case FieldType::Character:
            return toUtf8(trimRightBlanks(raw));
        case FieldType::Numeric:
        case FieldType::Float:
            return std::string(trimBlanks(raw));
        case FieldType::Date:
            return dtosToDisplay(raw);
        case FieldType::Logical:
            return isTrue(raw[0]) ? "T" : isFalse(raw[0]) ? "F" : "";
        case FieldType::Memo:
            return getMemo(field);
        default:
            return visualText(f, raw);
    }
}

std::string Table::getRaw(const std::string& field) const
{
    const Impl& t = *impl_;
    return toUtf8(t.rawOf(t.current(), t.requireField(field)));
}

double Table::getNumber(const std::string& field) const
{
    const Impl& t = *impl_;
    const int i = t.requireField(field);
    const std::string_view rec = t.current();
    if (t.isNull(rec, i)) return 0.0;
    const FieldDef& f = t.fields[static_cast<std::size_t>(i)];
    const std::string_view raw = t.rawOf(rec, i);
    double value = 0.0;
    switch (f.type) {
        case FieldType::Numeric:
        case FieldType::Float:
        case FieldType::Character:
            if (!parseStoredNumber(raw, value))
                throw Error(t.path, "field " + f.name + " does not hold a number: \"" +
                                        toUtf8(trimBlanks(raw)) + "\"");
            return value;
        case FieldType::Integer:
            return static_cast<std::int32_t>(readLe32(raw, 0));
        case FieldType::Currency:
            return static_cast<double>(readLe64(raw)) / 10000.0;
        case FieldType::Double:
            return readDouble(raw);
        default:
            throw Error(t.path, "field " + f.name + " is not numeric");
    }
}

std::string Table::getDate(const std::string& field) const
{
    const Impl& t = *impl_;
    const int i = t.requireField(field);
    const std::string_view rec = t.current();
    const FieldDef& f = t.fields[static_cast<std::size_t>(i)];
    if (f.type != FieldType::Date && f.type != FieldType::DateTime)
        throw Error(t.path, "field " + f.name + " is not a date field");
    if (t.isNull(rec, i)) return "";
    const std::string_view raw = t.rawOf(rec, i);
    if (f.type == FieldType::DateTime) return dtosFromJulian(static_cast<std::int32_t>(readLe32(raw, 0)));
    if (trimBlanks(raw).empty()) return "";
    if (julianFromDtos(raw) <= 0)
        throw Error(t.path, "field " + f.name + " holds an invalid date \"" + toUtf8(raw) + "\"");
    return std::string(raw);
}

bool Table::getLogical(const std::string& field) const
{
    const Impl& t = *impl_;
    const int i = t.requireField(field);
    const FieldDef& f = t.fields[static_cast<std::size_t>(i)];
    if (f.type != FieldType::Logical) throw Error(t.path, "field " + f.name + " is not a logical field");
    const std::string_view rec = t.current();
    return !t.isNull(rec, i) && isTrue(t.rawOf(rec, i)[0]);
}

std::string Table::getMemo(const std::string& field) const
{
    return toUtf8(getMemoBytes(field));
}

std::string Table::getMemoBytes(const std::string& field) const
{
    const Impl& t = *impl_;
    const int i = t.requireField(field);
    const FieldDef& f = t.fields[static_cast<std::size_t>(i)];
    if (f.type != FieldType::Memo) throw Error(t.path, "field " + f.name + " is not a memo field");
    const auto pending = t.pendingMemos.find(i);
    if (pending != t.pendingMemos.end()) return pending->second;
    const std::string_view rec = t.current();
    std::uint32_t block = 0;
    if (t.isNull(rec, i)) return "";
    if (!parseMemoBlock(t.rawOf(rec, i), block))
        throw Error(t.path, "field " + f.name + " holds a damaged memo reference");
    return block == 0 ? "" : t.memo->read(block);
}

bool Table::isDeleted() const
{
    return impl_->current()[0] == '*';
}

void Table::Impl::requireEditing() const
{
    if (state == EditState::None)
        throw Error(path, "the table is not being edited: call edit() or append() first");
}

void Table::Impl::store(int field, const std::string& bytes)
{
    const FieldSlot& s = slots[static_cast<std::size_t>(field)];
    buffer.replace(static_cast<std::size_t>(s.offset), static_cast<std::size_t>(s.length), bytes);
}

std::string Table::Impl::cp1252Of(const std::string& utf8, const std::string& field) const
{
    bool lossy = false;
    std::string bytes = toCp1252(utf8, &lossy);
    if (lossy)
        throw Error(path,
                    "field " + field + ": the text \"" + utf8 + "\" has characters that cannot be stored");
    return bytes;
}

void Table::setString(const std::string& field, const std::string& value)
{
    Impl& t = *impl_;
    t.requireEditing();
    const int i = t.requireField(field);
    const FieldDef& f = t.fields[static_cast<std::size_t>(i)];
    switch (f.type) {
        case FieldType::Character: {
            const std::string bytes = t.cp1252Of(value, f.name);
            if (static_cast<int>(bytes.size()) > f.length)
                throw Error(t.path, "the text \"" + value + "\" (" + std::to_string(utf8Length(value)) +
                                        " characters) does not fit in field " + f.name + " (width " +
                                        std::to_string(f.length) + ")");
            t.store(i, bytes + std::string(static_cast<std::size_t>(f.length) - bytes.size(), ' '));
            return;
        }
        case FieldType::Numeric:
        case FieldType::Float:
            t.store(i, trimBlanks(value).empty()
                           ? std::string(static_cast<std::size_t>(f.length), ' ')
                           : encodeNumericField(value, f.length, f.decimals, t.path, f.name));
            return;
        case FieldType::Date: {
            std::string stored;
            if (!dateTextToStored(value, stored))
                throw Error(t.path, "\"" + value + "\" is not a valid date (field " + f.name + ")");
            t.store(i, stored);
            return;
        }
        case FieldType::Logical: {
            const std::string v(trimBlanks(value));
            const std::string inner = v.size() == 3 && v[0] == '.' && v[2] == '.' ? v.substr(1, 1) : v;
            if (inner.empty())
                t.store(i, " ");
            else if (inner.size() == 1 && isTrue(inner[0]))
                t.store(i, "T");
            else if (inner.size() == 1 && isFalse(inner[0]))
                t.store(i, "F");
            else
                throw Error(t.path, "\"" + value + "\" is not a logical value (field " + f.name + ")");
            return;
        }
        case FieldType::Memo:
            setMemo(field, value);
            return;
        default:
            throw Error(t.path, "field " + f.name + " cannot be written");
    }
}

void Table::setNumber(const std::string& field, double value)
{
    Impl& t = *impl_;
    t.requireEditing();
    const int i = t.requireField(field);
    const FieldDef& f = t.fields[static_cast<std::size_t>(i)];
    if (f.type != FieldType::Numeric && f.type != FieldType::Float)
        throw Error(t.path, "field " + f.name + " is not numeric");
    t.store(i, encodeNumericField(value, f.length, f.decimals, t.path, f.name));
}

void Table::setDate(const std::string& field, const std::string& dtos)
{
    Impl& t = *impl_;
    t.requireEditing();
    const int i = t.requireField(field);
    const FieldDef& f = t.fields[static_cast<std::size_t>(i)];
    if (f.type != FieldType::Date) throw Error(t.path, "field " + f.name + " is not a date field");
    if (dtos.empty()) {
        t.store(i, std::string(8, ' '));
        return;
    }
    if (dtos.size() != 8 || julianFromDtos(dtos) <= 0)
        throw Error(t.path, "\"" + dtos + "\" is not a valid date (field " + f.name + ")");
    t.store(i, dtos);
}

void Table::setLogical(const std::string& field, bool value)
{
    Impl& t = *impl_;
    t.requireEditing();
    const int i = t.requireField(field);
    const FieldDef& f = t.fields[static_cast<std::size_t>(i)];
    if (f.type != FieldType::Logical) throw Error(t.path, "field " + f.name + " is not a logical field");
    t.store(i, value ? "T" : "F");
}

void Table::setMemo(const std::string& field, const std::string& text)
{
    const Impl& t = *impl_;
    t.requireEditing();
    setMemoBytes(field, t.cp1252Of(text, field));
}

void Table::setMemoBytes(const std::string& field, const std::string& bytes)
{
    Impl& t = *impl_;
    t.requireEditing();
    const int i = t.requireField(field);
    const FieldDef& f = t.fields[static_cast<std::size_t>(i)];
    if (f.type != FieldType::Memo) throw Error(t.path, "field " + f.name + " is not a memo field");
    t.pendingMemos[i] = bytes;
}

}  // namespace foxpro
