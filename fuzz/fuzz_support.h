// Shared by the fuzz targets: a private scratch folder per process, files
// written into it, and the one entry point every target defines.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

inline const std::string& scratchDir()
{
    static const std::string dir = [] {
        std::string pattern = "/tmp/quintara-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        std::atexit([] { std::filesystem::remove_all(scratchDir()); });
        return pattern;
    }();
    return dir;
}

inline std::string writeFile(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    std::string path = scratchDir() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

}  // namespace fuzz
