// Attorney's fees set for every item of a worksheet at once: the percentage
// goes into each item row and record with the fee it gives on the row's total,
// and every item becomes pending so that the next run recomputes its fees.
#pragma once

#include <string>

#include "data/amount.h"
#include "data/data_module.h"
#include "worksheet/worksheet_grid.h"

namespace quintara {

// The percentage as it is kept: rounded once to two decimals (halves away
// from zero, as the field shows it). The rounded value is what is shown,
// stored and used, so the fee never comes from digits nobody saw.
Amount feePercentage(Amount typed);

// The fee of an item: percentage × total / 100, rounded once to four decimals.
Amount feeOn(Amount total, Amount percentage);

// Item rows of the grid: rows from 1 whose "Nº" cell is filled.
int countItems(const WorksheetGrid& grid);

struct FeesReport {
    int items = 0;           // item rows marked and given the percentage
    int recordsUpdated = 0;  // PITCALCU records given HONOPER and HONOVAL
};

// For every item row: mark "$", cell 29 the percentage (two decimals), cell
// 30 the fee "%15.2f", and HONOPER / HONOVAL in the item's record (tag
// "item"). A row whose total cell is not a number gets the fee 0,00 and its
// record keeps its stored fees. The percentage is rounded by feePercentage.
// Table errors propagate; rows already done stay done.
FeesReport applyFees(DataModule& dm, WorksheetGrid& grid, const std::string& caseNumber, Amount percentage);

}  // namespace quintara
