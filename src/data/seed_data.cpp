#include "data/seed_data.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include "data/data_module_impl.h"
#include "data/table_schema.h"

namespace quintara {

namespace {

namespace fs = std::filesystem;

std::string trim(std::string_view text)
{
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

const TableSchema* schemaByStem(const std::string& stem)
{
    for (const TableSchema& s : tableSchemas())
        if (s.fileName == stem + ".DBF") return &s;
    return nullptr;
}

const foxpro::FieldDef* fieldOf(const TableSchema& schema, const std::string& name)
{
    for (const foxpro::FieldDef& f : schema.fields)
        if (f.name == name) return &f;
    return nullptr;
}

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Parser state: the table chosen last and the record being filled.
class SeedParser {
public:
    explicit SeedParser(std::string source) : source_(std::move(source)) {}

    void line(std::string_view raw, int number)
    {
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        std::string text = trim(raw);
        if (text.empty()) return finishRecord();
        if (text[0] == '#') return;
        if (raw.substr(0, 2) == "  ") return continuation(text, number);
        if (text.front() == '[' && text.back() == ']')
            return selectTable(text.substr(1, text.size() - 2), number);
        field(text, number);
    }

    std::vector<SeedRecord> finish()
    {
        finishRecord();
        return std::move(records_);
    }

private:
    [[noreturn]] void fail(int number, const std::string& message) const
    {
        throw std::runtime_error(source_ + ":" + std::to_string(number) + ": " + message);
    }

    void finishRecord()
    {
        if (!current_.fields.empty()) records_.push_back(current_);
        current_ = SeedRecord{};
    }

    void selectTable(const std::string& stem, int number)
    {
        finishRecord();
        schema_ = schemaByStem(upper(trim(stem)));
        if (!schema_) fail(number, "unknown table [" + stem + "]");
    }

    void field(const std::string& text, int number)
    {
        std::size_t colon = text.find(':');
        if (colon == std::string::npos) fail(number, "expected FIELD: value");
        if (!schema_) fail(number, "a field before any [TABLE] line");
        std::string name = upper(trim(text.substr(0, colon)));
        if (!fieldOf(*schema_, name)) fail(number, "table " + schema_->fileName + " has no field " + name);
        if (current_.fields.empty()) {
            current_.table = schema_->id;
            current_.line = number;
        }
        for (const auto& [existing, value] : current_.fields)
            if (existing == name) fail(number, "field " + name + " given twice in one record");
        current_.fields.emplace_back(name, trim(text.substr(colon + 1)));
    }

    void continuation(const std::string& text, int number)
    {
        if (current_.fields.empty()) fail(number, "a continuation line without a field before it");
        current_.fields.back().second += "\r\n" + text;
    }

    std::string source_;
    const TableSchema* schema_ = nullptr;
    SeedRecord current_;  // no fields yet = no record open
    std::vector<SeedRecord> records_;
};

}  // namespace

std::vector<SeedRecord> parseSeed(std::string_view text, const std::string& source)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    SeedParser parser(source);
    int number = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        parser.line(text.substr(0, end), ++number);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return parser.finish();
}

void writeSeed(DataModule& dm, const std::vector<SeedRecord>& records)
{
    for (const SeedRecord& record : records) {
        const TableSchema& schema = tableSchema(record.table);
        foxpro::Table& t = dm.table(record.table);
        t.setTag("");
        t.append();
        try {
            for (const auto& [name, value] : record.fields) {
                if (fieldOf(schema, name)->type == foxpro::FieldType::Memo)
                    t.setMemo(name, value);
                else
                    t.setString(name, value);
            }
            t.post();
        } catch (const std::exception& e) {
            t.cancel();
            throw std::runtime_error(schema.fileName + " record at line " + std::to_string(record.line) +
                                     ": " + e.what());
        }
    }
}

std::vector<std::pair<std::string, int>> loadSeedFolder(DataModule& dm, const std::string& seedFolder)
{
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(seedFolder))
        if (entry.is_regular_file() && entry.path().extension() == ".txt") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<SeedRecord> all;
    for (const fs::path& file : files) {
        std::vector<SeedRecord> records = parseSeed(readFile(file), file.filename().string());
        all.insert(all.end(), records.begin(), records.end());
    }
    writeSeed(dm, all);
    std::map<std::string, int> counts;
    for (const SeedRecord& record : all) ++counts[tableSchema(record.table).fileName];
    return {counts.begin(), counts.end()};
}

void createDataDirectory(const std::string& folder, const std::string& helpPage)
{
    const std::string dir = withTrailingSlash(folder);
    for (const TableSchema& s : tableSchemas())
        if (fs::exists(findFileIgnoringCase(dir, s.fileName)))
            throw std::runtime_error(dir + " already holds " + s.fileName + "; nothing was created");
    fs::create_directories(dir + "img");
    fs::create_directories(dir + "html");
    for (const TableSchema& s : tableSchemas()) createTable(dir, s.id);
    std::ofstream page(dir + "html/Quintara.html", std::ios::binary);
    page << helpPage;
    if (!page.flush()) throw std::runtime_error("cannot write " + dir + "html/Quintara.html");
}

}  // namespace quintara
