// quintara-cli calc, table and recalc on a data directory made by init and
// filled with the real series: currency changes, full-month and exact-day
// items, every index kind, both interest formulas with and without D360.TXT.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "cli/cli.h"
#include "data/data_module.h"
#include "data/data_test_support.h"
#include "worksheet/worksheet_items.h"
#include "foxpro/codepage.h"

namespace quintara {
namespace {

using testing::TempDir;

struct CliResult {
    int code;
    std::string out;
    std::string err;
    std::vector<std::string> lines() const
    {
        std::vector<std::string> result;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) result.push_back(line);
        return result;
    }
    std::string results() const { return lines().empty() ? "" : lines().back(); }
    int count(const std::string& prefix) const
    {
        int n = 0;
        for (const std::string& line : lines()) n += line.starts_with(prefix);
        return n;
    }
};

CliResult cli(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    int code = quintara::cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

class CalcScenario : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = std::make_unique<TempDir>();
        data = dir->folder() + "data";
        ASSERT_EQ(cli({"init", data}).code, 0);
        for (auto [code, file] : {std::pair{"INPC", "inpc"},
                                  {"UFIR", "ufir"},
                                  {"SELICDIA", "selic_diaria"},
                                  {"SELIC", "selic_mensal"}})
            ASSERT_EQ(
                cli({"import", data, code, testing::sharedDir() + "/data/series/" + file + ".csv"}).code, 0);
        ASSERT_EQ(cli({"form", data, "10", "--chain", "INPC", "--periods", "00/00/0000:00/00/0000"}).code, 0);
        ASSERT_EQ(cli({"form", data, "11", "--chain", "UFIR;INPC", "--periods",
                       "00/00/0000:31/12/1995 01/01/1996:00/00/0000"})
                      .code,
                  0);
        ASSERT_EQ(cli({"form", data, "12", "--chain", "SELICDIA", "--periods", "00/00/0000:00/00/0000"}).code,
                  0);
        ASSERT_EQ(cli({"form", data, "13", "--chain", "INPC;SELIC", "--periods",
                       "00/00/0000:31/12/1999 01/01/2000:00/00/0000"})
                      .code,
                  0);
    }
    static void TearDownTestSuite() { dir.reset(); }

    static CliResult calc(std::vector<std::string> extra)
    {
        std::vector<std::string> args = {"calc", data};
        args.insert(args.end(), extra.begin(), extra.end());
        return cli(args);
    }

    static inline std::unique_ptr<TempDir> dir;
    static inline std::string data;
};

TEST_F(CalcScenario, ChangeToTheRealWithAndWithoutTheConverter)
{
    // June 1994 INPC 48,24 %, then 2.750 CR$ = 1 R$, then July 7,75 %.
    CliResult on = calc({"--form", "10", "--origin", "01/06/1994", "--date", "31/07/1994", "--amount",
                         "1000,00", "--full-month", "--converter"});
    ASSERT_EQ(on.code, 0) << on.err;
    EXPECT_EQ(on.results(), "RESULTS P=0.3636 V=0.5809 Jo=0.0000 Jc=0.0000 F=0.0000 H=0.0000");
    EXPECT_EQ(on.count("CONVERSÃO  => Cruzeiro Real/2.750,0000 = Real"), 1);
    CliResult off = calc({"--form", "10", "--origin", "01/06/1994", "--date", "31/07/1994", "--amount",
                          "1000,00", "--full-month"});
    EXPECT_EQ(off.results(), "RESULTS P=1000.0000 V=1597.2860 Jo=0.0000 Jc=0.0000 F=0.0000 H=0.0000");
    EXPECT_EQ(off.count("CONVERSÃO"), 1);
}

TEST_F(CalcScenario, EveryCurrencyChangeFrom1986To1994IsConvertedOnce)
{
    CliResult r = calc({"--form", "10", "--origin", "01/01/1986", "--date", "31/12/1994", "--amount",
                        "1000000,00", "--converter", "--full-month"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.count("CONVERSÃO"), 5);
    for (const char* change : {"Cruzeiro/1.000,0000 = Cruzado ", "Cruzado/1.000,0000 = Cruzado Novo ",
                               "Cruzado Novo/1,0000 = Cruzeiro ", "Cruzeiro/1.000,0000 = Cruzeiro Real ",
                               "Cruzeiro Real/2.750,0000 = Real "})
        EXPECT_EQ(r.count(std::string("CONVERSÃO  => ") + change), 1) << change;
    // 10^9 Cr$ / 1000 / 1000 / 1 / 1000 / 2750 = 0,000364 R$
    CliResult big = calc({"--form", "10", "--origin", "01/01/1986", "--date", "31/12/1994", "--amount",
                          "1000000000,00", "--converter", "--full-month"});
    EXPECT_TRUE(big.results().starts_with("RESULTS P=0.0004 ")) << big.results();
    const std::vector<std::string> lines = r.lines();
    for (const std::string& line : lines)
        if (line.find(" em ") == 10 || line.starts_with("CONVERS")) {
            EXPECT_EQ(foxpro::utf8Length(line), 83u) << line;
        }
}

TEST_F(CalcScenario, ExactDaysProrateTheFirstMonth)
{
    CliResult exact =
        calc({"--form", "10", "--origin", "16/01/2001", "--date", "28/02/2001", "--amount", "1000,00"});
    CliResult full = calc({"--form", "10", "--origin", "16/01/2001", "--date", "28/02/2001", "--amount",
                           "1000,00", "--full-month"});
    // INPC January 2001 0,77 %: exact days take (31 − 16)/31 of it, 0,37; the
    // last month is the calculation date's month and adds nothing.
    EXPECT_EQ(exact.count("INPC       em   Jan/2001           Soma Perc.     0,370000000"), 1) << exact.out;
    EXPECT_EQ(exact.results(), "RESULTS P=1000.0000 V=1003.7000 Jo=0.0000 Jc=0.0000 F=0.0000 H=0.0000");
    EXPECT_EQ(full.count("INPC       em   Jan/2001           Soma Perc.     0,770000000"), 1) << full.out;
}

TEST_F(CalcScenario, CurrencyUnitIndexThenPercentages)
{
    CliResult r = calc({"--form", "11", "--origin", "01/01/1993", "--date", "31/03/1996", "--amount",
                        "1000,00", "--converter", "--full-month"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.count("UFIR       em 01/01/1993          Divide por:"), 1) << r.out;
    EXPECT_EQ(r.count("UFIR       em 01/12/1995      Multiplica por:"), 1) << r.out;
    // The conversions after a currency-unit index leave the value as it is.
    EXPECT_EQ(r.count("CONVERSÃO"), 2);
}

TEST_F(CalcScenario, DailyInterestRateIndexInQuickMode)
{
    CliResult r = calc({"--form", "12", "--origin", "02/01/2020", "--date", "31/01/2020", "--amount",
                        "1000,00", "--mode", "quick"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.count("SELICDIA   em   Jan/2020"), 20);  // 21 business days, the first one skipped
    EXPECT_EQ(r.count("Honorários"), 0);
    EXPECT_TRUE(r.lines()[r.lines().size() - 2].starts_with("TOTAL DO CÁLCULO =>"));
    // From Sunday 05/01/2020 the Monday rate is owed; from Monday 06/01 it is
    // that day's own rate and is not.
    CliResult sunday = calc({"--form", "12", "--origin", "05/01/2020", "--date", "31/01/2020", "--amount",
                             "1000,00", "--mode", "quick"});
    CliResult monday = calc({"--form", "12", "--origin", "06/01/2020", "--date", "31/01/2020", "--amount",
                             "1000,00", "--mode", "quick"});
    EXPECT_EQ(sunday.count("SELICDIA   em   Jan/2020"), 19);
    EXPECT_EQ(monday.count("SELICDIA   em   Jan/2020"), 18);
}

TEST_F(CalcScenario, ConvertedAmountHalfwayGoesToTheEvenNeighbour)
{
    // 1.234,35 Cr$ / 1.000 = 1,23435 CR$, exactly halfway: 1,2344.
    CliResult r = calc({"--form", "10", "--origin", "31/07/1993", "--date", "01/08/1993", "--amount",
                        "1234,35", "--converter"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.results(), "RESULTS P=1.2344 V=1.2344 Jo=0.0000 Jc=0.0000 F=0.0000 H=0.0000");
}

TEST_F(CalcScenario, InterestFormulasAndTheYearMarker)
{
    std::vector<std::string> args = {"--form",     "10",          "--origin", "01/01/2020",     "--date",
                                     "31/01/2020", "--amount",    "1000,00",  "--full-month",   "--ord-rate",
                                     "12",         "--comp-rate", "12",       "--comp-formula", "composto"};
    CliResult y365 = calc(args);
    std::ofstream(data + "/D360.TXT").put('x');
    CliResult y360 = calc(args);
    std::filesystem::remove(data + "/D360.TXT");
    // V = 1000 × 1,0021 (INPC 01/2020 0,19 %; 01/2020 is the last month: 0) = 1001,90
    EXPECT_NE(y365.results().find("Jo=9.8818 Jc=9.9290"), std::string::npos) << y365.results();
    EXPECT_NE(y360.results().find("Jo=10.0190 Jc=10.0676"), std::string::npos) << y360.results();
    EXPECT_EQ(y365.count("Juros Ordinários    =%12,00 a.a. em         30 dias [SIMPLES ]="), 1) << y365.out;
    EXPECT_EQ(y365.count("Juros Compensatórios=%12,00 a.a. em         30 dias [COMPOSTO]="), 1) << y365.out;
}

TEST_F(CalcScenario, FailedStagesAndBadArguments)
{
    CliResult unknown =
        calc({"--form", "77", "--origin", "01/01/2020", "--date", "31/01/2020", "--amount", "10"});
    EXPECT_EQ(unknown.code, 0);
    // No memo file is made for a failed stage: its error text and the results kept.
    EXPECT_EQ(unknown.lines(),
              (std::vector<std::string>{"Erro !!!. Ao montar sequência Original.",
                                        "RESULTS P=10.0000 V=0.0000 Jo=0.0000 Jc=0.0000 F=0.0000 H=0.0000"}));
    for (const char* mode : {"worksheet", "quick"}) {
        CliResult early = calc({"--form", "12", "--origin", "01/01/2019", "--date", "31/01/2020", "--amount",
                                "10", "--mode", mode});
        EXPECT_EQ(early.code, 0);
        EXPECT_EQ(early.lines(), (std::vector<std::string>{
                                     "Erro !!!. Ao montar sequência desse Cálculo",
                                     "RESULTS P=10.0000 V=0.0000 Jo=0.0000 Jc=0.0000 F=0.0000 H=0.0000"}))
            << mode;
    }
    CliResult badDate =
        calc({"--form", "10", "--origin", "31/02/2020", "--date", "31/01/2020", "--amount", "10"});
    EXPECT_EQ(badDate.code, 2);
    EXPECT_NE(badDate.err.find("--origin"), std::string::npos);
    EXPECT_EQ(calc({"--form", "10", "--origin", "01/01/2020", "--date", "31/01/2020", "--amount", "1x"}).code,
              2);
    EXPECT_EQ(calc({"--form", "10", "--origin", "01/01/2020", "--date", "31/01/2020"}).code, 2);
}

TEST_F(CalcScenario, TablePrintsTheAdjustedSequenceThenTheTable)
{
    CliResult r = cli({"table", data, "--form", "13", "--origin", "15/11/1999", "--date", "31/01/2000"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<std::string> lines = r.lines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[0], "INPC      15/11/199931/12/1999");
    EXPECT_EQ(lines[1], "SELIC     01/01/200031/01/2000");
    EXPECT_EQ(lines[2], "--");
    EXPECT_EQ(lines[3], "INPC      15/11/1999    0,9400000002  R$2");
    EXPECT_EQ(lines.back().substr(0, 20), "SELIC     01/01/2000");
}

TEST_F(CalcScenario, RecalcStoresResultsAndMemoFiles)
{
    {
        auto dm = DataModule::openFolder(data);
        WorksheetGrid grid;
        for (int row : {1, 3}) {
            auto set = [&](int column, const std::string& text) { grid.setCell(row, column, text); };
            set(colOriginDate, "01/06/1994");
            set(colOriginalAmount, "1000,00");
            set(colMonthMode, "CHEIO");
            set(colConverter, row == 1 ? "SIM" : "NÃO");
            set(colOrdinaryFormula, "0");
            set(colCompensatoryFormula, "0");
            set(colFormCode, "010");
            set(colDebtOrPayment, "DÍVIDA");
            set(colIndexQuantity, "0");
            set(colIndexValue, "0");
            foxpro::Table& items = dm->ItensProcesso();
            items.setTag("");
            items.append();
            GravaItem(grid, row, "2024-000777", items);
            items.post();
        }
    }
    CliResult r = cli({"recalc", data, "2024-000777", "31/07/1994", "--all"});
    ASSERT_EQ(r.code, 0) << r.err << r.out;
    EXPECT_EQ(r.lines(), (std::vector<std::string>{"001 0.5809", "003 1597.2860"}));
    auto dm = DataModule::openFolder(data);
    foxpro::Table& items = dm->ItensProcesso();
    items.setTag("item");
    ASSERT_TRUE(items.seek({"2024-000777", "003"}));
    EXPECT_EQ(items.getNumber("VALORTOT"), 1597.29);
    EXPECT_EQ(items.getString("DATACALC"), "31/07/1994");
    std::ifstream memo(dm->memoFilePath("2024-000777", 3), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(memo)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(bytes.starts_with("Info: Buscando dados definidos na forma de corre\xE7\xE3o!.\r\n"))
        << bytes;
    EXPECT_TRUE(bytes.ends_with("SEQUENCIA\r\nINPC      01/06/199431/07/1994\r\n"));
}

TEST_F(CalcScenario, RecalcPrintsTheItemTotalWithoutFeesAndTheErrorThatEndedTheRun)
{
    {
        auto dm = DataModule::openFolder(data);
        WorksheetGrid grid;
        for (int row : {1, 2, 3}) {
            auto set = [&](int column, const std::string& text) { grid.setCell(row, column, text); };
            set(colOriginDate, "01/07/1994");
            set(colOriginalAmount, "1000,00");
            set(colMonthMode, "CHEIO");
            set(colConverter, "NÃO");
            set(colOrdinaryFormula, row == 2 ? "x" : "0");  // a formula cell that does not convert
            set(colCompensatoryFormula, "0");
            set(colFormCode, "010");
            set(colDebtOrPayment, "DÍVIDA");
            set(colIndexQuantity, "0");
            set(colIndexValue, "0");
            set(colFeeRate, "10");
            foxpro::Table& items = dm->ItensProcesso();
            items.setTag("");
            items.append();
            GravaItem(grid, row, "2024-000888", items);
            items.post();
        }
    }
    CliResult r = cli({"recalc", data, "2024-000888", "31/07/1994"});
    EXPECT_EQ(r.code, 1);
    // July 1994 INPC 7,75 %: 1077,50, the total as VALORTOT holds it (the
    // 107,75 of fees apart); the run ends at item 2 and item 3 is not started.
    EXPECT_EQ(r.lines(), (std::vector<std::string>{"001 1077.5000", "002 'x' is not a valid integer value"}));
    EXPECT_NE(r.err.find("'x' is not a valid integer value"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace quintara
