// The calculation report filled for one worksheet item, from its grid row and
// the memo lines and sequence its detail window read.
#pragma once

#include "app/worksheet/worksheet_session.h"
#include "reports/calculation_report.h"
#include "worksheet/item_detail.h"

namespace quintara {

reports::CalculationReportData itemReportData(const WorksheetSession& session, int row,
                                              const ItemDetail& detail);

// The opening date of the loaded case: the date at the start of its opening line.
std::string openingDate(const CaseHeader& header);

}  // namespace quintara
