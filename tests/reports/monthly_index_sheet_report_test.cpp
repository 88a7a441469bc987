#include "reports/monthly_index_sheet_report.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "report_test_support.h"
#include "reports/report_painter.h"

namespace quintara::reports {
namespace {

using testing::findText;
using testing::textsStartingWith;

MonthlyIndexSheet sheetWith(std::size_t rows)
{
    MonthlyIndexSheet sheet;
    sheet.year = "2024";
    sheet.printedAt = "08/12/2026 14:05:09";
    for (std::size_t i = 0; i < rows; ++i) {
        MonthlyIndexRow row;
        row.code = "IDX" + std::to_string(i + 1);
        row.months[0] = "1," + std::to_string(i);
        row.months[2] = "0,123456789012345";
        row.months[11] = "1234567,891";
        sheet.rows.push_back(row);
    }
    return sheet;
}

TEST(MonthlyIndexSheetReport, PageHeaderAndOneLinePerIndex)
{
    const PageModel model = monthlyIndexSheetReport(sheetWith(3));
    EXPECT_EQ(model.setup.paper, PaperSize::Letter);
    EXPECT_EQ(model.setup.orientation, Orientation::Landscape);
    EXPECT_DOUBLE_EQ(model.setup.margins.left, 10);
    ASSERT_EQ(model.pages.size(), 1u);
    const Page& page = model.pages[0];
    EXPECT_TRUE(page.hasText("PLANILHA DE INDICES MENSAIS DE 2024"));
    EXPECT_TRUE(page.hasText("Quintara"));
    EXPECT_TRUE(page.hasText("08/12/2026 14:05:09"));
    EXPECT_TRUE(page.hasText("INDICE"));
    for (const std::string& month : monthHeadings()) EXPECT_TRUE(page.hasText(month)) << month;
    EXPECT_EQ(textsStartingWith(page, "=> "), (std::vector<std::string>{"=> IDX1", "=> IDX2", "=> IDX3"}));
    EXPECT_TRUE(page.hasText("Página 1 de 1"));
}

TEST(MonthlyIndexSheetReport, MonthCellsSitUnderTheirHeadingsAsShown)
{
    const PageModel model = monthlyIndexSheetReport(sheetWith(1));
    const Page& page = model.pages[0];
    const PageText* jan = findText(page, "JAN");
    const PageText* mar = findText(page, "MAR");
    const PageText* dez = findText(page, "DEZ");
    const PageText* v1 = findText(page, "1,0");
    const PageText* v3 = findText(page, "0,123456789012345");
    const PageText* v12 = findText(page, "1234567,891");
    ASSERT_TRUE(jan && mar && dez && v1 && v3 && v12);
    EXPECT_DOUBLE_EQ(v1->rect.x, jan->rect.x);
    EXPECT_DOUBLE_EQ(v3->rect.x, mar->rect.x);
    EXPECT_DOUBLE_EQ(v12->rect.x, dez->rect.x);
    EXPECT_GT(v1->rect.y, jan->rect.y);
    // Long values shrink into their column rather than running into the next.
    EXPECT_TRUE(v3->style.shrinkToFit);
    EXPECT_LE(dez->rect.right(), model.setup.widthMm() - model.setup.margins.right);
}

TEST(MonthlyIndexSheetReport, EmptyCodeRowAndTitleKeepTheYearTextAsTyped)
{
    MonthlyIndexSheet sheet;
    sheet.year = "1999";
    sheet.printedAt = "01/01/2000 00:00:00";
    sheet.rows.push_back(MonthlyIndexRow{});
    const PageModel model = monthlyIndexSheetReport(sheet);
    EXPECT_TRUE(model.pages[0].hasText("PLANILHA DE INDICES MENSAIS DE 1999"));
    EXPECT_EQ(textsStartingWith(model.pages[0], "=>"), std::vector<std::string>{"=> "});
}

TEST(MonthlyIndexSheetReport, ManyIndicesRepeatTheHeadingsOnEveryPage)
{
    const PageModel model = monthlyIndexSheetReport(sheetWith(80));
    ASSERT_GE(model.pages.size(), 2u);
    std::size_t lines = 0;
    for (std::size_t p = 0; p < model.pages.size(); ++p) {
        const Page& page = model.pages[p];
        EXPECT_TRUE(page.hasText("PLANILHA DE INDICES MENSAIS DE 2024"));
        EXPECT_TRUE(page.hasText("JAN"));
        EXPECT_TRUE(
            page.hasText("Página " + std::to_string(p + 1) + " de " + std::to_string(model.pages.size())));
        lines += textsStartingWith(page, "=> ").size();
    }
    EXPECT_EQ(lines, 80u);
    EXPECT_EQ(textsStartingWith(model.pages[1], "=> ").front(),
              "=> IDX" + std::to_string(textsStartingWith(model.pages[0], "=> ").size() + 1));
}

// The whole report as text, against the reference file; a change to the
// layout's texts shows up here and the reference changes only on purpose.
TEST(MonthlyIndexSheetReport, MatchesTheReferenceDump)
{
    MonthlyIndexSheet sheet;
    sheet.year = "2023";
    sheet.printedAt = "15/02/2024 09:30:00";
    MonthlyIndexRow igpm{"IGPM", {"1,0028", "1,0001", "0,9905", "", "", "", "", "", "", "", "", "1,0074"}};
    MonthlyIndexRow tr{"TR", {}};
    tr.months[2] = "0,2176";
    sheet.rows = {igpm, tr};
    const std::string path = QUINTARA_SOURCE_DIR "/tests/reports/data/monthly_index_sheet.txt";
    std::ifstream reference(path);
    ASSERT_TRUE(reference) << path;
    const std::string expected((std::istreambuf_iterator<char>(reference)), std::istreambuf_iterator<char>());
    EXPECT_EQ(dumpTexts(monthlyIndexSheetReport(sheet)), expected);
}

TEST(MonthlyIndexSheetReport, RendersForReview)
{
    testing::ensureGuiApplication();
    const PageModel model = monthlyIndexSheetReport(sheetWith(40));
    const QImage image = renderPage(model, 0, 100);
    EXPECT_EQ(image.width(), 1100);  // 11 in landscape at 100 dpi
    EXPECT_EQ(image.height(), 850);
    if (const char* dir = std::getenv("QUINTARA_REVIEW_DIR"))
        image.save(QString::fromLocal8Bit(dir) + QStringLiteral("/monthly_index_sheet.png"));
}

}  // namespace
}  // namespace quintara::reports
