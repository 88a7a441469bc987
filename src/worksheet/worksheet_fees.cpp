#include "worksheet/worksheet_fees.h"

#include <optional>

#include "data/format_text.h"
#include "engine/text_columns.h"
#include "worksheet/worksheet_items.h"

namespace quintara {

namespace {

std::optional<Amount> totalOf(const WorksheetGrid& grid, int row)
{
    const std::string text = trimBlanks(grid.cell(row, colTotal));
    if (text.empty()) return std::nullopt;
    try {
        return Amount::parse(text);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// HONOPER and HONOVAL of the item's record; false when the case has no
// record of that number.
bool storeFees(DataModule& dm, const std::string& caseNumber, int row, Amount percentage, Amount fee)
{
    if (columnCount(caseNumber) > 11) return false;
    foxpro::Table& items = dm.ItensProcesso();
    items.setTag("item");
    const std::string number = itemNumberText(row);
    if (!items.seek({caseNumber, number})) return false;
    if (items.getString("NPROCESSO") != trimRightBlanks(caseNumber) || items.getString("NORDEM") != number)
        return false;
    items.edit();
    try {
        items.setString("HONOPER", percentage.toMachineText());
        items.setString("HONOVAL", fee.toMachineText());
        items.post();
    } catch (...) {
        items.cancel();
        throw;
    }
    return true;
}

}  // namespace

Amount feePercentage(Amount typed)
{
    return Amount::parse(typed.toText(2));
}

Amount feeOn(Amount total, Amount percentage)
{
    // A percentage of two decimals divided by 100 is exact in four decimals,
    // so the product is the only step that rounds.
    return total * (feePercentage(percentage) / Amount::parse("100"));
}

int countItems(const WorksheetGrid& grid)
{
    int count = 0;
    for (int row = 1; row <= grid.lastRow(); ++row) count += !grid.isFree(row);
    return count;
}

FeesReport applyFees(DataModule& dm, WorksheetGrid& grid, const std::string& caseNumber, Amount percentage)
{
    const Amount rate = feePercentage(percentage);
    FeesReport report;
    for (int row = 1; row <= grid.lastRow(); ++row) {
        if (grid.isFree(row)) continue;
        ++report.items;
        grid.setCell(row, colMark, "$");
        grid.setCell(row, colFeeRate, rate.toText(2));
        const std::optional<Amount> total = totalOf(grid, row);
        if (!total) {
            grid.setCell(row, colFees, formatText("%15.2n", {Amount()}));
            continue;
        }
        const Amount fee = feeOn(*total, rate);
        grid.setCell(row, colFees, formatText("%15.2f", {fee}));
        report.recordsUpdated += storeFees(dm, caseNumber, row, rate, fee);
    }
    return report;
}

}  // namespace quintara
