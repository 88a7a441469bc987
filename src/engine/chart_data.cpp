#include "engine/chart_data.h"

#include <optional>

#include "data/format_text.h"
#include "engine/text_columns.h"

namespace quintara {

namespace {

std::string lineKind(const std::string& line)
{
    std::string head = columns(line, 1, 5);
    for (char& c : head)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return head;
}

bool isOneOf(const std::string& kind, std::initializer_list<const char*> kinds)
{
    for (const char* k : kinds)
        if (kind == k) return true;
    return false;
}

// Columns 69-83 without the thousands dots.
std::optional<Amount> lineAmount(const std::string& line)
{
    std::string text = columns(line, 69, 15);
    std::erase(text, '.');
    text = trimBlanks(text);
    if (text.empty()) return std::nullopt;
    try {
        return Amount::parse(text);
    } catch (const std::exception&) {
        return std::nullopt;  // a line without an amount gives no point
    }
}

std::string pointLabel(const std::string& line, const std::string& kind)
{
    if (isOneOf(kind, {"MULTA", "JUROS", "RESUL", "TOTAL", "CONVE"})) return "";
    return columns(line, 15, 10);
}

}  // namespace

TotalsChart totalsChart(const TotalsChartInput& in)
{
    TotalsChart chart;
    const Amount total = in.principal + in.correction + in.ordinary + in.compensatory + in.fine;
    if (!in.originSymbol.empty()) {
        chart.titleLines.push_back("Período de " + in.origin.toString() + " até " +
                                   in.calculation.toString());
        chart.titleLines.push_back(
            formatText("%-17s%-4s%15.2n", {"Valor Original", in.originSymbol, in.original}));
        chart.titleLines.push_back(
            formatText("%-17s%-4s%15.2n", {"Total Corrigido", in.calculationSymbol, total}));
        if (in.fees > Amount()) {
            chart.titleLines.push_back(
                formatText("%-17s%-4s%15.2n", {"Honorários", in.calculationSymbol, in.fees}));
            chart.titleLines.push_back(
                formatText("%-17s%-4s%15.2n", {"Total Cálculo", in.calculationSymbol, total + in.fees}));
        }
    }
    chart.slices.push_back({"Valor Principal", in.principal});
    chart.slices.push_back({"Correção Monetária", in.correction});
    const PieSlice optional[] = {{"Juros Ordinários", in.ordinary},
                                 {"Juros Compensatórios", in.compensatory},
                                 {"Multa", in.fine},
                                 {"Honorários", in.fees}};
    for (const PieSlice& s : optional)
        if (s.value > Amount()) chart.slices.push_back(s);
    return chart;
}

CorrectionChart correctionChart(const CorrectionChartInput& in)
{
    CorrectionChart chart;
    chart.titleLines.push_back("Período de " + in.origin.toString() + " até " + in.calculation.toString());
    chart.titleLines.push_back(
        formatText("Valor Original %-4s%15.2n    =>    Valor Corrigido %-4s%15.2n",
                   {in.originSymbol, in.original, in.calculationSymbol, in.corrected}));
    chart.titleLines.emplace_back("[Juros, Multa e Honorários não embutidos no gráfico]");
    const ChartPoint start{in.origin.toString(), in.original};
    chart.corrected.points.push_back(start);
    chart.principal.points.push_back(start);
    for (const std::string& line : in.calculationLines) {
        const std::string kind = lineKind(line);
        const std::string label = pointLabel(line, kind);
        if (!isOneOf(kind, {"MULTA", "JUROS", "RESUL", "TOTAL", "CONVE", "INFO:", "ERRO "}))
            if (std::optional<Amount> value = lineAmount(line))
                chart.corrected.points.push_back({label, *value});
        if (isOneOf(kind, {"MULTA", "JUROS", "RESUL", "TOTAL"})) continue;
        if (kind == "CONVE") {
            if (std::optional<Amount> value = lineAmount(line))
                chart.principal.points.push_back({"", *value});
        } else {
            chart.principal.points.push_back({label, chart.principal.points.back().value});
        }
    }
    return chart;
}

}  // namespace quintara
