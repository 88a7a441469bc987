#include <gtest/gtest.h>

#include <stdexcept>

#include "data/date_routines.h"

using namespace quintara;

namespace {

Date d(const char* text)
{
    return Date::parse(text);
}

}  // namespace

TEST(DateRoutines, SafeEncodeLowersTheDayToTheMonthsEnd)
{
    EXPECT_EQ(SafeEncodeDate(31, 2, 2001), d("28/02/2001"));
    EXPECT_EQ(SafeEncodeDate(30, 2, 2000), d("29/02/2000"));
    EXPECT_EQ(SafeEncodeDate(31, 4, 2001), d("30/04/2001"));
    EXPECT_EQ(SafeEncodeDate(15, 7, 2001), d("15/07/2001"));
    EXPECT_THROW(SafeEncodeDate(1, 13, 2001), std::invalid_argument);
    EXPECT_THROW(SafeEncodeDate(0, 1, 2001), std::invalid_argument);
}

TEST(DateRoutines, FirstAndLastDayOfMonth)
{
    EXPECT_EQ(FirstDayOfMonth(d("17/08/1994")), d("01/08/1994"));
    EXPECT_EQ(LastDayOfMonth(d("10/02/2000")), d("29/02/2000"));
    EXPECT_EQ(LastDayOfMonth(d("10/02/1900")), d("28/02/1900"));
    EXPECT_EQ(LastDayOfMonth(d("01/12/2001")), d("31/12/2001"));
    EXPECT_THROW(LastDayOfMonth(Date()), std::invalid_argument);
}

TEST(DateRoutines, MonthArithmeticClampsAtMonthEnds)
{
    EXPECT_EQ(AddMonths(d("31/01/2001"), 1), d("28/02/2001"));
    EXPECT_EQ(AddMonths(d("31/01/2000"), 1), d("29/02/2000"));
    EXPECT_EQ(AddMonths(d("31/03/2001"), 1), d("30/04/2001"));
    EXPECT_EQ(AddMonths(d("15/12/2000"), 1), d("15/01/2001"));
    EXPECT_EQ(AddMonths(d("31/12/2000"), 2), d("28/02/2001"));
    EXPECT_EQ(AddMonths(d("29/02/2000"), 12), d("28/02/2001"));
    EXPECT_EQ(AddMonths(d("29/02/2000"), 48), d("29/02/2004"));
    EXPECT_EQ(AddMonths(d("10/05/2001"), 0), d("10/05/2001"));
    EXPECT_EQ(AddMonths(d("10/05/2001"), -5), d("10/12/2000"));
    EXPECT_EQ(SubtractMonths(d("15/01/2001"), 1), d("15/12/2000"));
    EXPECT_EQ(SubtractMonths(d("31/03/2000"), 1), d("29/02/2000"));
    EXPECT_EQ(SubtractMonths(d("31/03/2001"), 13), d("29/02/2000"));
    EXPECT_EQ(SubtractMonths(d("31/05/2001"), 24), d("31/05/1999"));
    EXPECT_THROW(SubtractMonths(d("15/01/0001"), 1), std::out_of_range);
}

TEST(DateRoutines, WeekendsMoveToTheNextMonday)
{
    EXPECT_EQ(NextMonday(d("30/06/2001")), d("02/07/2001"));
    EXPECT_EQ(NextMonday(d("01/07/2001")), d("02/07/2001"));
    EXPECT_EQ(NextMonday(d("04/07/2001")), d("04/07/2001"));
    EXPECT_EQ(NextMonday(d("02/07/2001")), d("02/07/2001"));
    EXPECT_EQ(NextMonday(d("06/07/2001")), d("06/07/2001"));
    EXPECT_EQ(NextMonday(d("30/12/2000")), d("01/01/2001"));
}

TEST(DateRoutines, CompleteDateTexts)
{
    EXPECT_FALSE(IsValidDateText("  /  /  "));
    EXPECT_FALSE(IsValidDateText("  /  /"));
    EXPECT_FALSE(IsValidDateText(""));
    EXPECT_FALSE(IsValidDateText("  /  /    "));
    EXPECT_FALSE(IsValidDateText("01/02/03"));
    EXPECT_FALSE(IsValidDateText("31/02/2003"));
    EXPECT_FALSE(IsValidDateText("01/02/2003x"));
    EXPECT_TRUE(IsValidDateText("01/02/2003"));
    EXPECT_TRUE(IsValidDateText(" 29/02/2004 "));
}

TEST(DateRoutines, ProtocolHourKeepsOfficeHours)
{
    EXPECT_EQ(ProtocolHour("09:15"), "12:00");
    EXPECT_EQ(ProtocolHour("11:59"), "12:00");
    EXPECT_EQ(ProtocolHour("12:00"), "12:00");
    EXPECT_EQ(ProtocolHour("18:40"), "18:40");
    EXPECT_EQ(ProtocolHour("14:5"), "14:05");
    EXPECT_EQ(ProtocolHour("19:05"), "18:00");
    EXPECT_EQ(ProtocolHour("23:59:30"), "18:00");
    for (const char* text : {"", "ab:cd", "25:00", "12:60", "12", "12:30x", "  :  "}) {
        EXPECT_THROW(ProtocolHour(text), std::invalid_argument) << text;
    }
}
