// The update from the series service against recorded answers on a local
// server: exactly the new values, a no-op the second time, a seamless
// ten-year split, and nothing stored for any broken, slow or partial answer.
#include <gtest/gtest.h>

#include <sstream>

#include "data/data_test_support.h"
#include "data/index_sources.h"
#include "foxpro/dump.h"
#include "update/fetcher.h"
#include "update/index_update.h"
#include "update/recorded_series.h"
#include "update/sgs_request.h"
#include "update/sgs_test_server.h"
#include "update/sha256.h"

namespace quintara {
namespace {

using testing::Answer;
using testing::RecordedService;
using testing::RecordedValue;
using testing::SgsTestServer;
using testing::TempDir;

// A function, not a global: Date needs its own statics set up first.
Date today()
{
    return Date(9, 12, 2026);
}

std::string dumpOf(const std::string& folder)
{
    std::ostringstream out;
    foxpro::dumpFolder(folder, out);
    return out.str();
}

// A data directory with the seed catalogue, forms and series numbers.
void makeSeededDirectory(const std::string& folder)
{
    testing::makeDataDirectory(folder, {"indices.txt", "formas.txt"});
    std::ifstream in(testing::sourceDir() + "/seed/series.csv", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    IndexSources sources(folder);
    seedSeriesNumbers(sources, text, "series.csv");
}

std::vector<ImportedValue> asImported(const std::vector<RecordedValue>& values)
{
    std::vector<ImportedValue> out;
    for (const RecordedValue& v : values) out.push_back({v.date, v.value, 0});
    return out;
}

class IndexUpdateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        makeSeededDirectory(dir.folder());
        ipca = testing::recordedSeries("ipca.csv");
        selic = testing::recordedSeries("selic_diaria.csv");
        service.add("433", ipca, false);
        service.add("11", selic, true);
    }

    UpdateReport update(const std::string& base, std::vector<std::string> codes, int timeoutMs = 5000)
    {
        auto dm = DataModule::openFolder(dir.folder());
        NetworkFetcher fetcher(timeoutMs);
        return IndexUpdate(*dm, fetcher, {base, today(), std::move(codes)}).run();
    }

    // Stores the first `count` recorded values of an index, as an earlier import would.
    void preload(const std::string& code, const std::vector<RecordedValue>& values, std::size_t count)
    {
        auto dm = DataModule::openFolder(dir.folder());
        importIndexValues(*dm, code, asImported({values.begin(), values.begin() + count}));
    }

    std::vector<IndexValueRow> stored(const std::string& code)
    {
        return DataModule::openFolder(dir.folder())->QueryIndices(code, Date(), Date());
    }

    TempDir dir;
    std::vector<RecordedValue> ipca;
    std::vector<RecordedValue> selic;
    RecordedService service;
};

TEST(SgsRequests, DailyPeriodsSplitIntoTenYearPiecesWithoutGapOrOverlap)
{
    auto pieces = splitPeriod({Date(29, 2, 2004), Date(9, 12, 2026)}, true);
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].from, Date(29, 2, 2004));
    EXPECT_EQ(pieces[0].to, Date(27, 2, 2014));  // 28/02/2014 starts the next ten years
    for (std::size_t i = 1; i < pieces.size(); ++i) EXPECT_EQ(pieces[i].from, pieces[i - 1].to.addDays(1));
    EXPECT_EQ(pieces.back().to, Date(9, 12, 2026));

    EXPECT_EQ(splitPeriod({Date(1, 1, 1900), Date(9, 12, 2026)}, false).size(), 1u);
    EXPECT_TRUE(splitPeriod({Date(10, 12, 2026), Date(9, 12, 2026)}, true).empty());
    EXPECT_EQ(
        sgsAddress("http://h/dados/serie", "433", {Date(1, 1, 2020), Date(31, 1, 2020)}),
        "http://h/dados/serie/bcdata.sgs.433/dados?formato=json&dataInicial=01/01/2020&dataFinal=31/01/2020");
}

TEST_F(IndexUpdateTest, AddsExactlyTheNewValuesAndIsANoOpTheSecondTime)
{
    preload("IPCA", ipca, 500);
    SgsTestServer server([this](const std::string& target) { return service.answer(target); });

    UpdateReport first = update(server.base(), {"IPCA"});
    ASSERT_EQ(first.results.size(), 1u);
    EXPECT_EQ(first.results[0].status, UpdateStatus::Done) << first.results[0].message;
    EXPECT_EQ(first.results[0].counts.added, static_cast<int>(ipca.size()) - 500);
    EXPECT_EQ(first.results[0].counts.unchanged, 1);  // the last stored month is asked for again
    EXPECT_EQ(stored("IPCA").size(), ipca.size());
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_NE(server.requests()[0].find("dataInicial=" + ipca[499].date.toString()), std::string::npos);

    // The sources table names the service and holds the hash of its answer.
    IndexSources sources(dir.folder());
    auto source = sources.find("IPCA");
    ASSERT_TRUE(source);
    std::vector<RecordedValue> answered(ipca.begin() + 499, ipca.end());
    EXPECT_EQ(source->sha256, sha256Hex(testing::jsonOf(answered)));
    EXPECT_NE(source->address.find("bcdata.sgs.433"), std::string::npos);
    auto entry = sources.lastEntry("IPCA");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->kind, SourceKind::Service);
    EXPECT_EQ(entry->first, ipca[499].date);
    EXPECT_EQ(entry->last, ipca.back().date);
    EXPECT_EQ(entry->added, first.results[0].counts.added);

    const std::string before = dumpOf(dir.folder());
    UpdateReport second = update(server.base(), {"IPCA"});
    ASSERT_EQ(second.results.size(), 1u);
    EXPECT_EQ(second.results[0].counts.added, 0);
    EXPECT_EQ(second.results[0].counts.updated, 0);
    EXPECT_EQ(dumpOf(dir.folder()), before);
}

TEST_F(IndexUpdateTest, TenYearPiecesOfADailySeriesJoinSeamlessly)
{
    {
        auto dm = DataModule::openFolder(dir.folder());
        foxpro::Table& t = dm->Indices();
        t.setTag("CODIGO");
        ASSERT_TRUE(t.seek({"SELICDIA"}));
        t.edit();
        t.setDate("TBCM_DINI", "20160102");
        t.post();
    }
    SgsTestServer server([this](const std::string& target) { return service.answer(target); });
    UpdateReport report = update(server.base(), {"SELICDIA"});
    ASSERT_EQ(report.results.size(), 1u);
    EXPECT_EQ(report.results[0].status, UpdateStatus::Done) << report.results[0].message;

    // Two requests, the second starting the day after the first ends, in the
    // middle of the recorded business days.
    auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[0].find("dataInicial=02/01/2016&dataFinal=01/01/2026"), std::string::npos);
    EXPECT_NE(requests[1].find("dataInicial=02/01/2026&dataFinal=09/12/2026"), std::string::npos)
        << requests[1];

    auto rows = stored("SELICDIA");
    ASSERT_EQ(rows.size(), selic.size());
    for (std::size_t i = 0; i < rows.size(); ++i) ASSERT_EQ(rows[i].date, selic[i].date);
    EXPECT_EQ(report.results[0].counts.added, static_cast<int>(selic.size()));
}

TEST_F(IndexUpdateTest, BrokenSlowPartialAndFailedAnswersStoreNothing)
{
    preload("IPCA", ipca, 500);
    const std::string before = dumpOf(dir.folder());
    const std::string good = testing::jsonOf({ipca.begin() + 499, ipca.end()});
    struct Case {
        const char* what;
        Answer answer;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"broken JSON", {200, good.substr(0, good.size() - 40) + "}", 0, false}, "not a valid series"},
        {"not JSON", {200, "<html>manutenção</html>", 0, false}, "not a JSON list"},
        {"partial answer", {200, good, 0, true}, "failed"},
        {"slow answer", {200, good, 3000, false}, "did not answer"},
        {"server error", {500, "{}", 0, false}, "HTTP status 500"},
        {"value outside the period", {200, R"([{"data":"01/01/1970","valor":"1.0"}])", 0, false}, "outside"},
    };
    for (const Case& c : cases) {
        SgsTestServer server([&c](const std::string&) { return c.answer; });
        UpdateReport report = update(server.base(), {"IPCA"}, 500);
        ASSERT_EQ(report.results.size(), 1u) << c.what;
        EXPECT_EQ(report.results[0].status, UpdateStatus::Failed) << c.what;
        EXPECT_EQ(report.results[0].message.rfind("IPCA: ", 0), 0u) << report.results[0].message;
        EXPECT_NE(report.results[0].message.find(c.expected), std::string::npos) << report.results[0].message;
        EXPECT_EQ(dumpOf(dir.folder()), before) << c.what;
    }
}

TEST_F(IndexUpdateTest, AFailedPieceOfADailySeriesImportsNoneOfTheOthers)
{
    SgsTestServer server([this](const std::string& target) {
        if (target.find("dataInicial=02/01/2026") != std::string::npos)
            return Answer{200, "[{\"data\":", 0, false};
        return service.answer(target);
    });
    {
        auto dm = DataModule::openFolder(dir.folder());
        foxpro::Table& t = dm->Indices();
        t.setTag("CODIGO");
        ASSERT_TRUE(t.seek({"SELICDIA"}));
        t.edit();
        t.setDate("TBCM_DINI", "20160102");
        t.post();
    }
    const std::string before = dumpOf(dir.folder());
    UpdateReport report = update(server.base(), {"SELICDIA"});
    ASSERT_EQ(report.results.size(), 1u);
    EXPECT_EQ(report.results[0].status, UpdateStatus::Failed);
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(dumpOf(dir.folder()), before);
}

TEST_F(IndexUpdateTest, EachIndexStandsAloneAndUnknownNumbersAreNamed)
{
    SgsTestServer server([this](const std::string& target) {
        if (target.find("sgs.4390/") != std::string::npos) return Answer{200, "not json", 0, false};
        return service.answer(target);
    });
    UpdateReport report = update(server.base(), {"SELIC", "IPCAE", "IPCA", "NOPE"});
    ASSERT_EQ(report.results.size(), 4u);
    EXPECT_EQ(report.results[0].status, UpdateStatus::Failed);
    EXPECT_EQ(report.results[1].status, UpdateStatus::Failed);
    EXPECT_NE(report.results[1].message.find("IPCAE: no central-bank series number"), std::string::npos);
    EXPECT_EQ(report.results[2].status, UpdateStatus::Done);
    EXPECT_EQ(report.results[2].counts.added, static_cast<int>(ipca.size()));
    EXPECT_EQ(report.results[3].status, UpdateStatus::Failed);
    EXPECT_TRUE(stored("SELIC").empty());
    EXPECT_FALSE(report.networkError);
}

TEST_F(IndexUpdateTest, AMissingNetworkGivesOneMessageAndTriesNoOtherIndex)
{
    std::string base;
    {
        // A port that was just free: nothing listens there any more.
        SgsTestServer closed([](const std::string&) { return Answer{}; });
        base = closed.base();
    }
    const std::string before = dumpOf(dir.folder());
    auto dm = DataModule::openFolder(dir.folder());
    NetworkFetcher network(2000);
    int attempts = 0;
    struct Counting : Fetcher {
        Fetcher& inner;
        int& count;
        Counting(Fetcher& f, int& c) : inner(f), count(c) {}
        FetchReply get(const std::string& address) override
        {
            ++count;
            return inner.get(address);
        }
    } counting(network, attempts);
    UpdateReport report = IndexUpdate(*dm, counting, {base, today(), {}}).run();
    EXPECT_TRUE(report.networkError);
    EXPECT_TRUE(report.results.empty());
    EXPECT_EQ(attempts, 1);
    dm.reset();
    EXPECT_EQ(dumpOf(dir.folder()), before);
}

}  // namespace
}  // namespace quintara
