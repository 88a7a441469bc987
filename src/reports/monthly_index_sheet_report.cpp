#include "reports/monthly_index_sheet_report.h"
#include "reports/report_heading.h"

#include "reports/print_stamp.h"

namespace quintara::reports {

namespace {

// Column geometry in millimetres inside the 10 mm margins of Letter landscape
// (259.4 mm across): the index column, then twelve equal month columns.
constexpr double kIndexWidth = 27.8;
constexpr double kMonthWidth = 19.3;
constexpr double kMonthGap = 1.0;  // keeps right-aligned values off the next column
constexpr double kRowHeight = 5.0;

double monthX(std::size_t month)
{
    return kIndexWidth + static_cast<double>(month) * kMonthWidth;
}
double tableWidth()
{
    return monthX(12);
}

Band pageHeader(const MonthlyIndexSheet& sheet)
{
    const std::string stamp = sheet.printedAt.empty() ? printStampNow() : sheet.printedAt;
    TextStyle small = TextStyle::sans(7);
    small.italic = true;
    Band band(25.5);
    band.text(0, 0, 60, "Quintara", small);
    band.text(tableWidth() - 60, 0, 60, stamp, TextStyle::sans(7), Align::Right);
    band.frame({0, 4, tableWidth(), 10}, 0.4);
    band.text(0, 5.8, tableWidth(), "PLANILHA DE INDICES MENSAIS DE " + sheet.year, TextStyle::sans(14, true),
              Align::Center);
    const TextStyle heading = TextStyle::sans(9, true);
    band.fill({0, 18, tableWidth(), 6.5}, kSilver);
    band.text(1.5, 19.4, kIndexWidth - 1.5, "INDICE", heading);
    for (std::size_t m = 0; m < 12; ++m)
        band.text(monthX(m), 19.4, kMonthWidth - kMonthGap, monthHeadings()[m], heading, Align::Right);
    band.line(0, 24.5, tableWidth(), 24.5, 0.3);
    return band;
}

Band detail(const MonthlyIndexRow& row)
{
    TextStyle value = TextStyle::sans(8);
    value.shrinkToFit = true;
    Band band(kRowHeight);
    band.text(1.5, 0.9, kIndexWidth - 1.5, "=> " + row.code, TextStyle::sans(8, true));
    for (std::size_t m = 0; m < 12; ++m)
        band.text(monthX(m), 0.9, kMonthWidth - kMonthGap, row.months[m], value, Align::Right);
    BandLine rule{0, kRowHeight, tableWidth(), kRowHeight, 0.1, kSilver};
    band.add(rule);
    return band;
}

}  // namespace

const std::array<std::string, 12>& monthHeadings()
{
    static const std::array<std::string, 12> headings = {"JAN", "FEV", "MAR", "ABR", "MAI", "JUN",
                                                         "JUL", "AGO", "SET", "OUT", "NOV", "DEZ"};
    return headings;
}

ReportLayout monthlyIndexSheetLayout(const MonthlyIndexSheet& sheet)
{
    ReportLayout layout;
    layout.setup = {PaperSize::Letter, Orientation::Landscape, {10, 10, 10, 10}};
    layout.name = "PLANILHA DE INDICES MENSAIS DE " + sheet.year;
    layout.pageHeader = pageHeader(sheet);
    layout.pageFooter = pageNumberFooter(tableWidth(), PageNumbering::PageOfPages);
    DetailSection rows;
    rows.rowCount = sheet.rows.size();
    // The layout keeps its own copy: it may outlive the caller's sheet.
    rows.row = [lines = sheet.rows](std::size_t row) { return detail(lines[row]); };
    layout.sections.push_back(std::move(rows));
    return layout;
}

PageModel monthlyIndexSheetReport(const MonthlyIndexSheet& sheet)
{
    return layOut(monthlyIndexSheetLayout(sheet));
}

}  // namespace quintara::reports
