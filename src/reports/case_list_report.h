// The case list report (TFrmQrListaProcessos): every registered case with its
// opening, responsible, protocol and status, on Letter portrait.
#pragma once

#include <string>
#include <vector>

#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

// One case as the report prints it; dates as "dd/mm/yyyy" (blank when empty).
struct CaseListRow {
    std::string number;
    std::string opened;
    std::string responsible;
    std::string protocolNumber;
    std::string protocolDate;
    std::string status;  // status name
};

struct CaseList {
    std::vector<CaseListRow> rows;  // in the table's current order
    std::string printedAt;          // "dd/mm/yyyy hh:mm:ss"; empty = now
};

ReportLayout caseListLayout(const CaseList& list);
PageModel caseListReport(const CaseList& list);

}  // namespace quintara::reports
