#include "app/worksheet/chart_print.h"

#include <QAction>
#include <QChartView>
#include <QFileDialog>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

#include "app/modal_runner.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

void saveChartPdf(QChartView& view, const QString& title, QWidget* parent)
{
    const QString path =
        QFileDialog::getSaveFileName(parent, QStringLiteral("Salvar gráfico em PDF"),
                                     title + QStringLiteral(".pdf"), QStringLiteral("Arquivos PDF (*.pdf)"));
    if (path.isEmpty()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(title);
    paintChart(view, printer);
}

}  // namespace

void paintChart(QChartView& view, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        ui::Prompter::current().error(QStringLiteral("Atenção !"),
                                      QStringLiteral("Não foi possível imprimir o gráfico."));
        return;
    }
    const QRect page = painter.viewport();
    QSize size = view.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    const QRect target(page.x() + (page.width() - size.width()) / 2, page.y(), size.width(), size.height());
    view.render(&painter, target);
    painter.end();
}

void previewChart(QChartView& view, const QString& title, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("ChartPrintPreview"));
    dialog.setWindowTitle(QStringLiteral("Visualização - ") + title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&view](QPrinter* target) { paintChart(view, *target); });
    if (auto* toolBar = dialog.findChild<QToolBar*>()) {
        QAction* pdf = toolBar->addAction(QStringLiteral("Salvar PDF"));
        pdf->setStatusTip(QStringLiteral("Salvar o gráfico em um arquivo PDF"));
        QObject::connect(pdf, &QAction::triggered, &dialog,
                         [&view, title, &dialog] { saveChartPdf(view, title, &dialog); });
    }
    dialog.resize(1000, 700);
    runModal(dialog);
}

}  // namespace quintara
