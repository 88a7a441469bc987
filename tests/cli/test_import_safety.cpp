// Imports that meet each other or a file that does not fit: two quintara-cli
// processes importing one series at once store every date once, and a file
// the import refuses leaves the data directory untouched.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "cli/cli.h"
#include "data/data_module.h"
#include "data/data_test_support.h"

namespace quintara {
namespace {

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
    int code = quintara::cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

std::string readText(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Starts quintara-cli with its output going to `outFile` and `outFile`.err.
pid_t startCli(const std::vector<std::string>& args, const std::string& outFile)
{
    const pid_t pid = fork();
    if (pid != 0) return pid;
    const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = ::open((outFile + ".err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(100);
    std::vector<char*> argv{const_cast<char*>(QUINTARA_CLI)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(QUINTARA_CLI, argv.data());
    _exit(101);
}

class CliImportSafety : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(cli({"init", data}).code, 0);
        ASSERT_EQ(
            cli({"index", data, "SYND", "--kind", "2", "--periodicity", "1", "--desc", "Sintético"}).code, 0);
    }
    std::size_t stored(const std::string& code)
    {
        return DataModule::openFolder(data)->QueryIndices(code, Date(), Date()).size();
    }
    TempDir dir;
    std::string data = dir.folder() + "data";
};

TEST_F(CliImportSafety, TwoImportersOfOneSeriesStoreEveryDateOnce)
{
    constexpr int kRows = 40000;
    const std::string series = dir.folder() + "a.csv";
    {
        std::ofstream out(series);
        out << "data;valor\n";
        const Date start(1, 1, 1901);
        for (int i = 0; i < kRows; ++i) out << start.addDays(i).toString() << ";0," << (i % 1000) << "\n";
    }
    const pid_t first = startCli({"import", data, "SYND", series}, dir.folder() + "first.out");
    const pid_t second = startCli({"import", data, "SYND", series}, dir.folder() + "second.out");
    int added = 0;
    for (auto [pid, name] : {std::pair{first, "first.out"}, std::pair{second, "second.out"}}) {
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status));
        const std::string out = readText(dir.folder() + name);
        const std::string err = readText(dir.folder() + name + ".err");
        if (WEXITSTATUS(status) != 0) {
            // The other import held the table too long: a clear refusal.
            EXPECT_EQ(WEXITSTATUS(status), 1) << err;
            EXPECT_NE(err.find("nothing was stored"), std::string::npos) << err;
            continue;
        }
        std::smatch m;
        ASSERT_TRUE(std::regex_search(out, m, std::regex("added (\\d+), updated 0, unchanged (\\d+)")))
            << out;
        added += std::stoi(m[1]);
        EXPECT_EQ(std::stoi(m[1]) + std::stoi(m[2]), kRows) << out;
    }
    EXPECT_EQ(added, kRows);
    EXPECT_EQ(stored("SYND"), static_cast<std::size_t>(kRows));
    CliResult check = cli({"check", data});
    EXPECT_EQ(check.code, 0) << check.out;
}

TEST_F(CliImportSafety, AFileThatDoesNotFitIsRefusedNamingTheLine)
{
    auto refused = [&](const std::string& code, const std::string& text, const std::string& message) {
        const std::string path = dir.folder() + "in.csv";
        testing::writeFile(path, text);
        CliResult run = cli({"import", data, code, path});
        EXPECT_EQ(run.code, 1) << text;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("nothing was stored"), std::string::npos) << run.err;
    };
    refused("INPC", "data;valor\n01/02/2020;0,25\n15/03/2020;50,00\n",
            "line 3: 15/03/2020 is not the first day of its month, and INPC is a monthly index");
    refused("SYND", "data;valor\n01/02/2020;0,25\n02/02/2020;1.234\n", "line 3: '1.234' is ambiguous");
    refused("SYND", "", "the file holds no values");
    refused("SYND", "data;valor\n", "the file holds no values");
    CliResult folder = cli({"import", data, "SYND", dir.folder()});
    EXPECT_EQ(folder.code, 1);
    EXPECT_NE(folder.err.find("is a folder, not a file; nothing was stored"), std::string::npos)
        << folder.err;
    EXPECT_EQ(stored("SYND"), 0u);
    EXPECT_EQ(stored("INPC"), 0u);
}

TEST_F(CliImportSafety, CheckReportsADateStoredTwice)
{
    {
        auto dm = DataModule::openFolder(data);
        foxpro::Table& t = dm->ValorIndices();
        for (int copy = 0; copy < 2; ++copy) {
            t.append();
            t.setString("LCM_COD", "SYND");
            t.setDate("LCM_DATA", "15011201");
            t.setString("LCM_VALOR", "1.5");
            t.post();
        }
    }
    CliResult check = cli({"check", data});
    EXPECT_EQ(check.code, 1);
    EXPECT_NE(check.out.find("DST_LCM1.DBF: index SYND: 01/12/1501 is stored 2 times (records 1, 2)"),
              std::string::npos)
        << check.out;
}

}  // namespace
}  // namespace quintara
