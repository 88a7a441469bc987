// The item form driven as a person does: the series of new items, the fresh
// form, the origin date with its currency and start dates, the index
// conversion, the refusals of OK, the change of a calculated item and the
// forms window opened from the form.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "app/app_fixture.h"
#include "app/reference/frm_forma_correcao.h"
#include "app/reference/frm_tab_ind_con.h"
#include "app/worksheet/item_dialogs.h"
#include "app/worksheet/item_form.h"
#include "app/worksheet/worksheet_session.h"
#include "data/case_register.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "worksheet/worksheet_items.h"

namespace quintara {
namespace {

void activate(QWidget& window)
{
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// Types into a field from its start, replacing what it held, and leaves it.
void type(QLineEdit* field, const QString& keys)
{
    field->setFocus();
    field->setText(QString());
    field->setCursorPosition(0);
    QTest::keyClicks(field, keys);
    QTest::keyClick(field, Qt::Key_Tab);
}

void choose(QComboBox* list, const QString& text)
{
    list->setFocus();
    const int position = list->findText(text);
    ASSERT_GE(position, 0) << text.toStdString();
    list->setCurrentIndex(position);
    emit list->activated(position);
}

class ItemForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
        dm_->setMessageHandler(ui::prompterMessageHandler());
        CaseData data;
        data.number = "2024001";
        registerCase(*dm_, data, "000001", CaseClock::now());
        session_ = std::make_unique<WorksheetSession>(*dm_);
        session_->caseNumber = "2024001";
    }

    std::string record(int item, const char* field)
    {
        foxpro::Table& items = dm_->ItensProcesso();
        items.setTag("item");
        if (!items.seek({"2024001", itemNumberText(item)})) return "<none>";
        return items.getString(field);
    }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
    std::unique_ptr<WorksheetSession> session_;
    test::DialogScript script_;
    ui::ScriptedPrompter prompter_;
    ui::PrompterScope prompterScope_{prompter_};
};

TEST_F(ItemForm, TwoOksThenCancelLeaveTwoNumberedPendingItems)
{
    std::vector<QString> numbers;
    script_.onDialog([&](QDialog& dialog) {
        auto& form = dynamic_cast<TNovoItemPlanilha&>(dialog);
        numbers.push_back(form.NumItPlanilha->text());
        if (numbers.size() > 2) return;  // left open: Cancel
        activate(form);
        type(form.dataOrigem, numbers.size() == 1 ? QStringLiteral("15031994") : QStringLiteral("10012020"));
        type(form.valororiginal, QStringLiteral("1234,5"));
        if (numbers.size() == 2) form.rbAmortizacao->click();
        form.btInserir->click();
    });
    EXPECT_EQ(enterNewItems(*session_, nullptr), 2);
    EXPECT_EQ(numbers, (std::vector<QString>{"01", "02", "03"}));
    EXPECT_TRUE(prompter_.messages().empty());

    const WorksheetGrid& grid = session_->grid;
    EXPECT_EQ(grid.cell(1, colNumber), "001");
    EXPECT_EQ(grid.cell(2, colNumber), "002");
    EXPECT_TRUE(grid.isFree(3));
    EXPECT_EQ(grid.cell(1, colMark), "$");
    EXPECT_EQ(grid.cell(1, colOriginalAmount), "            1234,50");
    EXPECT_EQ(grid.cell(1, colOriginCurrency), "CR$");
    EXPECT_EQ(grid.cell(1, colCorrection), "               0,00");
    EXPECT_EQ(grid.cell(1, colCalculationDate), "");
    EXPECT_EQ(grid.cell(1, colFeeRate), "  0,00");
    EXPECT_EQ(grid.cell(1, colFees), "           0,00");
    EXPECT_EQ(grid.cell(1, colDebtOrPayment), "DÍVIDA");
    EXPECT_EQ(grid.cell(2, colDebtOrPayment), "AMORT.");
    EXPECT_EQ(grid.cell(2, colOrdinaryStart), "10/01/2020");

    EXPECT_EQ(dm_->ItensProcesso().recordCount(), 2u);
    EXPECT_EQ(record(1, "DATADIV"), "15/03/1994");
    EXPECT_EQ(record(2, "SOMA_DED"), "S");
    EXPECT_EQ(record(1, "DATACALC"), "");

    // Reloaded as the worksheet loads it, the rows come back the same.
    WorksheetGrid reloaded;
    loadCaseItems(*dm_, reloaded, "2024001");
    EXPECT_EQ(reloaded.cell(2, colOriginalAmount), "1234,5");
    EXPECT_EQ(reloaded.cell(2, colOrdinaryStart), "10/01/2020");
}

TEST_F(ItemForm, AFreshFormShowsTheDefaultsAndTheFormTheFormsTableIsOn)
{
    foxpro::Table& forms = dm_->FormaCorrecao();
    forms.setTag("codigo");
    ASSERT_TRUE(forms.seek({"003"}));
    TNovoItemPlanilha form(*dm_);
    form.setItemNumber(1);
    form.show();
    EXPECT_EQ(form.NumItPlanilha->text(), QStringLiteral("01"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Inserir Item Planilha de Cálculos"));
    EXPECT_EQ(form.btInserir->text(), QStringLiteral("&Inserir na Planilha"));
    EXPECT_TRUE(form.rbDivida->isChecked());
    EXPECT_TRUE(form.chConversor->isChecked());
    EXPECT_FALSE(form.chMultaSobreJuros->isChecked());
    EXPECT_EQ(form.TipoJuroOrdinario->currentText(), QStringLiteral("Simples"));
    EXPECT_EQ(form.TipoJuroCompensatorio->currentText(), QStringLiteral("Simples"));
    EXPECT_TRUE(form.jurosOrdinarios->amount().isZero());
    EXPECT_TRUE(form.ValorMulta->amount().isZero());
    EXPECT_EQ(form.CodigoForma(), "003");
    EXPECT_EQ(form.FormaDeCorrecao->currentText(), QStringLiteral("IGPM"));
    EXPECT_EQ(form.CotacaoIndice->text(), QStringLiteral("***"));
    EXPECT_FALSE(form.cbFazCorrecao->isVisible());
}

TEST_F(ItemForm, OriginDateShowsItsCurrencyAndOnlyAChangedDateReplacesTheStartDates)
{
    TNovoItemPlanilha form(*dm_);
    form.setItemNumber(1);
    form.show();
    activate(form);
    type(form.dataOrigem, QStringLiteral("15031994"));
    EXPECT_EQ(form.MoedaOrigem->text(), QStringLiteral("(Cruzeiro Real) CR$"));
    EXPECT_EQ(form.SiglaMoedaOrigem(), QStringLiteral("CR$"));
    EXPECT_EQ(form.DataOrdinario->text(), QStringLiteral("15/03/1994"));
    EXPECT_EQ(form.DataCompensatorio->text(), QStringLiteral("15/03/1994"));

    // Custom start dates survive passing through the origin date unchanged...
    type(form.DataOrdinario, QStringLiteral("01041994"));
    form.dataOrigem->setFocus();
    QTest::keyClick(form.dataOrigem, Qt::Key_Tab);
    EXPECT_EQ(form.DataOrdinario->text(), QStringLiteral("01/04/1994"));
    // ...and a new origin date replaces both.
    type(form.dataOrigem, QStringLiteral("10012020"));
    EXPECT_EQ(form.MoedaOrigem->text(), QStringLiteral("(Real) R$"));
    EXPECT_EQ(form.DataOrdinario->text(), QStringLiteral("10/01/2020"));
    EXPECT_EQ(form.DataCompensatorio->text(), QStringLiteral("10/01/2020"));

    // The amount's hint is the amount in words in the era's currency.
    type(form.valororiginal, QStringLiteral("101,01"));
    EXPECT_EQ(form.amountHint(), QStringLiteral("cento e um Reais e um centavo"));
    EXPECT_EQ(form.valororiginal->toolTip(), form.amountHint());

    // An incomplete date is emptied on leaving and changes nothing else.
    type(form.dataOrigem, QStringLiteral("1203"));
    EXPECT_TRUE(form.dataOrigem->isBlank());
    EXPECT_EQ(form.DataOrdinario->text(), QStringLiteral("10/01/2020"));
}

TEST_F(ItemForm, AQuantityOfAMoedaIndexIsConvertedAndAQuantityOfZeroNeverZeroesTheAmount)
{
    test::addValue(*dm_, "UFIR", "01/03/1994", 2.5);
    test::addValue(*dm_, "INPC", "01/03/1994", 40.0);
    TNovoItemPlanilha form(*dm_);
    form.setItemNumber(1);
    form.show();
    activate(form);
    type(form.dataOrigem, QStringLiteral("15031994"));
    type(form.valororiginal, QStringLiteral("500"));
    choose(form.indexador, QStringLiteral("UFIR"));
    EXPECT_EQ(form.valororiginal->amount(), Amount::parse("500")) << "quantity 0 converted";

    type(form.quantidade, QStringLiteral("100"));
    EXPECT_EQ(form.valororiginal->amount(), Amount::parse("250"));
    EXPECT_EQ(form.CotacaoIndice->text(), QStringLiteral("2,5"));

    // An index of another kind gives the quantity itself.
    choose(form.indexador, QStringLiteral("INPC"));
    EXPECT_EQ(form.valororiginal->amount(), Amount::parse("100"));
    EXPECT_EQ(form.CotacaoIndice->text(), QStringLiteral("40"));

    choose(form.indexador, QStringLiteral("UFIR"));
    type(form.quantidade, QStringLiteral("12,3456"));
    EXPECT_EQ(form.valororiginal->amount(), Amount::parse("30,86"));
    EXPECT_TRUE(prompter_.messages().empty());

    // The quantity and index value keep four decimals in the row.
    ItemEntry entry = form.entry();
    entry.formCode = "001";
    storeNewItem(*dm_, session_->grid, "2024001", 1, entry);
    EXPECT_EQ(session_->grid.cell(1, colIndexQuantity), "12,3456");
    EXPECT_EQ(session_->grid.cell(1, colIndexValue), "2,5");
    EXPECT_EQ(session_->grid.cell(1, colIndexCode), "UFIR");
    EXPECT_EQ(record(1, "QUANT"), "12.3456");
}

TEST_F(ItemForm, RatesFillEmptyStartDatesAndOkIsRefusedWithoutCompleteDates)
{
    TNovoItemPlanilha form(*dm_);
    form.setItemNumber(1);
    form.setStoreAction(
        [&](const ItemEntry& entry) { storeNewItem(*dm_, session_->grid, "2024001", 1, entry); });
    form.show();
    activate(form);
    type(form.valororiginal, QStringLiteral("100"));
    form.btInserir->click();
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.messages()[0].title, QStringLiteral("Atenção !"));
    EXPECT_TRUE(prompter_.lastText().startsWith(QStringLiteral("Data Origem inválida !")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.dataOrigem->hasFocus());

    type(form.dataOrigem, QStringLiteral("10012020"));
    form.DataOrdinario->setDate(Date());
    type(form.jurosOrdinarios, QStringLiteral("6"));
    EXPECT_EQ(form.DataOrdinario->text(), QStringLiteral("10/01/2020"));
    // A start date typed in part, with a rate, is refused on OK.
    type(form.DataCompensatorio, QStringLiteral("0102"));
    type(form.JurosCompensatorios, QStringLiteral("1"));
    EXPECT_EQ(form.DataCompensatorio->text(), QStringLiteral("01/02/    "));
    form.btInserir->click();
    EXPECT_TRUE(prompter_.lastText().startsWith(QStringLiteral("Data de início dos juros compensatórios")));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(dm_->ItensProcesso().recordCount(), 0u);
    EXPECT_TRUE(session_->grid.isFree(1));

    type(form.DataCompensatorio, QStringLiteral("01022020"));
    form.btInserir->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(session_->grid.cell(1, colOrdinaryRate), "   6,000000");
    EXPECT_EQ(session_->grid.cell(1, colCompensatoryStart), "01/02/2020");
    EXPECT_EQ(record(1, "JORDDAT"), "10/01/2020");
}

TEST_F(ItemForm, ChangingACalculatedItemKeepsPrincipalFeesAndWhatWasStoredWithoutRecomputing)
{
    test::addValue(*dm_, "UFIR", "01/03/1994", 2.5);
    ItemEntry entry;
    entry.originDate = "15/03/1994";
    entry.originalAmount = Amount::parse("777");  // typed over the conversion
    entry.quantity = Amount::parse("100");
    entry.indexCode = "UFIR";
    entry.indexValue = Amount::parse("2,5");
    entry.formCode = "001";
    entry.formText = "INPC";
    entry.ordinaryRate = Amount::parse("12");
    entry.ordinaryStart = "01/06/1994";
    entry.compensatoryStart = "15/03/1994";
    storeNewItem(*dm_, session_->grid, "2024001", 1, entry);
    // As a run leaves it: results, date and fees.
    WorksheetGrid& grid = session_->grid;
    grid.setCell(1, colMark, "");
    grid.setCell(1, colPrincipal, "             282,55");
    grid.setCell(1, colCorrection, "              10,00");
    grid.setCell(1, colCalculationDate, "30/11/2026");
    grid.setCell(1, colFeeRate, " 10,00");
    grid.setCell(1, colOrdinaryFormula, "");
    foxpro::Table& items = dm_->ItensProcesso();
    items.setTag("item");
    ASSERT_TRUE(items.seek({"2024001", "001"}));
    items.edit();
    items.setString("VALORPRIN", "282.55");
    items.setDate("DATACALC", "20261130");
    items.post();

    bool filled = false;
    script_.onDialog([&](QDialog& dialog) {
        auto& form = dynamic_cast<TFrmAlterarItemPlanilha&>(dialog);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Alterar dados do Item"));
        EXPECT_EQ(form.btInserir->text(), QStringLiteral("&Confirmar"));
        EXPECT_EQ(form.NumItPlanilha->text(), QStringLiteral("01"));
        EXPECT_EQ(form.valororiginal->amount(), Amount::parse("777"));
        EXPECT_EQ(form.quantidade->amount(), Amount::parse("100"));
        EXPECT_EQ(form.indexador->currentText(), QStringLiteral("UFIR"));
        EXPECT_EQ(form.DataOrdinario->text(), QStringLiteral("01/06/1994"));
        EXPECT_EQ(form.TipoJuroOrdinario->currentText(), QStringLiteral("Simples"));
        EXPECT_EQ(form.MoedaOrigem->text(), QStringLiteral("(Cruzeiro Real) CR$"));
        filled = true;
        activate(form);
        // Passing through the origin date keeps the custom start date.
        form.dataOrigem->setFocus();
        QTest::keyClick(form.dataOrigem, Qt::Key_Tab);
        type(form.DESCRICAO, QStringLiteral("Aluguel"));
        form.btInserir->click();
    });
    ASSERT_TRUE(openChangeItem(*session_, 1, nullptr));
    EXPECT_TRUE(filled);
    EXPECT_EQ(grid.cell(1, colMark), "$");
    EXPECT_EQ(grid.cell(1, colDescription), "Aluguel");
    EXPECT_EQ(grid.cell(1, colOriginalAmount), "             777,00");
    EXPECT_EQ(grid.cell(1, colPrincipal), "             282,55");
    EXPECT_EQ(grid.cell(1, colFeeRate), " 10,00");
    EXPECT_EQ(grid.cell(1, colCorrection), "               0,00");
    EXPECT_EQ(grid.cell(1, colCalculationDate), "");
    EXPECT_EQ(grid.cell(1, colOrdinaryRate), "12");
    EXPECT_EQ(grid.cell(1, colOrdinaryStart), "01/06/1994");
    EXPECT_EQ(grid.cell(1, colOrdinaryFormula), "0");
    EXPECT_EQ(record(1, "DESCRICAO"), "Aluguel");
    EXPECT_EQ(record(1, "VALORPRIN"), "282.5500");
    EXPECT_EQ(record(1, "DATACALC"), "30/11/2026");
    EXPECT_EQ(record(1, "VALORCOR"), "0.0000");
    EXPECT_EQ(dm_->ItensProcesso().recordCount(), 1u);

    // A free row does nothing.
    EXPECT_FALSE(openChangeItem(*session_, 2, nullptr));
    EXPECT_EQ(script_.shown(), 1);
}

TEST_F(ItemForm, AHalfTypedItemSurvivesSwitchingProgramsAndEnterRunsWhatLeavingFieldsDoes)
{
    TNovoItemPlanilha form(*dm_);
    form.setItemNumber(1);
    form.setStoreAction(
        [&](const ItemEntry& entry) { storeNewItem(*dm_, session_->grid, "2024001", 1, entry); });
    form.show();
    activate(form);
    type(form.valororiginal, QStringLiteral("50"));
    form.dataOrigem->setFocus();
    form.dataOrigem->setCursorPosition(0);
    QTest::keyClicks(form.dataOrigem, QStringLiteral("1203"));

    QWidget elsewhere;
    elsewhere.show();
    activate(elsewhere);
    activate(form);
    EXPECT_EQ(form.dataOrigem->text(), QStringLiteral("12/03/    "));
    EXPECT_EQ(form.valororiginal->amount(), Amount::parse("50"));

    // Enter on the default button, the date never left: its start dates
    // are set before the item is checked and stored.
    QTest::keyClicks(form.dataOrigem, QStringLiteral("2021"));
    QTest::keyClick(form.dataOrigem, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(prompter_.messages().empty());
    EXPECT_EQ(session_->grid.cell(1, colOrdinaryStart), "12/03/2021");
    EXPECT_EQ(record(1, "JCOMDAT"), "12/03/2021");
}

TEST_F(ItemForm, WhatWasTypedSurvivesTheFormsWindowOpenedFromTheForm)
{
    int windowsShown = 0;
    script_.onDialog([&](QDialog& dialog) {
        if (dynamic_cast<TFrmFormaCorrecao*>(&dialog) || dynamic_cast<TFrmTabIndCon*>(&dialog)) {
            ++windowsShown;
            return;
        }
        auto& form = dynamic_cast<TNovoItemPlanilha&>(dialog);
        activate(form);
        type(form.dataOrigem, QStringLiteral("10012020"));
        type(form.valororiginal, QStringLiteral("321"));
        type(form.DataOrdinario, QStringLiteral("01022020"));
        choose(form.FormaDeCorrecao, QStringLiteral("IPCA"));
        form.SpeedButton1->click();
        EXPECT_EQ(form.dataOrigem->text(), QStringLiteral("10/01/2020"));
        EXPECT_EQ(form.valororiginal->amount(), Amount::parse("321"));
        EXPECT_EQ(form.DataOrdinario->text(), QStringLiteral("01/02/2020"));
        EXPECT_EQ(form.CodigoForma(), "002");
        EXPECT_EQ(form.FormaDeCorrecao->currentText(), QStringLiteral("IPCA"));
        choose(form.indexador, QStringLiteral("UFIR"));
        form.SpeedButton2->click();
        EXPECT_EQ(form.indexador->currentText(), QStringLiteral("UFIR"));
        EXPECT_EQ(form.valororiginal->amount(), Amount::parse("321"));
        form.btInserir->click();
    });
    session_->LinhaAtual = 1;
    ASSERT_TRUE(openNewItem(*session_, nullptr));
    EXPECT_EQ(windowsShown, 2);
    EXPECT_EQ(session_->grid.cell(1, colFormCode), "002");
    EXPECT_EQ(session_->grid.cell(1, colFormText), "IPCA");
    EXPECT_EQ(record(1, "FORMACORR"), "002");
}

}  // namespace
}  // namespace quintara
