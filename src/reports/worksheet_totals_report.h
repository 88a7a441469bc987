// The worksheet totals report (TFrmQrTotaisPlanilha): the case heading, the
// debt and amortisation totals with the costs and the balance, then the
// names of the parties, the debt items, the amortisation items and the costs
// as fixed-column lists, and the case's annotations.
#pragma once

#include <string>
#include <vector>

#include "data/amount.h"
#include "data/case_costs.h"
#include "data/case_register.h"
#include "reports/page_model.h"
#include "reports/report.h"

namespace quintara::reports {

// The totals of one group as the totals window shows them.
struct TotalsGroup {
    int items = 0;
    Amount principal, correction, ordinary, compensatory, fine, subtotal, fees, total;
};

// One item of the debt or amortisation list.
struct TotalsListItem {
    std::string number;
    std::string originDate;
    std::string description;
    Amount original, principal, correction, interest, fine, total;  // interest: ordinary + compensatory
};

struct WorksheetTotalsReport {
    std::string caseNumber;
    std::string protocol;  // LinhaProtocolo
    std::string responsible;
    std::string description;
    std::string opening;  // LinhaAbertura
    std::string annotations;
    std::string calculationDate;
    TotalsGroup debts, payments;
    Amount costs, generalTotal;
    std::vector<CaseName> names;
    std::vector<TotalsListItem> debtItems, paymentItems;
    std::vector<CaseCost> costItems;
    std::string printedAt;  // "dd/mm/yyyy hh:mm:ss"; empty = now
};

// "%-48s%-18s%-18s" of name, cited as and document, one line per person.
std::vector<std::string> totalsNameLines(const std::vector<CaseName>& names);
// Two lines per item: its number, origin date and description, then its amounts.
std::vector<std::string> totalsItemLines(const std::vector<TotalsListItem>& items);
// One line per cost: order, description, quantity, unit value and total.
std::vector<std::string> totalsCostLines(const std::vector<CaseCost>& costs);

ReportLayout worksheetTotalsLayout(const WorksheetTotalsReport& report);
PageModel worksheetTotalsReport(const WorksheetTotalsReport& report);

}  // namespace quintara::reports
