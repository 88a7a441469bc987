#include "app/frm_novo_usuario.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/permissions.h"
#include "data/data_module.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

QCheckBox* makeBox(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

TFrmNovoUsuario::TFrmNovoUsuario(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmNovoUsuario"));
    setWindowTitle(QStringLiteral("Novo Usuário"));

    ItOrdem = new QLabel(this);
    ItOrdem->setStatusTip(QStringLiteral("Número de ordem de cadastramento no banco de dados"));
    ItOrdem->setToolTip(ItOrdem->statusTip());
    cNome = new QLineEdit(this);
    cNome->setObjectName(QStringLiteral("cNome"));
    cNome->setStatusTip(QStringLiteral("Digite nesse campo o nome do usuário"));
    cCodigo = new QLineEdit(this);
    cCodigo->setObjectName(QStringLiteral("cCodigo"));
    cCodigo->setInputMask(QStringLiteral("999999;#"));
    cCodigo->setStatusTip(QStringLiteral("Digite um código de 06 dígitos para o usuário"));
    cCodigo->setMaximumWidth(90);

    auto* identity = new QFormLayout;
    identity->addRow(QStringLiteral("Nº de Ordem"), ItOrdem);
    identity->addRow(QStringLiteral("Nome do Usuário"), cNome);
    auto* codeBox = new QGroupBox(QStringLiteral("Código de acesso"), this);
    auto* codeLayout = new QHBoxLayout(codeBox);
    codeLayout->addWidget(cCodigo);
    codeLayout->addStretch();

    gbPermissoes = buildPermissionGroup();

    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);
    // The hint of the control under the mouse, as well as in its tool tip.
    auto* hintPanel = new QLabel(StatusBar);
    hintPanel->setObjectName(QStringLiteral("hintPanel"));
    hintPanel->setFrameShape(QFrame::Panel);
    hintPanel->setFrameShadow(QFrame::Sunken);
    StatusBar->addWidget(hintPanel, 1);
    ui::routeHints(this, hintPanel);
    btOk = new QPushButton(QStringLiteral("&OK"), this);
    btOk->setStatusTip(QStringLiteral("Clique para confirmar dados"));
    btCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    btCancelar->setStatusTip(QStringLiteral("Clique para cancelar operação"));
    connect(btOk, &QPushButton::clicked, this, &TFrmNovoUsuario::btOkClick);
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(cbUsuarios, &QCheckBox::clicked, cbSupervisor, &QCheckBox::setChecked);
    connect(qApp, &QApplication::focusChanged, this, &TFrmNovoUsuario::focusChanged);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(btCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(identity);
    layout->addWidget(codeBox);
    layout->addWidget(gbPermissoes);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar);
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (!widget->statusTip().isEmpty()) widget->setToolTip(widget->statusTip());
    }
}

QGroupBox* TFrmNovoUsuario::buildPermissionGroup()
{
    auto* group = new QGroupBox(QStringLiteral("Opções de Acesso do Usuário"), this);
    group->setStatusTip(QStringLiteral("Marque o item para permitir o acesso."));

    auto* maintenance = new QGroupBox(QStringLiteral("Inclusão e Manutenção de Dados "), group);
    auto* maintenanceLayout = new QVBoxLayout(maintenance);
    cbUsuarios = makeBox(maintenance, "cbUsuarios", QStringLiteral("Manutenção do Cadastro de Usuários"));
    CbIndices =
        makeBox(maintenance, "CbIndices", QStringLiteral("Cadastrar um novo Indice ou alterar um Indice."));
    CbValorIndices = makeBox(maintenance, "CbValorIndices", QStringLiteral("Atualizar valores dos indices"));
    CbNovaMOeda =
        makeBox(maintenance, "CbNovaMOeda", QStringLiteral("Cadastrar Nova Moeda na Tabela de Vigência"));
    CbFormadeCorrecao = makeBox(maintenance, "CbFormadeCorrecao",
                                QStringLiteral("Criar ou alterar uma 'Forma de Correção'."));
    CbCustas = makeBox(maintenance, "CbCustas", QStringLiteral("Manutenção da Tabella de Custas"));
    cbAlterarProcesso =
        makeBox(maintenance, "cbAlterarProcesso", QStringLiteral("Alterar dados de um processo"));
    for (QCheckBox* box :
         {cbUsuarios, CbIndices, CbValorIndices, CbNovaMOeda, CbFormadeCorrecao, CbCustas, cbAlterarProcesso})
        maintenanceLayout->addWidget(box);

    auto* queries = new QGroupBox(QStringLiteral("Consulta de Dados "), group);
    auto* queriesLayout = new QVBoxLayout(queries);
    cbConsultaProcesso =
        makeBox(queries, "cbConsultaProcesso", QStringLiteral("Consultar dados de um processo"));
    cbTodasConsultas =
        makeBox(queries, "cbTodasConsultas", QStringLiteral("Consulta TOTAL sem poder de alteração"));
    queriesLayout->addWidget(cbConsultaProcesso);
    queriesLayout->addWidget(cbTodasConsultas);

    auto* supervisor = new QGroupBox(QStringLiteral("Usuário Supervisor"), group);
    auto* supervisorLayout = new QVBoxLayout(supervisor);
    cbSupervisor = makeBox(supervisor, "cbSupervisor", QStringLiteral("Acesso Total"));
    auto* note =
        new QLabel(QStringLiteral("Marque essa opção apenas para usuários experientes."), supervisor);
    note->setWordWrap(true);
    supervisorLayout->addWidget(cbSupervisor);
    supervisorLayout->addWidget(note);

    auto* right = new QVBoxLayout;
    right->addWidget(queries);
    right->addWidget(supervisor);
    right->addStretch();
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(maintenance);
    layout->addLayout(right);
    return group;
}

std::array<QCheckBox*, 10> TFrmNovoUsuario::boxesInOrder() const
{
    return {cbUsuarios, CbIndices,         CbValorIndices,     CbNovaMOeda,      CbFormadeCorrecao,
            CbCustas,   cbAlterarProcesso, cbConsultaProcesso, cbTodasConsultas, cbSupervisor};
}

QCheckBox* TFrmNovoUsuario::box(std::string_view code) const
{
    const auto boxes = boxesInOrder();
    for (std::size_t i = 0; i < kPermissionOrder.size(); ++i) {
        if (kPermissionOrder[i] == code) return boxes[i];
    }
    return nullptr;
}

std::string TFrmNovoUsuario::codeText() const
{
    std::string code = cCodigo->text().toStdString();
    code.resize(6, ' ');
    return code;
}

void TFrmNovoUsuario::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmNovoUsuario::FormActivate()
{
    guarded([&] {
        foxpro::Table& users = dm_.Usuarios();
        permissions_ = users.eof() ? std::string() : users.getString("CONTROLE");
    });
    const auto boxes = boxesInOrder();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(Tempermissao(permissions_, kPermissionOrder[i]));
    if (windowTitle().toUpper().startsWith(QStringLiteral("NOVO"))) {
        cbConsultaProcesso->setChecked(true);
        cbTodasConsultas->setChecked(true);
    }
    if (!cNome->isReadOnly())
        cNome->setFocus();
    else if (btCancelar->isVisible())
        btCancelar->setFocus();
    else
        btOk->setFocus();
}

void TFrmNovoUsuario::gbPermissoesExit()
{
    StatusBar->showMessage(QStringLiteral("Aguarde..."));
    permissions_.clear();
    const auto boxes = boxesInOrder();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        if (boxes[i]->isChecked())
            poepermissao(permissions_, kPermissionOrder[i]);
        else
            tirapermissao(permissions_, kPermissionOrder[i]);
    }
    StatusBar->clearMessage();
}

bool TFrmNovoUsuario::insidePermissions(QWidget* widget) const
{
    return widget && (widget == gbPermissoes || gbPermissoes->isAncestorOf(widget));
}

void TFrmNovoUsuario::focusChanged(QWidget* old, QWidget* now)
{
    if (locked_) {
        if (insidePermissions(now)) btOk->setFocus();
        return;
    }
    if (insidePermissions(old) && !insidePermissions(now)) gbPermissoesExit();
}

bool TFrmNovoUsuario::codeIsAcceptable()
{
    const std::string code = codeText();
    if (code.find(' ') != std::string::npos) {
        ui::Prompter::current().warn(QStringLiteral("Atenção !"),
                                     QStringLiteral("O código de acesso deve ter 6 dígitos."));
        cCodigo->setFocus();
        return false;
    }
    bool taken = false;
    guarded([&] {
        foxpro::Table& users = dm_.Usuarios();
        const std::uint32_t current = users.recNo();
        users.setTag("indusr01");
        taken = users.seek({code}) && users.recNo() != ownRecord_;
        if (current != 0) users.go(current);
    });
    if (taken) {
        ui::Prompter::current().warn(QStringLiteral("Atenção !"),
                                     QStringLiteral("Código de acesso já cadastrado para outro usuário."));
        cCodigo->setFocus();
    }
    return !taken;
}

void TFrmNovoUsuario::btOkClick()
{
    if (locked_) {
        accept();
        return;
    }
    // What is stored is what the boxes show, also when the group was never entered.
    gbPermissoesExit();
    if (!codeIsAcceptable()) return;
    accept();
}

void TFrmNovoUsuario::showNameReadOnly()
{
    cNome->setReadOnly(true);
    cNome->setFrame(false);
    // Without a frame or a field background it reads as a caption, not as a
    // field that could be typed into.
    cNome->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    QFont bold = cNome->font();
    bold.setBold(true);
    cNome->setFont(bold);
}

void TFrmNovoUsuario::lockPermissions()
{
    locked_ = true;
    for (QCheckBox* box : boxesInOrder()) box->installEventFilter(this);
}

bool TFrmNovoUsuario::eventFilter(QObject* watched, QEvent* event)
{
    // A locked box shows its permission but neither mouse nor keyboard may
    // toggle it.
    if (locked_ && qobject_cast<QCheckBox*>(watched)) {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
                return true;
            default:
                break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quintara
