// Worksheet totals and fees on a grid: which rows count, empty and unreadable
// cells, the balance with costs, the report's item lists, and the fee
// percentage kept to two decimals in the cells and the item records.
#include <gtest/gtest.h>

#include "data/data_test_support.h"
#include "data/format_text.h"
#include "engine/text_columns.h"
#include "worksheet/worksheet_fees.h"
#include "worksheet/worksheet_items.h"
#include "worksheet/worksheet_totals.h"

namespace quintara {
namespace {

// A calculated item row: every result cell "%19.2f" as the run writes them.
void calculatedRow(WorksheetGrid& grid, int row, const char* kind, const char* principal,
                   const char* correction, const char* fees, const char* total = "0")
{
    auto cell = [](const char* text) { return formatText("%19.2f", {Amount::parse(text)}); };
    grid.ensureRow(row);
    grid.setCell(row, colMark, "");
    grid.setCell(row, colNumber, itemNumberText(row));
    grid.setCell(row, colOriginDate, "15/03/1994");
    grid.setCell(row, colOriginalAmount, cell("10"));
    grid.setCell(row, colDebtOrPayment, kind);
    grid.setCell(row, colPrincipal, cell(principal));
    grid.setCell(row, colCorrection, cell(correction));
    for (int column : {colOrdinaryInterest, colCompensatoryInterest, colFine})
        grid.setCell(row, column, cell("0"));
    grid.setCell(row, colTotal, cell(total));
    grid.setCell(row, colFees, formatText("%15.2f", {Amount::parse(fees)}));
}

TEST(WorksheetTotals, DebtAndPaymentGiveTheBalance)
{
    WorksheetGrid grid;
    calculatedRow(grid, 1, "DÍVIDA", "100", "50", "15");
    calculatedRow(grid, 2, "AMORT.", "40", "0", "9");  // fees of a payment are not added
    const WorksheetTotals t = worksheetTotals(grid, {});
    EXPECT_EQ(t.debts.items, 1);
    EXPECT_EQ(t.debts.subtotal().toText(), "150,00");
    EXPECT_EQ(t.debts.total().toText(), "165,00");
    EXPECT_EQ(t.payments.items, 1);
    EXPECT_TRUE(t.payments.fees.isZero());
    EXPECT_EQ(t.payments.total().toText(), "40,00");
    EXPECT_EQ(t.generalTotal().toText(), "125,00");

    CaseCost charged;
    charged.total = Amount::parse("12,50");
    CaseCost notCharged;
    const WorksheetTotals withCosts = worksheetTotals(grid, {charged, notCharged});
    EXPECT_EQ(withCosts.costs.toText(), "12,50");
    EXPECT_EQ(withCosts.generalTotal().toText(), "137,50");
}

TEST(WorksheetTotals, PendingEmptyAndUnreadableRowsStayOut)
{
    WorksheetGrid grid;
    calculatedRow(grid, 1, "DÍVIDA", "100", "50", "0");
    calculatedRow(grid, 2, "DÍVIDA", "70", "7", "0");
    grid.setCell(2, colMark, "$");  // pending
    calculatedRow(grid, 3, "DÍVIDA", "30", "3", "0");
    grid.setCell(3, colFine, "abc");  // one cell that is no number: the whole row stays out
    calculatedRow(grid, 4, "", "1000", "1", "0");
    calculatedRow(grid, 5, "AMORT.", "20", "0", "0");
    grid.setCell(5, colCorrection, "");  // an empty result cell counts as zero
    const WorksheetTotals t = sumWorksheet(grid);
    EXPECT_EQ(t.debts.items, 1);
    EXPECT_EQ(t.debts.principal.toText(), "100,00");
    EXPECT_EQ(t.debts.correction.toText(), "50,00");
    EXPECT_EQ(t.payments.items, 1);
    EXPECT_EQ(t.payments.total().toText(), "20,00");
    EXPECT_EQ(t.unreadableRows, std::vector<int>{3});

    WorksheetGrid empty;
    const WorksheetTotals none = worksheetTotals(empty, {});
    EXPECT_EQ(none.debts.items + none.payments.items, 0);
    EXPECT_TRUE(none.generalTotal().isZero());
}

TEST(WorksheetTotals, ReportListsPendingItemsAndPrintsEmptyCellsAsZero)
{
    WorksheetGrid grid;
    calculatedRow(grid, 1, "DÍVIDA", "100", "50", "15", "150");
    grid.setCell(1, colOrdinaryInterest, formatText("%19.2f", {Amount::parse("3")}));
    grid.setCell(1, colCompensatoryInterest, formatText("%19.2f", {Amount::parse("4")}));
    // An item entered and not calculated since the case was loaded.
    calculatedRow(grid, 2, "DÍVIDA", "0", "0", "0");
    grid.setCell(2, colMark, "$");
    grid.setCell(2, colPrincipal, "");
    calculatedRow(grid, 3, "AMORT.", "40", "0", "0", "40");
    calculatedRow(grid, 4, "AMORT.", "1", "0", "0");
    grid.setCell(4, colTotal, "x");
    const TotalsItems items = totalsItems(grid);
    ASSERT_EQ(items.debts.size(), 2u);
    EXPECT_EQ(items.debts[0].number, "001");
    EXPECT_EQ(items.debts[0].interest.toText(), "7,00");
    EXPECT_EQ(items.debts[0].total.toText(), "150,00");
    EXPECT_TRUE(items.debts[1].principal.isZero());
    ASSERT_EQ(items.payments.size(), 1u);
    EXPECT_EQ(items.payments[0].number, "003");
    EXPECT_EQ(items.unreadableRows, std::vector<int>{4});
}

class Fees : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::makeDataDirectory(dir_.folder());
        dm_ = DataModule::openFolder(dir_.folder());
    }
    // Stores row as its item record, as the item entry does.
    void store(int row)
    {
        foxpro::Table& items = dm_->ItensProcesso();
        items.setTag("");
        items.append();
        grid_.setCell(row, colMonthMode, "CHEIO");
        grid_.setCell(row, colIndexQuantity, "0");
        grid_.setCell(row, colIndexValue, "0");
        GravaItem(grid_, row, kCase, items);
        items.post();
    }
    // HONOPER and HONOVAL of the stored item.
    std::pair<std::string, std::string> storedFees(int row)
    {
        foxpro::Table& items = dm_->ItensProcesso();
        items.setTag("item");
        EXPECT_TRUE(items.seek({kCase, itemNumberText(row)}));
        return {Amount::fromDouble(items.getNumber("HONOPER")).toText(4),
                Amount::fromDouble(items.getNumber("HONOVAL")).toText(4)};
    }

    static constexpr const char* kCase = "0001234";
    testing::TempDir dir_;
    std::unique_ptr<DataModule> dm_;
    WorksheetGrid grid_;
};

TEST_F(Fees, TenPercentKeepsFourDecimalsStoredAndShowsTwo)
{
    calculatedRow(grid_, 1, "DÍVIDA", "1000", "234,56", "0", "1234,56");
    calculatedRow(grid_, 2, "AMORT.", "0", "0", "0", "0");  // a new item: total 0,00
    grid_.setCell(2, colMark, "$");
    store(1);
    store(2);
    const FeesReport report = applyFees(*dm_, grid_, kCase, Amount::parse("10"));
    EXPECT_EQ(report.items, 2);
    EXPECT_EQ(report.recordsUpdated, 2);
    EXPECT_EQ(grid_.cell(1, colMark), "$");  // a calculated item becomes pending
    EXPECT_EQ(grid_.cell(1, colFeeRate), "10,00");
    EXPECT_EQ(trimBlanks(grid_.cell(1, colFees)), "123,46");
    EXPECT_EQ(storedFees(1), std::make_pair(std::string("10,0000"), std::string("123,4560")));
    EXPECT_EQ(trimBlanks(grid_.cell(2, colFees)), "0,00");
    EXPECT_EQ(storedFees(2).first, "10,0000");
}

TEST_F(Fees, PercentageIsRoundedOnceAndThatValueIsUsed)
{
    EXPECT_EQ(feePercentage(Amount::parse("12,345")).toText(4), "12,3500");
    EXPECT_EQ(feePercentage(Amount::parse("12,3449")).toText(4), "12,3400");
    // 12,35 % of 1.000,00, never 12,345 % of it.
    EXPECT_EQ(feeOn(Amount::parse("1000"), Amount::parse("12,345")).toText(4), "123,5000");

    calculatedRow(grid_, 1, "DÍVIDA", "1000", "0", "0", "1000");
    store(1);
    applyFees(*dm_, grid_, kCase, Amount::parse("12,345"));
    EXPECT_EQ(grid_.cell(1, colFeeRate), "12,35");
    EXPECT_EQ(trimBlanks(grid_.cell(1, colFees)), "123,50");
    EXPECT_EQ(storedFees(1), std::make_pair(std::string("12,3500"), std::string("123,5000")));
}

TEST_F(Fees, RowWithoutANumberInItsTotalKeepsItsStoredFees)
{
    calculatedRow(grid_, 1, "DÍVIDA", "100", "0", "5", "100");
    grid_.setCell(1, colFeeRate, "5,00");
    store(1);
    calculatedRow(grid_, 3, "DÍVIDA", "100", "0", "0", "100");  // shown but never stored
    grid_.setCell(1, colTotal, "");
    const FeesReport report = applyFees(*dm_, grid_, kCase, Amount::parse("20"));
    EXPECT_EQ(report.items, 2);
    EXPECT_EQ(report.recordsUpdated, 0);  // row 1 keeps its record as it was, row 3 has none
    EXPECT_EQ(grid_.cell(1, colMark), "$");
    EXPECT_EQ(grid_.cell(1, colFeeRate), "20,00");
    EXPECT_EQ(trimBlanks(grid_.cell(1, colFees)), "0,00");
    EXPECT_EQ(storedFees(1), std::make_pair(std::string("5,0000"), std::string("5,0000")));
    EXPECT_TRUE(grid_.isFree(2));
    EXPECT_TRUE(grid_.cell(2, colMark).empty());
    EXPECT_EQ(countItems(grid_), 2);
}

}  // namespace
}  // namespace quintara
