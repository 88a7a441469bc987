// The print preview of a correction chart: the chart as it stands on the
// screen, drawn on one landscape page, with printing and saving as PDF.
#pragma once

#include <QString>

class QChartView;
class QPrinter;
class QWidget;

namespace quintara {

// Shows the modal print preview of the chart (through runModal).
void previewChart(QChartView& view, const QString& title, QWidget* parent);

// Draws the chart scaled to the printer's page, keeping its proportions.
void paintChart(QChartView& view, QPrinter& printer);

}  // namespace quintara
