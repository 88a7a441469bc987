// The settings store of a run started with --data DIR: the data directory
// reads as DIR until something is written; a write (a folder confirmed in the
// options, a folder chosen at start-up) saves the entry in the underlying
// store, as on any other run.
#pragma once

#include <map>
#include <memory>

#include "data/settings.h"

namespace quintara {

class RunFolderSettings : public Settings {
public:
    // folder ends with "/".
    RunFolderSettings(std::unique_ptr<Settings> stored, const std::string& folder);

    std::optional<std::string> value(const std::string& key) const override;
    void setValue(const std::string& key, const std::string& value) override;

    Settings& stored() { return *stored_; }

private:
    std::unique_ptr<Settings> stored_;
    std::map<std::string, std::string> thisRun_;
};

}  // namespace quintara
