#include "app/costs/cost_drag.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStyle>

namespace quintara {

CostItemList::CostItemList(QWidget* parent) : QListWidget(parent)
{
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
    setDragEnabled(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

QStringList CostItemList::mimeTypes() const
{
    return {QString::fromLatin1(kCostItemMime)};
}

QMimeData* CostItemList::mimeData(const QList<QListWidgetItem*>& items) const
{
    if (items.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kCostItemMime),
                  QByteArray::number(items.first()->data(Qt::UserRole).toUInt()));
    return data;
}

CostGrid::CostGrid(QWidget* parent) : QTableWidget(parent)
{
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

bool CostGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    // A double click, F2 or typing on a cell that takes no edit is told to
    // the window; moving from cell to cell is not an attempt to edit.
    const bool attempt =
        (trigger == DoubleClicked || trigger == EditKeyPressed || trigger == AnyKeyPressed) &&
        (editTriggers() & trigger);
    if (attempt && index.isValid() && !(index.flags() & Qt::ItemIsEditable)) {
        emit editRefused();
        return false;
    }
    return QTableWidget::edit(index, trigger, event);
}

QStringList CostGrid::mimeTypes() const
{
    return {QString::fromLatin1(kCaseCostMime)};
}

QMimeData* CostGrid::mimeData(const QList<QTableWidgetItem*>& items) const
{
    // Only a filled row can be dragged to the bin.
    if (items.isEmpty() || items.first()->text().trimmed().isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kCaseCostMime), QByteArray::number(items.first()->row()));
    return data;
}

void CostGrid::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QString::fromLatin1(kCostItemMime)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CostGrid::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasFormat(QString::fromLatin1(kCostItemMime)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CostGrid::dropEvent(QDropEvent* event)
{
    const QByteArray data = event->mimeData()->data(QString::fromLatin1(kCostItemMime));
    if (data.isEmpty()) {
        event->ignore();
        return;
    }
    // Copied, never moved: the item stays in the table.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit itemDropped(data.toUInt());
}

CostBin::CostBin(QWidget* parent) : QLabel(parent)
{
    setAcceptDrops(true);
    setPixmap(style()->standardIcon(QStyle::SP_TrashIcon).pixmap(40, 40));
    setAlignment(Qt::AlignCenter);
    setMinimumSize(48, 48);
}

void CostBin::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(QString::fromLatin1(kCaseCostMime)))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CostBin::dropEvent(QDropEvent* event)
{
    // Copied, so the grid does not take the row away itself; the count is
    // reloaded after the deletion.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit costDropped();
}

}  // namespace quintara
