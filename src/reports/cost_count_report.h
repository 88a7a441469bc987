// The costs count report (TFrmQrContadeCustas): the costs of one case grouped
// by cost group, with a subtotal per group and the total, in fixed columns.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

// One row of the count as the window shows it.
struct CostCountRow {
    std::string code;  // cost code; its first character is the group letter
    std::string description;
    std::string quantity;  // "%6s"
    std::string unit;      // "%9.2f"
    std::string total;     // "%11.2f" or "Não Cobrado"
};

struct CostCount {
    std::string caseNumber;
    std::string protocol;  // "dd/mm/yyyy às hh:mmhs. sob o Nº..." or "<Não protocolado>"
    std::string responsible;
    std::string description;
    std::string registered;  // "dd/mm/yyyy às hh:mmhs. Usr:name"
    std::vector<CostCountRow> rows;
};

// The printed lines: group headings ("# A-NAME"), items, "SubTotal" lines
// after each group and the "Total Custas =>" line. groupName gives a group's
// name by letter.
std::vector<std::string> costCountLines(const std::vector<CostCountRow>& rows,
                                        const std::function<std::string(const std::string&)>& groupName);

ReportLayout costCountLayout(const CostCount& count, const std::vector<std::string>& lines);

}  // namespace quintara::reports
