// Worksheet items between the grid and table PITCALCU: PegaItem copies the
// current record into a grid row, GravaItem a grid row into the current
// record, and loadCaseItems fills the grid with a case's items, each in the
// row of its own number, so that row position and item number stay equal.
#pragma once

#include <string>
#include <vector>

#include "data/data_module.h"
#include "worksheet/worksheet_grid.h"

namespace quintara {

// Current PITCALCU record -> grid row (the grid grows to hold the row).
void PegaItem(DataModule& dm, WorksheetGrid& grid, int row);

// Grid row -> the current PITCALCU record, which the caller has put into
// append or edit state and posts afterwards. Every cell is converted before
// the first field is set: a cell that does not convert throws
// std::invalid_argument naming the column and leaves the record untouched.
void GravaItem(WorksheetGrid& grid, int row, const std::string& caseNumber, foxpro::Table& items);

struct CaseLoadReport {
    int loaded = 0;
    // Records not shown: a number that is not 001..999 or is already taken.
    std::vector<std::string> skipped;
};

// Empties the item rows and loads the case's items (tag "processo").
CaseLoadReport loadCaseItems(DataModule& dm, WorksheetGrid& grid, const std::string& caseNumber);

// "001".."999".
std::string itemNumberText(int item);
// The number of an item from its NORDEM text; 0 when it is not 1..999.
int itemNumberOf(const std::string& nordem);

}  // namespace quintara
