#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

#include "ui/amount_edit.h"
#include "ui/date_edit.h"
#include "ui_test_support.h"

namespace quintara::ui {
namespace {

class FieldEditsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::ensureApplication(); }
};

TEST_F(FieldEditsTest, EmptyDateFieldReadsTheBlankMask)
{
    DateEdit edit;
    EXPECT_EQ(edit.text(), QStringLiteral("  /  /    "));
    EXPECT_TRUE(edit.isBlank());
    EXPECT_FALSE(edit.isValidDate());
    EXPECT_TRUE(edit.date().isEmpty());
    edit.setDate(Date(29, 2, 2024));
    EXPECT_EQ(edit.text(), QStringLiteral("29/02/2024"));
    edit.setDate(Date());
    EXPECT_EQ(edit.text(), QStringLiteral("  /  /    "));
}

TEST_F(FieldEditsTest, TypedDatesConvertOrFailWithTheirText)
{
    DateEdit edit;
    QTest::keyClicks(&edit, "15032024");
    EXPECT_EQ(edit.text(), QStringLiteral("15/03/2024"));
    EXPECT_EQ(edit.date(), Date(15, 3, 2024));

    edit.setDate(Date());
    QTest::keyClicks(&edit, "1203");
    EXPECT_EQ(edit.text(), QStringLiteral("12/03/    "));
    EXPECT_FALSE(edit.isValidDate());
    EXPECT_FALSE(edit.tryDate().has_value());
    try {
        (void)edit.date();
        FAIL() << "expected an exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("12/03/"), std::string::npos) << e.what();
    }
    edit.setText(QStringLiteral("31/02/2023"));
    EXPECT_THROW((void)edit.date(), std::invalid_argument);
    // Letters never enter the field.
    edit.setDate(Date());
    QTest::keyClicks(&edit, "ab");
    EXPECT_TRUE(edit.isBlank());
}

TEST_F(FieldEditsTest, InvalidDateIsEmptiedOnLeaveOnlyWhenAsked)
{
    DateEdit edit;
    edit.setText(QStringLiteral("31/02/2023"));
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&edit, &leave);
    EXPECT_EQ(edit.text(), QStringLiteral("31/02/2023"));
    edit.setEmptyInvalidOnLeave(true);
    QApplication::sendEvent(&edit, &leave);
    EXPECT_EQ(edit.text(), QStringLiteral("  /  /    "));
    edit.setText(QStringLiteral("01/03/2024"));
    QApplication::sendEvent(&edit, &leave);
    EXPECT_EQ(edit.text(), QStringLiteral("01/03/2024"));
}

TEST_F(FieldEditsTest, AmountIsShownGroupedWithDecimalComma)
{
    EXPECT_EQ(AmountEdit::groupedText(Amount::parse("1234567,891"), 2), QStringLiteral("1.234.567,89"));
    EXPECT_EQ(AmountEdit::groupedText(Amount::parse("-1234,5"), 2), QStringLiteral("-1.234,50"));
    EXPECT_EQ(AmountEdit::groupedText(Amount::parse("999"), 2), QStringLiteral("999,00"));
    EXPECT_EQ(AmountEdit::groupedText(Amount::parse("100000"), 0), QStringLiteral("100.000"));
    EXPECT_EQ(AmountEdit::groupedText(Amount::parse("0,5"), 4), QStringLiteral("0,5000"));
}

TEST_F(FieldEditsTest, TypedAmountIsReadAndRegroupedWhenEditingEnds)
{
    AmountEdit edit;
    EXPECT_TRUE(edit.isBlank());
    EXPECT_EQ(edit.amount(), Amount());
    QTest::keyClicks(&edit, "1234,5x");
    EXPECT_EQ(edit.text(), QStringLiteral("1234,5"));
    EXPECT_EQ(edit.amount(), Amount::parse("1234,50"));
    QTest::keyClick(&edit, Qt::Key_Return);
    EXPECT_EQ(edit.text(), QStringLiteral("1.234,50"));
    EXPECT_EQ(edit.amount(), Amount::parse("1234,50"));
    // A third decimal is refused by the field.
    QTest::keyClicks(&edit, "9");
    EXPECT_EQ(edit.text(), QStringLiteral("1.234,50"));

    edit.setAmount(Amount::parse("-0,01"));
    EXPECT_EQ(edit.text(), QStringLiteral("-0,01"));
    edit.setText(QStringLiteral("-"));
    EXPECT_THROW((void)edit.amount(), std::invalid_argument);
    EXPECT_THROW(AmountEdit(nullptr, 5), std::invalid_argument);
}

}  // namespace
}  // namespace quintara::ui
