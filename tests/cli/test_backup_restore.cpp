// The backup the changing commands make, and restore: an import killed half
// way is put right by restoring the last archive, to a directory whose dump
// is the one taken before; --keep bounds the archives; a failed backup stops
// the command before it changes anything.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "data/backup.h"
#include "data/data_test_support.h"
#include "foxpro/write_faults.h"

namespace quintara {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

struct CliResult {
    int code;
    std::string out;
    std::string err;
};

CliResult cli(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool hasUndoJournal(const std::string& folder)
{
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().ends_with(".undo")) return true;
    return false;
}

class CliBackup : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({"init", data}).code, 0);
        ASSERT_EQ(
            cli({"index", data, "SYND", "--kind", "2", "--periodicity", "1", "--desc", "Sintético"}).code, 0);
        series = dir.folder() + "synd.csv";
        std::ofstream out(series);
        out << "data;valor\n";
        const Date start(1, 1, 1990);
        for (int i = 0; i < 6000; ++i) out << start.addDays(i).toString() << ";1," << (i % 1000) << "\n";
    }
    TempDir dir;
    std::string data = dir.folder() + "data";
    std::string series;
};

TEST_F(CliBackup, AnImportKilledHalfWayIsUndoneByRestoringTheLastArchive)
{
    ASSERT_EQ(cli({"import", data, "TR", testing::sharedDir() + "/data/series/tr.csv"}).code, 0);
    const CliResult before = cli({"dump", data});
    ASSERT_EQ(before.code, 0);
    const std::string valuesBefore = readBytes(data + "/DST_LCM1.DBF");

    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        int writes = 0;
        foxpro::setWriteHook([&](const std::string&) {
            if (++writes == 3000) _exit(9);
            return 0;
        });
        std::ostringstream out;
        std::ostringstream err;
        cli::run({"import", data, "SYND", series}, out, err);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9) << "the import ended before it was killed";
    ASSERT_TRUE(hasUndoJournal(data)) << "the import was killed in the middle of its change";
    EXPECT_NE(readBytes(data + "/DST_LCM1.DBF"), valuesBefore) << "the killed import left part of its change";

    const std::vector<fs::path> archives = listBackups(data);
    ASSERT_EQ(archives.size(), 2u);
    const CliResult restored = cli({"restore", data, archives.back().string()});
    ASSERT_EQ(restored.code, 0) << restored.err;
    EXPECT_NE(restored.out.find("restored"), std::string::npos) << restored.out;
    EXPECT_FALSE(hasUndoJournal(data));
    EXPECT_EQ(cli({"dump", data}).out, before.out);
    EXPECT_EQ(readBytes(data + "/DST_LCM1.DBF"), valuesBefore);
    const CliResult check = cli({"check", data});
    EXPECT_EQ(check.code, 0) << check.out << check.err;
}

TEST_F(CliBackup, KeepBoundsTheArchivesOfEveryChangingCommand)
{
    EXPECT_EQ(cli({"import", data, "SYND", series, "--keep", "2"}).code, 0);
    EXPECT_EQ(cli({"pack", data, "DST_MOED", "--keep", "2"}).code, 0);
    const CliResult reindex = cli({"reindex", "--keep", "2", data});
    EXPECT_EQ(reindex.code, 0) << reindex.err;
    EXPECT_NE(reindex.err.find("backup: "), std::string::npos) << reindex.err;
    EXPECT_EQ(listBackups(data).size(), 2u);
    for (int i = 0; i < 21; ++i) ASSERT_EQ(cli({"pack", data, "DST_MOED"}).code, 0);
    EXPECT_EQ(listBackups(data).size(), 20u) << "20 are kept when nothing else is asked";
    for (const char* bad : {"0", "-1", "x", "2x"})
        EXPECT_EQ(cli({"pack", data, "DST_MOED", "--keep", bad}).code, 2) << bad;
    EXPECT_EQ(cli({"pack", data, "DST_MOED", "--keep"}).code, 2);
    EXPECT_EQ(cli({"restore", data}).code, 2);
}

TEST_F(CliBackup, WhenTheBackupFailsTheCommandChangesNothing)
{
    testing::writeFile(data + "/backup", "a file where the folder should be");
    const CliResult import = cli({"import", data, "SYND", series});
    EXPECT_EQ(import.code, 1);
    EXPECT_NE(import.err.find("cannot back up"), std::string::npos) << import.err;
    EXPECT_NE(import.err.find("nothing was stored"), std::string::npos) << import.err;
    EXPECT_EQ(DataModule::openFolder(data)->QueryIndices("SYND", Date(), Date()).size(), 0u);
    EXPECT_EQ(cli({"pack", data, "DST_MOED"}).code, 1);
    EXPECT_EQ(cli({"reindex", data}).code, 1);
}

}  // namespace
}  // namespace quintara
