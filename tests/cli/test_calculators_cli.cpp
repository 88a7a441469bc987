// quintara-cli consorcio and price: the window's fields as options, the
// printed labels and results, the refusals on standard error with exit 1,
// and the currency of the data directory.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "data/data_test_support.h"

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
    std::ostringstream out, err;
    const int code = quintara::cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

class CalculatorCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new TempDir();
        data = dir->folder() + "data";
        ASSERT_EQ(cli({"init", data}).code, 0);
    }
    static void TearDownTestSuite() { delete dir; }
    static inline TempDir* dir = nullptr;
    static inline std::string data;
};

TEST_F(CalculatorCommands, ConsorcioPrintsOverdueDatesLabelsAndResults)
{
    const CliRun r =
        cli({"consorcio", data, "--value", "12000,00", "--instalments", "3", "--first-due", "31/01/2023",
             "--date", "30/03/2023", "--admin-fee", "10", "--interest", "12", "--fine", "2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "OVERDUE 31/01/2023\n"
              "OVERDUE 28/02/2023\n"
              "lbValorCadaParcela\tValor de Cada Parcela (Atualizado)\t  R$ 4.400,00\n"
              "lbQuantidadeVencidas\t\t( 2)\n"
              "lbTotalVencidas\tParcelas Vencidas\t  R$    8.800,00\n"
              "lbTotalJuros\tValor dos Juros\t  R$      127,30\n"
              "lbTotalMulta\tValor da Multa\t  R$      176,00\n"
              "lbSubTotal1\tSubtotal (vencido) =>\t  R$    9.103,30\n"
              "lbQuantAVencer\t\t( 1)\n"
              "lbTotalaVencer\tParcelas à vencer\t  R$    4.400,00\n"
              "lbTotalResidual\tValor Residual\t  R$      400,00\n"
              "lbTotalDivida\tTotal da Dívida (Quitação) =>\t  R$   13.903,30\n"
              "RESULTS Q=4000.0000 TA=400.0000 P=4400.0000 J=127.2987 M=176.0000 R=400.0000 nV=2 nA=1\n");

    // The 360-day marker in the data directory changes the year of the interest.
    std::ofstream(data + "/D360.TXT") << "";
    const CliRun r360 = cli({"consorcio", data, "--value", "12000,00", "--instalments", "3", "--first-due",
                          "31/01/2023", "--date", "30/03/2023", "--admin-fee", "10", "--interest", "12"});
    std::filesystem::remove(data + "/D360.TXT");
    EXPECT_NE(r360.out.find("J=129.0667"), std::string::npos) << r360.out;
}

TEST_F(CalculatorCommands, ConsorcioRefusesWithTheWindowsMessage)
{
    CliRun r =
        cli({"consorcio", data, "--value", "12000,00", "--first-due", "31/01/2023", "--date", "30/03/2023"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Taxa Administrativa não definida !.\n");
    r = cli({"consorcio", data, "--value", "12000,00", "--admin-fee", "1", "--date", "30/03/2023", "--paid",
             "-1", "--first-due", "01/01/2023"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Nº de pacelas pagas inválido!\n");
    r = cli({"consorcio", data, "--value", "12000,00", "--instalments", "3,5"});
    EXPECT_EQ(r.code, 2) << "a count that is not whole is a usage error";
}

TEST_F(CalculatorCommands, PricePrintsPaymentSentenceAndReportTexts)
{
    CliRun r = cli({"price", data, "--amount", "10000,00", "--years", "1", "--rate", "12", "--symbol", "R$",
                 "--singular", "real", "--plural", "reais"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "PMT=888.4800");
    std::getline(lines, line);
    EXPECT_TRUE(line.starts_with("De acordo com a \"Tabela Price\"")) << line;
    std::getline(lines, line);
    EXPECT_EQ(line, "REPORT amount=R$          10.000,00");
    std::getline(lines, line);
    EXPECT_EQ(line, "REPORT payment=R$ 888,48            ");
    std::getline(lines, line);
    EXPECT_EQ(line, "REPORT rate=%12");
    std::getline(lines, line);
    EXPECT_EQ(line, "REPORT term=1");

    // Without the currency options, today's currency of the data directory.
    r = cli({"price", data, "--amount", "1,00", "--years", "1", "--rate", "0"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("(um Real)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("REPORT amount=R$ "), std::string::npos) << r.out;

    r = cli({"price", data, "--amount", "1000,00", "--years", "1"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Taxa de Juros inválida !\n");
    r = cli({"price", data, "--amount", "1000,00", "--years", "0", "--rate", "12"});
    EXPECT_EQ(r.err, "Prazo inválido !\n");
}

}  // namespace
}  // namespace quintara
