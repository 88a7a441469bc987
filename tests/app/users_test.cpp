// The users register and its dialogs: new, change, detail and delete, the
// permission string and the codes a user may be given.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "app/frm_destaca_usuario.h"
#include "app/frm_novo_usuario.h"
#include "app/frm_selecao_usuario.h"
#include "app/frm_usuario_permissoes.h"
#include "app/frm_usuarios.h"
#include "app/permissions.h"
#include "app_fixture.h"

namespace quintara {
namespace {

TEST(PermissionString, CodesAreAddedOnceAndRemovedEverywhere)
{
    std::string s;
    poepermissao(s, "34");
    poepermissao(s, "00");
    poepermissao(s, "34");
    EXPECT_EQ(s, "34_00_");
    EXPECT_TRUE(Tempermissao(s, "00"));
    s = "41_33_41_";
    tirapermissao(s, "41");
    EXPECT_EQ(s, "33_");
    tirapermissao(s, "42");
    EXPECT_EQ(s, "33_");
}

class UsersRegister : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
    }
    void addUser(const std::string& code, const std::string& name, const std::string& permissions)
    {
        foxpro::Table& users = dm_->Usuarios();
        users.append();
        users.setString("CODIGO", code);
        users.setString("NOME", name);
        users.setString("CONTROLE", permissions);
        users.post();
    }
    int userCount()
    {
        int count = 0;
        foxpro::Table& users = dm_->Usuarios();
        for (users.first(); !users.eof(); users.next()) ++count;
        return count;
    }
    // Makes the register's current row the user with this name.
    void selectUser(TFrmUsuarios& window, const QString& name)
    {
        for (int row = 0; row < window.lista->topLevelItemCount(); ++row)
            if (window.lista->topLevelItem(row)->text(0) == name) window.selectRow(row);
    }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    test::DialogScript script_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
};

TEST_F(UsersRegister, TheLastUserCannotBeDeleted)
{
    TFrmUsuarios window(*dm_);
    window.FormActivate();
    ASSERT_EQ(window.lista->topLevelItemCount(), 1);
    window.btExcluirClick();
    EXPECT_EQ(userCount(), 1);
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.messages()[0].kind, ui::ScriptedPrompter::Kind::Warn);

    addUser("222222", "Beatriz", "");
    window.FormActivate();
    selectUser(window, QStringLiteral("Administrador"));
    window.btExcluirClick();
    EXPECT_EQ(userCount(), 1);
    ASSERT_EQ(window.lista->topLevelItemCount(), 1);
    EXPECT_EQ(window.lista->topLevelItem(0)->text(0), QStringLiteral("Beatriz"));
}

TEST_F(UsersRegister, WithTwoUsersTheSelectionWaitsForATypedCode)
{
    addUser("222222", "Beatriz", "");
    TFrmSelecaoUsuario selection(*dm_);
    selection.show();
    EXPECT_TRUE(selection.cCodigo->text().isEmpty());
    EXPECT_FALSE(selection.btOk->isEnabled());
    QTest::keyClicks(selection.cCodigo, QStringLiteral("222222"));
    EXPECT_TRUE(selection.btOk->isEnabled());
    QTest::keyClick(selection.cCodigo, Qt::Key_Backspace);
    EXPECT_FALSE(selection.btOk->isEnabled());
    EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(UsersRegister, NewUserIsStoredWithWhatTheBoxesShow)
{
    TFrmUsuarios window(*dm_);
    window.FormActivate();
    script_.onDialog([](QDialog& dialog) {
        auto& added = dynamic_cast<TFrmNovoUsuario&>(dialog);
        EXPECT_EQ(added.ItOrdem->text(), QStringLiteral("2"));
        EXPECT_TRUE(added.cbConsultaProcesso->isChecked());
        EXPECT_TRUE(added.cbTodasConsultas->isChecked());
        added.cNome->setText(QStringLiteral("Maria"));
        added.cCodigo->setText(QStringLiteral("123456"));
        for (std::string_view code : kPermissionOrder) added.box(code)->setChecked(false);
        added.box("35")->setChecked(true);
        added.box("42")->setChecked(true);
        added.btOk->click();
    });
    window.btNovoClick();
    foxpro::Table& users = dm_->Usuarios();
    users.setTag("indusr01");
    ASSERT_TRUE(users.seek({"123456"}));
    EXPECT_EQ(users.getString("NOME"), "Maria");
    EXPECT_EQ(users.getString("CONTROLE"), "35_42_");
    EXPECT_EQ(users.getString("PRINTER"), "EPSONL");
    EXPECT_EQ(users.getString("CORFUNDO"), "VE");
    EXPECT_EQ(users.getString("CARFUNDO"), "");
    EXPECT_EQ(window.lista->topLevelItemCount(), 2);
}

TEST_F(UsersRegister, CodesMustHaveSixDigitsAndBelongToOneUser)
{
    TFrmUsuarios window(*dm_);
    window.FormActivate();
    for (const QString& code : {QStringLiteral("000001"), QStringLiteral("1234")}) {
        prompter_.clear();
        bool stayedOpen = false;
        script_.onDialog([&](QDialog& dialog) {
            auto& added = dynamic_cast<TFrmNovoUsuario&>(dialog);
            added.cNome->setText(QStringLiteral("Outro"));
            added.cCodigo->setText(code);
            added.btOk->click();
            stayedOpen = added.isVisible();
        });
        window.btNovoClick();
        EXPECT_TRUE(stayedOpen) << code.toStdString();
        EXPECT_EQ(prompter_.messages().size(), 1u) << code.toStdString();
        EXPECT_EQ(userCount(), 1) << code.toStdString();
    }

    // Keeping one's own code when changing permissions is fine.
    script_.onDialog([](QDialog& dialog) { dynamic_cast<TFrmNovoUsuario&>(dialog).btOk->click(); });
    prompter_.clear();
    window.btAlterarClick();
    EXPECT_TRUE(prompter_.messages().empty());
}

TEST_F(UsersRegister, PermissionsAreRebuiltInTheFixedOrder)
{
    addUser("333333", "Carla", "");
    TFrmUsuarios window(*dm_);
    window.show();
    selectUser(window, QStringLiteral("Carla"));
    script_.onDialog([](QDialog& dialog) {
        auto& change = dynamic_cast<TFrmUsuarioPermissoes&>(dialog);
        EXPECT_TRUE(change.cNome->isReadOnly());
        EXPECT_EQ(change.cNome->text(), QStringLiteral("Carla"));
        ASSERT_FALSE(change.cbSupervisor->isChecked());
        ASSERT_FALSE(change.CbIndices->isChecked());
        // Total access first, then the indices: the string still lists 34 first.
        test::clickBox(change.cbSupervisor);
        test::clickBox(change.CbIndices);
        ASSERT_TRUE(change.cbSupervisor->isChecked());
        ASSERT_TRUE(change.CbIndices->isChecked());
        change.btOk->setFocus();
        change.btOk->click();
    });
    window.btAlterarClick();
    ASSERT_EQ(script_.shown(), 1);
    foxpro::Table& users = dm_->Usuarios();
    users.setTag("indusr01");
    ASSERT_TRUE(users.seek({"333333"}));
    EXPECT_EQ(users.getString("CONTROLE"), "34_00_");
    EXPECT_EQ(users.getString("NOME"), "Carla");
}

TEST_F(UsersRegister, LeavingTheBoxesRebuildsTheStringAndUntickingRemovesACode)
{
    addUser("555555", "Elisa", "00_41_35_");
    foxpro::Table& users = dm_->Usuarios();
    users.setTag("indusr01");
    ASSERT_TRUE(users.seek({"555555"}));
    TFrmUsuarioPermissoes dialog(*dm_);
    dialog.show();
    EXPECT_TRUE(dialog.cbSupervisor->isChecked());
    EXPECT_TRUE(dialog.CbValorIndices->isChecked());
    EXPECT_EQ(dialog.permissionString(), "00_41_35_");
    test::clickBox(dialog.cbConsultaProcesso);
    EXPECT_FALSE(dialog.cbConsultaProcesso->isChecked());
    dialog.gbPermissoesExit();
    EXPECT_EQ(dialog.permissionString(), "35_00_");
}

TEST_F(UsersRegister, UserMaintenanceBoxDrivesTotalAccess)
{
    TFrmNovoUsuario dialog(*dm_);
    dialog.show();
    dialog.cbUsuarios->setChecked(false);
    dialog.cbSupervisor->setChecked(false);
    test::clickBox(dialog.cbUsuarios);
    ASSERT_TRUE(dialog.cbUsuarios->isChecked());
    EXPECT_TRUE(dialog.cbSupervisor->isChecked());
    test::clickBox(dialog.cbUsuarios);
    ASSERT_FALSE(dialog.cbUsuarios->isChecked());
    EXPECT_FALSE(dialog.cbSupervisor->isChecked());

    // Only the maintenance box drives the other: total access alone leaves it be.
    test::clickBox(dialog.cbSupervisor);
    EXPECT_TRUE(dialog.cbSupervisor->isChecked());
    EXPECT_FALSE(dialog.cbUsuarios->isChecked());
}

TEST_F(UsersRegister, DetailShowsPermissionsAndCannotChangeThem)
{
    addUser("444444", "Dora", "41_");
    TFrmUsuarios window(*dm_);
    window.show();
    selectUser(window, QStringLiteral("Dora"));
    script_.onDialog([](QDialog& dialog) {
        auto& detail = dynamic_cast<TFrmDestacaUsuario&>(dialog);
        EXPECT_FALSE(detail.btCancelar->isVisible());
        EXPECT_TRUE(detail.cbConsultaProcesso->isChecked());
        EXPECT_FALSE(detail.cbTodasConsultas->isChecked());
        test::clickBox(detail.cbTodasConsultas);
        EXPECT_FALSE(detail.cbTodasConsultas->isChecked());
        test::clickBox(detail.cbConsultaProcesso);
        EXPECT_TRUE(detail.cbConsultaProcesso->isChecked());
        detail.cbTodasConsultas->setFocus();
        EXPECT_FALSE(detail.cbTodasConsultas->hasFocus());
        detail.btOk->click();
    });
    window.btDestacarClick();
    EXPECT_EQ(script_.shown(), 1);
    foxpro::Table& users = dm_->Usuarios();
    users.setTag("indusr01");
    ASSERT_TRUE(users.seek({"444444"}));
    EXPECT_EQ(users.getString("CONTROLE"), "41_");
}

// The mouse entering a control puts its hint in the dialog's status line as well.
QString hintShownFor(QWidget* window, QWidget* control)
{
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(control, &enter);
    auto* panel = window->findChild<QLabel*>(QStringLiteral("hintPanel"));
    return panel && panel->isVisible() ? panel->text() : QStringLiteral("<no status line>");
}

TEST_F(UsersRegister, HintsAlsoShowInTheStatusLine)
{
    TFrmUsuarios window(*dm_);
    window.show();
    EXPECT_EQ(hintShownFor(&window, window.btNovo), QStringLiteral("Clique para cadastrar um novo usuário"));
    EXPECT_EQ(hintShownFor(&window, window.lista),
              QStringLiteral("Lista de Usuários Atualmente Cadastrados."));
    EXPECT_EQ(window.btNovo->toolTip(), window.btNovo->statusTip());

    TFrmNovoUsuario added(*dm_);
    added.show();
    EXPECT_EQ(hintShownFor(&added, added.cCodigo),
              QStringLiteral("Digite um código de 06 dígitos para o usuário"));
    EXPECT_EQ(hintShownFor(&added, added.btOk), QStringLiteral("Clique para confirmar dados"));
    TFrmDestacaUsuario detail(*dm_);
    detail.show();
    EXPECT_EQ(hintShownFor(&detail, detail.cNome), QStringLiteral("Digite nesse campo o nome do usuário"));
}

}  // namespace
}  // namespace quintara
