#include <gtest/gtest.h>

#include "foxpro/codepage.h"

using namespace foxpro;

TEST(Codepage, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    bool lossy = false;
    EXPECT_EQ(toCp1252(toUtf8(all), &lossy), all);
    EXPECT_FALSE(lossy);
    EXPECT_EQ(utf8Length(toUtf8(all)), 256u);
}

TEST(Codepage, PortugueseLettersAndTheHighBlock)
{
    EXPECT_EQ(toUtf8("A\xE7\xE3o"), "Ação");
    EXPECT_EQ(toUtf8("\x80"), "€");
    EXPECT_EQ(toUtf8("\x81"), "\xC2\x81");
    EXPECT_EQ(toUtf8("\x93x\x94"), "“x”");
    EXPECT_EQ(toCp1252("Atenção – “ok”"), "Aten\xE7\xE3o \x96 \x93ok\x94");
}

TEST(Codepage, UnmappableAndInvalidTextBecomesQuestionMarks)
{
    bool lossy = false;
    EXPECT_EQ(toCp1252("a日b", &lossy), "a?b");
    EXPECT_TRUE(lossy);
    toCp1252("plain", &lossy);
    EXPECT_TRUE(lossy);  // never reset
    lossy = false;
    EXPECT_EQ(toCp1252("x\xC3", &lossy), "x?");
    EXPECT_TRUE(lossy);
    EXPECT_EQ(toCp1252("\xC0\xAF"), "??");       // overlong form
    EXPECT_EQ(toCp1252("\xED\xA0\x80"), "???");  // encoded surrogate
    EXPECT_EQ(toCp1252("\xF0\x9F\x98\x80"), "?");
}

TEST(Codepage, LengthsAndCutsCountCharacters)
{
    EXPECT_EQ(utf8Length("Ação"), 4u);
    EXPECT_EQ(utf8Length(""), 0u);
    EXPECT_EQ(utf8Length("\xFF\xFE"), 2u);
    EXPECT_EQ(utf8Left("Ação", 2), "Aç");
    EXPECT_EQ(utf8Left("Ação", 10), "Ação");
    EXPECT_EQ(utf8Left("Ação", 0), "");
    EXPECT_EQ(utf8CharBytes("€", 0), 3u);
}
