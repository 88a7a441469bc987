#include "reports/currency_table_report.h"

#include "reports/reference_bands.h"

namespace quintara::reports {

namespace {

// A4 portrait inside 10 mm margins: 190 mm across.
const std::vector<Column>& currencyColumns()
{
    static const std::vector<Column> columns = [] {
        std::vector<Column> c = columnsOfWidths({62, 70, 20, 38});
        c[3].align = Align::Right;
        return c;
    }();
    return columns;
}

double tableWidth()
{
    return currencyColumns().back().x + currencyColumns().back().width;
}

}  // namespace

ReportLayout currencyTableLayout(const CurrencyTable& table)
{
    ReportLayout layout;
    layout.setup = {PaperSize::A4, Orientation::Portrait, {10, 10, 10, 10}};
    layout.name = kCurrencyTableTitle;
    layout.pageHeader =
        referencePageHeader(tableWidth(), kCurrencyTableTitle, table.printedAt, currencyColumns(),
                            {"PERÏODO DE VIGÊNCIA", "NOME DA MOEDA VIGENTE", "SIGLA", "CONVERSÃO"});
    layout.pageFooter = referencePageFooter(tableWidth());
    DetailSection rows;
    rows.rowCount = table.rows.size();
    rows.row = [lines = table.rows](std::size_t i) {
        const CurrencyTableRow& r = lines[i];
        TextStyle style = TextStyle::sans(8.5);
        style.shrinkToFit = true;
        Band band = cellsBand(currencyColumns(), {r.period, r.name, r.symbol, r.conversion}, style, 5.2);
        band.add(BandLine{0, 5.2, tableWidth(), 5.2, 0.1, kSilver});
        return band;
    };
    layout.sections.push_back(std::move(rows));
    return layout;
}

PageModel currencyTableReport(const CurrencyTable& table)
{
    return layOut(currencyTableLayout(table));
}

}  // namespace quintara::reports
