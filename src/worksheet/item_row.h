// Reading one worksheet item from its grid row: the typed parameters the
// engine's item calculation takes, read from the row's text cells.
#pragma once

#include <string>

#include "engine/item_calculation.h"
#include "worksheet/worksheet_grid.h"

namespace quintara {

// A rate as the worksheet keeps it. The item entry writes a rate into its
// cell as text and the run reads it back as an amount, so a typed rate is cut
// to four decimals on its way through the grid; a cell that is empty or does
// not convert reads as 0. The quick calculation, which has no grid, keeps the
// rate as typed: the two give different interest for a rate such as 12,34567.
Amount gridRate(const std::string& cellText);

// An item's parameters read from its row, the rates through gridRate. Throws
// for an origin date, amount or formula cell that does not convert.
ItemParameters readItemParameters(const WorksheetGrid& grid, int row);

}  // namespace quintara
