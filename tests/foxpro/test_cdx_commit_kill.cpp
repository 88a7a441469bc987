// A process appending rows is ended before or after each write of its index
// commits (journal, index blocks, journal removal). Whatever the moment, the
// next open finds the tag whole: check reports at most the key of the one
// record whose append did not finish, and the next append clears it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "foxpro/cdx_commit_journal.h"
#include "foxpro/cdx_key.h"
#include "foxpro/table.h"
#include "table_test_support.h"

using namespace foxpro;

namespace {

const std::vector<FieldDef> kFields = {{"COD", FieldType::Character, 10, 0},
                                       {"DATA", FieldType::Date, 8, 0},
                                       {"VALOR", FieldType::Numeric, 12, 2}};
const std::vector<TagDef> kTags = {{"CODDATA", "COD+DTOS(DATA)", "", false}};

std::string dateOf(int row)
{
    return dtosFromJulian(julianDay(2001, 1, 1) + row / 3);
}

const char* codeOf(int row)
{
    static const char* const codes[] = {"IGPM", "INPC", "TR"};
    return codes[row % 3];
}

void appendRows(Table& t, int from, int to)
{
    for (int row = from; row < to; ++row) {
        t.append();
        t.setString("COD", codeOf(row));
        t.setDate("DATA", dateOf(row));
        t.setNumber("VALOR", row);
        t.post();
    }
}

// Appends in shared use (one index commit per row) in a child process that
// ends at write point `stopAt`. Returns whether it was stopped there.
bool appendUntil(const std::string& path, int stopAt)
{
    const pid_t pid = fork();
    if (pid == 0) {
        int seen = 0;
        try {
            Table t(path);
            cdx::setCommitWriteHook([&] {
                if (seen++ == stopAt) _exit(3);
            });
            const int count = static_cast<int>(t.recordCount());
            appendRows(t, count, count + 40);
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) != 1) << "the appending process failed";
    return WIFEXITED(status) && WEXITSTATUS(status) == 3;
}

}  // namespace

TEST(IndexCommitKill, KillAtEveryWritePointLeavesAConsistentTag)
{
    tabletest::ScratchDir dir;
    const std::string path = dir.file("SERIE.DBF");
    const std::string journal = cdx::commitJournalPath(dir.file("SERIE.CDX"));
    Table::create(path, kFields, kTags);
    {
        Table t(path, OpenMode::Exclusive);
        appendRows(t, 0, 700);  // a few leaves, so that commits split pages
    }
    int replayed = 0;
    int stopAt = 0;
    // Every write point of the first commits, then every fifth one.
    for (; stopAt < 1000; stopAt += stopAt < 120 ? 1 : 5) {
        if (!appendUntil(path, stopAt)) break;
        if (std::filesystem::exists(journal)) ++replayed;

        Table t(path, OpenMode::Exclusive);
        const std::uint32_t count = t.recordCount();
        const std::string unfinished = "for record " + std::to_string(count + 1) + " does not match";
        for (const std::string& problem : t.check())
            ASSERT_NE(problem.find(unfinished), std::string::npos)
                << "write point " << stopAt << ": " << problem;
        appendRows(t, static_cast<int>(count), static_cast<int>(count) + 1);
        ASSERT_TRUE(t.check().empty()) << "write point " << stopAt;
        t.setTag("CODDATA");
        ASSERT_TRUE(t.seek({codeOf(static_cast<int>(count)), dateOf(static_cast<int>(count))}));
        ASSERT_EQ(t.recNo(), count + 1);
    }
    EXPECT_GT(stopAt, 100) << "too few write points were reached";
    EXPECT_GT(replayed, 0) << "no kill left a journal to finish";
    EXPECT_FALSE(std::filesystem::exists(journal));
}
