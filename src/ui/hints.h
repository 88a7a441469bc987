// Status-bar hints: the short help text shown while the mouse is over a
// control. setHint gives a control its hint; routeHints shows the hints of a
// window's controls in a label (the hint panel of its status bar).
#pragma once

#include <QString>

class QLabel;
class QWidget;
class QAction;

namespace quintara::ui {

// Sets the control's status tip and tool tip to the hint.
void setHint(QWidget* widget, const QString& hint);
void setHint(QAction* action, const QString& hint);

// Shows every status tip raised inside window in label (an empty tip, raised
// when the mouse leaves, empties the label). The router lives as long as window.
void routeHints(QWidget* window, QLabel* label);

}  // namespace quintara::ui
