// The main window's monthly index sheet: the year box, the grid rows of the
// monthly indices and the month values of the base year.
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <functional>
#include <stdexcept>

#include "app/app_errors.h"
#include "app/frm_principal.h"
#include "ui/hints.h"

namespace quintara {

namespace {

const QStringList kMonthHeadings = {QStringLiteral("JAN"), QStringLiteral("FEV"), QStringLiteral("MAR"),
                                    QStringLiteral("ABR"), QStringLiteral("MAI"), QStringLiteral("JUN"),
                                    QStringLiteral("JUL"), QStringLiteral("AGO"), QStringLiteral("SET"),
                                    QStringLiteral("OUT"), QStringLiteral("NOV"), QStringLiteral("DEZ")};
const QColor kSilver(192, 192, 192);
constexpr int kCodeColumnWidth = 90;
constexpr int kNarrowestMonth = 20;

// Calls back whenever the watched widget changes size.
class ResizeWatcher : public QObject {
public:
    ResizeWatcher(QWidget* watched, std::function<void()> onResize)
        : QObject(watched), onResize_(std::move(onResize))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) onResize_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onResize_;
};

QTableWidgetItem* readOnlyItem(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

}  // namespace

void TFrmPrincipal::buildSheet(QWidget* panel)
{
    StringGrid1 = new QTableWidget(0, 13, panel);
    StringGrid1->setObjectName(QStringLiteral("StringGrid1"));
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the sheet as in any form; the arrows move inside it.
    StringGrid1->setTabKeyNavigation(false);
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(22);
    StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    StringGrid1->horizontalHeader()->setHighlightSections(false);
    StringGrid1->horizontalHeader()->setMinimumSectionSize(kNarrowestMonth);
    StringGrid1->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background: rgb(192,192,192); border: 1px solid gray; "
                       "font-weight: bold; padding: 2px; }"));
    QStringList headings{QString()};
    headings << kMonthHeadings;
    StringGrid1->setHorizontalHeaderLabels(headings);
    ui::setHint(StringGrid1, QStringLiteral("Essa planilha contêm apenas os indices de atualização mensal. "
                                            "Veja \"Tabela de Indicadores Econômicos\"."));
    connect(StringGrid1, &QTableWidget::currentCellChanged, this, [this] { Atualizatexto(); });

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(StringGrid1);
    // The month columns share the panel's width whenever it changes: on
    // maximise, on a resize by the person and on a restore.
    new ResizeWatcher(panel, [this] { setMonthColumnWidths(); });
}

QString TFrmPrincipal::cellText(int column, int row) const
{
    if (row == 0) {
        const QTableWidgetItem* header = StringGrid1->horizontalHeaderItem(column);
        return header ? header->text() : QString();
    }
    const QTableWidgetItem* item = StringGrid1->item(row - 1, column);
    return item ? item->text() : QString();
}

int TFrmPrincipal::gridRowCount() const
{
    return StringGrid1->rowCount() + 1;
}

void TFrmPrincipal::MontaCombo()
{
    statusPanels[2]->setText(QStringLiteral("aguarde ..."));
    const QString shown = ComboBox->currentText();
    {
        const QSignalBlocker block(ComboBox);
        ComboBox->clear();
        for (const std::string& year : yearList(today_().year()))
            ComboBox->addItem(QString::fromStdString(year));
        ComboBox->setCurrentIndex(-1);
        ComboBox->setEditText(shown);
    }
    statusPanels[2]->clear();
}

int TFrmPrincipal::baseYearFromBox()
{
    const QString text = ComboBox->currentText().trimmed();
    bool ok = false;
    const int year = text.toInt(&ok);
    if (!ok || year < 1 || year > 9999)
        throw std::invalid_argument("'" + ComboBox->currentText().toStdString() + "' não é um ano válido.");
    return year;
}

void TFrmPrincipal::AtualizaGrid()
{
    statusPanels[2]->setText(QStringLiteral("Aguarde, atualizando tabela de indices ..."));
    try {
        if (ComboBox->currentText().isEmpty()) {
            const QSignalBlocker block(ComboBox);
            ComboBox->setEditText(QString::number(defaultBaseYear(today_())));
        }
        baseYearFromBox();
        const QString yearText = ComboBox->currentText().left(4);
        StringGrid1->setRowCount(0);
        StringGrid1->setHorizontalHeaderItem(0, new QTableWidgetItem(yearText));
        const std::vector<MonthlySheetRow> rows = monthlySheetRows(dm_);
        StringGrid1->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            QTableWidgetItem* code =
                readOnlyItem(QString::fromStdString(rows[static_cast<std::size_t>(r)].code));
            code->setBackground(kSilver);
            QFont bold = code->font();
            bold.setBold(true);
            code->setFont(bold);
            StringGrid1->setItem(r, 0, code);
        }
        AtualizaGrid2();
    } catch (...) {
        statusPanels[1]->clear();
        statusPanels[2]->setText(QStringLiteral("pronto !"));
        Atualizatexto();
        throw;
    }
    statusPanels[1]->clear();
    statusPanels[2]->setText(QStringLiteral("pronto !"));
    Atualizatexto();
}

void TFrmPrincipal::setMonthColumnWidths()
{
    StringGrid1->setColumnWidth(0, kCodeColumnWidth);
    const int month = static_cast<int>(std::lround((sheetPanel_->width() - 130) / 12.0));
    for (int column = 1; column <= 12; ++column)
        StringGrid1->setColumnWidth(column, std::max(month, kNarrowestMonth));
}

std::vector<MonthlySheetRow> TFrmPrincipal::gridRows() const
{
    std::vector<MonthlySheetRow> rows;
    for (int r = 1; r < gridRowCount(); ++r) {
        MonthlySheetRow row;
        row.code = cellText(0, r).toStdString();
        for (int m = 0; m < 12; ++m)
            row.months[static_cast<std::size_t>(m)] = cellText(m + 1, r).toStdString();
        rows.push_back(std::move(row));
    }
    return rows;
}

void TFrmPrincipal::AtualizaGrid2()
{
    setMonthColumnWidths();
    const int year = baseYearFromBox();
    std::vector<MonthlySheetRow> rows = gridRows();
    QLabel* progress = statusPanels[1];
    fillMonthValues(dm_, year, rows, [progress](const Date& lastRead) {
        if (!lastRead.isEmpty()) progress->setText(QString::fromStdString(lastRead.toString()));
    });
    StringGrid1->setUpdatesEnabled(false);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        for (int m = 0; m < 12; ++m) {
            QTableWidgetItem* item = readOnlyItem(QString::fromStdString(
                rows[static_cast<std::size_t>(r)].months[static_cast<std::size_t>(m)]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            StringGrid1->setItem(r, m + 1, item);
        }
    }
    StringGrid1->setUpdatesEnabled(true);
    if (StringGrid1->currentRow() < 0 && StringGrid1->rowCount() > 0) StringGrid1->setCurrentCell(0, 0);
}

void TFrmPrincipal::ComboBoxChange()
{
    const QString text = ComboBox->currentText();
    StringGrid1->setHorizontalHeaderItem(0, new QTableWidgetItem(text));
    PTitPlanilha->setText(QStringLiteral("PLANILHA DE INDICES MENSAIS DE") + text);
    guarded([&] { AtualizaGrid2(); });
    // The chart shows the highlighted row of the year now in the sheet.
    AtualizaGrafico();
}

reports::MonthlyIndexSheet TFrmPrincipal::sheetForReport() const
{
    reports::MonthlyIndexSheet sheet;
    sheet.year = ComboBox->currentText().toStdString();
    // Rows are handed out while a counter stays below the grid's row count,
    // header row included: rows 1 to the last.
    for (const MonthlySheetRow& row : gridRows()) sheet.rows.push_back({row.code, row.months});
    return sheet;
}

}  // namespace quintara
