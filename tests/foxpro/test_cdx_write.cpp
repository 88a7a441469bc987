// Keeping tags up to date: inserts and removals in every order against a
// simple model, page splits and reuse of freed pages, rebuilds, FOR and
// UNIQUE tags, cursors that survive changes, and a second process's view.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "cdx_test_support.h"
#include "foxpro/cdx_file.h"
#include "foxpro/cdx_file_impl.h"
#include "foxpro/cdx_key.h"

using namespace foxpro;
using cdxtest::MemoryRecord;

namespace {

using Model = std::set<std::pair<std::string, std::uint32_t>>;

const std::vector<FieldDef> kFields = {
    {"CODE", FieldType::Character, 10, 0},
    {"DATA", FieldType::Date, 8, 0},
    {"VALOR", FieldType::Numeric, 12, 2},
};

std::vector<TagDef> tagDefs()
{
    return {{"CodData", "CODE+DTOS(DATA)", "", false},
            {"ODATA", "DATA", "", false},
            {"VALOR", "VALOR", "", false}};
}

std::vector<std::pair<std::string, std::uint32_t>> walk(CdxFile& cdx, int tag)
{
    std::vector<std::pair<std::string, std::uint32_t>> out;
    CdxCursor cursor(cdx, tag);
    for (bool ok = cursor.first(); ok; ok = cursor.next()) out.emplace_back(cursor.key(), cursor.recNo());
    return out;
}

std::vector<std::pair<std::string, std::uint32_t>> asVector(const Model& m)
{
    return {m.begin(), m.end()};
}

std::string codeKey(const std::string& code, int n)
{
    std::string key = code;
    key.resize(10, ' ');
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", 1990 + n / 300, 1 + n / 25 % 12, 1 + n % 25);
    return key + date;
}

class CdxWrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.file("T.CDX");
        CdxFile::create(path, tagDefs(), kFields);
    }
    cdxtest::ScratchDir dir;
    std::string path;
};

TEST_F(CdxWrite, NewFileHasTheTagsEmptyAndInCreationOrder)
{
    CdxFile cdx(path, kFields);
    ASSERT_EQ(cdx.tags().size(), 3u);
    EXPECT_EQ(cdx.tags()[0].name, "CODDATA");
    EXPECT_EQ(cdx.tags()[0].keyType, 'C');
    EXPECT_EQ(cdx.tags()[0].keyLength, 18);
    EXPECT_EQ(cdx.tags()[1].name, "ODATA");
    EXPECT_EQ(cdx.tags()[1].keyType, 'D');
    EXPECT_EQ(cdx.tags()[2].keyType, 'N');
    EXPECT_EQ(cdx.tags()[2].keyLength, 8);
    EXPECT_LT(cdx.tags()[0].headerOffset, cdx.tags()[1].headerOffset);
    for (int t = 0; t < 3; ++t) EXPECT_EQ(cdx.keyCount(t), 0u);
    EXPECT_FALSE(CdxCursor(cdx, 0).first());
    EXPECT_THROW(CdxFile::create(path, tagDefs(), kFields), Error);
}

// Written at once and with write-back (changes kept until flush): a second
// handle sees each round's result only once it is flushed.
TEST_F(CdxWrite, RandomInsertsAndRemovalsKeepOrderStructureAndFreePages)
{
    for (bool writeBack : {false, true}) {
        SCOPED_TRACE(writeBack ? "write-back" : "written at once");
        const std::string file = dir.file(writeBack ? "WB.CDX" : "WT.CDX");
        CdxFile::create(file, tagDefs(), kFields);
        std::mt19937 random(20240601);
        Model model;
        const char* codes[] = {"IGPM", "INPC", "IPCA", "SELIC", "TR", "\xC9NDICE", "ufir"};
        {
            CdxFile cdx(file, kFields, CdxFile::Mode::ReadWrite);
            CdxFile reader(file, kFields);
            cdx.setWriteBack(writeBack);
            Model flushed;
            for (int round = 0; round < 6; ++round) {
                for (int i = 0; i < 1500; ++i) {
                    std::string key = codeKey(codes[random() % 7], static_cast<int>(random() % 400));
                    auto recno = static_cast<std::uint32_t>(random() % 50000 + 1);
                    if (model.insert({key, recno}).second) cdx.insert(0, key, recno);
                }
                int removals = round % 2 ? 1400 : 600;
                for (int i = 0; i < removals && !model.empty(); ++i) {
                    auto it = model.begin();
                    std::advance(it, static_cast<long>(random() % model.size()));
                    cdx.remove(0, it->first, it->second);
                    model.erase(it);
                }
                // A failed change leaves the pending ones alone.
                EXPECT_THROW(cdx.remove(0, codeKey("NONE", 1), 1), Error);
                ASSERT_EQ(walk(cdx, 0), asVector(model)) << "round " << round;
                ASSERT_EQ(cdx.check(0, asVector(model)), std::vector<std::string>());
                reader.refresh();
                ASSERT_EQ(walk(reader, 0), asVector(writeBack ? flushed : model)) << "round " << round;
                cdx.flush();
                flushed = model;
                reader.refresh();
                ASSERT_EQ(walk(reader, 0), asVector(model)) << "round " << round;
            }
            EXPECT_GT(cdx.impl().tags[0].tree->pages().size(), 50u);
        }
        CdxFile reopened(file, kFields);
        EXPECT_EQ(walk(reopened, 0), asVector(model));
        EXPECT_EQ(reopened.keyCount(0), model.size());
    }
}

// A split that fails half-way (the free page list points outside the file)
// must leave the tag as it was before that insert, pending changes included.
TEST_F(CdxWrite, AFailedSplitIsUndoneInMemory)
{
    CdxFile cdx(path, kFields, CdxFile::Mode::ReadWrite);
    cdx.setWriteBack(true);
    Model model;
    for (std::uint32_t r = 1; r <= 200; ++r) {
        cdx.insert(0, codeKey("TR", static_cast<int>(r)), r);
        model.insert({codeKey("TR", static_cast<int>(r)), r});
    }
    cdx.impl().store.writeU32(4, 0x7FFFFE00);  // free list head beyond the end
    std::uint32_t r = 201;
    for (;; ++r) {
        try {
            cdx.insert(0, codeKey("TR", static_cast<int>(r)), r);
        } catch (const Error&) {
            break;  // the first insert that needed a new page
        }
        model.insert({codeKey("TR", static_cast<int>(r)), r});
        ASSERT_LT(r, 2000u) << "no split happened";
    }
    EXPECT_EQ(walk(cdx, 0), asVector(model));
    EXPECT_TRUE(cdx.check(0, asVector(model)).empty());
    cdx.impl().store.writeU32(4, 0);
    for (; r <= 600; ++r) {
        cdx.insert(0, codeKey("TR", static_cast<int>(r)), r);
        model.insert({codeKey("TR", static_cast<int>(r)), r});
    }
    cdx.flush();
    CdxFile reopened(path, kFields);
    EXPECT_EQ(walk(reopened, 0), asVector(model));
    EXPECT_TRUE(reopened.check(0, asVector(model)).empty());
}

TEST_F(CdxWrite, FreedPagesAreReusedBeforeTheFileGrows)
{
    CdxFile cdx(path, kFields, CdxFile::Mode::ReadWrite);
    for (std::uint32_t r = 1; r <= 3000; ++r)
        cdx.insert(0, codeKey("TR", static_cast<int>(r * 7919 % 3000)), r);
    auto grown = std::filesystem::file_size(path);
    for (std::uint32_t r = 1; r <= 3000; ++r)
        cdx.remove(0, codeKey("TR", static_cast<int>(r * 7919 % 3000)), r);
    EXPECT_EQ(cdx.keyCount(0), 0u);
    EXPECT_TRUE(cdx.check(0, {}).empty());
    for (std::uint32_t r = 1; r <= 3000; ++r)
        cdx.insert(0, codeKey("TR", static_cast<int>(r * 7919 % 3000)), r);
    EXPECT_EQ(std::filesystem::file_size(path), grown);
    EXPECT_EQ(cdx.keyCount(0), 3000u);
}

TEST_F(CdxWrite, KeysAddedInOrderInsideATagFillTheirPages)
{
    CdxFile cdx(path, kFields, CdxFile::Mode::ReadWrite);
    std::uint32_t recno = 0;
    // Several series, then the next values of one in the middle, forwards
    // and backwards: the pages they fill stay mostly full.
    for (const char* code : {"AAA", "MMM", "ZZZ"})
        for (int n = 0; n < 2000; ++n) cdx.insert(0, codeKey(code, n), ++recno);
    for (int n = 2000; n < 4000; ++n) cdx.insert(0, codeKey("MMM", n), ++recno);
    for (int n = 4000; n < 6000; ++n) cdx.insert(0, codeKey("KKK", 6000 - n), ++recno);
    std::size_t leaves = 0;
    for (auto pos = cdx.impl().tags[0].tree->first(); pos.valid(); ++leaves) {
        pos.index = pos.node->entries.size() - 1;
        cdx.impl().tags[0].tree->next(pos);
    }
    // About 60 short keys fit in a leaf; half-full pages would need twice as many.
    EXPECT_LT(leaves, recno / 45);
}

TEST_F(CdxWrite, EqualKeysAreOrderedByRecordNumber)
{
    CdxFile cdx(path, kFields, CdxFile::Mode::ReadWrite);
    std::string key = encodeDateKey(julianDay(2024, 1, 31));
    for (std::uint32_t r : {900u, 5u, 70000u, 6u, 1u}) cdx.insert(1, key, r);
    cdx.insert(1, encodeDateKey(0), 42);
    std::vector<std::uint32_t> order;
    for (const auto& e : walk(cdx, 1)) order.push_back(e.second);
    EXPECT_EQ(order, (std::vector<std::uint32_t>{42, 1, 5, 6, 900, 70000}));
}

TEST_F(CdxWrite, CursorSurvivesChangesUnderIt)
{
    CdxFile cdx(path, kFields, CdxFile::Mode::ReadWrite);
    for (std::uint32_t r = 1; r <= 400; ++r) cdx.insert(0, codeKey("TR", static_cast<int>(r)), r);
    CdxCursor cursor(cdx, 0);
    ASSERT_TRUE(cursor.seek(codeKey("TR", 200)));
    ASSERT_EQ(cursor.recNo(), 200u);
    cdx.remove(0, codeKey("TR", 200), 200);
    for (std::uint32_t r = 1000; r < 1300; ++r)
        cdx.insert(0, codeKey("TR", 150), r);  // splits pages around the cursor
    ASSERT_TRUE(cursor.next());
    EXPECT_EQ(cursor.recNo(), 201u);
    cdx.remove(0, codeKey("TR", 201), 201);
    ASSERT_TRUE(cursor.prev());
    EXPECT_EQ(cursor.recNo(), 199u);
}

struct Row {
    std::string code;
    std::string date;
    std::string valor;
};

std::vector<MemoryRecord> records(const std::vector<Row>& rows)
{
    std::vector<MemoryRecord> out;
    std::uint32_t r = 0;
    for (const Row& row : rows)
        out.emplace_back(kFields, cdxtest::recordBytes(kFields, {row.code, row.date, row.valor}), ++r);
    return out;
}

TEST_F(CdxWrite, RebuildGivesWhatIncrementalUpdatesGive)
{
    std::vector<Row> rows;
    for (int i = 0; i < 2500; ++i)
        rows.push_back({i % 3 ? "IPCA" : "TR",
                        i % 11 ? "2024" + std::string(i % 2 ? "03" : "11") + std::to_string(10 + i % 19) : "",
                        std::to_string((i * 37 % 200) - 100) + ".25"});
    auto recs = records(rows);
    CdxFile cdx(path, kFields, CdxFile::Mode::ReadWrite);
    std::vector<std::vector<std::pair<std::string, std::uint32_t>>> incremental(3);
    for (int t = 0; t < 3; ++t) {
        for (const auto& rec : recs) cdx.insert(t, cdx.keyFor(t, rec), rec.recNo());
        incremental[t] = walk(cdx, t);
    }
    auto at = [&](std::uint32_t r) { return &recs.at(r - 1); };
    cdx.rebuild(-1, static_cast<std::uint32_t>(recs.size()), at);
    for (int t = 0; t < 3; ++t) {
        EXPECT_EQ(walk(cdx, t), incremental[t]);
        EXPECT_TRUE(cdx.check(t, incremental[t]).empty());
    }
    cdx.rebuild(2, static_cast<std::uint32_t>(recs.size()), at);
    EXPECT_EQ(walk(cdx, 2), incremental[2]);
    // Negative numbers sort before positive ones.
    CdxCursor cursor(cdx, 2);
    ASSERT_TRUE(cursor.first());
    EXPECT_LT(decodeNumericKey(cursor.key()), 0.0);
    ASSERT_TRUE(cursor.last());
    EXPECT_GT(decodeNumericKey(cursor.key()), 90.0);
}

TEST(CdxTagOptions, ForConditionAndUniqueAreHonoured)
{
    cdxtest::ScratchDir dir;
    std::string path = dir.file("U.CDX");
    CdxFile::create(path, {{"POSITIVE", "CODE", "VALOR > 0", false}, {"ONCE", "CODE", "", true}}, kFields);
    auto recs = records({{"B", "", "5"}, {"A", "", "-1"}, {"B", "", "7"}, {"C", "", "0"}});
    CdxFile cdx(path, kFields, CdxFile::Mode::ReadWrite);
    EXPECT_EQ(cdx.tags()[0].forExpression, "VALOR > 0");
    EXPECT_TRUE(cdx.tags()[1].unique);
    cdx.rebuild(-1, 4, [&](std::uint32_t r) { return &recs.at(r - 1); });
    auto recnos = [&](int tag) {
        std::vector<std::uint32_t> out;
        for (const auto& e : walk(cdx, tag)) out.push_back(e.second);
        return out;
    };
    EXPECT_EQ(recnos(0), (std::vector<std::uint32_t>{1, 3}));
    EXPECT_EQ(recnos(1), (std::vector<std::uint32_t>{2, 1, 4}));
    EXPECT_FALSE(cdx.includes(0, recs[1]));
    cdx.insert(1, cdx.keyFor(1, recs[2]), 3);  // a second "B" stays out
    EXPECT_EQ(recnos(1), (std::vector<std::uint32_t>{2, 1, 4}));
}

TEST_F(CdxWrite, SearchKeysFromPartsPadAndEncodeEachTerm)
{
    CdxFile cdx(path, kFields);
    EXPECT_EQ(cdx.keyFromParts(0, {"TR", "20240131"}, false), "TR        20240131");
    EXPECT_EQ(cdx.keyFromParts(0, {"TR", ""}, false), "TR                ");
    EXPECT_EQ(cdx.keyFromParts(0, {"TR"}, false), "TR        ");
    EXPECT_EQ(cdx.keyFromParts(0, {"TR"}, true), "TR");
    EXPECT_EQ(cdx.keyFromParts(0, {"TR", "2024"}, true), "TR        2024");
    EXPECT_EQ(cdx.keyFromParts(0, {"\xC3\x89NDICE"}, true), "\xC9NDICE");
    EXPECT_EQ(cdx.keyFromParts(1, {"20000101"}, false), encodeDateKey(2451545));
    EXPECT_EQ(cdx.keyFromParts(1, {""}, false), encodeDateKey(0));
    EXPECT_EQ(cdx.keyFromParts(2, {"-35.5"}, false), encodeNumericKey(-35.5));
    EXPECT_THROW(cdx.keyFromParts(1, {"31/01/2024"}, false), Error);
    EXPECT_THROW(cdx.keyFromParts(0, {"TOO LONG A CODE", "20240131"}, false), Error);
    EXPECT_THROW(cdx.keyFromParts(0, {"TR", "20240131", "X"}, false), Error);
    EXPECT_THROW(cdx.keyFromParts(2, {"abc"}, false), Error);
}

TEST_F(CdxWrite, AnotherHandleSeesChangesAfterRefresh)
{
    CdxFile writer(path, kFields, CdxFile::Mode::ReadWrite);
    CdxFile reader(path, kFields);
    writer.insert(0, codeKey("TR", 1), 1);
    reader.refresh();
    EXPECT_EQ(walk(reader, 0).size(), 1u);
    for (std::uint32_t r = 2; r <= 500; ++r) writer.insert(0, codeKey("TR", static_cast<int>(r)), r);
    reader.refresh();
    EXPECT_EQ(walk(reader, 0).size(), 500u);
    EXPECT_THROW(reader.insert(0, codeKey("TR", 1), 9), Error);
}

}  // namespace
