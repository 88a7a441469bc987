// The application's settings store: QSettings("brenvik", "quintara"), where the
// data directory is remembered between runs (keys "status" and "pathdir").
#pragma once

#include <QSettings>

#include "data/settings.h"

namespace quintara {

class QtSettings : public Settings {
public:
    QtSettings();
    std::optional<std::string> value(const std::string& key) const override;
    void setValue(const std::string& key, const std::string& value) override;

private:
    mutable QSettings settings_;
};

// "status" read as an integer; missing or not a number counts as 0.
int settingsStatus(const Settings& settings);

}  // namespace quintara
