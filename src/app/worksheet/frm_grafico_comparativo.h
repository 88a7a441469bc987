// TFrmGraficoComparativo: the totals chart of one calculation, a pie of the
// parts of its total (principal, correction, interest, fine, fees) under the
// period and totals, with its print preview.
#pragma once

#include <QDialog>
#include <QStringList>

#include "engine/chart_data.h"

class QPushButton;

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QPieSeries;
QT_END_NAMESPACE

namespace quintara {

// The inputs are those of the run the chart shows, given by the window that opens it.
using GraficoComparativoInput = TotalsChartInput;

class TFrmGraficoComparativo : public QDialog {
    Q_OBJECT
public:
    explicit TFrmGraficoComparativo(const GraficoComparativoInput& input, QWidget* parent = nullptr);

    const QStringList& titleLines() const { return titleLines_; }
    QPieSeries* pie() const { return pie_; }
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
    GraficoComparativoInput input_;
    QChart* chart_ = nullptr;
    QPieSeries* pie_ = nullptr;
    QStringList titleLines_;
    bool activated_ = false;
};

}  // namespace quintara
