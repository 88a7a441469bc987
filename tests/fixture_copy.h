// The shared fixture folders, seen through a private copy: the first call
// copies data/<folder> of the shared reference data into a scratch folder that
// lives as long as the test process, so no test can open, lock or touch the
// shared files themselves. The copies are writable, whatever the originals are.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

namespace quintaratest {

class FixtureCopies {
public:
    static std::filesystem::path folder(const std::string& name)
    {
        static FixtureCopies copies;
        auto found = copies.folders_.find(name);
        if (found == copies.folders_.end()) found = copies.folders_.emplace(name, copies.copy(name)).first;
        return found->second;
    }

    // The shared original, for comparing a copy with it (read it, never open it as a table).
    static std::filesystem::path original(const std::string& name)
    {
        return std::filesystem::path(QUINTARA_SHARED_DIR) / "data" / name;
    }

private:
    FixtureCopies()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "quintara-fixtures-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a scratch folder for the fixtures");
        root_ = pattern;
    }
    ~FixtureCopies()
    {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }

    std::filesystem::path copy(const std::string& name) const
    {
        namespace fs = std::filesystem;
        const fs::path to = root_ / name;
        fs::create_directories(to);
        for (const auto& entry : fs::directory_iterator(original(name))) {
            if (!entry.is_regular_file()) continue;
            const fs::path target = to / entry.path().filename();
            fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
            fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                        fs::perms::others_read);
        }
        return to;
    }

    std::filesystem::path root_;
    std::map<std::string, std::filesystem::path> folders_;
};

}  // namespace quintaratest
