// The seed text format, and the seed files of the project as init loads them.
#include <gtest/gtest.h>

#include "data/seed_data.h"
#include "data_test_support.h"

namespace quintara {
namespace {

using testing::TempDir;

TEST(SeedFormat, RecordsFieldsAndContinuationLines)
{
    auto records = parseSeed(
        "# comment\n"
        "[dst_moed]\n"
        "\n"
        "VGM_SIGLA: Cr$ \r\n"
        "vgm_hist: first line\n"
        "  second line\n"
        "\n\n"
        "VGM_SIGLA:\n"
        "[DST_GTCU]\n"
        "GTCU_LETRA: A\n",
        "test.txt");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].table, TableId::Moeda);
    EXPECT_EQ(records[0].line, 4);
    ASSERT_EQ(records[0].fields.size(), 2u);
    EXPECT_EQ(records[0].fields[0], (std::pair<std::string, std::string>("VGM_SIGLA", "Cr$")));
    EXPECT_EQ(records[0].fields[1].second, "first line\r\nsecond line");
    EXPECT_EQ(records[1].fields[0].second, "");
    EXPECT_EQ(records[2].table, TableId::GrupoCustas);
}

TEST(SeedFormat, MistakesNameFileAndLine)
{
    auto message = [](const std::string& text) {
        try {
            parseSeed(text, "x.txt");
        } catch (const std::runtime_error& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message("VGM_SIGLA: R$\n"), "x.txt:1: a field before any [TABLE] line");
    EXPECT_EQ(message("[NOPE]\n"), "x.txt:1: unknown table [NOPE]");
    EXPECT_EQ(message("[DST_MOED]\nVGM_SIGLO: R$\n"), "x.txt:2: table DST_MOED.DBF has no field VGM_SIGLO");
    EXPECT_EQ(message("[DST_MOED]\nVGM_SIGLA: R$\nVGM_SIGLA: X\n"),
              "x.txt:3: field VGM_SIGLA given twice in one record");
    EXPECT_EQ(message("[DST_MOED]\n  orphan\n"), "x.txt:2: a continuation line without a field before it");
}

TEST(SeedFiles, ProjectSeedLoadsIntoANewDataDirectory)
{
    TempDir dir;
    createDataDirectory(dir.folder(), "<html>ajuda</html>");
    EXPECT_TRUE(std::filesystem::is_directory(dir.folder() + "img"));
    EXPECT_TRUE(std::filesystem::is_regular_file(dir.folder() + "html/Quintara.html"));
    EXPECT_THROW(createDataDirectory(dir.folder(), ""), std::runtime_error);

    auto dm = DataModule::openFolder(dir.folder());
    auto counts = loadSeedFolder(*dm, testing::sourceDir() + "/seed");
    std::map<std::string, int> byTable(counts.begin(), counts.end());
    EXPECT_EQ(byTable["DST_MOED.DBF"], 9);
    EXPECT_GE(byTable["DST_TCM1.DBF"], 12);
    EXPECT_GE(byTable["DST_FCM1.DBF"], 4);
    EXPECT_EQ(byTable["CEPUSR01.DBF"], 1);
    EXPECT_EQ(byTable.count("DST_LCM1.DBF"), 0u);  // values come only from imports

    foxpro::Table& forms = dm->FormaCorrecao();
    forms.setTag("codigo");
    ASSERT_TRUE(forms.seek({"004"}));
    EXPECT_EQ(forms.getString("FORMA_CH"), "ORTN;OTN;BTN;INPC");
    EXPECT_EQ(forms.getString("FORMA_DAT").size(), 4u * 21u);

    foxpro::Table& indices = dm->Indices();
    indices.setTag("codigo");
    for (const char* code : {"IPCA", "INPC", "IGPM", "IGPDI", "IPCBR", "IPCA15", "TR", "SELIC", "SELICDIA",
                             "UFIR", "ORTN", "OTN", "BTN"})
        EXPECT_TRUE(indices.seek({code})) << code;
    ASSERT_TRUE(indices.seek({"UFIR"}));
    EXPECT_EQ(dm->cTipoValor(), "Moeda");
    ASSERT_TRUE(indices.seek({"SELICDIA"}));
    EXPECT_EQ(dm->catualiza(), "Diária");
    EXPECT_EQ(dm->cTipoValor(), "TaxaJuro");

    foxpro::Table& users = dm->Usuarios();
    users.first();
    EXPECT_EQ(users.getString("CONTROLE"), "33_34_35_36_37_38_40_41_42_00_");
}

}  // namespace
}  // namespace quintara
