// Sharing a table: exclusive use, record locks between Table objects and
// between processes, and other writers' appends becoming visible. The last
// test lets two processes append to and edit one table at the same time.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <set>

#include "foxpro/table.h"
#include "table_test_support.h"

using foxpro::FieldType;
using foxpro::OpenMode;
using foxpro::Table;
using namespace tabletest;

TEST(TableSharing, ExclusiveUseExcludesEveryOtherOpener)
{
    ScratchDir dir;
    const std::string path = dir.copyTable("DST_GTCU");
    {
        Table shared(path);
        EXPECT_THROW(Table(path, OpenMode::Exclusive), foxpro::Error);
        Table alsoShared(path);
        EXPECT_TRUE(alsoShared.isOpen());
    }
    Table exclusive(path, OpenMode::Exclusive);
    EXPECT_THROW(Table(path, OpenMode::Shared), foxpro::Error);
    EXPECT_THROW(Table(path, OpenMode::Exclusive), foxpro::Error);
    exclusive.close();
    Table again(path);
    EXPECT_TRUE(again.isOpen());

    // A table whose file has no write permission opens read-only, also for
    // root, who could write it anyway: the engine goes by the permission bits.
    const std::string readOnly = dir.copyTable("DSTPARAM");
    fs::permissions(readOnly, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_THROW(Table(readOnly, OpenMode::Exclusive), foxpro::Error);
    Table reader(readOnly);
    EXPECT_THROW(reader.edit(), foxpro::Error);
    EXPECT_THROW(reader.append(), foxpro::Error);
}

TEST(TableSharing, ARecordLockedElsewhereFailsAtOnce)
{
    ScratchDir dir;
    const std::string path = dir.copyTable("DSTPARAM");  // no index: the low lock offsets
    for (const std::string& p : {path, dir.copyTable("DST_GTCU")}) {
        Table a(p);
        Table b(p);
        a.go(2);
        a.edit();
        b.go(2);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_THROW(b.edit(), foxpro::Error);
        EXPECT_THROW(b.remove(), foxpro::Error);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        b.go(3);
        b.edit();  // another record is free
        b.cancel();
        a.post();
        b.go(2);
        b.edit();
        b.cancel();
    }
}

TEST(TableSharing, AppendsByAnotherWriterBecomeVisible)
{
    ScratchDir dir;
    const std::string path = dir.copyTable("DST_GTCU");
    Table reader(path);
    reader.setTag("LETRA");
    Table writer(path);
    writer.append();
    writer.setString("GTCU_LETRA", "E");
    writer.setString("GTCU_DESC", "Nova");
    writer.post();
    EXPECT_EQ(reader.recordCount(), 7u);
    ASSERT_TRUE(reader.seek({"E"}));
    EXPECT_EQ(reader.recNo(), 7u);
    EXPECT_EQ(reader.getString("GTCU_DESC"), "Nova");
    writer.go(1);
    writer.edit();
    writer.setString("GTCU_LETRA", "F");
    writer.post();
    reader.refresh();
    ASSERT_TRUE(reader.seek({"F"}));
    EXPECT_EQ(reader.recNo(), 1u);
}

namespace {

constexpr int kRowsPerProcess = 250;

// One writer process: appends its rows and re-edits every tenth one.
int writeRows(const std::string& path, char who)
{
    try {
        Table t(path);
        for (int i = 1; i <= kRowsPerProcess; ++i) {
            t.append();
            t.setString("COD", std::string(1, who) + std::to_string(i));
            t.setNumber("VALOR", i);
            t.post();
            if (i % 10 != 0) continue;
            const std::uint32_t mine = t.recNo();
            t.go(mine);
            t.edit();
            t.setNumber("VALOR", -i);
            t.setMemo("NOTA", std::string(static_cast<std::size_t>(i), who));
            t.post();
        }
        return 0;
    } catch (const std::exception& e) {
        fprintf(stderr, "writer %c: %s\n", who, e.what());
        return 1;
    }
}

}  // namespace

TEST(TableSharing, TwoProcessesAppendAndEditOneTableWithoutLosingRecords)
{
    ScratchDir dir;
    const std::string path = dir.file("PARTES.DBF");
    Table::create(path,
                  {{"COD", FieldType::Character, 8, 0},
                   {"VALOR", FieldType::Numeric, 10, 2},
                   {"NOTA", FieldType::Memo, 10, 0}},
                  {{"COD", "COD", "", false}});
    std::vector<pid_t> children;
    for (char who : {'A', 'B'}) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) _exit(writeRows(path, who));
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    Table t(path);
    EXPECT_EQ(t.recordCount(), 2u * kRowsPerProcess);
    EXPECT_TRUE(t.check().empty());
    t.setTag("COD");
    for (char who : {'A', 'B'})
        for (int i = 1; i <= kRowsPerProcess; ++i) {
            const std::string code = std::string(1, who) + std::to_string(i);
            ASSERT_TRUE(t.seek({code})) << code;
            EXPECT_EQ(t.getNumber("VALOR"), i % 10 == 0 ? -i : i) << code;
            EXPECT_EQ(t.getMemo("NOTA").size(), i % 10 == 0 ? static_cast<std::size_t>(i) : 0u) << code;
        }
}

// A reader's seeks answer from its cached index pages while nothing
// changes; another process's edit, append or reindex must show at the next
// seek without a refresh.
TEST(TableSharing, SeeksFromTheCachedIndexSeeAnotherProcessesChanges)
{
    ScratchDir dir;
    const std::string path = dir.file("CODIGOS.DBF");
    Table::create(path, {{"COD", FieldType::Character, 8, 0}}, {{"COD", "COD", "", false}});
    {
        Table t(path, OpenMode::Exclusive);
        for (int i = 0; i < 3000; ++i) {
            t.append();
            t.setString("COD", "C" + std::to_string(i));
            t.post();
        }
    }
    auto inChild = [&](const std::function<void(Table&)>& change) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            try {
                Table t(path);
                change(t);
                _exit(0);
            } catch (const std::exception& e) {
                fprintf(stderr, "child: %s\n", e.what());
                _exit(1);
            }
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    };
    Table reader(path);
    reader.setTag("COD");
    for (int i = 0; i < 3000; i += 7) ASSERT_TRUE(reader.seek({"C" + std::to_string(i)}));
    ASSERT_TRUE(reader.seek({"C1234"}));
    EXPECT_EQ(reader.recNo(), 1235u);

    inChild([](Table& t) {
        t.go(1235);
        t.edit();
        t.setString("COD", "EDITADO");
        t.post();
    });
    EXPECT_FALSE(reader.seek({"C1234"}));
    ASSERT_TRUE(reader.seek({"EDITADO"}));
    EXPECT_EQ(reader.recNo(), 1235u);

    inChild([](Table& t) {
        for (int i = 0; i < 500; ++i) {
            t.append();
            t.setString("COD", "N" + std::to_string(i));
            t.post();
        }
    });
    ASSERT_TRUE(reader.seek({"N499"}));
    EXPECT_EQ(reader.recNo(), 3500u);
    ASSERT_TRUE(reader.seek({"C2999"}));
}

TEST(TableSharing, OpeningWhileAnotherProcessAppendsNeverSeesAShortFile)
{
    ScratchDir dir;
    const std::string path = dir.file("CODIGOS.DBF");
    Table::create(path, {{"COD", FieldType::Character, 8, 0}}, {{"COD", "COD", "", false}});
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        try {
            Table t(path);
            for (int i = 0; i < 1500; ++i) {
                t.append();
                t.setString("COD", "C" + std::to_string(i));
                t.post();
            }
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    int opened = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        Table t(path);
        ++opened;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_GT(opened, 0);
    EXPECT_EQ(Table(path).recordCount(), 1500u);
}
