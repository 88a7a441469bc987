// Calculating through the worksheet window: the run window starts once after
// it is shown, writes the memo files recalc writes, can be interrupted between
// items, and keeps the texts of failed stages for the error list.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "app/worksheet/frm_calculando.h"
#include "app/worksheet/frm_erros.h"
#include "app/worksheet/worksheet_fixture.h"
#include "ui/date_edit.h"

namespace quintara {
namespace {

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CalculationWindow : public test::WorksheetTest {
protected:
    // Lets the run window work until its run is over, then presses "&OK".
    static void finishRun(TFrmCalculando& calc)
    {
        for (int i = 0; i < 1000 && !calc.finished(); ++i) QCoreApplication::processEvents();
        ASSERT_TRUE(calc.finished());
        EXPECT_EQ(calc.lbStatus->text(), QStringLiteral("Pronto!"));
        EXPECT_EQ(calc.Button1->text(), QStringLiteral("&OK"));
        EXPECT_TRUE(calc.Button1->isEnabled());
        QTest::mouseClick(calc.Button1, Qt::LeftButton);
    }

    void typeDate(TfrmPlanilha& w, const QString& date)
    {
        w.DatadoCalculo->setFocus();
        w.DatadoCalculo->selectAll();
        QTest::keyClicks(w.DatadoCalculo, date);
        QTest::keyClick(w.DatadoCalculo, Qt::Key_Tab);
    }

    QStringList errorList(TfrmPlanilha& w)
    {
        QStringList lines;
        script_.onDialog([&](QDialog& dialog) {
            auto& errors = dynamic_cast<TFrmErros&>(dialog);
            lines = errors.lines();
            EXPECT_TRUE(errors.btOk->isEnabled());
            QTest::mouseClick(errors.btOk, Qt::LeftButton);
        });
        QTest::mouseClick(w.BtErros, Qt::LeftButton);
        return lines;
    }
};

TEST_F(CalculationWindow, MemoFilesEqualWhatRecalcWritesForTheSameCase)
{
    storeItem({1, "01/06/1994", "1000,00", true});
    storeItem({2, "01/06/1994", "1000,00", false});
    storeItem({3, "01/01/1994", "2500,00", false, "010", "  12,000000"});
    dm_->closeAllTables();
    test::DataDirectory other;
    namespace fs = std::filesystem;
    const fs::path target = fs::path(other.path()).parent_path();
    fs::remove_all(target);
    fs::copy(fs::path(dir_.path()).parent_path(), target, fs::copy_options::recursive);

    auto w = openWorksheet();
    typeDate(*w, QStringLiteral("31/07/1994"));
    int runs = 0;
    script_.onDialog([&](QDialog& dialog) {
        auto& calc = dynamic_cast<TFrmCalculando&>(dialog);
        EXPECT_EQ(calc.windowTitle(), QStringLiteral("Calculando"));
        // Shown again (back from another program) it never starts over.
        calc.hide();
        calc.show();
        finishRun(calc);
        ++runs;
        EXPECT_EQ(calc.report().items.size(), 3u);
    });
    QTest::mouseClick(w->BtCalcular, Qt::LeftButton);
    EXPECT_EQ(runs, 1);
    for (int row : {1, 2, 3}) EXPECT_EQ(w->session().grid.cell(row, colMark), "") << row;
    EXPECT_EQ(w->session().grid.cell(2, colCalculationDate), "31/07/1994");
    EXPECT_TRUE(prompter_.messages().empty());

    ASSERT_TRUE(test::runCli({QStringLiteral("recalc"), QString::fromStdString(other.path()),
                              QString::fromLatin1(kCase), QStringLiteral("31/07/1994")})
                    .empty());
    auto copy = DataModule::openFolder(other.path());
    for (int item : {1, 2, 3}) {
        const std::string mine = fileBytes(dm_->memoFilePath(kCase, item));
        EXPECT_FALSE(mine.empty()) << item;
        EXPECT_EQ(mine, fileBytes(copy->memoFilePath(kCase, item))) << item;
    }

    // The side panel shows the selected item's results.
    w->selectRow(2);
    EXPECT_EQ(w->valorprincipal->text(), QStringLiteral("1.000,00"));
    EXPECT_EQ(w->totaldoitem->text(), QStringLiteral("1.597,29"));
    EXPECT_EQ(w->datacalculo->text(), QStringLiteral("31/07/1994"));
    EXPECT_EQ(errorList(*w), QStringList{QStringLiteral("Nenhuma ocorrência registrada !")});
}

TEST_F(CalculationWindow, InterruptStopsBeforeTheNextItemAndFailedStagesAreListed)
{
    storeItem({1});
    storeItem({2});
    storeItem({3, "01/06/1994", "1000,00", false, "777"});  // a form that does not exist
    auto w = openWorksheet();
    typeDate(*w, QStringLiteral("31/07/1994"));
    script_.onDialog([&](QDialog& dialog) {
        auto& calc = dynamic_cast<TFrmCalculando&>(dialog);
        QObject::connect(&calc, &TFrmCalculando::stepDone, &calc, [&calc](int item, int step) {
            if (item == 2 && step == 3 && calc.Button1->isEnabled()) {
                EXPECT_EQ(calc.NumeroItem->text(), QStringLiteral("002"));
                QTest::mouseClick(calc.Button1, Qt::LeftButton);
                EXPECT_FALSE(calc.Button1->isEnabled());
            }
        });
        finishRun(calc);
        EXPECT_TRUE(calc.report().interrupted);
    });
    QTest::mouseClick(w->BtCalcular, Qt::LeftButton);
    EXPECT_EQ(w->session().grid.cell(1, colMark), "");
    EXPECT_EQ(w->session().grid.cell(2, colMark), "$");
    EXPECT_EQ(w->session().grid.cell(3, colMark), "$");
    EXPECT_TRUE(std::filesystem::exists(dm_->memoFilePath(kCase, 1)));
    EXPECT_FALSE(std::filesystem::exists(dm_->memoFilePath(kCase, 2)));

    // The whole run again: item 2 is calculated, item 3 fails at its first stage.
    script_.onDialog([&](QDialog& dialog) { finishRun(dynamic_cast<TFrmCalculando&>(dialog)); });
    QTest::mouseClick(w->BtCalcular, Qt::LeftButton);
    EXPECT_EQ(w->session().grid.cell(2, colMark), "");
    EXPECT_EQ(w->session().grid.cell(3, colMark), "$");

    // A memo line beginning with "erro" in any case is listed, one with the
    // word elsewhere is not.
    std::ofstream(dm_->memoFilePath(kCase, 1), std::ios::app) << "erro de teste\r\nInfo: Erro no meio\r\n";
    EXPECT_EQ(errorList(*w),
              (QStringList{QStringLiteral("erro de teste"),
                           QStringLiteral("Alerta: O Item 003pode ter sido alterado após o último "
                                          "cálculo !"),
                           QStringLiteral("Erro !!!. Ao montar sequência Original."),
                           QStringLiteral("Item 003não foi calculado ainda !")}));

    // Recalculating one item runs that row only.
    w->selectRow(1);
    script_.onDialog([&](QDialog& dialog) {
        auto& calc = dynamic_cast<TFrmCalculando&>(dialog);
        finishRun(calc);
        ASSERT_EQ(calc.report().items.size(), 1u);
        EXPECT_EQ(calc.report().items[0].row, 1);
    });
    QTest::mouseClick(w->ToolBar->widgetForAction(w->tbRecalcularItem), Qt::LeftButton);
    EXPECT_EQ(w->session().grid.cell(1, colMark), "");
    EXPECT_EQ(w->session().grid.cell(3, colMark), "$");
}

}  // namespace
}  // namespace quintara
