// The calculation shared by the worksheet item and the quick calculation:
// both entry points, the observer's course and the interrupt.
#include <gtest/gtest.h>

#include "engine/calculation_pipeline.h"
#include "engine/quick_calculation.h"
#include "memory_reference.h"

namespace quintara {
namespace {

using test::MemoryReference;

// Records what the calculation tells; interrupts once asked `interruptAfter` times.
class Recorder : public CalculationObserver {
public:
    void step(int s) override { steps.push_back(s); }
    void status(const std::string& text) override { statuses.push_back(text); }
    void progress(int share) override { shares.push_back(share); }
    bool interrupted() override { return ++asked > interruptAfter; }
    std::vector<int> steps;
    std::vector<std::string> statuses;
    std::vector<int> shares;
    int asked = 0;
    int interruptAfter = 1000000;
};

class PipelineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data.addBrazilianCurrencies();
        data.addIndex("UFIR", "3", "2");
        data.addIndex("IPC", "2", "2");
        data.addValue("UFIR", "01/01/1995", 0.6767);
        data.addValue("UFIR", "01/06/1995", 0.7061);
        for (const char* month : {"01/07/1995", "01/08/1995", "01/09/1995", "01/10/1995"})
            data.addValue("IPC", month, 1.25);
        data.addForm("001", "UFIR;IPC", "00/00/0000:30/06/199501/07/1995:00/00/0000");
        in.origin = Date(10, 1, 1995);
        in.amount = Amount::parse("12345,67");
        in.formCode = "001";
        in.ordinaryRate = Decimal::parse("12");
        in.ordinaryStart = in.origin;
        in.compensatoryRate = Decimal::parse("6");
        in.compensatoryFormula = 1;
        in.compensatoryStart = Date(1, 3, 1995);
        in.fineRate = Decimal::parse("2");
        in.fineOnInterest = true;
        in.feeRate = Decimal::parse("10");
    }
    ItemCalculation run(const CalculationStyle& style, Recorder& recorder)
    {
        return runCalculation(data, in, Date(20, 10, 1995), style, recorder);
    }
    MemoryReference data;
    CalculationInput in;
};

// The item and the quick calculation share every step: the same walk and the
// same results, and differ only in the interest, fine and fees lines.
TEST_F(PipelineTest, BothEntryPointsShareTheWalkAndTheResults)
{
    ItemParameters item;
    item.origin = in.origin;
    item.amount = in.amount;
    item.formCode = in.formCode;
    item.ordinaryRate = Amount::parse("12");
    item.ordinaryStart = in.ordinaryStart;
    item.compensatoryRate = Amount::parse("6");
    item.compensatoryFormula = 1;
    item.compensatoryStart = in.compensatoryStart;
    item.fineRate = Amount::parse("2");
    item.fineOnInterest = true;
    ItemCalculation w = ExecutarCalculo(data, item, Date(20, 10, 1995));

    QuickInput quick;
    quick.origin = in.origin;
    quick.amount = in.amount;
    quick.formCode = in.formCode;
    quick.ordinaryRate = in.ordinaryRate;
    quick.ordinaryStart = in.ordinaryStart;
    quick.compensatoryRate = in.compensatoryRate;
    quick.compensatoryFormula = 1;
    quick.compensatoryStart = in.compensatoryStart;
    quick.fineRate = in.fineRate;
    quick.fineOnInterest = true;
    QuickResult q = Executarcalculo(data, quick, Date(20, 10, 1995));

    ASSERT_EQ(w.outcome, ItemOutcome::Calculated);
    EXPECT_TRUE(q.error.empty());
    for (auto part : {&ItemResults::principal, &ItemResults::corrected, &ItemResults::ordinary,
                      &ItemResults::compensatory, &ItemResults::fine})
        EXPECT_EQ(w.results.*part, q.results.*part);
    EXPECT_GT(w.results.compensatory, Amount());
    EXPECT_EQ(q.results.fees, Amount());
    // Walk lines (divide, multiply, four percentages, result), then each its own.
    ASSERT_EQ(w.calculationLines.size(), 12u);
    ASSERT_EQ(q.calculationLines.size(), 11u);
    for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(w.calculationLines[i], q.calculationLines[i]);
    EXPECT_TRUE(w.calculationLines[8].starts_with("Juros Compensatórios"));
    EXPECT_TRUE(q.calculationLines[8].starts_with("Juros Compensator. "));
    EXPECT_TRUE(w.calculationLines[10].starts_with("Honorários "));
    EXPECT_EQ(w.calculationLines.back(), w.memoLines.back());
    EXPECT_EQ(q.adjusted, w.adjusted);
    EXPECT_EQ(q.moedaAtual, "R$");
}

TEST_F(PipelineTest, ObserverFollowsTheStepsStatusAndProgress)
{
    Recorder worksheet;
    ItemCalculation c = run(kWorksheetStyle, worksheet);
    ASSERT_EQ(c.outcome, ItemOutcome::Calculated);
    EXPECT_EQ(worksheet.steps, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(worksheet.shares, (std::vector<int>{0, 3, 5, 10, 50, 90, 89, 91, 93, 98}));
    EXPECT_EQ(worksheet.statuses.front(), "Verificando sequência original.");
    EXPECT_EQ(worksheet.statuses[3], "Verificando valores do UFIRPeríodo de 10/01/1995 até 30/06/1995");
    EXPECT_EQ(c.memoLines[3], "Info: Localizando dados do índice [UFIR].");
    EXPECT_EQ(c.memoLines[4], "Info: " + worksheet.statuses[3]);
    EXPECT_EQ(worksheet.statuses.back(), "Preparando o Resultado do Cálculo...");
    EXPECT_EQ(c.results.fees, percentOf(c.results.itemTotal(), in.feeRate));

    in.correctionApplied = false;
    Recorder quick;
    c = run(kQuickStyle, quick);
    EXPECT_EQ(quick.steps, (std::vector<int>{5, 6, 7, 8, 9}));
    EXPECT_EQ(c.results.corrected, in.amount);
    EXPECT_EQ(c.results.principal, in.amount);
    EXPECT_TRUE(c.calculationLines.front().starts_with("Cálculo da Correção Monetária não"));
}

// Interrupted at any point, the calculation ends as interrupted, never as a
// failed stage and never with results of later steps.
TEST_F(PipelineTest, InterruptEndsTheCalculationWhereverItComes)
{
    for (int after = 0; after < 11; ++after) {
        Recorder r;
        r.interruptAfter = after;
        ItemCalculation c = run(kWorksheetStyle, r);
        EXPECT_EQ(c.outcome, ItemOutcome::Interrupted) << after;
        EXPECT_TRUE(c.error.empty()) << after;
        if (r.steps.size() < 4) {
            EXPECT_EQ(c.results.corrected, Amount()) << after;
        }
    }
    Recorder never;
    EXPECT_EQ(run(kWorksheetStyle, never).outcome, ItemOutcome::Calculated);
}

TEST_F(PipelineTest, FailedStageEndsWithItsErrorAsTheLastMemoLine)
{
    in.formCode = "002";
    Recorder r;
    ItemCalculation c = run(kWorksheetStyle, r);
    EXPECT_EQ(c.outcome, ItemOutcome::FailedStage);
    EXPECT_EQ(c.error, "Erro !!!. Ao montar sequência Original.");
    EXPECT_EQ(c.memoLines.back(), c.error);
    EXPECT_TRUE(r.steps.empty());

    in.formCode = "001";
    in.origin = Date(1, 1, 1980);  // before the first index: no adjusted sequence
    c = run(kWorksheetStyle, r);
    EXPECT_EQ(c.error, "Erro !!!. Ao montar sequência desse Cálculo");

    in.ordinaryFormula = 2;
    in.origin = Date(10, 1, 1995);
    EXPECT_THROW(run(kWorksheetStyle, r), std::out_of_range);
}

}  // namespace
}  // namespace quintara
