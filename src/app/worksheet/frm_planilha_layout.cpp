// The worksheet window's controls: header, names, grid, toolbar, pop-up menu,
// side panel, buttons and status bar, with their hints.
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

#include "app/worksheet/frm_planilha.h"
#include "app/worksheet/worksheet_model.h"
#include "ui/date_edit.h"
#include "ui/hints.h"

namespace quintara {

namespace {

QLabel* valueLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(70);
    return label;
}

QAction* toolAction(QWidget* owner, const char* name, const QString& caption, const QString& hint,
                    QStyle::StandardPixmap icon)
{
    auto* action = new QAction(owner->style()->standardIcon(icon), caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    ui::setHint(action, hint);
    return action;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& hint = {})
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    if (!hint.isEmpty()) ui::setHint(b, hint);
    return b;
}

}  // namespace

void TfrmPlanilha::buildHeader()
{
    gbProcesso = new QGroupBox(QStringLiteral("Processo"), this);
    ui::setHint(gbProcesso, QStringLiteral("Dados do Processo"));
    DBLookupComboBox1 = new QComboBox(gbProcesso);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setMinimumContentsLength(11);
    ui::setHint(DBLookupComboBox1, QStringLiteral("Permite selecionar o processo"));
    SpeedButton2 = new QToolButton(gbProcesso);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    SpeedButton2->setToolTip(QStringLiteral("Processos"));
    DataAbertura = valueLabel(gbProcesso, "DataAbertura");
    HoraAbertura = valueLabel(gbProcesso, "HoraAbertura");
    UltimaAlteracao = valueLabel(gbProcesso, "UltimaAlteracao");
    Responsavel = valueLabel(gbProcesso, "Responsavel");
    Vara = valueLabel(gbProcesso, "Vara");
    Protocolo = valueLabel(gbProcesso, "Protocolo");
    UltimoCalculo = valueLabel(gbProcesso, "UltimoCalculo");

    auto* grid = new QGridLayout(gbProcesso);
    grid->addWidget(new QLabel(QStringLiteral("Nº"), gbProcesso), 0, 0);
    auto* selector = new QHBoxLayout;
    selector->addWidget(DBLookupComboBox1, 1);
    selector->addWidget(SpeedButton2);
    grid->addLayout(selector, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Abertura"), gbProcesso), 0, 2);
    grid->addWidget(DataAbertura, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Hora"), gbProcesso), 0, 4);
    grid->addWidget(HoraAbertura, 0, 5);
    grid->addWidget(new QLabel(QStringLiteral("Alterado em"), gbProcesso), 1, 0);
    grid->addWidget(UltimaAlteracao, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Resp."), gbProcesso), 1, 2);
    grid->addWidget(Responsavel, 1, 3, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Vara nº"), gbProcesso), 2, 0);
    grid->addWidget(Vara, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Protocolo Nº"), gbProcesso), 2, 2);
    grid->addWidget(Protocolo, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("Último Cálculo em"), gbProcesso), 2, 4);
    grid->addWidget(UltimoCalculo, 2, 5);

    SGNomes = new QTableWidget(1, 3, this);
    SGNomes->setObjectName(QStringLiteral("SGNomes"));
    SGNomes->horizontalHeader()->hide();
    SGNomes->verticalHeader()->hide();
    SGNomes->horizontalHeader()->setStretchLastSection(true);
    SGNomes->setColumnHidden(1, true);
    SGNomes->setColumnHidden(2, true);
    SGNomes->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SGNomes->setSelectionBehavior(QAbstractItemView::SelectRows);
    SGNomes->setMaximumHeight(100);
}

void TfrmPlanilha::buildCommands()
{
    GPlanilha = new QTableView(this);
    GPlanilha->setObjectName(QStringLiteral("GPlanilha"));
    model_ = new WorksheetModel(session_.grid, this);
    GPlanilha->setModel(model_);
    GPlanilha->setSelectionBehavior(QAbstractItemView::SelectRows);
    GPlanilha->setSelectionMode(QAbstractItemView::SingleSelection);
    GPlanilha->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GPlanilha->setContextMenuPolicy(Qt::CustomContextMenu);
    GPlanilha->verticalHeader()->hide();
    GPlanilha->verticalHeader()->setDefaultSectionSize(18);
    GPlanilha->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    GPlanilha->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);

    tbIncluirItem = toolAction(this, "tbIncluirItem", QStringLiteral("Novo"),
                               QStringLiteral("Novo Item (Incluir item na planilha)"), QStyle::SP_FileIcon);
    tbAlterarItem =
        toolAction(this, "tbAlterarItem", QStringLiteral("Alterar"),
                   QStringLiteral("Alterar item selecionado."), QStyle::SP_FileDialogDetailedView);
    tbMudaDesc = toolAction(
        this, "tbMudaDesc", QStringLiteral("Descrição"),
        QStringLiteral(
            "Descrição Automática (Permite preencher as descrições dos items com o nome do mês/ano)."),
        QStyle::SP_FileDialogContentsView);
    tbApagarItem = toolAction(this, "tbApagarItem", QStringLiteral("Apagar"),
                              QStringLiteral("Apagar item selecionado."), QStyle::SP_DialogDiscardButton);
    tbApagaTudo = toolAction(this, "tbApagaTudo", QStringLiteral("Apagar todos"),
                             QStringLiteral("Apagar todos (Elimina todos os itens da planilha atual)."),
                             QStyle::SP_TrashIcon);
    tbRecalcularItem = toolAction(this, "tbRecalcularItem", QStringLiteral("Recalcular"),
                                  QStringLiteral("Recalcular Item."), QStyle::SP_BrowserReload);
    TbDestacarItem = toolAction(this, "TbDestacarItem", QStringLiteral("Destacar"),
                                QStringLiteral("Destacar Item"), QStyle::SP_FileDialogInfoView);
    ToolBar = new QToolBar(QStringLiteral("ToolBar"), this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    for (QAction* a : {tbIncluirItem, tbAlterarItem, tbMudaDesc, tbApagarItem, tbApagaTudo, tbRecalcularItem,
                       TbDestacarItem})
        ToolBar->addAction(a);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    mnNovoItem = PopupMenu1->addAction(QStringLiteral("&Novo Item"));
    mnAlterarItem = PopupMenu1->addAction(QStringLiteral("&Alterar item selecionado"));
    mnDescricaoAutomatica = PopupMenu1->addAction(QStringLiteral("&Descrição Automática"));
    mnMarcarTodos = PopupMenu1->addAction(QStringLiteral("&Marcar todos p/Recálculo"));
    PopupMenu1->addSeparator();
    mnApagarItem = PopupMenu1->addAction(QStringLiteral("A&pagar Item selecionado"));
    mnApagarTodos = PopupMenu1->addAction(QStringLiteral("Apagar &Todos"));
    PopupMenu1->addSeparator();
    mnRecalcularItem = PopupMenu1->addAction(QStringLiteral("&Recalcular Item"));
    mnDestacarItem = PopupMenu1->addAction(QStringLiteral("&Destacar Item"));

    DatadoCalculo = new ui::DateEdit(this);
    DatadoCalculo->setObjectName(QStringLiteral("DatadoCalculo"));
    DatadoCalculo->setEmptyInvalidOnLeave(true);
    btCalendario = new QToolButton(this);
    btCalendario->setObjectName(QStringLiteral("btCalendario"));
    btCalendario->setArrowType(Qt::DownArrow);
    btCalendario->setPopupMode(QToolButton::InstantPopup);
    auto* calendarMenu = new QMenu(btCalendario);
    Calendario = new QCalendarWidget(calendarMenu);
    Calendario->setObjectName(QStringLiteral("Calendario"));
    auto* holder = new QWidgetAction(calendarMenu);
    holder->setDefaultWidget(Calendario);
    calendarMenu->addAction(holder);
    btCalendario->setMenu(calendarMenu);
}

void TfrmPlanilha::buildSidePanel()
{
    gbItem = new QGroupBox(QStringLiteral("Item nº"), this);
    gbItem->setObjectName(QStringLiteral("gbItem"));
    ui::setHint(gbItem, QStringLiteral("Dados do Item selecionado na planilha ao lado"));
    DataOrigem = valueLabel(gbItem, "DataOrigem");
    ValorOriginal = valueLabel(gbItem, "ValorOriginal");
    MoedaEpoca = valueLabel(gbItem, "MoedaEpoca");
    descricaoitem = valueLabel(gbItem, "descricaoitem");
    datacalculo = valueLabel(gbItem, "datacalculo");
    valorprincipal = valueLabel(gbItem, "valorprincipal");
    formadecorrecao = valueLabel(gbItem, "formadecorrecao");
    formadecorrecao->setWordWrap(true);
    formadecorrecao->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    CheioOuExato = valueLabel(gbItem, "CheioOuExato");
    valorcorrecao = valueLabel(gbItem, "valorcorrecao");
    jurosordinarios = valueLabel(gbItem, "jurosordinarios");
    juroscompensatorios = valueLabel(gbItem, "juroscompensatorios");
    valormulta = valueLabel(gbItem, "valormulta");
    totaldoitem = valueLabel(gbItem, "totaldoitem");
    vHonorarios = valueLabel(gbItem, "vHonorarios");
    const std::pair<const char*, QLabel*> rows[] = {
        {"Data Origem:", DataOrigem},           {"Valor Original", ValorOriginal},
        {"Moeda da Época", MoedaEpoca},         {"Descrição do Item", descricaoitem},
        {"Data do Cálculo:", datacalculo},      {"Valor Principal", valorprincipal},
        {"Forma de Correção", formadecorrecao}, {"Índice Mês", CheioOuExato},
        {"Cor.Monetária", valorcorrecao},       {"Juros Ord.", jurosordinarios},
        {"Juros Comp.", juroscompensatorios},   {"Multa Valor", valormulta},
        {"Total do Item", totaldoitem},         {"Honorários", vHonorarios},
    };
    auto* grid = new QGridLayout(gbItem);
    int r = 0;
    for (const auto& [caption, label] : rows) {
        grid->addWidget(new QLabel(QString::fromUtf8(caption), gbItem), r, 0);
        if (label != formadecorrecao && label != descricaoitem && label != DataOrigem &&
            label != datacalculo && label != MoedaEpoca && label != CheioOuExato)
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, r++, 1);
    }
    grid->setRowStretch(r, 1);
    gbItem->setFixedWidth(300);
}

void TfrmPlanilha::buildButtons()
{
    BtHonorarios =
        button(this, "BtHonorarios", QStringLiteral("&Honorários"), QStringLiteral("Definir Honorários"));
    BtTotais = button(this, "BtTotais", QStringLiteral("&Ver Totais ou e Imprimir"));
    BtCalcular =
        button(this, "BtCalcular", QStringLiteral("&Calculo"), QStringLiteral("Calcular todos os itens."));
    BtErros =
        button(this, "BtErros", QStringLiteral("&Ver Erros"), QStringLiteral("Ver Histórico de erros."));
    btCustas = button(this, "btCustas", QStringLiteral("C&ustas"),
                      QStringLiteral("Permite acessar custas do processo."));
    btSair = button(this, "btSair", QStringLiteral("&Sair"), QStringLiteral("Sair da Planilha"));
}

void TfrmPlanilha::buildLayout()
{
    buildHeader();
    buildCommands();
    buildSidePanel();
    buildButtons();

    auto* names = new QVBoxLayout;
    names->addWidget(new QLabel(QStringLiteral("Partes Citadas no Processo"), this));
    names->addWidget(SGNomes);
    auto* top = new QHBoxLayout;
    top->addWidget(gbProcesso, 3);
    top->addLayout(names, 2);

    auto* dateLine = new QHBoxLayout;
    auto* dateCaption = new QLabel(QStringLiteral("Data para atualização dos valores da planilha:"), this);
    dateCaption->setBuddy(DatadoCalculo);
    DatadoCalculo->setFixedWidth(
        DatadoCalculo->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
    dateLine->addStretch(1);
    dateLine->addWidget(dateCaption);
    dateLine->addWidget(DatadoCalculo);
    dateLine->addWidget(btCalendario);
    auto* centre = new QVBoxLayout;
    centre->addWidget(GPlanilha, 1);
    centre->addWidget(ToolBar);
    centre->addLayout(dateLine);
    auto* middle = new QHBoxLayout;
    middle->addLayout(centre, 1);
    middle->addWidget(gbItem);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {BtHonorarios, BtTotais, BtCalcular, BtErros, btCustas}) buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(btSair);

    auto* status = new QStatusBar(this);
    statusHint = new QLabel(status);
    statusHint->setObjectName(QStringLiteral("statusHint"));
    statusText = new QLabel(status);
    statusText->setObjectName(QStringLiteral("statusText"));
    status->addWidget(statusHint, 3);
    status->addWidget(statusText, 1);
    status->setSizeGripEnabled(false);
    ui::routeHints(this, statusHint);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle, 1);
    layout->addLayout(buttons);
    layout->addWidget(status);
    resize(1100, 680);
}

}  // namespace quintara
