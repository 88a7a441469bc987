// Helpers of the data-layer tests: a temporary folder removed afterwards, a
// copy of the fixture tables to work on, and a new empty data directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "data/data_module.h"
#include "data/seed_data.h"

namespace quintara::testing {

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("quintara-data-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the data module writes it: ending with "/".
    std::string folder() const { return path_.string() + "/"; }
    std::string sub(const std::string& name) const
    {
        std::filesystem::create_directories(path_ / name);
        return (path_ / name).string() + "/";
    }

private:
    std::filesystem::path path_;
};

inline std::string sharedDir()
{
    return QUINTARA_SHARED_DIR;
}
inline std::string sourceDir()
{
    return QUINTARA_SOURCE_DIR;
}

// Copies the fixture tables into folder (they are never written in place).
inline void copyFixtures(const std::string& folder, const std::string& set = "foxpro")
{
    for (const auto& entry : std::filesystem::directory_iterator(sharedDir() + "/data/" + set))
        std::filesystem::copy_file(entry.path(), folder + entry.path().filename().string());
}

inline void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// A new data directory with empty tables; the seed files named (e.g.
// "moedas.txt") are loaded from the project's seed folder.
inline void makeDataDirectory(const std::string& folder, const std::vector<std::string>& seedFiles = {})
{
    createDataDirectory(folder, "<html></html>");
    if (seedFiles.empty()) return;
    auto dm = DataModule::openFolder(folder);
    for (const std::string& name : seedFiles) {
        std::ifstream in(sourceDir() + "/seed/" + name, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        writeSeed(*dm, parseSeed(text, name));
    }
}

}  // namespace quintara::testing
