#include "engine/memo_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "foxpro/codepage.h"

namespace quintara {

namespace {

bool isAscii(char c)
{
    return static_cast<unsigned char>(c) < 0x80;
}

// ASCII text is the same in both encodings and is copied as it is; only the
// runs of other characters go through the conversion.
void appendCp1252(std::string& bytes, std::string_view line)
{
    std::size_t pos = 0;
    while (pos < line.size()) {
        std::size_t end = pos;
        while (end < line.size() && isAscii(line[end])) ++end;
        bytes.append(line, pos, end - pos);
        pos = end;
        while (end < line.size() && !isAscii(line[end])) ++end;
        if (end > pos) bytes += foxpro::toCp1252(line.substr(pos, end - pos));
        pos = end;
    }
}

}  // namespace

std::string memoFileBytes(const std::vector<std::string>& lines)
{
    std::size_t size = 0;
    for (const std::string& line : lines) size += line.size() + 2;
    std::string bytes;
    bytes.reserve(size);
    for (const std::string& line : lines) {
        appendCp1252(bytes, line);
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
