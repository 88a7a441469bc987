// WorksheetGrid: the in-memory item list of one case, 31 text columns, row 0
// the titles and row n the item numbered n. The calculation run, fees, totals,
// item detail and error list read and write items through these cells by
// column position; the worksheet window shows the grid through a model.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace quintara {

// Column positions of the grid.
enum WorksheetColumn : int {
    colMark = 0,    // "$" = calculation pending
    colNumber = 1,  // item number, three digits
    colDescription = 2,
    colOriginDate = 3,
    colOriginalAmount = 4,
    colPrincipal = 5,
    colFormText = 6,   // the form's index chain
    colMonthMode = 7,  // "CHEIO" / "EXATO"
    colCorrection = 8,
    colOrdinaryRate = 9,
    colOrdinaryInterest = 10,
    colCompensatoryRate = 11,
    colCompensatoryInterest = 12,
    colFineRate = 13,
    colFine = 14,
    colFineOnInterest = 15,  // "SIM" / "NÃO"
    colTotal = 16,
    colDebtOrPayment = 17,  // "DÍVIDA" / "AMORT."
    colCalculationDate = 18,
    colConverter = 19,  // "SIM" / "NÃO"
    colOriginCurrency = 20,
    colIndexValue = 21,
    colIndexCode = 22,
    colIndexQuantity = 23,
    colOrdinaryFormula = 24,  // "0" simple, "1" compound
    colCompensatoryFormula = 25,
    colOrdinaryStart = 26,
    colCompensatoryStart = 27,
    colFormCode = 28,
    colFeeRate = 29,
    colFees = 30,
};

struct WorksheetColumnSpec {
    const char* title;
    int width;  // pixels; 0 = hidden
};

class WorksheetGrid {
public:
    static constexpr int kColumns = 31;
    static constexpr int kInitialRows = 20;  // the title row and 19 item rows
    using Row = std::array<std::string, kColumns>;

    WorksheetGrid();

    static const std::array<WorksheetColumnSpec, kColumns>& columnSpecs();

    int rowCount() const { return static_cast<int>(rows_.size()); }
    int lastRow() const { return rowCount() - 1; }
    // Throws std::out_of_range outside the grid.
    const std::string& cell(int row, int column) const;
    void setCell(int row, int column, std::string text);
    const Row& row(int row) const;

    // Grows the grid so that the row exists.
    void ensureRow(int row);
    // A row is free when its "Nº" cell is empty.
    bool isFree(int row) const;
    // Empties every cell of an item row (the row stays, free for reuse).
    void clearRow(int row);
    // Empties every item row (the titles stay).
    void clearItems();
    // ContaString: the first free item row, the grid growing by one row when
    // every row is taken.
    int ContaString();
    // "$" in the mark cell of every item row that holds an item.
    void markAllForRecalculation();

private:
    void check(int row, int column) const;
    std::vector<Row> rows_;
};

}  // namespace quintara
