#include "worksheet/worksheet_totals.h"

#include <optional>

#include "engine/text_columns.h"

namespace quintara {

namespace {

constexpr const char* kDebt = "DÍVIDA";
constexpr const char* kPayment = "AMORT.";

// An amount cell: blank reads as zero, anything else must be a number.
std::optional<Amount> cellAmount(const WorksheetGrid& grid, int row, int column)
{
    const std::string text = trimBlanks(grid.cell(row, column));
    if (text.empty()) return Amount();
    try {
        return Amount::parse(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The amount cells of one row, read all together: empty when any of them
// does not convert.
std::optional<std::vector<Amount>> rowAmounts(const WorksheetGrid& grid, int row,
                                              std::initializer_list<int> columns)
{
    std::vector<Amount> amounts;
    for (int column : columns) {
        std::optional<Amount> value = cellAmount(grid, row, column);
        if (!value) return std::nullopt;
        amounts.push_back(*value);
    }
    return amounts;
}

}  // namespace

WorksheetTotals sumWorksheet(const WorksheetGrid& grid)
{
    WorksheetTotals totals;
    for (int row = 1; row <= grid.lastRow(); ++row) {
        if (!grid.cell(row, colMark).empty()) continue;
        const std::string& kind = grid.cell(row, colDebtOrPayment);
        if (kind.empty()) continue;
        const bool debt = kind == kDebt;
        const auto amounts = rowAmounts(
            grid, row,
            {colPrincipal, colCorrection, colOrdinaryInterest, colCompensatoryInterest, colFine, colFees});
        if (!amounts) {
            totals.unreadableRows.push_back(row);
            continue;
        }
        GroupTotals& group = debt ? totals.debts : totals.payments;
        const std::vector<Amount>& a = *amounts;
        ++group.items;
        group.principal += a[0];
        group.correction += a[1];
        group.ordinary += a[2];
        group.compensatory += a[3];
        group.fine += a[4];
        if (debt) group.fees += a[5];
    }
    return totals;
}

WorksheetTotals worksheetTotals(const WorksheetGrid& grid, const std::vector<CaseCost>& costs)
{
    WorksheetTotals totals = sumWorksheet(grid);
    for (const CaseCost& cost : costs) totals.costs += cost.total;
    return totals;
}

TotalsItems totalsItems(const WorksheetGrid& grid)
{
    TotalsItems items;
    for (int row = 1; row <= grid.lastRow(); ++row) {
        const std::string& kind = grid.cell(row, colDebtOrPayment);
        if (kind != kDebt && kind != kPayment) continue;
        const auto amounts = rowAmounts(grid, row,
                                        {colOriginalAmount, colPrincipal, colCorrection, colOrdinaryInterest,
                                         colCompensatoryInterest, colFine, colTotal});
        if (!amounts) {
            items.unreadableRows.push_back(row);
            continue;
        }
        const std::vector<Amount>& a = *amounts;
        TotalsItem item{grid.cell(row, colNumber),
                        grid.cell(row, colOriginDate),
                        grid.cell(row, colDescription),
                        a[0],
                        a[1],
                        a[2],
                        a[3] + a[4],
                        a[5],
                        a[6]};
        (kind == kDebt ? items.debts : items.payments).push_back(std::move(item));
    }
    return items;
}

}  // namespace quintara
