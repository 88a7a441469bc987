#include "app/reference/frm_atualiza_indices.h"

#include "app/backup_first.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/data_module.h"
#include "data/index_sources.h"
#include "ui/prompter.h"
#include "update/fetcher.h"
#include "update/index_update.h"

namespace quintara {

namespace {

QString failureText(UpdateFailure failure)
{
    switch (failure) {
        case UpdateFailure::NoSeries:
            return QStringLiteral("Falhou: sem número de série");
        case UpdateFailure::NotRegistered:
            return QStringLiteral("Falhou: índice não cadastrado");
        case UpdateFailure::NoAnswer:
            return QStringLiteral("Falhou: sem resposta a tempo");
        case UpdateFailure::Service:
            return QStringLiteral("Falhou: erro no serviço");
        case UpdateFailure::BadAnswer:
            return QStringLiteral("Falhou: resposta inválida");
        case UpdateFailure::Store:
        case UpdateFailure::None:
            break;
    }
    return QStringLiteral("Falhou: erro ao gravar os valores");
}

QTableWidgetItem* cell(const QString& text, Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    item->setTextAlignment(align);
    return item;
}

}  // namespace

TFrmAtualizaIndices::TFrmAtualizaIndices(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setWindowTitle(QStringLiteral("Atualizar índices"));
    grid = new QTableWidget(this);
    grid->setColumnCount(7);
    grid->setHorizontalHeaderLabels({QStringLiteral("ÍNDICE"), QStringLiteral("SÉRIE"),
                                     QStringLiteral("PROGRESSO"), QStringLiteral("INCLUÍDOS"),
                                     QStringLiteral("ALTERADOS"), QStringLiteral("INALTERADOS"),
                                     QStringLiteral("SITUAÇÃO")});
    grid->verticalHeader()->hide();
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->horizontalHeader()->setSectionResizeMode(ColSituacao, QHeaderView::Stretch);
    grid->setColumnWidth(ColProgresso, 160);
    lbResumo = new QLabel(
        QStringLiteral("Valores do Sistema Gerenciador de Séries Temporais do Banco Central."), this);
    lbResumo->setWordWrap(true);
    btAtualizar = new QPushButton(QStringLiteral("&Atualizar"), this);
    btFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    btFechar->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btAtualizar);
    buttons->addWidget(btFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid, 1);
    layout->addWidget(lbResumo);
    layout->addLayout(buttons);
    resize(900, 460);

    connect(btAtualizar, &QPushButton::clicked, this, &TFrmAtualizaIndices::btAtualizarClick);
    connect(btFechar, &QPushButton::clicked, this, &QDialog::accept);
    fillIndices();
}

TFrmAtualizaIndices::~TFrmAtualizaIndices() = default;

void TFrmAtualizaIndices::fillIndices()
{
    const std::vector<IndexSource> sources = IndexSources(dm_).all();
    grid->setRowCount(static_cast<int>(sources.size()));
    codes_.clear();
    for (int row = 0; row < static_cast<int>(sources.size()); ++row) {
        const IndexSource& s = sources[static_cast<std::size_t>(row)];
        codes_.push_back(s.code);
        grid->setItem(row, ColIndice, cell(QString::fromStdString(s.code)));
        grid->setItem(row, ColSerie,
                      cell(s.series.empty() ? QStringLiteral("-") : QString::fromStdString(s.series),
                           Qt::AlignRight | Qt::AlignVCenter));
        auto* bar = new QProgressBar(grid);
        bar->setRange(0, 1);
        bar->setValue(0);
        grid->setCellWidget(row, ColProgresso, bar);
        for (int column : {ColIncluidos, ColAlterados, ColInalterados}) grid->setItem(row, column, cell({}));
        grid->setItem(
            row, ColSituacao,
            cell(s.updated.date.isEmpty() ? QStringLiteral("Nunca atualizado")
                                          : QStringLiteral("Última atualização: %1 %2")
                                                .arg(QString::fromStdString(s.updated.date.toString()),
                                                     QString::fromStdString(s.updated.time))));
    }
}

QProgressBar* TFrmAtualizaIndices::progressOf(int row) const
{
    return qobject_cast<QProgressBar*>(grid->cellWidget(row, ColProgresso));
}

int TFrmAtualizaIndices::rowOf(const std::string& code) const
{
    for (std::size_t i = 0; i < codes_.size(); ++i)
        if (codes_[i] == code) return static_cast<int>(i);
    return -1;
}

void TFrmAtualizaIndices::btAtualizarClick()
{
    if (!fetcher_) {
        network_ = std::make_unique<NetworkFetcher>();
        fetcher_ = network_.get();
    }
    if (!backupFirst(dm_, QStringLiteral("Atualizar índices"), QStringLiteral("Nenhum valor foi gravado.")))
        return;
    btAtualizar->setEnabled(false);
    btFechar->setEnabled(false);
    lbResumo->setText(QStringLiteral("Atualizando..."));
    UpdateReport report;
    try {
        IndexUpdate update(dm_, *fetcher_, {base_, today_, codes_});
        report = update.run([this](const std::string& code, int step, int total) {
            if (QProgressBar* bar = progressOf(rowOf(code))) {
                bar->setRange(0, total);
                bar->setValue(step);
                grid->scrollToItem(grid->item(rowOf(code), ColIndice));
            }
        });
    } catch (const std::exception& e) {
        ui::Prompter::current().error(QStringLiteral("Atualizar índices"), QString::fromStdString(e.what()));
    }
    btAtualizar->setEnabled(true);
    btFechar->setEnabled(true);
    showReport(report);
}

void TFrmAtualizaIndices::showReport(const UpdateReport& report)
{
    int updated = 0;
    int unchanged = 0;
    int failed = 0;
    for (const IndexUpdateResult& r : report.results) {
        const int row = rowOf(r.code);
        if (row < 0) continue;
        const bool done = r.status == UpdateStatus::Done;
        const bool changed = done && r.counts.added + r.counts.updated > 0;
        (done ? (changed ? updated : unchanged) : failed)++;
        const auto count = [&](int value) {
            return cell(done ? QString::number(value) : QString(), Qt::AlignRight | Qt::AlignVCenter);
        };
        grid->setItem(row, ColIncluidos, count(r.counts.added));
        grid->setItem(row, ColAlterados, count(r.counts.updated));
        grid->setItem(row, ColInalterados, count(r.counts.unchanged));
        QTableWidgetItem* status =
            cell(!done ? failureText(r.failure)
                       : (changed ? QStringLiteral("Atualizado") : QStringLiteral("Sem valores novos")));
        status->setToolTip(QString::fromStdString(r.message));
        if (!done) status->setForeground(Qt::darkRed);
        grid->setItem(row, ColSituacao, status);
        if (QProgressBar* bar = progressOf(row)) bar->setValue(done ? bar->maximum() : bar->value());
    }
    lbResumo->setText(QStringLiteral("%1 índice(s) atualizado(s), %2 sem valores novos, %3 com falha.")
                          .arg(updated)
                          .arg(unchanged)
                          .arg(failed));
    if (report.networkError) {
        for (std::size_t i = report.results.size(); i < codes_.size(); ++i)
            grid->setItem(static_cast<int>(i), ColSituacao, cell(QStringLiteral("Não atualizado")));
        ui::Prompter::current().error(
            QStringLiteral("Atualizar índices"),
            QStringLiteral("Não foi possível acessar o serviço do Banco Central (%1).\n"
                           "Verifique a conexão com a internet. Nenhum outro índice foi atualizado.")
                .arg(QString::fromStdString(*report.networkError)));
    }
}

}  // namespace quintara
