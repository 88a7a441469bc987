// The worksheet totals report: the fixed-column lines of names, items and
// costs, the totals block, colours of the item lists, a case without costs,
// and the whole report against its reference dump.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "report_test_support.h"
#include "reports/worksheet_totals_report.h"

namespace quintara::reports {
namespace {

using testing::findText;

TotalsListItem item(const char* number, const char* description, const char* principal, const char* total)
{
    TotalsListItem i;
    i.number = number;
    i.originDate = "15/03/1994";
    i.description = description;
    i.original = Amount::parse("1000");
    i.principal = Amount::parse(principal);
    i.correction = Amount::parse("50");
    i.interest = Amount::parse("7,5");
    i.total = Amount::parse(total);
    return i;
}

WorksheetTotalsReport sample()
{
    WorksheetTotalsReport r;
    r.caseNumber = "0001234";
    r.protocol = "Nº123 em 10/01/2020 às 14:00hs.";
    r.responsible = "Dra. Ana Souza";
    r.description = "Cobrança de aluguéis";
    r.opening = "05/01/2020 ás 09:15 Usr:ADMIN";
    r.annotations = "Primeira linha\nSegunda linha";
    r.calculationDate = "30/11/2026";
    r.debts = {1,
               Amount::parse("100"),
               Amount::parse("50"),
               {},
               {},
               {},
               Amount::parse("150"),
               Amount::parse("15"),
               Amount::parse("165")};
    r.payments = {1, Amount::parse("40"), {}, {}, {}, {}, Amount::parse("40"), {}, Amount::parse("40")};
    r.generalTotal = Amount::parse("125");
    r.names = {{"JOÃO DA SILVA", "Réu", "123.456.789-00"}};
    r.debtItems = {item("001", "Aluguel de março", "1234,5", "1292"), item("002", "", "10", "67,5")};
    r.paymentItems = {item("003", "Pagamento", "40", "40")};
    r.printedAt = "01/12/2026 10:00:00";
    return r;
}

TEST(WorksheetTotalsReport, ListLinesKeepTheirColumns)
{
    const std::vector<std::string> names = totalsNameLines({{"JOÃO", "Réu", "1"}});
    EXPECT_EQ(names.front(), std::string("JOÃO") + std::string(44, ' ') + "Réu" + std::string(15, ' ') + "1" +
                                 std::string(17, ' '));

    TotalsListItem long_ = item("001", "", "1234,5", "1292");
    long_.description = std::string(60, 'x');
    const std::vector<std::string> items = totalsItemLines({long_});
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], "001 15/03/1994 " + std::string(50, 'x'));  // the description is cut to 50
    // 11 blanks, then each amount right-aligned in 14 (the fine in 13) after a blank.
    EXPECT_EQ(items[1], std::string(18, ' ') + "1.000,00" + std::string(7, ' ') + "1.234,50" +
                            std::string(10, ' ') + "50,00" + std::string(11, ' ') + "7,50" +
                            std::string(10, ' ') + "0,00" + std::string(7, ' ') + "1.292,00");

    CaseCost cost;
    cost.order = "0001";
    cost.description = "CITAÇÃO";
    cost.quantity = 2;
    cost.unit = Amount::parse("12,5");
    cost.total = Amount::parse("25");
    const std::string line = totalsCostLines({cost}).front();
    EXPECT_EQ(line, "0001  CITAÇÃO" + std::string(70, ' ') + "       2      12,50        25,00");
}

TEST(WorksheetTotalsReport, TotalsBlockListsAndCostsFooter)
{
    const PageModel model = worksheetTotalsReport(sample());
    ASSERT_EQ(model.pages.size(), 1u);
    const Page& page = model.pages[0];
    for (const char* text :
         {"Resultado do Processo (Totais do Cálculo)", "Quintara", "0001234", "Total da Dívida ->",
          "Total Amortização ->", "165,00", "125,00", "Resultado obtido em: 30/11/2026",
          "Abertura em 05/01/2020 ás 09:15 Usr:ADMIN", "Nomes das partes:", "Da Dívida", "Da Amortização",
          "Das Custas", "Subtotal Custas =>", "Anotações:", "Segunda linha", "Página 1 de 1"})
        EXPECT_TRUE(page.hasText(text)) << text;
    EXPECT_TRUE(page.hasText("001"));  // the debt counter, three digits
    // Without cost records the costs list is empty and its subtotal is 0,00.
    const PageText* costs = findText(page, "Subtotal Custas =>");
    ASSERT_TRUE(costs);
    bool zeroBeside = false;
    for (const PageText& t : page.texts())
        zeroBeside |= t.text == "0,00" && std::abs(t.rect.y - costs->rect.y) < 0.01;
    EXPECT_TRUE(zeroBeside);

    // Item headers in black, amount lines in blue, each list counting its own lines.
    const std::vector<std::string> debtLines = totalsItemLines(sample().debtItems);
    const std::vector<std::string> paymentLines = totalsItemLines(sample().paymentItems);
    ASSERT_TRUE(findText(page, debtLines[2]) && findText(page, debtLines[3]));
    EXPECT_EQ(findText(page, debtLines[2])->style.color, kBlack);
    EXPECT_EQ(findText(page, debtLines[3])->style.color, kBlue);
    ASSERT_TRUE(findText(page, paymentLines[0]));
    EXPECT_EQ(findText(page, paymentLines[0])->style.color, kBlack);
    EXPECT_TRUE(findText(page, paymentLines[0])->style.fixedPitch);
}

TEST(WorksheetTotalsReport, ManyItemsRunOverPagesWithoutLosingLines)
{
    WorksheetTotalsReport r = sample();
    r.debtItems.assign(150, item("001", "Aluguel", "10", "10"));
    r.annotations = std::string(3000, 'a') + " fim";
    const PageModel model = worksheetTotalsReport(r);
    EXPECT_GT(model.pages.size(), 3u);
    std::size_t amountLines = 0;
    for (const Page& page : model.pages)
        amountLines += testing::textsStartingWith(page, std::string(18, ' ') + "1.000,00").size();
    EXPECT_EQ(amountLines, 151u);  // 150 debts and one payment
    EXPECT_TRUE(model.pages.back().hasText("fim"));
}

// The whole report as text, against the reference file; a change to the
// layout's texts shows up here and the reference changes only on purpose.
TEST(WorksheetTotalsReport, MatchesTheReferenceDump)
{
    const std::string path = QUINTARA_SOURCE_DIR "/tests/reports/data/worksheet_totals.txt";
    const std::string dump = dumpTexts(worksheetTotalsReport(sample()));
    if (std::getenv("QUINTARA_WRITE_REFERENCE")) std::ofstream(path) << dump;
    std::ifstream reference(path);
    ASSERT_TRUE(reference) << path;
    const std::string expected((std::istreambuf_iterator<char>(reference)), std::istreambuf_iterator<char>());
    EXPECT_EQ(dump, expected);
}

}  // namespace
}  // namespace quintara::reports
