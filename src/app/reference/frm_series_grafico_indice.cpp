#include "app/reference/frm_series_grafico_indice.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/reference/forms_table.h"
#include "data/data_module.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

constexpr const char* kCodeMime = "application/x-quintara-index-code";

// The index list offers its codes for dragging under their own type, so
// that only an index (never arbitrary text) can be dropped.
class IndexList : public QListWidget {
public:
    using QListWidget::QListWidget;

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override
    {
        auto* data = new QMimeData;
        if (!items.isEmpty()) data->setData(QString::fromLatin1(kCodeMime), items.first()->text().toUtf8());
        return data;
    }
    QStringList mimeTypes() const override { return {QString::fromLatin1(kCodeMime)}; }
};

}  // namespace

TFrmSeriesGraficoIndice::TFrmSeriesGraficoIndice(DataModule& dm, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFrmSeriesGraficoIndice"));
    setWindowTitle(QStringLiteral("Inserir Séries"));
    lbIndices = new IndexList(this);
    lbIndices->setDragEnabled(true);
    lbIndices->setDragDropMode(QAbstractItemView::DragOnly);
    ui::setHint(lbIndices, QStringLiteral("Arraste um índice para a lista de séries."));
    lbSeries = new QListWidget(this);
    lbSeries->setAcceptDrops(true);
    lbSeries->viewport()->setAcceptDrops(true);
    lbSeries->viewport()->installEventFilter(this);
    lbSeries->setMaximumHeight(60);
    btAdicionar = new QToolButton(this);
    btAdicionar->setArrowType(Qt::RightArrow);
    ui::setHint(btAdicionar, QStringLiteral("Adiciona o índice selecionado como série."));
    btRemover = new QToolButton(this);
    btRemover->setArrowType(Qt::LeftArrow);
    ui::setHint(btRemover, QStringLiteral("Remove a série selecionada."));
    btOk = new QPushButton(QStringLiteral("OK"), this);
    btOk->setDefault(true);
    btCancelar = new QPushButton(QStringLiteral("Cancelar"), this);

    auto* arrows = new QVBoxLayout;
    arrows->addStretch();
    arrows->addWidget(btAdicionar);
    arrows->addWidget(btRemover);
    arrows->addStretch();
    auto* series = new QVBoxLayout;
    series->addWidget(new QLabel(QStringLiteral("Série para comparação:"), this));
    series->addWidget(lbSeries);
    series->addStretch();
    auto* lists = new QHBoxLayout;
    auto* indices = new QVBoxLayout;
    indices->addWidget(new QLabel(QStringLiteral("Índices:"), this));
    indices->addWidget(lbIndices);
    lists->addLayout(indices, 1);
    lists->addLayout(arrows);
    lists->addLayout(series, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);
    resize(440, 320);

    connect(btAdicionar, &QToolButton::clicked, this, &TFrmSeriesGraficoIndice::btAdicionarClick);
    connect(btRemover, &QToolButton::clicked, this, &TFrmSeriesGraficoIndice::btRemoverClick);
    connect(lbIndices, &QListWidget::itemDoubleClicked, this, &TFrmSeriesGraficoIndice::btAdicionarClick);
    connect(btOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);

    guarded([&] {
        foxpro::Table& table = dm.Indices();
        TableCursorGuard guard(table);
        table.setFilterActive(false);
        table.setTag("codigo");
        for (table.first(); !table.eof(); table.next())
            lbIndices->addItem(QString::fromStdString(table.getString("TBCM_COD")));
    });
    if (lbIndices->count() > 0) lbIndices->setCurrentRow(0);
}

QString TFrmSeriesGraficoIndice::chosenCode() const
{
    return lbSeries->count() > 0 ? lbSeries->item(0)->text() : QString();
}

void TFrmSeriesGraficoIndice::addSeries(const QString& code)
{
    if (code.isEmpty()) return;
    if (lbSeries->count() > 0) {
        ui::Prompter::current().inform(QStringLiteral("Atenção !"),
                                       QStringLiteral("Apenas uma série pode ser adicionada por vez!"));
        return;
    }
    lbSeries->addItem(code);
    lbSeries->setCurrentRow(0);
}

void TFrmSeriesGraficoIndice::btAdicionarClick()
{
    if (QListWidgetItem* item = lbIndices->currentItem()) addSeries(item->text());
}

void TFrmSeriesGraficoIndice::btRemoverClick()
{
    delete lbSeries->currentItem();
}

bool TFrmSeriesGraficoIndice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lbSeries->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData()->hasFormat(QString::fromLatin1(kCodeMime))) drag->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            addSeries(QString::fromUtf8(drop->mimeData()->data(QString::fromLatin1(kCodeMime))));
            drop->acceptProposedAction();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quintara
