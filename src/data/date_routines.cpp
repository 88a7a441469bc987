// Date routines by calendar month and the protocol-hour rule.
#include "data/date_routines.h"

#include <algorithm>
#include <stdexcept>

#include "data/text_routines.h"

namespace quintara {

namespace {

void requireDate(Date date, const char* routine)
{
    if (date.isEmpty()) throw std::invalid_argument(std::string(routine) + ": the date is empty");
}

// The month moved by n (either way), the day clamped.
Date shiftMonths(Date date, long n)
{
    const long index = static_cast<long>(date.year()) * 12 + (date.month() - 1) + n;
    const long year = index >= 0 ? index / 12 : -1;
    if (year < 1 || year > 9999)
        throw std::out_of_range(date.toString() + " moved by " + std::to_string(n) +
                                " months is outside the calendar");
    return SafeEncodeDate(date.day(), static_cast<int>(index % 12) + 1, static_cast<int>(year));
}

bool readNumber(std::string_view text, int& value)
{
    if (text.empty() || text.size() > 2) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

}  // namespace

Date SafeEncodeDate(int day, int month, int year)
{
    if (month < 1 || month > 12 || year < 1 || year > 9999 || day < 1)
        throw std::invalid_argument("SafeEncodeDate: no such date: day " + std::to_string(day) + ", month " +
                                    std::to_string(month) + ", year " + std::to_string(year));
    const int last = Date::daysInMonth(month, year);
    return Date(day > last ? last : day, month, year);
}

Date FirstDayOfMonth(Date date)
{
    requireDate(date, "FirstDayOfMonth");
    return Date(1, date.month(), date.year());
}

Date LastDayOfMonth(Date date)
{
    requireDate(date, "LastDayOfMonth");
    return Date(Date::daysInMonth(date.month(), date.year()), date.month(), date.year());
}

Date AddMonths(Date date, int n)
{
    requireDate(date, "AddMonths");
    return shiftMonths(date, n);
}

Date SubtractMonths(Date date, int n)
{
    requireDate(date, "SubtractMonths");
    return shiftMonths(date, -static_cast<long>(n));
}

Date NextMonday(Date date)
{
    requireDate(date, "NextMonday");
    switch (date.weekday()) {
        case 6:
            return date.addDays(2);
        case 0:
            return date.addDays(1);
        default:
            return date;
    }
}

bool IsValidDateText(std::string_view text)
{
    if (text.empty() || text == "  /  /  " || text == "  /  /") return false;
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    const std::string_view trimmed = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (TextLength(trimmed) < 10) return false;
    const auto date = Date::tryParse(trimmed);
    return date && !date->isEmpty();
}

std::string ProtocolHour(std::string_view text)
{
    std::string_view time = text.substr(0, text.find_last_not_of(' ') + 1);
    time.remove_prefix(std::min(time.size(), time.find_first_not_of(' ')));
    // Seconds, when the time carries them, play no part.
    const std::size_t colon = time.find(':');
    const std::size_t secondsColon = colon == std::string_view::npos ? colon : time.find(':', colon + 1);
    int hour = 0, minute = 0, second = 0;
    const bool valid = colon != std::string_view::npos && readNumber(time.substr(0, colon), hour) &&
                       readNumber(time.substr(colon + 1, secondsColon - colon - 1), minute) &&
                       (secondsColon == std::string_view::npos ||
                        (readNumber(time.substr(secondsColon + 1), second) && second < 60)) &&
                       hour < 24 && minute < 60;
    if (!valid) throw std::invalid_argument("'" + std::string(text) + "' is not a valid time (hh:mm)");
    if (hour >= 19) return "18:00";
    if (hour <= 11) return "12:00";
    return ZeroPadNumber(hour, 2) + ":" + ZeroPadNumber(minute, 2);
}

}  // namespace quintara
