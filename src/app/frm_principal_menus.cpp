// The main window's menus and toolbars, and which commands are gated.
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>

#include "app/calculators/frm_fastcalc.h"
#include "app/cases/frm_indicador_pessoal.h"
#include "app/cases/frm_processos.h"
#include "app/costs/costs_windows.h"
#include "app/costs/frm_tab_custas.h"
#include "app/frm_principal.h"
#include "app/modal_runner.h"
#include "app/reference/frm_atualiza_indices.h"
#include "app/reference/frm_forma_correcao.h"
#include "app/reference/frm_grafico_indice.h"
#include "app/reference/frm_tab_ind_con.h"
#include "app/reference/frm_tab_vigencia.h"
#include "app/worksheet/worksheet_windows.h"
#include "ui/hints.h"

namespace quintara {

namespace {

const QString kSiteAddress = QStringLiteral("https://www.brenvik.com.br/quintara");
const QString kMailAddress = QStringLiteral("mailto:suporte@brenvik.com.br?subject=Quintara");
const QString kForumAddress = QStringLiteral("https://www.brenvik.com.br/quintara/forum");
const QString kHelpDeskAddress = QStringLiteral("https://www.brenvik.com.br/quintara/suporte");
const QString kUpdatesAddress = QStringLiteral("https://www.brenvik.com.br/quintara/atualizacoes");

}  // namespace

QAction* TFrmPrincipal::command(QMenu* menu, const QString& caption, const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(caption);
    if (!shortcut.isEmpty()) action->setShortcut(shortcut);
    return action;
}

QAction* TFrmPrincipal::toolButton(const QString& caption, const QString& hint, int icon)
{
    auto* action =
        new QAction(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)), caption, this);
    ui::setHint(action, hint);
    return action;
}

void TFrmPrincipal::openSupportPage(const QString& address)
{
    QDesktopServices::openUrl(QUrl(address));
}

void TFrmPrincipal::buildMenus()
{
    QMenu* arquivo = menuBar()->addMenu(QStringLiteral("&Arquivo"));
    MSelecaoUsuario =
        command(arquivo, QStringLiteral("Selecionar Usuário"), QKeySequence(QStringLiteral("Ctrl+U")));
    MCadastroUsuarios = command(arquivo, QStringLiteral("Cadastro de Usuários"));
    arquivo->addSeparator();
    MIndicadores =
        command(arquivo, QStringLiteral("&Indicadores Econômicos"), QKeySequence(QStringLiteral("Ctrl+I")));
    MMoeda = command(arquivo, QStringLiteral("Tabela de Vigência da &Moeda"),
                     QKeySequence(QStringLiteral("Ctrl+M")));
    MFormasCorrecao =
        command(arquivo, QStringLiteral("&Formas de Correção"), QKeySequence(QStringLiteral("Ctrl+S")));
    QAction* mAtualizarIndices = command(arquivo, QStringLiteral("Atualizar índices…"));
    MTabelaCustas =
        command(arquivo, QStringLiteral("Tabela de &Custas"), QKeySequence(QStringLiteral("Ctrl+T")));
    arquivo->addSeparator();
    MProcessos = command(arquivo, QStringLiteral("&Processos"), QKeySequence(QStringLiteral("Ctrl+P")));
    MIndicadorPessoal =
        command(arquivo, QStringLiteral("In&dicador Pessoal"), QKeySequence(QStringLiteral("Ctrl+D")));
    arquivo->addSeparator();
    MSair = command(arquivo, QStringLiteral("&Sair do Sistema"));

    menuFerramentas = menuBar()->addMenu(QStringLiteral("&Ferramentas"));
    MGrafico = command(menuFerramentas, QStringLiteral("Gráfico de Variação dos Indices"),
                       QKeySequence(QStringLiteral("Ctrl+G")));
    MFastCalc = command(menuFerramentas, QStringLiteral("Fast Calc"), QKeySequence(QStringLiteral("Ctrl+F")));
    MPlanilha = command(menuFerramentas, QStringLiteral("Planilha de Cálculos..."),
                        QKeySequence(QStringLiteral("Ctrl+N")));
    MConsorcio = command(menuFerramentas, QStringLiteral("Cálculo de Consórcio"));
    MContagemCustas = command(menuFerramentas, QStringLiteral("Contagem de Custas..."),
                              QKeySequence(QStringLiteral("Ctrl+C")));
    MPrice = command(menuFerramentas, QStringLiteral("Tabela \"Price\""));

    menuOpcoes = menuBar()->addMenu(QStringLiteral("&Opções"));
    MReorganizar = command(menuOpcoes, QStringLiteral("Reorganizar Arquivos"));
    MParametros = command(menuOpcoes, QStringLiteral("Parâmetros"));

    menuSuporte = menuBar()->addMenu(QStringLiteral("&Suporte"));
    MSite = command(menuSuporte, QStringLiteral("Quintara Site"));
    MMensagem = command(menuSuporte, QStringLiteral("Enviar &Mensagem"));
    MForum = command(menuSuporte, QStringLiteral("&Fórum de Discussões"));

    QMenu* ajuda = menuBar()->addMenu(QStringLiteral("&Ajuda"));
    MConteudo = command(ajuda, QStringLiteral("&Conteúdo"));
    MHelpDesk = command(ajuda, QStringLiteral("Suporte (Help Desk)"));
    MAtualizacoes = command(ajuda, QStringLiteral("Atualizações do Produto"));
    ajuda->addSeparator();
    MSobre = command(ajuda, QStringLiteral("&Sobre"));

    connect(MSelecaoUsuario, &QAction::triggered, this, &TFrmPrincipal::MSelecaoUsuarioClick);
    connect(MCadastroUsuarios, &QAction::triggered, this, &TFrmPrincipal::MCadastroUsuariosClick);
    connect(MSair, &QAction::triggered, this, &QWidget::close);
    connect(MReorganizar, &QAction::triggered, this, &TFrmPrincipal::MReorganizarClick);
    connect(MParametros, &QAction::triggered, this, &TFrmPrincipal::MParametrosClick);
    connect(MConteudo, &QAction::triggered, this, &TFrmPrincipal::MConteudoClick);
    connect(MSobre, &QAction::triggered, this, &TFrmPrincipal::MSobreClick);
    connect(MSite, &QAction::triggered, this, [this] { openSupportPage(kSiteAddress); });
    connect(MMensagem, &QAction::triggered, this, [this] { openSupportPage(kMailAddress); });
    connect(MForum, &QAction::triggered, this, [this] { openSupportPage(kForumAddress); });
    connect(MHelpDesk, &QAction::triggered, this, [this] { openSupportPage(kHelpDeskAddress); });
    connect(MAtualizacoes, &QAction::triggered, this, [this] { openSupportPage(kUpdatesAddress); });
    connect(MConsorcio, &QAction::triggered, this, &TFrmPrincipal::MConsorcioClick);
    connect(MPrice, &QAction::triggered, this, &TFrmPrincipal::MPriceClick);

    connect(MTabelaCustas, &QAction::triggered, this, [this] { openChild(courtCostsTable(dm_, this)); });
    connect(MContagemCustas, &QAction::triggered, this, [this] {
        openCostsCount(dm_, this);
        FormActivate();
    });
    connect(MProcessos, &QAction::triggered, this, [this] {
        TFrmProcessos window(dm_, this);
        openChild(window);
    });
    connect(MIndicadorPessoal, &QAction::triggered, this, [this] {
        TFrmIndicadorPessoal window(dm_, TFrmIndicadorPessoal::Mode::Browse, this);
        openChild(window);
    });
    connect(MIndicadores, &QAction::triggered, this, [this] {
        TFrmTabIndCon window(dm_, this);
        // The index chart opened from the indices window starts on the index it shows.
        window.setChartOpener([this, &window] {
            TFrmGraficoIndice chart(dm_, &window);
            runModal(chart);
        });
        openChild(window);
    });
    // The update writes index values: it is open exactly when the indices window is.
    mAtualizarIndices->setEnabled(MIndicadores->isEnabled());
    connect(MIndicadores, &QAction::enabledChanged, mAtualizarIndices, &QAction::setEnabled);
    connect(mAtualizarIndices, &QAction::triggered, this, [this] {
        TFrmAtualizaIndices window(dm_, this);
        openChild(window);
    });
    connect(MMoeda, &QAction::triggered, this, [this] {
        TFrmTabVigencia window(dm_, this);
        openChild(window);
    });
    connect(MFormasCorrecao, &QAction::triggered, this, [this] {
        TFrmFormaCorrecao window(dm_, this);
        openChild(window);
    });
    connect(MGrafico, &QAction::triggered, this, [this] {
        TFrmGraficoIndice window(dm_, this);
        openChild(window);
    });

    connect(MPlanilha, &QAction::triggered, this, [this] {
        openWorksheet(dm_, this);
        FormActivate();
    });

    connect(MFastCalc, &QAction::triggered, this, [this] {
        TFrmFastcalc window(dm_, this);
        openChild(window);
    });
}

void TFrmPrincipal::buildToolBars()
{
    BtSelectUsr = toolButton(QStringLiteral("Usuário"), QStringLiteral("Selecionar usuário"),
                             QStyle::SP_DialogYesButton);
    TbIndicadores = toolButton(QStringLiteral("Índices"), QStringLiteral("Tabela de Indicadores Econômicos"),
                               QStyle::SP_FileDialogListView);
    TbMoeda = toolButton(QStringLiteral("Moeda"), QStringLiteral("Tabela de Vigência da Moeda Nacional"),
                         QStyle::SP_FileDialogDetailedView);
    TbFormadeCorrecao =
        toolButton(QStringLiteral("Formas"),
                   QStringLiteral("Formas de Correção (Sequência de Indices definidas pelo usuário)"),
                   QStyle::SP_FileDialogContentsView);
    TbTabeladeCustas =
        toolButton(QStringLiteral("Custas"), QStringLiteral("Tabela de Custas"), QStyle::SP_FileIcon);
    TbGrafico =
        toolButton(QStringLiteral("Gráfico"), QStringLiteral("Visualização Gráfico de Variação dos Índices"),
                   QStyle::SP_FileDialogInfoView);
    TbFastCalc = toolButton(QStringLiteral("Fast Calc"), QStringLiteral("Fast Calc"), QStyle::SP_MediaPlay);
    TbPlanilha =
        toolButton(QStringLiteral("Planilha"), QStringLiteral("Planilha de Cálculos"), QStyle::SP_DirIcon);
    TbConsorcio = toolButton(QStringLiteral("Consórcio"), QStringLiteral("Cálculo de Consórcio"),
                             QStyle::SP_DriveHDIcon);
    TbContagemdeCustas = toolButton(QStringLiteral("Contagem"), QStringLiteral("Contagem de Custas"),
                                    QStyle::SP_FileDialogNewFolder);
    ToolButton13 =
        toolButton(QStringLiteral("Imprimir"), QStringLiteral("Imprime a Planilha de Indices Mensais"),
                   QStyle::SP_DialogSaveButton);
    TbMiniNavegador =
        toolButton(QStringLiteral("Site"), QStringLiteral("Quintara Site"), QStyle::SP_DriveNetIcon);
    TBMiniCorreio = toolButton(QStringLiteral("Mensagem"), QStringLiteral("Enviar Mensagem"),
                               QStyle::SP_MessageBoxInformation);
    TbForum = toolButton(QStringLiteral("Fórum"), QStringLiteral("Fórum de Discussões"),
                         QStyle::SP_MessageBoxQuestion);

    ToolBar1 = new QToolBar(QStringLiteral("ToolBar1"), this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (QAction* action : {BtSelectUsr, TbIndicadores, TbMoeda, TbFormadeCorrecao, TbTabeladeCustas})
        ToolBar1->addAction(action);
    ToolBar1->addSeparator();
    for (QAction* action : {TbGrafico, TbFastCalc, TbPlanilha, TbConsorcio, TbContagemdeCustas})
        ToolBar1->addAction(action);
    ToolBar1->addSeparator();
    auto* yearLabel = new QLabel(QStringLiteral(" A&no: "), ToolBar1);
    ui::setHint(yearLabel, QStringLiteral("Ano base da planilha acima."));
    ComboBox = new QComboBox(ToolBar1);
    ComboBox->setObjectName(QStringLiteral("ComboBox"));
    ComboBox->setEditable(true);
    ComboBox->setInsertPolicy(QComboBox::NoInsert);
    ComboBox->setMinimumContentsLength(6);
    ui::setHint(ComboBox, QStringLiteral("Ano base da planilha acima."));
    yearLabel->setBuddy(ComboBox);
    ToolBar1->addWidget(yearLabel);
    ToolBar1->addWidget(ComboBox);
    ToolBar1->addAction(ToolButton13);

    ToolBar2 = new QToolBar(QStringLiteral("ToolBar2"), this);
    ToolBar2->setObjectName(QStringLiteral("ToolBar2"));
    ToolBar2->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    for (QAction* action : {TbMiniNavegador, TBMiniCorreio, TbForum}) ToolBar2->addAction(action);

    // One tool strip: the main toolbar at the left, the support toolbar kept
    // 100 pixels from the right end whatever the window's width.
    auto* strip = new QToolBar(QStringLiteral("strip"), this);
    strip->setMovable(false);
    strip->setFloatable(false);
    auto* holder = new QWidget(strip);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 100, 0);
    layout->addWidget(ToolBar1);
    layout->addStretch(1);
    layout->addWidget(ToolBar2);
    strip->addWidget(holder);
    addToolBar(Qt::TopToolBarArea, strip);

    connect(BtSelectUsr, &QAction::triggered, this, &TFrmPrincipal::MSelecaoUsuarioClick);
    connect(ToolButton13, &QAction::triggered, this, &TFrmPrincipal::ToolButton13Click);
    connect(TbConsorcio, &QAction::triggered, this, &TFrmPrincipal::MConsorcioClick);
    connect(TbFormadeCorrecao, &QAction::triggered, MFormasCorrecao, &QAction::trigger);
    connect(TbGrafico, &QAction::triggered, MGrafico, &QAction::trigger);
    connect(TbMiniNavegador, &QAction::triggered, this, [this] { openSupportPage(kSiteAddress); });
    connect(TBMiniCorreio, &QAction::triggered, this, [this] { openSupportPage(kMailAddress); });
    connect(TbForum, &QAction::triggered, this, [this] { openSupportPage(kForumAddress); });
    connect(ComboBox, &QComboBox::textActivated, this, &TFrmPrincipal::ComboBoxChange);
    connect(ComboBox->lineEdit(), &QLineEdit::returnPressed, this, &TFrmPrincipal::ComboBoxChange);

    connect(TbTabeladeCustas, &QAction::triggered, MTabelaCustas, &QAction::trigger);
    connect(TbContagemdeCustas, &QAction::triggered, MContagemCustas, &QAction::trigger);
    connect(TbIndicadores, &QAction::triggered, MIndicadores, &QAction::trigger);
    connect(TbMoeda, &QAction::triggered, MMoeda, &QAction::trigger);

    connect(TbPlanilha, &QAction::triggered, MPlanilha, &QAction::trigger);
    connect(TbFastCalc, &QAction::triggered, MFastCalc, &QAction::trigger);
}

}  // namespace quintara
