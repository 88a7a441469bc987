#include "worksheet/item_memo.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "engine/text_columns.h"
#include "foxpro/codepage.h"

namespace quintara {

std::vector<std::string> readMemoFile(const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("Não foi possível ler o arquivo " + path);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    std::string line;
    for (char c : bytes) {
        if (c == '\r') continue;
        if (c == '\n') {
            lines.push_back(foxpro::toUtf8(line));
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(foxpro::toUtf8(line));
    return lines;
}

std::string sequenceListLine(const std::string& line)
{
    return columns(line, 1, 10) + "  " + columns(line, 11, 10) + " até " + columns(line, 21, 10);
}

ItemMemo readableMemo(const std::vector<std::string>& memoLines)
{
    ItemMemo memo;
    std::size_t i = 0;
    for (; i < memoLines.size(); ++i) {
        const std::string& line = memoLines[i];
        if (line.find("SEQUENCIA") != std::string::npos) break;
        if (line.find("Info") == std::string::npos && line.find("Erro") == std::string::npos)
            memo.lines.push_back(line);
    }
    for (++i; i < memoLines.size() && !isBlankText(memoLines[i]); ++i)
        memo.sequence.push_back(sequenceListLine(memoLines[i]));
    return memo;
}

}  // namespace quintara
