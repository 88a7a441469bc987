// Damaged files: each fault is reported as a foxpro::Error naming the file,
// never a crash or a hang, and a file that failed to open is not written.
#include <gtest/gtest.h>

#include "foxpro/dump.h"
#include "foxpro/table.h"
#include "table_test_support.h"

using foxpro::Table;
using namespace tabletest;

namespace {

// Opens `path` expecting a foxpro::Error about `file` whose text holds `words`;
// the file's bytes must be the same afterwards.
void expectOpenFails(const std::string& path, const std::string& words)
{
    const std::string before = readBytes(path);
    try {
        Table t(path);
        ADD_FAILURE() << "opening " << path << " should fail with \"" << words << "\"";
    } catch (const foxpro::Error& e) {
        EXPECT_EQ(e.file(), path);
        EXPECT_NE(std::string(e.what()).find(words), std::string::npos) << e.what();
    }
    EXPECT_EQ(readBytes(path), before) << "a table that failed to open was written";
}

void patch(const std::string& path, std::size_t offset, const std::string& bytes)
{
    std::string data = readBytes(path);
    data.replace(offset, bytes.size(), bytes);
    writeBytes(path, data);
}

}  // namespace

TEST(TableBadInput, TruncatedFilesAndCountsBeyondTheFileAreRefused)
{
    ScratchDir dir;
    const std::string path = dir.copyTable("DSTPARAM");
    const std::string whole = readBytes(path);
    writeBytes(path, whole.substr(0, 150));  // header intact, records cut off
    expectOpenFails(path, "holds only 150 bytes");
    writeBytes(path, whole.substr(0, 20));
    expectOpenFails(path, "too short");
    writeBytes(path, whole.substr(0, 60));  // cut inside the field list
    expectOpenFails(path, "truncated");
    writeBytes(path, whole);
    patch(path, 4, std::string("\xF4\x01\x00\x00", 4));  // 500 records
    expectOpenFails(path, "counts 500 records");
    writeBytes(path, "this is not a table at all, just text in a file");
    expectOpenFails(path, "not a FoxPro table");
}

TEST(TableBadInput, ImpossibleFieldDescriptorsAreRefused)
{
    ScratchDir dir;
    const std::string path = dir.copyTable("DST_MOED");
    const std::string whole = readBytes(path);
    patch(path, 32 + 16, std::string(1, '\0'));  // VGM_DATA 0 bytes wide
    expectOpenFails(path, "impossible length 0");
    writeBytes(path, whole);
    patch(path, 32 * 5 + 16, std::string(1, '\x1E'));  // VGM_CONV N(30,4)
    expectOpenFails(path, "impossible length 30");
    writeBytes(path, whole);
    patch(path, 32 * 3 + 16, std::string(1, '\x28'));  // VGM_NOME 40: record length disagrees
    expectOpenFails(path, "record length");
    writeBytes(path, whole);
    patch(path, 32 * 7, std::string(1, ' '));  // the 0x0D end marker overwritten
    expectOpenFails(path, "field list");
    writeBytes(path, whole);
    patch(path, 32 + 11, "G");
    expectOpenFails(path, "unsupported type 'G'");
}

TEST(TableBadInput, MemoReferencesPastTheEndOfTheMemoFile)
{
    ScratchDir dir;
    const std::string path = dir.copyTable("DST_MOED");
    const std::size_t memoField = 226 + 1 + 8 + 4 + 30 + 30 + 15;  // record 1, VGM_HIST
    patch(path, memoField, "     99999");
    patch(path, 226 + 98 + memoField - 226, "        zz");  // record 2: not a number
    const std::string fpt = dir.file("DST_MOED.FPT");
    Table t(path);
    t.go(1);
    try {
        t.getMemo("VGM_HIST");
        FAIL() << "a block past the end must throw";
    } catch (const foxpro::Error& e) {
        EXPECT_EQ(e.file(), fpt);
        EXPECT_NE(std::string(e.what()).find("past the end"), std::string::npos);
    }
    t.go(2);
    EXPECT_THROW(t.getMemo("VGM_HIST"), foxpro::Error);
    const auto problems = t.check();
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("record 1"), std::string::npos);
    std::ostringstream out;
    EXPECT_THROW(foxpro::dumpTable(path, out), foxpro::Error);

    // A memo whose length runs past the end of the file.
    patch(path, memoField, "         8");
    std::string memo = readBytes(fpt);
    memo.replace(512 + 4, 4, std::string("\x7F\xFF\xFF\xFF", 4));
    writeBytes(fpt, memo);
    t.go(1);
    EXPECT_THROW(t.getMemo("VGM_HIST"), foxpro::Error);
}

TEST(TableBadInput, MissingCompanionFilesAreNamed)
{
    ScratchDir dir;
    const std::string path = dir.copyTable("DST_MOED");
    fs::remove(dir.file("DST_MOED.FPT"));
    expectOpenFails(path, "DST_MOED.FPT is missing");
    dir.copyTable("DST_MOED");
    fs::remove(dir.file("DST_MOED.CDX"));
    expectOpenFails(path, "DST_MOED.CDX is missing");
    EXPECT_THROW(Table(dir.file("NOPE.DBF")), foxpro::Error);
}
