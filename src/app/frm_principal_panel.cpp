// The main window's side panel (code, description and history of the
// highlighted index), its mini chart and its status bar.
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

#include "app/app_errors.h"
#include "app/frm_principal.h"
#include "data/amount.h"
#include "ui/hints.h"

namespace quintara {

namespace {

// A month cell as the chart reads it: a money value with four decimals; a
// cell that is not a number, or too large for one, is left out.
std::optional<double> cellValue(const QString& text)
{
    QString machine = text.trimmed();
    machine.remove(QLatin1Char('.'));
    machine.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = machine.toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    try {
        return Amount::fromDouble(value).toDouble();
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

}  // namespace

QWidget* TFrmPrincipal::buildSidePanel(QWidget* parent)
{
    auto* side = new QWidget(parent);
    side->setMinimumWidth(260);
    side->setMaximumWidth(340);
    cNomeInd = new QLabel(side);
    cNomeInd->setObjectName(QStringLiteral("cNomeInd"));
    cNomeInd->setAlignment(Qt::AlignCenter);
    cNomeInd->setFrameShape(QFrame::Panel);
    cNomeInd->setFrameShadow(QFrame::Sunken);
    cNomeInd->setMinimumHeight(26);
    QFont bold = cNomeInd->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 1);
    cNomeInd->setFont(bold);

    RTexto = new QTextEdit(side);
    RTexto->setObjectName(QStringLiteral("RTexto"));
    RTexto->setReadOnly(true);

    series = new QLineSeries;
    series->setName(QStringLiteral("x"));
    auto* chart = new QChart;
    chart->addSeries(series);
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    auto* axisX = new QValueAxis;
    axisX->setLabelsVisible(false);
    axisX->setTickCount(2);
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat(QStringLiteral("%.4g"));
    QFont small = axisY->labelsFont();
    small.setPointSize(7);
    axisY->setLabelsFont(small);
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisX);
    series->attachAxis(axisY);
    chartView = new QChartView(chart, side);
    chartView->setObjectName(QStringLiteral("chartView"));
    chartView->setRenderHint(QPainter::Antialiasing);
    chartView->setMinimumHeight(180);
    ui::setHint(chartView, QStringLiteral("Visualização Gráfico de Variação dos Índices"));

    auto* layout = new QVBoxLayout(side);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(cNomeInd);
    layout->addWidget(RTexto, 1);
    layout->addWidget(chartView);
    return side;
}

void TFrmPrincipal::buildStatusBar()
{
    const int widths[3] = {115, 70, 50};
    for (int i = 0; i < 3; ++i) {
        statusPanels[i] = new QLabel(statusBar());
        statusPanels[i]->setMinimumWidth(widths[i]);
        statusPanels[i]->setFrameShape(QFrame::Panel);
        statusPanels[i]->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(statusPanels[i], i == 2 ? 1 : 0);
    }
    statusPanels[0]->setText(QStringLiteral("Usr: "));
    ui::routeHints(this, statusPanels[2]);
}

int TFrmPrincipal::currentDataRow() const
{
    const int row = StringGrid1->currentRow();
    return row < 0 ? 1 : row + 1;
}

void TFrmPrincipal::Atualizatexto()
{
    PTitPlanilha->setText(QStringLiteral("PLANILHA DE INDICES MENSAIS DE") + ComboBox->currentText());
    const QString code = cellText(0, currentDataRow());
    cNomeInd->setText(code);
    guarded([&] {
        foxpro::Table& indices = dm_.Indices();
        dm_.ValorIndices();
        indices.setTag("codigo");
        if (!code.isEmpty() && indices.seek({code.toStdString()})) {
            const QString description = QString::fromStdString(indices.getString("TBCM_DESC"));
            RTexto->setPlainText(description + QStringLiteral(".\n\n ") +
                                 QString::fromStdString(indices.getMemo("TBCM_HIST")));
            statusPanels[2]->setText(description);
        }
    });
    AtualizaGrafico();
}

void TFrmPrincipal::AtualizaGrafico()
{
    series->clear();
    const int row = currentDataRow();
    double low = 0, high = 0;
    int points = 0;
    for (int month = 1; month <= 12; ++month) {
        const std::optional<double> value = cellValue(cellText(month, row));
        if (!value) continue;
        low = points == 0 ? *value : std::min(low, *value);
        high = points == 0 ? *value : std::max(high, *value);
        series->append(points++, *value);
    }
    QChart* chart = chartView->chart();
    const auto horizontal = chart->axes(Qt::Horizontal);
    const auto vertical = chart->axes(Qt::Vertical);
    // Half a step of room at both ends, so the first and last points are drawn whole.
    if (!horizontal.isEmpty()) horizontal.first()->setRange(-0.5, std::max(points - 1, 1) + 0.5);
    if (!vertical.isEmpty() && points == 0) {
        vertical.first()->setRange(0, 1);
    } else if (!vertical.isEmpty()) {
        const double margin = (high - low) * 0.1 + (high == low ? std::max(std::abs(high) * 0.01, 0.01) : 0);
        vertical.first()->setRange(low - margin, high + margin);
    }
    chartView->update();
}

}  // namespace quintara
