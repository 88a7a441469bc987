// The item dialogs as the worksheet window opens them: a new item in the row
// the worksheet chose, the series of new items, and the change of one item.
// Each stores what was confirmed through the worksheet layer.
#pragma once

class QWidget;

namespace quintara {

struct WorksheetSession;

// Shows the new-item form for session.LinhaAtual; on OK the item is stored
// in that row and in PITCALCU, and true is returned. False on Cancel or
// when no case is selected.
bool openNewItem(WorksheetSession& session, QWidget* parent);

// The item entry series: the first free row (ContaString), the new-item
// form, again after every OK, until Cancel. Returns how many were stored.
int enterNewItems(WorksheetSession& session, QWidget* parent);

// Shows the change form filled from `row` (which becomes LinhaAtual); on OK
// the row and its record are rewritten and true is returned. A free row, or
// no case, does nothing and returns false.
bool openChangeItem(WorksheetSession& session, int row, QWidget* parent);

}  // namespace quintara
