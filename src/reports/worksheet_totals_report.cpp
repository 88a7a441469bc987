#include "reports/worksheet_totals_report.h"
#include "reports/report_heading.h"

#include <algorithm>
#include <sstream>

#include "data/format_text.h"
#include "data/text_routines.h"
#include "reports/case_heading.h"
#include "reports/labelled_groups.h"

namespace quintara::reports {

namespace {

constexpr double kWidth = 185.9;  // Letter portrait inside 20 mm left and 10 mm right margins
constexpr int kWidestLine = 115;  // a cost line
constexpr double kRow = 4.6;

TextStyle listStyle(bool bold = false)
{
    TextStyle style = TextStyle::fixed(TextStyle::fixedPointSizeFor(kWidestLine, kWidth, 8));
    style.bold = bold;
    return style;
}

std::string amountText(Amount value)
{
    const std::string text = formatText("%19.2n", {value});
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

// One framed block of the title: a group's counter and sums.
void addGroupBlock(Band& band, double x, double y, double width, const std::string& title,
                   const TotalsGroup& group, const std::string& totalCaption)
{
    const TextStyle caption = TextStyle::sans(8);
    TextStyle strong = TextStyle::sans(8, true);
    const TextStyle value = TextStyle::fixed(8);
    band.fill({x, y, width, 5.5}, kSilver);
    band.text(x + 2, y + 0.8, width - 4, title, TextStyle::sans(9, true));
    const struct {
        const char* caption;
        std::string value;
        bool strong;
    } rows[] = {
        {"Quantidade de Itens:", ZeroPadNumber(group.items, 3), false},
        {"Valor Principal da Dívida", amountText(group.principal), false},
        {"Correção Monetária", amountText(group.correction), false},
        {"Juros Ordinários", amountText(group.ordinary), false},
        {"Juros Compensatórios", amountText(group.compensatory), false},
        {"Multa", amountText(group.fine), false},
        {"Subtotal ->", amountText(group.subtotal), true},
        {"Honorários", amountText(group.fees), false},
        {totalCaption.c_str(), amountText(group.total), true},
    };
    double rowY = y + 7;
    for (const auto& row : rows) {
        band.text(x + 2, rowY, width * 0.55, row.caption, row.strong ? strong : caption);
        TextStyle shown = value;
        shown.bold = row.strong;
        band.text(x + width * 0.5, rowY, width * 0.5 - 2, row.value, shown, Align::Right);
        rowY += kRow;
    }
    band.frame({x, y, width, rowY - y + 1}, 0.3);
}

Band titleBand(const WorksheetTotalsReport& r)
{
    Band band(112);
    const double top = addCaseHeading(band,
                                      {"Resultado do Processo (Totais do Cálculo)", r.caseNumber, r.protocol,
                                       r.responsible, r.description, "Abertura em " + r.opening, r.printedAt},
                                      kWidth) +
                       2;
    const double half = (kWidth - 4) / 2;
    addGroupBlock(band, 0, top, half, "Dívida", r.debts, "Total da Dívida ->");
    addGroupBlock(band, half + 4, top, half, "Amortização", r.payments, "Total Amortização ->");
    TextStyle note = TextStyle::sans(6);
    note.italic = true;
    const double below = top + 7 + 9 * kRow + 2;
    band.text(0, below, kWidth,
              "O Valor Principal da Dívida corresponde ao valor original levado pelas conversões da moeda "
              "nacional.",
              note);
    const TextStyle caption = TextStyle::sans(9, true);
    const TextStyle value = TextStyle::fixed(9, true);
    band.text(0, below + 5, 60, "Total Custas =>", caption);
    band.text(kWidth - 60, below + 5, 60, amountText(r.costs), value, Align::Right);
    band.text(0, below + 10, 30, "Total Geral =>", caption);
    band.text(32, below + 10, 80, "Dívida - Amortização + Custas =", TextStyle::sans(9));
    band.text(kWidth - 60, below + 10, 60, amountText(r.generalTotal), value, Align::Right);
    band.line(0, below + 15, kWidth, below + 15, 0.3);
    band.text(0, below + 16.5, kWidth, "Resultado obtido em: " + r.calculationDate, TextStyle::sans(9));
    return band;
}

Band headingBand(const std::string& title, const std::vector<std::string>& columnLines)
{
    const TextStyle fixed = listStyle(true);
    Band band(7 + fixed.lineHeightMm() * static_cast<double>(columnLines.size()) + 1);
    band.text(0, 2, kWidth, title, TextStyle::sans(10, true));
    double y = 7;
    for (const std::string& line : columnLines) {
        band.text(0, y, kWidth, line, fixed);
        y += fixed.lineHeightMm();
    }
    return band;
}

Band totalBand(const std::string& caption, Amount value, const std::vector<std::string>& notes = {})
{
    Band band(7 + 3.5 * static_cast<double>(notes.size()));
    band.line(0, 0.8, kWidth, 0.8, 0.2);
    band.text(kWidth - 120, 1.5, 60, caption, TextStyle::sans(9, true), Align::Right);
    band.text(kWidth - 58, 1.5, 58, amountText(value), TextStyle::fixed(9, true), Align::Right);
    double y = 6;
    for (const std::string& text : notes) {
        band.text(0, y, kWidth, text, TextStyle::sans(7));
        y += 3.5;
    }
    return band;
}

// A list of lines printed one a row; alternate lines in blue when asked.
DetailSection listSection(std::vector<std::string> lines, Band header, Band footer, bool alternate)
{
    DetailSection section;
    section.rowCount = lines.size();
    section.row = [lines = std::move(lines), alternate](std::size_t row) {
        TextStyle style = listStyle();
        if (alternate && IsOdd(static_cast<int>(row))) style.color = kBlue;
        Band band(style.lineHeightMm());
        band.text(0, 0, kWidth, lines[row], style);
        return band;
    };
    section.header = std::move(header);
    section.footer = std::move(footer);
    section.underColumnHeader = false;
    return section;
}

std::vector<std::string> annotationLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string paragraph;
    while (std::getline(in, paragraph)) {
        if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
        const std::vector<std::string> wrapped = wrapWords(paragraph, 110);
        if (wrapped.empty()) lines.emplace_back();
        lines.insert(lines.end(), wrapped.begin(), wrapped.end());
    }
    return lines;
}

}  // namespace

std::vector<std::string> totalsNameLines(const std::vector<CaseName>& names)
{
    std::vector<std::string> lines;
    for (const CaseName& name : names)
        lines.push_back(formatText("%-48s%-18s%-18s", {name.name, name.citedAs, name.document}));
    return lines;
}

std::vector<std::string> totalsItemLines(const std::vector<TotalsListItem>& items)
{
    std::vector<std::string> lines;
    for (const TotalsListItem& item : items) {
        lines.push_back(formatText("%3s %10s %-50.50s", {item.number, item.originDate, item.description}));
        lines.push_back(formatText(
            "%11s %14.2n %14.2n %14.2n %14.2n %13.2n %14.2n",
            {"", item.original, item.principal, item.correction, item.interest, item.fine, item.total}));
    }
    return lines;
}

std::vector<std::string> totalsCostLines(const std::vector<CaseCost>& costs)
{
    std::vector<std::string> lines;
    for (const CaseCost& cost : costs)
        lines.push_back(
            formatText("%4s  %-77.77s  %6s  %9.2n  %11.2n",
                       {cost.order, cost.description, std::to_string(cost.quantity), cost.unit, cost.total}));
    return lines;
}

ReportLayout worksheetTotalsLayout(const WorksheetTotalsReport& r)
{
    ReportLayout layout;
    layout.setup = {PaperSize::Letter, Orientation::Portrait, {20, 10, 10, 10}};
    layout.name = "Resultado do Processo (Totais do Cálculo)";
    layout.title = titleBand(r);
    layout.sections.push_back(
        listSection(totalsNameLines(r.names),
                    headingBand("Nomes das partes:",
                                {formatText("%-48s%-18s%-18s", {"Nome", "Citado Como", "Documento Nº"})}),
                    Band(3), false));
    const std::string itemTitle = formatText("%3s %-10s %-50s", {"It.", "Dat.Origem", "Descrição"});
    layout.sections.push_back(listSection(
        totalsItemLines(r.debtItems),
        headingBand("Da Dívida", {itemTitle, formatText("%11s %14s %14s %14s %14s %13s %14s",
                                                        {"", "V.Original", "V.Principal", "Cor.Monetária",
                                                         "J.Ord.+Comp.", "Multa", "TOTAL ITEM"})}),
        totalBand("Subtotal Dívida =>", r.debts.total,
                  {"Obs. Honorários não embutidos nos valores dos itens acima.", "(Inclui Honorários)"}),
        true));
    layout.sections.push_back(
        listSection(totalsItemLines(r.paymentItems),
                    headingBand("Da Amortização",
                                {itemTitle, formatText("%11s %14s %14s %14s %14s %13s %14s",
                                                       {"", "V.Original", "V.Principal", "Cor.Monetária",
                                                        "J.Ord+Comp", "Multa", "Total"})}),
                    totalBand("Subtotal Amortização =>", r.payments.total), true));
    layout.sections.push_back(listSection(
        totalsCostLines(r.costItems),
        headingBand("Das Custas", {formatText("%4s %-77s  %6s  %9s  %11s",
                                              {"ITEM", "DESCRIÇÃO", "QUANT.", "UNITÁRIO", "TOTAl"})}),
        totalBand("Subtotal Custas =>", r.costs), false));
    layout.sections.push_back(
        listSection(annotationLines(r.annotations), headingBand("Anotações:", {}), Band(2), false));
    layout.pageFooter = pageNumberFooter(kWidth, PageNumbering::PageOfPages);
    return layout;
}

PageModel worksheetTotalsReport(const WorksheetTotalsReport& report)
{
    return layOut(worksheetTotalsLayout(report));
}

}  // namespace quintara::reports
