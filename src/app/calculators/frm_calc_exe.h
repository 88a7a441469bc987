// TFrmCalcExe: the results window of the quick calculation. It runs the
// calculation of the entry window's inputs to the chosen date as often as
// asked, shows the panel, and charts and prints the run it keeps.
#pragma once

#include <QDialog>
#include <optional>

#include "app/calculators/quick_report.h"
#include "data/data_module.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace quintara {

class TFrmCalcExe : public QDialog {
    Q_OBJECT
public:
    TFrmCalcExe(DataModule& dm, const QuickInput& input, QWidget* parent = nullptr);

    // The last run, kept for the charts and the report; nothing before the
    // first run and after a run that ended at a failed stage.
    const std::optional<QuickRun>& lastRun() const { return run_; }
    // The report of the kept run, as "&Imprimir" previews it.
    std::optional<reports::CalculationReportData> reportData() const;
    QString statusText() const;

    QDateEdit* DatadoCalculo = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPlainTextEdit* RichEdit = nullptr;
    QPushButton* btInterromper = nullptr;
    QPushButton* btGraficoComparativo = nullptr;
    QPushButton* BtGraficoCorrecao = nullptr;
    QPushButton* BtImprimir = nullptr;
    // When checked, the report ends with the appendix "Fontes dos índices".
    QCheckBox* cbFontes = nullptr;
    QPushButton* btSair = nullptr;

public slots:
    void FormActivate();
    void Atualizapainel();
    void btInterromperClick();
    void Copiar1Click();
    void btGraficoComparativoClick();
    void BtGraficoCorrecaoClick();
    void BtImprimirClick();
    void btSairClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildTop();
    QWidget* buildButtons();
    void setStatus(const std::string& text);
    void Executarcalculo();

    DataModule& dm_;
    QuickInput input_;
    std::optional<QuickRun> run_;
    QLabel* status_ = nullptr;
    bool activated_ = false;
};

}  // namespace quintara
