// Reading compound indexes written by another FoxPro-compatible engine: tag
// headers, key order and seeks must agree with that engine's own dump and
// with keys computed here from the DBF records.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "cdx_test_support.h"
#include "foxpro/cdx_file.h"
#include "foxpro/cdx_file_impl.h"
#include "foxpro/cdx_key.h"

using namespace foxpro;
using cdxtest::DbfBytes;

namespace {

struct DumpTag {
    std::string line;  // "NAME key=... for=... type=C len=N keys=N" as printed
    std::vector<std::uint32_t> order;
    std::vector<std::string> seeks;  // "\"key\" -> T/1 T/1 T/1 T/1"
};

using DumpTables = std::map<std::string, std::map<std::string, DumpTag>>;

// The TAG, ORDER/K and SEEK lines of EXPECTED-DUMP.txt, by table and tag.
DumpTables readDump(const std::string& folder)
{
    std::istringstream in(cdxtest::readFile(cdxtest::fixtures(folder) / "EXPECTED-DUMP.txt"));
    DumpTables tables;
    std::string line, table, orderTag;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string word, name;
        words >> word;
        if (word == "TABLE") {
            words >> table;
            table = table.substr(0, table.size() - 4);
        } else if (word == "TAG") {
            std::string index;
            words >> index >> name;
            tables[table][name].line = line.substr(line.find(name));
        } else if (word == "ORDER") {
            words >> orderTag;
        } else if (word == "K") {
            std::uint32_t recno = 0;
            words >> recno;
            tables[table][orderTag].order.push_back(recno);
        } else if (word == "SEEK") {
            std::string label;
            words >> name >> label;
            std::string rest;
            std::getline(words, rest);
            tables[table][name].seeks.push_back(rest.substr(1));
        }
    }
    return tables;
}

std::string tagLine(const CdxTagInfo& t, std::uint32_t keys)
{
    return t.name + " key=\"" + t.expression + "\" for=\"" + t.forExpression +
           "\" unique=" + (t.unique ? "T" : "F") + " descend=" + (t.descending ? "T" : "F") +
           " type=" + std::string(1, t.keyType) + " len=" + std::to_string(t.keyLength) +
           " keys=" + std::to_string(keys);
}

const std::vector<std::string> kIndexedTables = {
    "CEPUSR01", "DST_FCM1", "DST_GTCU", "DST_LCM1", "DST_MOED", "DST_TCM1",
    "DST_TCU1", "PITCALCU", "PITCUSTA", "PITINDPE", "PROCESSO",
};

class FixtureIndexes : public ::testing::TestWithParam<std::string> {};

TEST_P(FixtureIndexes, TagsAndKeyOrderMatchTheWritingEngine)
{
    const std::string folder = GetParam();
    DumpTables dump = readDump(folder);
    for (const std::string& table : kIndexedTables) {
        SCOPED_TRACE(folder + "/" + table);
        DbfBytes dbf(cdxtest::fixtures(folder) / (table + ".DBF"));
        CdxFile cdx((cdxtest::fixtures(folder) / (table + ".CDX")).string(), dbf.fields());
        const auto& expectedTags = dump.at(table);
        ASSERT_EQ(cdx.tags().size(), expectedTags.size());
        for (std::size_t i = 0; i < cdx.tags().size(); ++i) {
            const CdxTagInfo& info = cdx.tags()[i];
            int tag = static_cast<int>(i);
            SCOPED_TRACE(info.name);
            ASSERT_TRUE(info.usable) << info.problem;
            const DumpTag& want = expectedTags.at(info.name);
            EXPECT_EQ(tagLine(info, cdx.keyCount(tag)), want.line);

            std::vector<std::uint32_t> walked;
            std::vector<std::pair<std::string, std::uint32_t>> walkedKeys;
            CdxCursor cursor(cdx, tag);
            for (bool ok = cursor.first(); ok; ok = cursor.next()) {
                walked.push_back(cursor.recNo());
                walkedKeys.emplace_back(cursor.key(), cursor.recNo());
            }
            EXPECT_EQ(walked, want.order);

            std::vector<std::pair<std::string, std::uint32_t>> computed;
            for (std::uint32_t r = 1; r <= dbf.count(); ++r)
                computed.emplace_back(cdx.keyFor(tag, dbf.record(r)), r);
            std::sort(computed.begin(), computed.end());
            EXPECT_EQ(walkedKeys, computed);
            EXPECT_TRUE(cdx.check(tag, computed).empty());

            std::vector<std::uint32_t> backwards;
            for (bool ok = cursor.last(); ok; ok = cursor.prev()) backwards.push_back(cursor.recNo());
            std::reverse(backwards.begin(), backwards.end());
            EXPECT_EQ(backwards, walked);
        }
    }
}

// Decodes a search key as the dump prints it: "..." with \xHH escapes, or
// YYYYMMDD / EMPTY for date tags.
std::string searchKey(const std::string& printed, char keyType)
{
    if (keyType == 'D') return encodeDateKey(printed == "EMPTY" ? 0 : julianFromDtos(printed));
    std::string key;
    for (std::size_t i = 1; i + 1 < printed.size(); ++i) {
        if (printed[i] == '\\' && printed[i + 1] == 'x') {
            key += static_cast<char>(std::stoi(printed.substr(i + 2, 2), nullptr, 16));
            i += 3;
        } else if (printed[i] == '\\') {
            key += printed[++i];
        } else {
            key += printed[i];
        }
    }
    return key;
}

// One seek as the dump defines it: normal or soft, deleted records seen or skipped.
std::string seekResult(CdxCursor& cursor, const std::string& key, const DbfBytes& dbf, bool skipDeleted,
                       bool soft)
{
    bool ok = cursor.seek(key);
    while (ok && skipDeleted && dbf.record(cursor.recNo()).deleted()) ok = cursor.next();
    bool found = ok && cursor.key().compare(0, key.size(), key) == 0;
    std::uint32_t eof = dbf.count() + 1;
    std::uint32_t recno = found || (soft && ok) ? cursor.recNo() : eof;
    return std::string(found ? "T/" : "F/") + std::to_string(recno);
}

TEST_P(FixtureIndexes, SeeksLandWhereTheWritingEngineLanded)
{
    const std::string folder = GetParam();
    DumpTables dump = readDump(folder);
    int seeks = 0;
    for (const std::string& table : kIndexedTables) {
        DbfBytes dbf(cdxtest::fixtures(folder) / (table + ".DBF"));
        CdxFile cdx((cdxtest::fixtures(folder) / (table + ".CDX")).string(), dbf.fields());
        for (std::size_t i = 0; i < cdx.tags().size(); ++i) {
            const CdxTagInfo& info = cdx.tags()[i];
            CdxCursor cursor(cdx, static_cast<int>(i));
            for (const std::string& line : dump.at(table).at(info.name).seeks) {
                std::size_t arrow = line.rfind(" -> ");
                std::string key = searchKey(line.substr(0, arrow), info.keyType);
                std::string got = seekResult(cursor, key, dbf, false, false) + " " +
                                  seekResult(cursor, key, dbf, false, true) + " " +
                                  seekResult(cursor, key, dbf, true, false) + " " +
                                  seekResult(cursor, key, dbf, true, true);
                EXPECT_EQ(got, line.substr(arrow + 4)) << table << " " << info.name << " " << line;
                ++seeks;
            }
        }
    }
    EXPECT_GT(seeks, 100);
}

INSTANTIATE_TEST_SUITE_P(Folders, FixtureIndexes, ::testing::Values("foxpro", "foxpro-mutated"),
                         [](const auto& info) {
                             return info.param == "foxpro" ? std::string("Original") : std::string("Mutated");
                         });

TEST(FixtureIndexShape, LargeTagHasFourLevelsWithThePagesTheReadmeCounts)
{
    DbfBytes dbf(cdxtest::fixtures() / "DST_LCM1.DBF");
    CdxFile cdx((cdxtest::fixtures() / "DST_LCM1.CDX").string(), dbf.fields());
    auto& tree = *cdx.impl().tags.at(0).tree;
    EXPECT_EQ(tree.pages().size(), 1u + 2u + 23u + 387u);
    EXPECT_TRUE(tree.checkStructure().empty());
}

TEST(FixtureIndexShape, TagLookupIgnoresCaseAndDateTagsPutTheEmptyDateFirst)
{
    DbfBytes dbf(cdxtest::fixtures() / "DST_MOED.DBF");
    CdxFile cdx((cdxtest::fixtures() / "DST_MOED.CDX").string(), dbf.fields());
    EXPECT_EQ(cdx.tagIndex("odata"), 0);
    EXPECT_EQ(cdx.tagIndex("OData"), 0);
    EXPECT_EQ(cdx.tagIndex("CODIGO"), -1);
    CdxCursor cursor(cdx, 0);
    ASSERT_TRUE(cursor.first());
    EXPECT_EQ(cursor.recNo(), 9u);
    EXPECT_EQ(cursor.key(), std::string("\x80\0\0\0\0\0\0\0", 8));
    ASSERT_TRUE(cursor.seek(cdx.keyFromParts(0, {"19940701"}, false)));
    EXPECT_EQ(cursor.recNo(), 1u);
    EXPECT_EQ(cursor.key(), std::string("\xC1\x42\xB0\x3F\x80\0\0\0", 8));
}

}  // namespace
