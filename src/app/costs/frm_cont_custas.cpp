#include "app/costs/frm_cont_custas.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "app/app_errors.h"
#include "app/cases/frm_processos.h"
#include "app/costs/cost_drag.h"
#include "app/modal_runner.h"
#include "data/case_costs.h"
#include "data/case_register.h"
#include "data/data_module.h"
#include "data/format_text.h"
#include "data/lookups.h"
#include "data/text_routines.h"
#include "ui/prompter.h"
#include "ui/report_preview.h"
#include "ui/wait_cursor.h"

namespace quintara {

namespace {

enum Column { kOrder, kDescription, kQuantity, kUnit, kTotal, kCode };

const QString kAllItems = QStringLiteral("TABELA DE CUSTAS (TODOS)");

QString dateText(const foxpro::Table& table, const char* field)
{
    return QString::fromStdString(Date::fromDtos(table.getDate(field)).toString());
}

QString totalText(Amount total)
{
    return total.isZero() ? QString::fromUtf8(kNotCharged)
                          : QString::fromStdString(formatText("%11.2f", {total}));
}

}  // namespace

TFrmContCustas::TFrmContCustas(DataModule& dm, QWidget* parent) : QDialog(parent), dm_(dm)
{
    setObjectName(QStringLiteral("TFrmContCustas"));
    setWindowTitle(QStringLiteral("Contagem de Custas"));
    buildLayout();
    resetGrid();

    connect(DBLookUpComboBox1, &QComboBox::activated, this, &TFrmContCustas::DBLookUpComboBox1Click);
    connect(btProcessos, &QPushButton::clicked, this, [this] {
        TFrmProcessos cases(dm_, this);
        runModal(cases);
        guarded([&] { fillCases(); });
    });
    connect(DBGGrupoCustas, &QListWidget::currentRowChanged, this, &TFrmContCustas::DBGGrupoCustasClick);
    connect(Panel7, &QPushButton::clicked, this, &TFrmContCustas::Panel7Click);
    connect(DBGCustas, &QListWidget::itemActivated, this, &TFrmContCustas::AdicionarClick);
    connect(btAdicionar, &QPushButton::clicked, this, &TFrmContCustas::AdicionarClick);
    connect(SgCustas, &CostGrid::itemDropped, this, &TFrmContCustas::SgCustasDragDrop);
    // Only quantity and unit value take edits; an attempt on another column
    // sends the person to the search field.
    connect(SgCustas, &CostGrid::editRefused, this, [this] { cLocalizar->setFocus(); });
    connect(SgCustas, &QTableWidget::itemChanged, this,
            [this](QTableWidgetItem* item) { SgCustasSetEditText(item->row(), item->column()); });
    connect(SgCustas, &QTableWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(SgCustas->viewport()->mapToGlobal(at)); });
    connect(Lixeira, &CostBin::costDropped, this, &TFrmContCustas::ApagarItem1Click);
    connect(BtImprimir, &QPushButton::clicked, this, &TFrmContCustas::BtImprimirClick);
    connect(BtSair, &QPushButton::clicked, this, &TFrmContCustas::BtSairClick);
    DBGCustas->installEventFilter(this);
}

void TFrmContCustas::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TFrmContCustas::closeEvent(QCloseEvent* event)
{
    letter_.clear();
    pnTabCustas->setText(kAllItems);
    QDialog::closeEvent(event);
}

bool TFrmContCustas::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on the item list adds the item, for those who do not drag.
    if (watched == DBGCustas && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            AdicionarClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFrmContCustas::FormActivate()
{
    guarded([&] {
        fillCases();
        const QSignalBlocker block(DBGGrupoCustas);
        DBGGrupoCustas->clear();
        for (const CostGroup& group : costGroups(dm_)) {
            auto* entry = new QListWidgetItem(QString::fromStdString(group.name), DBGGrupoCustas);
            entry->setData(Qt::UserRole, QString::fromStdString(group.letter));
        }
        fillItems();
        if (!preset_.empty()) {
            const std::string preset = std::exchange(preset_, std::string());
            DBLookUpComboBox1->setCurrentText(QString::fromStdString(preset));
            loadCase(preset);
        }
    });
    DBGCustas->setEnabled(true);
    for (QAction* action : PopupMenu1->actions()) action->setEnabled(true);
}

void TFrmContCustas::fillCases()
{
    const QString current = DBLookUpComboBox1->currentText();
    const QSignalBlocker block(DBLookUpComboBox1);
    DBLookUpComboBox1->clear();
    foxpro::Table& cases = dm_.Processos();
    cases.setFilterActive(false);
    cases.setTag("numero");
    for (cases.first(); !cases.eof(); cases.next())
        DBLookUpComboBox1->addItem(QString::fromStdString(cases.getString("NPROCESSO")));
    DBLookUpComboBox1->setCurrentIndex(DBLookUpComboBox1->findText(current));
}

void TFrmContCustas::fillItems()
{
    DBGCustas->clear();
    for (const CostItem& item : costItems(dm_, letter_, CostItemOrder::ByDescription)) {
        auto* entry = new QListWidgetItem(QString::fromStdString(item.description), DBGCustas);
        entry->setData(Qt::UserRole, item.record);
    }
    if (DBGCustas->count() > 0) DBGCustas->setCurrentRow(0);
    // Items can be dragged only once a case is chosen.
    DBGCustas->setDragEnabled(!caseNumber_.empty());
}

void TFrmContCustas::DBGGrupoCustasClick()
{
    const QListWidgetItem* group = DBGGrupoCustas->currentItem();
    if (!group) return;
    letter_ = group->data(Qt::UserRole).toString().toStdString();
    pnTabCustas->setText(QStringLiteral("TAB.DE CUSTAS (") + group->text() + QStringLiteral(")"));
    guarded([&] { fillItems(); });
}

void TFrmContCustas::Panel7Click()
{
    letter_.clear();
    pnTabCustas->setText(kAllItems);
    const QSignalBlocker block(DBGGrupoCustas);
    DBGGrupoCustas->setCurrentRow(-1);
    guarded([&] { fillItems(); });
}

void TFrmContCustas::DBLookUpComboBox1Click()
{
    guarded([&] { loadCase(DBLookUpComboBox1->currentText().toStdString()); });
}

QString TFrmContCustas::cell(int row, int column) const
{
    const QTableWidgetItem* item = SgCustas->item(row, column);
    return item ? item->text() : QString();
}

void TFrmContCustas::setCell(int row, int column, const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
    if (column == kQuantity || column == kUnit) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    if (column >= kQuantity && column <= kTotal) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SgCustas->setItem(row, column, item);
}

void TFrmContCustas::resetGrid()
{
    const QSignalBlocker block(SgCustas);
    SgCustas->setRowCount(1);
    for (int column = 0; column < SgCustas->columnCount(); ++column) setCell(0, column, {});
}

void TFrmContCustas::setRow(int row, const std::string& order, const std::string& description, int quantity,
                            Amount unit, Amount total, const std::string& code)
{
    const QSignalBlocker block(SgCustas);
    setCell(row, kOrder, QString::fromStdString(order));
    setCell(row, kDescription, QString::fromStdString(description));
    setCell(row, kQuantity, QString::fromStdString(formatText("%6s", {std::to_string(quantity)})));
    setCell(row, kUnit, QString::fromStdString(formatText("%9.2f", {unit})));
    setCell(row, kTotal, QString::fromStdString(formatText("%11.2f", {total})));
    setCell(row, kCode, QString::fromStdString(code));
}

void TFrmContCustas::loadCase(std::string number)
{
    if (IsBlank(number)) return;
    statusLabel->setText(QStringLiteral("Aguarde, localizando dados do processo.."));
    caseNumber_.clear();
    foxpro::Table& cases = dm_.Processos();
    cases.setTag("numero");
    if (cases.seek({number})) {
        caseNumber_ = cases.getString("NPROCESSO");
        lbDescricao->setText(QString::fromStdString(cases.getString("DESCRICAO")));
        lbData->setText(dateText(cases, "DPROTOCOLO"));
        lbAbertura->setText(dateText(cases, "DATA"));
        lstNomes->clear();
        for (const CaseName& name : caseNames(dm_, caseNumber_))
            lstNomes->addItem(QString::fromStdString(name.name));
    }
    resetGrid();
    letter_.clear();
    pnTabCustas->setText(kAllItems);
    fillItems();
    int row = 0;
    for (const CaseCost& cost : caseCosts(dm_, caseNumber_)) {
        if (row == SgCustas->rowCount()) SgCustas->setRowCount(row + 1);
        setRow(row++, cost.order, cost.description, cost.quantity, cost.unit, cost.total, cost.code);
    }
    Totais();
    statusLabel->setText(QStringLiteral("Concluído !"));
}

void TFrmContCustas::AdicionarClick()
{
    const QListWidgetItem* item = DBGCustas->currentItem();
    if (item && !caseNumber_.empty()) SgCustasDragDrop(item->data(Qt::UserRole).toUInt());
}

void TFrmContCustas::SgCustasDragDrop(std::uint32_t itemRecord)
{
    if (caseNumber_.empty()) return;
    guarded([&] {
        const CostItem item = costItemAt(dm_, itemRecord);
        const CaseCost cost = addCaseCost(dm_, caseNumber_, item, Date::today());
        int row = SgCustas->rowCount() - 1;
        if (!cell(row, kOrder).isEmpty()) SgCustas->setRowCount(++row + 1);
        setRow(row, cost.order, cost.description, cost.quantity, cost.unit, cost.total, cost.code);
        SgCustas->setCurrentCell(row, kDescription);
    });
    Totais();
    cLocalizar->setFocus();
}

void TFrmContCustas::SgCustasSetEditText(int row, int column)
{
    if ((column != kQuantity && column != kUnit) || cell(row, kOrder).isEmpty()) return;
    const QString quantityText = cell(row, kQuantity).trimmed();
    const QString unitText = cell(row, kUnit).trimmed();
    if ((column == kQuantity ? quantityText : unitText).isEmpty()) return;
    bool isInteger = false;
    const int quantity = quantityText.toInt(&isInteger);
    if (!isInteger) {
        ui::Prompter::current().error(
            QStringLiteral("Erro"), QStringLiteral("'%1' não é um valor inteiro válido.").arg(quantityText));
        return;
    }
    Amount unit;
    try {
        unit = Amount::parse(unitText.toStdString());
    } catch (const std::invalid_argument&) {
        ui::Prompter::current().error(QStringLiteral("Erro"),
                                      QStringLiteral("'%1' não é um valor numérico válido.").arg(unitText));
        return;
    }
    const Amount total = costTotal(quantity, unit);
    {
        const QSignalBlocker block(SgCustas);
        setCell(row, kTotal, totalText(total));
    }
    guarded([&] { updateCaseCost(dm_, caseNumber_, cell(row, kOrder).toStdString(), quantity, unit); });
    Totais();
}

void TFrmContCustas::Totais()
{
    const QSignalBlocker block(SgCustas);
    Amount sum;
    for (int row = 0; row < SgCustas->rowCount(); ++row) {
        const QString text = cell(row, kTotal).trimmed();
        Amount amount;
        try {
            if (!text.isEmpty()) amount = Amount::parse(text.toStdString());
        } catch (const std::invalid_argument&) {
            amount = Amount();
        }
        if (!amount.isZero())
            sum += amount;
        else
            setCell(row, kTotal, QString::fromUtf8(kNotCharged));
    }
    pnTotal->setText(QString::fromStdString(formatText("%15.2n", {sum})).trimmed());
}

void TFrmContCustas::ApagarItem1Click()
{
    const int row = SgCustas->currentRow();
    if (row < 0 || caseNumber_.empty() || cell(row, kOrder).isEmpty()) return;
    ui::WaitCursor wait;
    guarded([&] {
        deleteCaseCost(dm_, caseNumber_, cell(row, kOrder).toStdString());
        loadCase(caseNumber_);
    });
}

void TFrmContCustas::ApagarTudo1Click()
{
    if (caseNumber_.empty()) return;
    if (ui::Prompter::current().ask(QStringLiteral("Atenção!"),
                                    QStringLiteral("Apagar todos os custos deste processo ?"),
                                    ui::Prompter::Yes | ui::Prompter::No) != ui::Prompter::Yes)
        return;
    guarded([&] { deleteAllCaseCosts(dm_, caseNumber_); });
    resetGrid();
    Totais();
}

std::vector<reports::CostCountRow> TFrmContCustas::gridRows() const
{
    std::vector<reports::CostCountRow> rows;
    for (int row = 0; row < SgCustas->rowCount(); ++row) {
        if (cell(row, kOrder).isEmpty()) continue;
        rows.push_back({cell(row, kCode).toStdString(), cell(row, kDescription).toStdString(),
                        cell(row, kQuantity).toStdString(), cell(row, kUnit).toStdString(),
                        cell(row, kTotal).toStdString()});
    }
    return rows;
}

reports::CostCount TFrmContCustas::reportData() const
{
    reports::CostCount count;
    count.caseNumber = caseNumber_;
    count.description = lbDescricao->text().toStdString();
    count.rows = gridRows();
    foxpro::Table& cases = dm_.Processos();
    cases.setTag("numero");
    if (caseNumber_.empty() || !cases.seek({caseNumber_})) return count;
    const std::string protocol = cases.getString("NPROTOCOLO");
    count.protocol = IsBlank(protocol) ? "<Não protocolado>"
                                       : dateText(cases, "DPROTOCOLO").toStdString() + " às " +
                                             cases.getString("HORAPROTOC") + "hs. sob o Nº" + protocol;
    count.responsible = cases.getString("RESPONSAV");
    const std::string user = cases.getString("USUARIO");
    count.registered = dateText(cases, "DATA").toStdString() + " às " + cases.getString("HORA") +
                       "hs. Usr:" + NomeDoUsuario(dm_, user);
    return count;
}

std::vector<std::string> TFrmContCustas::reportLines() const
{
    return reports::costCountLines(
        gridRows(), [this](const std::string& letter) { return DescricaoGrupoCusta(dm_, letter); });
}

void TFrmContCustas::BtImprimirClick()
{
    guarded([&] {
        ui::ReportPreview report(reports::layOut(reports::costCountLayout(reportData(), reportLines())),
                                 this);
        report.preview();
    });
}

void TFrmContCustas::BtSairClick()
{
    letter_.clear();
    pnTabCustas->setText(kAllItems);
    accept();
}

}  // namespace quintara
