// The main window on a real data directory: gating until a user is selected,
// the user selection, the year rules, the sheet, the chart and the report.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBar>

#include "app/application.h"
#include "app/frm_principal.h"
#include "app/frm_selecao_usuario.h"
#include "app_fixture.h"
#include "reports/monthly_index_sheet_report.h"

namespace quintara {
namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        auto settings = std::make_unique<MemorySettings>();
        settings->setValue("status", "1");
        settings->setValue("pathdir", dir_.path());
        startup_ = std::make_unique<Startup>(StartupOptions{}, std::move(settings));
        startup_->createWindows();
        main().setToday([] { return Date(15, 2, 2024); });
    }
    TFrmPrincipal& main() { return startup_->mainWindow(); }
    DataModule& dm() { return startup_->dataModule(); }

    // The selection dialog of the next activation types code and presses OK
    // (or, with an empty code, is cancelled).
    void selectUser(const QString& code)
    {
        script_.onDialog([code](QDialog& dialog) {
            auto* selection = qobject_cast<TFrmSelecaoUsuario*>(&dialog);
            ASSERT_NE(selection, nullptr);
            if (code.isEmpty()) return;
            selection->cCodigo->setText(code);
            selection->btOk->click();
        });
    }
    int rowOf(const QString& code)
    {
        for (int r = 1; r < main().gridRowCount(); ++r)
            if (main().cellText(0, r) == code) return r;
        return -1;
    }

    test::DataDirectory dir_;
    test::DialogScript script_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
    std::unique_ptr<Startup> startup_;
};

TEST_F(MainWindow, StartUpAdvancesTheSplashAndClosesItOnActivation)
{
    ASSERT_NE(startup_->splash(), nullptr);
    EXPECT_EQ(startup_->splash()->history(), startupProgress());
    EXPECT_EQ(startup_->splash()->progress(), 100);
    selectUser({});
    main().FormActivate();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(startup_->splash(), nullptr);
}

TEST_F(MainWindow, CommandsStayGatedUntilAUserIsSelected)
{
    selectUser({});
    main().FormActivate();
    EXPECT_EQ(script_.shown(), 1);
    EXPECT_TRUE(main().currentUser().empty());
    for (QAction* gated : {main().MCadastroUsuarios, main().menuFerramentas->menuAction(),
                           main().menuOpcoes->menuAction(), main().MAtualizacoes})
        EXPECT_FALSE(gated->isEnabled()) << gated->text().toStdString();
    EXPECT_FALSE(main().ToolBar1->isEnabled());
    EXPECT_FALSE(main().ToolBar2->isEnabled());
    for (QAction* open :
         {main().MSelecaoUsuario, main().MSair, main().MConteudo, main().MSobre, main().MHelpDesk})
        EXPECT_TRUE(open->isEnabled()) << open->text().toStdString();

    // Every later activation asks again while nobody is selected.
    selectUser(QStringLiteral("000001"));
    main().FormActivate();
    EXPECT_EQ(script_.shown(), 2);
    EXPECT_EQ(main().currentUser(), "000001");
    EXPECT_EQ(dm().currentUser(), "000001");
    EXPECT_EQ(main().statusPanels[0]->text(), QStringLiteral("Usr: Administrador"));
    for (QAction* open : {main().MCadastroUsuarios, main().menuFerramentas->menuAction(),
                          main().menuOpcoes->menuAction(), main().MReorganizar, main().MParametros})
        EXPECT_TRUE(open->isEnabled()) << open->text().toStdString();
    EXPECT_TRUE(main().ToolBar1->isEnabled());
    // Every window of the menu and the toolbar can be opened.
    for (QAction* open : {main().MPlanilha, main().TbPlanilha, main().MFastCalc, main().TbFastCalc})
        EXPECT_TRUE(open->isEnabled()) << open->text().toStdString();

    // A cancelled selection keeps the selected user; activations no longer ask.
    selectUser({});
    main().MSelecaoUsuarioClick();
    EXPECT_EQ(main().currentUser(), "000001");
    main().FormActivate();
    EXPECT_EQ(script_.shown(), 3);
}

TEST_F(MainWindow, TheOnlyUserIsOfferedAndCodesAreChecked)
{
    script_.onDialog([this](QDialog& dialog) {
        auto& selection = dynamic_cast<TFrmSelecaoUsuario&>(dialog);
        EXPECT_EQ(selection.cCodigo->text(), QStringLiteral("000001"));
        EXPECT_TRUE(selection.btOk->isEnabled());
        selection.cCodigo->setText(QStringLiteral("00000"));
        EXPECT_FALSE(selection.btOk->isEnabled());
        EXPECT_TRUE(prompter_.messages().empty());
        selection.cCodigo->setText(QStringLiteral("999999"));
        EXPECT_FALSE(selection.btOk->isEnabled());
        ASSERT_EQ(prompter_.messages().size(), 1u);
        EXPECT_EQ(prompter_.messages()[0].title, QStringLiteral("Erro !"));
        EXPECT_EQ(prompter_.messages()[0].text, QStringLiteral("Usuário não cadastrado."));
        selection.cCodigo->setText(QStringLiteral("000001"));
        EXPECT_TRUE(selection.btOk->isEnabled());
        selection.btOk->click();
    });
    main().FormActivate();
    EXPECT_EQ(main().currentUser(), "000001");
}

TEST_F(MainWindow, BaseYearFollowsTodayAndTitlesJoinTheYear)
{
    selectUser({});
    main().FormActivate();
    EXPECT_EQ(main().ComboBox->currentText(), QStringLiteral("2023"));
    EXPECT_EQ(main().cellText(0, 0), QStringLiteral("2023"));
    EXPECT_EQ(main().cellText(1, 0), QStringLiteral("JAN"));
    EXPECT_EQ(main().cellText(12, 0), QStringLiteral("DEZ"));
    EXPECT_EQ(main().PTitPlanilha->text(), QStringLiteral("PLANILHA DE INDICES MENSAIS DE2023"));
    EXPECT_EQ(main().ComboBox->count(), 2024 - 1939 + 1);
    EXPECT_EQ(main().ComboBox->itemText(0), QStringLiteral("1939"));

    // The year shown is kept on later activations, whatever the date.
    main().setToday([] { return Date(1, 3, 2024); });
    main().FormActivate();
    EXPECT_EQ(main().ComboBox->currentText(), QStringLiteral("2023"));
}

TEST_F(MainWindow, FromMarchOnTheBaseYearIsTheCurrentOne)
{
    main().setToday([] { return Date(1, 3, 2024); });
    selectUser({});
    main().FormActivate();
    EXPECT_EQ(main().ComboBox->currentText(), QStringLiteral("2024"));
}

TEST_F(MainWindow, SheetChartAndReportShowTheBaseYearValues)
{
    selectUser({});
    main().FormActivate();
    const QString code = main().cellText(0, 1);
    ASSERT_FALSE(code.isEmpty());
    test::addValue(dm(), code.toStdString(), "01/03/2023", 1.25);
    test::addValue(dm(), code.toStdString(), "01/05/2023", 0.5);
    test::addValue(dm(), code.toStdString(), "01/02/2022", 4.0);
    main().FormActivate();  // a child window closed: rows and values are rebuilt

    const int row = rowOf(code);
    ASSERT_EQ(row, 1);
    EXPECT_EQ(main().cellText(3, row), QStringLiteral("1,25"));
    EXPECT_EQ(main().cellText(5, row), QStringLiteral("0,5"));
    EXPECT_EQ(main().cellText(4, row), QString());
    main().StringGrid1->setCurrentCell(row - 1, 0);
    EXPECT_EQ(main().cNomeInd->text(), code);
    EXPECT_TRUE(main().RTexto->toPlainText().contains(QStringLiteral(".\n\n ")));
    ASSERT_EQ(main().series->count(), 2);
    EXPECT_DOUBLE_EQ(main().series->at(0).y(), 1.25);
    EXPECT_DOUBLE_EQ(main().series->at(1).x(), 1.0);

    const reports::MonthlyIndexSheet sheet = main().sheetForReport();
    EXPECT_EQ(sheet.rows.size(), static_cast<std::size_t>(main().gridRowCount() - 1));
    const reports::PageModel report = reports::monthlyIndexSheetReport(sheet);
    ASSERT_FALSE(report.pages.empty());
    EXPECT_TRUE(report.pages[0].hasText("PLANILHA DE INDICES MENSAIS DE 2023"));
    EXPECT_TRUE(report.pages[0].hasText("=> " + code.toStdString()));
    EXPECT_TRUE(report.pages[0].hasText("1,25"));

    // Another year refills the month cells without rebuilding the rows.
    main().ComboBox->setEditText(QStringLiteral("2022"));
    main().ComboBoxChange();
    EXPECT_EQ(main().cellText(0, 0), QStringLiteral("2022"));
    EXPECT_EQ(main().cellText(2, row), QStringLiteral("4"));
    EXPECT_EQ(main().cellText(3, row), QString());
    EXPECT_EQ(main().PTitPlanilha->text(), QStringLiteral("PLANILHA DE INDICES MENSAIS DE2022"));
}

TEST_F(MainWindow, ANonNumericYearIsReportedAndTheGridKept)
{
    selectUser({});
    main().FormActivate();
    const int rows = main().gridRowCount();
    prompter_.clear();
    main().ComboBox->setEditText(QStringLiteral("20x3"));
    main().ComboBoxChange();
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_TRUE(prompter_.lastText().contains(QStringLiteral("20x3")));
    EXPECT_EQ(main().gridRowCount(), rows);
    EXPECT_FALSE(main().cellText(0, 1).isEmpty());
}

}  // namespace
}  // namespace quintara
