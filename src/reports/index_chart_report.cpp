#include "reports/index_chart_report.h"
#include "reports/report_heading.h"

#include <algorithm>
#include <cmath>

#include "data/format_text.h"
#include "reports/print_stamp.h"

namespace quintara::reports {

namespace {

constexpr double kWidth = 277;  // A4 landscape inside 10 mm margins
constexpr double kChartTop = 24;
constexpr double kChartHeight = 120;
constexpr double kPlotLeft = 22;  // room for the value labels
constexpr double kPlotTop = kChartTop + 8;
constexpr double kPlotHeight = kChartHeight - 18;
constexpr double kPlotWidth = kWidth - kPlotLeft - 6;
constexpr double kMemoLine = 4.5;
constexpr int kValueTicks = 5;
constexpr int kDateTicks = 6;
constexpr double kStripWidth = 0.5;

// The fill under a line: its colour mixed with white.
Rgb tint(Rgb color)
{
    auto mix = [](std::uint8_t c) { return static_cast<std::uint8_t>(c + (255 - c) * 0.7); };
    return {mix(color.r), mix(color.g), mix(color.b)};
}

// Maps dates and values of the plotted series onto the plot area.
struct Scale {
    long first = 0, last = 1;
    double low = 0, high = 1;

    double x(Date date) const
    {
        return kPlotLeft +
               kPlotWidth * static_cast<double>(date.serial() - first) / static_cast<double>(last - first);
    }
    double y(double value) const { return kPlotTop + kPlotHeight * (high - value) / (high - low); }
};

Scale scaleOf(const IndexChartPrint& print)
{
    Scale scale;
    bool any = false;
    for (const ChartSeries& series : print.series)
        for (const ChartPoint& p : series.points) {
            scale.first = any ? std::min(scale.first, p.date.serial()) : p.date.serial();
            scale.last = any ? std::max(scale.last, p.date.serial()) : p.date.serial();
            scale.low = any ? std::min(scale.low, p.value) : p.value;
            scale.high = any ? std::max(scale.high, p.value) : p.value;
            any = true;
        }
    if (print.filled) scale.low = std::min(scale.low, 0.0);
    if (scale.last <= scale.first) scale.last = scale.first + 1;
    if (scale.high <= scale.low) scale.high = scale.low + 1;
    scale.high += (scale.high - scale.low) * 0.05;
    return scale;
}

void drawAxes(Band& band, const Scale& scale)
{
    const TextStyle label = TextStyle::sans(7);
    band.line(kPlotLeft, kPlotTop, kPlotLeft, kPlotTop + kPlotHeight, 0.3);
    band.line(kPlotLeft, kPlotTop + kPlotHeight, kPlotLeft + kPlotWidth, kPlotTop + kPlotHeight, 0.3);
    for (int i = 0; i <= kValueTicks; ++i) {
        const double value = scale.low + (scale.high - scale.low) * i / kValueTicks;
        const double y = scale.y(value);
        band.add(BandLine{kPlotLeft, y, kPlotLeft + kPlotWidth, y, 0.1, kSilver});
        band.text(0, y - 1.5, kPlotLeft - 2, formatText("%.4g", {value}), label, Align::Right);
    }
    for (int i = 0; i <= kDateTicks; ++i) {
        const long serial = scale.first + (scale.last - scale.first) * i / kDateTicks;
        const Date date = Date::fromSerial(serial);
        const double x = scale.x(date);
        band.line(x, kPlotTop + kPlotHeight, x, kPlotTop + kPlotHeight + 1.2, 0.2);
        band.text(x - 12, kPlotTop + kPlotHeight + 1.8, 24, date.toString().substr(3), label, Align::Center);
    }
}

void drawSeries(Band& band, const ChartSeries& series, const Scale& scale, bool filled)
{
    const double base = scale.y(std::max(scale.low, 0.0));
    for (std::size_t i = 1; filled && i < series.points.size(); ++i) {
        const ChartPoint& a = series.points[i - 1];
        const ChartPoint& b = series.points[i];
        const double xa = scale.x(a.date);
        const double xb = scale.x(b.date);
        const double ya = scale.y(a.value);
        const double yb = scale.y(b.value);
        // Thin strips under the segment, each as high as the line at its middle.
        const int strips = std::max(1, static_cast<int>((xb - xa) / kStripWidth));
        const double width = (xb - xa) / strips;
        for (int k = 0; k < strips; ++k) {
            const double top = ya + (yb - ya) * (k + 0.5) / strips;
            if (base > top) band.fill({xa + k * width, top, width + 0.05, base - top}, tint(series.color));
        }
    }
    for (std::size_t i = 1; i < series.points.size(); ++i) {
        const ChartPoint& a = series.points[i - 1];
        const ChartPoint& b = series.points[i];
        band.add(BandLine{scale.x(a.date), scale.y(a.value), scale.x(b.date), scale.y(b.value), 0.35,
                          series.color});
    }
}

Band pageHeader(const std::string& printedAt)
{
    TextStyle small = TextStyle::sans(7);
    small.italic = true;
    Band band(7);
    band.text(0, 0, 60, "Quintara", small);
    band.text(kWidth - 60, 0, 60, printedAt.empty() ? printStampNow() : printedAt, TextStyle::sans(7),
              Align::Right);
    band.line(0, 4.5, kWidth, 4.5, 0.2);
    return band;
}

Band title(const IndexChartPrint& print)
{
    Band band(kChartTop + kChartHeight + 4);
    TextStyle caption = TextStyle::sans(18, true);
    caption.shrinkToFit = true;
    band.text(0, 0, kWidth, print.caption, caption, Align::Center);
    band.text(0, 9.5, kWidth, print.period, TextStyle::sans(10), Align::Center);
    TextStyle description = TextStyle::sans(10, true);
    description.shrinkToFit = true;
    band.text(0, 15.5, kWidth, print.description, description, Align::Center);
    band.frame({0, kChartTop, kWidth, kChartHeight}, 0.2);
    band.text(0, kChartTop + 1.5, kWidth, print.caption, TextStyle::sans(10, true), Align::Center);
    const Scale scale = scaleOf(print);
    drawAxes(band, scale);
    for (const ChartSeries& series : print.series) drawSeries(band, series, scale, print.filled);
    // The legend only names the series when two are compared.
    if (print.series.size() > 1) {
        double x = kWidth - 70;
        for (const ChartSeries& series : print.series) {
            band.add(BandLine{x, kChartTop + 3.5, x + 6, kChartTop + 3.5, 0.8, series.color});
            band.text(x + 7, kChartTop + 2, 25, series.title, TextStyle::sans(8));
            x += 33;
        }
    }
    return band;
}

}  // namespace

PageModel indexChartReport(const IndexChartPrint& print)
{
    ReportLayout layout;
    layout.setup = {PaperSize::A4, Orientation::Landscape, {10, 10, 10, 10}};
    layout.name = "Gráfico de Variação do Índice " + print.caption;
    layout.pageHeader = pageHeader(print.printedAt);
    layout.title = title(print);
    layout.pageFooter = pageNumberFooter(kWidth, PageNumbering::Page);
    DetailSection memo;
    memo.rowCount = print.memo.size();
    memo.row = [lines = print.memo](std::size_t row) {
        Band band(kMemoLine);
        band.text(0, 0, kWidth, lines[row], TextStyle::sans(9));
        return band;
    };
    layout.sections.push_back(std::move(memo));
    return layOut(layout);
}

}  // namespace quintara::reports
