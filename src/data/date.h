// Date: a calendar date or the empty date. Day arithmetic is exact (a count
// of days since an epoch); the text form is dd/mm/yyyy.
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace quintara {

class Date {
public:
    // The empty date.
    constexpr Date() = default;
    // Throws std::invalid_argument when day, month and year do not form a real
    // date (years 1..9999).
    Date(int day, int month, int year);

    // Strict dd/mm/yyyy: two-digit day and month, four-digit year, a real date.
    // Surrounding blanks are ignored; the empty mask "  /  /    " and "" give
    // the empty date. Throws std::invalid_argument naming the text otherwise.
    static Date parse(std::string_view text);
    // The current date on this computer's clock, in local time.
    static Date today();
    // Like parse, but returns nothing instead of throwing.
    static std::optional<Date> tryParse(std::string_view text);
    // From FoxPro's DTOS form "yyyymmdd"; blanks or "" give the empty date.
    static Date fromDtos(std::string_view text);
    // From the serial day number (days since 01/01/0001 = 1; 0 is the empty
    // date). Throws std::out_of_range outside the years 1..9999.
    static Date fromSerial(long serial);

    bool isEmpty() const { return serial_ == 0; }
    // Day, month and year; 0 for the empty date.
    int day() const;
    int month() const;
    int year() const;
    // 0 = Sunday ... 6 = Saturday; -1 for the empty date.
    int weekday() const;
    long serial() const { return serial_; }

    // "dd/mm/yyyy"; the empty date gives "  /  /    ".
    std::string toString() const;
    // "yyyymmdd"; the empty date gives eight blanks.
    std::string toDtos() const;

    // Throws std::invalid_argument for the empty date and std::out_of_range
    // when the result leaves the years 1..9999.
    Date addDays(long days) const;
    // Whole days from other to this (this - other).
    long operator-(Date other) const { return serial_ - other.serial_; }

    constexpr auto operator<=>(const Date&) const = default;

    static bool isLeapYear(int year);
    static int daysInMonth(int month, int year);

private:
    long serial_ = 0;  // 0 = empty
};

// The empty date's text in masked date fields and reports.
inline constexpr std::string_view kEmptyDateText = "  /  /    ";

}  // namespace quintara
