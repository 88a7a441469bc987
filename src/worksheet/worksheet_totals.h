// The totals of a case's worksheet as the totals window shows them and its
// report prints them: calculated debts and amortisations summed from the grid
// cells, the costs counted for the case, and the balance. Read from the grid
// as it is now, not from the stored records.
#pragma once

#include <string>
#include <vector>

#include "data/amount.h"
#include "data/case_costs.h"
#include "worksheet/worksheet_grid.h"

namespace quintara {

// The sums of one group (debts or amortisations).
struct GroupTotals {
    int items = 0;
    Amount principal, correction, ordinary, compensatory, fine;
    Amount fees;  // always zero for amortisations: their fees are not added

    Amount subtotal() const { return principal + correction + ordinary + compensatory + fine; }
    Amount total() const { return subtotal() + fees; }
};

struct WorksheetTotals {
    GroupTotals debts;
    GroupTotals payments;
    Amount costs;
    // Item numbers of calculated rows left out because a cell does not hold a number.
    std::vector<int> unreadableRows;

    // Debts - amortisations + costs.
    Amount generalTotal() const { return debts.total() - payments.total() + costs; }
};

// One item of the report's item lists, with its amounts read from the grid.
struct TotalsItem {
    std::string number;                                             // cell 1
    std::string originDate;                                         // cell 3
    std::string description;                                        // cell 2
    Amount original, principal, correction, interest, fine, total;  // interest = ordinary + compensatory
};

struct TotalsItems {
    std::vector<TotalsItem> debts;     // column 17 "DÍVIDA"
    std::vector<TotalsItem> payments;  // column 17 "AMORT."
    // Item numbers of rows left out because a cell does not hold a number.
    std::vector<int> unreadableRows;
};

// Sums the calculated items of the grid: rows whose mark cell is empty, a
// debt when column 17 is "DÍVIDA", an amortisation for any other text, left
// out when it is empty. An empty amount cell counts as 0,00; a row with a cell
// that does not convert is left out whole, so that no item is half counted.
WorksheetTotals sumWorksheet(const WorksheetGrid& grid);

// sumWorksheet plus the total of the case's cost records.
WorksheetTotals worksheetTotals(const WorksheetGrid& grid, const std::vector<CaseCost>& costs);

// Every debt and amortisation row, pending or calculated, in row order. An
// item not yet calculated prints its empty result cells as 0,00; a row with a
// cell that does not convert is left out whole instead of stopping the report.
TotalsItems totalsItems(const WorksheetGrid& grid);

}  // namespace quintara
