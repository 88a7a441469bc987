#include "worksheet/worksheet_grid.h"

#include <stdexcept>

namespace quintara {

const std::array<WorksheetColumnSpec, WorksheetGrid::kColumns>& WorksheetGrid::columnSpecs()
{
    static const std::array<WorksheetColumnSpec, kColumns> specs = {{
        {"!", 20},
        {"Nº", 20},
        {"Descrição Título", 230},
        {"Data Origem", 70},
        {"Valor Original", 80},
        {"Valor Princ.", 80},
        {"Forma Correção", 200},
        {"Ind.Mês", 50},
        {"Corr.Monetária", 80},
        {"J.Ord.%", 40},
        {"J.Ord.Valor", 80},
        {"J.Comp.%", 40},
        {"J.Compens.Valor", 80},
        {"Multa %", 60},
        {"Multa Valor", 80},
        {"MsJ", 30},
        {"Total Corrigido", 80},
        {"S/D", 50},
        {"Data Cálculo", 70},
        {"Conversor", 40},
        {"Origem", 0},
        {"Valor Ind.", 80},
        {"Indexador", 80},
        {"Quant.Ind.", 70},
        {"", 0},
        {"", 0},
        {"Data J.Ord.", 70},
        {"Data J.Com", 70},
        {"FCC", 0},
        {"Hon.%", 40},
        {"Hon. Valor", 70},
    }};
    return specs;
}

WorksheetGrid::WorksheetGrid() : rows_(kInitialRows)
{
    for (int c = 0; c < kColumns; ++c) rows_[0][c] = columnSpecs()[c].title;
}

void WorksheetGrid::check(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= kColumns)
        throw std::out_of_range("worksheet cell (" + std::to_string(row) + ", " + std::to_string(column) +
                                ") is outside the grid of " + std::to_string(rowCount()) + " rows");
}

const std::string& WorksheetGrid::cell(int row, int column) const
{
    check(row, column);
    return rows_[row][column];
}

void WorksheetGrid::setCell(int row, int column, std::string text)
{
    check(row, column);
    rows_[row][column] = std::move(text);
}

const WorksheetGrid::Row& WorksheetGrid::row(int row) const
{
    check(row, 0);
    return rows_[row];
}

void WorksheetGrid::ensureRow(int row)
{
    if (row < 0) throw std::out_of_range("negative worksheet row");
    if (row >= rowCount()) rows_.resize(row + 1);
}

bool WorksheetGrid::isFree(int row) const
{
    return cell(row, colNumber).empty();
}

void WorksheetGrid::clearRow(int row)
{
    check(row, 0);
    if (row == 0) throw std::out_of_range("the title row of the worksheet cannot be cleared");
    rows_[row] = Row();
}

void WorksheetGrid::clearItems()
{
    for (int r = 1; r < rowCount(); ++r) rows_[r] = Row();
}

int WorksheetGrid::ContaString()
{
    int row = 1;
    while (row < rowCount() && !isFree(row)) ++row;
    ensureRow(row);
    return row;
}

void WorksheetGrid::markAllForRecalculation()
{
    for (int r = 1; r < rowCount(); ++r)
        if (!isFree(r)) rows_[r][colMark] = std::string(1, '$');
}

}  // namespace quintara
