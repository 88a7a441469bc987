#include "app/worksheet/worksheet_windows.h"

#include "app/modal_runner.h"
#include "app/worksheet/detail_dialogs.h"
#include "app/worksheet/frm_planilha.h"
#include "app/worksheet/item_dialogs.h"
#include "app/worksheet/totals_dialogs.h"

namespace quintara {

WorksheetDialogs worksheetDialogs()
{
    WorksheetDialogs dialogs;
    dialogs.newItem = openNewItem;
    dialogs.changeItem = openChangeItem;
    dialogs.totals = openTotals;
    dialogs.fees = openFees;
    dialogs.detail = openItemDetail;
    return dialogs;
}

TfrmPlanilha& worksheetWindow(DataModule& dm, QWidget* owner)
{
    if (auto* existing = owner->findChild<TfrmPlanilha*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new TfrmPlanilha(dm, worksheetDialogs(), owner);
}

int openWorksheet(DataModule& dm, QWidget* owner)
{
    return runModal(worksheetWindow(dm, owner));
}

}  // namespace quintara
