// TFrmConsorcio: the consortium calculator window. The person types the plan,
// its rates and the payment situation; "&Calcular" shows the instalment, the
// overdue and coming instalments, the residual and the settlement total, and
// "&Imprimir" previews them. Nothing is stored.
#pragma once

#include <QDialog>
#include <optional>

#include "data/data_module.h"
#include "reports/consortium_report.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace quintara {

namespace ui {
class AmountEdit;
class DateEdit;
}  // namespace ui

struct ConsortiumInputs;

class TFrmConsorcio : public QDialog {
    Q_OBJECT
public:
    explicit TFrmConsorcio(DataModule& dm, QWidget* parent = nullptr);

    QLineEdit* NomeConsorciado = nullptr;
    QLineEdit* ObjetoConsorcio = nullptr;
    ui::AmountEdit* ValordoBem = nullptr;
    QSpinBox* ParcelasPlano = nullptr;
    ui::DateEdit* VencimentoParcela1 = nullptr;
    QSpinBox* ParcelasPagas = nullptr;
    QLineEdit* TAxaAdministrativa = nullptr;
    QLineEdit* FundodeReserva = nullptr;
    QLineEdit* SegurodeVida = nullptr;
    QLineEdit* JurosAno = nullptr;
    QLineEdit* Multa = nullptr;
    QLineEdit* Residual = nullptr;
    ui::DateEdit* DatadoCalculo = nullptr;

    QLabel* lbValorCadaParcela = nullptr;
    QLabel* lbQuantidadeVencidas = nullptr;
    QLabel* lbTotalVencidas = nullptr;
    QLabel* lbTotalJuros = nullptr;
    QLabel* lbTotalMulta = nullptr;
    QLabel* lbSubTotal1 = nullptr;
    QLabel* lbQuantAVencer = nullptr;
    QLabel* lbTotalaVencer = nullptr;
    QLabel* lbTotalResidual = nullptr;
    QLabel* lbTotalDivida = nullptr;
    QListWidget* ListaVencidas = nullptr;
    QLabel* StatusBar = nullptr;

    QPushButton* btCalcular = nullptr;
    QPushButton* BtImprimir = nullptr;
    QPushButton* btSair = nullptr;

    // The report of what the window shows now (the last calculation's inputs
    // and results, or the cleared form).
    reports::ConsortiumReportData reportData() const;

public slots:
    void FormActivate();
    void LimpaDados();
    bool VerificaDados();
    void btCalcularClick();
    void BtImprimirClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildFields(QWidget* page);
    QWidget* buildResults();
    std::optional<ConsortiumInputs> readInputs();
    void showResults(const struct ConsortiumResults& results, const std::string& symbol);
    QWidget* focusTarget(int field) const;

    DataModule& dm_;
    // The field texts of the calculation the labels show (reports print the
    // inputs of the run they show, not fields changed since).
    std::optional<reports::ConsortiumReportData> calculated_;
};

}  // namespace quintara
