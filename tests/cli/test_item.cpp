// quintara-cli item: items appended to a registered case in the first free
// row, stored as the item form stores them, and the refusals that store
// nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "data/data_module.h"
#include "data/lookups.h"

namespace fs = std::filesystem;

namespace {

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result run(std::vector<std::string> args)
{
    std::ostringstream out, err;
    const int code = quintara::cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

class ItemCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quintara-item-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        ASSERT_EQ(run({"init", dir_.string()}).code, 0);
        ASSERT_EQ(run({"case", dir_.string(), "ABC1234"}).code, 0);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    Result item(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"item", dir_.string()});
        return run(args);
    }
    Result plain(const std::string& caseNumber, const std::string& origin, const std::string& amount)
    {
        return item({caseNumber, "--form", "1", "--origin", origin, "--amount", amount});
    }
    std::string field(int item, const char* name)
    {
        auto dm = quintara::DataModule::openFolder(dir_.string());
        auto& items = dm->ItensProcesso();
        items.setTag("item");
        if (!items.seek({"ABC1234", "00" + std::to_string(item)})) return "<none>";
        return items.getString(name);
    }
    std::uint32_t records()
    {
        return quintara::DataModule::openFolder(dir_.string())->ItensProcesso().recordCount();
    }
    fs::path dir_;
};

TEST_F(ItemCommand, AppendsInTheFirstFreeRowAsTheItemFormStores)
{
    Result r = item({"ABC1234",
                     "--form",
                     "4",
                     "--origin",
                     "15/03/1994",
                     "--amount",
                     "1500000,00",
                     "--description",
                     "Aluguel",
                     "--converter",
                     "--full-month",
                     "--ord-rate",
                     "12",
                     "--ord-formula",
                     "composto",
                     "--comp-rate",
                     "6",
                     "--comp-start",
                     "01/04/1994",
                     "--fine",
                     "2",
                     "--fine-on-interest"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "001\n");
    EXPECT_EQ(field(1, "FORMACORR"), "004");
    EXPECT_EQ(field(1, "VALORORIG"), "1500000.0000");
    EXPECT_EQ(field(1, "DESCRICAO"), "Aluguel");
    EXPECT_EQ(field(1, "SOMA_DED"), "D");
    EXPECT_EQ(field(1, "CONVERSOR"), "T");
    EXPECT_EQ(field(1, "CHEIOEXAT"), "C");
    EXPECT_EQ(field(1, "JORDTIP"), "1");
    EXPECT_EQ(field(1, "JORDDAT"), "15/03/1994");
    EXPECT_EQ(field(1, "JCOMTIP"), "0");
    EXPECT_EQ(field(1, "JCOMDAT"), "01/04/1994");
    EXPECT_EQ(field(1, "MULTAPER"), "2.000000");
    EXPECT_EQ(field(1, "MULTAJUR"), "T");
    EXPECT_EQ(field(1, "HONOPER"), "0.000000");

    ASSERT_EQ(
        item({"ABC1234", "--form", "001", "--origin", "10/01/2020", "--amount", "500", "--payment"}).out,
        "002\n");
    EXPECT_EQ(field(2, "SOMA_DED"), "S");
    EXPECT_EQ(field(2, "CONVERSOR"), "F");
    EXPECT_EQ(field(2, "JORDDAT"), "10/01/2020");
    ASSERT_EQ(plain("ABC1234", "10/02/2020", "1").out, "003\n");

    // A deleted item's row is taken again, as the worksheet's next new item.
    auto dm = quintara::DataModule::openFolder(dir_.string());
    ASSERT_TRUE(quintara::ApagaItemProcesso(*dm, "ABC1234", 2));
    dm.reset();
    EXPECT_EQ(plain("ABC1234", "10/03/2020", "7").out, "002\n");
    EXPECT_EQ(field(2, "VALORORIG"), "7.0000");

    // The case is found in any letter case and stored as registered.
    EXPECT_EQ(plain("abc1234", "10/03/2020", "8").out, "004\n");
    EXPECT_EQ(field(4, "VALORORIG"), "8.0000");
}

TEST_F(ItemCommand, RefusalsPrintTheMessageExitOneAndStoreNothing)
{
    const auto refused = [&](Result r, const std::string& message) {
        EXPECT_EQ(r.code, 1) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    };
    refused(plain("XYZ9999", "10/01/2020", "1"), "'XYZ9999' não está cadastrado");
    refused(plain("ABC1234", "31/02/2020", "1"), "Data Origem inválida !");
    refused(plain("ABC1234", "10/01/20", "1"), "Data Origem inválida !");
    refused(item({"ABC1234", "--form", "1", "--origin", "10/01/2020", "--amount", "1", "--ord-rate", "6",
                  "--ord-start", "01/13/2020"}),
            "Data de início dos juros ordinários inválida !");
    refused(item({"ABC1234", "--form", "77", "--origin", "10/01/2020", "--amount", "1"}),
            "A Forma de Correção '077' não está cadastrada.");
    refused(plain("ABC1234", "10/01/2020", "1,234"), "--amount: '1,234' has more than 2 decimals");
    refused(item({"ABC1234", "--form", "1", "--origin", "10/01/2020", "--amount", "1", "--description",
                  std::string(61, 'a')}),
            "mais de 60 caracteres");
    EXPECT_EQ(records(), 0u);

    // Options that do not belong together are a usage error.
    EXPECT_EQ(item({"ABC1234", "--form", "1", "--origin", "10/01/2020", "--amount", "1", "--ord-start",
                    "10/01/2020"})
                  .code,
              2);
    EXPECT_EQ(item({"ABC1234", "--form", "1", "--origin", "10/01/2020"}).code, 2);
    EXPECT_EQ(records(), 0u);
}

}  // namespace
