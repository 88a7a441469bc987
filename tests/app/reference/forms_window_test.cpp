// The correction-forms window: the periodicity grid and what it stores, the
// selection that every command follows, and the new and change dialogs.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/reference/forms_table.h"
#include "app/reference/frm_edita_sequencia.h"
#include "app/reference/frm_forma_correcao.h"
#include "app/reference/frm_nova_sequencia.h"
#include "reference_fixture.h"

namespace quintara {
namespace {

using Kind = ui::ScriptedPrompter::Kind;

class FormsWindow : public test::ReferenceWindowTest {
protected:
    // Opens the window on the form with this code.
    void openOn(TFrmFormaCorrecao& window, const QString& code)
    {
        showActive(window);
        const int row = rowOf(window.DBGrid1, code);
        ASSERT_GE(row, 0) << code.toStdString();
        clickCell(window.DBGrid1, row, 1);
        ASSERT_EQ(window.shownCode(), code);
    }
    // Leaves the periodicity grid for the forms list and answers the question.
    void leaveGrid(TFrmFormaCorrecao& window, ui::Prompter::Button answer)
    {
        prompter_.queueAnswer(answer);
        window.DBGrid1->setFocus();
        settle();
    }
    int questions() const
    {
        int count = 0;
        for (const auto& m : prompter_.messages())
            if (m.kind == Kind::Ask && m.text == QStringLiteral("Salvar alterações ?")) ++count;
        return count;
    }
};

TEST_F(FormsWindow, PeriodicityOfAThreeCodeFormIsStoredAsTwentyOneCharacterBlocks)
{
    addForm("050", "INPC;IPCA;IGPM", "");
    TFrmFormaCorrecao window(*dm_);
    openOn(window, QStringLiteral("050"));
    ASSERT_EQ(window.SGIndice->rowCount(), 3);
    typeIntoCell(window.SGIndice, 0, 1, QStringLiteral("01011990"));
    leaveGrid(window, ui::Prompter::Yes);
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(storedPeriods("050").substr(0, 63),
              "01/01/1990:00/00/000000/00/0000:00/00/000000/00/0000:00/00/0000");
    // The empty cells show what was stored.
    EXPECT_EQ(window.SGIndice->item(2, 2)->text(), QStringLiteral("00/00/0000"));
    EXPECT_EQ(window.SGIndice->item(0, 1)->text(), QStringLiteral("01/01/1990"));
}

TEST_F(FormsWindow, AnOpenDateShownAsTheMaskIsStoredAsTheMaskAndNoAnswerStoresNothing)
{
    const std::string periods = "01/03/1991:31/01/199301/02/1993:00/00/0000";
    addForm("051", "TR;INPC", periods);
    TFrmFormaCorrecao window(*dm_);
    openOn(window, QStringLiteral("051"));
    EXPECT_EQ(window.SGIndice->item(1, 2)->text(), QStringLiteral("  /  /    "));

    // Merely selecting a date cell counts as a change; "No" keeps the record.
    clickCell(window.SGIndice, 0, 1);
    leaveGrid(window, ui::Prompter::No);
    EXPECT_EQ(questions(), 1);
    EXPECT_EQ(storedPeriods("051").substr(0, 42), periods);

    clickCell(window.SGIndice, 0, 2);
    leaveGrid(window, ui::Prompter::Yes);
    EXPECT_EQ(questions(), 2);
    EXPECT_EQ(storedPeriods("051").substr(0, 42), "01/03/1991:31/01/199301/02/1993:  /  /    ");
    // The engine still reads the mask as an open end.
    clickCell(window.SGIndice, 1, 2);
    leaveGrid(window, ui::Prompter::Yes);
    EXPECT_EQ(storedPeriods("051").substr(0, 42), "01/03/1991:31/01/199301/02/1993:  /  /    ");
}

TEST_F(FormsWindow, ABadDateNeverReachesTheStoredBlocks)
{
    addForm("052", "TR;INPC", "xx/03/1991:31/01/199301/02/1993:00/00/0000");
    TFrmFormaCorrecao window(*dm_);
    openOn(window, QStringLiteral("052"));

    // A date that does not exist is refused by the cell editor.
    typeIntoCell(window.SGIndice, 1, 1, QStringLiteral("31021993"));
    settle();
    EXPECT_EQ(window.SGIndice->item(1, 1)->text(), QStringLiteral("01/02/1993"));
    ASSERT_FALSE(prompter_.messages().empty());
    EXPECT_EQ(prompter_.messages().back().kind, Kind::Warn);

    // A stored block that is not a date fails the whole save: nothing is written.
    leaveGrid(window, ui::Prompter::Yes);
    EXPECT_EQ(prompter_.messages().back().kind, Kind::Error);
    EXPECT_EQ(storedPeriods("052").substr(0, 42), "xx/03/1991:31/01/199301/02/1993:00/00/0000");
}

TEST_F(FormsWindow, ArrowKeysMoveTheWholeSelectionSoEditsAndDeletionsHitTheShownForm)
{
    addForm("060", "TR", "01/01/2000:00/00/0000", "forma A");
    addForm("061", "INPC", "01/01/2001:00/00/0000", "forma B");
    TFrmFormaCorrecao window(*dm_);
    openOn(window, QStringLiteral("060"));
    window.DBGrid1->setFocus();
    QTest::keyClick(window.DBGrid1, Qt::Key_Down);
    settle();
    EXPECT_EQ(window.shownCode(), QStringLiteral("061"));
    EXPECT_EQ(window.Historico->toPlainText(), QStringLiteral("forma B"));
    EXPECT_EQ(window.SGIndice->item(0, 0)->text(), QStringLiteral("INPC"));

    typeIntoCell(window.SGIndice, 0, 2, QStringLiteral("31122005"));
    leaveGrid(window, ui::Prompter::Yes);
    EXPECT_EQ(storedPeriods("061").substr(0, 21), "01/01/2001:31/12/2005");
    EXPECT_EQ(storedPeriods("060").substr(0, 21), "01/01/2000:00/00/0000");

    // A changed periodicity is saved (after the question) before the list moves on.
    typeIntoCell(window.SGIndice, 0, 1, QStringLiteral("01022001"));
    prompter_.queueAnswer(ui::Prompter::Yes);
    clickCell(window.DBGrid1, rowOf(window.DBGrid1, QStringLiteral("060")), 0);
    settle();
    EXPECT_EQ(window.shownCode(), QStringLiteral("060"));
    EXPECT_EQ(storedPeriods("061").substr(0, 21), "01/02/2001:31/12/2005");
    EXPECT_EQ(storedPeriods("060").substr(0, 21), "01/01/2000:00/00/0000");

    window.DBGrid1->setFocus();
    QTest::keyClick(window.DBGrid1, Qt::Key_Down);
    settle();
    prompter_.queueAnswer(ui::Prompter::Yes);
    window.btExcluirsequencia->click();
    EXPECT_EQ(prompter_.messages().back().text,
              QStringLiteral("A sequência atualmente selecionada será excluída !"));
    EXPECT_FALSE(findForm("061"));
    EXPECT_TRUE(findForm("060"));
}

TEST_F(FormsWindow, ANewFormTakesTheCodeAfterEveryFormAndWorksheetCode)
{
    addForm("005", "TR", "");
    foxpro::Table& items = dm_->ItensProcesso();
    items.append();
    items.setString("NPROCESSO", "00000000001");
    items.setString("NORDEM", "001");
    items.setString("FORMACORR", "017");
    items.post();
    EXPECT_EQ(nextFormCode(*dm_), "018");

    TFrmFormaCorrecao window(*dm_);
    showActive(window);
    script_.onDialog([&](QDialog& dialog) {
        auto& added = dynamic_cast<TFrmNovaSequencia&>(dialog);
        EXPECT_EQ(added.cCodSeq->text(), QStringLiteral("018"));
        added.cCodSeq->setText(QStringLiteral("001"));
        QTest::keyClicks(added.csequencia, QStringLiteral("INPC;XYZ"));
        QTest::keyClick(added.csequencia, Qt::Key_Return);
        EXPECT_TRUE(added.isVisible()) << "an unknown index keeps the dialog open";
        EXPECT_EQ(prompter_.lastText(),
                  QStringLiteral("sequência inválida !. Verifique o nome dos índices."));
        EXPECT_EQ(prompter_.messages().back().title, QStringLiteral("Erro !"));

        added.csequencia->setText(QStringLiteral("TR;TR;TR;TR;TR;TR;TR;TR;TR;TR;TR;TR;TR"));
        QTest::keyClick(added.csequencia, Qt::Key_Return);
        EXPECT_TRUE(added.isVisible()) << "thirteen codes do not fit the periodicity";

        added.csequencia->setText(QStringLiteral("INPC"));
        added.DBLCombo->setCurrentText(QStringLiteral("TR"));
        added.SpeedButton1->click();
        EXPECT_EQ(added.csequencia->text(), QStringLiteral("INPC;TR"));
        added.historico->setPlainText(QStringLiteral("nova"));
        QTest::keyClick(added.csequencia, Qt::Key_Return);
    });
    window.btNovaSequencia->click();
    EXPECT_EQ(storedChain("018"), "INPC;TR");
    EXPECT_EQ(storedChain("001"), "INPC") << "the typed code never overwrites another form";
    EXPECT_EQ(window.shownCode(), QStringLiteral("018"));
}

TEST_F(FormsWindow, TheNewFormDialogPadsTheCodeAndChecksTheChainWhenItIsLeft)
{
    TFrmNovaSequencia dialog(*dm_);
    showActive(dialog);
    dialog.cCodSeq->setFocus();
    dialog.cCodSeq->selectAll();
    QTest::keyClicks(dialog.cCodSeq, QStringLiteral("9"));
    dialog.csequencia->setFocus();
    settle();
    EXPECT_EQ(dialog.cCodSeq->text(), QStringLiteral("009"));
    EXPECT_EQ(QApplication::focusWidget(), dialog.csequencia) << "a free code lets the person go on";

    dialog.cCodSeq->setFocus();
    dialog.cCodSeq->selectAll();
    QTest::keyClicks(dialog.cCodSeq, QStringLiteral("2"));
    dialog.csequencia->setFocus();
    settle();
    EXPECT_EQ(dialog.cCodSeq->text(), QStringLiteral("002"));
    EXPECT_EQ(QApplication::focusWidget(), dialog.cCodSeq) << "a code in use takes the focus back";
    EXPECT_TRUE(prompter_.messages().empty());

    // Leaving a bad chain tells once and returns to it; Cancel stores nothing.
    dialog.csequencia->setFocus();
    QTest::keyClicks(dialog.csequencia, QStringLiteral("TR+IPC;INPC"));
    dialog.historico->setFocus();
    settle();
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.messages()[0].text,
              QStringLiteral("sequência inválida !. Verifique o nome dos índices."));
    EXPECT_EQ(QApplication::focusWidget(), dialog.csequencia);
    dialog.btCancelar->click();
    EXPECT_TRUE(dialog.storedCode().empty());
    EXPECT_EQ(storedChain("008"), "<no form>");  // the code proposed after the seed's 007
}

TEST_F(FormsWindow, TheChangeDialogWritesOnlyTheFormItWasOpenedOn)
{
    addForm("070", "TR;INPC", "01/03/1991:31/01/199301/02/1993:00/00/0000");
    TFrmFormaCorrecao window(*dm_);
    openOn(window, QStringLiteral("070"));
    script_.onDialog([&](QDialog& dialog) {
        auto& change = dynamic_cast<TFrmEditaSequencia&>(dialog);
        EXPECT_TRUE(change.cCodSeq->isReadOnly());
        EXPECT_EQ(change.csequencia->text(), QStringLiteral("TR;INPC"));
        // Something else moves the shared table meanwhile.
        ASSERT_TRUE(findForm("001"));
        change.csequencia->setText(QStringLiteral("INPC;TR"));
        change.btOK->click();
    });
    window.btEditarSequencia->click();
    EXPECT_EQ(storedChain("070"), "INPC;TR");
    EXPECT_EQ(storedChain("001"), "INPC");
    // The blocks stay in place: TR now takes INPC's former dates.
    EXPECT_EQ(storedPeriods("070").substr(0, 42), "01/03/1991:31/01/199301/02/1993:00/00/0000");
    EXPECT_EQ(window.SGIndice->item(0, 0)->text(), QStringLiteral("INPC"));
}

}  // namespace
}  // namespace quintara
