// The worksheet run over an in-memory grid: results, cells, storage, failed
// stages, interrupts and platform errors.
#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

#include "engine/interest.h"
#include "engine/memory_reference.h"
#include "worksheet/worksheet_run.h"

namespace quintara {
namespace {

using test::MemoryReference;

class RecordingStore : public ItemStore {
public:
    bool storeResults(const std::string&, int item, const WorksheetGrid::Row& row, Date date) override
    {
        stored[item] = row[colTotal] + "@" + date.toString();
        return true;
    }
    void writeMemo(const std::string&, int item, const std::vector<std::string>& lines) override
    {
        memos[item] = lines;
    }
    std::map<int, std::string> stored;
    std::map<int, std::vector<std::string>> memos;
};

class RunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data.addBrazilianCurrencies();
        data.addIndex("IPC", "2", "2");
        for (int m = 1; m <= 12; ++m)
            data.addValue("IPC", "01/" + std::string(m < 10 ? "0" : "") + std::to_string(m) + "/1995", 1.0);
        data.addForm("001", "IPC", "00/00/0000:00/00/0000");
        data.addIndex("URV", "3", "2");
        data.addValue("URV", "01/06/1994", 2.0);
        data.addValue("URV", "01/08/1994", 4.0);
        data.addForm("002", "URV", "00/00/0000:00/00/0000");
    }

    void addItem(int row, const std::string& origin, const std::string& amount, const std::string& form)
    {
        auto set = [&](int column, const std::string& text) { grid.setCell(row, column, text); };
        set(colMark, "$");
        set(colNumber, "00" + std::to_string(row));
        set(colOriginDate, origin);
        set(colOriginalAmount, amount);
        set(colMonthMode, "CHEIO");
        set(colOrdinaryRate, "   0,000000");
        set(colCompensatoryRate, "   0,000000");
        set(colFineRate, "   0,000000");
        set(colFineOnInterest, "NÃO");
        set(colConverter, "SIM");
        set(colOrdinaryFormula, "0");
        set(colCompensatoryFormula, "0");
        set(colOrdinaryStart, origin);
        set(colCompensatoryStart, origin);
        set(colFormCode, form);
        set(colFeeRate, "  0,00");
        set(colFees, "           0,00");
    }

    RunReport run(const std::string& date, int row = 0, RunHooks hooks = {})
    {
        return PreparaCalculo(data, grid, &store, "123", date, row, hooks);
    }

    MemoryReference data;
    WorksheetGrid grid;
    RecordingStore store;
};

TEST_F(RunTest, CalculatesMarkedRowsAndWritesCellsRecordAndMemo)
{
    addItem(1, "01/01/1995", "1000,00", "001");
    grid.setCell(1, colOrdinaryRate, "  12,000000");
    grid.setCell(1, colFineRate, "   2,000000");
    grid.setCell(1, colFeeRate, " 10,00");
    RunReport r = run("31/03/1995");
    ASSERT_EQ(r.items.size(), 1u);
    const ItemResults& res = r.items[0].calculation.results;
    EXPECT_EQ(res.corrected, Amount::parse("1030,301"));
    EXPECT_EQ(res.ordinary, Amount::parse("30,1469"));  // 1030,301 × 0,12 × 89 / 365, simple
    EXPECT_EQ(res.fine, Amount::parse("20,606"));
    EXPECT_EQ(res.fees, percentOf(res.corrected + res.ordinary + res.fine, Amount::parse("10")));
    EXPECT_EQ(grid.cell(1, colMark), "");
    EXPECT_EQ(grid.cell(1, colPrincipal), "            1000,00");
    EXPECT_EQ(grid.cell(1, colCorrection), "              30,30");
    EXPECT_EQ(grid.cell(1, colCalculationDate), "31/03/1995");
    EXPECT_EQ(store.stored[1], grid.cell(1, colTotal) + "@31/03/1995");
    const std::vector<std::string>& memo = store.memos[1];
    EXPECT_EQ(memo.front(), "Info: Buscando dados definidos na forma de correção!.");
    EXPECT_EQ(memo[4], "Info: Verificando valores do IPCPeríodo de 01/01/1995 até 31/03/1995");
    EXPECT_EQ(memo[memo.size() - 3], "Info: Cálculo finalizado !");
    EXPECT_EQ(memo[memo.size() - 2], "SEQUENCIA");
    EXPECT_EQ(memo.back(), "IPC       01/01/199531/03/1995");
    bool hasInterest = false;
    for (const std::string& line : memo)
        hasInterest |= line.starts_with("Juros Ordinários    =%12,00 a.a. em         89 dias [SIMPLES ]=");
    EXPECT_TRUE(hasInterest);
}

TEST_F(RunTest, SameDateFineAndFeesZero)
{
    addItem(1, "15/03/1995", "500,00", "001");
    RunReport r = run("15/03/1995");
    const ItemCalculation& c = r.items.at(0).calculation;
    EXPECT_EQ(c.results.corrected, Amount::parse("500"));
    ASSERT_EQ(c.calculationLines.size(), 2u);  // fees and total only
    EXPECT_EQ(c.calculationLines[0],
              "Honorários          =%0,00                                    =   R$           0,00");
    EXPECT_EQ(c.calculationLines[1].substr(0, 19), "TOTAL DO CÁLCULO =");
}

TEST_F(RunTest, ConverterOnDividesThePrincipalOffKeepsIt)
{
    addItem(1, "01/06/1994", "2750,00", "002");
    run("31/08/1994");
    EXPECT_EQ(grid.cell(1, colPrincipal), "               1,00");
    addItem(1, "01/06/1994", "2750,00", "002");
    grid.setCell(1, colConverter, "NÃO");
    RunReport off = run("31/08/1994");
    EXPECT_EQ(off.items[0].calculation.results.principal, Amount::parse("2750"));
    bool conversionShown = false;
    for (const std::string& line : off.items[0].calculation.calculationLines)
        conversionShown |= line.starts_with("CONVERSÃO");
    EXPECT_TRUE(conversionShown);
}

TEST_F(RunTest, FailedStageSkipsTheItemAndTheLoopGoesOn)
{
    addItem(1, "01/01/1995", "100,00", "999");
    addItem(2, "01/01/1994", "100,00", "001");  // the form starts after the origin
    addItem(3, "01/01/1995", "100,00", "001");
    grid.setCell(1, colTotal, "old");
    RunReport r = run("31/03/1995");
    ASSERT_EQ(r.items.size(), 3u);
    EXPECT_EQ(r.items[0].calculation.error, "Erro !!!. Ao montar sequência Original.");
    EXPECT_EQ(r.items[1].calculation.error, "Erro !!!. Ao montar sequência desse Cálculo");
    EXPECT_EQ(r.items[0].calculation.results.principal, Amount::parse("100"));
    EXPECT_EQ(grid.cell(1, colMark), "$");
    EXPECT_EQ(grid.cell(1, colTotal), "old");
    EXPECT_EQ(store.memos.count(1), 0u);
    EXPECT_EQ(grid.cell(3, colMark), "");
}

TEST_F(RunTest, InterruptKeepsTheItemPendingAndStopsTheLoop)
{
    addItem(1, "01/01/1995", "100,00", "001");
    addItem(2, "01/01/1995", "100,00", "001");
    RunHooks hooks;
    bool stop = false;
    hooks.progress = [&stop](int item, int step) { stop = item == 2 && step == 4; };
    hooks.interrupted = [&stop] { return stop; };
    int beeps = 0;
    hooks.itemEnded = [&beeps](int) { ++beeps; };
    RunReport r = run("31/03/1995", 0, hooks);
    EXPECT_TRUE(r.interrupted);
    EXPECT_EQ(grid.cell(1, colMark), "");
    EXPECT_EQ(grid.cell(2, colMark), "$");
    EXPECT_EQ(store.memos.count(2), 0u);
    EXPECT_EQ(beeps, 2);
}

TEST_F(RunTest, InterruptAfterTheMemoIsSavedKeepsTheItemCalculated)
{
    addItem(1, "01/01/1995", "100,00", "001");
    addItem(2, "01/01/1995", "100,00", "001");
    RunHooks hooks;
    bool stop = false;
    hooks.progress = [&stop](int item, int step) { stop |= item == 1 && step == 12; };
    hooks.interrupted = [&stop] { return stop; };
    RunReport r = run("31/03/1995", 0, hooks);
    EXPECT_TRUE(r.interrupted);
    ASSERT_EQ(r.items.size(), 1u);
    EXPECT_EQ(r.items[0].calculation.outcome, ItemOutcome::Calculated);
    EXPECT_TRUE(r.items[0].memoWritten);
    EXPECT_EQ(grid.cell(2, colMark), "$");
}

TEST_F(RunTest, InterruptWhileStoringFinishesTheItemAsOneUnit)
{
    for (int step : {10, 11}) {
        addItem(1, "01/01/1995", "100,00", "001");
        addItem(2, "01/01/1995", "100,00", "001");
        store.memos.clear();
        store.stored.clear();
        RunHooks hooks;
        bool stop = false;
        hooks.progress = [&](int item, int at) { stop |= item == 1 && at == step; };
        hooks.interrupted = [&stop] { return stop; };
        RunReport r = run("31/03/1995", 0, hooks);
        EXPECT_TRUE(r.interrupted);
        ASSERT_EQ(r.items.size(), 1u) << "step " << step;
        EXPECT_EQ(r.items[0].calculation.outcome, ItemOutcome::Calculated);
        EXPECT_EQ(grid.cell(1, colMark), "");
        EXPECT_EQ(store.stored.count(1), 1u);
        ASSERT_EQ(store.memos.count(1), 1u);
        EXPECT_EQ(store.memos[1].front(), "Info: Buscando dados definidos na forma de correção!.");
        EXPECT_EQ(grid.cell(2, colMark), "$");
    }
}

class FailingMemoStore : public RecordingStore {
public:
    void writeMemo(const std::string&, int, const std::vector<std::string>&) override
    {
        throw std::runtime_error("disk full");
    }
};

TEST_F(RunTest, StoreFailureGivesTheRowItsFormerCellsBack)
{
    addItem(1, "01/01/1995", "100,00", "001");
    grid.setCell(1, colTotal, "old");
    FailingMemoStore failing;
    RunReport r = PreparaCalculo(data, grid, &failing, "123", "31/03/1995", 0);
    EXPECT_EQ(r.platformError, "disk full");
    EXPECT_EQ(grid.cell(1, colMark), "$");
    EXPECT_EQ(grid.cell(1, colTotal), "old");
    EXPECT_EQ(grid.cell(1, colCalculationDate), "");
}

TEST_F(RunTest, PlatformErrorEndsTheRunAndEarlierRowsKeepResults)
{
    addItem(1, "01/01/1995", "100,00", "001");
    addItem(2, "xx/01/1995", "100,00", "001");
    addItem(3, "01/01/1995", "100,00", "001");
    RunReport r = run("31/03/1995");
    EXPECT_EQ(r.platformError, "'xx/01/1995' is not a valid date");
    ASSERT_EQ(r.items.size(), 2u);
    EXPECT_EQ(r.items[1].calculation.outcome, ItemOutcome::PlatformError);
    EXPECT_EQ(r.items[1].calculation.error, r.platformError);
    EXPECT_EQ(grid.cell(1, colMark), "");
    EXPECT_EQ(grid.cell(3, colMark), "$");
}

TEST_F(RunTest, ZeroCurrencyDivisorNeverYieldsAnInfiniteAmount)
{
    data.currencies.push_back({Date(1, 1, 1996), "XX$", "Fictícia", 0});
    data.addValue("IPC", "01/01/1996", 1.0);
    addItem(1, "01/12/1995", "100,00", "001");
    RunReport r = run("31/01/1996");
    EXPECT_NE(r.platformError.find("division by zero"), std::string::npos) << r.platformError;
    EXPECT_EQ(grid.cell(1, colMark), "$");
}

TEST_F(RunTest, OneRowOnlyAndUnmarkedRowsAreSkipped)
{
    addItem(1, "01/01/1995", "100,00", "001");
    addItem(2, "01/01/1995", "100,00", "001");
    EXPECT_EQ(run("31/03/1995", 2).items.size(), 1u);
    EXPECT_EQ(grid.cell(1, colMark), "$");
    EXPECT_TRUE(run("31/03/1995", 2).items.empty());
}

TEST(WorksheetGridRows, FreeRowsAreReusedBeforeTheGridGrows)
{
    WorksheetGrid grid;
    EXPECT_EQ(grid.rowCount(), 20);
    EXPECT_EQ(grid.cell(0, colMark), "!");
    for (int r = 1; r < 20; ++r) grid.setCell(grid.ContaString(), colNumber, "x");
    EXPECT_EQ(grid.ContaString(), 20);
    EXPECT_EQ(grid.rowCount(), 21);
    grid.setCell(20, colNumber, "x");
    grid.clearRow(2);
    EXPECT_EQ(grid.ContaString(), 2);
    grid.markAllForRecalculation();
    EXPECT_EQ(grid.cell(1, colMark), "$");
    EXPECT_EQ(grid.cell(2, colMark), "");
    EXPECT_EQ(grid.cell(0, colMark), "!");
    EXPECT_THROW(grid.cell(21, 0), std::out_of_range);
}

}  // namespace
}  // namespace quintara
