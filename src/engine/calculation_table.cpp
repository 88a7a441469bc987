#include "engine/calculation_table.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "data/format_text.h"
#include "engine/engine_dates.h"
#include "engine/text_columns.h"

namespace quintara {

namespace {

std::string symbolText(const std::string& symbol)
{
    return padLeftTo(columns(symbol, 1, 4), 4);
}

std::string conversionLine(Date date, double divisor, const std::string& symbol)
{
    return std::string(kConversionCode) + date.toString() + formatText("%15.6f", {divisor}) + "0" +
           symbolText(symbol) + "0";
}

// The value lines of one index share their code, kind and periodicity, and
// consecutive values often repeat (daily rates stay the same for weeks): the
// fixed parts and the last value's text are written once.
class ValueLines {
public:
    ValueLines(const std::string& code, int kind, int periodicity)
        : code_(padRightTo(code, 10)), kind_(std::to_string(kind)), periodicity_(std::to_string(periodicity))
    {
    }
    std::string line(Date date, double value, const std::string& symbol)
    {
        if (!valueText_ || value != value_) {
            value_ = value;
            valueText_ = formatText("%15.9f", {value});
        }
        std::string line;
        line.reserve(48);
        line += code_;
        line += date.toString();
        line += *valueText_;
        line += kind_;
        line += symbolText(symbol);
        line += periodicity_;
        return line;
    }

private:
    std::string code_;
    std::string kind_;
    std::string periodicity_;
    double value_ = 0;
    std::optional<std::string> valueText_;
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

// The lines of one sequence line's values. An index number (MULTIPLICADOR,
// MOEDA) enters with its first and last value only; percentages every value.
void appendValues(ReferenceData& data, CalculationTable& table, Currencies& moeda, const std::string& code,
                  Date queryFrom, Date queryTo, Date dataOrigem, bool conversor, int kind, int periodicity)
{
    std::vector<IndexValueRow> rows = data.values(code, queryFrom, queryTo);
    const std::size_t needed = table.size() + (appendsEveryRow(kind) ? rows.size() : 2) + 4;
    if (needed > table.capacity()) table.reserve(std::max(needed, 2 * table.capacity()));
    ValueLines lines(code, kind, periodicity);
    bool appended = false;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        Date d = rows[r].date < dataOrigem ? dataOrigem : rows[r].date;
        CurrencyInForce currency = data.currencyAt(d);
        moeda.atual = columns(currency.symbol, 1, 4);
        double divisor = conversor ? currency.divisor : 1.0;
        if (moeda.atual != moeda.anterior) {
            moeda.anterior = moeda.atual;
            table.push_back(conversionLine(d, divisor, moeda.atual));
        }
        bool lastRow = r + 1 == rows.size();
        if (appendsEveryRow(kind) || (appendsEnds(kind) && (!appended || lastRow))) {
            table.push_back(lines.line(d, rows[r].value, moeda.atual));
            appended = true;
        }
    }
}

}  // namespace

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
        appendValues(data, result.lines, moeda, code, queryFrom, end, dataOrigem, conversor, kind,
                     periodicity);
    }
    result.moedaAtual = moeda.atual;
    return result;
}

// Lines are read by position. A value too wide for its 15 columns pushes the
// last six columns right; they are then read from the end of the line so that
// such a value is still read whole.
TableLine SeparaLinhaTabela(const std::string& linha)
{
    TableLine l;
    // A plain ASCII line of the usual 41 columns is cut by byte position.
    if (linha.size() == 41 && std::all_of(linha.begin(), linha.end(),
                                          [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        l.code = linha.substr(0, 10);
        l.date = linha.substr(10, 10);
        l.value = linha.substr(20, 15);
        l.kind = linha.substr(35, 1);
        l.symbol = linha.substr(36, 4);
        l.periodicity = linha.substr(40, 1);
        return l;
    }
    std::size_t length = columnCount(linha);
    std::size_t valueWidth = length > 41 ? length - 26 : 15;
    l.code = columns(linha, 1, 10);
    l.date = columns(linha, 11, 10);
    l.value = columns(linha, 21, valueWidth);
    l.kind = columns(linha, 21 + valueWidth, 1);
    l.symbol = columns(linha, 22 + valueWidth, 4);
    l.periodicity = columns(linha, 26 + valueWidth, 1);
    return l;
}

}  // namespace quintara
