// The item form's handlers: preparation, filling, the lookups, the origin date
// with its currency, the index conversion, hints and the confirm checks.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>
#include <vector>

#include "app/app_errors.h"
#include "app/modal_runner.h"
#include "app/reference/forms_table.h"
#include "app/reference/frm_forma_correcao.h"
#include "app/reference/frm_tab_ind_con.h"
#include "app/worksheet/item_form.h"
#include "data/data_module.h"
#include "data/date_routines.h"
#include "data/lookups.h"
#include "data/number_words.h"
#include "engine/text_columns.h"
#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "ui/hints.h"
#include "ui/prompter.h"

namespace quintara {

namespace {

QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

// The amount in words with the given currency names; empty for 0 or an
// amount that cannot be written out.
QString inWords(Amount amount, const QString& singular, const QString& plural)
{
    if (amount.isZero() || amount < Amount()) return {};
    try {
        return qs(AmountInWordsWithCurrency(amount.toText(2), singular.toStdString(), plural.toStdString()));
    } catch (const std::invalid_argument&) {
        return {};
    }
}

Amount fieldAmount(const ui::AmountEdit* field)
{
    try {
        return field->amount();
    } catch (const std::invalid_argument&) {
        return Amount();
    }
}

}  // namespace

void TNovoItemPlanilha::FormActivate()
{
    repaint();
    preparadados();
    if (itemRow_ > 0) setItemNumber(itemRow_);
    selectForm(codigoForma_);
}

void TNovoItemPlanilha::preparadados()
{
    statusLabel->setText(QStringLiteral("preparando variáveis..."));
    dataOrigem->setDate(Date());
    DESCRICAO->clear();
    MoedaOrigem->clear();
    siglaMoedaOrigem_.clear();
    valororiginal->setAmount(Amount());
    quantidade->setAmount(Amount());
    rbDivida->setChecked(true);
    for (ui::AmountEdit* rate : {jurosOrdinarios, JurosCompensatorios, ValorMulta}) rate->setAmount(Amount());
    DataOrdinario->setDate(Date());
    DataCompensatorio->setDate(Date());
    chMultaSobreJuros->setChecked(false);
    chConversor->setChecked(true);
    TipoJuroOrdinario->setCurrentIndex(0);
    TipoJuroCompensatorio->setCurrentIndex(0);
    originApplied_.clear();
    quantityEdited_ = false;
    foxpro::Table& forms = dm_.FormaCorrecao();
    codigoForma_ = forms.eof() || forms.bof() ? std::string() : forms.getString("FORMA_COD");
    statusLabel->clear();
}

void TNovoItemPlanilha::fillFromEntry(const ItemEntry& e)
{
    DESCRICAO->setText(qs(e.description));
    dataOrigem->setText(qs(e.originDate));
    if (IsValidDateText(e.originDate)) {
        takeOriginCurrency(qs(e.originDate));
        originApplied_ = dataOrigem->text();
    }
    valororiginal->setAmount(e.originalAmount);
    codigoForma_ = e.formCode;
    selectForm(e.formCode);
    cbIndiceCheio->setChecked(e.fullMonth);
    jurosOrdinarios->setAmount(e.ordinaryRate);
    JurosCompensatorios->setAmount(e.compensatoryRate);
    ValorMulta->setAmount(e.fineRate);
    chMultaSobreJuros->setChecked(e.fineOnInterest);
    (e.payment ? rbAmortizacao : rbDivida)->setChecked(true);
    chConversor->setChecked(e.converter);
    siglaMoedaOrigem_ = qs(e.originCurrency);
    CotacaoIndice->setText(qs(plainAmountText(e.indexValue)));
    selectIndex(e.indexCode);
    quantidade->setAmount(e.quantity);
    TipoJuroOrdinario->setCurrentIndex(e.ordinaryFormula);
    TipoJuroCompensatorio->setCurrentIndex(e.compensatoryFormula);
    DataOrdinario->setText(qs(e.ordinaryStart));
    DataCompensatorio->setText(qs(e.compensatoryStart));
    quantityEdited_ = false;
    updateAmountHint();
    updateQuantityHint();
}

void TNovoItemPlanilha::fillFormList()
{
    FormaDeCorrecao->clear();
    foxpro::Table& forms = dm_.FormaCorrecao();
    TableCursorGuard keep(forms);
    forms.setTag("codigo");
    for (forms.first(); !forms.eof(); forms.next())
        FormaDeCorrecao->addItem(qs(forms.getString("FORMA_CH")), qs(forms.getString("FORMA_COD")));
}

void TNovoItemPlanilha::fillIndexList()
{
    indexador->clear();
    indexador->addItem(QString());
    foxpro::Table& indices = dm_.Indices();
    TableCursorGuard keep(indices);
    indices.setTag("codigo");
    for (indices.first(); !indices.eof(); indices.next())
        indexador->addItem(qs(indices.getString("TBCM_COD")));
}

void TNovoItemPlanilha::selectForm(const std::string& code)
{
    const int position = FormaDeCorrecao->findData(qs(code));
    FormaDeCorrecao->setCurrentIndex(position);
}

void TNovoItemPlanilha::selectIndex(const std::string& code)
{
    const int position = indexador->findText(qs(trimRightBlanks(code)));
    indexador->setCurrentIndex(std::max(position, 0));
}

std::string TNovoItemPlanilha::selectedIndexCode() const
{
    const std::string text = indexador->currentText().toStdString();
    return text == "<Indefinido>" ? std::string() : text;
}

void TNovoItemPlanilha::takeOriginCurrency(const QString& dateText)
{
    const std::string date = dateText.trimmed().toStdString();
    nomeMoeda_ = qs(NomeDaMoeda(dm_, date, false));
    nomeMoedaPlural_ = qs(NomeDaMoeda(dm_, date, true));
    siglaMoedaOrigem_ = qs(SiglaDaMoeda(dm_, date));
    MoedaOrigem->setText(QStringLiteral("(") + nomeMoeda_.trimmed() + QStringLiteral(") ") +
                         siglaMoedaOrigem_);
}

void TNovoItemPlanilha::dataOrigemChange()
{
    const QString typed = dataOrigem->text().trimmed();
    if (typed.size() != 10 || !IsValidDateText(typed.toStdString())) return;
    guarded([&] {
        takeOriginCurrency(typed);
        updateAmountHint();
        if (!quantidade->isBlank() && !selectedIndexCode().empty()) indexadorClick();
    });
}

void TNovoItemPlanilha::dataOrigemExit()
{
    // Only a changed origin date replaces the start dates: passing through
    // the field keeps start dates typed for this item.
    const QString typed = dataOrigem->text();
    if (!IsValidDateText(typed.toStdString()) || typed == originApplied_) return;
    originApplied_ = typed;
    DataOrdinario->setText(typed);
    DataCompensatorio->setText(typed);
}

void TNovoItemPlanilha::indexadorClick()
{
    statusLabel->clear();
    if (dataOrigem->isBlank() || selectedIndexCode().empty()) return;
    const std::optional<Date> origin = dataOrigem->tryDate();
    if (!origin || origin->isEmpty()) return;
    guarded([&] {
        const std::optional<IndexConversion> converted =
            convertIndexQuantity(dm_, quantidade->amount(), selectedIndexCode(), *origin);
        if (!converted) return;
        valororiginal->setAmount(converted->amount);
        CotacaoIndice->setText(qs(plainAmountText(converted->indexValue)));
        updateAmountHint();
    });
}

void TNovoItemPlanilha::quantidadeExit()
{
    if (!quantityEdited_) return;
    quantityEdited_ = false;
    indexadorClick();
}

void TNovoItemPlanilha::valororiginalChange()
{
    updateAmountHint();
}

void TNovoItemPlanilha::updateAmountHint()
{
    const QString words = inWords(fieldAmount(valororiginal), nomeMoeda_, nomeMoedaPlural_);
    if (words.isEmpty()) return;
    amountHint_ = words;
    ui::setHint(valororiginal, words);
}

void TNovoItemPlanilha::updateQuantityHint()
{
    const QString words = inWords(fieldAmount(quantidade), QString(), QString());
    if (!words.isEmpty()) ui::setHint(quantidade, words);
}

void TNovoItemPlanilha::fillStartDate(const ui::AmountEdit* rate, ui::DateEdit* start)
{
    if (fieldAmount(rate) > Amount() && start->isBlank() && dataOrigem->isValidDate())
        start->setText(dataOrigem->text());
}

void TNovoItemPlanilha::jurosOrdinariosExit()
{
    fillStartDate(jurosOrdinarios, DataOrdinario);
}

void TNovoItemPlanilha::JurosCompensatoriosExit()
{
    fillStartDate(JurosCompensatorios, DataCompensatorio);
}

void TNovoItemPlanilha::FormaDeCorrecaoClick()
{
    codigoForma_ = FormaDeCorrecao->currentData().toString().toStdString();
    foxpro::Table& forms = dm_.FormaCorrecao();
    guarded([&] {
        forms.setTag("codigo");
        forms.seek({codigoForma_});
    });
}

void TNovoItemPlanilha::SpeedButton1Click()
{
    {
        TFrmFormaCorrecao window(dm_, this);
        runModal(window);
    }
    // Forms may have been added or renamed there; the item keeps its choice.
    guarded([&] {
        fillFormList();
        selectForm(codigoForma_);
    });
}

void TNovoItemPlanilha::SpeedButton2Click()
{
    const std::string code = selectedIndexCode();
    {
        TFrmTabIndCon window(dm_, this);
        runModal(window);
    }
    guarded([&] {
        fillIndexList();
        selectIndex(code);
    });
}

ItemEntry TNovoItemPlanilha::entry() const
{
    ItemEntry e;
    e.description = DESCRICAO->text().toStdString();
    e.originDate = dataOrigem->text().toStdString();
    e.originalAmount = valororiginal->amount();
    e.quantity = quantidade->amount();
    e.indexCode = selectedIndexCode();
    e.indexValue = Amount();
    if (e.quantity > Amount()) {
        const std::string shown = CotacaoIndice->text().toStdString();
        if (shown != "***") e.indexValue = Amount::parse(trimBlanks(shown));
    }
    e.payment = rbAmortizacao->isChecked();
    e.formCode = codigoForma_;
    e.formText = FormaDeCorrecao->currentText().toStdString();
    e.fullMonth = cbIndiceCheio->isChecked();
    e.converter = chConversor->isChecked();
    e.ordinaryRate = jurosOrdinarios->amount();
    e.ordinaryFormula = TipoJuroOrdinario->currentIndex() == 1 ? 1 : 0;
    e.ordinaryStart = DataOrdinario->text().toStdString();
    e.compensatoryRate = JurosCompensatorios->amount();
    e.compensatoryFormula = TipoJuroCompensatorio->currentIndex() == 1 ? 1 : 0;
    e.compensatoryStart = DataCompensatorio->text().toStdString();
    e.fineRate = ValorMulta->amount();
    e.fineOnInterest = chMultaSobreJuros->isChecked();
    e.originCurrency = siglaMoedaOrigem_.toStdString();
    return e;
}

bool TNovoItemPlanilha::checkEntry()
{
    // Enter on the default button leaves no field: what leaving them does
    // happens here first.
    dataOrigemExit();
    jurosOrdinariosExit();
    JurosCompensatoriosExit();
    ItemEntry typed;
    try {
        typed = entry();
    } catch (const std::invalid_argument& e) {
        ui::Prompter::current().error(QStringLiteral("Erro"), QString::fromUtf8(e.what()));
        return false;
    }
    std::optional<ItemEntryRefused> refused;
    if (!guarded([&] { refused = checkItemEntry(dm_, typed); })) return false;
    if (!refused) return true;
    ui::Prompter::current().warn(QString::fromUtf8(kItemEntryTitle), QString::fromUtf8(refused->what()));
    using Field = ItemEntryRefused::Field;
    switch (refused->field()) {
        case Field::OriginDate:
            dataOrigem->setFocus();
            break;
        case Field::OrdinaryStart:
            DataOrdinario->setFocus();
            break;
        case Field::CompensatoryStart:
            DataCompensatorio->setFocus();
            break;
        case Field::Form:
            FormaDeCorrecao->setFocus();
            break;
        case Field::Description:
            DESCRICAO->setFocus();
            break;
        case Field::Row:
            break;
    }
    return false;
}

void TNovoItemPlanilha::confirm()
{
    if (!checkEntry()) return;
    if (store_) {
        try {
            store_(entry());
        } catch (const ItemEntryRefused& refused) {
            ui::Prompter::current().warn(QString::fromUtf8(kItemEntryTitle),
                                         QString::fromUtf8(refused.what()));
            return;
        } catch (const std::exception& error) {
            reportError(error);
            return;
        }
    }
    accept();
}

void TNovoItemPlanilha::btInserirClick()
{
    confirm();
}

}  // namespace quintara
