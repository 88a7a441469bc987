#include "reports/report_painter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <stdexcept>

#include "report_test_support.h"
#include "reports/report.h"

namespace quintara::reports {
namespace {

class ReportPainterTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::ensureGuiApplication(); }

    static PageModel twoPages(PaperSize paper, Orientation orientation)
    {
        ReportLayout layout;
        layout.setup = {paper, orientation, {}};
        layout.name = "Teste PDF";
        DetailSection section;
        section.rowCount = 60;
        section.row = [](std::size_t r) { return Band(6).text(0, 0, 80, "Linha " + std::to_string(r)); };
        layout.sections.push_back(section);
        return layOut(layout);
    }

    // pdfinfo's "Pages:" and "Page size:" lines, or empty when it is not installed.
    static QString pdfinfo(const QString& path)
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()) return {};
        QProcess process;
        process.start(QStringLiteral("pdfinfo"), {path});
        process.waitForFinished();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
};

TEST_F(ReportPainterTest, PdfHasEveryPageInTheModelsPaperAndOrientation)
{
    QTemporaryDir dir;
    const QString letter = dir.filePath(QStringLiteral("letter.pdf"));
    const PageModel model = twoPages(PaperSize::Letter, Orientation::Landscape);
    ASSERT_EQ(model.pages.size(), 2u);  // 32 rows of 6 mm on 195,9 mm
    exportPdf(model, letter);
    QFile file(letter);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));
    const QString info = pdfinfo(letter);
    if (info.isEmpty()) GTEST_SKIP() << "pdfinfo not installed";
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("792 x 612 pts"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("Teste PDF"))) << info.toStdString();

    const QString a4 = dir.filePath(QStringLiteral("a4.pdf"));
    exportPdf(twoPages(PaperSize::A4, Orientation::Portrait), a4);
    EXPECT_TRUE(pdfinfo(a4).contains(QStringLiteral("595 x 842 pts (A4)"))) << pdfinfo(a4).toStdString();
}

TEST_F(ReportPainterTest, UnwritablePdfPathIsReportedNotIgnored)
{
    const PageModel model = twoPages(PaperSize::A4, Orientation::Portrait);
    EXPECT_THROW(exportPdf(model, QStringLiteral("/nonexistent-folder/x.pdf")), std::runtime_error);
    EXPECT_THROW(exportPdf(PageModel{}, QStringLiteral("/tmp/empty.pdf")), std::runtime_error);
}

TEST_F(ReportPainterTest, RenderedPageShowsBoxesLinesAndTextsWhereTheModelPutsThem)
{
    PageModel model;
    model.setup = {PaperSize::A4, Orientation::Portrait, {}};
    Page page;
    page.add(PageBox{{20, 20, 40, 20}, false, 0, kBlack, true, kBlue});
    page.add(PageLine{10, 100, 200, 100, 1.0, kBlack});
    page.add(PageText{{10, 150, 190, 10}, "MMMMMMMM", TextStyle::sans(24, true), Align::Left});
    model.pages.push_back(page);
    const QImage image = renderPage(model, 0, 254);  // 10 dots per millimetre
    EXPECT_EQ(image.pixelColor(400, 300), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(100, 100), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(1000, 1000).value(), 0);
    bool inked = false;
    for (int x = 100; x < 1000 && !inked; ++x)
        for (int y = 1500; y < 1600 && !inked; ++y) inked = image.pixelColor(x, y).value() < 128;
    EXPECT_TRUE(inked) << "text not painted";
    EXPECT_THROW(renderPage(model, 1), std::out_of_range);
}

TEST_F(ReportPainterTest, ShrinkToFitKeepsLongTextInsideItsColumn)
{
    PageModel model;
    model.setup = {PaperSize::A4, Orientation::Portrait, {}};
    Page page;
    TextStyle style = TextStyle::sans(12);
    style.shrinkToFit = true;
    page.add(PageText{{10, 10, 20, 6}, "0,123456789012345", style, Align::Right});
    model.pages.push_back(page);
    const QImage image = renderPage(model, 0, 254);
    for (int y = 90; y < 170; ++y)
        for (int x = 0; x < 95; ++x)
            ASSERT_GT(image.pixelColor(x, y).value(), 200) << "ink left of column at " << x;
}

}  // namespace
}  // namespace quintara::reports
