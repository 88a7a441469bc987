// The monthly index sheet report (TFrmQrpPlanilha): the main window's grid of
// monthly-update indices for one base year, printed on Letter landscape.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

// One data row of the main window's grid: the index code (column 0) and the
// twelve month cells exactly as the grid shows them (empty when no value).
struct MonthlyIndexRow {
    std::string code;
    std::array<std::string, 12> months;
};

struct MonthlyIndexSheet {
    std::string year;                   // the year box text, as typed
    std::vector<MonthlyIndexRow> rows;  // grid rows 1..last, in grid order
    std::string printedAt;              // "dd/mm/yyyy hh:mm:ss"; empty = now
};

// The month headings "JAN" .. "DEZ".
const std::array<std::string, 12>& monthHeadings();

ReportLayout monthlyIndexSheetLayout(const MonthlyIndexSheet& sheet);
PageModel monthlyIndexSheetReport(const MonthlyIndexSheet& sheet);

}  // namespace quintara::reports
