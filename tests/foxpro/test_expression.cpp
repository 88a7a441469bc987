// The expression language: key expressions as the tags use them and filter
// conditions as users type them, with FoxPro's text comparison rules and
// errors that say where the text went wrong.
#include <gtest/gtest.h>

#include "cdx_test_support.h"
#include "foxpro/cdx_key.h"
#include "foxpro/expression.h"

using namespace foxpro;
using cdxtest::MemoryRecord;

namespace {

const std::vector<FieldDef> kFields = {
    {"LCM_COD", FieldType::Character, 10, 0}, {"LCM_DATA", FieldType::Date, 8, 0},
    {"LCM_VALOR", FieldType::Numeric, 20, 9}, {"TCU_LETRA", FieldType::Character, 1, 0},
    {"NOME", FieldType::Character, 12, 0},    {"ATIVO", FieldType::Logical, 1, 0},
    {"MEMO", FieldType::Memo, 10, 0},
};

MemoryRecord row(const std::string& cod, const std::string& date, const std::string& valor,
                 const std::string& letra = "X", const std::string& nome = "", const std::string& ativo = "T",
                 bool deleted = false)
{
    return MemoryRecord(kFields, cdxtest::recordBytes(kFields, {cod, date, valor, letra, nome, ativo}), 1,
                        deleted);
}

bool test(const std::string& filter, const MemoryRecord& r)
{
    return Expression::parse(filter, kFields, "T.DBF").evaluateBool(r);
}

TEST(KeyExpression, TypesLengthsAndKeyBytesOfTheTagsExpressions)
{
    auto e = Expression::parse("LCM_COD+DTOS(LCM_DATA)", kFields, "T.CDX");
    EXPECT_EQ(e.type(), ValueType::Character);
    EXPECT_EQ(e.length(), 18);
    EXPECT_EQ(e.evaluateKey(row("TR", "20240131", "1")), "TR        20240131");
    EXPECT_EQ(e.evaluateKey(row("TR", "", "1")), "TR                ");
    auto terms = e.keyTerms();
    ASSERT_EQ(terms.size(), 2u);
    EXPECT_EQ(terms[0].length, 10);
    EXPECT_FALSE(terms[0].dtos);
    EXPECT_TRUE(terms[1].dtos);

    auto date = Expression::parse("lcm_data", kFields, "T.CDX");
    EXPECT_EQ(date.type(), ValueType::Date);
    EXPECT_EQ(date.evaluateKey(row("", "19940701", "")), std::string("\xC1\x42\xB0\x3F\x80\0\0\0", 8));
    EXPECT_EQ(date.evaluateKey(row("", "", "")), std::string("\x80\0\0\0\0\0\0\0", 8));

    auto number = Expression::parse("LCM_VALOR", kFields, "T.CDX");
    EXPECT_LT(number.evaluateKey(row("", "", "-2.5")), number.evaluateKey(row("", "", "-1")));
    EXPECT_LT(number.evaluateKey(row("", "", "-1")), number.evaluateKey(row("", "", "")));
    EXPECT_LT(number.evaluateKey(row("", "", "")), number.evaluateKey(row("", "", "0.000000001")));
    EXPECT_LT(number.evaluateKey(row("", "", "9")), number.evaluateKey(row("", "", "10")));
}

TEST(KeyExpression, FunctionsGiveFoxProResults)
{
    auto r = row("  ipca  ", "20240229", "-35.5", "x", "jo\xE3o \xE7");
    auto eval = [&](const std::string& text) {
        return Expression::parse(text, kFields, "T.DBF").evaluate(r).text;
    };
    EXPECT_EQ(eval("UPPER(NOME)"), "JO\xC3O \xC7      ");
    EXPECT_EQ(eval("ALLTRIM(LCM_COD)"), "ipca");
    EXPECT_EQ(eval("TRIM(LCM_COD)+'|'"), "  ipca|");
    EXPECT_EQ(eval("LTRIM(LCM_COD)"), "ipca    ");
    EXPECT_EQ(eval("STR(LCM_VALOR)"), "       -36");
    EXPECT_EQ(eval("STR(LCM_VALOR, 8, 2)"), "  -35.50");
    EXPECT_EQ(eval("STR(123456, 3)"), "***");
    EXPECT_EQ(eval("DTOS(LCM_DATA + 1)"), "20240301");
    EXPECT_EQ(eval("DTOS(CTOD('31/12/1999'))"), "19991231");
    EXPECT_EQ(eval("SUBSTR(LCM_COD, 3, 2) + LEFT(NOME, 2) + RIGHT(LCM_COD, 4)"), "ipjo    ");
    EXPECT_EQ(Expression::parse("ALLTRIM(LCM_COD)", kFields, "").length(), 10);
    EXPECT_EQ(Expression::parse("STR(LCM_VALOR, 12, 4)", kFields, "").length(), 12);
}

TEST(FilterExpression, TextEqualityIgnoresTrailingBlanksButIsNoPrefixMatch)
{
    auto r = row("TR", "20240131", "1.5", "X");
    EXPECT_TRUE(test("LCM_COD = 'TR'", r));
    EXPECT_TRUE(test("lcm_cod='TR'", r));
    EXPECT_TRUE(test("LCM_COD = \"TR      \"", r));
    EXPECT_FALSE(test("LCM_COD = 'T'", r));
    EXPECT_FALSE(test("LCM_COD = 'TRX'", r));
    EXPECT_FALSE(test("LCM_COD == 'TR'", r));
    EXPECT_TRUE(test("LCM_COD == 'TR        '", r));
    EXPECT_TRUE(test("TCU_LETRA == 'X'", r));
    EXPECT_TRUE(test("LCM_COD <> 'SELIC' AND LCM_COD # 'IPCA' .AND. LCM_COD != 'X'", r));
    EXPECT_TRUE(test("LCM_COD < 'Ta'", r));  // byte order: upper case first
    EXPECT_TRUE(test("LCM_COD >= [TR] and LCM_COD <= 'TR'", r));
    EXPECT_TRUE(test("'R' $ LCM_COD", r));
}

TEST(FilterExpression, LiteralsAreUtf8AndCompareWithTheStoredBytes)
{
    auto r = row("\xC9NDICE", "", "0", "X", "Jos\xE9");
    EXPECT_TRUE(test("LCM_COD = '\xC3\x89NDICE'", r));
    EXPECT_TRUE(test("NOME = 'Jos\xC3\xA9'", r));
    EXPECT_FALSE(test("NOME = 'Jose'", r));
    EXPECT_THROW(test("NOME = '\xE2\x82\xAC\xF0\x9F\x98\x80'", r), Error);  // no Windows-1252 form
}

TEST(FilterExpression, NumbersDatesLogicalsAndBooleanLogic)
{
    auto r = row("TR", "20240131", "-35.25", "X", "", "T");
    EXPECT_TRUE(test("LCM_VALOR < 0 AND LCM_VALOR = -35.25", r));
    EXPECT_TRUE(test("LCM_VALOR * 2 + 70.5 = 0", r));
    EXPECT_TRUE(test("LCM_DATA = {^2024-01-31}", r));
    EXPECT_TRUE(test("LCM_DATA > CTOD('30/01/2024') AND LCM_DATA < {31/12/2024}", r));
    EXPECT_TRUE(test("ATIVO", r));
    EXPECT_TRUE(test("ATIVO = .T. AND NOT ATIVO = .F.", r));
    EXPECT_TRUE(test("!(LCM_COD = 'X') OR .F.", r));
    EXPECT_TRUE(test("(.T. OR .F.) AND .NOT. (.F.)", r));
    EXPECT_FALSE(test(".T. AND .F. OR .F.", r));
    EXPECT_TRUE(test(".F. AND .F. OR .T.", r));  // AND binds tighter than OR
    EXPECT_TRUE(test("EMPTY(NOME) AND !EMPTY(LCM_DATA) AND !DELETED()", r));
    EXPECT_TRUE(test("EMPTY(LCM_DATA)", row("TR", "", "0")));
    EXPECT_TRUE(test("LCM_DATA < {^1900-01-01}", row("TR", "", "0")));  // empty date first
    EXPECT_TRUE(test("DELETED()", row("TR", "", "0", "X", "", "F", true)));
    EXPECT_TRUE(test("IIF(LCM_VALOR < 0, 'neg', 'pos') = 'neg'", r));
}

// The message of the error a text raises, with the position it reports.
std::string errorOf(const std::string& text)
{
    try {
        Expression::parse(text, kFields, "DST_LCM1.DBF");
    } catch (const Error& e) {
        EXPECT_EQ(e.file(), "DST_LCM1.DBF");
        return e.plainMessage();
    }
    return "no error";
}

TEST(ExpressionErrors, SyntaxErrorsGiveThePositionAndWhatWasExpected)
{
    EXPECT_NE(errorOf("LCM_COD = ").find("position 11: expected a field name"), std::string::npos);
    EXPECT_NE(errorOf("LCM_COD = 'TR").find("position 11: the text that starts here has no closing '"),
              std::string::npos);
    EXPECT_NE(errorOf("(LCM_COD = 'TR'").find("position 16: expected a closing parenthesis"),
              std::string::npos);
    EXPECT_NE(errorOf("LCM_COD 'TR'").find("position 9: expected an operator"), std::string::npos);
    EXPECT_NE(errorOf("XYZ = 1").find("position 1: there is no field named XYZ"), std::string::npos);
    EXPECT_NE(errorOf("LCM_COD = 1").find("position 9: cannot compare text with a number"),
              std::string::npos);
    EXPECT_NE(errorOf("LCM_COD .XOR. 1").find("position 9: expected .T., .F."), std::string::npos);
    EXPECT_NE(errorOf("NOME = 'Jo\xC3\xA3o' AND @").find("position 19: unexpected character \"@\""),
              std::string::npos);
    EXPECT_NE(errorOf("FOO(LCM_COD)").find("unknown function FOO()"), std::string::npos);
    EXPECT_NE(errorOf("STR(LCM_VALOR, LCM_VALOR)").find("must be a whole number"), std::string::npos);
    EXPECT_NE(errorOf("MEMO = 'x'").find("of a type expressions cannot use"), std::string::npos);
    EXPECT_NE(errorOf("LCM_DATA = {^2023-02-29}").find("expected a date"), std::string::npos);
    EXPECT_NE(errorOf("").find("empty"), std::string::npos);
    EXPECT_NE(errorOf(std::string(300, '(') + "1" + std::string(300, ')')).find("nested too deeply"),
              std::string::npos);
    std::string chain = "LCM_VALOR";
    for (int i = 0; i < 1000; ++i) chain += "+1";
    EXPECT_NE(errorOf(chain).find("nested too deeply"), std::string::npos);
}

TEST(ExpressionErrors, NonLogicalFilterAndDivisionByZeroAreReported)
{
    auto r = row("TR", "", "0");
    EXPECT_THROW(test("LCM_COD", r), Error);
    EXPECT_THROW(test("1 / LCM_VALOR > 0", r), Error);
}

}  // namespace
