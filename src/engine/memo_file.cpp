#include "engine/memo_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "foxpro/codepage.h"

namespace quintara {

std::string memoFileBytes(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += foxpro::toCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

void writeMemoFile(const std::string& path, const std::vector<std::string>& lines)
{
    const std::string bytes = memoFileBytes(lines);
    const std::string partial = path + ".tmp";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(partial, ignored);
            throw std::runtime_error("cannot write the calculation memo file " + path);
        }
    }
    std::error_code ec;
    std::filesystem::rename(partial, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        throw std::runtime_error("cannot write the calculation memo file " + path + ": " + ec.message());
    }
}

}  // namespace quintara
