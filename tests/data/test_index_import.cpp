// Reading the central bank's CSV and JSON exports: both layouts, and every
// kind of bad line reported by its number before anything is written.
#include <gtest/gtest.h>

#include "data/index_import.h"

namespace quintara {
namespace {

int errorLine(const std::string& text)
{
    try {
        parseIndexValues(text);
    } catch (const ImportError& e) {
        return e.line();
    }
    return -1;
}

TEST(IndexImportParse, CsvWithOrWithoutQuotes)
{
    auto values =
        parseIndexValues("\"data\";\"valor\"\r\n\"01/01/2020\";\"0,21\"\r\n01/02/2020;-123456789,5\n\n");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].date, Date(1, 1, 2020));
    EXPECT_EQ(values[0].value, "0.21");
    EXPECT_EQ(values[0].line, 2);
    EXPECT_EQ(values[1].value, "-123456789.5");
}

TEST(IndexImportParse, JsonExport)
{
    auto values = parseIndexValues(
        "[\n {\"data\": \"01/01/2020\", \"valor\": \"0,21\"},\n"
        " {\"valor\": 0.25, \"data\": \"01/02/2020\"}\n]\n");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[1].date, Date(1, 2, 2020));
    EXPECT_EQ(values[1].value, "0.25");
    EXPECT_EQ(values[1].line, 3);
    EXPECT_EQ(
        errorLine(
            "[{\"data\":\"01/01/2020\",\"valor\":\"0,21\"},\n{\"data\":\"01/01/2020\",\"valor\":\"1\"}]"),
        2);
    EXPECT_EQ(errorLine("[{\"data\":\"01/01/2020\"}]"), 1);
    EXPECT_EQ(errorLine("[{\"data\":\"01/01/2020\",\"valor\":\"0,21\"}"), 1);
}

TEST(IndexImportParse, BadLinesAreReportedByNumber)
{
    EXPECT_EQ(errorLine("data;valor\n01/01/2020;0,21\n31/02/2020;0,3\n"), 3);
    EXPECT_EQ(errorLine("data;valor\n01/01/2020;0,21\n01/02/2020;abc\n"), 3);
    EXPECT_EQ(errorLine("data;valor\n01/01/2020;0,21\n01/02/2020\n"), 3);
    EXPECT_EQ(errorLine("data;valor\n01/01/2020;0,21;9\n"), 2);
    EXPECT_EQ(errorLine("data;valor\n01/01/2020;0,1234567891\n"), 2);
    EXPECT_EQ(errorLine("data;valor\n01/01/2020;12345678901\n"), 2);
    EXPECT_EQ(errorLine("data;valor\n01/01/2020;1,\n"), 2);
    EXPECT_EQ(errorLine("data;valor\n1/1/2020;1\n"), 2);
    try {
        parseIndexValues("data;valor\n01/01/2020;1\n02/01/2020;2\n01/01/2020;3\n");
        FAIL();
    } catch (const ImportError& e) {
        EXPECT_EQ(e.line(), 4);
        EXPECT_STREQ(e.what(), "line 4: date 01/01/2020 already given on line 2");
    }
}

}  // namespace
}  // namespace quintara
