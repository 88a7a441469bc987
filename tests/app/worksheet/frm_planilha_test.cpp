// The worksheet window driven as a person does: the enabling rules, the
// calculation date's default, reloading a case (an item with a correction of
// zero or less stays calculated), the item entry loop, free rows, deleting
// with its questions, automatic description and marking.
#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "app/worksheet/worksheet_fixture.h"
#include "app/worksheet/worksheet_model.h"
#include "ui/date_edit.h"

namespace quintara {
namespace {

using test::WorksheetItem;

void click(TfrmPlanilha& w, QAction* action)
{
    QTest::mouseClick(w.ToolBar->widgetForAction(action), Qt::LeftButton);
}

void clickRow(TfrmPlanilha& w, int row)
{
    const QModelIndex index = w.model().index(WorksheetModel::modelRow(row), colNumber);
    w.GPlanilha->scrollTo(index);
    QTest::mouseClick(w.GPlanilha->viewport(), Qt::LeftButton, {}, w.GPlanilha->visualRect(index).center());
}

class WorksheetWindow : public test::WorksheetTest {};

TEST_F(WorksheetWindow, CommandsWaitForACaseAndTheDateDefaultsToLastMonthsEnd)
{
    auto w = openWorksheet({}, false);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Planilha de Cálculos"));
    EXPECT_EQ(w->DatadoCalculo->text(), QStringLiteral("31/07/1994"));
    for (QWidget* off :
         std::initializer_list<QWidget*>{w->BtCalcular, w->BtTotais, w->BtHonorarios, w->BtErros, w->btCustas,
                                         w->DatadoCalculo, w->ToolBar})
        EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
    EXPECT_FALSE(w->mnMarcarTodos->isEnabled());
    EXPECT_TRUE(w->btSair->isEnabled());
    EXPECT_TRUE(w->DBLookupComboBox1->isEnabled());
    // A case without items: the title row and 19 empty rows; key columns hidden.
    EXPECT_EQ(w->model().rowCount(), 19);
    for (int c : {20, 24, 25, 28}) EXPECT_TRUE(w->GPlanilha->isColumnHidden(c)) << c;
    EXPECT_GE(w->GPlanilha->columnWidth(colDescription), 230);
    EXPECT_EQ(w->model().headerData(colMark, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("!"));

    choose(*w, kCase);
    EXPECT_EQ(w->session().caseNumber, kCase);
    EXPECT_TRUE(w->BtCalcular->isEnabled());
    EXPECT_TRUE(w->ToolBar->isEnabled());
    EXPECT_TRUE(w->tbIncluirItem->isEnabled());
    EXPECT_EQ(w->Vara->text(), QStringLiteral("3"));
    EXPECT_EQ(w->DataAbertura->text(), QStringLiteral("10/01/2001"));
    EXPECT_EQ(w->session().header.LinhaProtocolo, "<não protocolado>");
    EXPECT_EQ(w->session().header.LinhaAbertura, "10/01/2001 ás 10:30 Usr:Administrador");
    EXPECT_EQ(w->statusText->text(), QStringLiteral("Concluído !"));

    // In January the default is the last day of December of the year before.
    TfrmPlanilha january(*dm_, {});
    january.setToday([] { return Date(31, 1, 2001); });
    january.show();
    EXPECT_EQ(january.DatadoCalculo->text(), QStringLiteral("31/12/2000"));
}

TEST_F(WorksheetWindow, ReloadKeepsItemsWithZeroOrNegativeCorrectionCalculated)
{
    for (int n : {1, 2, 3}) storeItem({n});
    foxpro::Table& items = dm_->ItensProcesso();
    items.setTag("item");
    auto setResults = [&](const char* number, double correction, double total) {
        ASSERT_TRUE(items.seek({kCase, number}));
        items.edit();
        items.setNumber("VALORCOR", correction);
        items.setNumber("VALORTOT", total);
        items.setDate("DATACALC", "19940731");
        items.post();
    };
    setResults("001", -12.5, 987.5);  // a deflation period
    setResults("002", 0, 1000);       // a payment calculated on its own date
    auto w = openWorksheet();
    EXPECT_EQ(w->session().grid.cell(1, colMark), "");
    EXPECT_EQ(w->session().grid.cell(2, colMark), "");
    EXPECT_EQ(w->session().grid.cell(3, colMark), "$");
    EXPECT_EQ(w->model().data(w->model().index(0, colCorrection), Qt::DisplayRole).toString(),
              QStringLiteral("-12,5"));
    w->close();

    // recalc reads the items the same way: only the pending one is calculated.
    std::string out;
    QProcess cli;
    cli.start(QStringLiteral(QUINTARA_CLI), {QStringLiteral("recalc"), QString::fromStdString(dir_.path()),
                                             QString::fromLatin1(kCase), QStringLiteral("31/07/1994")});
    ASSERT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.readAllStandardOutput().toStdString(), "003 1597.2860\n");
}

TEST_F(WorksheetWindow, NewItemsFillFreeRowsUntilCancelAndFreeRowsTakeNoCommand)
{
    std::vector<int> offered;
    int changed = 0;
    int detailed = 0;
    WorksheetDialogs dialogs;
    dialogs.newItem = [&](WorksheetSession& s, QWidget*) {
        offered.push_back(s.LinhaAtual);
        if (offered.size() == 3) return false;
        storeItem({s.LinhaAtual});
        s.grid.setCell(s.LinhaAtual, colMark, "$");
        s.grid.setCell(s.LinhaAtual, colNumber, itemNumberText(s.LinhaAtual));
        s.grid.setCell(s.LinhaAtual, colOriginDate, "01/06/1994");
        return true;
    };
    dialogs.changeItem = [&](WorksheetSession&, int, QWidget*) { return ++changed > 0; };
    dialogs.detail = [&](WorksheetSession&, int, QWidget*) { ++detailed; };
    auto w = openWorksheet(dialogs);
    click(*w, w->tbIncluirItem);
    EXPECT_EQ(offered, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(w->session().grid.cell(2, colNumber), "002");
    EXPECT_TRUE(w->session().grid.isFree(3));

    // A free row: change, delete, recalculate and detail do nothing at all.
    clickRow(*w, 3);
    EXPECT_EQ(w->selectedRow(), 3);
    for (QAction* a : {w->tbAlterarItem, w->tbApagarItem, w->tbRecalcularItem, w->TbDestacarItem})
        click(*w, a);
    QTest::mouseDClick(w->GPlanilha->viewport(), Qt::LeftButton, {},
                       w->GPlanilha->visualRect(w->model().index(2, colNumber)).center());
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(detailed, 0);
    EXPECT_TRUE(prompter_.messages().empty());
    EXPECT_EQ(script_.shown(), 0);

    clickRow(*w, 1);
    click(*w, w->tbAlterarItem);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(w->session().LinhaAtual, 1);

    // Deleting asks first; No keeps everything, Yes removes record and memo.
    const std::string memo = dm_->memoFilePath(kCase, 1);
    std::ofstream(memo) << "Info: x\r\n";
    prompter_.queueAnswer(ui::Prompter::No);
    click(*w, w->tbApagarItem);
    EXPECT_EQ(prompter_.messages().back().title, QStringLiteral("Excluir ITem"));
    EXPECT_EQ(prompter_.lastText(), QStringLiteral("Confirma exclusão do item selecionado?"));
    EXPECT_EQ(w->session().grid.cell(1, colNumber), "001");
    prompter_.queueAnswer(ui::Prompter::Yes);
    click(*w, w->tbApagarItem);
    EXPECT_TRUE(w->session().grid.isFree(1));
    EXPECT_FALSE(std::filesystem::exists(memo));
    EXPECT_TRUE(w->DataOrigem->text().isEmpty());

    // The freed row is taken again, with its own number.
    offered.clear();
    click(*w, w->tbIncluirItem);
    EXPECT_EQ(offered, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(w->session().grid.cell(1, colNumber), "001");

    prompter_.queueAnswer(ui::Prompter::Yes);
    click(*w, w->tbApagaTudo);
    EXPECT_EQ(prompter_.lastText(),
              QStringLiteral("Tem certeza que deseja apagar todos os itens da planilha ?"));
    EXPECT_TRUE(w->session().grid.isFree(1));
    EXPECT_TRUE(w->session().grid.isFree(3));
    w->close();
    auto reopened = openWorksheet();
    EXPECT_TRUE(reopened->session().grid.isFree(1));
}

TEST_F(WorksheetWindow, AutomaticDescriptionFillsOnlyEmptyOnesAndMarkAllKeepsTheTitle)
{
    storeItem({1, "15/03/1994"});
    storeItem({2});
    foxpro::Table& items = dm_->ItensProcesso();
    items.setTag("item");
    ASSERT_TRUE(items.seek({kCase, "002"}));
    items.edit();
    items.setString("DESCRICAO", "ALUGUEL");
    items.setNumber("VALORCOR", 10);
    items.post();
    auto w = openWorksheet();
    click(*w, w->tbMudaDesc);
    EXPECT_EQ(w->session().grid.cell(1, colDescription), "Marco/1994");
    EXPECT_EQ(w->session().grid.cell(2, colDescription), "ALUGUEL");
    ASSERT_TRUE(items.seek({kCase, "001"}));
    EXPECT_EQ(items.getString("DESCRICAO"), "Marco/1994");

    EXPECT_EQ(w->session().grid.cell(2, colMark), "");
    w->mnMarcarTodos->trigger();
    EXPECT_EQ(w->session().grid.cell(1, colMark), "$");
    EXPECT_EQ(w->session().grid.cell(2, colMark), "$");
    EXPECT_EQ(w->session().grid.cell(3, colMark), "");
    EXPECT_EQ(w->session().grid.cell(0, colMark), "!");
    EXPECT_EQ(w->model().data(w->model().index(1, colMark), Qt::DisplayRole).toString(), QStringLiteral("$"));
}

}  // namespace
}  // namespace quintara
