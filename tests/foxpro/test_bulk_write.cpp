// Bulk changes: a write that fails, a writer killed at a chosen write, and a
// second writer meeting a running change. Whatever happens, the table holds
// either all of a change or none of it, and its index agrees with it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

#include "foxpro/bulk_write.h"
#include "foxpro/table.h"
#include "foxpro/undo_journal.h"
#include "foxpro/write_faults.h"
#include "table_test_support.h"

using foxpro::BulkWrite;
using foxpro::FieldType;
using foxpro::OpenMode;
using foxpro::Table;
using namespace tabletest;

namespace {

const std::vector<foxpro::FieldDef> kFields = {{"COD", FieldType::Character, 10, 0},
                                               {"VALOR", FieldType::Numeric, 12, 0},
                                               {"HIST", FieldType::Memo, 10, 0}};
const std::vector<foxpro::TagDef> kTags = {{"COD", "COD", "", false}};

// Removes the write hook when a test ends, however it ends.
struct HookGuard {
    ~HookGuard() { foxpro::setWriteHook({}); }
};

std::string makeTable(const ScratchDir& dir, const std::string& name)
{
    const std::string path = dir.file(name);
    Table::create(path, kFields, kTags);
    Table t(path);
    for (int i = 0; i < 40; ++i) {
        t.append();
        t.setString("COD", "OLD" + std::to_string(i));
        t.setNumber("VALOR", i);
        if (i % 7 == 0) t.setMemo("HIST", "history " + std::to_string(i));
        t.post();
    }
    return path;
}

// Everything a reader can see: records in physical and in key order, memos,
// and the table's own consistency report.
std::string contents(Table& t)
{
    std::ostringstream out;
    t.setTag("");
    out << t.recordCount() << " records\n";
    for (t.first(); !t.eof(); t.next())
        out << t.recNo() << " " << t.getString("COD") << " " << t.getString("VALOR") << " "
            << t.getMemo("HIST") << "\n";
    t.setTag("COD");
    for (t.first(); !t.eof(); t.next()) out << t.getString("COD") << "@" << t.recNo() << " ";
    for (const std::string& p : t.check()) out << "\nproblem: " << p;
    return out.str();
}

std::string contents(const std::string& path)
{
    Table t(path);
    return contents(t);
}

// A change of every kind: edits (one of the key), a memo, a deletion and
// appends with and without memos.
void change(Table& t)
{
    t.setTag("COD");
    for (int i : {3, 17, 29}) {
        ASSERT_TRUE(t.seek({"OLD" + std::to_string(i)}));
        t.edit();
        t.setNumber("VALOR", 1000 + i);
        if (i == 17) t.setString("COD", "NEW17");
        if (i == 29) t.setMemo("HIST", "rewritten");
        t.post();
    }
    ASSERT_TRUE(t.seek({"OLD5"}));
    t.remove();
    for (int i = 0; i < 150; ++i) {
        t.append();
        t.setString("COD", "ADD" + std::to_string(i));
        t.setNumber("VALOR", -i);
        if (i % 25 == 0) t.setMemo("HIST", std::string(200, static_cast<char>('a' + i % 26)));
        t.post();
    }
}

std::string changedContents(const ScratchDir& dir, OpenMode mode)
{
    const std::string path = makeTable(dir, "REF.DBF");
    Table t(path, mode);
    BulkWrite bulk(t);
    change(t);
    bulk.commit();
    t.close();
    return contents(path);
}

int countWrites(const ScratchDir& dir, OpenMode mode)
{
    HookGuard guard;
    const std::string path = makeTable(dir, "COUNT.DBF");
    int writes = 0;
    Table t(path, mode);
    BulkWrite bulk(t);
    foxpro::setWriteHook([&](const std::string&) { return ++writes, 0; });
    change(t);
    bulk.commit();
    return writes;
}

}  // namespace

TEST(BulkWrite, AFailedWriteUndoesTheWholeChangeAndTheTableStaysUsable)
{
    for (OpenMode mode : {OpenMode::Shared, OpenMode::Exclusive}) {
        ScratchDir dir;
        const std::string expected = changedContents(dir, mode);
        const int writes = countWrites(dir, mode);
        ASSERT_GT(writes, 2);
        for (int failing : {1, 2, writes / 2, writes}) {
            SCOPED_TRACE("failing write " + std::to_string(failing));
            ScratchDir scratch;
            const std::string path = makeTable(scratch, "VALORES.DBF");
            const std::string before = contents(path);
            Table t(path, mode);
            {
                HookGuard guard;
                int n = 0;
                foxpro::setWriteHook([&](const std::string&) { return ++n == failing ? ENOSPC : 0; });
                try {
                    BulkWrite bulk(t);
                    change(t);
                    bulk.commit();
                    ADD_FAILURE() << "the change went through a failed write";
                } catch (const foxpro::Error& e) {
                    EXPECT_NE(std::string(e.what()).find("No space left"), std::string::npos) << e.what();
                }
            }
            EXPECT_FALSE(t.inBulk());
            EXPECT_FALSE(foxpro::UndoJournal::existsFor(path));
            EXPECT_EQ(contents(t), before);
            // The same table object goes on from the restored files.
            BulkWrite again(t);
            change(t);
            again.commit();
            t.close();
            EXPECT_EQ(contents(path), expected);
        }
    }
}

TEST(BulkWrite, AWriterKilledAtAnyWriteIsUndoneByTheNextOpen)
{
    for (OpenMode mode : {OpenMode::Shared, OpenMode::Exclusive}) {
        ScratchDir dir;
        const std::string expected = changedContents(dir, mode);
        const int writes = countWrites(dir, mode);
        // 0 = every write done, killed just before the commit.
        for (int killedAt : {1, 2, 3, writes / 3, writes / 2, writes - 1, writes, 0}) {
            SCOPED_TRACE("killed at write " + std::to_string(killedAt));
            ScratchDir scratch;
            const std::string path = makeTable(scratch, "VALORES.DBF");
            const std::string before = contents(path);
            const pid_t pid = fork();
            ASSERT_GE(pid, 0);
            if (pid == 0) {
                int n = 0;
                foxpro::setWriteHook([&](const std::string&) {
                    if (++n == killedAt) _exit(9);
                    return 0;
                });
                try {
                    Table t(path, mode);
                    BulkWrite bulk(t);
                    change(t);
                    if (killedAt == 0) _exit(9);
                    bulk.commit();
                } catch (...) {
                }
                _exit(0);
            }
            int status = 0;
            ASSERT_EQ(waitpid(pid, &status, 0), pid);
            ASSERT_TRUE(WIFEXITED(status));
            ASSERT_EQ(WEXITSTATUS(status), 9) << "the child did not stop where it was meant to";
            EXPECT_TRUE(foxpro::UndoJournal::existsFor(path));
            EXPECT_EQ(contents(path), before);
            EXPECT_FALSE(foxpro::UndoJournal::existsFor(path));
            {
                Table t(path, mode);
                BulkWrite bulk(t);
                change(t);
                bulk.commit();
            }
            EXPECT_EQ(contents(path), expected);
        }
    }
}

TEST(BulkWrite, ASecondWriterWaitsOrFailsWhileReadersGoOn)
{
    ScratchDir dir;
    const std::string path = makeTable(dir, "VALORES.DBF");
    // Two tables of one process exclude each other as two processes do.
    Table writer(path);
    Table other(path);
    BulkWrite bulk(writer);
    writer.append();
    writer.setString("COD", "RUNNING");
    writer.post();

    try {
        BulkWrite second(other, 200);
        ADD_FAILURE() << "two bulk changes ran at once";
    } catch (const foxpro::Error& e) {
        EXPECT_NE(std::string(e.what()).find("being changed by another user"), std::string::npos) << e.what();
    }
    other.go(1);
    EXPECT_THROW(other.edit(), foxpro::Error) << "a record edit must wait for the change";
    EXPECT_FALSE(other.inBulk());

    // A reader opens (leaving the running change alone), seeks and reads.
    {
        Table reader(path);
        reader.setTag("COD");
        EXPECT_TRUE(reader.seek({"OLD12"}));
        EXPECT_EQ(reader.getNumber("VALOR"), 12);
    }
    EXPECT_TRUE(foxpro::UndoJournal::existsFor(path));
    bulk.commit();
    EXPECT_FALSE(foxpro::UndoJournal::existsFor(path));

    BulkWrite second(other, 200);
    other.setTag("COD");
    EXPECT_TRUE(other.seek({"RUNNING"})) << "the second change sees what the first stored";
    second.commit();

    // A change given up (closing without commit) leaves nothing.
    {
        BulkWrite given(writer);
        writer.append();
        writer.setString("COD", "DROPPED");
        writer.post();
    }
    writer.close();
    Table t(path);
    t.setTag("COD");
    EXPECT_FALSE(t.seek({"DROPPED"}));
    EXPECT_TRUE(t.check().empty());
}

TEST(BulkWrite, ATableOpenWhileAWriterDiedUndoesItsChangeBeforeWriting)
{
    ScratchDir dir;
    const std::string path = makeTable(dir, "VALORES.DBF");
    Table open(path);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        try {
            Table t(path);
            BulkWrite bulk(t);
            change(t);
            _exit(9);  // before the change is committed or undone
        } catch (...) {
        }
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9);
    ASSERT_TRUE(foxpro::UndoJournal::existsFor(path));

    open.append();
    open.setString("COD", "AFTER");
    open.post();
    EXPECT_FALSE(foxpro::UndoJournal::existsFor(path));
    EXPECT_EQ(open.recNo(), 41u) << "the dead change's records are gone before the append";
    open.setTag("COD");
    ASSERT_TRUE(open.seek({"OLD17"}));
    EXPECT_EQ(open.getNumber("VALOR"), 17);
    open.edit();
    open.setNumber("VALOR", 170);
    open.post();
    open.close();
    Table t(path);
    EXPECT_EQ(t.recordCount(), 41u);
    EXPECT_TRUE(t.check().empty());
    t.setTag("COD");
    EXPECT_FALSE(t.seek({"ADD0"}));
    EXPECT_TRUE(t.seek({"OLD5"})) << "the deletion was undone";
}
