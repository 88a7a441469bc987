#include "app/worksheet/chart_text.h"

#include <QChart>
#include <QChartView>
#include <QDialog>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace quintara {

QStringList toQStringList(const std::vector<std::string>& lines)
{
    QStringList list;
    for (const std::string& line : lines) list << QString::fromStdString(line);
    return list;
}

void setTitleLines(QChart& chart, const QStringList& lines)
{
    QStringList html;
    for (const QString& line : lines)
        html << line.toHtmlEscaped().replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setBold(true);
    chart.setTitleFont(font);
    chart.setTitle(html.join(QStringLiteral("<br>")));
}

void layOutChartWindow(QDialog& window, QChartView* view, QPushButton*& print, QPushButton*& back)
{
    print = new QPushButton(QStringLiteral("&Imprimir"), &window);
    back = new QPushButton(QStringLiteral("&Retornar"), &window);
    print->setAutoDefault(false);
    back->setAutoDefault(false);
    print->setObjectName(QStringLiteral("btImprimir"));
    back->setObjectName(QStringLiteral("btRetornar"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(print);
    buttons->addWidget(back);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(view, 1);
    layout->addLayout(buttons);
    QObject::connect(back, &QPushButton::clicked, &window, &QDialog::accept);
    window.resize(900, 640);
}

}  // namespace quintara
