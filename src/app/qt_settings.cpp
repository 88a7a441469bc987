#include "app/qt_settings.h"

#include <charconv>

namespace quintara {

QtSettings::QtSettings() : settings_(QStringLiteral("brenvik"), QStringLiteral("quintara")) {}

std::optional<std::string> QtSettings::value(const std::string& key) const
{
    const QString name = QString::fromStdString(key);
    if (!settings_.contains(name)) return std::nullopt;
    return settings_.value(name).toString().toStdString();
}

void QtSettings::setValue(const std::string& key, const std::string& value)
{
    settings_.setValue(QString::fromStdString(key), QString::fromStdString(value));
    settings_.sync();
}

int settingsStatus(const Settings& settings)
{
    const auto text = settings.value("status");
    if (!text) return 0;
    int status = 0;
    const char* end = text->data() + text->size();
    auto [ptr, ec] = std::from_chars(text->data(), end, status);
    return (ec == std::errc() && ptr == end) ? status : 0;
}

}  // namespace quintara
