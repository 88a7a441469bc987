#include "data/index_sources.h"

#include <ctime>
#include <filesystem>
#include <stdexcept>

#include "data/data_module_impl.h"
#include "foxpro/bulk_write.h"
#include "foxpro/codepage.h"
#include "foxpro/table.h"

namespace quintara {

namespace {

using foxpro::FieldDef;
using foxpro::FieldType;

constexpr int kAddressWidth = 254;

std::vector<FieldDef> sourceFields()
{
    return {{"FONT_COD", FieldType::Character, 10, 0},
            {"FONT_SGS", FieldType::Character, 10, 0},
            {"FONT_URL", FieldType::Character, kAddressWidth, 0},
            {"FONT_DATA", FieldType::Date, 8, 0},
            {"FONT_HORA", FieldType::Character, 8, 0},
            {"FONT_SHA", FieldType::Character, 64, 0}};
}

std::vector<FieldDef> logFields()
{
    return {{"FLOG_COD", FieldType::Character, 10, 0},
            {"FLOG_DATA", FieldType::Date, 8, 0},
            {"FLOG_HORA", FieldType::Character, 8, 0},
            {"FLOG_TIPO", FieldType::Character, 1, 0},
            {"FLOG_ORIG", FieldType::Character, kAddressWidth, 0},
            {"FLOG_SHA", FieldType::Character, 64, 0},
            {"FLOG_DINI", FieldType::Date, 8, 0},
            {"FLOG_DFIM", FieldType::Date, 8, 0},
            {"FLOG_ADD", FieldType::Numeric, 8, 0},
            {"FLOG_UPD", FieldType::Numeric, 8, 0},
            {"FLOG_SAME", FieldType::Numeric, 8, 0}};
}

// Opens the table, creating it first when the data directory lacks it.
foxpro::Table openOrCreate(const std::string& folder, const char* name, const std::vector<FieldDef>& fields,
                           const foxpro::TagDef& tag)
{
    std::string path = findFileIgnoringCase(folder, name);
    if (!std::filesystem::exists(path)) {
        path = folder + name;
        try {
            foxpro::Table::create(path, fields, {tag});
        } catch (const foxpro::Error&) {
            // Another process may have created it in the meantime.
            if (!std::filesystem::exists(path)) throw;
        }
    }
    return foxpro::Table(path);
}

// The first `width` characters of a UTF-8 text.
std::string cut(const std::string& text, std::size_t width)
{
    if (foxpro::utf8Length(text) <= width) return text;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && chars++ == width)
            return text.substr(0, i);
    }
    return text;
}

Date dateField(const foxpro::Table& t, const std::string& field)
{
    std::string dtos = t.getDate(field);
    return dtos.empty() ? Date() : Date::fromDtos(dtos);
}

IndexSource readSource(const foxpro::Table& t)
{
    return {t.getString("FONT_COD"), t.getString("FONT_SGS"), t.getString("FONT_URL"),
            Stamp{dateField(t, "FONT_DATA"), t.getString("FONT_HORA")}, t.getString("FONT_SHA")};
}

SourceLogEntry readEntry(const foxpro::Table& t)
{
    SourceLogEntry e;
    e.code = t.getString("FLOG_COD");
    e.stamp = {dateField(t, "FLOG_DATA"), t.getString("FLOG_HORA")};
    e.kind = t.getString("FLOG_TIPO") == "S" ? SourceKind::Service : SourceKind::File;
    e.origin = t.getString("FLOG_ORIG");
    e.sha256 = t.getString("FLOG_SHA");
    e.first = dateField(t, "FLOG_DINI");
    e.last = dateField(t, "FLOG_DFIM");
    e.added = static_cast<int>(t.getNumber("FLOG_ADD"));
    e.updated = static_cast<int>(t.getNumber("FLOG_UPD"));
    e.unchanged = static_cast<int>(t.getNumber("FLOG_SAME"));
    return e;
}

}  // namespace

Stamp Stamp::now()
{
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    char time[9];
    std::strftime(time, sizeof time, "%H:%M:%S", &local);
    return {Date(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900), time};
}

bool isSeriesNumber(const std::string& text)
{
    return !text.empty() && text.size() <= 10 && text.find_first_not_of("0123456789") == std::string::npos;
}

struct IndexSources::Impl {
    foxpro::Table sources;
    foxpro::Table log;
};

IndexSources::IndexSources(const std::string& folder) : impl_(std::make_unique<Impl>())
{
    const std::string dir = withTrailingSlash(folder);
    impl_->sources = openOrCreate(dir, kSourcesFile, sourceFields(), {"CODIGO", "FONT_COD", "", false});
    impl_->log = openOrCreate(dir, kLogFile, logFields(),
                              {"CODDATA", "FLOG_COD+DTOS(FLOG_DATA)+FLOG_HORA", "", false});
}

IndexSources::IndexSources(const DataModule& dm) : IndexSources(dm.tablesDir()) {}

IndexSources::~IndexSources() = default;

std::optional<IndexSource> IndexSources::find(const std::string& code)
{
    foxpro::Table& t = impl_->sources;
    t.refresh();
    t.setTag("CODIGO");
    if (code.empty() || foxpro::utf8Length(code) > 10 || !t.seek({code})) return std::nullopt;
    return readSource(t);
}

std::vector<IndexSource> IndexSources::all()
{
    foxpro::Table& t = impl_->sources;
    t.refresh();
    t.setTag("CODIGO");
    std::vector<IndexSource> out;
    for (t.first(); !t.eof(); t.next()) out.push_back(readSource(t));
    return out;
}

namespace {

// Edits the index's record, appending it first when missing, as one change.
template <typename Fill>
void storeSource(foxpro::Table& t, const std::string& code, Fill fill)
{
    if (code.empty() || foxpro::utf8Length(code) > 10)
        throw std::invalid_argument("'" + code + "' is not an index code");
    foxpro::BulkWrite bulk(t);
    t.refresh();
    t.setTag("CODIGO");
    if (t.seek({code})) {
        t.edit();
    } else {
        t.append();
        t.setString("FONT_COD", code);
    }
    fill(t);
    t.post();
    bulk.commit();
}

}  // namespace

void IndexSources::setSeries(const std::string& code, const std::string& series)
{
    if (!series.empty() && !isSeriesNumber(series))
        throw std::invalid_argument("the series number '" + series + "' is not a number of up to 10 digits");
    storeSource(impl_->sources, code, [&](foxpro::Table& t) { t.setString("FONT_SGS", series); });
}

void IndexSources::recordUpdate(const std::string& code, const std::string& address,
                                const std::string& sha256, const Stamp& stamp)
{
    storeSource(impl_->sources, code, [&](foxpro::Table& t) {
        t.setString("FONT_URL", cut(address, kAddressWidth));
        t.setDate("FONT_DATA", stamp.date.toDtos());
        t.setString("FONT_HORA", stamp.time);
        t.setString("FONT_SHA", sha256);
    });
}

void IndexSources::log(const SourceLogEntry& e)
{
    foxpro::Table& t = impl_->log;
    foxpro::BulkWrite bulk(t);
    t.refresh();
    t.setTag("");
    t.append();
    t.setString("FLOG_COD", e.code);
    t.setDate("FLOG_DATA", e.stamp.date.isEmpty() ? "" : e.stamp.date.toDtos());
    t.setString("FLOG_HORA", e.stamp.time);
    t.setString("FLOG_TIPO", e.kind == SourceKind::Service ? "S" : "F");
    t.setString("FLOG_ORIG", cut(e.origin, kAddressWidth));
    t.setString("FLOG_SHA", e.sha256);
    t.setDate("FLOG_DINI", e.first.isEmpty() ? "" : e.first.toDtos());
    t.setDate("FLOG_DFIM", e.last.isEmpty() ? "" : e.last.toDtos());
    t.setNumber("FLOG_ADD", e.added);
    t.setNumber("FLOG_UPD", e.updated);
    t.setNumber("FLOG_SAME", e.unchanged);
    t.post();
    bulk.commit();
}

std::vector<SourceLogEntry> IndexSources::history(const std::string& code)
{
    foxpro::Table& t = impl_->log;
    t.refresh();
    t.setTag("CODDATA");
    std::vector<SourceLogEntry> out;
    if (code.empty()) {
        for (t.first(); !t.eof(); t.next()) out.push_back(readEntry(t));
        return out;
    }
    if (foxpro::utf8Length(code) > 10) return out;
    std::string key = code + std::string(10 - foxpro::utf8Length(code), ' ');
    t.seekNearest({key}, true);
    for (; !t.eof() && t.getString("FLOG_COD") == code; t.next()) out.push_back(readEntry(t));
    return out;
}

std::optional<SourceLogEntry> IndexSources::lastEntry(const std::string& code)
{
    std::vector<SourceLogEntry> entries = history(code);
    if (entries.empty()) return std::nullopt;
    return entries.back();
}

int seedSeriesNumbers(IndexSources& sources, std::string_view text, const std::string& source)
{
    int line = 0;
    int stored = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string row(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++line;
        while (!row.empty() && (row.back() == '\r' || row.back() == ' ')) row.pop_back();
        if (row.empty() || row[0] == '#') continue;
        std::size_t semicolon = row.find(';');
        std::string code = row.substr(0, semicolon);
        std::string series = semicolon == std::string::npos ? std::string() : row.substr(semicolon + 1);
        if (semicolon == std::string::npos || code.empty() || (!series.empty() && !isSeriesNumber(series)))
            throw std::runtime_error(source + ":" + std::to_string(line) + ": expected CODE;NUMBER");
        sources.setSeries(code, series);
        ++stored;
    }
    return stored;
}

}  // namespace quintara
