// The windows the worksheet opens that live outside it: item entry, change,
// totals, fees and item detail. The worksheet takes them as functions so that
// each can be built and tested on its own; an empty function means the
// command does nothing.
#pragma once

#include <functional>

class QWidget;

namespace quintara {

struct WorksheetSession;

struct WorksheetDialogs {
    // Shows the new-item form for session.LinhaAtual; on OK writes the row
    // and appends the item's record, returning true. Cancel returns false.
    std::function<bool(WorksheetSession&, QWidget*)> newItem;
    // Shows the change form for the row; on OK rewrites the row and the
    // item's record, returning true.
    std::function<bool(WorksheetSession&, int row, QWidget*)> changeItem;
    std::function<void(WorksheetSession&, QWidget*)> totals;
    std::function<void(WorksheetSession&, QWidget*)> fees;
    std::function<void(WorksheetSession&, int row, QWidget*)> detail;
};

}  // namespace quintara
