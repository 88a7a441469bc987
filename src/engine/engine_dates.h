// Date helpers of the correction engine: strict reading of the dd/mm/yyyy
// texts inside sequence and table lines, and month arithmetic.
#pragma once

#include <string_view>

#include "data/date.h"

namespace quintara {

// A real date from "dd/mm/yyyy". Throws std::invalid_argument naming the text
// when it is not one; the empty mask is not a date here.
Date engineDate(std::string_view text);

Date firstDayOf(Date date);
Date lastDayOf(Date date);
bool sameMonth(Date a, Date b);

}  // namespace quintara
