// quintara-cli init, import, index and form: a new data directory, the real
// index series imported into it, and the all-or-nothing import checks.
#include <gtest/gtest.h>

#include <fstream>
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

std::string seriesFile(const std::string& name)
{
    return testing::sharedDir() + "/data/series/" + name;
}

int lineCount(const std::string& path)
{
    std::ifstream in(path);
    int n = 0;
    for (std::string line; std::getline(in, line);) ++n;
    return n;
}

std::size_t valueCount(const std::string& folder, const std::string& code)
{
    auto dm = DataModule::openFolder(folder);
    return dm->QueryIndices(code, Date(), Date()).size();
}

class CliDataDirectory : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(cli({"init", data}).code, 0); }
    TempDir dir;
    std::string data = dir.folder() + "data";
};

TEST(CliInit, CreatesACompleteDataDirectoryOnce)
{
    TempDir dir;
    std::string data = dir.folder() + "novo";
    CliResult run = cli({"init", data});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("user 000001 (Administrador)"), std::string::npos) << run.out;
    for (const char* table : {"DST_TCM1.DBF", "DST_LCM1.CDX", "DST_MOED.FPT", "DSTPARAM.DBF", "PITCALCU.CDX"})
        EXPECT_TRUE(std::filesystem::exists(data + "/" + table)) << table;
    EXPECT_TRUE(std::filesystem::is_directory(data + "/img"));
    std::ifstream page(data + "/html/Quintara.html");
    std::string html((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
    EXPECT_NE(html.find("Correção Monetária"), std::string::npos);
    EXPECT_EQ(cli({"check", data}).code, 0);

    CliResult again = cli({"init", data});
    EXPECT_EQ(again.code, 1);
    EXPECT_NE(again.err.find("already holds"), std::string::npos) << again.err;
    EXPECT_EQ(cli({"init"}).code, 2);
    ASSERT_EQ(cli({"init", dir.folder() + "bare", "--bare"}).code, 0);
    EXPECT_EQ(DataModule::openFolder(dir.folder() + "bare")->Usuarios().recordCount(), 0u);
    EXPECT_EQ(cli({"init", data, "--nope"}).code, 2);
}

TEST_F(CliDataDirectory, ImportsEveryRealSeriesExactlyOnce)
{
    const std::pair<const char*, const char*> series[] = {{"IPCA", "ipca.csv"},
                                                          {"INPC", "inpc.csv"},
                                                          {"IGPM", "igpm.csv"},
                                                          {"IGPDI", "igpdi.csv"},
                                                          {"IPCBR", "ipcbr.csv"},
                                                          {"IPCA15", "ipca15.csv"},
                                                          {"IPCM", "ipcm.csv"},
                                                          {"IPCSP", "ipcsp.csv"},
                                                          {"TR", "tr.csv"},
                                                          {"SELIC", "selic_mensal.csv"},
                                                          {"SELICDIA", "selic_diaria.csv"},
                                                          {"UFIR", "ufir.csv"}};
    for (auto [code, file] : series) {
        int rows = lineCount(seriesFile(file)) - 1;
        CliResult run = cli({"import", data, code, seriesFile(file)});
        ASSERT_EQ(run.code, 0) << run.err;
        EXPECT_EQ(run.out,
                  std::string(code) + ": added " + std::to_string(rows) + ", updated 0, unchanged 0\n");
        EXPECT_EQ(valueCount(data, code), static_cast<std::size_t>(rows)) << code;
    }
    CliResult again = cli({"import", data, "IPCA", seriesFile("ipca.csv")});
    EXPECT_EQ(again.out, "IPCA: added 0, updated 0, unchanged 551\n");
    EXPECT_EQ(cli({"check", data}).code, 0);

    // One value of the real series, as the index lookup reads it.
    auto dm = DataModule::openFolder(data);
    auto march1990 = dm->QueryIndices("IPCA", Date(1, 3, 1990), Date(1, 3, 1990));
    ASSERT_EQ(march1990.size(), 1u);
    EXPECT_DOUBLE_EQ(march1990[0].value, 82.39);
}

TEST_F(CliDataDirectory, ABadLineOrADuplicateDateImportsNothing)
{
    std::ifstream in(seriesFile("inpc.csv"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_GT(lines.size(), 300u);

    auto writeVariant = [&](std::size_t index, const std::string& replacement) {
        std::vector<std::string> copy = lines;
        copy[index] = replacement;
        std::string path = dir.folder() + "variant.csv";
        std::ofstream out(path);
        for (const std::string& line : copy) out << line << "\n";
        return path;
    };
    CliResult bad = cli({"import", data, "INPC", writeVariant(300, "01/13/2004;0,5")});
    EXPECT_EQ(bad.code, 1);
    EXPECT_NE(bad.err.find("line 301"), std::string::npos) << bad.err;
    CliResult duplicate = cli({"import", data, "INPC", writeVariant(300, lines[299])});
    EXPECT_EQ(duplicate.code, 1);
    EXPECT_NE(duplicate.err.find("line 301"), std::string::npos) << duplicate.err;
    EXPECT_EQ(valueCount(data, "INPC"), 0u);

    CliResult unknown = cli({"import", data, "NOPE", seriesFile("inpc.csv")});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("not registered"), std::string::npos);
    EXPECT_EQ(cli({"import", data, "INPC", dir.folder() + "missing.csv"}).code, 1);
}

TEST_F(CliDataDirectory, ImportsTheJsonExportAndUpdatesChangedValues)
{
    std::string path = dir.folder() + "tr.json";
    testing::writeFile(
        path, "[{\"data\":\"01/02/1991\",\"valor\":\"7,00\"},{\"data\":\"01/03/1991\",\"valor\":\"8,5\"}]");
    EXPECT_EQ(cli({"import", data, "TR", path}).out, "TR: added 2, updated 0, unchanged 0\n");
    CliResult csv = cli({"import", data, "TR", seriesFile("tr.csv")});
    EXPECT_EQ(csv.out, "TR: added 424, updated 0, unchanged 2\n");
    testing::writeFile(path, "[{\"data\":\"01/02/1991\",\"valor\":\"7,01\"}]");
    EXPECT_EQ(cli({"import", data, "TR", path}).out, "TR: added 0, updated 1, unchanged 0\n");
}

TEST_F(CliDataDirectory, IndexRegistersAndUpdates)
{
    CliResult added = cli({"index", data, "IGPM10", "--kind", "2", "--periodicity", "2", "--from",
                           "01/01/1992", "--desc", "IPCA-E", "--history", "Especial"});
    ASSERT_EQ(added.code, 0) << added.err;
    EXPECT_EQ(added.out,
              "registered index IGPM10: kind 2 (Percentual), periodicity 2 (Mensal), 01/01/1992 até   /  /    "
              ", IPCA-E\n");
    CliResult updated = cli({"index", data, "IGPM10", "--kind", "4", "--periodicity", "1", "--desc", "Outro"});
    ASSERT_EQ(updated.code, 0) << updated.err;
    auto dm = DataModule::openFolder(data);
    dm->Indices().setTag("codigo");
    ASSERT_TRUE(dm->Indices().seek({"IGPM10"}));
    EXPECT_EQ(dm->Indices().getDate("TBCM_DINI"), "19920101");  // kept
    EXPECT_EQ(dm->Indices().getMemo("TBCM_HIST"), "Especial");
    EXPECT_EQ(dm->cTipoValor(), "TaxaJuro");
    EXPECT_EQ(dm->catualiza(), "Diária");

    EXPECT_EQ(cli({"index", data, "X", "--kind", "5", "--periodicity", "2", "--desc", "d"}).code, 2);
    EXPECT_EQ(cli({"index", data, "CODIGOLONGO", "--kind", "1", "--periodicity", "2", "--desc", "d"}).code,
              2);
    EXPECT_EQ(cli({"index", data, "X", "--kind", "1", "--periodicity", "2"}).code, 2);
}

TEST_F(CliDataDirectory, FormStoresThePeriodicityAsTheGridDoes)
{
    CliResult run = cli(
        {"form", data, "7", "--chain", "TR;INPC;IPCA", "--periods", "01/03/1991:31/01/1993, 01/02/1993:"});
    ASSERT_EQ(run.code, 0) << run.err;
    auto formaDat = [&](const std::string& code) {
        auto dm = DataModule::openFolder(data);
        dm->FormaCorrecao().setTag("codigo");
        EXPECT_TRUE(dm->FormaCorrecao().seek({code}));
        return dm->FormaCorrecao().getString("FORMA_DAT");
    };
    EXPECT_EQ(formaDat("007"), "01/03/1991:31/01/199301/02/1993:00/00/000000/00/0000:00/00/0000");

    ASSERT_EQ(cli({"form", data, "007", "--chain", "INPC", "--periods", "01/01/1990:00/00/0000"}).code, 0);
    EXPECT_EQ(formaDat("007"), "01/01/1990:00/00/0000");
    ASSERT_EQ(cli({"form", data, "9", "--chain", "TR;INPC"}).code, 0);
    EXPECT_EQ(formaDat("009"), "00/00/0000:00/00/000000/00/0000:00/00/0000");

    CliResult invalid = cli({"form", data, "008", "--chain", "TR+IPC;INPC"});
    EXPECT_EQ(invalid.code, 1);
    EXPECT_EQ(invalid.err, "quintara-cli form: sequência inválida !. Verifique o nome dos índices.\n");
    EXPECT_EQ(cli({"form", data, "008", "--chain", "TR", "--periods", "01/01/1990: 01/01/1991:"}).code, 2);
    EXPECT_EQ(cli({"form", data, "008", "--chain", "TR", "--periods", "31/12/1991:01/01/1991"}).code, 2);
    EXPECT_EQ(cli({"form", data, "8a", "--chain", "TR"}).code, 2);
}

}  // namespace
}  // namespace quintara
