// Settings: the per-user store of the data-directory location (keys "status"
// and "pathdir"). The application backs it with QSettings; tests use the
// in-memory map below so that nothing touches the real store.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace quintara {

class Settings {
public:
    virtual ~Settings() = default;
    virtual std::optional<std::string> value(const std::string& key) const = 0;
    virtual void setValue(const std::string& key, const std::string& value) = 0;
};

class MemorySettings : public Settings {
public:
    std::optional<std::string> value(const std::string& key) const override
    {
        auto it = values_.find(key);
        if (it == values_.end()) return std::nullopt;
        return it->second;
    }
    void setValue(const std::string& key, const std::string& value) override { values_[key] = value; }
    const std::map<std::string, std::string>& values() const { return values_; }

private:
    std::map<std::string, std::string> values_;
};

}  // namespace quintara
