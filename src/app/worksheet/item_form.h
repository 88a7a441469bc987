// TNovoItemPlanilha: the dialog in which one worksheet item is typed (origin
// date, amount or index quantity, form, interest, fine); it stores nothing
// itself. TFrmAlterarItemPlanilha is the same dialog filled from a grid row.
// The quick calculation's entry window derives from TNovoItemPlanilha too: it
// sets the item-number label and the confirm caption and overrides confirm().
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "worksheet/item_entry.h"
#include "worksheet/worksheet_grid.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QVBoxLayout;

namespace quintara {

class DataModule;
namespace ui {
class AmountEdit;
class DateEdit;
}  // namespace ui

class TNovoItemPlanilha : public QDialog {
    Q_OBJECT
public:
    explicit TNovoItemPlanilha(DataModule& dm, QWidget* parent = nullptr);
    ~TNovoItemPlanilha() override;

    // NumItPlanilha: the row as two digits ("01"), or any text ("F").
    void setItemNumber(int row);
    void setItemNumberText(const QString& text);
    // The confirm button's caption ("&Inserir na Planilha" by default).
    void setConfirmCaption(const QString& caption);
    // What OK does with a checked item before the dialog closes (the
    // worksheet stores it). When it throws, the message is shown and the
    // dialog stays open with everything typed.
    using StoreAction = std::function<void(const ItemEntry&)>;
    void setStoreAction(StoreAction action) { store_ = std::move(action); }

    // The fields as the worksheet stores them. Throws std::invalid_argument
    // for a number field whose text does not convert.
    ItemEntry entry() const;
    // The checks of OK, with the message and the focus on the field at fault;
    // false when the item is refused.
    bool checkEntry();

    // Values the form keeps beside its controls.
    const std::string& CodigoForma() const { return codigoForma_; }
    const QString& NomeMoeda() const { return nomeMoeda_; }
    const QString& NomeMoedaPlural() const { return nomeMoedaPlural_; }
    const QString& SiglaMoedaOrigem() const { return siglaMoedaOrigem_; }
    // valororiginal's hint: the amount written out in words.
    QString amountHint() const;
    // The position of rdsomadeducao: 0 debt, 1 amortisation.
    int rdsomadeducaoIndex() const;

    QLabel* NumItPlanilha = nullptr;
    ui::DateEdit* dataOrigem = nullptr;
    ui::AmountEdit* valororiginal = nullptr;
    ui::AmountEdit* quantidade = nullptr;
    QComboBox* indexador = nullptr;
    QLabel* CotacaoIndice = nullptr;
    QLineEdit* DESCRICAO = nullptr;
    QGroupBox* gbMoeda = nullptr;
    QLabel* MoedaOrigem = nullptr;
    QGroupBox* rdsomadeducao = nullptr;
    QRadioButton* rbDivida = nullptr;
    QRadioButton* rbAmortizacao = nullptr;
    QComboBox* FormaDeCorrecao = nullptr;
    QCheckBox* cbIndiceCheio = nullptr;
    QCheckBox* chConversor = nullptr;
    // The quick calculation's "apply the correction" switch; hidden here.
    QCheckBox* cbFazCorrecao = nullptr;
    ui::AmountEdit* jurosOrdinarios = nullptr;
    ui::DateEdit* DataOrdinario = nullptr;
    QComboBox* TipoJuroOrdinario = nullptr;
    ui::AmountEdit* JurosCompensatorios = nullptr;
    ui::DateEdit* DataCompensatorio = nullptr;
    QComboBox* TipoJuroCompensatorio = nullptr;
    ui::AmountEdit* ValorMulta = nullptr;
    QCheckBox* chMultaSobreJuros = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QPushButton* btInserir = nullptr;
    QPushButton* btCancelar = nullptr;
    QLabel* statusLabel = nullptr;

public slots:
    void dataOrigemChange();
    void dataOrigemExit();
    void indexadorClick();
    void quantidadeExit();
    void valororiginalChange();
    void jurosOrdinariosExit();
    void JurosCompensatoriosExit();
    void FormaDeCorrecaoClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void btInserirClick();

protected:
    // Runs once, when the dialog is first shown: preparadados, the item
    // number and the correction form the forms table is on. Derived forms
    // extend it. Coming back from a window opened here keeps what was typed.
    virtual void FormActivate();
    // The confirm button: the checks, then OK. The quick calculation runs its
    // calculation instead and stays open.
    virtual void confirm();
    // Resets every field to a new item's defaults.
    void preparadados();
    // Puts the fields to the entry's values without running the handlers of
    // a person's edits (no conversion, no start dates replaced).
    void fillFromEntry(const ItemEntry& entry);

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

    DataModule& dm_;
    QVBoxLayout* layout_ = nullptr;

private:
    void buildFields();
    QWidget* buildInterest();
    void fillFormList();
    void fillIndexList();
    void selectForm(const std::string& code);
    void selectIndex(const std::string& code);
    // Currency of a complete valid origin date into the kept names and labels.
    void takeOriginCurrency(const QString& dateText);
    void updateAmountHint();
    void updateQuantityHint();
    void fillStartDate(const ui::AmountEdit* rate, ui::DateEdit* start);
    std::string selectedIndexCode() const;

    StoreAction store_;
    std::string codigoForma_;
    QString nomeMoeda_;
    QString nomeMoedaPlural_;
    QString siglaMoedaOrigem_;
    QString amountHint_;
    // The origin date whose value the start dates were last set from.
    QString originApplied_;
    bool quantityEdited_ = false;
    bool activated_ = false;
    int itemRow_ = 0;
};

class TFrmAlterarItemPlanilha : public TNovoItemPlanilha {
    Q_OBJECT
public:
    TFrmAlterarItemPlanilha(DataModule& dm, const WorksheetGrid& grid, int row, QWidget* parent = nullptr);

protected:
    void FormActivate() override;

private:
    ItemEntry stored_;
};

}  // namespace quintara
