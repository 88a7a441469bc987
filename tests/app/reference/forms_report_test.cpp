// The printed table of correction forms: one block per form with its
// periodicity lines, read from the page model and from the saved PDF.
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/reference/frm_forma_correcao.h"
#include "reference_fixture.h"
#include "reports/forms_table_report.h"
#include "reports/report_painter.h"

namespace quintara {
namespace {

TEST(FormsReportLines, EachCodeGetsItsBlockWithOpenDatesUnderlined)
{
    EXPECT_EQ(reports::formPeriodicityLines("TR;INPC", "01/03/1991:31/01/199301/02/1993:00/00/0000"),
              (std::vector<std::string>{"TR__________________: [01/03/1991] - [31/01/1993]",
                                        "INPC________________: [01/02/1993] - [__________]"}));
    // No periodicity saved yet, and the "," outranks the ";".
    EXPECT_EQ(reports::formPeriodicityLines("IPCA;TR,INPC", ""),
              (std::vector<std::string>{"IPCA;TR_____________: [] - []", "INPC________________: [] - []"}));
}

class FormsReport : public test::ReferenceWindowTest {};

TEST_F(FormsReport, PrintsEveryFormInTheListOrderAndSavesAReadablePdf)
{
    addForm("090", "TR;INPC", "01/03/1991:31/01/199301/02/1993:00/00/0000");
    TFrmFormaCorrecao window(*dm_);
    showActive(window);
    const auto rows = window.reportRows();
    ASSERT_GE(rows.size(), 2u);
    EXPECT_EQ(rows.back().code, "090");
    const reports::PageModel model = reports::correctionFormsReport(rows, "01/02/2026 10:00:00");
    ASSERT_FALSE(model.pages.empty());
    EXPECT_TRUE(model.pages[0].hasText("TABELA DE FORMAS DE CORREÇÃO "));
    EXPECT_TRUE(model.pages[0].hasText("Quintara"));
    EXPECT_TRUE(model.pages[0].hasText("01/02/2026 10:00:00"));
    bool found = false;
    for (const reports::Page& page : model.pages)
        found = found || page.hasText(
                             "TR__________________: [01/03/1991] - [31/01/1993]\n"
                             "INPC________________: [01/02/1993] - [__________]");
    EXPECT_TRUE(found);

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) GTEST_SKIP() << "no pdftotext";
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("formas.pdf"));
    reports::exportPdf(model, pdf);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput())
                    .contains(QStringLiteral("TABELA DE FORMAS DE CORREÇÃO")));
}

}  // namespace
}  // namespace quintara
