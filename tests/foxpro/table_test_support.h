// Test helpers for the table-layer tests: a scratch folder removed at the
// end, writable copies of the fixture tables, and whole-file reads.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "fixture_copy.h"

namespace tabletest {

namespace fs = std::filesystem;

inline fs::path fixtureDir(const std::string& folder = "foxpro")
{
    return quintaratest::FixtureCopies::folder(folder);
}

inline std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void writeBytes(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

class ScratchDir {
public:
    ScratchDir()
    {
        std::string pattern = (fs::temp_directory_path() / "quintara-table-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch folder");
        path_ = pattern;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const fs::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    // Copies the DBF, CDX and FPT of one fixture table, writable.
    std::string copyTable(const std::string& stem, const std::string& folder = "foxpro") const
    {
        for (const char* ext : {".DBF", ".CDX", ".FPT"}) {
            const fs::path from = fixtureDir(folder) / (stem + ext);
            if (!fs::exists(from)) continue;
            const fs::path to = path_ / (stem + ext);
            fs::copy_file(from, to, fs::copy_options::overwrite_existing);
            fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write);
        }
        return file(stem + ".DBF");
    }

private:
    fs::path path_;
};

}  // namespace tabletest
