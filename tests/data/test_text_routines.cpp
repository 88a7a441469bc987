#include <gtest/gtest.h>

#include <stdexcept>

#include "data/text_routines.h"

using namespace quintara;

TEST(TextRoutines, MonthNames)
{
    EXPECT_EQ(MonthName(1), "Janeiro");
    EXPECT_EQ(MonthName(3), "Marco");
    EXPECT_EQ(MonthName(12), "Dezembro");
    EXPECT_THROW(MonthName(0), std::out_of_range);
    EXPECT_THROW(MonthName(13), std::out_of_range);
}

TEST(TextRoutines, PaddingCountsCharacters)
{
    EXPECT_EQ(PadRight("IGPM", "_", 8), "IGPM____");
    EXPECT_EQ(PadRight("Ação", "_", 6), "Ação__");
    EXPECT_EQ(PadRight("abcdef", "_", 3), "abcdef");
    EXPECT_EQ(ZeroPadText(" 1 2", 5), "00012");
    EXPECT_EQ(ZeroPadText("1234", 3), "1234");
    EXPECT_EQ(ZeroPadNumber(1234, 3), "1234");
    EXPECT_EQ(ZeroPadNumber(7, 3), "007");
    EXPECT_EQ(ZeroPadNumber(0, 4), "0000");
    EXPECT_EQ(ZeroPadNumber(-5, 3), "-05");
    EXPECT_EQ(ZeroPadNumber(2.25L, 6, 1), "0002,3");
}

TEST(TextRoutines, SpacesAndBlanks)
{
    EXPECT_EQ(RemoveSpaces(" a b  c "), "abc");
    EXPECT_EQ(TrimRight("  a b  "), "  a b");
    EXPECT_EQ(TrimRight(""), "");
    EXPECT_EQ(TrimRight("   "), "");
    EXPECT_TRUE(IsBlank(""));
    EXPECT_TRUE(IsBlank("   "));
    EXPECT_FALSE(IsBlank("  a "));
}

TEST(TextRoutines, PositionsAndCutsCountCharacters)
{
    EXPECT_EQ(TextLength("Atenção !"), 9u);
    EXPECT_EQ(SubText("Atenção !", 5, 3), "ção");
    EXPECT_EQ(SubText("abc", 2, 10), "bc");
    EXPECT_EQ(SubText("abc", 4, 1), "");
    EXPECT_EQ(SubText("abc", 0, 2), "ab");
    EXPECT_EQ(SubText("abc", 1, -1), "");
    EXPECT_EQ(FindText("ç", "Atenção"), 5);
    EXPECT_EQ(FindText("ão", "Atenção"), 6);
    EXPECT_EQ(FindText("x", "abc"), 0);
    EXPECT_EQ(FindText("", "abc"), 0);
}

TEST(TextRoutines, ReplaceAllIsCaseSensitiveAndDoesNotRescan)
{
    EXPECT_EQ(ReplaceAll("real e reais", "real", "cruzeiro"), "cruzeiro e reais");
    EXPECT_EQ(ReplaceAll("Real", "real", "x"), "Real");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("aa", "a", "aa"), "aaaa");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(TextRoutines, FirstSeparatorGoesByPriorityNotPosition)
{
    EXPECT_EQ(FirstSeparatorPos("a/b,c"), 3);
    EXPECT_EQ(FirstSeparatorPos("abc"), -1);
    EXPECT_EQ(FirstSeparatorPos("IGPM;INPC+TR"), 4);
    EXPECT_EQ(FirstSeparatorPos("A|B/C"), 3);
    EXPECT_EQ(FirstSeparatorPos(";abc"), 0);
    EXPECT_EQ(FirstSeparatorPos("ÍNDICE+TR"), 6);
}

TEST(TextRoutines, OddNumbers)
{
    EXPECT_TRUE(IsOdd(3));
    EXPECT_TRUE(IsOdd(-3));
    EXPECT_FALSE(IsOdd(0));
    EXPECT_FALSE(IsOdd(-4));
}
