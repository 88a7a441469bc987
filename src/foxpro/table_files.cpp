#include "foxpro/table_files.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <utility>

#include "foxpro/error.h"

namespace foxpro {

namespace {

std::string upper(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

std::string baseName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

std::string newCompanionPath(const std::string& dbfPath, const std::string& ext)
{
    std::filesystem::path p(dbfPath);
    const std::string oldExt = p.extension().string();
    const bool lower = !oldExt.empty() && std::islower(static_cast<unsigned char>(oldExt.back()));
    std::string newExt = "." + ext;
    if (lower)
        for (char& c : newExt) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    p.replace_extension(newExt);
    return p.string();
}

std::string findCompanion(const std::string& dbfPath, const std::string& ext)
{
    const std::string preferred = newCompanionPath(dbfPath, ext);
    std::error_code ec;
    if (std::filesystem::is_regular_file(preferred, ec)) return preferred;
    const std::filesystem::path p(dbfPath);
    const std::string wanted = upper(p.stem().string() + "." + ext);
    std::filesystem::path dir = p.parent_path();
    if (dir.empty()) dir = ".";
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        if (upper(entry.path().filename().string()) == wanted && entry.is_regular_file(ec))
            return entry.path().string();
    }
    return "";
}

std::vector<std::string> listTables(const std::string& folder)
{
    std::vector<std::pair<std::string, std::string>> tables;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder, ec);
    if (ec) throw Error(folder, "cannot read the folder: " + ec.message());
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && upper(name.substr(name.size() - 4)) == ".DBF" && entry.is_regular_file(ec))
            tables.emplace_back(upper(name), entry.path().string());
    }
    std::sort(tables.begin(), tables.end());
    std::vector<std::string> paths;
    for (auto& t : tables) paths.push_back(std::move(t.second));
    return paths;
}

std::string findTable(const std::string& folder, const std::string& name)
{
    std::string wanted = upper(name);
    if (wanted.size() < 4 || wanted.substr(wanted.size() - 4) != ".DBF") wanted += ".DBF";
    for (const std::string& path : listTables(folder))
        if (upper(baseName(path)) == wanted) return path;
    throw Error(folder, "there is no table " + name + " in this folder");
}

}  // namespace foxpro
