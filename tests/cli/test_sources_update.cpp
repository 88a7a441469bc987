// quintara-cli sources, index --series and update: what init seeds, what an
// import records (the file's SHA-256), and an update from a local server
// that is a no-op the second time.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "data/data_test_support.h"
#include "update/recorded_series.h"
#include "update/sgs_test_server.h"

namespace quintara {
namespace {

using testing::TempDir;

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

CliRun cli(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    int code = quintara::cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

class CliSources : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(cli({"init", data}).code, 0); }
    TempDir dir;
    std::string data = dir.folder() + "data";
};

TEST_F(CliSources, InitSeedsSeriesNumbersAndIndexSetsThem)
{
    CliRun list = cli({"sources", data});
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_NE(list.out.find("index IPCA: series 433,"), std::string::npos) << list.out;
    EXPECT_NE(list.out.find("index TAXALEGAL: series 29543,"), std::string::npos);
    EXPECT_NE(list.out.find("index IPCAE: series -,"), std::string::npos);

    CliRun set = cli({"index", data, "IPCAE", "--series", "10764"});
    ASSERT_EQ(set.code, 0) << set.err;
    EXPECT_NE(cli({"sources", data, "IPCAE"}).out.find("index IPCAE: series 10764,"), std::string::npos);
    EXPECT_EQ(cli({"index", data, "IPCAE", "--series", "12a"}).code, 2);
    CliRun unknown = cli({"index", data, "NOPE", "--series", "1"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("NOPE is not registered"), std::string::npos) << unknown.err;
    EXPECT_EQ(cli({"sources", data, "NOPE"}).out, "");
}

TEST_F(CliSources, AnImportRecordsTheFilesHashDatesAndCounts)
{
    const std::string file = dir.folder() + "ipca.csv";
    testing::writeFile(file, "data;valor\n01/01/2020;0,21\n01/02/2020;0,25\n");
    ASSERT_EQ(cli({"import", data, "IPCA", file}).code, 0);
    CliRun list = cli({"sources", data, "IPCA"});
    // sha256sum of the three lines above
    EXPECT_NE(list.out.find("sha256 0a0002d53f3185f9cfbbf983eeb45e60e540f825e4e0827a106930b1272aa4b0"),
              std::string::npos)
        << list.out;
    EXPECT_NE(list.out.find("import 01/01/2020 to 01/02/2020: added 2, updated 0, unchanged 0"),
              std::string::npos);
    EXPECT_NE(list.out.find("from " + file), std::string::npos);
    // A refused file leaves no record behind.
    testing::writeFile(file, "data;valor\n15/01/2020;0,21\n");
    EXPECT_EQ(cli({"import", data, "IPCA", file}).code, 1);
    CliRun again = cli({"sources", data});
    EXPECT_EQ(again.out.find("import", again.out.find("import") + 1), std::string::npos) << again.out;
}

TEST_F(CliSources, UpdateFromALocalServerIsANoOpTheSecondTime)
{
    testing::RecordedService service;
    service.add("433", testing::recordedSeries("ipca.csv"), false);
    testing::SgsTestServer server([&service](const std::string& target) { return service.answer(target); });

    CliRun first = cli({"update", data, "IPCA", "--base-url", server.base() + "/"});
    ASSERT_EQ(first.code, 0) << first.err;
    EXPECT_NE(first.out.find("IPCA: added 551, updated 0, unchanged 0"), std::string::npos) << first.out;
    CliRun second = cli({"update", data, "IPCA", "--base-url", server.base()});
    EXPECT_EQ(second.out, "IPCA: added 0, updated 0, unchanged 1\n");
    EXPECT_NE(cli({"sources", data, "IPCA"}).out.find("bcdata.sgs.433"), std::string::npos);

    CliRun unknown = cli({"update", data, "IPCAE", "--base-url", server.base()});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("IPCAE: no central-bank series number"), std::string::npos) << unknown.err;
    EXPECT_EQ(cli({"update", data, "--timeout", "0"}).code, 2);
}

}  // namespace
}  // namespace quintara
