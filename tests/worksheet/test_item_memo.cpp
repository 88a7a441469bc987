// The readable part of an item's memo file: progress and error lines left
// out, the sequence list after "SEQUENCIA", and the file read in its own code page.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/memo_file.h"
#include "worksheet/item_memo.h"

namespace quintara {
namespace {

TEST(ItemMemo, LeavesOutInfoAndErrorLinesAndListsTheSequence)
{
    const std::vector<std::string> file = {
        "Info: Verificando sequência original.",
        "IPCA-E     em   Abr/2020                                      =   R$       1.002,10",
        "Erro !!!: Índice não encontrado",
        "Resultado  em 15/03/2024                                      =   R$       1.250,00",
        "Info: Cálculo finalizado !",
        "SEQUENCIA",
        "IPCA-E    01/04/202001/03/2024",
        "SELIC     02/03/202415/03/2024",
        "",
        "TRAILER   01/01/200001/01/2001"};
    const ItemMemo memo = readableMemo(file);
    ASSERT_EQ(memo.lines.size(), 2u);
    EXPECT_EQ(memo.lines[0].substr(0, 6), "IPCA-E");
    EXPECT_EQ(memo.lines[1].substr(0, 9), "Resultado");
    EXPECT_EQ(memo.sequence, (std::vector<std::string>{"IPCA-E      01/04/2020 até 01/03/2024",
                                                       "SELIC       02/03/2024 até 15/03/2024"}));
}

TEST(ItemMemo, WithoutSequenceLineEverythingElseIsShown)
{
    const ItemMemo memo = readableMemo({"linha 1", "Info: x", "linha 2"});
    EXPECT_EQ(memo.lines, (std::vector<std::string>{"linha 1", "linha 2"}));
    EXPECT_TRUE(memo.sequence.empty());
    EXPECT_TRUE(readableMemo({}).lines.empty());
}

TEST(ItemMemo, ReadsWhatTheRunWritesAndNothingForAMissingFile)
{
    std::string folder = (std::filesystem::temp_directory_path() / "quintara-memo-XXXXXX").string();
    ASSERT_NE(mkdtemp(folder.data()), nullptr);
    const std::string path = folder + "/00001001.CLC";
    EXPECT_TRUE(readMemoFile(path).empty());
    const std::vector<std::string> lines = {"CONVERSÃO  => Cruzeiro Real", "", "SEQUENCIA"};
    writeMemoFile(path, lines);
    EXPECT_EQ(readMemoFile(path), lines);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "a\nb";  // LF only, no last break
    EXPECT_EQ(readMemoFile(path), (std::vector<std::string>{"a", "b"}));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace quintara
