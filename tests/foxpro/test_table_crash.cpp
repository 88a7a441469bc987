// Appends cut short: a batch whose header count never got written, and a
// writer killed at a random moment. Every counted record must read back
// whole, check() must tell a stale index, and later appends must clear
// what the unfinished ones left.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "foxpro/table.h"
#include "table_test_support.h"

using foxpro::FieldType;
using foxpro::OpenMode;
using foxpro::Table;
using namespace tabletest;

namespace {

const std::vector<foxpro::FieldDef> kFields = {{"COD", FieldType::Character, 10, 0},
                                               {"VALOR", FieldType::Numeric, 12, 0}};
const std::vector<foxpro::TagDef> kTags = {{"COD", "COD", "", false}};

std::string codeOf(const std::string& prefix, int i)
{
    return prefix + std::to_string(i);
}

void appendRows(Table& t, const std::string& prefix, int from, int to)
{
    for (int i = from; i < to; ++i) {
        t.append();
        t.setString("COD", codeOf(prefix, i));
        t.setNumber("VALOR", i);
        t.post();
    }
}

void setHeaderCount(const std::string& path, std::uint32_t count)
{
    std::string bytes = readBytes(path);
    for (int i = 0; i < 4; ++i)
        bytes[4 + static_cast<std::size_t>(i)] = static_cast<char>((count >> (8 * i)) & 0xFF);
    writeBytes(path, bytes);
}

}  // namespace

// The files as a crash between a batch's index write and its header count
// leaves them: records and keys past the count.
TEST(TableCrash, UnfinishedBatchIsReportedAndClearedAsItsPlacesAreReused)
{
    ScratchDir dir;
    const std::string path = dir.file("VALORES.DBF");
    Table::create(path, kFields, kTags);
    {
        Table t(path, OpenMode::Exclusive);
        appendRows(t, "OLD", 0, 10);
    }
    {
        Table t(path, OpenMode::Exclusive);
        appendRows(t, "LOST", 10, 60);
    }
    setHeaderCount(path, 10);
    {
        Table t(path);
        EXPECT_EQ(t.recordCount(), 10u);
        EXPECT_FALSE(t.check().empty()) << "the index holds keys of records past the count";
        t.setTag("COD");
        EXPECT_FALSE(t.seek({codeOf("LOST", 20)})) << "an uncounted record is not found";
    }
    {
        Table t(path, OpenMode::Exclusive);
        appendRows(t, "NEW", 10, 70);  // past the 50 places left over
    }
    Table t(path);
    EXPECT_EQ(t.recordCount(), 70u);
    EXPECT_TRUE(t.check().empty());
    t.setTag("COD");
    for (int i = 10; i < 60; ++i) {
        EXPECT_FALSE(t.seek({codeOf("LOST", i)})) << i;
        ASSERT_TRUE(t.seek({codeOf("NEW", i)})) << i;
        EXPECT_EQ(t.recNo(), static_cast<std::uint32_t>(i + 1));
    }
}

TEST(TableCrash, WriterKilledAtAnyMomentLeavesCountedRecordsWhole)
{
    ScratchDir dir;
    const std::string path = dir.file("VALORES.DBF");
    Table::create(path, kFields, kTags);
    for (int round = 0; round < 4; ++round) {
        std::uint32_t before = 0;
        {
            Table t(path);
            before = t.recordCount();
        }
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                Table t(path, round % 2 ? OpenMode::Shared : OpenMode::Exclusive);
                appendRows(t, "K", static_cast<int>(before), static_cast<int>(before) + 1000000);
            } catch (...) {
            }
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(30 + 40 * round));
        kill(pid, SIGKILL);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);

        Table t(path);
        const std::uint32_t count = t.recordCount();
        ASSERT_GE(count, before);
        for (std::uint32_t r = 1; r <= count; ++r) {
            t.go(r);
            ASSERT_EQ(t.getString("COD"), codeOf("K", static_cast<int>(r - 1))) << "round " << round;
            ASSERT_EQ(t.getNumber("VALOR"), static_cast<double>(r - 1));
        }
        if (!t.check().empty()) {
            t.close();
            Table repair(path, OpenMode::Exclusive);
            repair.reindex();
            EXPECT_TRUE(repair.check().empty());
        } else {
            t.setTag("COD");
            for (std::uint32_t r = 1; r <= count; r += 97)
                ASSERT_TRUE(t.seek({codeOf("K", static_cast<int>(r - 1))})) << r;
        }
    }
    {
        Table t(path, OpenMode::Exclusive);
        const int count = static_cast<int>(t.recordCount());
        appendRows(t, "K", count, count + 5000);
    }
    Table t(path);
    EXPECT_TRUE(t.check().empty());
}

// A pack cut short after its new index and memo file took their places but
// before the new table did: the next open finishes the job, so the old table
// never meets the compacted memo file.
TEST(TableCrash, PackCutShortBetweenItsRenamesIsFinishedOnOpen)
{
    ScratchDir crashed, finished;
    const std::string path = crashed.copyTable("DST_FCM1");
    {
        Table t(path);
        t.go(2);
        t.edit();
        t.setMemo("FORMA_HIS", std::string(3000, 'z'));  // old blocks left unused
        t.post();
        t.go(3);
        t.remove();
    }
    for (const char* name : {"DST_FCM1.DBF", "DST_FCM1.FPT", "DST_FCM1.CDX"})
        fs::copy_file(crashed.file(name), finished.file(name));
    {
        Table t(finished.file("DST_FCM1.DBF"), OpenMode::Exclusive);
        t.pack();
    }
    EXPECT_FALSE(fs::exists(finished.file("DST_FCM1.DBF.pack")));

    // The crashed folder: new CDX and FPT in place, the new DBF still aside.
    fs::copy_file(finished.file("DST_FCM1.CDX"), crashed.file("DST_FCM1.CDX"),
                  fs::copy_options::overwrite_existing);
    fs::copy_file(finished.file("DST_FCM1.FPT"), crashed.file("DST_FCM1.FPT"),
                  fs::copy_options::overwrite_existing);
    fs::copy_file(finished.file("DST_FCM1.DBF"), crashed.file("DST_FCM1.DBF.tmp"));
    writeBytes(
        crashed.file("DST_FCM1.DBF.pack"),
        "DST_FCM1.CDX.tmp\tDST_FCM1.CDX\nDST_FCM1.FPT.tmp\tDST_FCM1.FPT\nDST_FCM1.DBF.tmp\tDST_FCM1.DBF\n");

    Table t(path);
    EXPECT_FALSE(fs::exists(crashed.file("DST_FCM1.DBF.pack")));
    EXPECT_FALSE(fs::exists(crashed.file("DST_FCM1.DBF.tmp")));
    EXPECT_EQ(readBytes(path), readBytes(finished.file("DST_FCM1.DBF")));
    EXPECT_EQ(t.recordCount(), 4u);
    t.go(2);
    EXPECT_EQ(t.getMemo("FORMA_HIS"), std::string(3000, 'z'));
    EXPECT_TRUE(t.check().empty());
}
