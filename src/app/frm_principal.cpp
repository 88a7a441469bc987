#include "app/frm_principal.h"
#include "app/calculators/frm_consorcio.h"
#include "app/calculators/frm_price.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QSplitter>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/form_abertura.h"
#include "app/form_indices.h"
#include "app/frm_mini_navegador.h"
#include "app/frm_opcoes.h"
#include "app/frm_qrp_planilha.h"
#include "app/frm_selecao_usuario.h"
#include "app/frm_sobre.h"
#include "app/frm_usuarios.h"
#include "app/modal_runner.h"
#include "app/version.h"
#include "data/lookups.h"

namespace quintara {

TFrmPrincipal::TFrmPrincipal(DataModule& dm, Settings& settings, QWidget* parent)
    : QMainWindow(parent), dm_(dm), settings_(settings)
{
    setObjectName(QStringLiteral("TFrmPrincipal"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    today_ = [] {
        const QDate now = QDate::currentDate();
        return Date(now.day(), now.month(), now.year());
    };

    auto* central = new QWidget(this);
    PTitPlanilha = new QLabel(central);
    PTitPlanilha->setObjectName(QStringLiteral("PTitPlanilha"));
    PTitPlanilha->setAlignment(Qt::AlignCenter);
    PTitPlanilha->setFrameShape(QFrame::Panel);
    PTitPlanilha->setFrameShadow(QFrame::Raised);
    PTitPlanilha->setMinimumHeight(28);
    QFont titleFont = PTitPlanilha->font();
    titleFont.setBold(true);
    titleFont.setPointSize(titleFont.pointSize() + 2);
    PTitPlanilha->setFont(titleFont);

    auto* splitter = new QSplitter(Qt::Horizontal, central);
    sheetPanel_ = new QWidget(splitter);
    buildSheet(sheetPanel_);
    QWidget* side = buildSidePanel(splitter);
    splitter->addWidget(sheetPanel_);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    splitter->setCollapsible(0, false);

    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(PTitPlanilha);
    layout->addWidget(splitter, 1);
    setCentralWidget(central);

    buildMenus();
    buildToolBars();
    buildStatusBar();
    // Tab leaves the sheet for the year box, the next thing a person changes.
    setTabOrder(StringGrid1, ComboBox);

    reorganiser_ = new TFormIndices(dm_, this);
    connect(reorganiser_, &TFormIndices::dataClosed, this, [this] { initialised_ = false; });
    FormCreate();
    DesabilitaTudo();
}

TFrmPrincipal::~TFrmPrincipal() = default;

void TFrmPrincipal::FormCreate()
{
    initialised_ = false;
    // Every date typed or shown follows dd/mm/yyyy.
    QLocale brazil(QLocale::Portuguese, QLocale::Brazil);
    QLocale::setDefault(brazil);
}

void TFrmPrincipal::FormActivate()
{
    if (splash_) {
        splash_->hide();
        splash_->deleteLater();
        splash_ = nullptr;
    }
    if (!initialised_) {
        const bool connected = guarded([&] { dm_.AbreDados(); });
        if (connected) {
            guarded([&] {
                dm_.Indices();
                dm_.ValorIndices();
            });
        }
        currentUser_.clear();
        dm_.setCurrentUser(std::string());
        statusPanels[0]->setText(QStringLiteral("Usr: "));
        initialised_ = true;
        if (!connected) {
            DesabilitaTudo();
            return;
        }
    }
    MontaCombo();
    ComboBox->repaint();
    guarded([&] { AtualizaGrid(); });
    if (currentUser_.empty()) {
        DesabilitaTudo();
        MSelecaoUsuarioClick();
    }
}

void TFrmPrincipal::closeEvent(QCloseEvent* event)
{
    guarded([&] { dm_.FechaDados(); });
    QMainWindow::closeEvent(event);
}

int TFrmPrincipal::openChild(QDialog& dialog)
{
    const int result = runModal(dialog);
    FormActivate();
    return result;
}

std::vector<QAction*> TFrmPrincipal::gatedActions() const
{
    return {MCadastroUsuarios,       MIndicadores,  MMoeda,
            MFormasCorrecao,         MTabelaCustas, MProcessos,
            MIndicadorPessoal,       MAtualizacoes, menuFerramentas->menuAction(),
            menuOpcoes->menuAction()};
}

void TFrmPrincipal::DesabilitaTudo()
{
    ToolBar1->setEnabled(false);
    ComboBox->setEnabled(false);
    ToolBar2->setEnabled(false);
    for (QAction* action : gatedActions()) action->setEnabled(false);
}

void TFrmPrincipal::HabilitaTudo()
{
    ToolBar1->setEnabled(true);
    ComboBox->setEnabled(true);
    ToolBar2->setEnabled(true);
    for (QAction* action : gatedActions()) action->setEnabled(true);
}

void TFrmPrincipal::HabilitarAcesso()
{
    HabilitaTudo();
    for (QAction* action : {MCadastroUsuarios, MIndicadores, TbIndicadores, MMoeda, TbMoeda, MFormasCorrecao,
                            TbFormadeCorrecao, MTabelaCustas, TbTabeladeCustas, MContagemCustas,
                            TbContagemdeCustas, MProcessos, MIndicadorPessoal})
        action->setEnabled(true);
}

void TFrmPrincipal::MSelecaoUsuarioClick()
{
    TFrmSelecaoUsuario dialog(dm_, this);
    if (runModal(dialog) != QDialog::Accepted) return;
    currentUser_ = dialog.codigo().left(6).toStdString();
    dm_.setCurrentUser(currentUser_);
    HabilitarAcesso();
    std::string name;
    guarded([&] { name = NomeDoUsuario(dm_, currentUser_); });
    statusPanels[0]->setText(QStringLiteral("Usr: ") + QString::fromStdString(name));
}

void TFrmPrincipal::MCadastroUsuariosClick()
{
    TFrmUsuarios dialog(dm_, this);
    openChild(dialog);
}

void TFrmPrincipal::MReorganizarClick()
{
    runModal(*reorganiser_);
    guarded([&] { dm_.Usuarios(); });
    FormActivate();
}

void TFrmPrincipal::MParametrosClick()
{
    TFrmOpcoes dialog(settings_, dm_, chooser_, this);
    dialog.FormCreate();
    openChild(dialog);
}

void TFrmPrincipal::MConteudoClick()
{
    // The help pages live in the data directory in use.
    const QString folder = QString::fromStdString(dm_.dataDir());
    TFrmMiniNavegador browser(this);
    browser.navigate(QUrl::fromLocalFile(folder + QStringLiteral("html/Quintara.html")));
    openChild(browser);
}

void TFrmPrincipal::MSobreClick()
{
    TFrmSobre about(this);
    openChild(about);
}

void TFrmPrincipal::MConsorcioClick()
{
    TFrmConsorcio dialog(dm_, this);
    openChild(dialog);
}

void TFrmPrincipal::MPriceClick()
{
    TFrmPrice dialog(dm_, this);
    openChild(dialog);
}

void TFrmPrincipal::ToolButton13Click()
{
    guarded([&] {
        TFrmQrpPlanilha report(this);
        report.preview(sheetForReport());
    });
    FormActivate();
}

}  // namespace quintara
