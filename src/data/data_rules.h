// Rules of the stored data that the table checks (index against table, memo
// file) cannot see: in DST_LCM1, one value per index and date.
#pragma once

#include <string>
#include <vector>

#include "foxpro/table.h"

namespace quintara {

// The breaches of the data rules of the open table (chosen by its file
// name; tables without such rules give none), one line each. Leaves the
// table in physical order without its filter.
std::vector<std::string> dataRuleProblems(foxpro::Table& table);

}  // namespace quintara
