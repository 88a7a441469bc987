// The sequence tester: both sequences and the verdict, and the value check
// that reports each missing period of an index once.
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

#include "app/reference/frm_testa_sequencia.h"
#include "reference_fixture.h"
#include "ui/date_edit.h"

namespace quintara {
namespace {

class SequenceTesterWindow : public test::ReferenceWindowTest {
protected:
    QStringList runTest(const std::string& form, const QString& from, const QString& to, bool checkValues,
                        bool showValues = false, bool currency = false, bool dailyDates = false)
    {
        TFrmTestaSequencia tester(*dm_, form);
        showActive(tester);
        QTest::keyClicks(tester.DataTit, from);
        QTest::keyClicks(tester.DataCalc, to);
        if (checkValues) test::clickBox(tester.chbVerValores);
        if (showValues) test::clickBox(tester.chbMostrarValores);
        if (currency) test::clickBox(tester.chbMoeda);
        if (dailyDates) test::clickBox(tester.chbIntervaloDatas);
        tester.BtTestar->click();
        okShown_ = !tester.Image2->isHidden();
        return tester.lines();
    }
    static int count(const QStringList& lines, const QString& line)
    {
        return static_cast<int>(lines.count(line));
    }
    static bool anyStartsWith(const QStringList& lines, const QString& start)
    {
        for (const QString& line : lines)
            if (line.startsWith(start)) return true;
        return false;
    }
    bool okShown_ = false;
};

TEST_F(SequenceTesterWindow, ShowsBothSequencesAndTheVerdictWithoutCheckingValues)
{
    addIndex("MENS", "2", "2");
    for (int month = 1; month <= 6; ++month)
        test::addValue(*dm_, "MENS",
                       "2000" + std::string(month < 10 ? "0" : "") + std::to_string(month) + "01", 1.0);
    addForm("080", "MENS", "00/00/0000:00/00/0000");
    const QStringList lines = runTest("080", QStringLiteral("15012000"), QStringLiteral("30042000"), false);
    EXPECT_EQ(lines.mid(0, 3), (QStringList{"Sequencia Selecionada:", "MENS", "#"}));
    const int original = static_cast<int>(lines.indexOf(QStringLiteral("SEQUÊNCIA ORIGINAL:")));
    ASSERT_GE(original, 0);
    EXPECT_EQ(lines[original + 1], QStringLiteral("MENS      01/01/2000 ->  01/06/2000"));
    const int adjusted = static_cast<int>(lines.indexOf(QStringLiteral("de acordo com as datas acima:")));
    ASSERT_GE(adjusted, 0);
    EXPECT_EQ(lines[adjusted + 1], QStringLiteral("MENS      15/01/2000 ->  30/04/2000"));
    EXPECT_EQ(lines[adjusted + 2], QStringLiteral("Sequência OK para esse Cálculo!"));
    EXPECT_EQ(lines.back(), QStringLiteral("# Final do Teste."));
    EXPECT_FALSE(anyStartsWith(lines, QStringLiteral("Verificando valores")));
    EXPECT_TRUE(okShown_);

    const QStringList before = runTest("080", QStringLiteral("01011999"), QStringLiteral("30042000"), false);
    EXPECT_EQ(count(before, QStringLiteral("Sequência INVÁLIDA para esse Cálculo!")), 1);
    EXPECT_FALSE(okShown_);

    // A form whose periodicity was never saved cannot be assembled.
    addForm("085", "MENS", "");
    const QStringList unsaved = runTest("085", QStringLiteral("15012000"), QStringLiteral("30042000"), true);
    EXPECT_EQ(unsaved.back(), QStringLiteral("Erro na sequência!"));
    EXPECT_FALSE(okShown_);
}

TEST_F(SequenceTesterWindow, EachMissingMonthIsReportedOnceAndAMidMonthStartIsNoGap)
{
    addIndex("GAP1", "2", "2");
    addIndex("GAP2", "2", "1");
    for (const char* date : {"20000101", "20000201", "20000401", "20000501"})
        test::addValue(*dm_, "GAP1", date, 0.5);
    for (const char* date : {"20000101", "20000201", "20000501", "20000601", "20000701"})
        test::addValue(*dm_, "GAP2", date, 1.01);
    addForm("081", "GAP1", "00/00/0000:00/00/0000");
    addForm("082", "GAP2", "00/00/0000:00/00/0000");

    const QStringList one = runTest("081", QStringLiteral("15012000"), QStringLiteral("30042000"), true);
    EXPECT_EQ(count(one, QStringLiteral("Nenhum registro no mês 3/2000")), 1);
    EXPECT_EQ(count(one, QStringLiteral("Nenhum registro no mês 1/2000")), 0)
        << "the 15th is inside January's value";
    EXPECT_FALSE(one.contains(QStringLiteral("GAP1 = OK")));
    EXPECT_EQ(count(one, QStringLiteral("Nº total de registros no periodo = 3")), 1);

    const QStringList two = runTest("082", QStringLiteral("01012000"), QStringLiteral("31072000"), true);
    EXPECT_EQ(count(two, QStringLiteral("Nenhum registro no mês 3/2000")), 1);
    EXPECT_EQ(count(two, QStringLiteral("Nenhum registro no mês 4/2000")), 1);
    int gapLines = 0;
    for (const QString& line : two)
        if (line.startsWith(QStringLiteral("Nenhum registro"))) ++gapLines;
    EXPECT_EQ(gapLines, 2) << two.join(QLatin1Char('\n')).toStdString();
}

TEST_F(SequenceTesterWindow, ValueLinesCarryTheCurrencyAndTheFormatLetter)
{
    addIndex("PCT", "2", "2");
    for (const char* date : {"19930601", "19930701", "19930801", "19930901"})
        test::addValue(*dm_, "PCT", date, 7.0);
    addForm("083", "PCT", "00/00/0000:00/00/0000");
    const QStringList plain =
        runTest("083", QStringLiteral("01061993"), QStringLiteral("30091993"), true, true);
    EXPECT_TRUE(plain.contains(QStringLiteral("PCT = OK")));
    EXPECT_FALSE(anyStartsWith(plain, QStringLiteral("## ")));
    int valueLines = 0;
    for (const QString& line : plain)
        if (line.startsWith(QLatin1Char('['))) {
            ++valueLines;
            EXPECT_TRUE(line.endsWith(QStringLiteral(" = %       7,000000"))) << line.toStdString();
        }
    EXPECT_EQ(valueLines, 4);

    // The cruzeiro real began on 01/08/1993: one conversion line at the change.
    const QStringList withCurrency =
        runTest("083", QStringLiteral("01061993"), QStringLiteral("30091993"), true, true, true);
    int conversions = 0;
    for (const QString& line : withCurrency)
        if (line.startsWith(QStringLiteral("## "))) ++conversions;
    EXPECT_EQ(conversions, 1) << withCurrency.join(QLatin1Char('\n')).toStdString();
}

TEST_F(SequenceTesterWindow, AMissingWorkdayFailsADailyIndexAndIsNamedOnlyWhenAsked)
{
    addIndex("DIA", "1", "2");
    // 03/03/2004 (a Wednesday) is missing; 06 and 07 are a weekend.
    for (const char* date : {"20040301", "20040302", "20040304", "20040305", "20040308"})
        test::addValue(*dm_, "DIA", date, 0.05);
    addForm("084", "DIA", "00/00/0000:00/00/0000");
    const QStringList quiet = runTest("084", QStringLiteral("01032004"), QStringLiteral("08032004"), true);
    EXPECT_FALSE(quiet.contains(QStringLiteral("DIA = OK")));
    EXPECT_FALSE(anyStartsWith(quiet, QStringLiteral("Data ")));
    const QStringList named =
        runTest("084", QStringLiteral("01032004"), QStringLiteral("08032004"), true, false, false, true);
    EXPECT_EQ(count(named, QStringLiteral("Data 03/03/2004 não encontrada!")), 1);
    EXPECT_FALSE(named.contains(QStringLiteral("DIA = OK")));
}

}  // namespace
}  // namespace quintara
