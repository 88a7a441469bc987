// The shared lookups over a new data directory with the seed currencies,
// indices, users and court costs, plus a few index values and items.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/lookups.h"
#include "data_test_support.h"

namespace quintara {
namespace {

using testing::TempDir;

class LookupsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::makeDataDirectory(dir.folder(), {"moedas.txt", "indices.txt", "usuarios.txt", "custas.txt"});
        dm = DataModule::openFolder(dir.folder());
        dm->setMessageHandler([this](MessageKind kind, const std::string& title, const std::string& text) {
            messages.push_back(title + "|" + text);
            kinds.push_back(kind);
        });
        dm->Moeda().setTag("odata");
    }

    void addValue(const std::string& code, Date date, const std::string& value)
    {
        foxpro::Table& t = dm->ValorIndices();
        t.append();
        t.setString("LCM_COD", code);
        t.setDate("LCM_DATA", date.toDtos());
        t.setString("LCM_VALOR", value);
        t.post();
    }

    void addItem(const std::string& caseNumber, const std::string& order)
    {
        foxpro::Table& t = dm->ItensProcesso();
        t.append();
        t.setString("NPROCESSO", caseNumber);
        t.setString("NORDEM", order);
        t.post();
    }

    bool exists(const std::string& name) const { return std::filesystem::exists(dir.folder() + name); }

    int itemCount(const std::string& caseNumber)
    {
        foxpro::Table& t = dm->ItensProcesso();
        t.setTag("processo");
        int n = 0;
        for (t.seekNearest({caseNumber}); !t.eof() && t.getString("NPROCESSO") == caseNumber; t.next()) ++n;
        return n;
    }

    TempDir dir;
    std::unique_ptr<DataModule> dm;
    std::vector<std::string> messages;
    std::vector<MessageKind> kinds;
};

const std::string kMismatch =
    "Atenção !|O primeiro lançamento encontrado desse índice não corresponde à datafornecida, verifique por "
    "favor !";

TEST_F(LookupsTest, CurrencyInForceAtADate)
{
    EXPECT_EQ(SiglaDaMoeda(*dm, "01/01/1900"), "Rs");
    EXPECT_EQ(SiglaDaMoeda(*dm, "31/07/1993"), "Cr$");
    EXPECT_EQ(SiglaDaMoeda(*dm, "01/08/1993"), "CR$");
    EXPECT_EQ(dm->Moeda().getString("VGM_CONV"), "1000.0000");  // left on the record found
    EXPECT_EQ(SiglaDaMoeda(*dm, "15/03/2030"), "R$");
    EXPECT_EQ(NomeDaMoeda(*dm, "27/02/1986", false), "Cruzeiro");
    EXPECT_EQ(NomeDaMoeda(*dm, "28/02/1986", true), "Cruzados");
    EXPECT_EQ(NomeDaMoeda(*dm, "01/01/1930", true), "Réis");
    EXPECT_EQ(SiglaDaMoeda(*dm, ""), "");
    EXPECT_THROW(SiglaDaMoeda(*dm, "32/01/2000"), std::invalid_argument);
}

TEST(CurrencyLookup, ErasStoredNewestFirstAreWalkedInDateOrder)
{
    TempDir dir;
    testing::copyFixtures(dir.folder());
    auto dm = DataModule::openFolder(dir.folder());
    EXPECT_EQ(SiglaDaMoeda(*dm, "01/08/1993"), "CR$");
    EXPECT_EQ(dm->Moeda().tag(), "ODATA");
    EXPECT_EQ(SiglaDaMoeda(*dm, "15/02/1967"), "NCr$");
    EXPECT_EQ(TextoConversao(*dm, Date(1, 7, 1994)), "Cruzeiro Real/2.750,0000 = Real");
}

TEST_F(LookupsTest, CurrencyWithoutSymbolIsPassedOverBySymbolLookupOnly)
{
    foxpro::Table& t = dm->Moeda();
    t.append();
    t.setDate("VGM_DATA", "20000101");
    t.setString("VGM_NOME", "Sem Sigla");
    t.post();
    EXPECT_EQ(SiglaDaMoeda(*dm, "01/06/2000"), "R$");
    EXPECT_EQ(NomeDaMoeda(*dm, "01/06/2000", false), "Sem Sigla");
}

TEST_F(LookupsTest, ConversionTextNamesPreviousCurrencyAndFactor)
{
    EXPECT_EQ(TextoConversao(*dm, Date(1, 7, 1994)), "Cruzeiro Real/2.750,0000 = Real");
    EXPECT_EQ(dm->Moeda().getString("VGM_NOME"), "Cruzeiro Real");  // one record earlier
    EXPECT_EQ(TextoConversao(*dm, Date(20, 3, 1990)), "Cruzado Novo/1,0000 = Cruzeiro");
    EXPECT_EQ(TextoConversao(*dm, Date(1, 1, 1943)), "Real/1.000,0000 = Cruzeiro");
}

TEST_F(LookupsTest, IndexValueWithEmptyCodeIsOneWithoutReadingTheTable)
{
    EXPECT_EQ(ValorDoIndice(*dm, "", false, Date(1, 1, 2000)), Amount::parse("1"));
    EXPECT_EQ(ValorDoIndice(*dm, "   ", true, Date(1, 1, 2000)), Amount::parse("1"));
    EXPECT_FALSE(dm->isOpen(TableId::ValorIndices));
}

TEST_F(LookupsTest, IndexValueOfTheMonthOrTheDay)
{
    addValue("IPCA", Date(1, 3, 1994), "42.75");
    addValue("IPCA", Date(1, 4, 1994), "42.68");
    EXPECT_EQ(ValorDoIndice(*dm, "IPCA", false, Date(17, 3, 1994)), Amount::parse("42,75"));
    foxpro::Table& t = dm->ValorIndices();
    EXPECT_FALSE(t.filterActive());
    EXPECT_EQ(t.tag(), "CODDATA");
    EXPECT_EQ(t.getDate("LCM_DATA"), "19940301");
    EXPECT_EQ(ValorDoIndice(*dm, "IPCA", true, Date(17, 3, 1994)), Amount::parse("42,68"));
    EXPECT_TRUE(messages.empty());
}

TEST_F(LookupsTest, IndexValueIsNeverTakenFromAnotherIndex)
{
    addValue("IPCA", Date(1, 3, 1994), "42.75");
    addValue("INPC", Date(1, 1, 2000), "0.61");
    // After IPCA's last value the next record in key order is INPC's.
    EXPECT_EQ(ValorDoIndice(*dm, "IPCA", false, Date(1, 5, 1994)), Amount());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], kMismatch);
    EXPECT_EQ(kinds[0], MessageKind::Error);
    // Past the end of the table.
    EXPECT_EQ(ValorDoIndice(*dm, "INPC", false, Date(1, 7, 2000)), Amount());
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(LookupsTest, IndexValueFarAfterTheDateIsUsedWithAWarning)
{
    addValue("INPC", Date(1, 6, 2000), "0.23");
    EXPECT_EQ(ValorDoIndice(*dm, "INPC", false, Date(1, 2, 2000)), Amount::parse("0,23"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], kMismatch);
    // Exactly 30 days later is not "more than 30 days".
    addValue("IGPM", Date(31, 1, 2001), "1.00");
    ValorDoIndice(*dm, "IGPM", true, Date(1, 1, 2001));
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(LookupsTest, ConversionThroughCurrencyIndicesOnly)
{
    addValue("UFIR", Date(1, 1, 1992), "597.06");
    addValue("IPCA", Date(1, 1, 1992), "25.92");
    Date date(20, 1, 1992);
    EXPECT_EQ(ConverteValorIndice(*dm, Amount::parse("1194,12"), "UFIR", true, date), Amount::parse("2"));
    EXPECT_EQ(ConverteValorIndice(*dm, Amount::parse("2"), "UFIR", false, date), Amount::parse("1194,12"));
    EXPECT_EQ(dm->Indices().tag(), "CODIGO");
    EXPECT_EQ(ConverteValorIndice(*dm, Amount::parse("100"), "IPCA", true, date), Amount::parse("100"));
    EXPECT_EQ(ConverteValorIndice(*dm, Amount::parse("100"), "SELIC", false, date), Amount::parse("100"));
    EXPECT_EQ(ConverteValorIndice(*dm, Amount::parse("100"), "NOPE", false, date), Amount::parse("100"));
    // A currency index without a value keeps the amount (after the warning).
    EXPECT_EQ(ConverteValorIndice(*dm, Amount::parse("100"), "BTN", true, date), Amount::parse("100"));
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(LookupsTest, UserNames)
{
    EXPECT_EQ(NomeDoUsuario(*dm, "000001"), "Administrador");
    EXPECT_EQ(NomeDoUsuario(*dm, "000002"), "");
    EXPECT_EQ(NomeDoUsuario(*dm, "0000011"), "");
    EXPECT_EQ(NomeUsuarioAtual(*dm), "");
    dm->setCurrentUser("000001");
    EXPECT_EQ(NomeUsuarioAtual(*dm), "Administrador");
}

TEST_F(LookupsTest, CourtCostDescriptions)
{
    EXPECT_EQ(DescricaoCusta(*dm, "A0001"), "EXEMPLO - DISTRIBUIÇÃO DE PETIÇÃO INICIAL");
    EXPECT_EQ(DescricaoCusta(*dm, "A0009"), "");
    EXPECT_EQ(DescricaoCusta(*dm, "A000"), "");
    EXPECT_EQ(DescricaoCusta(*dm, ""), "");
    EXPECT_EQ(DescricaoGrupoCusta(*dm, "B"), "CITAÇÕES E INTIMAÇÕES (EXEMPLO)");
    EXPECT_EQ(DescricaoGrupoCusta(*dm, "Z"), "");
}

TEST_F(LookupsTest, DeletingOneItemRemovesItsRecordAndMemoFile)
{
    for (const char* order : {"001", "002", "003"}) addItem("123", order);
    addItem("124", "002");
    testing::writeFile(dir.folder() + "123002.clc", "memo");
    testing::writeFile(dir.folder() + "124002.CLC", "memo");
    EXPECT_TRUE(ApagaItemProcesso(*dm, "123", 2));
    EXPECT_FALSE(exists("123002.clc"));
    EXPECT_TRUE(exists("124002.CLC"));
    EXPECT_EQ(itemCount("123"), 2);
    EXPECT_EQ(itemCount("124"), 1);
    EXPECT_FALSE(ApagaItemProcesso(*dm, "123", 2));
    EXPECT_FALSE(ApagaItemProcesso(*dm, "123", 0));
    EXPECT_EQ(dm->ItensProcesso().tag(), "ITEM");
}

TEST_F(LookupsTest, DeletingAllItemsOfACaseKeepsOtherCases)
{
    for (const char* order : {"001", "002"}) addItem("123", order);
    addItem("1234", "001");
    addItem("2024/000001", "001");
    testing::writeFile(dir.folder() + "123001.CLC", "memo");
    testing::writeFile(dir.folder() + "1234001.CLC", "memo");
    EXPECT_TRUE(ApagaItensProcesso(*dm, "123"));
    EXPECT_FALSE(exists("123001.CLC"));
    EXPECT_TRUE(exists("1234001.CLC"));
    EXPECT_EQ(itemCount("123"), 0);
    EXPECT_EQ(itemCount("1234"), 1);
    EXPECT_FALSE(ApagaItensProcesso(*dm, "123"));
    // A case number that cannot name a memo file still has its items deleted.
    EXPECT_TRUE(ApagaItensProcesso(*dm, "2024/000001"));
    EXPECT_EQ(itemCount("2024/000001"), 0);
}

}  // namespace
}  // namespace quintara
