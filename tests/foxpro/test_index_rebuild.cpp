// Bulk index building and index repair: keys copied from stored bytes equal
// evaluated keys, the flat key sort orders as the tree does, a lost index is
// rebuilt from tag definitions with FoxPro's bytes, and the table check
// finds a memo that runs past the end of its file.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "cdx_test_support.h"
#include "foxpro/cdx_bulk_keys.h"
#include "foxpro/cdx_page.h"
#include "foxpro/index_repair.h"
#include "foxpro/key_writer.h"
#include "table_test_support.h"

using namespace foxpro;

namespace {

const std::vector<FieldDef> kFields = {{"CODE", FieldType::Character, 10, 0},
                                       {"DATA", FieldType::Date, 8, 0},
                                       {"SUB", FieldType::Character, 3, 0}};

// The CDX bytes that depend on the file's history (change counter) or are
// reserved, blanked in the compound header and in every tag header.
std::string comparable(std::string bytes)
{
    for (std::size_t header = 0; header + 1024 <= bytes.size(); header = header ? header + 1536 : 1536) {
        for (std::size_t i = 8; i < 12; ++i) bytes[header + i] = 0;
        for (std::size_t i = 16; i < 24; ++i) bytes[header + i] = 0;
    }
    return bytes;
}

}  // namespace

TEST(BulkBuild, KeysCopiedFromStoredBytesEqualEvaluatedKeys)
{
    const char* dates[] = {"20240131", "        ", "20240230", "2024 1 1",
                           "00000000", "99991231", "16000229"};
    for (const char* text : {"CODE+DTOS(DATA)", "DTOS(DATA)+SUB+CODE", "UPPER(CODE)+DTOS(DATA)", "DATA"}) {
        SCOPED_TRACE(text);
        const Expression key = Expression::parse(text, kFields, "T.CDX");
        KeyWriter writer(key);
        ASSERT_EQ(writer.length(), key.length());
        std::uint32_t recno = 0;
        for (const char* date : dates) {
            for (const char* code : {"TR", "igpm", "IPCA"}) {
                std::string bytes = cdxtest::recordBytes(kFields, {code, "", "AB"});
                bytes.replace(10, 8, date);
                const cdxtest::MemoryRecord record(kFields, bytes, ++recno);
                std::string written(static_cast<std::size_t>(writer.length()), '?');
                writer.write(record, written.data());
                EXPECT_EQ(written, key.evaluateKey(record)) << code << " " << date;
            }
        }
    }
}

TEST(BulkBuild, SortOrdersByKeyThenRecordAndUniqueKeepsTheFirst)
{
    std::mt19937 random(7);
    // Lengths that take one to four words with the record number, and a
    // long key compared byte by byte.
    for (int length : {3, 12, 18, 28, 40}) {
        for (bool unique : {false, true}) {
            SCOPED_TRACE(std::to_string(length) + (unique ? " unique" : ""));
            cdx::BulkKeys keys(length);
            std::vector<std::pair<std::string, std::uint32_t>> want;
            for (std::uint32_t recno = 1; recno <= 3000; ++recno) {
                std::string key(static_cast<std::size_t>(length), ' ');
                // Few distinct keys, so that equal keys are common; high bytes too.
                for (std::size_t i = 0; i < key.size(); i += 5)
                    key[i] = static_cast<char>(0x7E + random() % 4);
                std::copy(key.begin(), key.end(), keys.add(recno));
                want.emplace_back(key, recno);
            }
            keys.sort(unique);
            std::stable_sort(want.begin(), want.end(), [](const auto& a, const auto& b) {
                return cdx::compareKeys(a.first, b.first) < 0;
            });
            if (unique)
                want.erase(std::unique(want.begin(), want.end(),
                                       [](const auto& a, const auto& b) { return a.first == b.first; }),
                           want.end());
            ASSERT_EQ(keys.size(), want.size());
            for (std::size_t i = 0; i < want.size(); ++i) {
                ASSERT_EQ(keys.key(i), want[i].first) << i;
                ASSERT_EQ(keys.recno(i), want[i].second) << i;
            }
        }
    }
}

TEST(IndexRepair, ZeroedEmptyAndMissingIndexesAreRebuiltWithTheFixtureBytes)
{
    tabletest::ScratchDir dir;
    for (const std::string stem : {"DST_TCU1", "PITINDPE"}) {
        const std::string path = dir.copyTable(stem);
        const std::string cdx = dir.file(stem + ".CDX");
        const std::string original = tabletest::readBytes(cdx);
        std::vector<TagDef> tags;
        {
            Table t(path);
            tags = t.tags();
            EXPECT_EQ(indexFault(path), "");
        }
        for (const std::string damage : {"zeroed", "empty", "missing"}) {
            SCOPED_TRACE(stem + " " + damage);
            if (damage == "missing") {
                std::filesystem::remove(cdx);
            } else {
                tabletest::writeBytes(cdx, damage == "zeroed" ? std::string(original.size(), '\0') : "");
            }
            EXPECT_THROW(Table(path, OpenMode::Exclusive), Error);
            const std::string fault = indexFault(path);
            EXPECT_NE(fault, "");
            if (damage == "missing") {
                EXPECT_NE(fault.find(stem + ".CDX is missing"), std::string::npos) << fault;
            }

            EXPECT_EQ(rebuildIndex(path, tags), tags.size());
            EXPECT_EQ(indexFault(path), "");
            EXPECT_TRUE(comparable(tabletest::readBytes(cdx)) == comparable(original));
            EXPECT_FALSE(std::filesystem::exists(cdx + ".tmp"));
            Table t(path, OpenMode::Exclusive);
            EXPECT_TRUE(t.check().empty());
        }
    }
}

TEST(IndexRepair, ATableWithoutIndexGetsOneAndIsMarkedAsIndexed)
{
    tabletest::ScratchDir dir;
    const std::string path = dir.file("SEMIDX.DBF");
    Table::create(path, kFields);
    {
        Table t(path, OpenMode::Exclusive);
        for (const char* code : {"TR", "IPCA", "IGPM"}) {
            t.append();
            t.setString("CODE", code);
            t.setDate("DATA", "20240101");
            t.post();
        }
    }
    EXPECT_EQ(indexFault(path), "");
    EXPECT_THROW(rebuildIndex(path, {}), Error);
    rebuildIndex(path, {{"CODDATA", "CODE+DTOS(DATA)", "", false}});
    // Without its index the table no longer opens: the header now asks for one.
    std::filesystem::rename(dir.file("SEMIDX.CDX"), dir.file("SEMIDX.OLD"));
    EXPECT_NE(indexFault(path), "");
    std::filesystem::rename(dir.file("SEMIDX.OLD"), dir.file("SEMIDX.CDX"));
    Table t(path);
    t.setTag("CODDATA");
    t.first();
    EXPECT_EQ(t.getString("CODE"), "IGPM");
    EXPECT_TRUE(t.check().empty());
}

TEST(TableCheck, ReportsAMemoWhoseLengthRunsPastTheEndOfTheFile)
{
    tabletest::ScratchDir dir;
    const std::string path = dir.file("MEMOS.DBF");
    Table::create(path, {{"CODE", FieldType::Character, 4, 0}, {"HIST", FieldType::Memo, 10, 0}});
    {
        Table t(path, OpenMode::Exclusive);
        t.append();
        t.setString("CODE", "A");
        t.setMemo("HIST", "first memo");
        t.post();
        EXPECT_TRUE(t.check().empty());
    }
    // The first memo of a new file starts right after the 512-byte header;
    // its length is the big-endian word at bytes 4-7 of its block.
    std::string fpt = tabletest::readBytes(dir.file("MEMOS.FPT"));
    ASSERT_EQ(fpt.substr(512 + 8, 10), "first memo");
    fpt.replace(512 + 4, 4, std::string("\x7F\xFF\xFF\xF0", 4));
    tabletest::writeBytes(dir.file("MEMOS.FPT"), fpt);
    Table t(path);
    const std::vector<std::string> problems = t.check();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(
        problems[0],
        "record 1 field HIST: the memo at block 8 claims 2147483632 bytes, past the end of the memo file");
}
