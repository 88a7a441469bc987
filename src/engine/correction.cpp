#include "engine/correction.h"

#include <algorithm>
#include <optional>

#include "data/format_text.h"
#include "engine/amount_steps.h"
#include "engine/engine_dates.h"
#include "engine/exact_quotient.h"
#include "engine/text_columns.h"

namespace quintara {

namespace {

const char* const kMonthAbbreviations[] = {"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                           "Jul", "Ago", "Set", "Out", "Nov", "Dez"};

// The texts of the last value and month shown: consecutive lines of an index
// often repeat them (daily rates stay the same for weeks), and writing them is
// the costly part of a memo line.
class ShownTexts {
public:
    const std::string& value(const Decimal& v)
    {
        if (!valueText_ || v.units != value_.units || v.scale != value_.scale) {
            value_ = v;
            // The values shown have at most nine decimals, which the nearest
            // long double gives back exactly.
            valueText_ = formatText("%15.9n", {v.toLongDouble()});
        }
        return *valueText_;
    }
    const std::string& month(Date date)
    {
        const int key = date.year() * 12 + date.month();
        if (!monthText_ || key != monthKey_) {
            monthKey_ = key;
            monthText_ = monthLabel(date);
        }
        return *monthText_;
    }

private:
    Decimal value_;
    std::optional<std::string> valueText_;
    int monthKey_ = 0;
    std::optional<std::string> monthText_;
};

// The state of one walk: the running value V, the kind of the last value
// line, and the index-number stretch opened by a division and not yet closed.
struct Walk {
    ReferenceData& data;
    std::vector<std::string>& memo;
    Amount value;
    int lastKind = 0;
    bool divisionOpen = false;
    Decimal openFactor;
    Date openDate;
    std::string openCode;
    ShownTexts shown;
};

void appendRightAligned(std::string& line, std::string_view text, std::size_t width)
{
    const std::size_t length = columnCount(text);
    if (length < width) line.append(width - length, ' ');
    line += text;
}

// "%-10s em <when> %20s %15.9n = %4s%15.2n" with code, label, value, symbol
// and V, written piece by piece; `when` is a date or a month label.
std::string stepLine(Walk& w, const std::string& code, std::string_view when, std::string_view label,
                     const Decimal& value, const std::string& symbol)
{
    std::string line;
    line.reserve(96);
    line += code;
    const std::size_t codeLength = columnCount(code);
    if (codeLength < 10) line.append(10 - codeLength, ' ');
    line += " em ";
    line += when;
    line += ' ';
    appendRightAligned(line, label, 20);
    line += ' ';
    line += w.shown.value(value);
    line += " = ";
    appendRightAligned(line, symbol, 4);
    line += formatText("%15.2n", {w.value});
    return line;
}

void divide(Walk& w, const std::string& code, Date date, const Decimal& value, const std::string& symbol)
{
    w.openFactor = value;
    w.openDate = lastDayOf(date);
    w.openCode = code;
    if (std::optional<Amount> r = dividedBy(w.value, value)) {
        w.value = *r;
        w.memo.push_back(stepLine(w, code, date.toString(), "Divide por:", value, symbol));
    } else {
        w.memo.push_back("Erro !!!: Ao dividir um valor do indice [" + code + "] em " + date.toString());
    }
    w.divisionOpen = true;
}

void multiply(Walk& w, const std::string& code, Date date, const Decimal& value, const std::string& symbol)
{
    if (std::optional<Amount> r = multipliedBy(w.value, value)) {
        w.value = *r;
        w.memo.push_back(stepLine(w, code, date.toString(), "Multiplica por:", value, symbol));
    } else {
        w.memo.push_back("Erro !!!: Ao multiplicar um valor do indice [" + code + "] em " + date.toString());
    }
    w.divisionOpen = false;
}

// Adds a percentage; a failure on a guarded line becomes an error line, on an
// unguarded one it ends the calculation.
void addPercentage(Walk& w, const std::string& code, Date date, const Decimal& value,
                   const std::string& symbol, bool guarded)
{
    std::optional<Amount> r = withPercentage(w.value, value);
    if (!r) {
        if (!guarded) throw std::overflow_error("floating point overflow applying index " + code);
        w.memo.push_back("Erro !!!: Ao aplicar um soma do Índice [" + code + "] em" + date.toString());
        return;
    }
    w.value = *r;
    w.memo.push_back(stepLine(w, code, w.shown.month(date), "Soma Perc.", value, symbol));
}

void convert(Walk& w, Date date, const Decimal& divisor, const std::string& symbol)
{
    std::optional<std::string> text;
    try {
        text = w.data.conversionText(date);
    } catch (const std::exception&) {
        text.reset();
    }
    std::optional<Amount> r = w.value;
    if (text && w.lastKind != MOEDA) r = dividedBy(w.value, divisor);
    if (!text || !r) {
        w.memo.push_back("Erro !!!: Ao tentar aplicar a conversão em " + date.toString());
        return;
    }
    w.value = *r;
    w.memo.push_back(formatText("%-10s %-50s = %4s%15.2n", {"CONVERSÃO", "=> " + *text, symbol, w.value}));
}

}  // namespace

std::string monthLabel(Date date)
{
    return padLeftTo(std::string(kMonthAbbreviations[date.month() - 1]) + "/" + std::to_string(date.year()),
                     10);
}

Amount ProporcaoMensal(bool ultimaLinha, Date dataRef, Date dataLinha, Date dataFim,
                       const Decimal& percentual)
{
    if (percentual.isZero()) return Amount();
    Date monthEnd = lastDayOf(dataLinha);
    const int daysInMonth = monthEnd.day();
    bool f = ultimaLinha;
    Date x = monthEnd;
    if (sameMonth(dataLinha, dataFim)) {
        f = false;
        x = dataFim;
    }
    int days = 0;
    if (f) {
        days = dataRef.day();
    } else {
        days = x.day() - dataRef.day();
        if (days == 0) return Amount();
    }
    // percentage × days / daysInMonth in ten-thousandths, rounded once.
    const Amount p = requireAmount(
        roundedQuotient({percentual.units, days, Amount::kScale}, {percentual.unit(), daysInMonth}),
        "monthly share");
    return TruncateToCents(p);
}

namespace {

// The value a line applies: a monthly percentage of an exact-day item is
// pro-rated in the first and the last line.
Decimal appliedValue(const TableEntry& e, bool first, bool last, bool mesCheio, Date dataOrigem,
                     Date dataCalculo)
{
    if (mesCheio || e.periodicity != MENSAL || e.kind != PERCENTUAL) return e.value;
    if (first) return Decimal::ofAmount(ProporcaoMensal(false, dataOrigem, e.date, dataCalculo, e.value));
    if (last) return Decimal::ofAmount(ProporcaoMensal(true, dataCalculo, e.date, dataCalculo, e.value));
    return e.value;
}

}  // namespace

Amount AplicaIndices(ReferenceData& data, const CalculationTable& tabela, std::vector<std::string>& memoria,
                     bool mesCheio, Date dataOrigem, Date dataCalculo, Amount valorOriginal)
{
    Walk w{data, memoria, valorOriginal, 0, false, {}, {}, {}, {}};
    const std::size_t n = tabela.size();
    if (memoria.size() + n + 2 > memoria.capacity())
        memoria.reserve(std::max(memoria.size() + n + 2, 2 * memoria.capacity()));
    for (std::size_t i = 0; i < n; ++i) {
        const TableEntry& e = tabela[i];
        const bool first = i == 0;
        const bool last = i + 1 == n;
        const Decimal value = appliedValue(e, first, last, mesCheio, dataOrigem, dataCalculo);
        const std::string symbol = padLeftTo(e.symbol, 4);
        if (e.isConversion()) {
            convert(w, e.date, value, symbol);
            continue;
        }
        w.lastKind = e.kind;
        if (e.kind == MULTIPLICADOR || e.kind == MOEDA) {
            if (!w.divisionOpen)
                divide(w, e.codeColumns(), e.date, value, symbol);
            else
                multiply(w, e.codeColumns(), e.date, value, symbol);
        } else if (e.kind == PERCENTUAL) {
            // A percentage ends an open index-number stretch: it is closed with
            // its own opening value, which undoes the division.
            if (w.divisionOpen) multiply(w, w.openCode, w.openDate, w.openFactor, symbol);
            addPercentage(w, e.codeColumns(), e.date, value, symbol, true);
        } else if (e.kind == TAXAJURO) {
            // A monthly rate on the first line is the origin month's own rate,
            // and a daily rate dated on the origin day that day's own: neither
            // is owed. A daily rate dated after the origin (which fell on a
            // weekend or holiday) is the next business day's, owed like any
            // other.
            const bool laterDay = e.periodicity == DIARIA && e.date > dataOrigem;
            if (first && !last && !laterDay) continue;
            if (!last)
                addPercentage(w, e.codeColumns(), e.date, value, symbol, false);
            else if (dataCalculo > e.date)
                addPercentage(w, e.codeColumns(), e.date, value, symbol, true);
        }
    }
    const std::string symbol = n > 0 ? padLeftTo(tabela.back().symbol, 4) : std::string();
    // A stretch still open at the end had a single value in the period: it is
    // closed with that value, as a percentage closes it, so that the result is
    // an amount of money and not the amount divided by an index number.
    if (w.divisionOpen) multiply(w, w.openCode, w.openDate, w.openFactor, symbol);
    memoria.push_back(formatText("%-10s em " + dataCalculo.toString() + " %36s = %4s%15.2n",
                                 {"Resultado", "", symbol, w.value}));
    return w.value;
}

}  // namespace quintara
