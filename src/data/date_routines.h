// Date routines by calendar month (month ends clamped), the weekend shift to
// Monday, date-text validation and the protocol-hour rule.
#pragma once

#include <string>
#include <string_view>

#include "data/date.h"

namespace quintara {

// The date, with the day lowered one by one until it exists (31/02/2001 gives
// 28/02/2001). Throws std::invalid_argument when no day of that month exists
// (month or year out of range, day below 1).
Date SafeEncodeDate(int day, int month, int year);

// The routines below throw std::invalid_argument for the empty date.
Date FirstDayOfMonth(Date date);
Date LastDayOfMonth(Date date);
// The month moved n times forward (or back for a negative n), the day kept
// and clamped to the month's length: 31/01/2001 plus one month is 28/02/2001.
Date AddMonths(Date date, int n);
Date SubtractMonths(Date date, int n);
// A Saturday or Sunday moves to the following Monday; other days stay.
Date NextMonday(Date date);

// False for "", "  /  /  " and "  /  /"; otherwise true when the text, without
// surrounding blanks, is at least ten characters and a real dd/mm/yyyy date.
bool IsValidDateText(std::string_view text);

// A clock time "hh:mm" brought into the hours protocols are accepted: from 19
// on gives "18:00", up to 11 gives "12:00", 12 to 18 gives the time itself
// ("hh:mm"). Throws std::invalid_argument for a text that is not a time.
std::string ProtocolHour(std::string_view text);

}  // namespace quintara
