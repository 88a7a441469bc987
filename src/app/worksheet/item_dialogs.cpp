#include "app/worksheet/item_dialogs.h"

#include "app/modal_runner.h"
#include "app/worksheet/item_form.h"
#include "app/worksheet/worksheet_session.h"
#include "worksheet/item_entry.h"

namespace quintara {

bool openNewItem(WorksheetSession& session, QWidget* parent)
{
    if (!session.hasCase() || session.LinhaAtual < 1) return false;
    const int row = session.LinhaAtual;
    TNovoItemPlanilha form(session.dm, parent);
    form.setItemNumber(row);
    form.setStoreAction([&session, row](const ItemEntry& entry) {
        storeNewItem(session.dm, session.grid, session.caseNumber, row, entry);
    });
    return runModal(form) == QDialog::Accepted;
}

int enterNewItems(WorksheetSession& session, QWidget* parent)
{
    int stored = 0;
    while (session.hasCase()) {
        session.LinhaAtual = session.grid.ContaString();
        if (!openNewItem(session, parent)) break;
        ++stored;
    }
    return stored;
}

bool openChangeItem(WorksheetSession& session, int row, QWidget* parent)
{
    if (!session.hasCase() || row < 1 || row > session.grid.lastRow() || session.grid.isFree(row))
        return false;
    session.LinhaAtual = row;
    TFrmAlterarItemPlanilha form(session.dm, session.grid, row, parent);
    form.setStoreAction([&session, row](const ItemEntry& entry) {
        storeChangedItem(session.dm, session.grid, session.caseNumber, row, entry);
    });
    return runModal(form) == QDialog::Accepted;
}

}  // namespace quintara
