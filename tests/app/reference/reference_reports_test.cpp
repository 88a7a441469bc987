// The reports of the indices and currencies windows: the four value pairs of
// each band and their two formats, the rows of the catalogue and of the
// currency table, and each report's PDF as a PDF reader sees it.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>

#include "app/app_fixture.h"
#include "app/reference/frm_qrp_indices.h"
#include "app/reference/frm_rel_tab_vigencia.h"
#include "app/reference/frm_tab_vigencia.h"
#include "reports/report_painter.h"

namespace quintara {
namespace {

class ReferenceReports : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
    }
    std::uint32_t recNoOf(const std::string& code)
    {
        foxpro::Table& indices = dm_->Indices();
        indices.setTag("codigo");
        EXPECT_TRUE(indices.seek({code}));
        return indices.recNo();
    }
    // The texts a PDF reader extracts from the report saved as PDF.
    QString pdfText(const reports::PageModel& model)
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("report.pdf"));
        reports::exportPdf(model, path);
        QProcess reader;
        reader.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        if (!reader.waitForFinished(30000)) return QStringLiteral("pdftotext did not run");
        return QString::fromUtf8(reader.readAllStandardOutput());
    }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
};

// The texts of a page at the height of the given text, left to right.
std::vector<std::string> lineOf(const reports::Page& page, const std::string& anchor)
{
    double y = -1;
    for (const reports::PageText& t : page.texts())
        if (t.text == anchor) y = t.rect.y;
    std::vector<const reports::PageText*> line;
    for (const reports::PageText& t : page.texts())
        if (std::abs(t.rect.y - y) < 0.01 && !t.text.empty()) line.push_back(&t);
    std::sort(line.begin(), line.end(), [](auto* a, auto* b) { return a->rect.x < b->rect.x; });
    std::vector<std::string> texts;
    for (auto* t : line) texts.push_back(t->text);
    return texts;
}

TEST_F(ReferenceReports, ValuesPrintFourPairsPerBandInTheFormatOfTheirKind)
{
    for (int month = 1; month <= 6; ++month)
        test::addValue(*dm_, "IPCA", Date(1, month, 2024).toDtos(), 1000.0 * month + 0.123456789);
    const reports::PageModel percent = TFrmQrpValorIndices::prepare(*dm_, recNoOf("IPCA"));
    ASSERT_EQ(percent.pages.size(), 1u);
    const reports::Page& page = percent.pages[0];
    EXPECT_TRUE(page.hasText("Índice Nacional de Preços ao Consumidor Amplo (IBGE) [IPCA]"))
        << reports::dumpTexts(percent);
    EXPECT_EQ(lineOf(page, "01/01/2024"),
              (std::vector<std::string>{"01/01/2024", "1.000,1235", "01/02/2024", "2.000,1235", "01/03/2024",
                                        "     3.000,1235", "01/04/2024", "     4.000,1235"}));
    // The second band: two pairs, then two blank ones.
    EXPECT_EQ(lineOf(page, "01/05/2024"),
              (std::vector<std::string>{"01/05/2024", "5.000,1235", "01/06/2024", "6.000,1235"}));

    // A multiplier index: nine decimals, no grouping, wider in pairs 3 and 4.
    foxpro::Table& indices = dm_->Indices();
    indices.go(recNoOf("IPCA"));
    indices.edit();
    indices.setString("TBCM_VAL", "1");
    indices.post();
    const reports::PageModel multiplier = TFrmQrpValorIndices::prepare(*dm_, recNoOf("IPCA"));
    EXPECT_EQ(lineOf(multiplier.pages[0], "01/01/2024"),
              (std::vector<std::string>{"01/01/2024", "1000,123456789", "01/02/2024", "2000,123456789",
                                        "01/03/2024", " 3000,123456789", "01/04/2024", " 4000,123456789"}));
    EXPECT_TRUE(pdfText(multiplier).contains(QStringLiteral("[IPCA]")));
}

TEST_F(ReferenceReports, CatalogueListsEveryIndexUnderItsTitle)
{
    const reports::PageModel model = TFrmQrpIndices::prepare(*dm_);
    ASSERT_EQ(model.pages.size(), 1u);
    const reports::Page& page = model.pages[0];
    EXPECT_TRUE(page.hasText("TABELA DE INDICADORES ECONÔMICOS"));
    EXPECT_TRUE(page.hasText("FORMATO VALOR"));
    const std::vector<std::string> selic = lineOf(page, "SELIC");
    ASSERT_GE(selic.size(), 4u);
    EXPECT_EQ(selic[2], "Mensal");
    EXPECT_EQ(selic[3], "01/06/1986");
    EXPECT_EQ(selic.back(), "TaxaJuro");
    EXPECT_TRUE(page.hasText("Página 1"));
    EXPECT_TRUE(pdfText(model).contains(QStringLiteral("TABELA DE INDICADORES ECONÔMICOS")));
}

TEST_F(ReferenceReports, CurrencyTablePrintsTheGridRows)
{
    TFrmTabVigencia window(*dm_);
    window.show();
    QApplication::processEvents();
    const reports::PageModel model = TFrmRelTabVigencia::prepare(window.tableForReport());
    ASSERT_EQ(model.pages.size(), 1u);
    EXPECT_EQ(lineOf(model.pages[0], "01/07/1994 em diante ...."),
              (std::vector<std::string>{"01/07/1994 em diante ....", "Real", "R$", "2750"}));
    EXPECT_EQ(static_cast<int>(window.tableForReport().rows.size()), window.StrGridTab->rowCount());
    EXPECT_TRUE(pdfText(model).contains(QStringLiteral("TABELA DE VIGÊNCIA DA MOEDA NACIONAL")));
}

}  // namespace
}  // namespace quintara
