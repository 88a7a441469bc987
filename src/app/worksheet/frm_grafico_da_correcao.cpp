#include "app/worksheet/frm_grafico_da_correcao.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QValueAxis>
#include <algorithm>

#include "app/app_errors.h"
#include "app/worksheet/chart_print.h"
#include "app/worksheet/chart_text.h"

namespace quintara {

namespace {

// At most this many labels under the chart, so that long memos stay legible.
constexpr int kMaxAxisLabels = 10;

QLineSeries* lineSeries(const LineSeries& data, const QString& caption, const QColor& color)
{
    auto* series = new QLineSeries;
    series->setObjectName(QString::fromStdString(data.name));
    series->setName(caption);
    series->setColor(color);
    series->setPointsVisible(true);
    for (std::size_t i = 0; i < data.points.size(); ++i)
        series->append(static_cast<double>(i), data.points[i].value.toDouble());
    return series;
}

}  // namespace

TFrmGraficoDaCorrecao::TFrmGraficoDaCorrecao(const GraficoDaCorrecaoInput& input, QWidget* parent)
    : QDialog(parent), input_(input)
{
    setObjectName(QStringLiteral("TFrmGraficoDaCorrecao"));
    setWindowTitle(QStringLiteral("Gráfico da Correção Monetária"));
    chart_ = new QChart;
    chart_->legend()->setAlignment(Qt::AlignBottom);
    // Amounts on the axis with the decimal comma and thousands dot.
    chart_->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    chart_->setLocalizeNumbers(true);
    DBChart1 = new QChartView(chart_, this);
    DBChart1->setRenderHint(QPainter::Antialiasing);
    layOutChartWindow(*this, DBChart1, btImprimir, btRetornar);
    connect(btImprimir, &QPushButton::clicked, this, &TFrmGraficoDaCorrecao::btImprimirClick);
}

void TFrmGraficoDaCorrecao::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (activated_) return;
    activated_ = true;
    FormActivate();
}

void TFrmGraficoDaCorrecao::FormActivate()
{
    guarded([&] {
        const CorrectionChart data = correctionChart(input_);
        titleLines_ = toQStringList(data.titleLines);
        setTitleLines(*chart_, titleLines_);
        chart_->removeAllSeries();
        correctedLabels_.clear();
        for (const ChartPoint& p : data.corrected.points) correctedLabels_ << QString::fromStdString(p.label);
        corrected_ = lineSeries(data.corrected, QStringLiteral("Valor Corrigido"), QColor(200, 0, 0));
        principal_ = lineSeries(data.principal, QStringLiteral("Valor Principal"), QColor(0, 0, 220));
        chart_->addSeries(corrected_);
        chart_->addSeries(principal_);
        addAxes(data);
    });
}

// The horizontal axis counts the points of the corrected value, labelled with
// their dates; the vertical one spans both lines.
void TFrmGraficoDaCorrecao::addAxes(const CorrectionChart& data)
{
    for (QAbstractAxis* axis : chart_->axes()) {
        chart_->removeAxis(axis);
        delete axis;
    }
    const std::size_t count = std::max(data.corrected.points.size(), data.principal.points.size());
    auto* x = new QCategoryAxis;
    x->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    x->setRange(0, std::max<double>(1, static_cast<double>(count) - 1));
    const std::size_t step =
        std::max<std::size_t>(1, (data.corrected.points.size() + kMaxAxisLabels - 1) / kMaxAxisLabels);
    QStringList used;
    for (std::size_t i = 0; i < data.corrected.points.size(); i += step) {
        QString label = QString::fromStdString(data.corrected.points[i].label).trimmed();
        if (label.isEmpty()) continue;
        while (used.contains(label)) label += QLatin1Char(' ');  // the axis wants distinct labels
        used << label;
        x->append(label, static_cast<double>(i));
    }
    x->setLabelsAngle(-45);
    QFont font = x->labelsFont();
    font.setPointSizeF(font.pointSizeF() * 0.85);
    x->setLabelsFont(font);
    double low = 0, high = 1;
    bool first = true;
    for (const LineSeries* series : {&data.corrected, &data.principal})
        for (const ChartPoint& p : series->points) {
            const double v = p.value.toDouble();
            low = first ? v : std::min(low, v);
            high = first ? v : std::max(high, v);
            first = false;
        }
    auto* y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%.2f"));
    y->setRange(std::min(0.0, low), high + std::max(1.0, (high - low) * 0.05));
    chart_->addAxis(x, Qt::AlignBottom);
    chart_->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* series : {corrected_, principal_}) {
        series->attachAxis(x);
        series->attachAxis(y);
    }
}

void TFrmGraficoDaCorrecao::btImprimirClick()
{
    previewChart(*DBChart1, windowTitle(), this);
}

}  // namespace quintara
