// How the worksheet window opens the detail of an item.
#pragma once

class QWidget;

namespace quintara {

struct WorksheetSession;

// Shows the item detail of grid row `row` modally; a free row opens an empty window.
void openItemDetail(WorksheetSession& session, int row, QWidget* parent);

}  // namespace quintara
