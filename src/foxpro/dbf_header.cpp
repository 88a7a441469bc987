#include "foxpro/dbf_header.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <set>

namespace foxpro {

namespace {

std::uint16_t le16(std::string_view b, std::size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                      static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t le32(std::string_view b, std::size_t at)
{
    return static_cast<std::uint32_t>(le16(b, at)) | static_cast<std::uint32_t>(le16(b, at + 2)) << 16;
}

void putLe16(std::string& b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void putLe32(std::string& b, std::size_t at, std::uint32_t v)
{
    putLe16(b, at, v & 0xFFFF);
    putLe16(b, at + 2, v >> 16);
}

bool knownVersion(std::uint8_t v)
{
    return v == 0x03 || v == 0x83 || v == 0xF5 || v == 0x30 || v == 0x31 || v == 0x32;
}

// Checks the width (and decimals) a field type allows. `visual` admits the
// Visual FoxPro types and its 4-byte memo references.
std::string widthProblem(const FieldDef& f, bool visual)
{
    const int len = f.length;
    switch (f.type) {
        case FieldType::Character:
            return len >= 1 && len <= 254 ? "" : "a character field must be 1 to 254 bytes wide";
        case FieldType::Numeric:
        case FieldType::Float:
            if (len < 1 || len > 20) return "a numeric field must be 1 to 20 bytes wide";
            if (f.decimals < 0 || (f.decimals > 0 && f.decimals > len - 2))
                return "a numeric field of width " + std::to_string(len) + " cannot have " +
                       std::to_string(f.decimals) + " decimals";
            return "";
        case FieldType::Date:
            return len == 8 ? "" : "a date field must be 8 bytes wide";
        case FieldType::Logical:
            return len == 1 ? "" : "a logical field must be 1 byte wide";
        case FieldType::Memo:
            return len == 10 || (visual && len == 4) ? "" : "a memo field must be 10 bytes wide";
        case FieldType::Integer:
            return len == 4 ? "" : "an integer field must be 4 bytes wide";
        case FieldType::Currency:
        case FieldType::Double:
        case FieldType::DateTime:
            return len == 8 ? "" : "this field type must be 8 bytes wide";
    }
    return "unknown field type";
}

bool typeFromByte(char c, bool visual, FieldType& out)
{
    switch (c) {
        case 'C':
            out = FieldType::Character;
            return true;
        case 'N':
            out = FieldType::Numeric;
            return true;
        case 'F':
            out = FieldType::Float;
            return true;
        case 'D':
            out = FieldType::Date;
            return true;
        case 'L':
            out = FieldType::Logical;
            return true;
        case 'M':
            out = FieldType::Memo;
            return true;
        default:
            break;
    }
    if (!visual) return false;
    switch (c) {
        case 'I':
            out = FieldType::Integer;
            return true;
        case 'Y':
            out = FieldType::Currency;
            return true;
        case 'B':
            out = FieldType::Double;
            return true;
        case 'T':
            out = FieldType::DateTime;
            return true;
        default:
            return false;
    }
}

std::string printableByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x21 && u <= 0x7E) return std::string("'") + c + "'";
    static const char* hex = "0123456789ABCDEF";
    return std::string("0x") + hex[u >> 4] + hex[u & 15];
}

FieldLayout parseDescriptor(std::string_view d, bool visual, const std::string& file, int number)
{
    FieldLayout f;
    const std::size_t nameEnd = std::min<std::size_t>(d.substr(0, 11).find('\0'), 11);
    f.def.name.assign(d.substr(0, nameEnd));
    for (char& c : f.def.name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string which =
        "field " + std::to_string(number) + (f.def.name.empty() ? std::string() : " (" + f.def.name + ")");
    if (f.def.name.empty()) throw Error(file, which + " has no name");
    f.offset = visual ? static_cast<int>(le32(d, 12)) : 0;
    f.def.length = static_cast<unsigned char>(d[16]);
    f.def.decimals = static_cast<unsigned char>(d[17]);
    f.flags = visual ? static_cast<std::uint8_t>(d[18]) : 0;
    if (visual && d[11] == '0' && (f.flags & kFieldSystem)) {
        f.def.type = FieldType::Character;  // _NullFlags: a hidden bit field
        if (f.def.length < 1) throw Error(file, which + " has length 0");
        return f;
    }
    if (!typeFromByte(d[11], visual, f.def.type))
        throw Error(file, which + " has an unsupported type " + printableByte(d[11]));
    if (f.def.type != FieldType::Numeric && f.def.type != FieldType::Float && f.def.type != FieldType::Double)
        f.def.decimals = 0;
    const std::string problem = widthProblem(f.def, visual);
    if (!problem.empty())
        throw Error(
            file, which + " has an impossible length " + std::to_string(f.def.length) + " (" + problem + ")");
    return f;
}

void layOutFields(DbfHeader& h, const std::string& file)
{
    int next = 1;
    int nullBit = 0;
    for (std::size_t i = 0; i < h.fields.size(); ++i) {
        FieldLayout& f = h.fields[i];
        if (f.offset == 0) f.offset = next;
        if (f.offset < 1 || f.offset + f.def.length > h.recordLength)
            throw Error(file, "field " + f.def.name + " lies outside the record length " +
                                  std::to_string(h.recordLength));
        next = f.offset + f.def.length;
        if (f.flags & kFieldSystem) {
            if (f.def.name == "_NULLFLAGS") h.nullFlagsField = static_cast<int>(i);
        } else if (f.flags & kFieldNullable) {
            f.nullBit = nullBit++;
        }
    }
    if (nullBit > 0) {
        const int available =
            h.nullFlagsField < 0 ? 0 : 8 * h.fields[static_cast<std::size_t>(h.nullFlagsField)].def.length;
        if (nullBit > available)
            throw Error(file, "the table has " + std::to_string(nullBit) +
                                  " fields that may be null but no room for their null flags");
    }
    if (!h.isVisual() && next != h.recordLength)
        throw Error(file, "the record length " + std::to_string(h.recordLength) +
                              " disagrees with the fields, which need " + std::to_string(next));
}

}  // namespace

bool DbfHeader::hasMemoFields() const
{
    return std::any_of(fields.begin(), fields.end(),
                       [](const FieldLayout& f) { return f.def.type == FieldType::Memo; });
}

std::uint16_t DbfHeader::peekHeaderLength(std::string_view first32)
{
    return first32.size() >= 10 ? le16(first32, 8) : 0;
}

DbfHeader DbfHeader::parse(std::string_view b, const std::string& file)
{
    if (b.size() < 32) throw Error(file, "the file is too short to hold a table header");
    DbfHeader h;
    h.version = static_cast<std::uint8_t>(b[0]);
    if (!knownVersion(h.version))
        throw Error(file, "not a FoxPro table (version byte " + printableByte(b[0]) + ")");
    h.updateYear = static_cast<std::uint8_t>(b[1]);
    h.updateMonth = static_cast<std::uint8_t>(b[2]);
    h.updateDay = static_cast<std::uint8_t>(b[3]);
    h.recordCount = le32(b, 4);
    h.headerLength = le16(b, 8);
    h.recordLength = le16(b, 10);
    h.flags = static_cast<std::uint8_t>(b[28]);
    h.codePage = static_cast<std::uint8_t>(b[29]);
    if (h.headerLength < 32 + 32 + 1)
        throw Error(file, "the header length " + std::to_string(h.headerLength) + " is too small");
    if (b.size() < h.headerLength) throw Error(file, "the file is truncated inside its header");
    if (h.recordLength < 2)
        throw Error(file, "the record length " + std::to_string(h.recordLength) + " is impossible");
    const bool visual = h.isVisual();
    std::size_t at = 32;
    while (true) {
        if (at >= h.headerLength) throw Error(file, "the field list has no end marker");
        if (b[at] == '\x0D') break;
        if (at + 32 > h.headerLength) throw Error(file, "the field list runs past the header length");
        h.fields.push_back(
            parseDescriptor(b.substr(at, 32), visual, file, static_cast<int>(h.fields.size()) + 1));
        at += 32;
    }
    if (h.fields.empty()) throw Error(file, "the table has no fields");
    std::set<std::string> names;
    for (const FieldLayout& f : h.fields)
        if (!names.insert(f.def.name).second) throw Error(file, "field " + f.def.name + " appears twice");
    layOutFields(h, file);
    return h;
}

DbfHeader DbfHeader::forNewTable(const std::vector<FieldDef>& fields, bool withCdx, const std::string& file)
{
    if (fields.empty()) throw Error(file, "a table needs at least one field");
    if (fields.size() > 255) throw Error(file, "a table holds at most 255 fields");
    DbfHeader h;
    std::set<std::string> names;
    int next = 1;
    for (const FieldDef& def : fields) {
        FieldLayout f;
        f.def = def;
        for (char& c : f.def.name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        const std::string& n = f.def.name;
        const bool goodName =
            !n.empty() && n.size() <= 10 && std::isalpha(static_cast<unsigned char>(n[0])) &&
            std::all_of(n.begin(), n.end(),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
        if (!goodName) throw Error(file, "invalid field name \"" + def.name + "\"");
        if (!names.insert(n).second) throw Error(file, "field " + n + " appears twice");
        const char t = static_cast<char>(f.def.type);
        if (t == 'I' || t == 'Y' || t == 'B' || t == 'T')
            throw Error(file, "field " + n + ": Visual FoxPro types cannot be created");
        if (f.def.type != FieldType::Numeric && f.def.type != FieldType::Float) f.def.decimals = 0;
        const std::string problem = widthProblem(f.def, false);
        if (!problem.empty()) throw Error(file, "field " + n + ": " + problem);
        f.offset = next;
        next += f.def.length;
        h.fields.push_back(f);
    }
    if (next > 0xFFFF) throw Error(file, "the record would be longer than 65535 bytes");
    h.version = h.hasMemoFields() ? 0xF5 : 0x03;
    h.flags = withCdx ? kTableHasCdx : 0;
    h.codePage = kCodePageWindows1252;
    h.headerLength = static_cast<std::uint16_t>(32 + 32 * fields.size() + 2);
    h.recordLength = static_cast<std::uint16_t>(next);
    h.touchDate();
    return h;
}

std::string DbfHeader::serialize() const
{
    std::string b(headerLength, '\0');
    b[0] = static_cast<char>(version);
    b[1] = static_cast<char>(updateYear);
    b[2] = static_cast<char>(updateMonth);
    b[3] = static_cast<char>(updateDay);
    putLe32(b, 4, recordCount);
    putLe16(b, 8, headerLength);
    putLe16(b, 10, recordLength);
    b[28] = static_cast<char>(flags);
    b[29] = static_cast<char>(codePage);
    std::size_t at = 32;
    for (const FieldLayout& f : fields) {
        std::copy(f.def.name.begin(), f.def.name.end(), b.begin() + static_cast<long>(at));
        b[at + 11] = static_cast<char>(f.def.type);
        b[at + 16] = static_cast<char>(f.def.length);
        b[at + 17] = static_cast<char>(f.def.decimals);
        at += 32;
    }
    b[at] = '\x0D';
    return b;
}

void DbfHeader::touchDate()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    updateYear = static_cast<std::uint8_t>((local.tm_year + 1900) % 100);
    updateMonth = static_cast<std::uint8_t>(local.tm_mon + 1);
    updateDay = static_cast<std::uint8_t>(local.tm_mday);
}

}  // namespace foxpro
