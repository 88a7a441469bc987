#include <gtest/gtest.h>

#include <stdexcept>

#include "data/date.h"

using quintara::Date;

namespace {
// Made while the test program's statics are initialised, possibly before
// those of the date code itself.
const Date kMadeAtStartUp(9, 12, 2026);
}  // namespace

TEST(DateText, ParsesAndPrintsStrictDayMonthYear)
{
    const Date d = Date::parse("05/03/2001");
    EXPECT_EQ(d.day(), 5);
    EXPECT_EQ(d.month(), 3);
    EXPECT_EQ(d.year(), 2001);
    EXPECT_EQ(d.toString(), "05/03/2001");
    EXPECT_EQ(Date::parse("  29/02/2000 "), Date(29, 2, 2000));
    EXPECT_EQ(d.toDtos(), "20010305");
    EXPECT_EQ(Date::fromDtos("20010305"), d);
}

TEST(DateText, RejectsMalformedAndImpossibleDates)
{
    for (const char* text :
         {"1/2/2001", "01/02/01", "32/01/2001", "00/01/2001", "01/13/2001", "01/00/2001", "01-02-2001",
          "01/02/2001x", "29/02/1900", "29/02/2001", "31/04/2001", "01/01/0000", "ab/cd/efgh"}) {
        EXPECT_FALSE(Date::tryParse(text).has_value()) << text;
        EXPECT_THROW(Date::parse(text), std::invalid_argument) << text;
    }
    EXPECT_THROW(Date(31, 4, 2001), std::invalid_argument);
    EXPECT_THROW(Date::fromDtos("20010231"), std::invalid_argument);
    EXPECT_THROW(Date::fromDtos("2001023"), std::invalid_argument);
}

TEST(DateText, EmptyDateAndItsMasks)
{
    EXPECT_TRUE(Date::parse("").isEmpty());
    EXPECT_TRUE(Date::parse("  /  /    ").isEmpty());
    EXPECT_TRUE(Date::fromDtos("        ").isEmpty());
    EXPECT_TRUE(Date::fromDtos("").isEmpty());
    EXPECT_EQ(Date().toString(), "  /  /    ");
    EXPECT_EQ(Date().toDtos(), "        ");
    EXPECT_EQ(Date().day(), 0);
    EXPECT_EQ(Date().weekday(), -1);
    EXPECT_LT(Date(), Date(1, 1, 1));
    EXPECT_THROW(Date().addDays(1), std::invalid_argument);
}

TEST(DateArithmetic, DayCountsAcrossMonthsYearsAndLeapDays)
{
    EXPECT_EQ(Date(1, 1, 1).serial(), 1);
    EXPECT_EQ(Date(1, 3, 2000) - Date(1, 2, 2000), 29);
    EXPECT_EQ(Date(1, 3, 1900) - Date(1, 2, 1900), 28);
    EXPECT_EQ(Date(1, 1, 2001) - Date(1, 1, 2000), 366);
    EXPECT_EQ(Date(31, 12, 2000).addDays(1), Date(1, 1, 2001));
    EXPECT_EQ(Date(1, 3, 2004).addDays(-1), Date(29, 2, 2004));
    EXPECT_EQ(Date::fromSerial(Date(17, 8, 1994).serial()), Date(17, 8, 1994));
    EXPECT_TRUE(Date::fromSerial(0).isEmpty());
    EXPECT_THROW(Date(31, 12, 9999).addDays(1), std::out_of_range);
    EXPECT_THROW(Date::fromSerial(-1), std::out_of_range);
}

TEST(DateArithmetic, ADateMadeDuringStartUpIsTheDateGiven)
{
    EXPECT_EQ(kMadeAtStartUp.toString(), "09/12/2026");
    EXPECT_EQ(kMadeAtStartUp.weekday(), 3);
}

TEST(DateArithmetic, WeekdaysAndLeapYears)
{
    EXPECT_EQ(Date(30, 6, 2001).weekday(), 6);  // Saturday
    EXPECT_EQ(Date(1, 7, 2001).weekday(), 0);   // Sunday
    EXPECT_EQ(Date(1, 1, 2000).weekday(), 6);
    EXPECT_EQ(Date(8, 12, 2026).weekday(), 2);
    EXPECT_EQ(Date(1, 1, 1).weekday(), 1);
    EXPECT_TRUE(Date::isLeapYear(2000));
    EXPECT_TRUE(Date::isLeapYear(2004));
    EXPECT_FALSE(Date::isLeapYear(1900));
    EXPECT_FALSE(Date::isLeapYear(2001));
    EXPECT_EQ(Date::daysInMonth(2, 2000), 29);
    EXPECT_EQ(Date::daysInMonth(2, 2100), 28);
    EXPECT_EQ(Date::daysInMonth(12, 2001), 31);
}

TEST(DateArithmetic, EveryDayOfTwoCenturiesFollowsTheCalendar)
{
    Date day(1, 1, 1899);
    int weekday = day.weekday();
    for (int i = 0; i < 74000; ++i) {
        const Date next = day.addDays(1);
        ASSERT_EQ(Date::parse(next.toString()), next) << next.toString();
        ASSERT_EQ(Date::fromDtos(next.toDtos()), next) << next.toString();
        weekday = (weekday + 1) % 7;
        ASSERT_EQ(next.weekday(), weekday) << next.toString();
        ASSERT_EQ(next.day() == 1, day.day() == Date::daysInMonth(day.month(), day.year()))
            << next.toString();
        day = next;
    }
    EXPECT_EQ(day, Date(10, 8, 2101));
}
