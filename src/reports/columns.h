// Columns of a tabular report: one definition places both the column
// headings and every detail line's cells, so the two always line up.
#pragma once

#include <string>
#include <vector>

#include "reports/report.h"

namespace quintara::reports {

struct Column {
    double x = 0;      // millimetres from the left margin
    double width = 0;  // millimetres
    Align align = Align::Left;
};

// Columns laid side by side from x = 0 with the given widths, all left-aligned
// unless changed afterwards.
std::vector<Column> columnsOfWidths(const std::vector<double>& widths);

// Adds one text per column at height y of band (cells beyond the columns
// throw std::invalid_argument; missing cells are left empty).
void addCells(Band& band, const std::vector<Column>& columns, double y, const std::vector<std::string>& cells,
              const TextStyle& style);

// A band of the given height with the cells, 0,8 mm below its top.
Band cellsBand(const std::vector<Column>& columns, const std::vector<std::string>& cells,
               const TextStyle& style, double heightMm);

}  // namespace quintara::reports
