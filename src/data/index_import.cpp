#include "data/index_import.h"

#include <cctype>
#include <map>
#include <optional>

#include "foxpro/bulk_write.h"
#include "foxpro/codepage.h"

namespace quintara {

namespace {

constexpr int kValueDecimals = 9;      // LCM_VALOR is N(20,9)
constexpr int kValueIntegerRoom = 10;  // positions left for the sign and the integer digits

std::string trim(std::string_view text)
{
    std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::string unquote(std::string text)
{
    text = trim(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = trim(text.substr(1, text.size() - 2));
    return text;
}

// How a file writes its decimals: the CSV export with a decimal comma only,
// the JSON export with a comma in texts or a point ("0.21").
enum class DecimalMark { Comma, CommaOrPoint };

// "0,21", "-1234,5" or (from JSON) "0.21" -> machine text "0.21".
std::string machineNumber(const std::string& text, int line, DecimalMark mark)
{
    if (mark == DecimalMark::Comma && text.find('.') != std::string::npos &&
        text.find(',') == std::string::npos)
        throw ImportError(line, "'" + text + "' is ambiguous: the decimal separator is the comma; write " +
                                    "the number without the point (1234) or with a comma (1,234)");
    std::string digits = text;
    bool negative = !digits.empty() && digits[0] == '-';
    if (negative) digits.erase(0, 1);
    std::size_t separator = digits.find_first_of(",.");
    std::string integer = digits.substr(0, separator);
    std::string fraction = separator == std::string::npos ? std::string() : digits.substr(separator + 1);
    auto allDigits = [](const std::string& s) {
        for (char c : s)
            if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        return true;
    };
    if (integer.empty() || !allDigits(integer) || !allDigits(fraction) ||
        (separator != std::string::npos && fraction.empty()))
        throw ImportError(line, "not a number: '" + text + "'");
    if (static_cast<int>(fraction.size()) > kValueDecimals)
        throw ImportError(line, "more than 9 decimals: '" + text + "'");
    std::size_t nonZero = integer.find_first_not_of('0');
    integer = nonZero == std::string::npos ? "0" : integer.substr(nonZero);
    if (static_cast<int>(integer.size()) + (negative ? 1 : 0) > kValueIntegerRoom)
        throw ImportError(line, "value too large for the table: '" + text + "'");
    return (negative ? "-" : "") + integer + (fraction.empty() ? "" : "." + fraction);
}

// Machine text reduced to one spelling per number, so that "0.210000000" as
// stored and "0.21" as imported compare equal.
std::string canonical(const std::string& machine)
{
    if (machine.empty()) return {};
    bool negative = machine[0] == '-';
    std::string body = negative ? machine.substr(1) : machine;
    std::size_t dot = body.find('.');
    std::string integer = body.substr(0, dot);
    std::string fraction = dot == std::string::npos ? std::string() : body.substr(dot + 1);
    fraction.resize(kValueDecimals, '0');
    std::size_t nonZero = integer.find_first_not_of('0');
    integer = nonZero == std::string::npos ? "0" : integer.substr(nonZero);
    bool zero = integer == "0" && fraction.find_first_not_of('0') == std::string::npos;
    return (negative && !zero ? "-" : "") + integer + "." + fraction;
}

class ValueCollector {
public:
    explicit ValueCollector(DecimalMark mark) : mark_(mark) {}

    void add(const std::string& dateText, const std::string& valueText, int line)
    {
        std::optional<Date> date = Date::tryParse(dateText);
        if (!date || date->isEmpty()) throw ImportError(line, "not a date (dd/mm/yyyy): '" + dateText + "'");
        auto [it, inserted] = seen_.emplace(date->serial(), line);
        if (!inserted)
            throw ImportError(
                line, "date " + date->toString() + " already given on line " + std::to_string(it->second));
        values_.push_back({*date, machineNumber(valueText, line, mark_), line});
    }
    std::vector<ImportedValue> take() { return std::move(values_); }

private:
    DecimalMark mark_;
    std::map<long, int> seen_;
    std::vector<ImportedValue> values_;
};

std::vector<ImportedValue> parseCsv(std::string_view text)
{
    ValueCollector collector(DecimalMark::Comma);
    bool first = true;
    int number = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string line = trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (line.empty()) continue;
        std::size_t semicolon = line.find(';');
        if (semicolon == std::string::npos || line.find(';', semicolon + 1) != std::string::npos)
            throw ImportError(number, "expected date;value: '" + line + "'");
        std::string date = unquote(line.substr(0, semicolon));
        std::string value = unquote(line.substr(semicolon + 1));
        bool header = first && date == "data";
        first = false;
        if (!header) collector.add(date, value, number);
    }
    return collector.take();
}

// The central bank's JSON export: an array of objects with the members
// "data" and "valor" (strings, or a number for the value).
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    std::vector<ImportedValue> read()
    {
        skipSpace();
        expect('[');
        skipSpace();
        if (peek() == ']') {
            next();
        } else {
            for (;;) {
                readObject();
                skipSpace();
                char c = next();
                if (c == ']') break;
                if (c != ',') fail("expected ',' or ']'");
            }
        }
        skipSpace();
        if (pos_ != text_.size()) fail("text after the closing ']'");
        return collector_.take();
    }

private:
    [[noreturn]] void fail(const std::string& message) const { throw ImportError(line_, message); }

    char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }

    char next()
    {
        if (pos_ >= text_.size()) fail("unexpected end of the file");
        char c = text_[pos_++];
        if (c == '\n') ++line_;
        return c;
    }

    void skipSpace()
    {
        while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) next();
    }

    void expect(char wanted)
    {
        if (next() != wanted) fail(std::string("expected '") + wanted + "'");
    }

    void readObject()
    {
        skipSpace();
        const int line = line_;
        expect('{');
        std::optional<std::string> date;
        std::optional<std::string> value;
        skipSpace();
        if (peek() == '}') {
            next();
        } else {
            for (;;) {
                skipSpace();
                std::string key = readString();
                skipSpace();
                expect(':');
                skipSpace();
                std::string member = readScalar();
                if (key == "data") date = member;
                if (key == "valor") value = member;
                skipSpace();
                char c = next();
                if (c == '}') break;
                if (c != ',') fail("expected ',' or '}'");
            }
        }
        if (!date || !value) throw ImportError(line, "an entry without \"data\" and \"valor\"");
        collector_.add(trim(*date), trim(*value), line);
    }

    std::string readScalar()
    {
        if (peek() == '"') return readString();
        std::string number;
        while (std::isdigit(static_cast<unsigned char>(peek())) || peek() == '-' || peek() == '.')
            number += next();
        if (number.empty()) fail("expected a text or a number");
        return number;
    }

    std::string readString()
    {
        expect('"');
        std::string out;
        for (char c = next(); c != '"'; c = next()) {
            if (c != '\\') {
                out += c;
                continue;
            }
            char escaped = next();
            switch (escaped) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'u':
                    fail("\\u escapes are not expected in dates and values");
                default:
                    out += escaped;
                    break;
            }
        }
        return out;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    ValueCollector collector_{DecimalMark::CommaOrPoint};
};

}  // namespace

std::vector<ImportedValue> parseIndexValues(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::size_t start = text.find_first_not_of(" \t\r\n");
    std::vector<ImportedValue> values =
        start != std::string_view::npos && text[start] == '[' ? JsonReader(text).read() : parseCsv(text);
    if (values.empty()) throw ImportError(0, "the file holds no values");
    return values;
}

namespace {

// A monthly index keeps one value per month, on its first day: any other
// day would be a value that the month's lookup never finds, or a second
// value for the month.
void requireFirstDays(const foxpro::Table& indices, const std::string& code,
                      const std::vector<ImportedValue>& values)
{
    if (indices.getString("TBCM_TIP") == "1") return;
    for (const ImportedValue& v : values)
        if (v.date.day() != 1)
            throw ImportError(v.line, v.date.toString() + " is not the first day of its month, and " + code +
                                          " is a monthly index");
}

}  // namespace

ImportCounts importIndexValues(DataModule& dm, const std::string& code,
                               const std::vector<ImportedValue>& values,
                               const std::function<void(std::size_t done)>& progress)
{
    foxpro::Table& indices = dm.Indices();
    indices.setTag("CODIGO");
    if (code.empty() || foxpro::utf8Length(code) > 10 || !indices.seek({code}))
        throw ImportError(0, "index " + code + " is not registered");
    requireFirstDays(indices, code, values);

    foxpro::Table& t = dm.ValorIndices();
    t.setFilterActive(false);
    t.setTag("CODDATA");
    // From the first seek to the last write no other writer changes the
    // table, so a date is looked up and stored as one step; any failure
    // undoes every value written so far.
    foxpro::BulkWrite bulk(t);
    t.refresh();
    ImportCounts counts;
    constexpr std::size_t kProgressStep = 500;
    std::size_t done = 0;
    for (const ImportedValue& v : values) {
        if (progress && ++done % kProgressStep == 0) progress(done);
        if (t.seek({code, v.date.toDtos()})) {
            if (canonical(t.getString("LCM_VALOR")) == canonical(v.value)) {
                ++counts.unchanged;
                continue;
            }
            t.edit();
            t.setString("LCM_VALOR", v.value);
            t.post();
            ++counts.updated;
        } else {
            t.append();
            t.setString("LCM_COD", code);
            t.setDate("LCM_DATA", v.date.toDtos());
            t.setString("LCM_VALOR", v.value);
            t.post();
            ++counts.added;
        }
    }
    bulk.commit();
    return counts;
}

}  // namespace quintara
