#include "app/permissions.h"

namespace quintara {

bool Tempermissao(const std::string& permissions, std::string_view code)
{
    std::string key(code);
    key += '_';
    return permissions.find(key) != std::string::npos;
}

void poepermissao(std::string& permissions, std::string_view code)
{
    if (permissions.find(code) != std::string::npos) return;
    std::string added(code);
    added += '_';
    if (permissions.size() + added.size() > kMaxPermissionLength) return;
    permissions += added;
}

void tirapermissao(std::string& permissions, std::string_view code)
{
    std::string key(code);
    key += '_';
    for (auto pos = permissions.find(key); pos != std::string::npos; pos = permissions.find(key, pos))
        permissions.erase(pos, key.size());
}

}  // namespace quintara
