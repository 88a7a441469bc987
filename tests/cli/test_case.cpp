// quintara-cli case and the case register rules behind it: the printed
// record, the refusals, the protocol hour, updates and the names of a case.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "data/case_register.h"
#include "data/data_module.h"

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

// The value printed for one field ("" when the line is missing).
std::string field(const std::string& printed, const std::string& name)
{
    std::istringstream in(printed);
    for (std::string line; std::getline(in, line);)
        if (line.starts_with(name + "=")) return line.substr(name.size() + 1);
    return "<missing>";
}

std::vector<std::string> lines(const std::string& printed)
{
    std::vector<std::string> result;
    std::istringstream in(printed);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

class CaseCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "quintara-case-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        ASSERT_EQ(run({"init", dir_.string()}).code, 0);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    Result caseCmd(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"case", dir_.string()});
        return run(args);
    }
    fs::path dir_;
};

TEST_F(CaseCommand, RegistersACaseAndPrintsEveryFieldInTableOrder)
{
    const Result r =
        caseCmd({"ABC1234", "--responsible", "Ana Souza", "--description", "Cobrança", "--court", "3ª",
                 "--history", "linha 1\nlinha 2", "--name", "JOÃO|Réu|123.456", "--name", "MARIA"});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 17u);
    const char* order[] = {"NPROCESSO", "RESPONSAV", "NPROTOCOLO", "DPROTOCOLO", "HORAPROTOC",
                           "DATA",      "HORA",      "VARA",       "DESCRICAO",  "ANOTACOES",
                           "SITUACAO",  "USUARIO",   "DATAUA",     "DATAUC",     "FLAG022000"};
    for (std::size_t i = 0; i < 15; ++i)
        EXPECT_TRUE(out[i].starts_with(std::string(order[i]) + "=")) << out[i];
    EXPECT_EQ(field(r.out, "NPROCESSO"), "ABC1234");
    EXPECT_EQ(field(r.out, "VARA"), "3ª");
    EXPECT_EQ(field(r.out, "ANOTACOES"), "linha 1\\nlinha 2");
    EXPECT_EQ(field(r.out, "SITUACAO"), "0");
    EXPECT_EQ(field(r.out, "USUARIO"), "000001");
    EXPECT_EQ(field(r.out, "NPROTOCOLO"), "");
    EXPECT_EQ(field(r.out, "HORA").size(), 5u);
    EXPECT_EQ(field(r.out, "DATA"), field(r.out, "DATAUA"));
    EXPECT_EQ(out[15], "JOÃO|Réu|123.456");
    EXPECT_EQ(out[16], "MARIA||");
}

TEST_F(CaseCommand, ProtocolHourFollowsTheOfficesOpeningHours)
{
    const std::pair<const char*, const char*> hours[] = {
        {"9:30", "12:00"}, {"19:10", "18:00"}, {"14:5", "14:05"}, {"18:59", "18:59"}};
    int n = 0;
    for (const auto& [typed, stored] : hours) {
        const std::string number = "HORA00" + std::to_string(n++);
        const Result r =
            caseCmd({number, "--protocol-number", "P1", "--protocol", std::string("05/03/2024 ") + typed});
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(field(r.out, "HORAPROTOC"), stored) << typed;
        EXPECT_EQ(field(r.out, "DPROTOCOLO"), "05/03/2024");
        EXPECT_EQ(field(r.out, "NPROTOCOLO"), "P1");
    }
    EXPECT_EQ(caseCmd({"HORA009", "--protocol-number", "P1", "--protocol", "05/03/2024 25:00"}).code, 2);
    EXPECT_EQ(caseCmd({"HORA009", "--protocol-number", "P1"}).code, 2);
}

TEST_F(CaseCommand, RefusesBadAndDuplicateNumbers)
{
    ASSERT_EQ(caseCmd({"ABC1234"}).code, 0);
    // An exact number updates; one differing only in letter case is refused,
    // since both cases' memo files would be the same file.
    const Result lower = caseCmd({"abc1234"});
    EXPECT_EQ(lower.code, 1);
    EXPECT_EQ(lower.err, "Número de processo já cadastrado!\n");
    EXPECT_EQ(lower.out, "");
    EXPECT_EQ(caseCmd({"ABC123"}).code, 1);
    EXPECT_EQ(caseCmd({"ABC12345"}).code, 1);
    EXPECT_EQ(caseCmd({"ABC-123"}).code, 1);
    EXPECT_EQ(caseCmd({"NEW0001", "--status", "2"}).code, 2);
    EXPECT_EQ(caseCmd({"NEW0001", "--user", "999999"}).code, 2);
    EXPECT_EQ(caseCmd({"NEW0001", "--name", "A|B|C|D"}).code, 2);
}

TEST_F(CaseCommand, UpdateKeepsRegistrationAndReplacesOnlyThisCasesNames)
{
    ASSERT_EQ(caseCmd({"AAA0001", "--responsible", "Ana", "--name", "PRIMEIRO", "--name", "SEGUNDO",
                       "--protocol-number", "77", "--protocol", "01/02/2024 13:00"})
                  .code,
              0);
    ASSERT_EQ(caseCmd({"AAA0002", "--name", "OUTRO"}).code, 0);
    const Result before = caseCmd({"AAA0001"});
    ASSERT_EQ(before.code, 0);
    EXPECT_EQ(lines(before.out).size(), 17u) << "names not given are kept";

    const Result r =
        caseCmd({"AAA0001", "--status", "3", "--description", "novo", "--name", "TERCEIRO|Autor|"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(field(r.out, "SITUACAO"), "3");
    EXPECT_EQ(field(r.out, "DESCRICAO"), "novo");
    EXPECT_EQ(field(r.out, "RESPONSAV"), "Ana");
    EXPECT_EQ(field(r.out, "HORAPROTOC"), "13:00");
    EXPECT_EQ(field(r.out, "DATA"), field(before.out, "DATA"));
    EXPECT_EQ(field(r.out, "HORA"), field(before.out, "HORA"));
    const std::vector<std::string> out = lines(r.out);
    ASSERT_EQ(out.size(), 16u);
    EXPECT_EQ(out[15], "TERCEIRO|Autor|");

    const Result other = caseCmd({"AAA0002"});
    ASSERT_EQ(lines(other.out).size(), 16u);
    EXPECT_EQ(lines(other.out)[15], "OUTRO||");
}

TEST_F(CaseCommand, DeletedCaseLeavesItsNumberFreeAndTakesItsNames)
{
    using namespace quintara;
    ASSERT_EQ(caseCmd({"DEL0001", "--name", "FULANO"}).code, 0);
    ASSERT_EQ(caseCmd({"KEP0001", "--name", "BELTRANO"}).code, 0);
    {
        auto dm = DataModule::openFolder(dir_.string() + "/");
        const std::uint32_t record = findCaseNumber(*dm, "del0001");
        ASSERT_NE(record, 0u);
        deleteCase(*dm, record);
        EXPECT_EQ(findCaseNumber(*dm, "DEL0001"), 0u);
        EXPECT_TRUE(caseNames(*dm, "DEL0001").empty());
        EXPECT_EQ(caseNames(*dm, "KEP0001").size(), 1u);
    }
    const Result again = caseCmd({"DEL0001"});
    EXPECT_EQ(again.code, 0) << again.err;
    EXPECT_EQ(lines(again.out).size(), 15u);
}

TEST(CaseNamesLine, ValuesAreCutToTheirColumns)
{
    using namespace quintara;
    const std::string longName(70, 'N');
    const std::string line = namesLine({longName, "Réu", "123"}, "*");
    const CaseName back = nameFromLine(line);
    EXPECT_EQ(back.name, std::string(55, 'N'));
    EXPECT_EQ(back.citedAs, "Réu");
    EXPECT_EQ(back.document, "123");
    EXPECT_EQ(markOfLine(line), "*");
    EXPECT_TRUE(isValidCaseNumber("aB12345"));
    EXPECT_FALSE(isValidCaseNumber("ÁB1234"));
}

}  // namespace
