#include "reports/cost_table_report.h"

#include "reports/columns.h"
#include "reports/print_stamp.h"

namespace quintara::reports {

namespace {

constexpr double kWidth = 194;

std::vector<Column> columns()
{
    std::vector<Column> c = columnsOfWidths({12, 20, 132, 30});
    c[3].align = Align::Right;
    return c;
}

Band pageHeader(const CostTable& table)
{
    TextStyle small = TextStyle::sans(7);
    small.italic = true;
    Band band(30);
    band.frame({0, 0, kWidth, 22}, 0.4);
    band.text(2, 1, 60, "Quintara", small);
    band.text(kWidth - 62, 1, 60, table.printedAt.empty() ? printStampNow() : table.printedAt,
              TextStyle::sans(7), Align::Right);
    band.text(0, 5, kWidth, "TABELA DE CUSTAS ", TextStyle::sans(14, true), Align::Center);
    band.text(2, 14, kWidth - 4, "GRUPO: " + table.group, TextStyle::sans(10, true));
    band.fill({0, 23, kWidth, 6}, kSilver);
    addCells(band, columns(), 24, {"GR", "CODIGO", ".DESCRIÇÃO", "VALOR"}, TextStyle::sans(8, true));
    return band;
}

}  // namespace

ReportLayout costTableLayout(const CostTable& table)
{
    ReportLayout layout;
    layout.setup = {PaperSize::Letter, Orientation::Portrait, {10, 10, 10, 10}};
    layout.name = "TABELA DE CUSTAS";
    layout.pageHeader = pageHeader(table);
    DetailSection rows;
    rows.rowCount = table.rows.size();
    rows.printWhenEmpty = false;
    rows.row = [lines = table.rows](std::size_t row) {
        const CostTableRow& r = lines[row];
        TextStyle style = TextStyle::sans(8);
        style.shrinkToFit = true;
        return cellsBand(columns(), {r.letter, r.code, r.description, r.value}, style, 5);
    };
    layout.sections.push_back(std::move(rows));
    Band footer(8);
    footer.line(0, 2, kWidth, 2, 0.2);
    footer.field(kWidth - 50, 3, 50, "Página %1", TextField::PageNumber, TextStyle::sans(7), Align::Right);
    layout.pageFooter = std::move(footer);
    return layout;
}

PageModel costTableReport(const CostTable& table)
{
    return layOut(costTableLayout(table));
}

}  // namespace quintara::reports
