// The monthly index sheet behind the main window's grid: one row per
// monthly-update index, one cell per month of a base year. Kept apart from the
// widgets so that the rules of the fill are tested without a window.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "data/data_module.h"
#include "data/date.h"

namespace quintara {

struct MonthlySheetRow {
    std::string code;                    // TBCM_COD
    std::array<std::string, 12> months;  // values of the base year as text, or empty
};

// The base year shown before the person picks one: in January and February
// the year before today's, from March on today's year.
int defaultBaseYear(Date today);

// The year list of the year box: 1939 up to and including the current year.
std::vector<std::string> yearList(int currentYear);

// The rows of the sheet with empty months: every index of DST_TCM1 whose
// TBCM_TIP is "2", in CODIGO order. Always at least one row (an empty code
// when there is no monthly index); a record that cannot be read leaves the
// code of the last row empty. The catalogue ends on its first record.
std::vector<MonthlySheetRow> monthlySheetRows(DataModule& dm);

// Called once per row with the last date read for it (empty when none).
using SheetProgress = std::function<void(const Date& lastRead)>;

// Fills the month cells of every row for the base year. Per row, months are
// tried in order until an exact (code, first day of month) key exists on the
// value table's "coddata" tag; from there the index's values are read forward
// and each one dated in the base year fills its month (the latest date of a
// month wins). The table's filter is off during the walk and always switched
// back on afterwards; display updates are suspended meanwhile.
void fillMonthValues(DataModule& dm, int baseYear, std::vector<MonthlySheetRow>& rows,
                     const SheetProgress& progress = {});

// A month value as the grid shows it: shortest general form, decimal comma.
std::string monthValueText(double value);

}  // namespace quintara
