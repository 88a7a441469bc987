#include "reports/index_values_report.h"

#include "data/format_text.h"
#include "reports/reference_bands.h"

namespace quintara::reports {

namespace {

constexpr double kDateWidth = 19;
constexpr double kValueWidth = 26;
constexpr double kPairGap = 2.5;

double pairX(std::size_t pair)
{
    return static_cast<double>(pair) * (kDateWidth + kValueWidth + kPairGap);
}

std::vector<Column> pairColumns()
{
    std::vector<Column> columns;
    for (std::size_t p = 0; p < kPairsPerBand; ++p) {
        columns.push_back({pairX(p), kDateWidth, Align::Left});
        columns.push_back({pairX(p) + kDateWidth, kValueWidth, Align::Right});
    }
    return columns;
}

double tableWidth()
{
    return pairX(kPairsPerBand) - kPairGap;
}

}  // namespace

std::string indexValueCell(double value, bool multiplier, std::size_t pair)
{
    const bool wide = pair >= 2;
    if (multiplier) return formatText(wide ? "%15.9f" : "%10.9f", {value});
    return formatText(wide ? "%15.4n" : "%10.4n", {value});
}

ReportLayout indexValuesLayout(const IndexValuesSheet& sheet)
{
    ReportLayout layout;
    layout.setup = {PaperSize::A4, Orientation::Portrait, {10, 10, 10, 10}};
    layout.name = sheet.title;
    std::vector<std::string> headings;
    for (std::size_t p = 0; p < kPairsPerBand; ++p) {
        headings.push_back("DATA");
        headings.push_back("VALOR");
    }
    layout.pageHeader =
        referencePageHeader(tableWidth(), sheet.title, sheet.printedAt, pairColumns(), headings);
    layout.pageFooter = referencePageFooter(tableWidth());
    DetailSection bands;
    bands.rowCount = (sheet.values.size() + kPairsPerBand - 1) / kPairsPerBand;
    bands.row = [values = sheet.values, multiplier = sheet.multiplier](std::size_t band) {
        std::vector<std::string> cells;
        for (std::size_t p = 0; p < kPairsPerBand; ++p) {
            const std::size_t i = band * kPairsPerBand + p;
            if (i >= values.size()) {
                cells.insert(cells.end(), {"", ""});
                continue;
            }
            cells.push_back(values[i].date.toString());
            cells.push_back(indexValueCell(values[i].value, multiplier, p));
        }
        TextStyle style = TextStyle::fixed(8);
        style.shrinkToFit = true;
        Band row = cellsBand(pairColumns(), cells, style, 4.4);
        row.add(BandLine{0, 4.4, tableWidth(), 4.4, 0.1, kSilver});
        return row;
    };
    layout.sections.push_back(std::move(bands));
    return layout;
}

PageModel indexValuesReport(const IndexValuesSheet& sheet)
{
    return layOut(indexValuesLayout(sheet));
}

}  // namespace quintara::reports
