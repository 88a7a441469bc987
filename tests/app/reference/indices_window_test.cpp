// The indices window: the first selection, keyboard moves before a deletion,
// the index and change dialogs' checks, value entry and deletion, and the
// import of a central-bank series.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <cerrno>

#include "app/app_fixture.h"
#include "app/reference/frm_altera_ind_eco.h"
#include "app/reference/frm_indi_eco_manut.h"
#include "app/reference/frm_tab_ind_con.h"
#include "foxpro/write_faults.h"
#include "ui/date_edit.h"

namespace quintara {
namespace {

using ui::Prompter;

class IndicesWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
        test::addValue(*dm_, "INPC", "20240101", 0.57);
        test::addValue(*dm_, "INPC", "20240201", 0.81);
        test::addValue(*dm_, "IPCA", "20240101", 0.42);
        test::addValue(*dm_, "IPCA", "20240201", 0.83);
        test::addValue(*dm_, "IPCA", "20240301", 0.16);
        test::addValue(*dm_, "TR", "20240101", 0.07);
    }
    // Opens the window on the index the catalogue stands on.
    void open(const std::string& current)
    {
        foxpro::Table& indices = dm_->Indices();
        indices.setTag("codigo");
        ASSERT_TRUE(indices.seek({current}));
        window_ = std::make_unique<TFrmTabIndCon>(*dm_);
        window_->show();
        QApplication::processEvents();
    }
    int rowOf(const QString& code) const
    {
        for (int row = 0; row < window_->DBGrid1->rowCount(); ++row)
            if (window_->DBGrid1->item(row, 0)->text() == code) return row;
        return -1;
    }
    void clickIndex(const QString& code)
    {
        QTableWidget* grid = window_->DBGrid1;
        const QRect cell = grid->visualRect(grid->model()->index(rowOf(code), 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }
    bool registered(const std::string& code)
    {
        foxpro::Table& indices = dm_->Indices();
        indices.setTag("codigo");
        return indices.seek({code});
    }
    int storedValues(const std::string& code) { return static_cast<int>(valuesOfIndex(*dm_, code).size()); }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    std::unique_ptr<TFrmTabIndCon> window_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
    test::DialogScript script_;
};

TEST_F(IndicesWindow, FirstOpeningShowsTheCurrentIndexAndItsValues)
{
    open("IPCA");
    EXPECT_EQ(window_->cNomeIndice->text(), QStringLiteral("IPCA"));
    EXPECT_EQ(window_->DBLookupCBIndice->currentText(), QStringLiteral("IPCA"));
    EXPECT_EQ(window_->DBGrid1->currentRow(), rowOf(QStringLiteral("IPCA")));
    ASSERT_EQ(window_->DBGrid2->rowCount(), 3);
    EXPECT_EQ(window_->DBGrid2->item(0, 0)->text(), QStringLiteral("01/01/2024"));
    EXPECT_EQ(window_->DBGrid2->item(0, 1)->text(), QStringLiteral("0,420000000"));
    EXPECT_EQ(window_->DBGrid1->item(rowOf(QStringLiteral("SELIC")), 4)->text(), QStringLiteral("TaxaJuro"));

    // The quick selection selects through the same routine.
    window_->DBLookupCBIndice->setCurrentIndex(rowOf(QStringLiteral("TR")));
    emit window_->DBLookupCBIndice->activated(rowOf(QStringLiteral("TR")));
    EXPECT_EQ(window_->cNomeIndice->text(), QStringLiteral("TR"));
    EXPECT_EQ(window_->DBGrid2->rowCount(), 1);
    EXPECT_EQ(window_->DBGrid1->currentRow(), rowOf(QStringLiteral("TR")));

    // Leaving the window clears the value table's filter.
    window_->BitBtn5->click();
    EXPECT_EQ(dm_->ValorIndices().filter(), "");
}

TEST_F(IndicesWindow, DeletionActsOnTheIndexReachedWithTheArrowKeys)
{
    open("BTN");
    clickIndex(QStringLiteral("INPC"));
    ASSERT_EQ(window_->selectedCode(), "INPC");
    window_->DBGrid1->setFocus();
    QTest::keyClick(window_->DBGrid1, Qt::Key_Down);
    ASSERT_EQ(window_->cNomeIndice->text(), QStringLiteral("IPCA"));
    EXPECT_EQ(window_->DBGrid2->rowCount(), 3);

    // IPCA is named by form 002: a second question names it.
    prompter_.queueAnswer(Prompter::Yes);
    prompter_.queueAnswer(Prompter::Yes);
    window_->mExcluir->trigger();
    ASSERT_EQ(prompter_.messages().size(), 2u);
    EXPECT_EQ(prompter_.messages()[0].title, QStringLiteral("Excluir"));
    EXPECT_EQ(
        prompter_.messages()[0].text,
        QStringLiteral("O índicador atualmente selecionado e todos os seus valores serão definitivamente "
                       "excluídos do arquivo do sistema !.Tem certeza ?"));
    EXPECT_TRUE(prompter_.messages()[1].text.contains(QStringLiteral("002")));
    EXPECT_FALSE(registered("IPCA"));
    EXPECT_EQ(storedValues("IPCA"), 0);
    EXPECT_TRUE(registered("INPC"));
    EXPECT_EQ(storedValues("INPC"), 2);
    EXPECT_EQ(storedValues("TR"), 1);
    EXPECT_EQ(rowOf(QStringLiteral("IPCA")), -1);
    EXPECT_EQ(window_->cNomeIndice->text(),
              window_->DBGrid1->item(window_->DBGrid1->currentRow(), 0)->text());
}

TEST_F(IndicesWindow, AnIndexUsedByFormsIsKeptUnlessTheSecondAnswerIsYes)
{
    open("INPC");
    prompter_.queueAnswer(Prompter::Yes);
    prompter_.queueAnswer(Prompter::No);
    window_->mExcluir->trigger();
    ASSERT_EQ(prompter_.messages().size(), 2u);
    EXPECT_TRUE(prompter_.messages()[1].text.contains(QStringLiteral("001, 004")))
        << prompter_.messages()[1].text.toStdString();
    EXPECT_TRUE(registered("INPC"));
    EXPECT_EQ(storedValues("INPC"), 2);

    prompter_.clear();
    prompter_.queueAnswer(Prompter::No);
    window_->mExcluir->trigger();
    EXPECT_EQ(prompter_.messages().size(), 1u);
    EXPECT_TRUE(registered("INPC"));

    // An index no form names is deleted after the one question.
    prompter_.clear();
    clickIndex(QStringLiteral("TR"));
    prompter_.queueAnswer(Prompter::Yes);
    window_->mExcluir->trigger();
    EXPECT_EQ(prompter_.messages().size(), 1u);
    EXPECT_FALSE(registered("TR"));
    EXPECT_EQ(storedValues("TR"), 0);
    EXPECT_EQ(storedValues("INPC"), 2);
}

TEST_F(IndicesWindow, AnIndexWhoseDeletionFailsKeepsEveryValue)
{
    open("TR");
    // The catalogue cannot be written (a full disk): the values deleted
    // before the index are put back.
    foxpro::setWriteHook(
        [](const std::string& path) { return path.find("DST_TCM1") != std::string::npos ? ENOSPC : 0; });
    prompter_.queueAnswer(Prompter::Yes);
    window_->mExcluir->trigger();
    foxpro::setWriteHook({});
    EXPECT_TRUE(registered("TR"));
    EXPECT_EQ(storedValues("TR"), 1);
    EXPECT_EQ(storedValues("INPC"), 2);
}

TEST_F(IndicesWindow, NewIndexDialogChecksTheCodeAndStoresTheChoices)
{
    open("TR");
    std::vector<QString> statusAfterConfirm;
    script_.onDialog([&](QDialog& dialog) {
        auto& d = dynamic_cast<TFrmIndiEcoManut&>(dialog);
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Novo Índice"));
        QTest::mouseClick(d.btConfirma, Qt::LeftButton);  // empty code
        d.cCodIndice->setText(QStringLiteral("TR"));
        QTest::keyClick(d.cCodIndice, Qt::Key_Return);  // the default button: duplicate
        d.cCodIndice->setText(QStringLiteral("CDI"));
        d.cDesc->setText(QStringLiteral("Certificado de Depósito Interbancário"));
        d.dDat1->setText(QStringLiteral("01/01/1990"));
        d.RdPeriodicidade->findChildren<QRadioButton*>()[0]->click();
        d.RdForma->findChildren<QRadioButton*>()[3]->click();
        d.btConfirma->click();
        statusAfterConfirm.push_back(d.cCodIndice->text());
        d.btAbandona->click();
    });
    window_->btNovoIndice->click();
    ASSERT_EQ(prompter_.messages().size(), 2u);
    EXPECT_EQ(prompter_.messages()[0].text, QStringLiteral("Nome do índice deve ser preenchido!"));
    EXPECT_EQ(prompter_.messages()[1].title, QStringLiteral("Atenção !"));
    EXPECT_EQ(prompter_.messages()[1].text,
              QStringLiteral("Esse índice já foi cadastrado !, verifique por favor."));
    ASSERT_EQ(statusAfterConfirm.size(), 1u);
    EXPECT_EQ(statusAfterConfirm[0], QString());  // cleared for the next index

    ASSERT_TRUE(registered("CDI"));
    foxpro::Table& indices = dm_->Indices();
    EXPECT_EQ(indices.getString("TBCM_TIP"), "1");
    EXPECT_EQ(indices.getString("TBCM_VAL"), "4");
    EXPECT_EQ(indices.getString("TBCM_DINI"), "01/01/1990");
    EXPECT_EQ(indices.getString("TBCM_DFIM"), "");
    const int row = rowOf(QStringLiteral("CDI"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(window_->DBGrid1->item(row, 1)->text(), QStringLiteral("Diária"));
    EXPECT_EQ(window_->DBGrid1->item(row, 4)->text(), QStringLiteral("TaxaJuro"));
}

TEST_F(IndicesWindow, ChangeDialogRefusesTakenCodesAndRenamesOnlyUnusedIndices)
{
    open("UFIR");
    {
        foxpro::Table& indices = dm_->Indices();
        indices.go(window_->selectedRecNo());
        indices.edit();
        indices.setDate("TBCM_DFIM", "20001231");
        indices.post();
    }
    std::function<void(TFrmAlteraIndEco&)> step;
    script_.onDialog([&](QDialog& dialog) { step(dynamic_cast<TFrmAlteraIndEco&>(dialog)); });

    step = [&](TFrmAlteraIndEco& d) {
        EXPECT_EQ(d.cCodIndice->text(), QStringLiteral("UFIR"));
        EXPECT_EQ(d.dDat2->text(), QStringLiteral("31/12/2000"));
        d.cCodIndice->setText(QStringLiteral("TR"));
        d.btConfirma->click();
        EXPECT_TRUE(d.isVisible());
        d.cCodIndice->setText(QStringLiteral("UFIRX"));
        d.dDat2->setDate(Date());
        d.cDesc->setText(QStringLiteral("Unidade Fiscal de Referência (extinta)"));
        d.btConfirma->click();
    };
    window_->btAlterar->click();
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.messages()[0].text,
              QStringLiteral("Esse índice já foi cadastrado !, verifique por favor."));
    ASSERT_TRUE(registered("UFIRX"));
    EXPECT_EQ(dm_->Indices().getString("TBCM_DFIM"), "31/12/2000");  // an emptied date keeps the stored one
    EXPECT_EQ(window_->cNomeIndice->text(), QStringLiteral("UFIRX"));
    EXPECT_EQ(window_->cDescIndice->text(), QStringLiteral("UNIDADE FISCAL DE REFERÊNCIA (EXTINTA)"));

    // An index with values (or named by a form) keeps its code.
    prompter_.clear();
    clickIndex(QStringLiteral("TR"));
    step = [&](TFrmAlteraIndEco& d) {
        d.cCodIndice->setText(QStringLiteral("TRX"));
        d.btConfirma->click();
        EXPECT_TRUE(d.isVisible());
    };
    window_->btAlterar->click();
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_TRUE(registered("TR"));
    EXPECT_FALSE(registered("TRX"));
    EXPECT_EQ(storedValues("TR"), 1);
}

TEST_F(IndicesWindow, ValuesAreEnteredCheckedAndDeletedWhereTheListShows)
{
    open("TR");
    const auto enter = [&](const QString& date, const QString& value) {
        window_->btEditaValor->click();
        EXPECT_TRUE(window_->dData->hasFocus() || !window_->isActiveWindow());
        window_->dData->setText(date);
        window_->cValor->setFocus();
        QTest::keyClicks(window_->cValor, value);
        QTest::keyClick(window_->cValor, Qt::Key_Return);
        EXPECT_TRUE(window_->pEditaValor->isHidden());
    };
    enter(QStringLiteral("01/02/1993"), QStringLiteral("12,5"));
    EXPECT_TRUE(prompter_.messages().empty());
    ASSERT_EQ(window_->DBGrid2->rowCount(), 2);
    EXPECT_EQ(window_->DBGrid2->item(0, 0)->text(), QStringLiteral("01/02/1993"));
    EXPECT_EQ(window_->DBGrid2->item(0, 1)->text(), QStringLiteral("12,500000000"));

    enter(QStringLiteral("01/02/1993"), QStringLiteral("13"));
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.lastText(), QStringLiteral("Esse lançamento já existe !"));
    enter(QStringLiteral("31/02/1993"), QStringLiteral("1"));
    EXPECT_EQ(prompter_.lastText(), QStringLiteral("Data inválida !"));
    enter(QStringLiteral("01/03/1993"), QStringLiteral("1,2,3"));
    EXPECT_EQ(prompter_.lastText(), QStringLiteral("'1,2,3' não é um valor numérico válido"));
    enter(QStringLiteral("01/03/1993"), QString());  // nothing typed, nothing stored
    EXPECT_EQ(prompter_.messages().size(), 3u);
    enter(QStringLiteral("01/04/1993"), QStringLiteral("1.234,5"));
    EXPECT_EQ(storedValues("TR"), 3);
    EXPECT_DOUBLE_EQ(valuesOfIndex(*dm_, "TR")[1].value, 1234.5);

    // The value reached with the arrow keys is the one deleted.
    window_->DBGrid2->setFocus();
    window_->DBGrid2->setCurrentCell(0, 0);
    QTest::keyClick(window_->DBGrid2, Qt::Key_Down);
    window_->mExcluirValor->trigger();
    const std::vector<IndexValueRecord> left = valuesOfIndex(*dm_, "TR");
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].date, Date(1, 2, 1993));
    EXPECT_EQ(left[1].date, Date(1, 1, 2024));
    EXPECT_EQ(storedValues("IPCA"), 3);
}

TEST_F(IndicesWindow, HistoryIsStoredOnTheIndexItWasOpenedFor)
{
    open("TR");
    window_->mEditarHistorico->trigger();
    EXPECT_FALSE(window_->cHistorico->isReadOnly());
    window_->cHistorico->selectAll();
    QTest::keyClicks(window_->cHistorico, QStringLiteral("Serie 7811 do Banco Central."));
    clickIndex(QStringLiteral("UFIR"));
    EXPECT_TRUE(window_->cHistorico->isReadOnly());
    EXPECT_EQ(window_->cNomeIndice->text(), QStringLiteral("UFIR"));
    ASSERT_TRUE(registered("TR"));
    EXPECT_EQ(dm_->Indices().getMemo("TBCM_HIST"), "Serie 7811 do Banco Central.");
    ASSERT_TRUE(registered("UFIR"));
    EXPECT_NE(dm_->Indices().getMemo("TBCM_HIST"), "Serie 7811 do Banco Central.");
}

TEST_F(IndicesWindow, ImportAddsUpdatesOrStoresNothing)
{
    open("TR");
    QTemporaryDir folder;
    const auto file = [&](const QString& name, const QByteArray& text) {
        QFile out(folder.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text);
        return out.fileName();
    };
    QString chosen = file(QStringLiteral("tr.csv"), "data;valor\n01/01/2024;0,07\n01/02/2024;0,09\n");
    window_->setImportFileChooser([&] { return chosen; });
    window_->mImportarValores->trigger();
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.lastText(), QStringLiteral("TR: 1 incluídos, 0 alterados, 1 inalterados."));
    EXPECT_EQ(window_->DBGrid2->rowCount(), 2);

    chosen = file(QStringLiteral("bad.csv"), "data;valor\n01/03/2024;0,1\n01/04/2024;x\n");
    window_->mImportarValores->trigger();
    ASSERT_EQ(prompter_.messages().size(), 2u);
    EXPECT_EQ(prompter_.messages()[1].kind, ui::ScriptedPrompter::Kind::Error);
    EXPECT_TRUE(prompter_.lastText().startsWith(QStringLiteral("Erro na linha 3: ")))
        << prompter_.lastText().toStdString();
    EXPECT_EQ(storedValues("TR"), 2);

    QString text = QStringLiteral("data;valor\n");
    for (int i = 0; i < 700; ++i)  // TR is monthly: the first day of 700 months
        text +=
            QString::fromStdString(Date(1, i % 12 + 1, 1950 + i / 12).toString()) + QStringLiteral(";0,01\n");
    chosen = file(QStringLiteral("long.csv"), text.toUtf8());
    window_->mImportarValores->trigger();
    EXPECT_EQ(prompter_.lastText(), QStringLiteral("TR: 700 incluídos, 0 alterados, 0 inalterados."));
    EXPECT_EQ(window_->progress->value(), 700);
    EXPECT_EQ(window_->DBGrid2->rowCount(), 702);
}

}  // namespace
}  // namespace quintara
