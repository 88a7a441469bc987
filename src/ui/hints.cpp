#include "ui/hints.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QStatusTipEvent>
#include <QWidget>

namespace quintara::ui {

namespace {

// Status tips travel up the parent chain to the window; this filter on the
// window copies them into the hint label.
class HintRouter : public QObject {
public:
    HintRouter(QWidget* window, QLabel* label) : QObject(window), label_(label) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::StatusTip || !label_) return QObject::eventFilter(watched, event);
        // Taken here, so that a main window does not also show it as its
        // status bar's passing message.
        label_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }

private:
    QPointer<QLabel> label_;
};

}  // namespace

void setHint(QWidget* widget, const QString& hint)
{
    widget->setStatusTip(hint);
    widget->setToolTip(hint);
}

void setHint(QAction* action, const QString& hint)
{
    action->setStatusTip(hint);
    action->setToolTip(hint);
}

void routeHints(QWidget* window, QLabel* label)
{
    window->installEventFilter(new HintRouter(window, label));
}

}  // namespace quintara::ui
