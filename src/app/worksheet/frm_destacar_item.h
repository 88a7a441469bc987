// TFrmDestacarItem: one worksheet item in full (its data, results, the
// readable memo lines and the sequence of indices used), with its two charts
// and its printed calculation report.
#pragma once

#include <QDialog>

#include "app/worksheet/worksheet_session.h"
#include "reports/calculation_report.h"
#include "worksheet/item_detail.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace quintara {

class TFrmDestacarItem : public QDialog {
    Q_OBJECT
public:
    TFrmDestacarItem(WorksheetSession& session, int row, QWidget* parent = nullptr);

    const ItemDetail& detail() const { return detail_; }
    // What "&Imprimir" prints: the item's report, with the sources of its
    // indices appended when cbFontes is checked.
    reports::CalculationReportData reportData() const;

    QLabel* Descricao = nullptr;
    QLabel* DataOrigem = nullptr;
    QLabel* ValorOriginal = nullptr;
    QLabel* Quantidade = nullptr;
    QLabel* Indexador = nullptr;
    QLabel* ValorIndexador = nullptr;
    QLabel* FormadeCorrecao = nullptr;
    QLabel* JurosOrdinarios = nullptr;
    QLabel* JurosCompensatorios = nullptr;
    QLabel* Multa = nullptr;
    QLabel* IndiceCheio = nullptr;
    QLabel* Conversor = nullptr;
    QLabel* Honorarios = nullptr;
    QLabel* HonorariosValor = nullptr;
    QLabel* ValorPrincipal = nullptr;
    QLabel* CorrecaoMonetaria = nullptr;
    QLabel* ValorTotal = nullptr;
    QLabel* TotalizarComo = nullptr;
    QLabel* DatadoCalculoCap = nullptr;
    QPlainTextEdit* RichEdit1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    QPushButton* btGraficoComparativo = nullptr;
    QPushButton* BtGraficoCorrecao = nullptr;
    QPushButton* BtImprimir = nullptr;
    QCheckBox* cbFontes = nullptr;  // "Anexar fontes dos índices"

public slots:
    void FormActivate();
    void btGraficoComparativoClick();
    void BtGraficoCorrecaoClick();
    void BtImprimirClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildDataPanel();
    QWidget* buildMemoPanel();
    QLabel* valueLabel(const char* name);
    void showDetail();

    WorksheetSession& session_;
    int row_;
    ItemDetail detail_;
    bool activated_ = false;
};

}  // namespace quintara
