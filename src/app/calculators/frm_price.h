// TFrmPrice: the Price table calculator window. The person types the amount,
// the term in years and the annual rate; "&Calcular agora" writes the monthly
// payment as a sentence with the amounts in words, and "&Imprimir" previews
// the calculation. Nothing is stored.
#pragma once

#include <QDialog>
#include <optional>

#include "data/data_module.h"
#include "reports/price_report.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace quintara {

namespace ui {
class AmountEdit;
}

class TFrmPrice : public QDialog {
    Q_OBJECT
public:
    explicit TFrmPrice(DataModule& dm, QWidget* parent = nullptr);

    ui::AmountEdit* valor = nullptr;
    QLineEdit* prazo = nullptr;
    QLineEdit* juroano = nullptr;
    QLineEdit* edSigla = nullptr;
    QLineEdit* edNomeMoedaSing = nullptr;
    QLineEdit* edNomeMoeda = nullptr;
    QPlainTextEdit* Mresultado = nullptr;
    QLabel* StatusBar = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* BtImprimir = nullptr;
    QPushButton* btSair = nullptr;

    // The report of the last calculation; nothing before the first one.
    const std::optional<reports::PriceReportData>& reportData() const { return calculated_; }

public slots:
    void FormCreate();
    void FormActivate();
    void Button1Click();
    void BtImprimirClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildExplanation();

    DataModule& dm_;
    std::optional<reports::PriceReportData> calculated_;
};

}  // namespace quintara
