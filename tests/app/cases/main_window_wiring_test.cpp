// The case and court-costs windows open from the main window's menu and
// toolbar once a user is selected; the costs windows are reused.
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

#include "app/app_fixture.h"
#include "app/application.h"
#include "app/costs/costs_windows.h"
#include "app/costs/frm_cont_custas.h"
#include "app/costs/frm_tab_custas.h"
#include "app/frm_principal.h"
#include "app/frm_selecao_usuario.h"

namespace quintara {
namespace {

TEST(MainWindowWiring, CaseAndCostWindowsOpenFromMenuAndToolbar)
{
    test::DataDirectory dir;
    QUINTARA_REQUIRE_DATA(dir);
    ui::ScriptedPrompter prompter;
    ui::PrompterScope prompterScope(prompter);
    test::DialogScript script;
    auto settings = std::make_unique<MemorySettings>();
    settings->setValue("status", "1");
    settings->setValue("pathdir", dir.path());
    Startup startup(StartupOptions{}, std::move(settings));
    startup.createWindows();
    TFrmPrincipal& main = startup.mainWindow();

    // Windows opened per command are gone once closed: keep their class names.
    std::vector<QString> names;
    std::vector<QDialog*> opened;
    script.onDialog([&](QDialog& dialog) {
        if (auto* selection = qobject_cast<TFrmSelecaoUsuario*>(&dialog)) {
            selection->cCodigo->setText(QStringLiteral("000001"));
            selection->btOk->click();
            return;
        }
        names.push_back(QString::fromLatin1(dialog.metaObject()->className()));
        opened.push_back(&dialog);
    });
    main.FormActivate();
    ASSERT_EQ(main.currentUser(), "000001");

    for (QAction* action : {main.MProcessos, main.MIndicadorPessoal, main.MTabelaCustas,
                            main.TbTabeladeCustas, main.MContagemCustas, main.TbContagemdeCustas}) {
        ASSERT_TRUE(action->isEnabled()) << action->text().toStdString();
        action->trigger();
    }
    ASSERT_EQ(opened.size(), 6u);
    EXPECT_EQ(names[0], QStringLiteral("quintara::TFrmProcessos"));
    EXPECT_EQ(names[1], QStringLiteral("quintara::TFrmIndicadorPessoal"));
    EXPECT_NE(qobject_cast<TFrmTabCustas*>(opened[2]), nullptr);
    EXPECT_EQ(opened[3], opened[2]) << "the court-costs table is reused";
    EXPECT_NE(qobject_cast<TFrmContCustas*>(opened[4]), nullptr);
    EXPECT_EQ(opened[5], opened[4]) << "the costs count is reused";
    EXPECT_EQ(&costsCount(startup.dataModule(), &main), opened[4]);
}

}  // namespace
}  // namespace quintara
