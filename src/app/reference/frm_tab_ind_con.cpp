#include "app/reference/frm_tab_ind_con.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/modal_runner.h"
#include "app/reference/frm_altera_ind_eco.h"
#include "app/reference/frm_atualiza_indices.h"
#include "app/reference/frm_indi_eco_manut.h"
#include "data/data_module.h"
#include "foxpro/bulk_write.h"
#include "ui/date_edit.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

QTableWidget* readOnlyGrid(QWidget* parent, const QStringList& headers)
{
    auto* grid = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    grid->setHorizontalHeaderLabels(headers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(20);
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

QTableWidgetItem* cell(const std::string& text)
{
    return new QTableWidgetItem(QString::fromStdString(text));
}

QLabel* panelLabel(QWidget* parent, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMinimumHeight(22);
    return label;
}

}  // namespace

TFrmTabIndCon::TFrmTabIndCon(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmTabIndCon"));
    setWindowTitle(QStringLiteral("Indices"));
    chooseImportFile_ = [this] {
        return QFileDialog::getOpenFileName(
            this, QStringLiteral("Importar valores"), QString(),
            QStringLiteral("Séries do Banco Central (*.csv *.json);;Todos (*)"));
    };

    banner = new QLabel(QStringLiteral("Tabela de Indicadores Econômicos"), this);
    banner->setAlignment(Qt::AlignCenter);
    banner->setFrameShape(QFrame::Panel);
    banner->setFrameShadow(QFrame::Raised);
    QFont bannerFont = banner->font();
    bannerFont.setBold(true);
    bannerFont.setPointSize(bannerFont.pointSize() + 3);
    banner->setFont(bannerFont);
    banner->setMinimumHeight(30);

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    statusPanel = new QLabel(statusBar);
    progress = new QProgressBar(statusBar);
    progress->setMaximumWidth(220);
    progress->hide();
    statusBar->addWidget(statusPanel, 1);
    statusBar->addPermanentWidget(progress);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(buildIndexPanel());
    splitter->addWidget(buildValuePanel());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    splitter->setCollapsible(0, false);
    splitter->setCollapsible(1, false);

    buildCommands();

    auto* buttons = new QHBoxLayout;
    for (QPushButton* button :
         {btNovoIndice, btAlterar, btEditaValor, btImprimir, btGrafico, btAtualizarIndices})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(BitBtn5);

    auto* menuBar = new QMenuBar(this);
    menuBar->addMenu(menuIndice);
    menuBar->addMenu(menuValores);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(banner);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    layout->addWidget(statusBar);
    ui::routeHints(this, statusPanel);
    for (QWidget* field : {static_cast<QWidget*>(DBGrid1), static_cast<QWidget*>(DBGrid2),
                           static_cast<QWidget*>(dData), static_cast<QWidget*>(cValor)})
        field->installEventFilter(this);
    resize(1120, 640);
}

QWidget* TFrmTabIndCon::buildIndexPanel()
{
    auto* panel = new QWidget(this);
    DBGrid1 = readOnlyGrid(panel, {QStringLiteral("CÓDIGO"), QStringLiteral("ATUALIZAÇÃO"),
                                   QStringLiteral("INICIO"), QStringLiteral("EXTINÇÃO"),
                                   QStringLiteral("TIPO VALOR"), QStringLiteral("DESCRIÇÃO DO INDICE")});
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumnWidth(0, 90);
    DBGrid1->setColumnWidth(1, 108);
    DBGrid1->setColumnWidth(2, 85);
    DBGrid1->setColumnWidth(3, 85);
    DBGrid1->setColumnWidth(4, 110);
    ui::setHint(DBGrid1, QStringLiteral("Relação Geral de Índices: Inflação, Cotações, etc."));

    cNomeIndice = panelLabel(panel, QStringLiteral("cNomeIndice"));
    cNomeIndice->setMinimumWidth(110);
    QFont bold = cNomeIndice->font();
    bold.setBold(true);
    cNomeIndice->setFont(bold);
    DBLookupCBIndice = new QComboBox(panel);
    DBLookupCBIndice->setObjectName(QStringLiteral("DBLookupCBIndice"));
    DBLookupCBIndice->setMinimumContentsLength(10);
    DBLookupCBIndice->setToolTip(QStringLiteral("Clique aqui para fazer a seleção rápida do índice."));
    DBLookupCBIndice->setStatusTip(QStringLiteral("Opção para seleção rápida do índice."));
    cDescIndice = panelLabel(panel, QStringLiteral("cDescIndice"));
    ui::setHint(cDescIndice, QStringLiteral("Descrição do índice."));
    cHistorico = new QPlainTextEdit(panel);
    cHistorico->setObjectName(QStringLiteral("cHistorico"));
    cHistorico->setReadOnly(true);
    cHistorico->setMaximumHeight(110);
    ui::setHint(cHistorico, QStringLiteral("Histórico/Dados Complementares do índice em destaque."));
    cHistorico->installEventFilter(this);

    auto* selection = new QHBoxLayout;
    selection->addWidget(cNomeIndice);
    selection->addWidget(DBLookupCBIndice);
    selection->addWidget(cDescIndice, 1);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DBGrid1, 1);
    layout->addLayout(selection);
    layout->addWidget(cHistorico);

    connect(DBGrid1, &QTableWidget::currentCellChanged, this, [this] {
        if (!refilling_) DBGrid1ColEnter();
    });
    connect(DBLookupCBIndice, &QComboBox::activated, this, &TFrmTabIndCon::DBLookupCBIndiceClick);
    return panel;
}

QWidget* TFrmTabIndCon::buildValuePanel()
{
    auto* panel = new QWidget(this);
    DBGrid2 = readOnlyGrid(panel, {QStringLiteral("DATA"), QStringLiteral("VALOR")});
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->setColumnWidth(0, 90);
    DBGrid2->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ui::setHint(DBGrid2, QStringLiteral("Tabela de Valores do índice em destaque."));

    pEditaValor = new QFrame(panel);
    pEditaValor->setObjectName(QStringLiteral("pEditaValor"));
    pEditaValor->setFrameShape(QFrame::StyledPanel);
    pEditaValor->setFixedHeight(51);
    ui::setHint(pEditaValor, QStringLiteral("Edição de valores do índice em destaque."));
    dData = new ui::DateEdit(pEditaValor);
    dData->setObjectName(QStringLiteral("dData"));
    cValor = new QLineEdit(pEditaValor);
    cValor->setObjectName(QStringLiteral("cValor"));
    cValor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* entry = new QHBoxLayout(pEditaValor);
    entry->addWidget(new QLabel(QStringLiteral("Data"), pEditaValor));
    entry->addWidget(dData);
    entry->addWidget(new QLabel(QStringLiteral("Valor"), pEditaValor));
    entry->addWidget(cValor, 1);
    pEditaValor->hide();

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DBGrid2, 1);
    layout->addWidget(pEditaValor);

    connect(cValor, &QLineEdit::returnPressed, this, [this] { btEditaValor->setFocus(); });
    connect(cValor, &QLineEdit::editingFinished, this, &TFrmTabIndCon::cValorExit);
    return panel;
}

void TFrmTabIndCon::buildCommands()
{
    const auto button = [this](const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        if (!hint.isEmpty()) ui::setHint(b, hint);
        return b;
    };
    btNovoIndice = button(QStringLiteral("&Novo"),
                          QStringLiteral("Esse botão aciona o programa p/inclusão de novos índices."));
    btAlterar = button(QStringLiteral("&Alterar"),
                       QStringLiteral("Esse botão permite alterar os dados de cadastro do índice."));
    btEditaValor = button(QStringLiteral("Valores"),
                          QStringLiteral("Esse botão aciona o programa de manutenção de valores do índice."));
    btImprimir = button(QStringLiteral("&Imprimir"),
                        QStringLiteral("Esse botão permite imprimir a tabela de índices."));
    btGrafico = button(QStringLiteral("&Gráfico"),
                       QStringLiteral("Esse botão permite visualizar o Gráfico dos valores do índice."));
    btAtualizarIndices =
        button(QStringLiteral("A&tualizar"),
               QStringLiteral("Esse botão busca no Banco Central os valores novos dos índices."));
    BitBtn5 = button(QStringLiteral("&Sair"), QStringLiteral("Esse botão fecha esse programa."));

    menuIndice = new QMenu(QStringLiteral("Ín&dice"), this);
    mNovoIndice = menuIndice->addAction(QStringLiteral("&Novo Índice"));
    mAlterar = menuIndice->addAction(QStringLiteral("&Alterar dados"));
    mExcluir = menuIndice->addAction(QStringLiteral("&Excluir"));
    mEditarHistorico = menuIndice->addAction(QStringLiteral("&Editar Histórico"));
    mVisualizarGrafico = menuIndice->addAction(QStringLiteral("&Visualizar Gráfico"));

    menuValores = new QMenu(QStringLiteral("&Valores"), this);
    mRegistrarValor = menuValores->addAction(QStringLiteral("&Registrar Valor"));
    mExcluirValor = menuValores->addAction(QStringLiteral("&Excluir "));
    mImprimirTabela = menuValores->addAction(QStringLiteral("&Imprimir Tabela"));
    mGrafico = menuValores->addAction(QStringLiteral("&Gráfico"));
    menuValores->addSeparator();
    mImportarValores = menuValores->addAction(QStringLiteral("Importar valores…"));
    DBGrid2->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DBGrid2, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menuValores->popup(DBGrid2->viewport()->mapToGlobal(at)); });

    connect(btNovoIndice, &QPushButton::clicked, this, &TFrmTabIndCon::btNovoIndiceClick);
    connect(mNovoIndice, &QAction::triggered, this, &TFrmTabIndCon::btNovoIndiceClick);
    connect(btAlterar, &QPushButton::clicked, this, &TFrmTabIndCon::btAlterarClick);
    connect(mAlterar, &QAction::triggered, this, &TFrmTabIndCon::btAlterarClick);
    connect(mExcluir, &QAction::triggered, this, &TFrmTabIndCon::mExcluirClick);
    connect(mEditarHistorico, &QAction::triggered, this, &TFrmTabIndCon::EditarHistoricoClick);
    connect(btEditaValor, &QPushButton::clicked, this, &TFrmTabIndCon::btEditaValorClick);
    connect(mRegistrarValor, &QAction::triggered, this, &TFrmTabIndCon::btEditaValorClick);
    connect(mExcluirValor, &QAction::triggered, this, &TFrmTabIndCon::mExcluirValorClick);
    connect(btImprimir, &QPushButton::clicked, this, &TFrmTabIndCon::btImprimirClick);
    connect(mImprimirTabela, &QAction::triggered, this, &TFrmTabIndCon::mImprimirTabelaClick);
    connect(mImportarValores, &QAction::triggered, this, &TFrmTabIndCon::mImportarValoresClick);
    connect(BitBtn5, &QPushButton::clicked, this, &TFrmTabIndCon::BitBtn5Click);
    connect(btAtualizarIndices, &QPushButton::clicked, this, &TFrmTabIndCon::btAtualizarIndicesClick);
    for (QAction* chart : {mVisualizarGrafico, mGrafico}) {
        connect(chart, &QAction::triggered, this, [this] {
            if (openChart_) openChart_();
        });
    }
    connect(btGrafico, &QPushButton::clicked, this, [this] {
        if (openChart_) openChart_();
    });
    setChartOpener({});
}

void TFrmTabIndCon::setChartOpener(std::function<void()> opener)
{
    openChart_ = std::move(opener);
    const bool available = static_cast<bool>(openChart_);
    btGrafico->setEnabled(available);
    mVisualizarGrafico->setEnabled(available);
    mGrafico->setEnabled(available);
}

void TFrmTabIndCon::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    // Activation runs once per showing, after the window is on screen.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) FormActivate();
    });
}

void TFrmTabIndCon::FormActivate()
{
    guarded([&] {
        foxpro::Table& indices = dm_.Indices();
        dm_.ValorIndices();
        indices.setTag("codigo");
        // The selection routine runs for the index the table stands on, so
        // the values shown are that index's from the start.
        std::uint32_t current = indices.recNo();
        if (current == 0) {
            indices.first();
            current = indices.recNo();
        }
        RefreshList(current);
    });
}

void TFrmTabIndCon::RefreshList(std::uint32_t recNo)
{
    foxpro::Table& indices = dm_.Indices();
    refilling_ = true;
    DBGrid1->setRowCount(0);
    DBLookupCBIndice->clear();
    int currentRow = -1;
    indices.setTag("codigo");
    for (indices.first(); !indices.eof(); indices.next()) {
        const int row = DBGrid1->rowCount();
        DBGrid1->insertRow(row);
        const std::string code = indices.getString("TBCM_COD");
        QTableWidgetItem* first = cell(code);
        first->setData(Qt::UserRole, static_cast<qulonglong>(indices.recNo()));
        DBGrid1->setItem(row, 0, first);
        DBGrid1->setItem(row, 1, cell(dm_.catualiza()));
        DBGrid1->setItem(row, 2, cell(indices.getString("TBCM_DINI")));
        DBGrid1->setItem(row, 3, cell(indices.getString("TBCM_DFIM")));
        DBGrid1->setItem(row, 4, cell(dm_.cTipoValor()));
        DBGrid1->setItem(row, 5, cell(indices.getString("TBCM_DESC")));
        DBLookupCBIndice->addItem(QString::fromStdString(code));
        if (indices.recNo() == recNo) currentRow = row;
    }
    if (currentRow < 0 && DBGrid1->rowCount() > 0) currentRow = 0;
    DBGrid1->setCurrentCell(currentRow, 0);
    refilling_ = false;
    DBGrid1ColEnter();
}

void TFrmTabIndCon::DBGrid1ColEnter()
{
    cHistoricoExit();
    closeValueEntry();
    const int row = DBGrid1->currentRow();
    selectedCode_.clear();
    selectedRecNo_ = 0;
    if (row >= 0) {
        foxpro::Table& indices = dm_.Indices();
        selectedRecNo_ = static_cast<std::uint32_t>(DBGrid1->item(row, 0)->data(Qt::UserRole).toULongLong());
        if (!guarded([&] { indices.go(selectedRecNo_); })) selectedRecNo_ = 0;
    }
    if (selectedRecNo_ != 0) {
        foxpro::Table& indices = dm_.Indices();
        selectedCode_ = indices.getString("TBCM_COD");
        cNomeIndice->setText(QString::fromStdString(selectedCode_));
        cDescIndice->setText(QString::fromStdString(indices.getString("TBCM_DESC")).toUpper());
        cHistorico->setPlainText(QString::fromStdString(indices.getMemo("TBCM_HIST")));
        DBLookupCBIndice->setCurrentIndex(row);
    } else {
        cNomeIndice->clear();
        cDescIndice->clear();
        cHistorico->clear();
    }
    fillValues();
}

void TFrmTabIndCon::fillValues()
{
    values_.clear();
    guarded([&] { values_ = valuesOfIndex(dm_, selectedCode_); });
    DBGrid2->setRowCount(static_cast<int>(values_.size()));
    for (std::size_t i = 0; i < values_.size(); ++i) {
        const int row = static_cast<int>(i);
        DBGrid2->setItem(row, 0, cell(values_[i].date.toString()));
        QTableWidgetItem* value = cell(values_[i].shown);
        value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        DBGrid2->setItem(row, 1, value);
    }
    if (!values_.empty()) DBGrid2->setCurrentCell(0, 0);
}

void TFrmTabIndCon::DBLookupCBIndiceClick()
{
    const int row = DBLookupCBIndice->currentIndex();
    if (row >= 0 && row < DBGrid1->rowCount()) DBGrid1->setCurrentCell(row, 0);
}

void TFrmTabIndCon::btNovoIndiceClick()
{
    TFrmIndiEcoManut dialog(dm_, this);
    runModal(dialog);
    guarded([&] { RefreshList(selectedRecNo_); });
}

void TFrmTabIndCon::btAtualizarIndicesClick()
{
    TFrmAtualizaIndices dialog(dm_, this);
    if (prepareUpdate_) prepareUpdate_(dialog);
    runModal(dialog);
    guarded([&] { RefreshList(selectedRecNo_); });
}

void TFrmTabIndCon::btAlterarClick()
{
    if (selectedRecNo_ == 0) return;
    const std::uint32_t recNo = selectedRecNo_;
    guarded([&] {
        TFrmAlteraIndEco dialog(dm_, recNo, this);
        runModal(dialog);
    });
    guarded([&] { RefreshList(recNo); });
}

bool TFrmTabIndCon::confirmIndexDeletion()
{
    ui::Prompter& prompter = ui::Prompter::current();
    if (prompter.ask(QStringLiteral("Excluir"),
                     QStringLiteral("O índicador atualmente selecionado e todos os seus valores serão "
                                    "definitivamente excluídos do arquivo do sistema !.Tem certeza ?"),
                     ui::Prompter::Yes | ui::Prompter::No) == ui::Prompter::No)
        return false;
    std::vector<std::string> forms;
    if (!guarded([&] { forms = formsUsingIndex(dm_, selectedCode_); })) return false;
    if (forms.empty()) return true;
    QStringList names;
    for (const std::string& form : forms) names << QString::fromStdString(form);
    const QString text = QStringLiteral("O índice ") + QString::fromStdString(selectedCode_) +
                         QStringLiteral(" é usado pelas formas de correção ") +
                         names.join(QStringLiteral(", ")) +
                         QStringLiteral(". Essas formas deixarão de ser calculadas. Excluir assim mesmo ?");
    return prompter.ask(QStringLiteral("Excluir"), text, ui::Prompter::Yes | ui::Prompter::No,
                        ui::Prompter::Icon::Warning, ui::Prompter::No) == ui::Prompter::Yes;
}

void TFrmTabIndCon::mExcluirClick()
{
    if (selectedRecNo_ == 0 || !confirmIndexDeletion()) return;
    deleteSelectedIndex();
}

void TFrmTabIndCon::deleteSelectedIndex()
{
    foxpro::Table& indices = dm_.Indices();
    try {
        indices.go(selectedRecNo_);
        indices.edit();
    } catch (const std::exception&) {
        ui::Prompter::current().error(
            QStringLiteral("Erro !"),
            QStringLiteral("Não foi possível excluir o registro !. Tente novamente mais tarde."));
        return;
    }
    const bool done = guarded([&] {
        try {
            // The values go as one change, kept only once the index itself is
            // deleted: a failure part-way leaves the index with all its values.
            foxpro::BulkWrite valuesChange(dm_.ValorIndices());
            deleteIndexValues(dm_, selectedCode_);
            indices.remove();
            valuesChange.commit();
        } catch (...) {
            if (indices.editing()) indices.cancel();
            throw;
        }
    });
    std::uint32_t next = 0;
    if (done && !indices.eof()) next = indices.recNo();
    guarded([&] { RefreshList(done ? next : selectedRecNo_); });
}

void TFrmTabIndCon::EditarHistoricoClick()
{
    if (selectedRecNo_ == 0) return;
    historyRecNo_ = selectedRecNo_;
    editingHistory_ = true;
    cHistorico->setReadOnly(false);
    cHistorico->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #ffffe0; }"));
    cHistorico->setFocus();
}

void TFrmTabIndCon::cHistoricoExit()
{
    if (!editingHistory_) return;
    editingHistory_ = false;
    cHistorico->setReadOnly(true);
    cHistorico->setStyleSheet(QString());
    foxpro::Table& indices = dm_.Indices();
    guarded([&] {
        // The index whose history was opened, even when another one is being selected.
        indices.go(historyRecNo_);
        indices.edit();
        try {
            indices.setMemo("TBCM_HIST", cHistorico->toPlainText().toStdString());
            indices.post();
        } catch (...) {
            indices.cancel();
            throw;
        }
    });
}

bool TFrmTabIndCon::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == cHistorico && event->type() == QEvent::FocusOut) cHistoricoExit();
    if (event->type() == QEvent::FocusIn) {
        // Entering a list, the memo or the entry fields says what they hold.
        auto* widget = qobject_cast<QWidget*>(watched);
        const QString text =
            widget == dData || widget == cValor ? pEditaValor->statusTip() : widget->statusTip();
        if (!text.isEmpty()) statusPanel->setText(text);
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmTabIndCon::leaving()
{
    cHistoricoExit();
    closeValueEntry();
    // The value table no longer follows an index once the window is left.
    guarded([&] {
        foxpro::Table& values = dm_.ValorIndices();
        values.setFilter(std::string());
    });
    activated_ = false;
}

void TFrmTabIndCon::BitBtn5Click()
{
    close();
}

void TFrmTabIndCon::done(int result)
{
    // Escape, the title-bar button and "&Sair" all leave the same way.
    leaving();
    QDialog::done(result);
}

}  // namespace quintara
