#include "app/reference/frm_forma_correcao.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "app/app_errors.h"
#include "app/modal_runner.h"
#include "app/reference/forms_table.h"
#include "app/reference/frm_edita_sequencia.h"
#include "app/reference/frm_nova_sequencia.h"
#include "app/reference/frm_testa_sequencia.h"
#include "data/data_module.h"
#include "ui/hints.h"
#include "ui/prompter.h"
#include "ui/report_preview.h"

namespace quintara {

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;

QPushButton* commandButton(QWidget* parent, const QString& caption, const QString& hint)
{
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    ui::setHint(button, hint);
    return button;
}

}  // namespace

TFrmFormaCorrecao::TFrmFormaCorrecao(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmFormaCorrecao"));
    setWindowTitle(QStringLiteral("Sequências de Indices para Cálculos"));

    auto* banner = new QLabel(QStringLiteral("Formas de Correção Monetária"), this);
    QFont bannerFont = banner->font();
    bannerFont.setBold(true);
    bannerFont.setPointSize(bannerFont.pointSize() + 3);
    banner->setFont(bannerFont);
    banner->setFrameShape(QFrame::Panel);
    banner->setFrameShadow(QFrame::Raised);
    banner->setMinimumHeight(30);
    banner->setAlignment(Qt::AlignCenter);

    auto* bar = new QWidget(this);
    buildCommands(bar);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(buildFormsPanel());
    splitter->addWidget(buildPeriodicityPanel());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    auto* statusBar = new QStatusBar(this);
    for (QLabel*& panel : statusPanels) panel = new QLabel(statusBar);
    statusPanels[0]->setMinimumWidth(110);
    statusBar->addWidget(statusPanels[0]);
    statusBar->addWidget(statusPanels[1], 1);
    statusBar->setSizeGripEnabled(false);
    ui::routeHints(this, statusPanels[1]);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(banner);
    layout->addWidget(bar);
    layout->addWidget(splitter, 1);
    layout->addWidget(statusBar);
    resize(900, 560);

    connect(qApp, &QApplication::focusChanged, this, &TFrmFormaCorrecao::focusChanged);
}

// The focus watch ends before the widgets go, so that no focus change seen
// while they are destroyed reaches a half-destroyed window.
TFrmFormaCorrecao::~TFrmFormaCorrecao()
{
    disconnect(qApp, nullptr, this, nullptr);
}

void TFrmFormaCorrecao::buildCommands(QWidget* bar)
{
    btNovaSequencia = commandButton(bar, QStringLiteral("&Nova Sequência"),
                                    QStringLiteral("Permite Criar uma nova sequência de índices."));
    btEditarSequencia = commandButton(bar, QStringLiteral("&Editar Sequência"),
                                      QStringLiteral("Permite alterar dados de uma sequência"));
    btExcluirsequencia = commandButton(bar, QStringLiteral("&Excluir Sequência"),
                                       QStringLiteral("Permite excluir uma sequência."));
    btImprimirTabela = commandButton(bar, QStringLiteral("&Imprimir Tabela"),
                                     QStringLiteral("Permite imprimir a tabela de Formas de Correção."));
    spbTest = new QToolButton(bar);
    spbTest->setText(QStringLiteral("Teste"));
    spbTest->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    spbTest->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ui::setHint(spbTest, QStringLiteral("Permite fazer o teste da sequência."));
    btSair = commandButton(bar, QStringLiteral("&Sair"), QStringLiteral("Fecha esse programa."));

    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{btNovaSequencia, btEditarSequencia, btExcluirsequencia,
                                                      btImprimirTabela, spbTest})
        row->addWidget(w);
    row->addStretch();
    row->addWidget(btSair);

    connect(btNovaSequencia, &QPushButton::clicked, this, &TFrmFormaCorrecao::btNovaSequenciaClick);
    connect(btEditarSequencia, &QPushButton::clicked, this, &TFrmFormaCorrecao::btEditarSequenciaClick);
    connect(btExcluirsequencia, &QPushButton::clicked, this, &TFrmFormaCorrecao::btExcluirsequenciaClick);
    connect(btImprimirTabela, &QPushButton::clicked, this, &TFrmFormaCorrecao::btImprimirTabelaClick);
    connect(spbTest, &QToolButton::clicked, this, &TFrmFormaCorrecao::spbTestClick);
    connect(btSair, &QPushButton::clicked, this, &TFrmFormaCorrecao::reject);
}

QWidget* TFrmFormaCorrecao::buildFormsPanel()
{
    auto* panel = new QWidget(this);
    DBGrid1 = new QTableWidget(0, 2, panel);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setHorizontalHeaderLabels(
        {QStringLiteral("CÓD."), QStringLiteral("SEQUÊNCIA (Índices em Ordem de Utilização)")});
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->verticalHeader()->hide();
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    DBGrid1->setColumnWidth(0, 60);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    ui::setHint(DBGrid1, QStringLiteral("Pressione qualquer tecla para destacar a 'tabela de periodicidade' "
                                        "dessa sequência."));

    popup = new QMenu(this);
    popup->addAction(QStringLiteral("Nova &Sequência"), this, &TFrmFormaCorrecao::btNovaSequenciaClick);
    popup->addAction(QStringLiteral("&Editar Sequência"), this, &TFrmFormaCorrecao::btEditarSequenciaClick);
    popup->addAction(QStringLiteral("&Editar &Periodicidade"), this,
                     &TFrmFormaCorrecao::editarPeriodicidadeClick);
    popup->addAction(QStringLiteral("&Excluir"), this, &TFrmFormaCorrecao::btExcluirsequenciaClick);
    popup->addAction(QStringLiteral("&Imprimir Tabela"), this, &TFrmFormaCorrecao::btImprimirTabelaClick);
    connect(DBGrid1, &QTableWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popup->popup(DBGrid1->viewport()->mapToGlobal(at)); });
    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
        if (!filling_ && row != previousRow) DBGrid1RowChanged(row);
    });
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TFrmFormaCorrecao::DBGrid1HeaderClick);

    auto* historyTitle = new QLabel(QStringLiteral("Descrição da Sequência"), panel);
    Historico = new QPlainTextEdit(panel);
    Historico->setReadOnly(true);
    Historico->setMaximumHeight(110);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DBGrid1, 1);
    layout->addWidget(historyTitle);
    layout->addWidget(Historico);
    return panel;
}

void TFrmFormaCorrecao::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmFormaCorrecao::FormActivate()
{
    statusPanels[1]->setText(QStringLiteral("Aguarde ..."));
    pEditaPeriod->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{btNovaSequencia, btEditarSequencia, btExcluirsequencia,
                                                      btImprimirTabela, spbTest, btSair})
        w->setEnabled(true);
    periodicityChanged_ = false;
    guarded([&] {
        foxpro::Table& forms = dm_.FormaCorrecao();
        order_ = forms.tag();
        const std::string current = forms.eof() || forms.bof() ? std::string() : forms.getString("FORMA_COD");
        fillFormsGrid(current);
    });
    DBGrid1->setFocus();
}

void TFrmFormaCorrecao::fillFormsGrid(const std::string& selectCode)
{
    foxpro::Table& forms = dm_.FormaCorrecao();
    filling_ = true;
    DBGrid1->setRowCount(0);
    int selectRow = 0;
    int count = 0;
    try {
        forms.setTag(order_);
        for (forms.first(); !forms.eof(); forms.next()) {
            const std::string code = forms.getString("FORMA_COD");
            auto* codeItem = new QTableWidgetItem(QString::fromStdString(code));
            codeItem->setData(kRecordRole, forms.recNo());
            DBGrid1->insertRow(count);
            DBGrid1->setItem(count, 0, codeItem);
            DBGrid1->setItem(count, 1,
                             new QTableWidgetItem(QString::fromStdString(forms.getString("FORMA_CH"))));
            if (code == selectCode) selectRow = count;
            ++count;
        }
    } catch (...) {
        filling_ = false;
        throw;
    }
    filling_ = false;
    statusPanels[0]->setText(QStringLiteral("%1 sequências").arg(count));
    if (count == 0) {
        selectForm(-1);
        return;
    }
    filling_ = true;
    DBGrid1->setCurrentCell(selectRow, 0);
    filling_ = false;
    selectForm(selectRow);
}

void TFrmFormaCorrecao::DBGrid1RowChanged(int row)
{
    selectForm(row);
}

void TFrmFormaCorrecao::selectForm(int row)
{
    // A changed periodicity belongs to the form shown until now.
    SGIndiceExit();
    guarded([&] {
        QTableWidgetItem* item = row >= 0 ? DBGrid1->item(row, 0) : nullptr;
        foxpro::Table& forms = dm_.FormaCorrecao();
        if (!item) {
            rememberedCode_.clear();
            cSequencia->setText(QStringLiteral("000"));
            Historico->clear();
            Limpa();
            return;
        }
        forms.go(item->data(kRecordRole).toUInt());
        rememberedCode_ = forms.getString("FORMA_COD");
        cSequencia->setText(QString::fromStdString(rememberedCode_));
        Historico->setPlainText(QString::fromStdString(forms.getMemo("FORMA_HIS")));
        Periodicidade();
    });
}

std::uint32_t TFrmFormaCorrecao::shownRecord() const
{
    const int row = DBGrid1->currentRow();
    QTableWidgetItem* item = row >= 0 ? DBGrid1->item(row, 0) : nullptr;
    return item ? item->data(kRecordRole).toUInt() : 0;
}

QString TFrmFormaCorrecao::shownCode() const
{
    return cSequencia->text();
}

void TFrmFormaCorrecao::DBGrid1HeaderClick(int column)
{
    if (column != 0) return;
    SGIndiceExit();
    order_ = "codigo";
    guarded([&] { fillFormsGrid(rememberedCode_); });
}

void TFrmFormaCorrecao::btNovaSequenciaClick()
{
    SGIndiceExit();
    guarded([&] {
        TFrmNovaSequencia dialog(dm_, this);
        dialog.setProposedCode(QString::fromStdString(nextFormCode(dm_)));
        const bool added = runModal(dialog) == QDialog::Accepted;
        fillFormsGrid(added ? dialog.storedCode() : rememberedCode_);
    });
}

void TFrmFormaCorrecao::btEditarSequenciaClick()
{
    SGIndiceExit();
    const std::uint32_t record = shownRecord();
    if (record == 0) return;
    guarded([&] {
        TFrmEditaSequencia dialog(dm_, record, this);
        runModal(dialog);
        fillFormsGrid(rememberedCode_);
    });
}

void TFrmFormaCorrecao::btExcluirsequenciaClick()
{
    SGIndiceExit();
    const std::uint32_t record = shownRecord();
    if (record == 0) return;
    if (ui::Prompter::current().ask(QStringLiteral("Confirmar"),
                                    QStringLiteral("A sequência atualmente selecionada será excluída !"),
                                    ui::Prompter::Yes | ui::Prompter::No) != ui::Prompter::Yes)
        return;
    guarded([&] {
        const int row = DBGrid1->currentRow();
        foxpro::Table& forms = dm_.FormaCorrecao();
        forms.go(record);
        if (forms.getString("FORMA_COD") != rememberedCode_)
            throw std::runtime_error("A sequência " + rememberedCode_ +
                                     " não está mais neste registro; nada foi excluído.");
        forms.remove();
        QTableWidgetItem* next = DBGrid1->item(row + 1 < DBGrid1->rowCount() ? row + 1 : row - 1, 0);
        fillFormsGrid(next ? next->text().toStdString() : std::string());
    });
}

void TFrmFormaCorrecao::btImprimirTabelaClick()
{
    SGIndiceExit();
    guarded([&] {
        ui::ReportPreview report(reports::correctionFormsReport(reportRows()), this);
        report.preview();
    });
}

std::vector<reports::CorrectionFormRow> TFrmFormaCorrecao::reportRows()
{
    std::vector<reports::CorrectionFormRow> rows;
    foxpro::Table& forms = dm_.FormaCorrecao();
    TableCursorGuard guard(forms);
    forms.setTag(order_);
    for (forms.first(); !forms.eof(); forms.next())
        rows.push_back(
            {forms.getString("FORMA_COD"), forms.getString("FORMA_CH"), forms.getRaw("FORMA_DAT")});
    return rows;
}

void TFrmFormaCorrecao::spbTestClick()
{
    SGIndiceExit();
    if (shownRecord() == 0) return;
    guarded([&] {
        TFrmTestaSequencia tester(dm_, rememberedCode_, this);
        runModal(tester);
    });
}

void TFrmFormaCorrecao::reject()
{
    SGIndiceExit();
    QDialog::reject();
}

}  // namespace quintara
