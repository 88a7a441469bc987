// The worksheet opens from the main window's menu and toolbar and is reused,
// keeping its grid; its costs button opens the main window's costs count on
// the worksheet's case, and its item, totals and fees commands their windows.
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
#include "app/worksheet/frm_honorarios.h"
#include "app/worksheet/frm_planilha.h"
#include "app/worksheet/frm_totais_planilha.h"
#include "app/worksheet/item_form.h"
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
    std::vector<std::string> opened;  // the worksheet's own windows, in order
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
                worksheet->tbIncluirItem->trigger();
                QTest::mouseClick(worksheet->BtTotais, Qt::LeftButton);
                QTest::mouseClick(worksheet->BtHonorarios, Qt::LeftButton);
            }
            QTest::mouseClick(worksheet->btSair, Qt::LeftButton);
        } else if (auto* costs = qobject_cast<TFrmContCustas*>(&dialog)) {
            costsCase = costs->caseNumber();
        } else if (qobject_cast<TNovoItemPlanilha*>(&dialog)) {
            opened.push_back("item");  // left open: the entry loop ends as on Cancel
        } else if (qobject_cast<TFrmTotaisPlanilha*>(&dialog)) {
            opened.push_back("totals");
        } else if (qobject_cast<TFrmHonorarios*>(&dialog)) {
            opened.push_back("fees");
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
    EXPECT_EQ(opened, (std::vector<std::string>{"item", "totals", "fees"}));
    EXPECT_EQ(&costsCount(startup.dataModule(), &main), main.findChild<TFrmContCustas*>());
    // Reopened, the worksheet still shows the case it showed.
    EXPECT_EQ(static_cast<TfrmPlanilha*>(worksheets[1])->session().caseNumber, "2024001");
}

}  // namespace
}  // namespace quintara
