// The calculation report: the original-value line put before the calculation
// lines, the alternating backgrounds, the fees shown only when there are fees,
// long memos spread over numbered pages, and the appendix.
#include <gtest/gtest.h>

#include <algorithm>

#include "report_test_support.h"
#include "reports/calculation_report.h"

namespace quintara::reports {
namespace {

using testing::findText;

CalculationReportData sample(std::size_t lineCount)
{
    CalculationReportData d;
    d.printedAt = "09/12/2026 10:00:00";
    d.dataTitulo = "15/03/2020";
    d.dataCalculo = "15/03/2024";
    d.valorOriginal = "  R$       1.000,00";
    d.originSymbol = "R$";
    d.originalAmount = Amount::parse("1000");
    d.indices = {"IPCA-E      01/04/2020  até 01/03/2024"};
    d.total = "  R$       1.250,00";
    for (std::size_t i = 0; i < lineCount; ++i)
        d.lines.push_back("IPCA-E     em   Abr/2020   line " + std::to_string(i));
    return d;
}

std::vector<const PageBox*> lightBlueFills(const Page& page)
{
    std::vector<const PageBox*> fills;
    for (const PageBox& box : page.boxes())
        if (box.filled && box.fill == kLightBlue) fills.push_back(&box);
    return fills;
}

TEST(CalculationReport, OriginalValueLineComesFirstOnce)
{
    CalculationReportData d = sample(2);
    std::vector<std::string> lines = calculationReportLines(d);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              "VALOR ORIGINAL =>                                             =   R$       1.000,00");
    EXPECT_EQ(lines[0].size(), 83u);

    d.lines = lines;
    EXPECT_EQ(calculationReportLines(d), lines);  // printed again, it is not inserted twice
    d.lines.clear();
    EXPECT_EQ(calculationReportLines(d).size(), 1u);
}

TEST(CalculationReport, LinesAlternateBackgroundsAndSpreadOverNumberedPages)
{
    testing::ensureGuiApplication();
    const PageModel model = calculationReport(sample(150));
    ASSERT_GE(model.pages.size(), 2u);
    EXPECT_EQ(model.setup.paper, PaperSize::Letter);
    const Page& first = model.pages[0];
    EXPECT_TRUE(first.hasText("Demonstrativo de Cálculo"));
    EXPECT_TRUE(first.hasText("Fast Calc"));
    EXPECT_TRUE(first.hasText("Página 1"));
    EXPECT_TRUE(model.pages[1].hasText("Página 2"));
    // The first printed line (the original value) is on light blue, the second on white.
    const PageText* original = findText(first, calculationReportLines(sample(0))[0]);
    const PageText* second = findText(first, "IPCA-E     em   Abr/2020   line 0");
    ASSERT_NE(original, nullptr);
    ASSERT_NE(second, nullptr);
    const auto coveredBlue = [&](const PageText* text) {
        for (const PageBox* box : lightBlueFills(first))
            if (box->rect.y <= text->rect.y && text->rect.y < box->rect.bottom()) return true;
        return false;
    };
    EXPECT_TRUE(coveredBlue(original));
    EXPECT_FALSE(coveredBlue(second));
    std::size_t printed = 0;
    for (const Page& page : model.pages)
        for (const PageText& t : page.texts()) printed += t.text.find(" line ") != std::string::npos;
    EXPECT_EQ(printed, 150u);
}

TEST(CalculationReport, FeesAndSubTotalOnlyWithFeesAndAppendixAtTheEnd)
{
    testing::ensureGuiApplication();
    CalculationReportData d = sample(3);
    d.subTotal = "  R$       1.250,00";
    d.honorarios = "  R$         125,00";
    PageModel model = calculationReport(d);
    EXPECT_FALSE(model.pages[0].hasText("Sub-Total =>"));
    EXPECT_FALSE(model.pages[0].hasText("Honorários"));
    EXPECT_TRUE(model.pages[0].hasText("Total do Cálculo =>"));

    d.feesShownWhenAboveZero = 10;
    d.titleLabel = "Processo";
    d.caseLine = "Processo nº.00001/2024 - Abertura = 02/01/2024";
    d.appendixTitle = "Fontes dos índices";
    d.appendixLines = {"IPCA-E: série oficial"};
    model = calculationReport(d);
    const Page& page = model.pages.back();
    EXPECT_TRUE(model.pages[0].hasText("Sub-Total =>"));
    EXPECT_TRUE(model.pages[0].hasText("Honorários"));
    EXPECT_TRUE(model.pages[0].hasText("Processo"));
    EXPECT_FALSE(model.pages[0].hasText("Fast Calc"));
    const std::vector<std::string> order = page.textsInReadingOrder();
    ASSERT_FALSE(order.empty());
    const auto at = [&](const std::string& text) { return std::find(order.begin(), order.end(), text); };
    ASSERT_NE(at("IPCA-E: série oficial"), order.end());
    EXPECT_LT(at("IPCA-E     em   Abr/2020   line 2"), at("IPCA-E: série oficial"));
}

}  // namespace
}  // namespace quintara::reports
