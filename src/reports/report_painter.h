// Paints a page model onto any paint device: a printer for the preview and
// for printing, a PDF writer for saving, an image for reviews and tests.
#pragma once

#include <QImage>
#include <QString>

#include "reports/page_model.h"

class QPainter;
class QPagedPaintDevice;
class QPrinter;

namespace quintara::reports {

// Paints one page with the painter's origin at the paper's top-left corner;
// dotsPerMm converts the model's millimetres into device units.
void paintPage(QPainter& painter, const Page& page, double dotsPerMm);

// Sets the device's page size and orientation to the model's, margins to zero.
void applyPageSetup(QPagedPaintDevice& device, const PageSetup& setup);

// Paints every page of the model on a printer (already set up by the caller's
// dialogs); the page size and orientation follow the model.
void printModel(const PageModel& model, QPrinter& printer);

// Writes the model as a PDF file. Throws std::runtime_error naming the file
// when it cannot be written.
void exportPdf(const PageModel& model, const QString& path);

// One page as a white image at the given resolution (for reviews and tests).
QImage renderPage(const PageModel& model, std::size_t pageIndex, double dotsPerInch = 96);

}  // namespace quintara::reports
