// Stateless date routines: calendar-month arithmetic with the day clamped to
// the month's end, weekend moves, the complete-date test of masked fields and
// the protocol-hour normalisation.
#pragma once

#include <string>
#include <string_view>

#include "data/date.h"

namespace quintara {

// The date, with the day lowered one by one until it exists in the month
// (31, 2, 2001 gives 28/02/2001). Throws std::invalid_argument when the
// month or year does not exist or the day is below 1.
Date SafeEncodeDate(int day, int month, int year);

// The routines below throw std::invalid_argument for the empty date.
Date FirstDayOfMonth(Date date);
Date LastDayOfMonth(Date date);
// The month moved n times forward (AddMonths) or back (SubtractMonths), the
// day kept and clamped to the month's end: 31/01/2001 plus one month gives
// 28/02/2001. A negative n moves the other way.
Date AddMonths(Date date, int n);
Date SubtractMonths(Date date, int n);
// A Saturday or Sunday moved to the following Monday; other days unchanged.
Date NextMonday(Date date);

// True when the text, trimmed, has at least ten characters and is a real
// date written dd/mm/yyyy; false for the empty masks and any other text.
bool IsValidDateText(std::string_view text);

// A clock time "hh:mm" moved into the hours in which protocols are accepted:
// from 19 h on gives "18:00", before 12 h gives "12:00", otherwise the time as
// "hh:mm". Throws std::invalid_argument when the text is not a time.
std::string ProtocolHour(std::string_view text);

}  // namespace quintara
