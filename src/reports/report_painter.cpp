#include "reports/report_painter.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QStringList>
#include <algorithm>
#include <stdexcept>

namespace quintara::reports {

namespace {

constexpr double kMmPerInch = 25.4;

QColor toColor(Rgb rgb)
{
    return QColor(rgb.r, rgb.g, rgb.b);
}

QFont toFont(const TextStyle& style)
{
    QFont font(QString::fromStdString(style.family));
    font.setPointSizeF(style.pointSize);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    if (style.fixedPitch) {
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else {
        font.setStyleHint(QFont::SansSerif);
    }
    return font;
}

Qt::Alignment toAlignment(Align align)
{
    switch (align) {
        case Align::Left:
            return Qt::AlignLeft;
        case Align::Center:
            return Qt::AlignHCenter;
        case Align::Right:
            return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

// The font, made smaller while the widest line is wider than the rectangle.
QFont fittingFont(const QFont& font, const QStringList& lines, double width, QPaintDevice* device)
{
    QFont fitted = font;
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, QFontMetricsF(fitted, device).horizontalAdvance(line));
    if (widest > width && widest > 0) fitted.setPointSizeF(std::max(3.0, font.pointSizeF() * width / widest));
    return fitted;
}

void paintText(QPainter& painter, const PageText& text, double dotsPerMm)
{
    const QStringList lines = QString::fromStdString(text.text).split(QLatin1Char('\n'));
    const double lineHeight = text.style.lineHeightMm() * dotsPerMm;
    const double width = text.rect.width * dotsPerMm;
    QFont font = toFont(text.style);
    if (text.style.shrinkToFit) font = fittingFont(font, lines, width, painter.device());
    painter.setFont(font);
    painter.setPen(toColor(text.style.color));
    const int flags = int(toAlignment(text.align) | Qt::AlignVCenter) | Qt::TextDontClip;
    double y = text.rect.y * dotsPerMm;
    for (const QString& line : lines) {
        painter.drawText(QRectF(text.rect.x * dotsPerMm, y, width, lineHeight), flags, line);
        y += lineHeight;
    }
}

QRectF toDevice(const RectMm& rect, double dotsPerMm)
{
    return QRectF(rect.x * dotsPerMm, rect.y * dotsPerMm, rect.width * dotsPerMm, rect.height * dotsPerMm);
}

void paintPages(const PageModel& model, QPainter& painter, QPagedPaintDevice& device, int from, int to)
{
    const double dotsPerMm = device.logicalDpiY() / kMmPerInch;
    for (int i = from; i <= to; ++i) {
        if (i > from && !device.newPage())
            throw std::runtime_error("Não foi possível iniciar uma nova página.");
        paintPage(painter, model.pages[static_cast<std::size_t>(i)], dotsPerMm);
    }
}

}  // namespace

void paintPage(QPainter& painter, const Page& page, double dotsPerMm)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PageBox& box : page.boxes()) {
        if (box.filled) painter.fillRect(toDevice(box.rect, dotsPerMm), toColor(box.fill));
        if (box.framed) {
            painter.setPen(QPen(toColor(box.frameColor), box.frameWidthMm * dotsPerMm));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(toDevice(box.rect, dotsPerMm));
        }
    }
    for (const PageLine& line : page.lines()) {
        painter.setPen(QPen(toColor(line.color), line.widthMm * dotsPerMm));
        painter.drawLine(QPointF(line.x1 * dotsPerMm, line.y1 * dotsPerMm),
                         QPointF(line.x2 * dotsPerMm, line.y2 * dotsPerMm));
    }
    for (const PageText& text : page.texts()) paintText(painter, text, dotsPerMm);
    painter.restore();
}

void applyPageSetup(QPagedPaintDevice& device, const PageSetup& setup)
{
    const QPageSize size(setup.paper == PaperSize::Letter ? QPageSize::Letter : QPageSize::A4);
    const auto orientation =
        setup.orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    device.setPageLayout(QPageLayout(size, orientation, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

void printModel(const PageModel& model, QPrinter& printer)
{
    if (model.pages.empty()) return;
    printer.setFullPage(true);
    applyPageSetup(printer, model.setup);
    if (printer.docName().isEmpty()) printer.setDocName(QString::fromStdString(model.title));
    const int last = static_cast<int>(model.pages.size()) - 1;
    // A page range chosen in the print dialog (1-based, 0 = all).
    const int from = printer.fromPage() > 0 ? std::min(printer.fromPage() - 1, last) : 0;
    const int to = printer.toPage() > 0 ? std::min(printer.toPage() - 1, last) : last;
    QPainter painter;
    if (!painter.begin(&printer)) throw std::runtime_error("Não foi possível iniciar a impressão.");
    paintPages(model, painter, printer, from, to);
    painter.end();
}

void exportPdf(const PageModel& model, const QString& path)
{
    if (model.pages.empty()) throw std::runtime_error("O relatório não tem páginas para gravar.");
    QPdfWriter writer(path);
    writer.setTitle(QString::fromStdString(model.title));
    writer.setCreator(QStringLiteral("Quintara"));
    writer.setResolution(600);
    applyPageSetup(writer, model.setup);
    QPainter painter;
    if (!painter.begin(&writer))
        throw std::runtime_error("Não foi possível gravar o arquivo " + path.toStdString() + ".");
    paintPages(model, painter, writer, 0, static_cast<int>(model.pages.size()) - 1);
    if (!painter.end())
        throw std::runtime_error("Não foi possível gravar o arquivo " + path.toStdString() + ".");
}

QImage renderPage(const PageModel& model, std::size_t pageIndex, double dotsPerInch)
{
    if (pageIndex >= model.pages.size()) throw std::out_of_range("O relatório não tem a página pedida.");
    const double dotsPerMm = dotsPerInch / kMmPerInch;
    QImage image(static_cast<int>(model.setup.widthMm() * dotsPerMm + 0.5),
                 static_cast<int>(model.setup.heightMm() * dotsPerMm + 0.5), QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(dotsPerMm * 1000 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, model.pages[pageIndex], dotsPerMm);
    return image;
}

}  // namespace quintara::reports
