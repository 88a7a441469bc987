// The court-costs table and the costs count: code proposals, the refusals of
// the item and group dialogs, deleting a group, order numbers, the charged
// totals, deleting every cost and the report's subtotals.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include "app/app_fixture.h"
#include "app/costs/cost_drag.h"
#include "app/costs/frm_cont_custas.h"
#include "app/costs/frm_custas_dialogs.h"
#include "app/costs/frm_tab_custas.h"
#include "data/case_costs.h"
#include "data/case_register.h"
#include "data/court_costs.h"
#include "data/text_routines.h"

namespace quintara {
namespace {

class CostWindows : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
        dm_->setCurrentUser("000001");
        // A table of its own instead of the example one.
        for (const CostGroup& group : costGroups(*dm_)) deleteCostGroup(*dm_, group.letter);
    }
    std::uint32_t item(const std::string& letter, const std::string& code, const std::string& description,
                       const char* value)
    {
        return addCostItem(*dm_, letter, code, description, Amount::parse(value));
    }
    // Opens the item dialog with the group selected; returns the proposed code.
    QString proposal(TFrmTabCustas& window, const std::string& letter)
    {
        window.selectGroup(letter);
        QString proposed;
        script_.onDialog(
            [&](QDialog& dialog) { proposed = dynamic_cast<TFrmItemcusta&>(dialog).cCodigo->text(); });
        window.btInserir->click();
        return proposed;
    }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    test::DialogScript script_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
};

TEST_F(CostWindows, ItemDialogProposesTheNextCodeOfTheGroupEveryTime)
{
    addCostGroup(*dm_, "A", "distribuição");
    addCostGroup(*dm_, "B", "CITAÇÕES");
    TFrmTabCustas window(*dm_);
    window.show();
    EXPECT_EQ(proposal(window, "B"), QStringLiteral("0001"));
    item("A", "1", "PRIMEIRO", "1,00");
    EXPECT_EQ(proposal(window, "A"), QStringLiteral("0002"));
    item("A", "0002", "SEGUNDO", "1,00");
    item("A", "10", "DÉCIMO", "1,00");
    EXPECT_EQ(proposal(window, "A"), QStringLiteral("0011"));

    // The root is no group to add to.
    window.selectGroup("");
    const int shown = script_.shown();
    window.btInserir->click();
    EXPECT_EQ(script_.shown(), shown);
    EXPECT_EQ(prompter_.lastText(),
              QStringLiteral("Selecione um grupo específico para  registrar o item !."));
    EXPECT_EQ(costGroups(*dm_).front().name, "DISTRIBUIÇÃO");
}

TEST_F(CostWindows, ItemDialogRefusesMissingFieldsAndUsedCodesAndKeepsItsValueInCents)
{
    addCostGroup(*dm_, "A", "DISTRIBUIÇÃO");
    item("A", "0001", "PRIMEIRO", "1,00");
    TFrmTabCustas window(*dm_);
    window.show();
    window.selectGroup("A");
    std::vector<bool> stayedOpen;
    script_.onDialog([&](QDialog& dialog) {
        auto& added = dynamic_cast<TFrmItemcusta&>(dialog);
        added.btOk->click();  // nothing typed
        stayedOpen.push_back(dialog.isVisible());
        QApplication::setActiveWindow(&dialog);
        QTest::keyClicks(added.cDesc, QStringLiteral("CERTIDAO"));
        added.cValor->setFocus();
        QTest::keyClicks(added.cValor, QStringLiteral("12,5"));
        added.cDesc->setFocus();
        EXPECT_EQ(added.cValor->text(), QStringLiteral("12,50"));
        added.cCodigo->setText(QStringLiteral("1"));
        added.btOk->click();  // code 0001 is taken
        stayedOpen.push_back(dialog.isVisible());
        added.cCodigo->setText(QStringLiteral("7"));
        added.btOk->click();
    });
    window.btInserir->click();
    EXPECT_EQ(stayedOpen, (std::vector<bool>{true, true}));
    ASSERT_GE(prompter_.messages().size(), 2u);
    EXPECT_EQ(prompter_.messages()[0].text,
              QStringLiteral("todos os campos devem ser preenchidos para poder inserir o item."));
    EXPECT_EQ(prompter_.messages()[0].title, QStringLiteral("Atenção !"));
    const std::vector<CostItem> items = costItems(*dm_, "A", CostItemOrder::ByCode);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].code, "0007");
    EXPECT_EQ(items[1].value, Amount::parse("12,5"));
}

TEST_F(CostWindows, GroupsAreRefusedByLetterAndDeletedWithOnlyTheirItems)
{
    TFrmTabCustas window(*dm_);
    window.show();
    const auto addGroup = [&](const QString& letter, const QString& name) {
        bool open = false;
        script_.onDialog([&](QDialog& dialog) {
            auto& group = dynamic_cast<TFrmNovoGrupo&>(dialog);
            QTest::keyClicks(group.cLetra, letter);
            QTest::keyClicks(group.cGrupo, name);
            group.btOk->click();
            open = dialog.isVisible();
        });
        window.menuGrupos->actions().at(0)->trigger();  // "&Adicionar Grupo"
        return !open;
    };
    EXPECT_TRUE(addGroup(QStringLiteral("a"), QStringLiteral("custas iniciais")));
    EXPECT_TRUE(addGroup(QStringLiteral("B"), QStringLiteral("CITACOES")));
    EXPECT_FALSE(addGroup(QStringLiteral("A"), QStringLiteral("CUSTAS INICIAIS")));
    EXPECT_EQ(prompter_.lastText(), QStringLiteral("Esse grupo já existe !, verifique por favor."));
    EXPECT_FALSE(addGroup(QStringLiteral("A"), QStringLiteral("OUTRO")));
    EXPECT_FALSE(addGroup(QString(), QStringLiteral("SEM LETRA")));
    ASSERT_EQ(costGroups(*dm_).size(), 2u);
    EXPECT_EQ(window.GrupoArvore->topLevelItem(0)->child(0)->text(0), QStringLiteral("A - CUSTAS INICIAIS"));

    item("A", "1", "A UM", "1,00");
    item("A", "2", "A DOIS", "2,00");
    item("B", "1", "B UM", "3,00");

    // Keys move through the tree as a click does.
    window.selectGroup("");
    window.GrupoArvore->setFocus();
    QTest::keyClick(window.GrupoArvore, Qt::Key_Down);
    EXPECT_EQ(window.PTituloGrupo->text(), QStringLiteral("A - CUSTAS INICIAIS"));
    EXPECT_EQ(window.DBGrid1->topLevelItemCount(), 2);
    QTest::keyClick(window.GrupoArvore, Qt::Key_Down);
    EXPECT_EQ(window.DBGrid1->topLevelItemCount(), 1);
    EXPECT_EQ(window.DBGrid1->topLevelItem(0)->text(2), QStringLiteral("B UM"));

    window.selectGroup("A");
    prompter_.queueAnswer(ui::Prompter::Yes);
    window.menuGrupos->actions().at(2)->trigger();  // "&Excluir Grupo"
    EXPECT_EQ(prompter_.messages().back().title, QStringLiteral("Excluir"));
    EXPECT_TRUE(costItems(*dm_, "A", CostItemOrder::ByCode).empty());
    ASSERT_EQ(costItems(*dm_, "", CostItemOrder::ByCode).size(), 1u);
    ASSERT_EQ(costGroups(*dm_).size(), 1u);
    EXPECT_EQ(window.GrupoArvore->topLevelItem(0)->childCount(), 1);
}

class CostCount : public CostWindows {
protected:
    void SetUp() override
    {
        CostWindows::SetUp();
        if (HasFatalFailure() || IsSkipped()) return;
        addCostGroup(*dm_, "A", "DISTRIBUIÇÃO");
        addCostGroup(*dm_, "B", "CITAÇÕES");
        a10_ = item("A", "1", "DISTRIBUIÇÃO DE PETIÇÃO", "10,00");
        a20_ = item("A", "2", "AUTUAÇÃO E REGISTRO COM UMA DESCRIÇÃO LONGA QUE PASSA DA COLUNA DO RELATÓRIO",
                    "20,00");
        b5_ = item("B", "1", "CITAÇÃO POSTAL", "5,00");
        CaseData data;
        data.number = "CUS0001";
        data.description = "Cobrança";
        registerCase(*dm_, data, "000001", CaseClock::now());
    }
    // Adds the item as a keyboard user does: select it and press Enter.
    void addByKeyboard(TFrmContCustas& window, std::uint32_t record)
    {
        for (int row = 0; row < window.DBGCustas->count(); ++row)
            if (window.DBGCustas->item(row)->data(Qt::UserRole).toUInt() == record)
                window.DBGCustas->setCurrentRow(row);
        QTest::keyClick(window.DBGCustas, Qt::Key_Return);
    }
    QString cell(TFrmContCustas& window, int row, int column)
    {
        const QTableWidgetItem* item = window.SgCustas->item(row, column);
        return item ? item->text() : QString();
    }
    // Types into a grid cell through its editor and closes the editor.
    void typeInCell(TFrmContCustas& window, int row, int column, const QString& text)
    {
        window.SgCustas->setFocus();
        window.SgCustas->setCurrentCell(row, column);
        window.SgCustas->editItem(window.SgCustas->item(row, column));
        QLineEdit* editor = nullptr;
        for (QLineEdit* open : window.SgCustas->viewport()->findChildren<QLineEdit*>())
            if (open->isVisible()) editor = open;
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits the editor's text from the event loop.
        QApplication::processEvents();
    }

    std::uint32_t a10_ = 0, a20_ = 0, b5_ = 0;
};

TEST_F(CostCount, OrderNumbersFollowTheLastCountedCost)
{
    TFrmContCustas window(*dm_);
    window.setPresetCase("CUS0001");
    window.show();
    EXPECT_EQ(window.caseNumber(), "CUS0001");
    EXPECT_EQ(window.lbDescricao->text(), QStringLiteral("Cobrança"));
    for (std::uint32_t record : {a10_, a20_, b5_}) addByKeyboard(window, record);
    ASSERT_EQ(window.SgCustas->rowCount(), 3);
    EXPECT_EQ(cell(window, 2, 0), QStringLiteral("0003"));
    EXPECT_EQ(cell(window, 2, 5), QStringLiteral("B0001"));
    EXPECT_EQ(window.pnTotal->text(), QStringLiteral("35,00"));

    window.SgCustas->setCurrentCell(1, 1);
    window.PopupMenu1->actions().at(0)->trigger();  // "Apagar Item"
    ASSERT_EQ(window.SgCustas->rowCount(), 2);
    addByKeyboard(window, a10_);
    EXPECT_EQ(cell(window, 2, 0), QStringLiteral("0004"));
    EXPECT_EQ(nextCostOrder(*dm_, "CUS0001"), "0005");

    // A dropped item is counted like an added one.
    QMimeData data;
    data.setData(QString::fromLatin1(kCostItemMime), QByteArray::number(b5_));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.SgCustas->viewport(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.SgCustas->viewport(), &drop);
    EXPECT_EQ(cell(window, 3, 0), QStringLiteral("0005"));
    EXPECT_EQ(caseCosts(*dm_, "CUS0001").size(), 4u);
}

TEST_F(CostCount, QuantityAndUnitAreCommittedWhenTheEditorCloses)
{
    TFrmContCustas window(*dm_);
    window.setPresetCase("CUS0001");
    window.show();
    addByKeyboard(window, a10_);
    addByKeyboard(window, b5_);

    typeInCell(window, 0, 2, QStringLiteral("3"));
    EXPECT_EQ(cell(window, 0, 4).trimmed(), QStringLiteral("30,00"));
    EXPECT_EQ(window.pnTotal->text(), QStringLiteral("35,00"));
    typeInCell(window, 1, 2, QStringLiteral("0"));
    EXPECT_EQ(cell(window, 1, 4), QStringLiteral("Não Cobrado"));
    typeInCell(window, 0, 3, QStringLiteral("-2,00"));
    EXPECT_EQ(cell(window, 0, 4), QStringLiteral("Não Cobrado"));
    EXPECT_EQ(window.pnTotal->text(), QStringLiteral("0,00"));
    typeInCell(window, 0, 3, QStringLiteral("1,5"));
    EXPECT_TRUE(prompter_.messages().empty());

    const std::vector<CaseCost> costs = caseCosts(*dm_, "CUS0001");
    ASSERT_EQ(costs.size(), 2u);
    EXPECT_EQ(costs[0].quantity, 3);
    EXPECT_EQ(costs[0].total, Amount::parse("4,5"));
    EXPECT_FALSE(costs[1].charged());

    // Reloading shows what was stored.
    window.DBLookUpComboBox1Click();
    EXPECT_EQ(cell(window, 1, 4), QStringLiteral("Não Cobrado"));
    EXPECT_EQ(window.pnTotal->text(), QStringLiteral("4,50"));
}

TEST_F(CostCount, EditingAColumnThatTakesNoEditSendsTheFocusToTheSearchField)
{
    TFrmContCustas window(*dm_);
    window.setPresetCase("CUS0001");
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    addByKeyboard(window, a10_);
    window.SgCustas->setFocus();
    window.SgCustas->setCurrentCell(0, 1);
    QTest::keyClick(window.SgCustas, Qt::Key_F2);
    EXPECT_EQ(window.focusWidget(), window.cLocalizar);
    EXPECT_EQ(cell(window, 0, 1).isEmpty(), false) << "the description is left as it was";

    // The quantity column still opens its editor.
    window.SgCustas->setFocus();
    window.SgCustas->setCurrentCell(0, 2);
    QTest::keyClick(window.SgCustas, Qt::Key_F2);
    EXPECT_NE(window.focusWidget(), window.cLocalizar);
}

TEST_F(CostCount, ReportSubtotalsByGroupEqualTheWindowsTotal)
{
    TFrmContCustas window(*dm_);
    window.setPresetCase("CUS0001");
    window.show();
    for (std::uint32_t record : {b5_, a20_, a10_}) addByKeyboard(window, record);
    EXPECT_EQ(window.pnTotal->text(), QStringLiteral("35,00"));

    const std::vector<std::string> lines = window.reportLines();
    std::vector<std::string> totals;
    for (const std::string& line : lines)
        if (line.find("=>") != std::string::npos) totals.push_back(line);
    ASSERT_EQ(totals.size(), 3u);
    EXPECT_TRUE(totals[0].ends_with("SubTotal =>          30,00")) << totals[0];
    EXPECT_TRUE(totals[1].ends_with("SubTotal =>           5,00")) << totals[1];
    EXPECT_TRUE(totals[2].ends_with("Total Custas => =>          35,00")) << totals[2];
    EXPECT_TRUE(lines[0].starts_with("# A-DISTRIBUIÇÃO")) << lines[0];
    // The long description is cut, so every item line has the same width.
    for (const std::string& line : lines) {
        if (line.starts_with("A.")) {
            EXPECT_EQ(TextLength(line), 97u) << line;
        }
    }
    const reports::CostCount data = window.reportData();
    EXPECT_EQ(data.protocol, "<Não protocolado>");
}

TEST_F(CostCount, ApagarTudoAsksFirstAndLeavesOneUnchargedRow)
{
    TFrmContCustas window(*dm_);
    window.setPresetCase("CUS0001");
    window.show();
    addByKeyboard(window, a10_);
    addByKeyboard(window, b5_);
    prompter_.queueAnswer(ui::Prompter::No);
    window.PopupMenu1->actions().at(1)->trigger();  // "Apagar Tudo"
    EXPECT_EQ(prompter_.messages().back().text, QStringLiteral("Apagar todos os custos deste processo ?"));
    EXPECT_EQ(prompter_.messages().back().title, QStringLiteral("Atenção!"));
    EXPECT_EQ(caseCosts(*dm_, "CUS0001").size(), 2u);
    prompter_.queueAnswer(ui::Prompter::Yes);
    window.PopupMenu1->actions().at(1)->trigger();  // "Apagar Tudo"
    EXPECT_TRUE(caseCosts(*dm_, "CUS0001").empty());
    ASSERT_EQ(window.SgCustas->rowCount(), 1);
    EXPECT_EQ(cell(window, 0, 4), QStringLiteral("Não Cobrado"));
    EXPECT_EQ(window.pnTotal->text(), QStringLiteral("0,00"));
}

}  // namespace
}  // namespace quintara
