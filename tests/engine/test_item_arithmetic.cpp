// The item's own arithmetic (principal, percentages, fine, interest) and the
// memo file's bytes.
#include <gtest/gtest.h>

#include "engine/interest.h"
#include "engine/item_calculation.h"
#include "engine/memo_file.h"
#include "memory_reference.h"

namespace quintara {
namespace {

// Results that lie exactly halfway between two ten-thousandths go to the even
// neighbour, whatever the binary value of the amounts would make of them.
TEST(ItemArithmetic, ExactHalvesGoToTheEvenNeighbour)
{
    const CalculationTable table = {
        TableEntry{kConversionCode, Date(1, 8, 1993), Decimal::parse("1000"), 0, "CR$", 0}};
    EXPECT_EQ(principalOf(Amount::parse("1234,35"), table), Amount::parse("1,2344"));
    EXPECT_EQ(principalOf(Amount::parse("1234,05"), table), Amount::parse("1,234"));
    EXPECT_EQ(principalOf(Amount::parse("3,35"), table), Amount::parse("0,0034"));
    EXPECT_EQ(principalOf(Amount::parse("12345678,95"), table), Amount::parse("12345,679"));

    EXPECT_EQ(percentOf(Amount::parse("1083338,5945"), Amount::parse("10")), Amount::parse("108333,8594"));
    EXPECT_EQ(percentOf(Amount::parse("1083338,5945"), Decimal::parse("10,0")), Amount::parse("108333,8594"));
    EXPECT_EQ(percentOf(Amount::parse("0,001"), Amount::parse("15")), Amount::parse("0,0002"));
    EXPECT_EQ(percentOf(Amount::parse("0,003"), Amount::parse("15")), Amount::parse("0,0004"));
    EXPECT_EQ(fineOf(Amount::parse("1000"), Amount::parse("83,3859"), Amount::parse("0,0086"),
                     Amount::parse("10"), true),
              Amount::parse("108,3394"));  // 108,33945

    // 1234,5675 × 10 % × 73 / 365 = 24,69135; 1234,5625 gives 24,69125.
    test::MemoryReference data;
    const Date from(1, 1, 2021);
    const Date to = from.addDays(73);
    EXPECT_EQ(JurosSimples(data, Amount::parse("1234,5675"), Amount::parse("10"), from, to),
              Amount::parse("24,6914"));
    EXPECT_EQ(JurosSimples(data, Amount::parse("1234,5625"), Amount::parse("10"), from, to),
              Amount::parse("24,6912"));
    EXPECT_EQ(JurosSimples(data, Amount::parse("1234,5625"), Amount::parse("10"), to, from),
              Amount::parse("-24,6912"));
    EXPECT_EQ(JurosSimples(data, Amount::parse("1234,5625"), Decimal::parse("10"), from, to),
              Amount::parse("24,6912"));
}

TEST(MemoFile, Windows1252WithCrLfAfterEveryLine)
{
    EXPECT_EQ(memoFileBytes({"Cálculo", "SEQUENCIA"}), "C\xE1lculo\r\nSEQUENCIA\r\n");
    // Runs of several characters outside ASCII, one that the code page lacks, and an empty line.
    EXPECT_EQ(memoFileBytes({"CONVERSÃO  => Índice", "€½✓x", ""}),
              "CONVERS\xC3O  => \xCDndice\r\n\x80\xBD?x\r\n\r\n");
}

}  // namespace
}  // namespace quintara
