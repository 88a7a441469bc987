#include "app/worksheet/frm_grafico_comparativo.h"

#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QPainter>
#include <QPieLegendMarker>
#include <QPieSeries>
#include <QPieSlice>
#include <QPushButton>
#include <algorithm>

#include "app/app_errors.h"
#include "app/worksheet/chart_print.h"
#include "app/worksheet/chart_text.h"
#include "data/format_text.h"

namespace quintara {

TFrmGraficoComparativo::TFrmGraficoComparativo(const GraficoComparativoInput& input, QWidget* parent)
    : QDialog(parent), input_(input)
{
    setObjectName(QStringLiteral("TFrmGraficoComparativo"));
    setWindowTitle(QStringLiteral("Gráfico dos Totais"));
    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignRight);
    DBChart1 = new QChartView(chart_, this);
    DBChart1->setRenderHint(QPainter::Antialiasing);
    layOutChartWindow(*this, DBChart1, btImprimir, btRetornar);
    connect(btImprimir, &QPushButton::clicked, this, &TFrmGraficoComparativo::btImprimirClick);
}

void TFrmGraficoComparativo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    FormActivate();
}

void TFrmGraficoComparativo::FormActivate()
{
    guarded([&] {
        const TotalsChart data = totalsChart(input_);
        titleLines_ = toQStringList(data.titleLines);
        setTitleLines(*chart_, titleLines_);
        chart_->removeAllSeries();
        pie_ = new QPieSeries;
        pie_->setObjectName(QStringLiteral("Series1"));
        // A negative part (a correction in a deflation period) has no angle of
        // its own; the legend still gives its value.
        for (const PieSlice& s : data.slices)
            pie_->append(QString::fromStdString(s.label), std::max(0.0, s.value.toDouble()));
        pie_->setPieSize(0.6);
        chart_->addSeries(pie_);
        const QList<QPieSlice*> slices = pie_->slices();
        for (qsizetype i = 0; i < slices.size(); ++i) {
            QPieSlice* slice = slices[i];
            const std::string& label = data.slices[static_cast<std::size_t>(i)].label;
            slice->setLabel(QString::fromStdString(
                formatText("%s %.1f%%", {label, static_cast<double>(slice->percentage() * 100)})));
            slice->setLabelVisible(true);
        }
        // The legend lists the values beside their names.
        const QList<QLegendMarker*> markers = chart_->legend()->markers(pie_);
        for (qsizetype i = 0; i < markers.size() && i < slices.size(); ++i) {
            const PieSlice& s = data.slices[static_cast<std::size_t>(i)];
            markers[i]->setLabel(QString::fromStdString(formatText("%s %15.2n", {s.label, s.value})));
        }
    });
}

void TFrmGraficoComparativo::btImprimirClick()
{
    previewChart(*DBChart1, windowTitle(), this);
}

}  // namespace quintara
