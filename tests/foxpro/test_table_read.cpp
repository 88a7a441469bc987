// Reading the fixture tables (written by another FoxPro engine) through
// foxpro::Table: the canonical dump, navigation, field values, seeks and
// filters, compared with the fixtures' published contents.
#include <gtest/gtest.h>

#include <sstream>

#include "foxpro/dump.h"
#include "foxpro/table.h"
#include "table_test_support.h"

using foxpro::OpenMode;
using foxpro::Table;
using namespace tabletest;

namespace {

std::string dbf(const std::string& stem, const std::string& folder = "foxpro")
{
    return (fixtureDir(folder) / (stem + ".DBF")).string();
}

std::vector<std::uint32_t> walk(Table& t)
{
    std::vector<std::uint32_t> seen;
    for (t.first(); !t.eof(); t.next()) seen.push_back(t.recNo());
    return seen;
}

}  // namespace

TEST(TableDump, BothFixtureFoldersPrintTheirExpectedDumpAndStayUntouched)
{
    for (const std::string folder : {"foxpro", "foxpro-mutated"}) {
        std::map<std::string, std::string> before;
        for (const auto& entry : fs::directory_iterator(fixtureDir(folder)))
            before[entry.path().filename().string()] = readBytes(entry.path());
        std::ostringstream out;
        foxpro::dumpFolder(fixtureDir(folder).string(), out);
        const std::string expected = readBytes(fixtureDir(folder) / "EXPECTED-DUMP.txt");
        EXPECT_TRUE(out.str() == expected) << folder << ": the dump differs from EXPECTED-DUMP.txt";
        for (const auto& [name, bytes] : before)
            EXPECT_EQ(readBytes(fixtureDir(folder) / name), bytes) << folder << "/" << name << " changed";
    }
}

TEST(TableRead, PhysicalAndTagOrderSkipDeletedRecords)
{
    Table t(dbf("DST_GTCU"));
    EXPECT_EQ(t.recordCount(), 6u);
    EXPECT_EQ(walk(t), (std::vector<std::uint32_t>{1, 2, 3, 4, 6}));
    t.setTag("letra");
    EXPECT_EQ(t.tag(), "LETRA");
    EXPECT_EQ(walk(t), (std::vector<std::uint32_t>{2, 3, 1, 4, 6}));

    t.last();
    EXPECT_EQ(t.recNo(), 6u);
    t.prior();
    EXPECT_EQ(t.recNo(), 4u);
    t.first();
    t.prior();
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.recNo(), 0u);
    t.next();
    EXPECT_EQ(t.recNo(), 2u);

    t.go(1);  // switching order keeps the record; the walk goes on in the new order
    t.setTag("");
    t.next();
    EXPECT_EQ(t.recNo(), 2u);
    EXPECT_THROW(t.setTag("NOSUCH"), foxpro::Error);
    EXPECT_THROW(t.go(7), foxpro::Error);
}

TEST(TableRead, FieldValuesInEveryForm)
{
    Table t(dbf("DST_MOED"));
    t.go(1);
    EXPECT_EQ(t.getDate("vgm_data"), "19940701");
    EXPECT_EQ(t.getString("VGM_DATA"), "01/07/1994");
    EXPECT_EQ(t.getString("VGM_SIGLA"), "R$");
    EXPECT_EQ(t.getRaw("VGM_SIGLA"), "R$  ");
    EXPECT_DOUBLE_EQ(t.getNumber("VGM_CONV"), 2750.0);
    EXPECT_EQ(t.getString("VGM_CONV"), "2750.0000");
    const std::string memo = t.getMemo("VGM_HIST");
    EXPECT_EQ(memo.substr(0, 11), "Plano Real:");
    EXPECT_EQ(t.getMemoBytes("VGM_HIST").size(), 701u);
    EXPECT_NE(memo.find("\r\n"), std::string::npos);
    t.go(9);
    EXPECT_EQ(t.getString("VGM_NOMEPL"), "R\xC3\xA9is");  // "Réis" in UTF-8
    EXPECT_EQ(t.getDate("VGM_DATA"), "");
    EXPECT_EQ(t.getString("VGM_DATA"), "");
    EXPECT_THROW(t.getNumber("VGM_SIGLA"), foxpro::Error);
    EXPECT_THROW(t.getString("NO_FIELD"), foxpro::Error);

    Table calc(dbf("PITCALCU"));
    calc.go(4);  // only NPROCESSO and NORDEM set: blanks read as 0, empty, false
    EXPECT_EQ(calc.getNumber("VALORORIG"), 0.0);
    EXPECT_EQ(calc.getString("VALORORIG"), "");
    EXPECT_FALSE(calc.getLogical("CONVERSOR"));
    EXPECT_EQ(calc.getString("CONVERSOR"), "");
    calc.go(1);
    EXPECT_TRUE(calc.getLogical("CONVERSOR"));
    calc.go(3);
    EXPECT_EQ(calc.getString("VALORIND"), "123456.123456789");
    EXPECT_DOUBLE_EQ(calc.getNumber("VALORCOR"), -0.0001);
}

TEST(TableRead, SeeksWithWholePartialAndCompositeKeys)
{
    Table t(dbf("DST_LCM1"));
    t.setTag("CODDATA");
    EXPECT_TRUE(t.seek({"SELIC", "20090602"}));
    EXPECT_EQ(t.recNo(), 26350u);
    EXPECT_TRUE(t.seek({"SELIC"}, true));
    EXPECT_EQ(t.recNo(), 25479u);  // the earliest SELIC date, stored in descending order

    EXPECT_FALSE(t.seek({"BTN", "19890202"}));
    EXPECT_EQ(t.recNo(), 25479u) << "a failed exact seek leaves the record where it was";
    EXPECT_FALSE(t.seekNearest({"BTN", "19890202"}));
    EXPECT_EQ(t.recNo(), 3865u);
    EXPECT_EQ(t.getString("LCM_COD"), "BTN");
    EXPECT_EQ(t.getDate("LCM_DATA"), "19890301");
    EXPECT_FALSE(t.seekNearest({"UPC", "20251202"}));
    EXPECT_TRUE(t.eof());

    Table moed(dbf("DST_MOED"));
    moed.setTag("ODATA");
    EXPECT_TRUE(moed.seek({"19860228"}));
    EXPECT_EQ(moed.recNo(), 5u);
    EXPECT_TRUE(moed.seek({""}));
    EXPECT_EQ(moed.recNo(), 9u);
    EXPECT_FALSE(moed.seek({"20000101"})) << "only the deleted record 10 has this key";

    Table users(dbf("CEPUSR01"));
    users.setTag("INDUSR01");
    EXPECT_FALSE(users.seekNearest({"ZZZ"}, true));
    EXPECT_TRUE(users.eof());
}

TEST(TableRead, FilterShowsOnlyMatchingRecordsInEveryOrder)
{
    // Expected: the undeleted TR rows, counted from the published dump.
    std::istringstream dump(readBytes(fixtureDir() / "EXPECTED-DUMP.txt"));
    std::size_t expected = 0;
    for (std::string line; std::getline(dump, line);)
        if (line.rfind("REC ", 0) == 0 && line.find(" _ LCM_COD=\"TR\" ") != std::string::npos) ++expected;
    ASSERT_GT(expected, 10000u);

    Table t(dbf("DST_LCM1"));
    t.setFilter("LCM_COD = 'TR'");
    EXPECT_EQ(walk(t).size(), 30571u) << "a filter does nothing until it is switched on";
    t.setFilterActive(true);
    EXPECT_EQ(walk(t).size(), expected);
    t.setTag("CODDATA");
    const auto inTagOrder = walk(t);
    EXPECT_EQ(inTagOrder.size(), expected);
    t.last();
    EXPECT_EQ(t.getString("LCM_COD"), "TR");
    EXPECT_EQ(t.getDate("LCM_DATA"), "20251231");
    EXPECT_FALSE(t.seek({"IGPM", "19890601"})) << "a seek sees only records that pass the filter";

    try {
        t.setFilter("LCM_COD = = 'TR'");
        FAIL() << "a syntax error must throw";
    } catch (const foxpro::Error& e) {
        EXPECT_EQ(e.file(), t.path());
    }
    EXPECT_EQ(t.filter(), "LCM_COD = 'TR'");
    t.setFilter("");
    EXPECT_EQ(walk(t).size(), 30571u);
}
