#include "foxpro/dump.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "foxpro/cdx_file.h"
#include "foxpro/cdx_key.h"
#include "foxpro/dbf_file.h"
#include "foxpro/field_codec.h"
#include "foxpro/md5.h"
#include "foxpro/memo_file.h"
#include "foxpro/table_files.h"

namespace foxpro {

namespace {

std::string hexByte(unsigned v)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", v & 0xFF);
    return buf;
}

// Built by appending into one reserved string: GCC 12 at -O3 misreads the
// inlined `literal + string` (an insert at position 0) as an overlapping copy.
std::string quotedText(std::string_view bytes)
{
    const std::string escaped = escapeDumpText(bytes);
    std::string out;
    out.reserve(escaped.size() + 2);
    out += '"';
    out += escaped;
    out += '"';
    return out;
}

// A date key or date value as the dump prints it.
std::string dateText(std::int32_t julian)
{
    const std::string dtos = dtosFromJulian(julian);
    return dtos.empty() ? "EMPTY" : dtos;
}

std::string memoText(const FieldLayout& field, std::string_view raw, const MemoFile* memo,
                     const std::string& file)
{
    std::uint32_t block = 0;
    if (!parseMemoBlock(raw, block))
        throw Error(file, "field " + field.def.name + " holds a damaged memo reference");
    if (block == 0) return "M(0)";
    if (!memo)
        throw Error(file, "field " + field.def.name + " refers to a memo but the memo file is missing");
    const std::string bytes = memo->read(block);
    if (bytes.empty()) return "M(0)";
    return "M(" + std::to_string(bytes.size()) + "," + md5Hex(bytes) + "," +
           quotedText(std::string_view(bytes).substr(0, 40)) + ")";
}

std::string visualValue(const FieldLayout& field, std::string_view raw)
{
    char buf[64];
    switch (field.def.type) {
        case FieldType::Integer:
            return std::to_string(static_cast<std::int32_t>(readLe32(raw, 0)));
        case FieldType::Currency: {
            const auto v = static_cast<std::int64_t>(readLe32(raw, 0) |
                                                     static_cast<std::uint64_t>(readLe32(raw, 4)) << 32);
            std::snprintf(buf, sizeof buf, "%s%" PRId64 ".%04" PRId64, v < 0 ? "-" : "",
                          (v < 0 ? -v : v) / 10000, (v < 0 ? -v : v) % 10000);
            return buf;
        }
        case FieldType::Double: {
            double d = 0;
            std::memcpy(&d, raw.data(), 8);
            std::snprintf(buf, sizeof buf, "%.*f", field.def.decimals, d);
            return buf;
        }
        case FieldType::DateTime: {
            const auto julian = static_cast<std::int32_t>(readLe32(raw, 0));
            const std::uint32_t ms = readLe32(raw, 4);
            if (julian == 0) return "EMPTY";
            std::snprintf(buf, sizeof buf, "%s%02u%02u%02u", dateText(julian).c_str(), ms / 3600000,
                          ms / 60000 % 60, ms / 1000 % 60);
            return buf;
        }
        default:
            return "";
    }
}

std::string fieldValue(const FieldLayout& field, std::string_view raw, const MemoFile* memo,
                       const std::string& file)
{
    switch (field.def.type) {
        case FieldType::Character:
            return quotedText(trimRightBlanks(raw));
        case FieldType::Numeric:
        case FieldType::Float: {
            std::string text;
            if (!canonicalDecimal(raw, field.def.decimals, text)) return std::string(trimBlanks(raw));
            return text;
        }
        case FieldType::Date:
            return trimBlanks(raw).empty() ? "EMPTY" : std::string(raw);
        case FieldType::Logical:
            return raw[0] == 'T' || raw[0] == 't' || raw[0] == 'Y' || raw[0] == 'y' ? "T" : "F";
        case FieldType::Memo:
            return memoText(field, raw, memo, file);
        default:
            return visualValue(field, raw);
    }
}

bool isNull(const DbfHeader& h, const FieldLayout& field, std::string_view record)
{
    if (field.nullBit < 0 || h.nullFlagsField < 0) return false;
    const FieldLayout& flags = h.fields[static_cast<std::size_t>(h.nullFlagsField)];
    const auto byte =
        static_cast<unsigned char>(record[static_cast<std::size_t>(flags.offset + field.nullBit / 8)]);
    return (byte >> (field.nullBit % 8)) & 1;
}

std::string keyText(const CdxTagInfo& tag, const std::string& key)
{
    switch (tag.keyType) {
        case 'D':
            return dateText(decodeDateKey(key));
        case 'N': {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.15g", decodeNumericKey(key));
            return buf;
        }
        case 'L':
            return key == "T" ? "T" : "F";
        default:
            return quotedText(trimRightBlanks(key));
    }
}

struct Search {
    std::string label;
    std::string key;
    std::string shown;
};

std::vector<Search> searchesFor(const CdxTagInfo& tag, const std::vector<std::string>& keys)
{
    std::vector<Search> out;
    const std::size_t n = keys.size();
    std::vector<std::size_t> positions;
    for (std::size_t p : {std::size_t{1}, (n + 1) / 2, n})
        if (p >= 1 && p <= n && std::find(positions.begin(), positions.end(), p) == positions.end())
            positions.push_back(p);
    const bool date = tag.keyType == 'D';
    for (std::size_t p : positions) {
        const std::string& k = keys[p - 1];
        std::string at = "@";
        at += std::to_string(p);
        at += '-';
        if (date) {
            const std::int32_t julian = decodeDateKey(k);
            out.push_back(Search{at + "exact", k, dateText(julian)});
            if (julian == 0) continue;
            out.push_back(Search{at + "after", encodeDateKey(julian + 1), dateText(julian + 1)});
            out.push_back(Search{at + "before", encodeDateKey(julian - 1), dateText(julian - 1)});
            continue;
        }
        out.push_back(Search{at + "exact", k, quotedText(k)});
        const std::string t(trimRightBlanks(k));
        if (t.empty()) continue;
        const std::string prefix = t.substr(0, std::max<std::size_t>(1, t.size() / 2));
        out.push_back(Search{at + "prefix", prefix, quotedText(prefix)});
        if (static_cast<unsigned char>(t.back()) < 0xFF) {
            std::string after = t;
            after.back() = static_cast<char>(static_cast<unsigned char>(after.back()) + 1);
            out.push_back(Search{at + "after", after, quotedText(after)});
        }
    }
    const auto length = static_cast<std::size_t>(tag.keyLength);
    if (date) {
        out.push_back(Search{"empty", encodeDateKey(0), "EMPTY"});
        out.push_back(Search{"high", encodeDateKey(julianDay(9999, 12, 31)), "99991231"});
    } else {
        out.push_back(Search{"blank", std::string(length, ' '), quotedText(std::string(length, ' '))});
        out.push_back(Search{"high", std::string(length, '\xFF'), quotedText(std::string(length, '\xFF'))});
    }
    return out;
}

class TableDumper {
public:
    TableDumper(const std::string& path, std::ostream& out) : path_(path), out_(out)
    {
        dbf_.open(path, false);
    }

    void run()
    {
        const DbfHeader& h = dbf_.header();
        out_ << "\nTABLE " << baseName(path_) << "\n";
        out_ << "HEADER version=" << hexByte(h.version) << " records=" << h.recordCount
             << " headerlen=" << h.headerLength << " recordlen=" << h.recordLength
             << " flags=" << hexByte(h.flags) << " codepage=" << hexByte(h.codePage) << "\n";
        openCompanions();
        printFields();
        printRecords();
        if (cdx_) printOrders();
        out_ << "END TABLE " << baseName(path_) << "\n";
    }

private:
    void openCompanions()
    {
        const DbfHeader& h = dbf_.header();
        const std::string fpt = h.hasMemoFields() ? findCompanion(path_, "FPT") : "";
        if (fpt.empty()) {
            out_ << "MEMOFILE none\n";
        } else {
            memo_.emplace();
            memo_->open(fpt, false);
            out_ << "MEMOFILE " << baseName(fpt) << " blocksize=" << memo_->headerBlockSize() << "\n";
        }
        for (const FieldLayout& f : h.fields)
            if (!(f.flags & kFieldSystem)) visible_.push_back(f.def);
        const std::string cdx = findCompanion(path_, "CDX");
        if (cdx.empty()) {
            out_ << "INDEXFILE none tags=0\n";
        } else {
            cdx_.emplace(cdx, visible_, CdxFile::Mode::ReadOnly);
            out_ << "INDEXFILE " << baseName(cdx) << " tags=" << cdx_->tags().size() << "\n";
        }
    }

    void printFields()
    {
        const DbfHeader& h = dbf_.header();
        out_ << "FIELDS " << visible_.size() << "\n";
        int i = 0;
        for (const FieldLayout& f : h.fields) {
            if (f.flags & kFieldSystem) continue;
            out_ << "FIELD " << ++i << " " << f.def.name << " " << static_cast<char>(f.def.type) << " "
                 << f.def.length << " " << f.def.decimals << "\n";
        }
        if (!cdx_) return;
        int t = 0;
        for (std::size_t tag = 0; tag < cdx_->tags().size(); ++tag) {
            const CdxTagInfo& info = cdx_->tags()[tag];
            out_ << "TAG " << ++t << " " << info.name << " key=" << quotedText(info.expression)
                 << " for=" << quotedText(info.forExpression) << " unique=" << (info.unique ? "T" : "F")
                 << " descend=" << (info.descending ? "T" : "F") << " type=" << info.keyType
                 << " len=" << info.keyLength << " keys=" << cdx_->keyCount(static_cast<int>(tag)) << "\n";
        }
    }

    void printRecords()
    {
        const DbfHeader& h = dbf_.header();
        const MemoFile* memo = memo_ ? &*memo_ : nullptr;
        out_ << "RECORDS " << h.recordCount << "\n";
        std::string line;
        for (std::uint32_t r = 1; r <= h.recordCount; ++r) {
            const std::string_view rec = dbf_.record(r);
            const bool deleted = rec[0] == '*';
            if (deleted) deleted_.push_back(r);
            line = "REC " + std::to_string(r) + (deleted ? " *" : " _");
            for (const FieldLayout& f : h.fields) {
                if (f.flags & kFieldSystem) continue;
                const std::string_view raw =
                    rec.substr(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.def.length));
                line +=
                    " " + f.def.name + "=" + (isNull(h, f, rec) ? "NULL" : fieldValue(f, raw, memo, path_));
            }
            out_ << line << "\n";
        }
        out_ << "DELETED " << deleted_.size();
        for (std::size_t i = 0; i < deleted_.size(); ++i) out_ << (i == 0 ? " " : ",") << deleted_[i];
        out_ << "\n";
    }

    bool isDeleted(std::uint32_t recno) const
    {
        return recno >= 1 && recno <= dbf_.recordCount() && dbf_.record(recno)[0] == '*';
    }

    void printOrders()
    {
        for (std::size_t tag = 0; tag < cdx_->tags().size(); ++tag) {
            const CdxTagInfo& info = cdx_->tags()[tag];
            CdxCursor cursor(*cdx_, static_cast<int>(tag));
            std::vector<std::string> keys;
            std::vector<std::uint32_t> recnos;
            for (bool ok = cursor.first(); ok; ok = cursor.next()) {
                keys.push_back(cursor.key());
                recnos.push_back(cursor.recNo());
            }
            out_ << "ORDER " << info.name << " " << keys.size() << "\n";
            for (std::size_t i = 0; i < keys.size(); ++i)
                out_ << "K " << recnos[i] << " " << keyText(info, keys[i]) << "\n";
            for (const Search& s : searchesFor(info, keys)) {
                out_ << "SEEK " << info.name << " " << s.label << " " << s.shown << " ->";
                for (bool deletedOn : {false, true})
                    for (bool soft : {false, true}) out_ << " " << seek(cursor, s.key, deletedOn, soft);
                out_ << "\n";
            }
        }
    }

    std::string seek(CdxCursor& cursor, const std::string& key, bool deletedOn, bool soft)
    {
        bool valid = cursor.seek(key);
        while (valid && deletedOn && isDeleted(cursor.recNo())) valid = cursor.next();
        const std::uint32_t eof = dbf_.recordCount() + 1;
        if (valid && cursor.key().compare(0, key.size(), key) == 0)
            return "T/" + std::to_string(cursor.recNo());
        return "F/" + std::to_string(soft && valid ? cursor.recNo() : eof);
    }

    std::string path_;
    std::ostream& out_;
    DbfFile dbf_;
    std::optional<MemoFile> memo_;
    std::optional<CdxFile> cdx_;
    std::vector<FieldDef> visible_;
    std::vector<std::uint32_t> deleted_;
};

}  // namespace

std::string escapeDumpText(std::string_view bytes)
{
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (u >= 0x20 && u <= 0x7E) {
            out += c;
        } else {
            out += "\\x";
            out += hex[u >> 4];
            out += hex[u & 15];
        }
    }
    return out;
}

void dumpTable(const std::string& dbfPath, std::ostream& out)
{
    TableDumper(dbfPath, out).run();
}

void dumpFolder(const std::string& folder, std::ostream& out)
{
    const std::vector<std::string> tables = listTables(folder);
    out << "DUMP-FORMAT 1\nTABLES " << tables.size() << "\n";
    for (const std::string& table : tables) dumpTable(table, out);
    out << "END\n";
}

}  // namespace foxpro
