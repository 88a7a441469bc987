// Drag and drop of the costs count: the item list that drags court-cost
// items, the costs grid that takes them, and the bin that takes a cost off.
// Drags start after the platform's drag distance, so a click still selects.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <cstdint>
#include <functional>

namespace quintara {

// The MIME type of a dragged court-cost item: its DST_TCU1 record number.
inline constexpr const char* kCostItemMime = "application/x-quintara-cost-item";
// The MIME type of a dragged counted cost: its grid row.
inline constexpr const char* kCaseCostMime = "application/x-quintara-case-cost";

// The court-cost items; each list entry holds its record number in Qt::UserRole.
class CostItemList : public QListWidget {
    Q_OBJECT
public:
    explicit CostItemList(QWidget* parent = nullptr);

protected:
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
};

// The costs grid: accepts dropped items and drags its own non-empty rows.
class CostGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit CostGrid(QWidget* parent = nullptr);

signals:
    void itemDropped(std::uint32_t record);
    // The person started to edit a cell that cannot be edited.
    void editRefused();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMimeData* mimeData(const QList<QTableWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
};

// The trash bin: takes a cost dragged from the grid.
class CostBin : public QLabel {
    Q_OBJECT
public:
    explicit CostBin(QWidget* parent = nullptr);

signals:
    void costDropped();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace quintara
