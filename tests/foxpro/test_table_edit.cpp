// Creating tables and editing records: fixed-width values that must fit,
// index keys kept in step with the records, memos, delete, cancel, and the
// table read back by a fresh Table and by the canonical dump.
#include <gtest/gtest.h>

#include <sstream>

#include "foxpro/dump.h"
#include "foxpro/table.h"
#include "table_test_support.h"

using foxpro::FieldDef;
using foxpro::FieldType;
using foxpro::OpenMode;
using foxpro::Table;
using foxpro::TagDef;
using namespace tabletest;

namespace {

const std::vector<FieldDef> kValueFields = {
    {"LCM_COD", FieldType::Character, 10, 0}, {"LCM_DATA", FieldType::Date, 8, 0},
    {"LCM_VALOR", FieldType::Numeric, 20, 9}, {"QTD", FieldType::Numeric, 5, 2},
    {"ATIVO", FieldType::Logical, 1, 0},      {"HIST", FieldType::Memo, 10, 0},
};
const std::vector<TagDef> kValueTags = {{"CODDATA", "LCM_COD+DTOS(LCM_DATA)", "", false},
                                        {"ODATA", "LCM_DATA", "", false}};

void addValue(Table& t, const std::string& code, const std::string& date, double value)
{
    t.append();
    t.setString("LCM_COD", code);
    t.setDate("LCM_DATA", date);
    t.setNumber("LCM_VALOR", value);
    t.post();
}

std::vector<std::string> codesInOrder(Table& t)
{
    std::vector<std::string> codes;
    for (t.first(); !t.eof(); t.next()) codes.push_back(t.getString("LCM_COD") + "/" + t.getDate("LCM_DATA"));
    return codes;
}

}  // namespace

TEST(TableEdit, CreatedTableKeepsValuesTagsAndMemosAcrossReopening)
{
    ScratchDir dir;
    const std::string path = dir.file("VALORES.DBF");
    Table::create(path, kValueFields, kValueTags);
    EXPECT_THROW(Table::create(path, kValueFields, kValueTags), foxpro::Error);
    EXPECT_TRUE(fs::exists(dir.file("VALORES.CDX")));
    EXPECT_TRUE(fs::exists(dir.file("VALORES.FPT")));
    {
        Table t(path);
        addValue(t, "TR", "20240102", 0.0012);
        addValue(t, "IGPM", "19890601", -123.456789012);
        addValue(t, "TR", "20240101", 2.654476264);
        t.edit();
        t.setMemo("HIST", "Histórico");
        t.setLogical("ATIVO", true);
        t.post();
    }
    Table t(path);
    EXPECT_EQ(t.recordCount(), 3u);
    t.go(2);
    EXPECT_EQ(t.getRaw("LCM_VALOR"), "      -123.456789012");
    t.go(3);
    EXPECT_EQ(t.getString("LCM_VALOR"), "2.654476264");
    EXPECT_EQ(t.getMemo("HIST"), "Histórico");
    EXPECT_TRUE(t.getLogical("ATIVO"));
    t.setTag("coddata");
    EXPECT_EQ(codesInOrder(t), (std::vector<std::string>{"IGPM/19890601", "TR/20240101", "TR/20240102"}));
    t.setTag("ODATA");
    t.last();
    EXPECT_EQ(t.recNo(), 1u);
    EXPECT_TRUE(t.check().empty());

    std::ostringstream dump;
    foxpro::dumpTable(path, dump);
    EXPECT_NE(
        dump.str().find("HEADER version=0xF5 records=3 headerlen=226 recordlen=55 flags=0x01 codepage=0x03"),
        std::string::npos);
    EXPECT_NE(dump.str().find("K 3 \"TR        20240101\""), std::string::npos);
}

TEST(TableEdit, ValuesThatDoNotFitThrowAndNothingIsTruncated)
{
    ScratchDir dir;
    const std::string path = dir.file("VALORES.DBF");
    Table::create(path, kValueFields, kValueTags);
    Table t(path);
    EXPECT_THROW(t.setString("LCM_COD", "X"), foxpro::Error) << "setters need edit() or append()";
    t.append();
    EXPECT_THROW(t.setString("LCM_COD", "ABCDEFGHIJK"), foxpro::Error);
    t.setString("LCM_COD", "ÇÃOÉÍÚÂÊÔÀ");  // ten characters, twenty UTF-8 bytes
    EXPECT_EQ(t.getString("LCM_COD"), "ÇÃOÉÍÚÂÊÔÀ");
    EXPECT_THROW(t.setString("LCM_COD", "\xE2\x9C\x93"), foxpro::Error) << "no Windows-1252 form";
    EXPECT_THROW(t.setNumber("QTD", 1000.0), foxpro::Error);
    EXPECT_THROW(t.setString("QTD", "12a"), foxpro::Error);
    t.setNumber("QTD", -9.99);
    EXPECT_EQ(t.getRaw("QTD"), "-9.99");
    t.setString("QTD", "1.235");
    EXPECT_EQ(t.getRaw("QTD"), " 1.24");
    t.setString("LCM_VALOR", "-35");
    EXPECT_EQ(t.getRaw("LCM_VALOR"), "       -35.000000000");
    EXPECT_THROW(t.setDate("LCM_DATA", "20230229"), foxpro::Error);
    EXPECT_THROW(t.setString("LCM_DATA", "31/04/2024"), foxpro::Error);
    t.setString("LCM_DATA", "29/02/2024");
    EXPECT_EQ(t.getDate("LCM_DATA"), "20240229");
    EXPECT_THROW(t.setString("ATIVO", "talvez"), foxpro::Error);
    EXPECT_THROW(t.setNumber("LCM_COD", 1.0), foxpro::Error);
    t.post();
    EXPECT_EQ(t.getString("QTD"), "1.24");
}

TEST(TableEdit, EditingMovesKeysCancelDropsChangesRemoveHidesTheRecord)
{
    ScratchDir dir;
    const std::string path = dir.copyTable("DST_TCM1");
    Table t(path);
    t.setTag("CODIGO");
    ASSERT_TRUE(t.seek({"UFIR"}));
    const std::uint32_t ufir = t.recNo();
    t.edit();
    t.setString("TBCM_COD", "AUFIR");
    t.cancel();
    EXPECT_EQ(t.getString("TBCM_COD"), "UFIR");
    t.edit();
    t.setString("TBCM_COD", "AUFIR");
    t.setMemo("TBCM_HIST", std::string(1000, 'x'));
    t.post();
    EXPECT_FALSE(t.seek({"UFIR"}));
    ASSERT_TRUE(t.seek({"AUFIR"}));
    EXPECT_EQ(t.recNo(), ufir);
    EXPECT_EQ(t.getMemo("TBCM_HIST"), std::string(1000, 'x'));
    t.first();
    EXPECT_EQ(t.getString("TBCM_COD"), "AUFIR");

    ASSERT_TRUE(t.seek({"BTN"}));
    t.remove();
    EXPECT_EQ(t.getString("TBCM_COD"), "CUB") << "delete moves to the next record in tag order";
    EXPECT_FALSE(t.seek({"BTN"}));
    EXPECT_TRUE(t.check().empty());

    Table again(path);
    again.go(14);
    EXPECT_TRUE(again.isDeleted());
    again.go(ufir);
    EXPECT_EQ(again.getString("TBCM_COD"), "AUFIR");
}

TEST(TableEdit, MemosAreBinarySafeAndLongMemosSpanBlocks)
{
    ScratchDir dir;
    const std::string path = dir.file("NOTAS.DBF");
    Table::create(path, {{"COD", FieldType::Character, 3, 0}, {"TEXTO", FieldType::Memo, 10, 0}});
    std::string binary;
    for (int i = 0; i < 3000; ++i) binary.push_back(static_cast<char>(i % 256));
    {
        Table t(path);
        t.append();
        t.setString("COD", "001");
        t.setMemoBytes("TEXTO", binary);
        t.post();
        t.append();
        t.setString("COD", "002");
        t.setMemo("TEXTO", "curto");
        t.post();
        t.edit();
        t.setMemo("TEXTO", "");
        t.post();
    }
    Table t(path);
    t.go(1);
    EXPECT_EQ(t.getMemoBytes("TEXTO"), binary);
    t.go(2);
    EXPECT_EQ(t.getMemo("TEXTO"), "");
    EXPECT_EQ(t.getRaw("TEXTO"), std::string(10, ' ')) << "an empty memo keeps no blocks";
}

TEST(TableEdit, PackDropsDeletedRecordsCompactsMemosAndRebuildsTags)
{
    ScratchDir dir;
    const std::string path = dir.copyTable("DST_FCM1");
    std::vector<std::string> memos;
    {
        Table t(path);
        for (std::uint32_t r : {1u, 2u, 3u, 4u, 5u}) {
            t.go(r);
            memos.push_back(t.getMemoBytes("FORMA_HIS"));
        }
        t.go(4);
        t.edit();
        t.setMemo("FORMA_HIS", std::string(2000, 'y'));  // leaves the old blocks unused
        t.post();
        memos[3] = std::string(2000, 'y');
        EXPECT_THROW(t.pack(), foxpro::Error) << "pack needs exclusive use";
    }
    const auto fptBefore = fs::file_size(dir.file("DST_FCM1.FPT"));
    Table t(path, OpenMode::Exclusive);
    t.pack();
    EXPECT_EQ(t.recordCount(), 5u);
    EXPECT_LT(fs::file_size(dir.file("DST_FCM1.FPT")), fptBefore);
    for (std::uint32_t r = 1; r <= 5; ++r) {
        t.go(r);
        EXPECT_EQ(t.getMemoBytes("FORMA_HIS"), memos[r - 1]) << "record " << r;
    }
    t.setTag("CODIGO");
    std::vector<std::string> codes;
    for (t.first(); !t.eof(); t.next()) codes.push_back(t.getString("FORMA_COD"));
    EXPECT_EQ(codes, (std::vector<std::string>{"001", "002", "003", "010", "A01"}));
    EXPECT_TRUE(t.check().empty());
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST(TableEdit, CheckFindsAStaleIndexAndReindexRepairsIt)
{
    ScratchDir dir;
    const std::string path = dir.copyTable("DST_GTCU");
    std::string bytes = readBytes(path);
    const std::size_t firstRecord = 98;  // header length of DST_GTCU
    ASSERT_EQ(bytes[firstRecord + 1], 'C');
    bytes[firstRecord + 1] = 'Q';  // changed behind the index's back
    writeBytes(path, bytes);

    Table shared(path);
    EXPECT_FALSE(shared.check().empty());
    EXPECT_THROW(shared.reindex(), foxpro::Error) << "reindex needs exclusive use";
    shared.close();

    Table t(path, OpenMode::Exclusive);
    t.reindex();
    EXPECT_TRUE(t.check().empty());
    t.setTag("LETRA");
    ASSERT_TRUE(t.seek({"Q"}));
    EXPECT_EQ(t.recNo(), 1u);
    EXPECT_FALSE(t.seek({"C"}));
}

TEST(TableEdit, ExclusiveAppendsWrittenInBatchesReadBackWhole)
{
    ScratchDir dir;
    const std::string path = dir.file("VALORES.DBF");
    Table::create(path, kValueFields, kValueTags);
    constexpr int kRows = 9000;  // more than one batch, the last one partial
    {
        Table t(path, OpenMode::Exclusive);
        for (int i = 0; i < kRows; ++i)
            addValue(t, i % 2 ? "TR" : "SELIC",
                     "2000" + std::string(i % 12 < 9 ? "0" : "") + std::to_string(i % 12 + 1) + "01", i);
        EXPECT_EQ(t.recordCount(), static_cast<std::uint32_t>(kRows));
        t.go(kRows);  // still in memory: reads, seeks and edits see it
        EXPECT_EQ(t.getNumber("LCM_VALOR"), kRows - 1);
        t.setTag("CODDATA");
        EXPECT_TRUE(t.seek({"TR", "20001201"}));
        t.go(kRows - 1);
        t.edit();
        t.setString("LCM_COD", "IPCA");
        t.post();
        addValue(t, "IGPM", "20240101", 1.5);
    }  // the last batch is written when the table closes
    Table t(path);
    EXPECT_EQ(t.recordCount(), static_cast<std::uint32_t>(kRows + 1));
    EXPECT_TRUE(t.check().empty());
    t.setTag("CODDATA");
    ASSERT_TRUE(t.seek({"IPCA"}, true));
    EXPECT_EQ(t.recNo(), static_cast<std::uint32_t>(kRows - 1));
    ASSERT_TRUE(t.seek({"IGPM", "20240101"}));
    EXPECT_EQ(t.recNo(), static_cast<std::uint32_t>(kRows + 1));
}
