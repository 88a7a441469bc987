// Index chains, original and adjusted sequences.
#include <gtest/gtest.h>

#include "engine/chain.h"
#include "engine/sequence.h"
#include "memory_reference.h"

namespace quintara {
namespace {

using test::MemoryReference;

TEST(Chain, SplitsBySeparatorPriorityNotPosition)
{
    EXPECT_EQ(splitChain("TR,INPC"), (std::vector<std::string>{"TR", "INPC"}));
    EXPECT_EQ(splitChain("A;B,C"), (std::vector<std::string>{"A;B", "C"}));
    EXPECT_EQ(splitChain("TR+IPC;INPC"), (std::vector<std::string>{"TR+IPC", "INPC"}));
    EXPECT_EQ(splitChain("  TR, INPC  "), (std::vector<std::string>{"TR", " INPC"}));
    EXPECT_EQ(splitChain("A;"), (std::vector<std::string>{"A"}));
    EXPECT_EQ(splitChain(";A"), (std::vector<std::string>{";A"}));
    EXPECT_EQ(splitChain(""), (std::vector<std::string>{""}));
}

TEST(Chain, ValidatesEveryCodeAgainstTheCatalogue)
{
    MemoryReference data;
    data.addIndex("TR", "2", "2");
    data.addIndex("INPC", "2", "2");
    EXPECT_TRUE(ValidaCadeia(data, "TR;INPC"));
    EXPECT_TRUE(ValidaCadeia(data, "TR"));
    EXPECT_FALSE(ValidaCadeia(data, "TR, INPC"));  // the blank is part of the code
    EXPECT_FALSE(ValidaCadeia(data, ""));
    EXPECT_FALSE(ValidaCadeia(data, "TR;XX"));
    EXPECT_EQ(SeparaIndices(data, "TR;XX;INPC", true), (std::vector<std::string>{"TR", "", "INPC"}));
}

class SequenceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data.addIndex("TR", "2", "2");
        data.addIndex("INPC", "2", "2");
        data.addValue("TR", "01/02/1991", 7.0);
        data.addValue("TR", "01/01/2000", 0.5);
        data.addValue("INPC", "01/04/1979", 1.0);
        data.addValue("INPC", "01/12/2025", 0.3);
    }
    MemoryReference data;
};

TEST_F(SequenceTest, OpenDatesTakeTheRecordedRange)
{
    data.addForm("004", "TR;INPC", "00/00/0000:31/01/1993  /  /    :00/00/0000");
    Sequence s = MontaSequencia(data, "004");
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0], "TR        01/02/199131/01/1993");
    EXPECT_EQ(s[1], "INPC      01/04/197901/12/2025");
}

TEST_F(SequenceTest, TrimmedMaskAtTheEndIsOpen)
{
    data.addForm("001", "TR", "01/03/1991:  /  /");
    EXPECT_EQ(MontaSequencia(data, "001"), (Sequence{"TR        01/03/199101/01/2000"}));
}

TEST_F(SequenceTest, UnknownFormAndMissingBlocks)
{
    EXPECT_TRUE(MontaSequencia(data, "999").empty());
    data.addForm("002", "TR;INPC", "01/03/1991:31/01/1993");
    EXPECT_THROW(MontaSequencia(data, "002"), std::out_of_range);
}

TEST(AdjustedSequence, FirstIndexStartingAfterOriginGivesNothing)
{
    Sequence s = {"TR        01/02/199101/01/2000"};
    EXPECT_TRUE(AjustaSequencia(s, Date(1, 1, 1991), Date(1, 1, 1999)).empty());
}

TEST(AdjustedSequence, CutsToThePeriodAndKeepsTheOriginMonth)
{
    Sequence s = {"ORTN      01/01/199010/05/2000", "OTN       11/05/200031/12/2001",
                  "BTN       01/01/200231/12/2010"};
    Sequence adjusted = AjustaSequencia(s, Date(20, 5, 2000), Date(15, 3, 2001));
    ASSERT_EQ(adjusted.size(), 2u);
    // The first line ends before the origin date but inside its month: kept.
    EXPECT_EQ(adjusted[0], "ORTN      20/05/200010/05/2000");
    EXPECT_EQ(adjusted[1], "OTN       11/05/200015/03/2001");
}

TEST(AdjustedSequence, DropsLinesBeforeTheOriginMonthAndEmptyLastEndMeansCalculationDate)
{
    Sequence s = {"A         01/01/199030/04/2000", "B         01/05/2000  /  /    "};
    Sequence adjusted = AjustaSequencia(s, Date(20, 6, 2000), Date(15, 3, 2001));
    EXPECT_EQ(adjusted, (Sequence{"B         20/06/200015/03/2001"}));
}

TEST(AdjustedSequence, DateThatDoesNotConvertThrows)
{
    Sequence s = {"A         xx/01/199030/04/2000"};
    EXPECT_THROW(AjustaSequencia(s, Date(20, 6, 2000), Date(15, 3, 2001)), std::invalid_argument);
}

}  // namespace
}  // namespace quintara
