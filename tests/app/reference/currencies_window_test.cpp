// The currencies window: period texts, the new-currency checks however the
// dialog is accepted, deletion with the historical eras kept and the table
// packed, pictures found whatever their letter case, and history editing.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>

#include "app/app_fixture.h"
#include "app/reference/frm_nova_moeda.h"
#include "app/reference/frm_tab_vigencia.h"
#include "ui/date_edit.h"

namespace quintara {
namespace {

class CurrenciesWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
    }
    void open()
    {
        window_ = std::make_unique<TFrmTabVigencia>(*dm_);
        window_->show();
        QApplication::processEvents();
    }
    void addEra(const std::string& dtos, const std::string& symbol, const std::string& name)
    {
        foxpro::Table& t = dm_->Moeda();
        t.append();
        t.setDate("VGM_DATA", dtos);
        t.setString("VGM_SIGLA", symbol);
        t.setString("VGM_NOME", name);
        t.setString("VGM_CONV", "1.0000");
        t.post();
    }
    QString cell(int row, int column) const { return window_->StrGridTab->item(row, column)->text(); }
    int rowOf(const QString& date) const
    {
        for (int row = 0; row < window_->StrGridTab->rowCount(); ++row)
            if (cell(row, 4) == date) return row;
        return -1;
    }
    int lastRow() const { return window_->StrGridTab->rowCount() - 1; }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    std::unique_ptr<TFrmTabVigencia> window_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
    test::DialogScript script_;
};

TEST_F(CurrenciesWindow, PeriodsAreNumberedByPositionInDateOrder)
{
    // Stored out of date order, and one era without a symbol.
    addEra("19990101", "", "Sem sigla");
    addEra("19950301", "R2$", "Teste");
    open();
    EXPECT_EQ(window_->StrGridTab->horizontalHeaderItem(1)->text(), QStringLiteral("Período de Vigência"));
    EXPECT_TRUE(window_->StrGridTab->isColumnHidden(4));
    EXPECT_EQ(rowOf(QStringLiteral("01/01/1999")), -1);
    EXPECT_EQ(cell(0, 1), QStringLiteral("até 31/10/1942"));
    EXPECT_EQ(cell(rowOf(QStringLiteral("01/08/1993")), 1), QStringLiteral("01/08/1993 ate 30/06/1994"));
    EXPECT_EQ(cell(rowOf(QStringLiteral("01/07/1994")), 1), QStringLiteral("01/07/1994 ate 28/02/1995"));
    // The era without a symbol still ends the one before it.
    EXPECT_EQ(cell(lastRow(), 1), QStringLiteral("01/03/1995 ate 31/12/1998"));
    EXPECT_EQ(cell(rowOf(QStringLiteral("01/07/1994")), 3), QStringLiteral("2750"));
    EXPECT_EQ(window_->cNomeDir->text(), QStringLiteral("Real"));
    EXPECT_EQ(window_->statusPanels[1]->text(),
              QStringLiteral("Conheça também as cédulas históricas e atuais (ao lado)."));
}

TEST_F(CurrenciesWindow, HistoricalErasStayAndOthersAreDeletedAndPacked)
{
    addEra("19950301", "R2$", "Teste");
    open();
    window_->StrGridTab->setCurrentCell(0, 0);
    window_->StrGridTab->setFocus();
    // Down to the last era but one: 01/07/1994, protected.
    for (int i = 0; i < lastRow() - 1; ++i) QTest::keyClick(window_->StrGridTab, Qt::Key_Down);
    ASSERT_EQ(window_->cNomeDir->text(), QStringLiteral("Real 1994"));
    window_->btExcluir->click();
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.lastText(), QStringLiteral("Não é permitido a exclusão dos registros históricos !"));
    const std::uint32_t before = dm_->Moeda().recordCount();

    QTest::keyClick(window_->StrGridTab, Qt::Key_Down);
    ASSERT_EQ(window_->cNomeDir->text(), QStringLiteral("Teste 1995"));
    window_->btExcluir->click();
    EXPECT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(dm_->Moeda().recordCount(), before - 1);  // packed: the record is gone from the file
    EXPECT_EQ(rowOf(QStringLiteral("01/03/1995")), -1);
    EXPECT_EQ(cell(lastRow(), 1), QStringLiteral("01/07/1994 em diante ...."));
    EXPECT_EQ(window_->cNomeDir->text(), QStringLiteral("Real 1994"));

    // Packing again on request changes nothing that is shown.
    window_->mRemontagem->trigger();
    EXPECT_EQ(cell(lastRow(), 1), QStringLiteral("01/07/1994 em diante ...."));
    EXPECT_TRUE(prompter_.messages().size() == 1u);
}

TEST_F(CurrenciesWindow, NewCurrencyIsCheckedOnAcceptAndStored)
{
    open();
    std::function<void(TFrmNovaMoeda&)> step;
    script_.onDialog([&](QDialog& dialog) { step(dynamic_cast<TFrmNovaMoeda&>(dialog)); });
    step = [&](TFrmNovaMoeda& d) {
        d.dData->setText(QStringLiteral("01/01/2030"));
        d.cSigla->setText(QStringLiteral("N$"));
        QTest::keyClick(d.cSigla, Qt::Key_Return);  // no name yet
        EXPECT_TRUE(d.isVisible());
        d.cNomesing->setText(QStringLiteral("Novo"));
        d.dData->setText(QStringLiteral("01/01/1990"));  // not after the latest era
        d.BitBtn1->click();
        d.dData->setText(QStringLiteral("01/01/2030"));
        d.cValor->setText(QStringLiteral("abc"));
        d.BitBtn1->click();
        d.cValor->setText(QStringLiteral("2.750,00"));
        d.cHistorico->setPlainText(QStringLiteral("Lei de teste."));
        d.BitBtn1->click();
    };
    window_->btNovaMoeda->click();
    ASSERT_EQ(prompter_.messages().size(), 3u);
    EXPECT_EQ(prompter_.messages()[0].title, QStringLiteral("Atenção !"));
    EXPECT_EQ(prompter_.messages()[0].text,
              QStringLiteral("O Nome da moeda, sigla e data devem ser preenchidos !."));
    EXPECT_TRUE(prompter_.messages()[1].text.contains(QStringLiteral("01/07/1994")));
    EXPECT_TRUE(prompter_.messages()[2].text.startsWith(QStringLiteral("O valor de conversão")));

    ASSERT_EQ(cell(lastRow(), 4), QStringLiteral("01/01/2030"));
    EXPECT_EQ(cell(lastRow(), 3), QStringLiteral("2750"));
    EXPECT_EQ(cell(lastRow(), 1), QStringLiteral("01/01/2030 em diante ...."));
    EXPECT_EQ(cell(lastRow() - 1, 1), QStringLiteral("01/07/1994 ate 31/12/2029"));
    EXPECT_EQ(window_->StrGridTab->currentRow(), lastRow());
    EXPECT_EQ(window_->cHistorico->toPlainText(), QStringLiteral("Lei de teste."));
    EXPECT_TRUE(QDir(QString::fromStdString(dir_.path()) + QStringLiteral("img/Novo 2030")).exists());

    // Cancelling stores nothing.
    step = [](TFrmNovaMoeda& d) { d.BitBtn2->click(); };
    const int rows = window_->StrGridTab->rowCount();
    window_->btNovaMoeda->click();
    EXPECT_EQ(window_->StrGridTab->rowCount(), rows);
}

TEST_F(CurrenciesWindow, PicturesAreFoundWhateverTheLetterCase)
{
    const QString root = QString::fromStdString(dir_.path());
    // As copied from Windows: the picture root and an era's folder in capitals.
    ASSERT_TRUE(QDir(root).rename(QStringLiteral("img"), QStringLiteral("IMG")));
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("IMG/REAL 1994")));
    QImage note(60, 30, QImage::Format_RGB32);
    note.fill(Qt::green);
    ASSERT_TRUE(note.save(root + QStringLiteral("IMG/REAL 1994/Nota.JpG"), "JPG"));
    ASSERT_TRUE(note.save(root + QStringLiteral("IMG/REAL 1994/moeda.gif"), "GIF") ||
                note.save(root + QStringLiteral("IMG/REAL 1994/moeda.bmp"), "BMP"));
    QFile text(root + QStringLiteral("IMG/REAL 1994/leia.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    open();
    window_->StrGridTab->setCurrentCell(rowOf(QStringLiteral("01/07/1994")), 0);
    EXPECT_EQ(window_->pictureFolder(), root + QStringLiteral("IMG/REAL 1994/"));
    ASSERT_EQ(window_->FileListBox->count(), 2);
    EXPECT_EQ(window_->FileListBox->currentRow(), 0);
    EXPECT_FALSE(window_->Image->pixmap().isNull());
    EXPECT_EQ(window_->cHistorico->toPlainText().left(26), QStringLiteral("Medida Provisória nº 542, "));

    // An era without a folder gets an empty one and shows no picture.
    window_->StrGridTab->setCurrentCell(rowOf(QStringLiteral("01/08/1993")), 0);
    EXPECT_EQ(window_->FileListBox->count(), 0);
    EXPECT_TRUE(window_->Image->pixmap().isNull());
    EXPECT_TRUE(QDir(root + QStringLiteral("IMG/Cruzeiro Real 1993")).exists());
}

TEST_F(CurrenciesWindow, HistoryIsStoredOnTheEraItWasOpenedFor)
{
    open();
    const int row = rowOf(QStringLiteral("01/08/1993"));
    window_->StrGridTab->setCurrentCell(row, 0);
    window_->mEditarHistorico->trigger();
    EXPECT_FALSE(window_->cHistorico->isReadOnly());
    window_->cHistorico->selectAll();
    QTest::keyClicks(window_->cHistorico, QStringLiteral("Lei 9.069, de 29/06/1995."));
    // Moving to the next era leaves the memo.
    window_->StrGridTab->setFocus();
    QTest::keyClick(window_->StrGridTab, Qt::Key_Down);
    EXPECT_TRUE(window_->cHistorico->isReadOnly());
    EXPECT_EQ(cell(row, 5), QStringLiteral("Lei 9.069, de 29/06/1995."));
    EXPECT_TRUE(window_->cHistorico->toPlainText().startsWith(QStringLiteral("Medida Provisória nº 542")));
    foxpro::Table& t = dm_->Moeda();
    t.setTag("odata");
    ASSERT_TRUE(t.seek({"19930801"}));
    EXPECT_EQ(t.getMemo("VGM_HIST"), "Lei 9.069, de 29/06/1995.");
    ASSERT_TRUE(t.seek({"19940701"}));
    EXPECT_NE(t.getMemo("VGM_HIST"), "Lei 9.069, de 29/06/1995.");
}

}  // namespace
}  // namespace quintara
