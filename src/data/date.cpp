// Date: serial day numbers on the proleptic Gregorian calendar and the
// dd/mm/yyyy and yyyymmdd text forms.
#include "data/date.h"

#include <ctime>
#include <stdexcept>

namespace quintara {

namespace {

// Days from 01/03/0000 based civil arithmetic (era of 400 years); returns days
// relative to an arbitrary fixed origin.
constexpr long daysFromCivil(int year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

struct Civil {
    int year;
    int month;
    int day;
};

Civil civilFromDays(long days)
{
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long dayOfEra = days - era * 146097;
    const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return {year, month, day};
}

// Constant-initialised, so that a Date made while another file's statics are
// initialised (before this file's dynamic initialisation) is right too.
constexpr long kOrigin = daysFromCivil(1, 1, 1) - 1;  // so that 01/01/0001 is serial 1
constexpr long kLastSerial = daysFromCivil(9999, 12, 31) - kOrigin;

bool isValid(int day, int month, int year)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= Date::daysInMonth(month, year);
}

// Reads exactly `count` digits at text[pos]; -1 when any is not a digit.
int readDigits(std::string_view text, std::size_t pos, std::size_t count)
{
    int value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// The number with at least `width` digits, zeros in front.
std::string digitsText(long value, std::size_t width)
{
    std::string text = std::to_string(value < 0 ? -value : value);
    if (text.size() < width) text.insert(0, width - text.size(), '0');
    return std::string(value < 0 ? "-" : "") + text;
}

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// The empty mask in any of its forms: blanks and the two slashes only.
bool isEmptyMask(std::string_view text)
{
    std::string stripped;
    for (char c : text) {
        if (c != ' ') stripped += c;
    }
    return stripped.empty() || stripped == "//";
}

}  // namespace

Date::Date(int day, int month, int year)
{
    if (!isValid(day, month, year)) {
        throw std::invalid_argument("'" + digitsText(day, 2) + "/" + digitsText(month, 2) + "/" +
                                    digitsText(year, 4) + "' is not a valid date");
    }
    serial_ = daysFromCivil(year, month, day) - kOrigin;
}

std::optional<Date> Date::tryParse(std::string_view text)
{
    if (isEmptyMask(text)) return Date();
    const std::string_view t = trimBlanks(text);
    if (t.size() != 10 || t[2] != '/' || t[5] != '/') return std::nullopt;
    const int day = readDigits(t, 0, 2);
    const int month = readDigits(t, 3, 2);
    const int year = readDigits(t, 6, 4);
    if (!isValid(day, month, year)) return std::nullopt;
    return Date(day, month, year);
}

Date Date::today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Date(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
}

Date Date::parse(std::string_view text)
{
    if (auto date = tryParse(text)) return *date;
    throw std::invalid_argument("'" + std::string(text) + "' is not a valid date");
}

Date Date::fromDtos(std::string_view text)
{
    if (trimBlanks(text).empty()) return Date();
    const int year = text.size() == 8 ? readDigits(text, 0, 4) : -1;
    const int month = text.size() == 8 ? readDigits(text, 4, 2) : -1;
    const int day = text.size() == 8 ? readDigits(text, 6, 2) : -1;
    if (!isValid(day, month, year)) {
        throw std::invalid_argument("'" + std::string(text) + "' is not a valid yyyymmdd date");
    }
    return Date(day, month, year);
}

Date Date::fromSerial(long serial)
{
    if (serial < 0 || serial > kLastSerial) {
        throw std::out_of_range("day number " + std::to_string(serial) + " is outside the calendar");
    }
    Date date;
    date.serial_ = serial;
    return date;
}

int Date::day() const
{
    return isEmpty() ? 0 : civilFromDays(serial_ + kOrigin).day;
}

int Date::month() const
{
    return isEmpty() ? 0 : civilFromDays(serial_ + kOrigin).month;
}

int Date::year() const
{
    return isEmpty() ? 0 : civilFromDays(serial_ + kOrigin).year;
}

// 01/01/0001 (serial 1) was a Monday on the proleptic Gregorian calendar.
int Date::weekday() const
{
    return isEmpty() ? -1 : static_cast<int>(serial_ % 7);
}

std::string Date::toString() const
{
    if (isEmpty()) return std::string(kEmptyDateText);
    const Civil c = civilFromDays(serial_ + kOrigin);
    if (c.year >= 0 && c.year <= 9999) {
        const auto digit = [](int n) { return static_cast<char>('0' + n % 10); };
        const char text[] = {digit(c.day / 10),    digit(c.day),        '/',
                             digit(c.month / 10),  digit(c.month),      '/',
                             digit(c.year / 1000), digit(c.year / 100), digit(c.year / 10),
                             digit(c.year)};
        return std::string(text, sizeof text);
    }
    return digitsText(c.day, 2) + "/" + digitsText(c.month, 2) + "/" + digitsText(c.year, 4);
}

std::string Date::toDtos() const
{
    if (isEmpty()) return std::string(8, ' ');
    const Civil c = civilFromDays(serial_ + kOrigin);
    return digitsText(c.year, 4) + digitsText(c.month, 2) + digitsText(c.day, 2);
}

Date Date::addDays(long days) const
{
    if (isEmpty()) throw std::invalid_argument("days cannot be added to an empty date");
    const long serial = serial_ + days;
    if (serial < 1 || serial > kLastSerial) throw std::out_of_range("date outside the years 1 to 9999");
    return fromSerial(serial);
}

bool Date::isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int Date::daysInMonth(int month, int year)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        throw std::invalid_argument("month " + std::to_string(month) + " does not exist");
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace quintara
