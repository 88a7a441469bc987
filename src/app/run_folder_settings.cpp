#include "app/run_folder_settings.h"

namespace quintara {

RunFolderSettings::RunFolderSettings(std::unique_ptr<Settings> stored, const std::string& folder)
    : stored_(std::move(stored)), thisRun_{{"status", "1"}, {"pathdir", folder}}
{
}

std::optional<std::string> RunFolderSettings::value(const std::string& key) const
{
    const auto it = thisRun_.find(key);
    if (it != thisRun_.end()) return it->second;
    return stored_->value(key);
}

void RunFolderSettings::setValue(const std::string& key, const std::string& value)
{
    // The entry is saved whole, as this run reads it: a confirmed folder
    // ("pathdir" alone) is saved together with the "status" that makes the
    // next start use it. From then on the store answers.
    thisRun_[key] = value;
    for (const auto& [name, text] : thisRun_) stored_->setValue(name, text);
    thisRun_.clear();
}

}  // namespace quintara
