// Small helpers the correction charts share: fixed-pitch title lines as the
// chart's title, and the amounts and labels of the chart data as Qt values.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QChart;
class QDialog;
class QPushButton;
class QChartView;

namespace quintara {

QStringList toQStringList(const std::vector<std::string>& lines);
// The lines as the chart's title, blanks kept, in the system's fixed-pitch font.
void setTitleLines(QChart& chart, const QStringList& lines);
// "&Imprimir" and "&Retornar" under the chart, as both chart windows have them.
void layOutChartWindow(QDialog& window, QChartView* view, QPushButton*& print, QPushButton*& back);

}  // namespace quintara
