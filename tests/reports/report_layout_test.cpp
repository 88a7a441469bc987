#include <gtest/gtest.h>

#include <stdexcept>

#include "report_test_support.h"
#include "reports/report.h"

namespace quintara::reports {
namespace {

using testing::textsStartingWith;

// A4 portrait, 10 mm margins: 277 mm of body. Headers take 20 mm, the footer
// 10 mm, so 247 mm remain for rows of 10 mm: 24 rows on a page.
ReportLayout listing(std::size_t rows)
{
    ReportLayout layout;
    layout.name = "Listagem";
    layout.pageHeader = Band(10).text(0, 0, 100, "CABEÇALHO");
    layout.columnHeader = Band(10).text(0, 0, 50, "COLUNA A");
    layout.pageFooter =
        Band(10).field(0, 2, 190, "Página %1 de %2", TextField::PageOfPages, {}, Align::Right);
    DetailSection section;
    section.rowCount = rows;
    section.row = [](std::size_t r) { return Band(10).text(0, 0, 50, "linha " + std::to_string(r)); };
    layout.sections.push_back(section);
    return layout;
}

TEST(ReportLayout, DetailOverflowRepeatsPageAndColumnHeadersAndNumbersPages)
{
    const PageModel model = layOut(listing(30));
    ASSERT_EQ(model.pages.size(), 2u);
    for (std::size_t p = 0; p < 2; ++p) {
        const std::vector<std::string> texts = model.pages[p].textsInReadingOrder();
        EXPECT_EQ(texts.front(), "CABEÇALHO");
        EXPECT_EQ(texts[1], "COLUNA A");
        EXPECT_EQ(texts.back(), "Página " + std::to_string(p + 1) + " de 2");
    }
    EXPECT_EQ(textsStartingWith(model.pages[0], "linha ").size(), 24u);
    EXPECT_EQ(textsStartingWith(model.pages[1], "linha ").front(), "linha 24");
    EXPECT_EQ(textsStartingWith(model.pages[1], "linha ").back(), "linha 29");
}

TEST(ReportLayout, BandsArePlacedInMillimetresFromThePaperCorner)
{
    const PageModel model = layOut(listing(1));
    const Page& page = model.pages[0];
    const PageText* header = testing::findText(page, "CABEÇALHO");
    const PageText* row = testing::findText(page, "linha 0");
    const PageText* footer = testing::findText(page, "Página 1 de 1");
    ASSERT_TRUE(header && row && footer);
    EXPECT_DOUBLE_EQ(header->rect.x, 10);
    EXPECT_DOUBLE_EQ(header->rect.y, 10);
    EXPECT_DOUBLE_EQ(row->rect.y, 30);
    // The footer sits at the foot of the page, not after the last row.
    EXPECT_DOUBLE_EQ(footer->rect.y, 297 - 10 - 10 + 2);
    EXPECT_EQ(footer->align, Align::Right);
}

TEST(ReportLayout, ExactlyFullPageDoesNotOpenAnEmptyPage)
{
    EXPECT_EQ(layOut(listing(24)).pages.size(), 1u);
    EXPECT_EQ(layOut(listing(25)).pages.size(), 2u);
    EXPECT_EQ(layOut(listing(0)).pages.size(), 1u);
}

TEST(ReportLayout, TitleOnFirstPageOnlySummaryOnLastPage)
{
    ReportLayout layout = listing(30);
    layout.title = Band(10).text(0, 0, 100, "TÍTULO");
    layout.summary = Band(10).text(0, 0, 100, "RESUMO");
    const PageModel model = layOut(layout);
    ASSERT_EQ(model.pages.size(), 2u);
    EXPECT_TRUE(model.pages[0].hasText("TÍTULO"));
    EXPECT_FALSE(model.pages[1].hasText("TÍTULO"));
    EXPECT_FALSE(model.pages[0].hasText("RESUMO"));
    EXPECT_EQ(model.pages[1].textsInReadingOrder().end()[-2], "RESUMO");
    // The title comes after the page header and before the column header.
    const std::vector<std::string> first = model.pages[0].textsInReadingOrder();
    EXPECT_EQ((std::vector<std::string>(first.begin(), first.begin() + 3)),
              (std::vector<std::string>{"CABEÇALHO", "TÍTULO", "COLUNA A"}));
}

TEST(ReportLayout, SummaryThatNoLongerFitsGoesToANewLastPage)
{
    ReportLayout layout = listing(24);
    layout.summary = Band(10).text(0, 0, 100, "RESUMO");
    const PageModel model = layOut(layout);
    ASSERT_EQ(model.pages.size(), 2u);
    EXPECT_TRUE(model.pages[1].hasText("RESUMO"));
    EXPECT_TRUE(model.pages[0].hasText("Página 1 de 2"));
    // No detail continues on the summary page, so no column header there.
    EXPECT_FALSE(model.pages[1].hasText("COLUNA A"));
}

TEST(ReportLayout, GroupHeadersAndFootersFrameEachRunOfEqualKeys)
{
    ReportLayout layout;
    layout.name = "Grupos";
    const std::vector<std::string> groups = {"A", "A", "B", "C", "C", "C"};
    DetailSection section;
    section.rowCount = groups.size();
    section.row = [&](std::size_t r) { return Band(5).text(0, 0, 50, "item " + std::to_string(r)); };
    section.groupKey = [&](std::size_t r) { return groups[r]; };
    section.groupHeader = [&](std::size_t first) { return Band(5).text(0, 0, 50, "grupo " + groups[first]); };
    section.groupFooter = [&](std::size_t first, std::size_t last) {
        return Band(5).text(0, 0, 50, "fim " + groups[first] + " " + std::to_string(last - first + 1));
    };
    layout.sections.push_back(section);
    const PageModel model = layOut(layout);
    EXPECT_EQ(model.pages[0].textsInReadingOrder(),
              (std::vector<std::string>{"grupo A", "item 0", "item 1", "fim A 2", "grupo B", "item 2",
                                        "fim B 1", "grupo C", "item 3", "item 4", "item 5", "fim C 3"}));
}

TEST(ReportLayout, GroupHeaderIsNeverLeftAloneAtTheFootOfAPage)
{
    // 277 mm of body: 27 rows of 10 mm leave 7 mm, room for a 5 mm group
    // header but not for the header and its first row.
    ReportLayout layout;
    DetailSection section;
    section.rowCount = 28;
    section.row = [](std::size_t r) { return Band(10).text(0, 0, 50, "item " + std::to_string(r)); };
    section.groupKey = [](std::size_t r) { return r < 27 ? std::string("A") : std::string("B"); };
    section.groupHeader = [](std::size_t first) {
        return Band(5).text(0, 0, 50, "grupo " + std::to_string(first));
    };
    layout.sections.push_back(section);
    const PageModel model = layOut(layout);
    ASSERT_EQ(model.pages.size(), 2u);
    EXPECT_FALSE(model.pages[0].hasText("grupo 27"));
    EXPECT_EQ(model.pages[1].textsInReadingOrder(), (std::vector<std::string>{"grupo 27", "item 27"}));
}

TEST(ReportLayout, SubDetailsFollowEachOtherWithTheirOwnHeadersAndFooters)
{
    ReportLayout layout;
    for (const char* name : {"Dívida", "Custas"}) {
        DetailSection section;
        section.rowCount = std::string(name) == "Dívida" ? 2 : 0;
        section.row = [name](std::size_t r) {
            return Band(5).text(0, 0, 50, std::string(name) + std::to_string(r));
        };
        section.header = Band(5).text(0, 0, 50, std::string("Da ") + name);
        section.footer = Band(5).text(0, 0, 50, std::string("Subtotal ") + name);
        layout.sections.push_back(section);
    }
    DetailSection hidden;
    hidden.printWhenEmpty = false;
    hidden.header = Band(5).text(0, 0, 50, "não aparece");
    layout.sections.push_back(hidden);
    EXPECT_EQ(layOut(layout).pages[0].textsInReadingOrder(),
              (std::vector<std::string>{"Da Dívida", "Dívida0", "Dívida1", "Subtotal Dívida", "Da Custas",
                                        "Subtotal Custas"}));
}

TEST(ReportLayout, PageHeaderAndFooterOptionsForFirstAndLastPage)
{
    ReportLayout layout = listing(30);
    layout.pageHeaderOnFirstPage = false;
    layout.pageFooterOnLastPage = false;
    const PageModel model = layOut(layout);
    ASSERT_EQ(model.pages.size(), 2u);
    EXPECT_FALSE(model.pages[0].hasText("CABEÇALHO"));
    EXPECT_TRUE(model.pages[1].hasText("CABEÇALHO"));
    EXPECT_TRUE(model.pages[0].hasText("Página 1 de 2"));
    EXPECT_TRUE(textsStartingWith(model.pages[1], "Página").empty());
}

TEST(ReportLayout, PageNumberPatternsAreOnlyReadInFieldsNotInData)
{
    ReportLayout layout;
    layout.pageHeader = Band(5).field(0, 0, 50, "Pág. %1", TextField::PageNumber).text(60, 0, 50, "100%1 %2");
    const PageModel model = layOut(layout);
    EXPECT_TRUE(model.pages[0].hasText("Pág. 1"));
    EXPECT_TRUE(model.pages[0].hasText("100%1 %2"));
}

TEST(ReportLayout, MultiLineTextsGrowTheirBand)
{
    const TextStyle fixed = TextStyle::fixed(10);
    Band band(4);
    band.text(0, 1, 190, "uma\nduas\ntrês", fixed);
    EXPECT_DOUBLE_EQ(band.height(), 1 + 3 * fixed.lineHeightMm());
    // 83 memo characters in a 10-point fixed face fit a Letter portrait body.
    EXPECT_LT(83 * fixed.fixedCharWidthMm(), 215.9 - 20);
}

TEST(ReportLayout, BandTallerThanAPageIsRefusedNotLost)
{
    ReportLayout layout = listing(0);
    layout.name = "Memo";
    layout.summary = Band(400);
    try {
        layOut(layout);
        FAIL() << "expected an exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("Memo"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("400,0 mm"), std::string::npos) << e.what();
    }
    DetailSection noBand;
    noBand.rowCount = 1;
    layout.sections = {noBand};
    layout.summary.reset();
    EXPECT_THROW(layOut(layout), std::invalid_argument);
}

TEST(ReportLayout, PaperSizesFollowOrientation)
{
    PageSetup setup{PaperSize::Letter, Orientation::Landscape, {}};
    EXPECT_DOUBLE_EQ(setup.widthMm(), 279.4);
    EXPECT_DOUBLE_EQ(setup.heightMm(), 215.9);
    setup = {PaperSize::A4, Orientation::Portrait, {15, 10, 5, 10}};
    EXPECT_DOUBLE_EQ(setup.bodyWidthMm(), 190);
    EXPECT_DOUBLE_EQ(setup.bodyHeightMm(), 277);
}

}  // namespace
}  // namespace quintara::reports

#include "reports/columns.h"

namespace quintara::reports {
namespace {

TEST(ReportColumns, HeadingsAndCellsShareTheirColumns)
{
    std::vector<Column> columns = columnsOfWidths({20, 80, 30});
    columns[2].align = Align::Right;
    EXPECT_DOUBLE_EQ(columns[2].x, 100);
    Band heading(6);
    addCells(heading, columns, 0, {"CÓDIGO", "DESCRIÇÃO DO ÍNDICE", "VALOR"}, TextStyle::sans(9, true));
    const Band row = cellsBand(columns, {"IGPM", "Índice Geral de Preços"}, TextStyle::sans(8), 5);
    const auto& h = std::get<BandText>(heading.elements()[2]);
    EXPECT_DOUBLE_EQ(h.rect.x, 100);
    EXPECT_EQ(h.align, Align::Right);
    EXPECT_EQ(row.elements().size(), 2u);
    EXPECT_DOUBLE_EQ(std::get<BandText>(row.elements()[1]).rect.x,
                     std::get<BandText>(heading.elements()[1]).rect.x);
    EXPECT_THROW(cellsBand(columns, {"a", "b", "c", "d"}, {}, 5), std::invalid_argument);
}

TEST(ReportColumns, FixedPitchSizeKeepsMemoLinesWhole)
{
    const double narrow = TextStyle::fixedPointSizeFor(83, 150);
    EXPECT_LT(narrow, 10);
    EXPECT_LE(83 * TextStyle::fixed(narrow).fixedCharWidthMm(), 150);
    EXPECT_GT(83 * TextStyle::fixed(narrow + 0.5).fixedCharWidthMm(), 150);
    EXPECT_DOUBLE_EQ(TextStyle::fixedPointSizeFor(83, 195.9), 10);
}

TEST(ReportColumns, DumpListsEveryPageInReadingOrder)
{
    ReportLayout layout;
    layout.pageHeader = Band(10).text(100, 0, 50, "direita").text(0, 0, 50, "esquerda");
    EXPECT_EQ(dumpTexts(layOut(layout)), "--- página 1\nesquerda\ndireita\n");
}

}  // namespace
}  // namespace quintara::reports
