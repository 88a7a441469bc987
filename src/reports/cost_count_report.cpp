#include "reports/cost_count_report.h"

#include <algorithm>

#include "data/amount.h"
#include "data/format_text.h"
#include "data/text_routines.h"
#include "reports/case_heading.h"

namespace quintara::reports {

namespace {

constexpr double kWidth = 185.9;  // Letter portrait inside 20 mm left and 10 mm right margins

bool readAmount(const std::string& text, Amount& amount)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return false;
    const std::string trimmed = TrimRight(text.substr(first));
    try {
        amount = Amount::parse(trimmed);
        return true;
    } catch (const std::invalid_argument&) {
        return false;
    }
}

std::string totalLine(const std::string& caption, Amount amount)
{
    return formatText("%79s =>%15.2n", {caption, amount});
}

}  // namespace

std::vector<std::string> costCountLines(const std::vector<CostCountRow>& rows,
                                        const std::function<std::string(const std::string&)>& groupName)
{
    // The description is cut to its column, so a long one cannot shift the
    // columns that are read back by position below.
    std::vector<std::string> sorted;
    for (const CostCountRow& row : rows)
        sorted.push_back(formatText("%1s %-67.67s %6s %9s %11s", {SubText(row.code, 1, 1), row.description,
                                                                  row.quantity, row.unit, row.total}));
    std::sort(sorted.begin(), sorted.end());

    std::vector<std::string> lines;
    std::string letter;
    bool started = false;
    Amount subtotal, total;
    int counter = 0;
    for (const std::string& line : sorted) {
        const std::string lineLetter = SubText(line, 1, 1);
        if (!started || lineLetter != letter) {
            if (started) {
                lines.push_back(totalLine("SubTotal", subtotal));
                lines.emplace_back();
                subtotal = Amount();
                counter = 0;
            }
            lines.push_back(formatText("%-96s", {"# " + lineLetter + "-" + groupName(lineLetter)}));
            letter = lineLetter;
            started = true;
        }
        const std::string totalText = SubText(line, 88, 11);
        lines.push_back(formatText("%5s %-62s %6s %9s %11s",
                                   {letter + "." + ZeroPadNumber(counter, 3), SubText(line, 3, 62),
                                    SubText(line, 71, 6), SubText(line, 78, 9), totalText}));
        Amount amount;
        if (readAmount(totalText, amount)) {
            subtotal += amount;
            total += amount;
            ++counter;
        }
    }
    if (started) lines.push_back(totalLine("SubTotal", subtotal));
    lines.push_back(totalLine("Total Custas =>", total));
    return lines;
}

ReportLayout costCountLayout(const CostCount& count, const std::vector<std::string>& lines)
{
    ReportLayout layout;
    layout.setup = {PaperSize::Letter, Orientation::Portrait, {20, 10, 10, 10}};
    layout.name = "Relatório de Contagem de Custas";
    const TextStyle fixed = TextStyle::fixed(TextStyle::fixedPointSizeFor(98, kWidth, 8));
    Band title(44);
    addCaseHeading(title,
                   {"Relatório de Contagem de Custas",
                    count.caseNumber,
                    count.protocol,
                    count.responsible,
                    count.description,
                    count.registered,
                    {}},
                   kWidth);
    TextStyle heading = fixed;
    heading.bold = true;
    title.text(0, 39.5, kWidth,
               formatText("%5s %-62s %6s %9s %11s", {"ITEM ", "CUSTA DESCRIÇÃO", "QUANT.", "VALOR", "TOTAL"}),
               heading, Align::Right);
    layout.title = std::move(title);

    DetailSection detail;
    detail.rowCount = lines.size();
    detail.row = [lines, fixed](std::size_t row) {
        const std::string& line = lines[row];
        TextStyle style = fixed;
        Band band(fixed.lineHeightMm());
        if (line.starts_with("#")) {
            style.bold = true;
            band.text(0, 0, kWidth, line, style, Align::Left);
        } else {
            style.bold = line.find('=') != std::string::npos;
            band.text(0, 0, kWidth, line, style, Align::Right);
        }
        return band;
    };
    layout.sections.push_back(std::move(detail));
    Band footer(8);
    footer.line(0, 2, kWidth, 2, 0.2);
    footer.field(kWidth - 50, 3, 50, "Página %1", TextField::PageNumber, TextStyle::sans(7), Align::Right);
    layout.pageFooter = std::move(footer);
    return layout;
}

}  // namespace quintara::reports
