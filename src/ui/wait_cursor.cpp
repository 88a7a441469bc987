#include "ui/wait_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace quintara::ui {

WaitCursor::WaitCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace quintara::ui
