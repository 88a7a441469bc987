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

// Made on first use, removed with everything in it when the program ends.
class ScratchDir {
public:
    ScratchDir()
    {
        path_ = "/tmp/quintara-fuzz-XXXXXX";
        if (!mkdtemp(path_.data())) std::abort();
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline const std::string& scratchDir()
{
    static const ScratchDir dir;
    return dir.path();
}

inline std::string writeFile(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    std::string path = scratchDir() + "/" + name;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

}  // namespace fuzz
