#include "app/worksheet/worksheet_windows.h"

#include "app/modal_runner.h"
#include "app/worksheet/frm_planilha.h"

namespace quintara {

WorksheetDialogs worksheetDialogs()
{
    // The item, totals, fees and detail windows are filled in here as they
    // join the worksheet; until then their commands do nothing.
    return {};
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
