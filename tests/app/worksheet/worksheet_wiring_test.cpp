// The worksheet opens from the main window's menu and toolbar and is reused,
// keeping its grid; its costs button opens the main window's costs count on
// the worksheet's case.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/app_fixture.h"
#include "app/application.h"
#include "app/costs/costs_windows.h"
#include "app/costs/frm_cont_custas.h"
#include "app/frm_principal.h"
#include "app/frm_selecao_usuario.h"
#include "app/worksheet/frm_planilha.h"
#include "app/worksheet/worksheet_windows.h"
#include "data/case_register.h"

namespace quintara {
namespace {

TEST(WorksheetWiring, OpensFromMenuAndToolbarAndHandsItsCaseToTheCostsCount)
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

    std::vector<QDialog*> worksheets;
    std::string costsCase;
    script.onDialog([&](QDialog& dialog) {
        if (auto* selection = qobject_cast<TFrmSelecaoUsuario*>(&dialog)) {
            selection->cCodigo->setText(QStringLiteral("000001"));
            selection->btOk->click();
        } else if (auto* worksheet = qobject_cast<TfrmPlanilha*>(&dialog)) {
            worksheets.push_back(worksheet);
            if (worksheets.size() == 1) {
                worksheet->DBLookupComboBox1->setFocus();
                QTest::keyClicks(worksheet->DBLookupComboBox1, QStringLiteral("2024001"));
                QTest::mouseClick(worksheet->btCustas, Qt::LeftButton);
            }
            QTest::mouseClick(worksheet->btSair, Qt::LeftButton);
        } else if (auto* costs = qobject_cast<TFrmContCustas*>(&dialog)) {
            costsCase = costs->caseNumber();
        }
    });
    main.FormActivate();
    ASSERT_EQ(main.currentUser(), "000001");
    CaseData c;
    c.number = "2024001";
    registerCase(startup.dataModule(), c, "000001", CaseClock::now());

    for (QAction* action : {main.MPlanilha, main.TbPlanilha}) {
        ASSERT_TRUE(action->isEnabled()) << action->text().toStdString();
        action->trigger();
    }
    ASSERT_EQ(worksheets.size(), 2u);
    EXPECT_EQ(worksheets[1], worksheets[0]) << "the worksheet is reused";
    EXPECT_EQ(&worksheetWindow(startup.dataModule(), &main), worksheets[0]);
    EXPECT_EQ(costsCase, "2024001");
    EXPECT_EQ(&costsCount(startup.dataModule(), &main), main.findChild<TFrmContCustas*>());
    // Reopened, the worksheet still shows the case it showed.
    EXPECT_EQ(static_cast<TfrmPlanilha*>(worksheets[1])->session().caseNumber, "2024001");
}

}  // namespace
}  // namespace quintara
