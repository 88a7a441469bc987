// WorksheetModel: shows a WorksheetGrid in a table view. Model row n is grid
// row n + 1 (the grid's row 0 holds the column titles, shown as headers). The
// grid is changed by many hands, so the model is told afterwards with one
// signal for the whole change, never one per cell.
#pragma once

#include <QAbstractTableModel>

#include "worksheet/worksheet_grid.h"

namespace quintara {

class WorksheetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit WorksheetModel(WorksheetGrid& grid, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The grid was refilled (a case was loaded).
    void reload();
    // Some cells changed, rows may have been added: one signal for all.
    void refresh();

    static int gridRow(int modelRow) { return modelRow + 1; }
    static int modelRow(int gridRow) { return gridRow - 1; }

private:
    WorksheetGrid& grid_;
    int rows_ = 0;  // the row count the view knows
};

}  // namespace quintara
