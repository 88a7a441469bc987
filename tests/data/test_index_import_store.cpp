// Storing imported values: refusals that name the line, and an import that a
// failed write or a kill cuts short leaving nothing of itself behind.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <sstream>

#include "data/data_rules.h"
#include "data/data_test_support.h"
#include "data/index_import.h"
#include "foxpro/write_faults.h"

namespace quintara {
namespace {

using testing::TempDir;

struct HookGuard {
    ~HookGuard() { foxpro::setWriteHook({}); }
};

int errorLine(const std::string& text)
{
    try {
        parseIndexValues(text);
    } catch (const ImportError& e) {
        return e.line();
    }
    return -1;
}

void registerIndex(DataModule& dm, const std::string& code, const std::string& tip)
{
    foxpro::Table& t = dm.Indices();
    t.append();
    t.setString("TBCM_COD", code);
    t.setString("TBCM_TIP", tip);
    t.setString("TBCM_VAL", "2");
    t.post();
}

// `count` daily values from 01/01/2000; `shift` changes every third value.
std::vector<ImportedValue> dailySeries(int count, int shift = 0)
{
    std::ostringstream csv;
    csv << "data;valor\n";
    const Date start(1, 1, 2000);
    for (int i = 0; i < count; ++i)
        csv << start.addDays(i).toString() << ";" << (i % 97) << "," << (i % 3 == 0 ? i % 10 + shift : i % 10)
            << "\n";
    return parseIndexValues(csv.str());
}

// What a calculation can see of one index, and every rule the table breaks.
std::string dump(const std::string& folder, const std::string& code)
{
    auto dm = DataModule::openFolder(folder);
    std::ostringstream out;
    for (const IndexValueRow& row : dm->QueryIndices(code, Date(), Date()))
        out << row.date.toString() << "=" << row.value << "\n";
    for (const std::string& p : dm->ValorIndices().check()) out << "problem: " << p << "\n";
    for (const std::string& p : dataRuleProblems(dm->ValorIndices())) out << "rule: " << p << "\n";
    return out.str();
}

class IndexImportStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::makeDataDirectory(data);
        auto dm = DataModule::openFolder(data);
        registerIndex(*dm, "SYND", "1");
        registerIndex(*dm, "MENS", "2");
    }
    TempDir dir;
    std::string data = dir.folder();
};

}  // namespace

TEST(IndexImportParse, AmbiguousPointsAndFilesWithoutValuesAreRefused)
{
    EXPECT_EQ(errorLine("data;valor\n01/01/2020;0,21\n01/02/2020;1.234\n"), 3);
    try {
        parseIndexValues("data;valor\n01/01/2020;1.234\n");
        FAIL();
    } catch (const ImportError& e) {
        EXPECT_NE(std::string(e.what()).find("(1234) or with a comma (1,234)"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(errorLine("01/01/2020;1.234,5\n"), 1);
    // The JSON export writes a decimal point.
    auto json = parseIndexValues(
        "[{\"data\":\"01/01/2020\",\"valor\":\"1.234\"},{\"data\":\"01/02/2020\","
        "\"valor\":0.21}]");
    ASSERT_EQ(json.size(), 2u);
    EXPECT_EQ(json[0].value, "1.234");
    EXPECT_EQ(json[1].value, "0.21");
    for (const char* empty : {"", "\n\n", "data;valor\n", "\"data\";\"valor\"\r\n\r\n", "[]", " [ ] "}) {
        try {
            parseIndexValues(empty);
            ADD_FAILURE() << "accepted '" << empty << "'";
        } catch (const ImportError& e) {
            EXPECT_STREQ(e.what(), "the file holds no values");
        }
    }
}

TEST_F(IndexImportStore, AMonthlyIndexTakesOnlyFirstDaysAndNamesTheLine)
{
    auto dm = DataModule::openFolder(data);
    const auto midMonth = parseIndexValues("data;valor\n01/02/2020;0,25\n01/03/2020;0,5\n15/03/2020;50,00\n");
    try {
        importIndexValues(*dm, "MENS", midMonth);
        FAIL();
    } catch (const ImportError& e) {
        EXPECT_EQ(e.line(), 4);
        EXPECT_STREQ(e.what(),
                     "line 4: 15/03/2020 is not the first day of its month, and MENS is a monthly index");
    }
    EXPECT_THROW(importIndexValues(*dm, "MENS", dailySeries(40)), ImportError) << "a daily series";
    EXPECT_TRUE(dm->QueryIndices("MENS", Date(), Date()).empty());

    const auto months = parseIndexValues("data;valor\n01/02/2020;0,25\n01/03/2020;0,5\n");
    EXPECT_EQ(importIndexValues(*dm, "MENS", months).added, 2);
    EXPECT_EQ(importIndexValues(*dm, "SYND", midMonth).added, 3) << "a daily index takes any day";
}

TEST_F(IndexImportStore, AFailedWriteLeavesEarlierValuesAsTheyWere)
{
    {
        auto dm = DataModule::openFolder(data);
        ASSERT_EQ(importIndexValues(*dm, "SYND", dailySeries(300)).added, 300);
    }
    const std::string before = dump(data, "SYND");
    for (int failing : {1, 40, 700}) {
        SCOPED_TRACE("failing write " + std::to_string(failing));
        auto dm = DataModule::openFolder(data);
        HookGuard guard;
        int n = 0;
        foxpro::setWriteHook([&](const std::string&) { return ++n == failing ? ENOSPC : 0; });
        try {
            importIndexValues(*dm, "SYND", dailySeries(2000, 1));
            ADD_FAILURE() << "the import went through a full disk";
        } catch (const foxpro::Error& e) {
            EXPECT_NE(std::string(e.what()).find("No space left on device"), std::string::npos) << e.what();
        }
        foxpro::setWriteHook({});
        dm.reset();
        EXPECT_EQ(dump(data, "SYND"), before);
    }
}

TEST_F(IndexImportStore, AKilledImportIsUndoneAndTheNextOneStoresWhatAnUninterruptedOneDoes)
{
    TempDir reference;
    testing::makeDataDirectory(reference.folder());
    {
        auto dm = DataModule::openFolder(reference.folder());
        registerIndex(*dm, "SYND", "1");
        importIndexValues(*dm, "SYND", dailySeries(500));
        importIndexValues(*dm, "SYND", dailySeries(3000, 1));
    }
    const std::string expected = dump(reference.folder(), "SYND");
    {
        auto dm = DataModule::openFolder(data);
        importIndexValues(*dm, "SYND", dailySeries(500));
    }
    const std::string before = dump(data, "SYND");
    const auto values = dailySeries(3000, 1);
    for (int killedAt : {1, 2, 90, 2500, 5000, 5100}) {
        SCOPED_TRACE("killed at write " + std::to_string(killedAt));
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int n = 0;
            foxpro::setWriteHook([&](const std::string&) {
                if (++n == killedAt) _exit(9);
                return 0;
            });
            try {
                auto dm = DataModule::openFolder(data);
                importIndexValues(*dm, "SYND", values);
            } catch (...) {
            }
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9) << "the import ended before its write";
        EXPECT_EQ(dump(data, "SYND"), before);
    }
    {
        auto dm = DataModule::openFolder(data);
        const ImportCounts counts = importIndexValues(*dm, "SYND", values);
        EXPECT_EQ(counts.added, 2500);
        EXPECT_EQ(counts.updated, 167);
    }
    EXPECT_EQ(dump(data, "SYND"), expected);
}

TEST_F(IndexImportStore, TheDataRulesReportADateStoredTwice)
{
    auto dm = DataModule::openFolder(data);
    importIndexValues(*dm, "SYND", dailySeries(10));
    importIndexValues(*dm, "MENS", parseIndexValues("01/05/2020;1\n"));
    EXPECT_TRUE(dataRuleProblems(dm->ValorIndices()).empty());
    foxpro::Table& t = dm->ValorIndices();
    for (int copy = 0; copy < 2; ++copy) {
        t.append();
        t.setString("LCM_COD", "SYND");
        t.setDate("LCM_DATA", "20000105");
        t.setString("LCM_VALOR", "7");
        t.post();
    }
    const std::vector<std::string> problems = dataRuleProblems(t);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "index SYND: 05/01/2000 is stored 3 times (records 5, 12, 13)");
    EXPECT_TRUE(dataRuleProblems(dm->Indices()).empty()) << "other tables have no such rule";
}

}  // namespace quintara
