#include "app/frm_usuarios.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/app_errors.h"
#include "app/frm_destaca_usuario.h"
#include "app/frm_novo_usuario.h"
#include "app/frm_usuario_permissoes.h"
#include "app/modal_runner.h"
#include "data/data_module.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

constexpr int kRecordRole = Qt::UserRole + 1;

QPushButton* makeButton(QWidget* parent, const QString& caption, const QString& hint)
{
    auto* button = new QPushButton(caption, parent);
    button->setStatusTip(hint);
    button->setToolTip(hint);
    return button;
}

// Suspends the display updates of the users table for one change.
class ControlsPause {
public:
    explicit ControlsPause(DataModule& dm) : dm_(dm) { dm_.DisableControls(); }
    ~ControlsPause() { dm_.EnableControls(); }
    ControlsPause(const ControlsPause&) = delete;
    ControlsPause& operator=(const ControlsPause&) = delete;

private:
    DataModule& dm_;
};

}  // namespace

TFrmUsuarios::TFrmUsuarios(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmUsuarios"));
    setWindowTitle(QStringLiteral("Cadastro de Usuários"));

    auto* box = new QGroupBox(QStringLiteral("Lista de Usuários"), this);
    lista = new QTreeWidget(box);
    lista->setHeaderLabels({QStringLiteral("NOME COMPLETO")});
    lista->setRootIsDecorated(false);
    lista->setStatusTip(QStringLiteral("Lista de Usuários Atualmente Cadastrados."));
    lista->setToolTip(lista->statusTip());
    lista->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(lista);

    btNovo =
        makeButton(this, QStringLiteral("&Novo"), QStringLiteral("Clique para cadastrar um novo usuário"));
    btAlterar = makeButton(this, QStringLiteral("&Alterar"),
                           QStringLiteral("Clique para alterar o código/permissões."));
    btExcluir = makeButton(this, QStringLiteral("&Excluir"), QStringLiteral("Clique para excluir"));
    btDestacar = makeButton(this, QStringLiteral("&Destacar"),
                            QStringLiteral("Clique para alterar o código/permissões."));
    btSair = makeButton(this, QStringLiteral("&Sair"), QStringLiteral("Clique para sair"));
    connect(btNovo, &QPushButton::clicked, this, &TFrmUsuarios::btNovoClick);
    connect(btAlterar, &QPushButton::clicked, this, &TFrmUsuarios::btAlterarClick);
    connect(btExcluir, &QPushButton::clicked, this, &TFrmUsuarios::btExcluirClick);
    connect(btDestacar, &QPushButton::clicked, this, &TFrmUsuarios::btDestacarClick);
    connect(btSair, &QPushButton::clicked, this, &QDialog::accept);

    menu_ = new QMenu(this);
    menu_->addAction(QStringLiteral("Destacar"), this, &TFrmUsuarios::btDestacarClick);
    connect(lista, &QTreeWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(lista->viewport()->mapToGlobal(at)); });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {btNovo, btAlterar, btExcluir, btDestacar}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(btSair);
    auto* body = new QHBoxLayout;
    body->addWidget(box, 1);
    body->addLayout(buttons);
    // The hint of the control under the mouse, as well as in its tool tip.
    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    auto* hintPanel = new QLabel(status);
    hintPanel->setObjectName(QStringLiteral("hintPanel"));
    hintPanel->setFrameShape(QFrame::Panel);
    hintPanel->setFrameShadow(QFrame::Sunken);
    status->addWidget(hintPanel, 1);
    ui::routeHints(this, hintPanel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(status);
    resize(520, 360);
}

void TFrmUsuarios::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmUsuarios::FormActivate()
{
    for (QPushButton* button : {btNovo, btAlterar, btExcluir, btDestacar, btSair}) button->setEnabled(true);
    guarded([&] { fillList(dm_.Usuarios().recNo()); });
}

void TFrmUsuarios::fillList(std::uint32_t keepRecord)
{
    lista->clear();
    foxpro::Table& users = dm_.Usuarios();
    users.setTag("indusr01");
    QTreeWidgetItem* keep = nullptr;
    for (users.first(); !users.eof(); users.next()) {
        auto* item = new QTreeWidgetItem(lista, {QString::fromStdString(users.getString("NOME"))});
        item->setData(0, kRecordRole, users.recNo());
        if (users.recNo() == keepRecord) keep = item;
    }
    if (!keep && lista->topLevelItemCount() > 0) keep = lista->topLevelItem(0);
    if (keep) lista->setCurrentItem(keep);
    goToSelected();
}

void TFrmUsuarios::selectRow(int row)
{
    if (QTreeWidgetItem* item = lista->topLevelItem(row)) lista->setCurrentItem(item);
}

bool TFrmUsuarios::goToSelected()
{
    QTreeWidgetItem* item = lista->currentItem();
    if (!item) return false;
    dm_.Usuarios().go(item->data(0, kRecordRole).toUInt());
    return true;
}

void TFrmUsuarios::fillFromCurrent(TFrmNovoUsuario& dialog)
{
    foxpro::Table& users = dm_.Usuarios();
    dialog.setOwnRecord(users.recNo());
    dialog.ItOrdem->setText(QString::number(users.recNo()));
    dialog.cNome->setText(QString::fromStdString(users.getString("NOME")));
    dialog.cCodigo->setText(QString::fromStdString(users.getString("CODIGO")));
}

void TFrmUsuarios::btNovoClick()
{
    guarded([&] {
        foxpro::Table& users = dm_.Usuarios();
        TFrmNovoUsuario dialog(dm_, this);
        users.setTag("");
        users.last();
        dialog.ItOrdem->setText(QString::number(users.recNo() + 1));
        const int nameWidth = users.fields()[static_cast<std::size_t>(users.fieldIndex("NOME"))].length;
        dialog.cNome->setMaxLength(nameWidth);
        if (runModal(dialog) != QDialog::Accepted) {
            users.setTag("indusr01");
            return;
        }
        std::uint32_t added = 0;
        {
            ControlsPause pause(dm_);
            try {
                users.setTag("");
                users.append();
                users.setString("CODIGO", dialog.codeText());
                users.setString("NOME", dialog.cNome->text().toStdString());
                users.setString("CONTROLE", dialog.permissionString());
                users.setString("PRINTER", "EPSONL");
                users.setString("CORFUNDO", "VE");
                users.setString("CARFUNDO", "");
                users.post();
                added = users.recNo();
            } catch (...) {
                if (users.editing()) users.cancel();
                users.setTag("indusr01");
                throw;
            }
            users.setTag("indusr01");
        }
        fillList(added);
    });
}

void TFrmUsuarios::btAlterarClick()
{
    guarded([&] {
        if (!goToSelected()) return;
        foxpro::Table& users = dm_.Usuarios();
        const std::uint32_t record = users.recNo();
        TFrmUsuarioPermissoes dialog(dm_, this);
        fillFromCurrent(dialog);
        if (runModal(dialog) != QDialog::Accepted) return;
        {
            ControlsPause pause(dm_);
            users.go(record);
            try {
                users.edit();
                users.setString("CODIGO", dialog.codeText());
                users.setString("CONTROLE", dialog.permissionString());
                users.post();
            } catch (...) {
                if (users.editing()) users.cancel();
                throw;
            }
        }
        fillList(record);
    });
}

void TFrmUsuarios::btDestacarClick()
{
    guarded([&] {
        if (!goToSelected()) return;
        TFrmDestacaUsuario dialog(dm_, this);
        fillFromCurrent(dialog);
        runModal(dialog);
    });
}

void TFrmUsuarios::btExcluirClick()
{
    guarded([&] {
        if (!goToSelected()) return;
        if (lista->topLevelItemCount() <= 1) {
            // Without any user the access-control dialog can never admit anyone again.
            ui::Prompter::current().warn(
                QStringLiteral("Atenção !"),
                QStringLiteral("O último usuário cadastrado não pode ser excluído: sem ele ninguém mais "
                               "conseguiria entrar no sistema."));
            return;
        }
        foxpro::Table& users = dm_.Usuarios();
        users.remove();
        fillList(users.eof() ? 0 : users.recNo());
    });
}

}  // namespace quintara
