#include "reports/index_table_report.h"

#include "reports/reference_bands.h"

namespace quintara::reports {

namespace {

// A4 landscape inside 10 mm margins: 277 mm across.
const std::vector<Column>& indexColumns()
{
    static const std::vector<Column> columns = columnsOfWidths({28, 136, 28, 25, 25, 35});
    return columns;
}

double tableWidth()
{
    return indexColumns().back().x + indexColumns().back().width;
}

}  // namespace

ReportLayout indexTableLayout(const IndexTable& table)
{
    ReportLayout layout;
    layout.setup = {PaperSize::A4, Orientation::Landscape, {10, 10, 10, 10}};
    layout.name = kIndexTableTitle;
    layout.pageHeader = referencePageHeader(
        tableWidth(), kIndexTableTitle, table.printedAt, indexColumns(),
        {"CÓDIGO", "DESCRIÇÃO DO ÍNDICE", "ATUALIZAÇÃO", "INÏCIO", "EXTINÇÃO", "FORMATO VALOR"});
    layout.pageFooter = referencePageFooter(tableWidth());
    DetailSection rows;
    rows.rowCount = table.rows.size();
    rows.row = [lines = table.rows](std::size_t i) {
        const IndexTableRow& r = lines[i];
        TextStyle style = TextStyle::sans(8);
        style.shrinkToFit = true;
        Band band = cellsBand(indexColumns(),
                              {r.code, r.description, r.updating, r.start, r.end, r.valueKind}, style, 4.6);
        band.add(BandLine{0, 4.6, tableWidth(), 4.6, 0.1, kSilver});
        return band;
    };
    layout.sections.push_back(std::move(rows));
    return layout;
}

PageModel indexTableReport(const IndexTable& table)
{
    return layOut(indexTableLayout(table));
}

}  // namespace quintara::reports
