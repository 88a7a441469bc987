// The rules of the monthly index sheet: default base year, year list, which
// indices get rows and which values fill the month cells.
#include <gtest/gtest.h>

#include "app/monthly_sheet.h"
#include "app_fixture.h"

namespace quintara {
namespace {

TEST(MonthlySheetYear, JanuaryAndFebruaryShowThePreviousYear)
{
    EXPECT_EQ(defaultBaseYear(Date(15, 2, 2024)), 2023);
    EXPECT_EQ(defaultBaseYear(Date(1, 1, 2024)), 2023);
    EXPECT_EQ(defaultBaseYear(Date(29, 2, 2024)), 2023);
    EXPECT_EQ(defaultBaseYear(Date(1, 3, 2024)), 2024);
    EXPECT_EQ(defaultBaseYear(Date(31, 12, 2024)), 2024);
}

TEST(MonthlySheetYear, YearListRunsFrom1939ToTheCurrentYear)
{
    const auto years = yearList(2024);
    ASSERT_EQ(years.size(), 86u);
    EXPECT_EQ(years.front(), "1939");
    EXPECT_EQ(years.back(), "2024");
}

TEST(MonthlySheetYear, ValuesUseTheShortestGeneralFormWithDecimalComma)
{
    EXPECT_EQ(monthValueText(1.75), "1,75");
    EXPECT_EQ(monthValueText(2.0), "2");
    EXPECT_EQ(monthValueText(0.123456789), "0,123456789");
}

class MonthlySheetFill : public ::testing::Test {
protected:
    void SetUp() override
    {
        QUINTARA_REQUIRE_DATA(dir_);
        dm_ = DataModule::openFolder(dir_.path());
    }
    const std::array<std::string, 12>& monthsOf(std::vector<MonthlySheetRow>& rows, const std::string& code)
    {
        for (auto& row : rows)
            if (row.code == code) return row.months;
        ADD_FAILURE() << code << " has no row";
        static const std::array<std::string, 12> none;
        return none;
    }

    test::DataDirectory dir_;
    std::unique_ptr<DataModule> dm_;
};

TEST_F(MonthlySheetFill, RowsAreTheMonthlyIndicesInCodeOrder)
{
    auto rows = monthlySheetRows(*dm_);
    ASSERT_FALSE(rows.empty());
    for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_LT(rows[i - 1].code, rows[i].code);
    foxpro::Table& indices = dm_->Indices();
    indices.setTag("codigo");
    for (const auto& row : rows) {
        ASSERT_TRUE(indices.seek({row.code})) << row.code;
        EXPECT_EQ(indices.getString("TBCM_TIP"), "2") << row.code;
    }
}

TEST_F(MonthlySheetFill, WithoutMonthlyIndicesThereIsOneEmptyRow)
{
    foxpro::Table& indices = dm_->Indices();
    for (indices.first(); !indices.eof(); indices.next()) {
        indices.edit();
        indices.setString("TBCM_TIP", "1");
        indices.post();
    }
    auto rows = monthlySheetRows(*dm_);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].code, "");
}

TEST_F(MonthlySheetFill, ValuesStartAtTheFirstMonthKeyedOnItsFirstDay)
{
    auto rows = monthlySheetRows(*dm_);
    ASSERT_GE(rows.size(), 2u);
    const std::string a = rows[0].code, b = rows[1].code;
    test::addValue(*dm_, a, "01/12/2022", 7.0);  // the year before: not shown
    test::addValue(*dm_, a, "01/03/2023", 1.5);
    test::addValue(*dm_, a, "15/03/2023", 1.75);  // latest date of March wins
    test::addValue(*dm_, a, "20/04/2023", 0.5);   // not on the 1st, still shown after March
    test::addValue(*dm_, a, "01/05/2023", 2.0);
    test::addValue(*dm_, a, "01/01/2024", 9.0);  // the year after: not shown
    for (int month = 1; month <= 12; ++month)    // never on the 1st: nothing at all
        test::addValue(*dm_, b, Date(10, month, 2023).toString(), month);

    fillMonthValues(*dm_, 2023, rows);
    const auto& monthsA = monthsOf(rows, a);
    EXPECT_EQ(monthsA[0], "");
    EXPECT_EQ(monthsA[1], "");
    EXPECT_EQ(monthsA[2], "1,75");
    EXPECT_EQ(monthsA[3], "0,5");
    EXPECT_EQ(monthsA[4], "2");
    EXPECT_EQ(monthsA[11], "");
    for (const auto& cell : monthsOf(rows, b)) EXPECT_EQ(cell, "");
}

TEST_F(MonthlySheetFill, RefillClearsCellsAndKeepsTheValueFilter)
{
    auto rows = monthlySheetRows(*dm_);
    const std::string a = rows[0].code;
    test::addValue(*dm_, a, "01/06/2023", 3.25);
    fillMonthValues(*dm_, 2023, rows);
    EXPECT_EQ(monthsOf(rows, a)[5], "3,25");
    fillMonthValues(*dm_, 2022, rows);
    EXPECT_EQ(monthsOf(rows, a)[5], "");

    foxpro::Table& values = dm_->ValorIndices();
    EXPECT_TRUE(values.filterActive());
    values.first();
    EXPECT_TRUE(values.eof()) << "the filter on TR must be back on";
}

}  // namespace
}  // namespace quintara
