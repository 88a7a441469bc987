// Finding the data directory (settings, program folder, the person's choice),
// opening it, the pre-configured QUINTARA_DATA folder, and memo file names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "data/data_module.h"
#include "data_test_support.h"

namespace quintara {
namespace {

using testing::TempDir;

struct Message {
    MessageKind kind;
    std::string title;
    std::string text;
};

// A data module wired to in-memory settings, a scripted folder chooser and a
// message recorder.
class DataDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        unsetenv("QUINTARA_DATA");
        if (const char* xdg = std::getenv("XDG_DATA_HOME")) savedXdg = xdg;
        setenv("XDG_DATA_HOME", dir.sub("xdg").c_str(), 1);  // keeps the default folder inside the test
        program = dir.sub("program");
        dm.setSettings(&settings);
        dm.setProgramFolder(program);
        dm.setMessageHandler([this](MessageKind k, const std::string& title, const std::string& text) {
            messages.push_back({k, title, text});
        });
        dm.setFolderChooser([this](const std::string& initial) -> std::optional<std::string> {
            chooserInitial.push_back(initial);
            if (answers.empty()) return std::nullopt;
            std::optional<std::string> answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        });
    }
    void TearDown() override
    {
        unsetenv("QUINTARA_DATA");
        if (savedXdg)
            setenv("XDG_DATA_HOME", savedXdg->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }

    std::string dataFolder(const std::string& name)
    {
        std::string folder = dir.sub(name);
        testing::writeFile(folder + "DST_TCM1.DBF", "");
        return folder;
    }

    TempDir dir;
    std::optional<std::string> savedXdg;
    std::string program;
    MemorySettings settings;
    DataModule dm;
    std::vector<Message> messages;
    std::vector<std::string> chooserInitial;
    std::vector<std::optional<std::string>> answers;
};

TEST_F(DataDirectoryTest, FirstRunWithTablesBesideTheProgramRemembersTheProgramFolder)
{
    testing::writeFile(program + "DST_TCM1.DBF", "");
    dm.inidata();
    EXPECT_EQ(dm.dataDir(), program);
    EXPECT_EQ(settings.value("pathdir"), program);
    EXPECT_EQ(settings.value("status"), "1");
    EXPECT_TRUE(chooserInitial.empty());
}

TEST_F(DataDirectoryTest, StoredPathIsUsedOnlyWithStatusOne)
{
    std::string stored = dataFolder("stored");
    testing::writeFile(program + "DST_TCM1.DBF", "");
    settings.setValue("pathdir", stored);
    for (const char* status : {"0", "", "x1"}) {
        settings.setValue("status", status);
        settings.setValue("pathdir", stored);
        dm.inidata();
        EXPECT_EQ(dm.dataDir(), program) << "status '" << status << "'";
    }
    settings.setValue("status", "1");
    settings.setValue("pathdir", stored.substr(0, stored.size() - 1));  // no trailing slash
    dm.inidata();
    EXPECT_EQ(dm.dataDir(), stored);
    EXPECT_TRUE(chooserInitial.empty());
}

TEST_F(DataDirectoryTest, StoredPathWithoutTablesFallsBackToProgramThenChooser)
{
    settings.setValue("status", "1");
    settings.setValue("pathdir", dir.sub("empty"));
    std::string chosen = dataFolder("chosen");
    answers.push_back(chosen.substr(0, chosen.size() - 1));
    dm.inidata();
    ASSERT_EQ(chooserInitial.size(), 1u);
    EXPECT_EQ(chooserInitial[0], program);
    EXPECT_EQ(dm.dataDir(), chosen);
    EXPECT_EQ(settings.value("pathdir"), chosen);
    EXPECT_EQ(settings.value("status"), "1");
}

TEST_F(DataDirectoryTest, ChosenFolderIsStoredEvenWithoutTablesAndCancelKeepsProgramFolder)
{
    std::string empty = dir.sub("nothing");
    answers.push_back(empty);
    dm.inidata();
    EXPECT_EQ(dm.dataDir(), empty);
    EXPECT_EQ(settings.value("pathdir"), empty);

    MemorySettings fresh;
    dm.setSettings(&fresh);
    dm.inidata();  // no answers left: Cancel
    EXPECT_EQ(dm.dataDir(), program);
    EXPECT_TRUE(fresh.values().empty());
}

TEST_F(DataDirectoryTest, AbreDadosAsksTwiceThenFails)
{
    try {
        dm.AbreDados();
        FAIL() << "no exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Arquivo de Dados não encontrado !");
    }
    EXPECT_EQ(chooserInitial.size(), 2u);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Atenção !");
    EXPECT_EQ(messages[0].text, "Arquivo de dados não encontrado no diretório especificado !");
}

TEST_F(DataDirectoryTest, AbreDadosSecondChoiceOpensTheTables)
{
    std::string data = dir.sub("data");
    testing::makeDataDirectory(data);
    answers.push_back(std::nullopt);
    answers.push_back(data);
    dm.AbreDados();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(dm.dataDir(), data);
    EXPECT_EQ(dm.Indices().path(), data + "DST_TCM1.DBF");
    dm.FechaDados();
    EXPECT_FALSE(dm.isOpen(TableId::Indices));
}

TEST_F(DataDirectoryTest, PreconfiguredFolderWinsForTablesOnly)
{
    std::string stored = dir.sub("stored");
    testing::makeDataDirectory(stored);
    std::string preset = dir.sub("preset");
    testing::makeDataDirectory(preset);
    settings.setValue("status", "1");
    settings.setValue("pathdir", stored);
    setenv("QUINTARA_DATA", preset.c_str(), 1);
    dm.AbreDados();
    EXPECT_EQ(dm.dataDir(), stored);
    EXPECT_EQ(dm.tablesDir(), preset);
    EXPECT_EQ(dm.Moeda().path(), preset + "DST_MOED.DBF");
    EXPECT_TRUE(messages.empty());
}

TEST_F(DataDirectoryTest, PreconfiguredFolderWithoutTablesIsReported)
{
    std::string stored = dir.sub("stored");
    testing::makeDataDirectory(stored);
    settings.setValue("status", "1");
    settings.setValue("pathdir", stored);
    setenv("QUINTARA_DATA", dir.sub("missing").c_str(), 1);
    EXPECT_THROW(dm.AbreDados(), std::runtime_error);
}

TEST(MemoFiles, NamesFromCaseAndItemFoundWithoutRegardToCase)
{
    TempDir dir;
    auto dm = DataModule::openFolder(dir.folder());
    EXPECT_EQ(dm->memoFilePath("  123      ", 4), dir.folder() + "123004.CLC");
    EXPECT_EQ(dm->memoFilePath("0001", 1234), dir.folder() + "00011234.CLC");
    testing::writeFile(dir.folder() + "abc001.clc", "memo");
    EXPECT_EQ(dm->memoFilePath("ABC", 1), dir.folder() + "abc001.clc");
    EXPECT_EQ(dm->memoFilePath("abc", 2), dir.folder() + "abc002.CLC");
    // Names with many letters are found by listing the folder instead.
    testing::writeFile(dir.folder() + "processo-Xyz001.cLc", "memo");
    EXPECT_EQ(dm->memoFilePath("PROCESSO-XYZ", 1), dir.folder() + "processo-Xyz001.cLc");
    testing::writeFile(dir.folder() + "9X001.cLc", "memo");
    EXPECT_EQ(dm->memoFilePath("9x", 1), dir.folder() + "9X001.cLc");
}

TEST(MemoFiles, SeparatorsInCaseNumbersStayInsideTheFolder)
{
    TempDir dir;
    auto dm = DataModule::openFolder(dir.folder());
    EXPECT_EQ(dm->memoFilePath("2024/000001", 1), dir.folder() + "2024%2F000001001.CLC");
    EXPECT_EQ(dm->memoFilePath("..\\..\\x", 2), dir.folder() + "..%5C..%5Cx002.CLC");
    EXPECT_EQ(dm->memoFilePath("../../etc/passwd", 3), dir.folder() + "..%2F..%2Fetc%2Fpasswd003.CLC");
    EXPECT_NE(dm->memoFilePath("12%2F3", 1), dm->memoFilePath("12/3", 1));
    EXPECT_EQ(dm->memoFilePath("a..b", 1), dir.folder() + "a..b001.CLC");
    for (std::string bad : {std::string("   "), std::string(""), std::string("ab\0c", 4)})
        EXPECT_THROW(dm->memoFilePath(bad, 1), std::invalid_argument) << bad;
    EXPECT_THROW(dm->memoFilePath("123", -1), std::invalid_argument);
}

TEST(MemoFiles, YearOf360DaysFollowsTheMarkerFile)
{
    TempDir dir;
    auto dm = DataModule::openFolder(dir.folder());
    EXPECT_FALSE(dm->uses360DayYear());
    testing::writeFile(dir.folder() + "d360.txt", "");
    EXPECT_TRUE(dm->uses360DayYear());
    std::filesystem::remove(dir.folder() + "d360.txt");
    EXPECT_FALSE(dm->uses360DayYear());
    testing::writeFile(dir.folder() + "D360.tXt", "");
    EXPECT_TRUE(dm->uses360DayYear());
}

}  // namespace
}  // namespace quintara
