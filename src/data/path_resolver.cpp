#include "data/path_resolver.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace quintara {

namespace {

std::string lowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The entry of folder named part, ignoring case; empty when there is none.
std::string matchingEntry(const std::string& folder, const std::string& part)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(folder + part, ec)) return part;
    const std::string wanted = lowerAscii(part);
    std::string found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        // Of several case variants, the first in name order, so the choice
        // does not depend on the order the file system lists them in.
        if (lowerAscii(name) == wanted && (found.empty() || name < found)) found = name;
    }
    return found;
}

}  // namespace

std::string resolvePathIgnoringCase(const std::string& folder, const std::string& relative)
{
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    bool matching = true;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t slash = relative.find('/', start);
        if (slash == std::string::npos) slash = relative.size();
        const std::string part = relative.substr(start, slash - start);
        if (!part.empty()) {
            std::string entry;
            if (matching) entry = matchingEntry(path, part);
            if (entry.empty()) {
                matching = false;
                entry = part;
            }
            path += entry;
            if (slash < relative.size()) path += '/';
        }
        start = slash + 1;
    }
    return path;
}

}  // namespace quintara
