#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <stdexcept>

#include "reports/report.h"
#include "ui/hints.h"
#include "ui/modal.h"
#include "ui/report_preview.h"
#include "ui/wait_cursor.h"
#include "ui_test_support.h"

namespace quintara::ui {
namespace {

class WindowHelpersTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::ensureApplication(); }
};

TEST_F(WindowHelpersTest, WaitCursorIsRestoredWhenAnExceptionLeavesTheScope)
{
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    try {
        WaitCursor wait;
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        throw std::runtime_error("falha");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowHelpersTest, HintsOfControlsReachTheWindowsHintLabel)
{
    QWidget window;
    QLabel panel(&window);
    QPushButton button(&window);
    setHint(&button, QStringLiteral("Esse botão permite imprimir a tabela de índices."));
    EXPECT_EQ(button.toolTip(), button.statusTip());
    routeHints(&window, &panel);
    // What Qt sends when the mouse enters and leaves a control with a status tip.
    QStatusTipEvent enter(button.statusTip());
    QApplication::sendEvent(&button, &enter);
    EXPECT_EQ(panel.text(), QStringLiteral("Esse botão permite imprimir a tabela de índices."));
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(&button, &leave);
    EXPECT_TRUE(panel.text().isEmpty());
}

TEST_F(WindowHelpersTest, ModalDialogIsDestroyedAfterItsOpeningEvenWhenReadingFails)
{
    QPointer<QDialog> seen;
    auto dialog = std::make_unique<QDialog>();
    seen = dialog.get();
    QTimer::singleShot(0, dialog.get(), &QDialog::accept);
    int result = -1;
    EXPECT_THROW(execModal(std::move(dialog),
                           [&](QDialog&, int r) {
                               result = r;
                               throw std::runtime_error("leitura");
                           }),
                 std::runtime_error);
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_TRUE(seen.isNull());
}

TEST_F(WindowHelpersTest, PreviewSavesThePdfOfItsModel)
{
    reports::ReportLayout layout;
    layout.setup = {reports::PaperSize::Letter, reports::Orientation::Landscape, {}};
    layout.name = "Planilha";
    layout.title = reports::Band(10).text(0, 0, 100, "PLANILHA DE INDICES MENSAIS DE 2024");
    ReportPreview preview(reports::layOut(layout));
    EXPECT_EQ(preview.model().pages.size(), 1u);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("planilha.pdf"));
    preview.savePdf(path);
    EXPECT_GT(QFileInfo(path).size(), 0);
    EXPECT_THROW(preview.savePdf(QStringLiteral("/nonexistent-folder/p.pdf")), std::runtime_error);

    // What the preview and the print button do: paint on the printer, whose
    // page follows the report's paper and orientation.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("impressa.pdf")));
    preview.paint(&printer);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_GT(QFileInfo(dir.filePath(QStringLiteral("impressa.pdf"))).size(), 0);
}

}  // namespace
}  // namespace quintara::ui
