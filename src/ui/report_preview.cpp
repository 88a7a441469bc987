#include "ui/report_preview.h"

#include <QAction>
#include <QFileDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>
#include <stdexcept>

#include "reports/report_painter.h"
#include "ui/prompter.h"

namespace quintara::ui {

ReportPreview::ReportPreview(reports::PageModel model, QWidget* parent)
    : QObject(parent), model_(std::move(model)), parentWidget_(parent)
{
}

void ReportPreview::preview()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setDocName(QString::fromStdString(model_.title));
    reports::applyPageSetup(printer, model_.setup);
    QPrintPreviewDialog dialog(&printer, parentWidget_);
    dialog.setWindowTitle(QStringLiteral("Visualização - ") + QString::fromStdString(model_.title));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, &ReportPreview::paint);
    if (auto* toolBar = dialog.findChild<QToolBar*>()) {
        QAction* pdf = toolBar->addAction(QStringLiteral("Salvar PDF"));
        pdf->setStatusTip(QStringLiteral("Salvar o relatório em um arquivo PDF"));
        connect(pdf, &QAction::triggered, this, [this] { savePdf(); });
    }
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}

bool ReportPreview::savePdf()
{
    const QString path =
        QFileDialog::getSaveFileName(parentWidget_, QStringLiteral("Salvar relatório em PDF"),
                                     QString::fromStdString(model_.title) + QStringLiteral(".pdf"),
                                     QStringLiteral("Arquivos PDF (*.pdf)"));
    if (path.isEmpty()) return false;
    try {
        savePdf(path);
    } catch (const std::runtime_error& e) {
        Prompter::current().error(QStringLiteral("Atenção !"), QString::fromStdString(e.what()));
        return false;
    }
    return true;
}

void ReportPreview::savePdf(const QString& path) const
{
    reports::exportPdf(model_, path);
}

void ReportPreview::paint(QPrinter* printer) const
{
    try {
        reports::printModel(model_, *printer);
    } catch (const std::runtime_error& e) {
        Prompter::current().error(QStringLiteral("Atenção !"), QString::fromStdString(e.what()));
    }
}

}  // namespace quintara::ui
