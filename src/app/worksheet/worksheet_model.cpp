#include "app/worksheet/worksheet_model.h"

namespace quintara {

namespace {

// Amount and rate columns read better aligned to the right.
bool isNumberColumn(int column)
{
    switch (column) {
        case colOriginalAmount:
        case colPrincipal:
        case colCorrection:
        case colOrdinaryRate:
        case colOrdinaryInterest:
        case colCompensatoryRate:
        case colCompensatoryInterest:
        case colFineRate:
        case colFine:
        case colTotal:
        case colIndexValue:
        case colIndexQuantity:
        case colFeeRate:
        case colFees:
            return true;
        default:
            return false;
    }
}

}  // namespace

WorksheetModel::WorksheetModel(WorksheetGrid& grid, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), rows_(grid.rowCount() - 1)
{
}

int WorksheetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int WorksheetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : WorksheetGrid::kColumns;
}

QVariant WorksheetModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || gridRow(index.row()) > grid_.lastRow()) return {};
    if (role == Qt::DisplayRole) {
        const std::string& text = grid_.cell(gridRow(index.row()), index.column());
        // Number cells hold fixed-width texts ("%19.2f"); the blanks that
        // pad them are left to the alignment.
        return isNumberColumn(index.column()) ? QString::fromStdString(text).trimmed()
                                              : QString::fromStdString(text);
    }
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(
            (Qt::AlignVCenter | (isNumberColumn(index.column()) ? Qt::AlignRight : Qt::AlignLeft)).toInt());
    return {};
}

QVariant WorksheetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < WorksheetGrid::kColumns)
        return QString::fromStdString(grid_.cell(0, section));
    if (orientation == Qt::Vertical) return section + 1;
    return {};
}

void WorksheetModel::reload()
{
    beginResetModel();
    rows_ = grid_.rowCount() - 1;
    endResetModel();
}

void WorksheetModel::refresh()
{
    const int rows = grid_.rowCount() - 1;
    if (rows < rows_) {
        reload();
        return;
    }
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    }
    if (rows_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, WorksheetGrid::kColumns - 1));
}

}  // namespace quintara
