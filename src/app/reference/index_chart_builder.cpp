#include "app/reference/index_chart_builder.h"

#include <QAreaSeries>
#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QLocale>
#include <QValueAxis>
#include <algorithm>

namespace quintara {

namespace {

qint64 msecs(Date date)
{
    return QDateTime(QDate(date.year(), date.month(), date.day()), QTime(0, 0)).toMSecsSinceEpoch();
}

QAbstractSeries* makeSeries(QChart& chart, const IndexChartSeries& data, bool filled)
{
    auto* line = new QLineSeries;
    for (const IndexValueRow& row : data.rows) line->append(static_cast<qreal>(msecs(row.date)), row.value);
    QPen pen(data.color);
    pen.setWidthF(1.5);
    if (!filled) {
        line->setName(data.title);
        line->setPen(pen);
        chart.addSeries(line);
        return line;
    }
    auto* area = new QAreaSeries(line);
    // The area reads its line but does not own it: the line goes with the area.
    line->setParent(area);
    area->setName(data.title);
    area->setPen(pen);
    QColor fill = data.color;
    fill.setAlpha(90);
    area->setBrush(fill);
    chart.addSeries(area);
    return area;
}

}  // namespace

void fillIndexChart(QChart& chart, const IndexChartSeries& first, const IndexChartSeries* second, bool filled,
                    int pointsPerPage)
{
    // Numbers with the decimal comma, whatever the system locale.
    chart.setLocalizeNumbers(true);
    chart.setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("MM/yyyy"));
    x->setTickCount(8);
    auto* y = new QValueAxis;
    y->setLabelFormat(QStringLiteral("%.4g"));
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);

    std::vector<const IndexChartSeries*> all{&first};
    if (second) all.push_back(second);
    double low = 0, high = 0;
    bool any = false;
    qint64 start = 0, end = 0;
    for (const IndexChartSeries* data : all) {
        QAbstractSeries* series = makeSeries(chart, *data, filled);
        series->attachAxis(x);
        series->attachAxis(y);
        for (const IndexValueRow& row : data->rows) {
            low = any ? std::min(low, row.value) : row.value;
            high = any ? std::max(high, row.value) : row.value;
            const qint64 at = msecs(row.date);
            start = any ? std::min(start, at) : at;
            end = any ? std::max(end, at) : at;
            any = true;
        }
    }
    // Without values there is nothing to scale: no made-up dates on the axes.
    x->setVisible(any);
    y->setVisible(any);
    if (!any) return;
    // The filled area reaches down to zero, so zero stays in view.
    if (filled) low = std::min(low, 0.0);
    if (high <= low) high = low + 1;
    y->setRange(low, high + (high - low) * 0.05);
    const auto count = static_cast<int>(first.rows.size());
    if (pointsPerPage > 0 && pointsPerPage < count)
        end = msecs(first.rows[static_cast<std::size_t>(pointsPerPage - 1)].date);
    if (end <= start) end = start + 86400000;
    x->setRange(QDateTime::fromMSecsSinceEpoch(start), QDateTime::fromMSecsSinceEpoch(end));
}

}  // namespace quintara
