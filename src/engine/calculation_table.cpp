#include "engine/calculation_table.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "data/format_text.h"
#include "engine/engine_dates.h"
#include "engine/text_columns.h"

namespace quintara {

namespace {

constexpr int kValueDecimals = 9;    // "%15.9f"
constexpr int kDivisorDecimals = 6;  // "%15.6f"

// The decimal a number shows when written with the given decimals, as the
// table's lines have always shown it.
Decimal shownDecimal(double value, int decimals)
{
    return Decimal::parse(formatText(decimals == kValueDecimals ? "%15.9f" : "%15.6f", {value}));
}

// "%15.<decimals>f" of an exact decimal, rounded half to even when it has
// more decimals than shown.
std::string fixedText(const Decimal& value, int decimals)
{
    Decimal::Units units = value.units;
    if (value.scale > decimals) {
        const Decimal::Units step = powerOfTen(value.scale - decimals);
        Decimal::Units q = units / step;
        const Decimal::Units r = units % step;
        const Decimal::Units twice = 2 * (r < 0 ? -r : r);
        if (twice > step || (twice == step && q % 2 != 0)) q += units < 0 ? -1 : 1;
        units = q;
    } else {
        units *= powerOfTen(decimals - value.scale);
    }
    const bool negative = units < 0;
    if (negative) units = -units;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(units % 10)));
        units /= 10;
    } while (units > 0);
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, ',');
    if (negative) digits.insert(0, 1, '-');
    return padLeftTo(digits, 15);
}

// The values of one index share their code, kind and periodicity, and
// consecutive values often repeat (daily rates stay the same for weeks): the
// last value's decimal is kept.
class ValueEntries {
public:
    ValueEntries(const std::string& code, int kind, int periodicity)
        : code_(code), kind_(kind), periodicity_(periodicity)
    {
    }
    TableEntry entry(Date date, double value, const std::string& symbol)
    {
        if (!decimal_ || value != value_) {
            value_ = value;
            decimal_ = shownDecimal(value, kValueDecimals);
        }
        return TableEntry{code_, date, *decimal_, kind_, symbol, periodicity_};
    }

private:
    std::string code_;
    int kind_;
    int periodicity_;
    double value_ = 0;
    std::optional<Decimal> decimal_;
};

bool appendsEveryRow(int kind)
{
    return kind == PERCENTUAL || kind == TAXAJURO;
}
bool appendsEnds(int kind)
{
    return kind == MULTIPLICADOR || kind == MOEDA;
}

struct Currencies {
    std::string atual;
    std::string anterior;
};

// The entries of one sequence line's values. An index number (MULTIPLICADOR,
// MOEDA) enters with its first and last value only; percentages every value.
void appendValues(ReferenceData& data, CalculationTable& table, Currencies& moeda, const std::string& code,
                  Date queryFrom, Date queryTo, Date dataOrigem, bool conversor, int kind, int periodicity)
{
    std::vector<IndexValueRow> rows = data.values(code, queryFrom, queryTo);
    const std::size_t needed = table.size() + (appendsEveryRow(kind) ? rows.size() : 2) + 4;
    if (needed > table.capacity()) table.reserve(std::max(needed, 2 * table.capacity()));
    ValueEntries entries(code, kind, periodicity);
    bool appended = false;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        Date d = rows[r].date < dataOrigem ? dataOrigem : rows[r].date;
        CurrencyInForce currency = data.currencyAt(d);
        moeda.atual = columns(currency.symbol, 1, 4);
        double divisor = conversor ? currency.divisor : 1.0;
        if (moeda.atual != moeda.anterior) {
            moeda.anterior = moeda.atual;
            table.push_back(
                TableEntry{kConversionCode, d, shownDecimal(divisor, kDivisorDecimals), 0, moeda.atual, 0});
        }
        bool lastRow = r + 1 == rows.size();
        if (appendsEveryRow(kind) || (appendsEnds(kind) && (!appended || lastRow))) {
            table.push_back(entries.entry(d, rows[r].value, moeda.atual));
            appended = true;
        }
    }
}

}  // namespace

std::string TableEntry::codeColumns() const
{
    return padRightTo(code, 10);
}

std::string TableEntry::line() const
{
    std::string text;
    text.reserve(48);
    text += codeColumns();
    text += date.toString();
    text += fixedText(value, isConversion() ? kDivisorDecimals : kValueDecimals);
    text += std::to_string(kind);
    text += padLeftTo(symbol, 4);
    text += std::to_string(periodicity);
    return text;
}

std::vector<std::string> tableLines(const CalculationTable& table)
{
    std::vector<std::string> lines;
    lines.reserve(table.size());
    for (const TableEntry& entry : table) lines.push_back(entry.line());
    return lines;
}

int parseInteger(const std::string& text)
{
    std::string t = trimBlanks(text);
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(t, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (t.empty() || used != t.size())
        throw std::invalid_argument("'" + text + "' is not a valid integer value");
    return value;
}

Decimal parseTableNumber(const std::string& text)
{
    return Decimal::parse(text);
}

TableResult PegaValores(ReferenceData& data, const Sequence& sequenciaAjustada, Date dataOrigem,
                        bool conversor, const TableHooks& hooks)
{
    TableResult result;
    Currencies moeda;
    moeda.atual = moeda.anterior = columns(data.currencyAt(dataOrigem).symbol, 1, 4);
    const std::size_t count = sequenciaAjustada.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (hooks.interrupted && hooks.interrupted()) break;
        const std::string& line = sequenciaAjustada[i];
        std::string code = trimRightBlanks(columns(line, 1, 10));
        std::string startText = columns(line, 11, 10);
        std::string endText = columns(line, 21, 10);
        Date start = engineDate(startText);
        Date end = engineDate(endText);
        if (hooks.onSequenceLine) hooks.onSequenceLine(code, startText, endText, i, count);
        std::optional<IndexDefinition> index = data.index(code);
        if (!index) break;
        int kind = parseInteger(index->kind);
        int periodicity = parseInteger(index->periodicity);
        // A monthly index is queried from the first day of the start's month,
        // so the month's value enters even when the stretch starts mid-month.
        // A daily index is queried from the start itself: the rates of the days
        // before it are not owed, and would otherwise all enter on that day.
        Date queryFrom = periodicity == DIARIA ? start : firstDayOf(start);
        appendValues(data, result.entries, moeda, code, queryFrom, end, dataOrigem, conversor, kind,
                     periodicity);
    }
    result.moedaAtual = moeda.atual;
    return result;
}

}  // namespace quintara
