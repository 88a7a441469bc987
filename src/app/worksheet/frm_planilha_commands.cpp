// The worksheet window's commands: item entry and change, automatic
// description, marking, deleting, the calculation runs and the windows the
// worksheet opens. A command on a free row does nothing.
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <stdexcept>

#include "app/app_errors.h"
#include "app/cases/frm_processos.h"
#include "app/costs/costs_windows.h"
#include "app/modal_runner.h"
#include "app/worksheet/frm_calculando.h"
#include "app/worksheet/frm_erros.h"
#include "app/worksheet/frm_planilha.h"
#include "app/worksheet/worksheet_model.h"
#include "data/lookups.h"
#include "data/text_routines.h"
#include "engine/text_columns.h"
#include "ui/date_edit.h"
#include "ui/prompter.h"
#include "worksheet/worksheet_items.h"

namespace quintara {

void TfrmPlanilha::connectCommands()
{
    connect(DBLookupComboBox1, &QComboBox::activated, this, &TfrmPlanilha::DBLookupComboBox1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TfrmPlanilha::SpeedButton2Click);
    connect(GPlanilha->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TfrmPlanilha::GPlanilhaClick);
    connect(GPlanilha, &QTableView::clicked, this, &TfrmPlanilha::GPlanilhaClick);
    connect(GPlanilha, &QTableView::doubleClicked, this, &TfrmPlanilha::TbDestacarItemClick);
    connect(GPlanilha, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(GPlanilha->viewport()->mapToGlobal(at)); });
    const std::pair<QAction*, void (TfrmPlanilha::*)()> routes[] = {
        {tbIncluirItem, &TfrmPlanilha::tbIncluirItemClick},
        {mnNovoItem, &TfrmPlanilha::tbIncluirItemClick},
        {tbAlterarItem, &TfrmPlanilha::tbAlterarItemClick},
        {mnAlterarItem, &TfrmPlanilha::tbAlterarItemClick},
        {tbMudaDesc, &TfrmPlanilha::tbMudaDescClick},
        {mnDescricaoAutomatica, &TfrmPlanilha::tbMudaDescClick},
        {mnMarcarTodos, &TfrmPlanilha::MarcarTodosClick},
        {tbApagarItem, &TfrmPlanilha::tbApagarItemClick},
        {mnApagarItem, &TfrmPlanilha::tbApagarItemClick},
        {tbApagaTudo, &TfrmPlanilha::tbApagaTudoClick},
        {mnApagarTodos, &TfrmPlanilha::tbApagaTudoClick},
        {tbRecalcularItem, &TfrmPlanilha::tbRecalcularItemClick},
        {mnRecalcularItem, &TfrmPlanilha::tbRecalcularItemClick},
        {TbDestacarItem, &TfrmPlanilha::TbDestacarItemClick},
        {mnDestacarItem, &TfrmPlanilha::TbDestacarItemClick},
    };
    for (const auto& [action, slot] : routes) connect(action, &QAction::triggered, this, slot);
    connect(BtCalcular, &QPushButton::clicked, this, &TfrmPlanilha::BtCalcularClick);
    connect(BtTotais, &QPushButton::clicked, this, &TfrmPlanilha::BtTotaisClick);
    connect(BtHonorarios, &QPushButton::clicked, this, &TfrmPlanilha::BtHonorariosClick);
    connect(BtErros, &QPushButton::clicked, this, &TfrmPlanilha::BtErrosClick);
    connect(btCustas, &QPushButton::clicked, this, &TfrmPlanilha::btCustasClick);
    connect(btSair, &QPushButton::clicked, this, &QDialog::accept);
    connect(DatadoCalculo, &QLineEdit::editingFinished, this, &TfrmPlanilha::syncCalculationDate);
    connect(Calendario, &QCalendarWidget::clicked, this, &TfrmPlanilha::CalendarioClick);
    connect(Calendario, &QCalendarWidget::activated, this, &TfrmPlanilha::CalendarioClick);
}

void TfrmPlanilha::CalendarioClick()
{
    const QDate chosen = Calendario->selectedDate();
    DatadoCalculo->setDate(Date(chosen.day(), chosen.month(), chosen.year()));
    syncCalculationDate();
    btCalendario->menu()->hide();
    tbRecalcularItem->setEnabled(true);
    mnRecalcularItem->setEnabled(true);
}

void TfrmPlanilha::SpeedButton2Click()
{
    TFrmProcessos cases(session_.dm, this);
    runModal(cases);
    guarded([&] { fillCases(); });
    childClosed();
}

void TfrmPlanilha::tbIncluirItemClick()
{
    if (!session_.hasCase() || !dialogs_.newItem) return;
    syncCalculationDate();
    // One item after another until the person cancels the form.
    bool entered = true;
    while (entered) {
        session_.LinhaAtual = session_.grid.ContaString();
        model_->refresh();
        entered = false;
        guarded([&] { entered = dialogs_.newItem(session_, this); });
        model_->refresh();
        if (entered) selectRow(session_.LinhaAtual);
    }
    childClosed();
}

void TfrmPlanilha::tbAlterarItemClick()
{
    const int row = selectedItemRow();
    if (row == 0 || !dialogs_.changeItem) return;
    syncCalculationDate();
    session_.LinhaAtual = row;
    guarded([&] { dialogs_.changeItem(session_, row, this); });
    childClosed();
}

void TfrmPlanilha::tbMudaDescClick()
{
    if (!session_.hasCase()) return;
    WorksheetGrid& grid = session_.grid;
    const std::string caseNumber = session_.caseNumber;
    guarded([&] {
        foxpro::Table& items = session_.dm.ItensProcesso();
        for (int row = 1; row <= grid.lastRow(); ++row) {
            if (grid.isFree(row) || !grid.cell(row, colDescription).empty()) continue;
            const Date origin = Date::parse(grid.cell(row, colOriginDate));
            if (origin.isEmpty()) continue;  // no month to name
            const std::string description = MonthName(origin.month()) + "/" + std::to_string(origin.year());
            grid.setCell(row, colDescription, description);
            const std::string number = grid.cell(row, colNumber);
            items.setTag("item");
            if (columnCount(caseNumber) <= 11 && items.seek({caseNumber, number}) &&
                items.getString("NPROCESSO") == trimRightBlanks(caseNumber) &&
                items.getString("NORDEM") == number) {
                items.edit();
                try {
                    items.setString("DESCRICAO", description);
                    items.post();
                } catch (...) {
                    items.cancel();
                    throw;
                }
            }
        }
    });
    model_->refresh();
    GPlanilhaClick();
}

void TfrmPlanilha::MarcarTodosClick()
{
    session_.grid.markAllForRecalculation();
    model_->refresh();
}

void TfrmPlanilha::tbApagarItemClick()
{
    const int row = selectedItemRow();
    if (row == 0) return;
    if (ui::Prompter::current().ask(QStringLiteral("Excluir ITem"),
                                    QStringLiteral("Confirma exclusão do item selecionado?"),
                                    ui::Prompter::Yes | ui::Prompter::No) == ui::Prompter::No)
        return;
    guarded([&] {
        const int item = itemNumberOf(session_.grid.cell(row, colNumber));
        if (item > 0 && ApagaItemProcesso(session_.dm, session_.caseNumber, item)) {
            session_.grid.clearRow(row);
            session_.stageErrors.erase(row);
        }
    });
    model_->refresh();
    GPlanilhaClick();
}

void TfrmPlanilha::tbApagaTudoClick()
{
    if (!session_.hasCase()) return;
    if (ui::Prompter::current().ask(
            QStringLiteral("Excluir Tudo"),
            QStringLiteral("Tem certeza que deseja apagar todos os itens da planilha ?"),
            ui::Prompter::Yes | ui::Prompter::No) == ui::Prompter::No)
        return;
    guarded([&] {
        if (ApagaItensProcesso(session_.dm, session_.caseNumber)) {
            session_.grid.clearItems();
            session_.stageErrors.clear();
        }
    });
    model_->refresh();
    GPlanilhaClick();
}

void TfrmPlanilha::tbRecalcularItemClick()
{
    const int row = selectedItemRow();
    if (row == 0) return;
    session_.grid.setCell(row, colMark, "$");
    model_->refresh();
    runCalculation(row);
}

void TfrmPlanilha::BtCalcularClick()
{
    if (!session_.hasCase()) return;
    runCalculation(0);
}

void TfrmPlanilha::runCalculation(int row)
{
    syncCalculationDate();
    const int selected = selectedRow();
    std::string platformError;
    {
        TFrmCalculando window(session_, row, this);
        runModal(window);
        platformError = window.report().platformError;
    }
    childClosed();
    selectRow(selected);
    if (!platformError.empty()) reportError(std::runtime_error(platformError));
}

void TfrmPlanilha::TbDestacarItemClick()
{
    const int row = selectedItemRow();
    if (row == 0 || !dialogs_.detail) return;
    syncCalculationDate();
    guarded([&] { dialogs_.detail(session_, row, this); });
    childClosed();
}

void TfrmPlanilha::BtTotaisClick()
{
    if (!session_.hasCase() || !dialogs_.totals) return;
    syncCalculationDate();
    guarded([&] { dialogs_.totals(session_, this); });
    childClosed();
}

void TfrmPlanilha::BtHonorariosClick()
{
    if (!session_.hasCase() || !dialogs_.fees) return;
    syncCalculationDate();
    guarded([&] { dialogs_.fees(session_, this); });
    childClosed();
}

void TfrmPlanilha::BtErrosClick()
{
    if (!session_.hasCase()) return;
    TFrmErros window(session_, this);
    runModal(window);
    childClosed();
}

void TfrmPlanilha::btCustasClick()
{
    if (!session_.hasCase()) return;
    // The costs count is the main window's long-lived one, preset to this case.
    QWidget* owner = parentWidget() ? parentWidget() : this;
    guarded([&] { openCostsCount(session_.dm, owner, session_.caseNumber); });
    childClosed();
}

}  // namespace quintara
