// The court-costs table report (TFrmQrpCustas): the listed items with group,
// code, description and value under the title of the group shown.
#pragma once

#include <string>
#include <vector>

#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

struct CostTableRow {
    std::string letter;
    std::string code;
    std::string description;
    std::string value;  // as the list shows it ("%9.2n")
};

struct CostTable {
    std::string group;  // the title panel's text, "TODOS OS GRUPOS" or a group label
    std::vector<CostTableRow> rows;
    std::string printedAt;  // "dd/mm/yyyy hh:mm:ss"; empty = now
};

ReportLayout costTableLayout(const CostTable& table);
PageModel costTableReport(const CostTable& table);

}  // namespace quintara::reports
