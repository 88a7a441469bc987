// Date routines by calendar month and day of the week.
#include "data/date_routines.h"

#include <algorithm>
#include <stdexcept>

namespace quintara {

namespace {

void requireDate(Date date)
{
    if (date.isEmpty()) throw std::invalid_argument("the date is empty");
}

// The date `months` calendar months away, the day clamped to the month's end.
Date shiftMonths(Date date, long months)
{
    requireDate(date);
    const long index = static_cast<long>(date.year()) * 12 + (date.month() - 1) + months;
    const long year = index >= 0 ? index / 12 : -1;
    if (year < 1 || year > 9999) throw std::out_of_range("date outside the years 1 to 9999");
    return SafeEncodeDate(date.day(), static_cast<int>(index % 12) + 1, static_cast<int>(year));
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// Reads one or two digits at text[pos]; -1 when there is none.
int readClockField(std::string_view text, std::size_t& pos)
{
    int value = -1;
    for (int n = 0; n < 2 && pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++n, ++pos) {
        value = (value < 0 ? 0 : value * 10) + (text[pos] - '0');
    }
    return value;
}

}  // namespace

Date SafeEncodeDate(int day, int month, int year)
{
    if (month < 1 || month > 12 || year < 1 || year > 9999 || day < 1) {
        throw std::invalid_argument("day " + std::to_string(day) + " of month " + std::to_string(month) +
                                    " of " + std::to_string(year) + " cannot form a date");
    }
    return Date(std::min(day, Date::daysInMonth(month, year)), month, year);
}

Date FirstDayOfMonth(Date date)
{
    requireDate(date);
    return Date(1, date.month(), date.year());
}

Date LastDayOfMonth(Date date)
{
    requireDate(date);
    return Date(Date::daysInMonth(date.month(), date.year()), date.month(), date.year());
}

Date AddMonths(Date date, int n)
{
    return shiftMonths(date, n);
}

Date SubtractMonths(Date date, int n)
{
    return shiftMonths(date, -static_cast<long>(n));
}

Date NextMonday(Date date)
{
    requireDate(date);
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
    const std::string_view trimmed = trimBlanks(text);
    if (trimmed.size() < 10) return false;
    const auto date = Date::tryParse(trimmed);
    return date && !date->isEmpty();
}

std::string ProtocolHour(std::string_view text)
{
    const std::string_view t = trimBlanks(text);
    std::size_t pos = 0;
    const int hour = readClockField(t, pos);
    int minute = -1;
    if (pos < t.size() && t[pos] == ':') minute = readClockField(t, ++pos);
    // Seconds may follow; they do not count.
    int second = 0;
    if (minute >= 0 && pos < t.size() && t[pos] == ':') second = readClockField(t, ++pos);
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || pos != t.size()) {
        throw std::invalid_argument("'" + std::string(text) + "' is not a valid time");
    }
    if (hour >= 19) return "18:00";
    if (hour < 12) return "12:00";
    return std::string{static_cast<char>('0' + hour / 10), static_cast<char>('0' + hour % 10), ':',
                       static_cast<char>('0' + minute / 10), static_cast<char>('0' + minute % 10)};
}

}  // namespace quintara
