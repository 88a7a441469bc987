#include "reports/case_list_report.h"
#include "reports/report_heading.h"

#include "reports/columns.h"
#include "reports/print_stamp.h"

namespace quintara::reports {

namespace {

// Letter portrait inside 10 mm margins leaves 195.9 mm across.
const std::vector<Column>& columns()
{
    static const std::vector<Column> c = columnsOfWidths({22, 24, 70, 24, 24, 30});
    return c;
}
constexpr double kWidth = 194;

Band title(const CaseList& list)
{
    TextStyle small = TextStyle::sans(7);
    small.italic = true;
    Band band(24);
    band.text(0, 0, 60, "Quintara", small);
    band.text(kWidth - 60, 0, 60, list.printedAt.empty() ? printStampNow() : list.printedAt,
              TextStyle::sans(7), Align::Right);
    band.frame({0, 4, kWidth, 10}, 0.4);
    band.text(0, 5.8, kWidth, "LISTA DE PROCESSOS", TextStyle::sans(14, true), Align::Center);
    band.fill({0, 17, kWidth, 6}, kSilver);
    addCells(
        band, columns(), 18,
        {"NºProcesso", "Data Abertura", "Nome do Responsável", "NºProtocolo", "Data Protoc.", "Situação"},
        TextStyle::sans(8, true));
    return band;
}

}  // namespace

ReportLayout caseListLayout(const CaseList& list)
{
    ReportLayout layout;
    layout.setup = {PaperSize::Letter, Orientation::Portrait, {10, 10, 10, 10}};
    layout.name = "LISTA DE PROCESSOS";
    layout.title = title(list);
    layout.pageFooter = pageNumberFooter(kWidth, PageNumbering::Page);
    DetailSection rows;
    rows.rowCount = list.rows.size();
    rows.row = [lines = list.rows](std::size_t row) {
        const CaseListRow& r = lines[row];
        TextStyle style = TextStyle::sans(8);
        style.shrinkToFit = true;
        return cellsBand(columns(),
                         {r.number, r.opened, r.responsible, r.protocolNumber, r.protocolDate, r.status},
                         style, 5);
    };
    layout.sections.push_back(std::move(rows));
    return layout;
}

PageModel caseListReport(const CaseList& list)
{
    return layOut(caseListLayout(list));
}

}  // namespace quintara::reports
