// TFrmGraficoDaCorrecao: the correction chart of one calculation, the
// corrected value and the principal followed through the calculation lines,
// under the period and the original and corrected values, with its print preview.
#pragma once

#include <QDialog>
#include <QStringList>

#include "engine/chart_data.h"

class QPushButton;

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QLineSeries;
QT_END_NAMESPACE

namespace quintara {

// The inputs are those of the run the chart shows, given by the window that opens it.
using GraficoDaCorrecaoInput = CorrectionChartInput;

class TFrmGraficoDaCorrecao : public QDialog {
    Q_OBJECT
public:
    explicit TFrmGraficoDaCorrecao(const GraficoDaCorrecaoInput& input, QWidget* parent = nullptr);

    const QStringList& titleLines() const { return titleLines_; }
    // The point labels of the corrected-value line, in order.
    const QStringList& correctedLabels() const { return correctedLabels_; }
    QLineSeries* SValorCorrigido() const { return corrected_; }
    QLineSeries* SValorPrincipal() const { return principal_; }
    QChart* chart() const { return chart_; }

    QChartView* DBChart1 = nullptr;
    QPushButton* btImprimir = nullptr;
    QPushButton* btRetornar = nullptr;

public slots:
    void FormActivate();
    void btImprimirClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addAxes(const CorrectionChart& data);

    GraficoDaCorrecaoInput input_;
    QChart* chart_ = nullptr;
    QLineSeries* corrected_ = nullptr;
    QLineSeries* principal_ = nullptr;
    QStringList titleLines_;
    QStringList correctedLabels_;
    bool activated_ = false;
};

}  // namespace quintara
