// Files of the data directory found by name without regard to letter case:
// the calculation memo files ("<case><item>.CLC") and the 360-day marker.
// A case number is typed by a person and often holds a slash ("123/2024"),
// so it is made safe before it becomes part of a file name.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <vector>

#include "data/data_module.h"
#include "data/data_module_impl.h"

namespace quintara {

namespace {

std::string lowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimBlanks(const std::string& text)
{
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

// The case number as it stands in a memo file name. Path separators would
// send the file into another folder, so they (and "%", to keep the mapping
// one-to-one) are written as "%" and two hex digits: "123/2024" gives
// "123%2F2024". Case numbers without them keep their name unchanged.
std::string caseFileStem(const std::string& trimmed)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string stem;
    for (char c : trimmed) {
        if (c == '/' || c == '\\' || c == '%') {
            const auto byte = static_cast<unsigned char>(c);
            stem += '%';
            stem += hex[byte >> 4];
            stem += hex[byte & 0x0F];
        } else {
            stem += c;
        }
    }
    return stem;
}

// Names with more ASCII letters than this are found by listing the folder.
constexpr std::size_t kMaxVariantLetters = 6;

// Tries every letter-case spelling of `name` (ASCII letters only) with one
// status call each: far cheaper than listing a folder that holds thousands
// of memo files, as long as the name has few letters. Gives the name as
// asked when no spelling exists, and nothing when it has too many letters.
std::optional<std::string> findCaseVariant(const std::string& folder, const std::string& name)
{
    std::vector<std::size_t> letters;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (std::isalpha(static_cast<unsigned char>(name[i]))) letters.push_back(i);
    if (letters.size() > kMaxVariantLetters) return std::nullopt;
    std::string variant = lowerAscii(name);
    std::error_code ec;
    for (unsigned mask = 0; mask < (1u << letters.size()); ++mask) {
        for (std::size_t bit = 0; bit < letters.size(); ++bit) {
            const auto c = static_cast<unsigned char>(variant[letters[bit]]);
            variant[letters[bit]] = static_cast<char>((mask >> bit) & 1u ? std::toupper(c) : std::tolower(c));
        }
        if (std::filesystem::is_regular_file(folder + variant, ec)) return folder + variant;
    }
    return folder + name;
}

}  // namespace

std::string findFileIgnoringCase(const std::string& folder, const std::string& name)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_regular_file(folder + name, ec)) return folder + name;
    if (std::optional<std::string> found = findCaseVariant(folder, name)) return *found;
    const std::string wanted = lowerAscii(name);
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (lowerAscii(entry) == wanted && it->is_regular_file(ec)) return folder + entry;
    }
    return folder + name;
}

std::string DataModule::memoFilePath(const std::string& caseNumber, int item) const
{
    const std::string trimmed = trimBlanks(caseNumber);
    if (trimmed.empty()) throw std::invalid_argument("empty case number: no memo file name can be formed");
    if (trimmed.find('\0') != std::string::npos)
        throw std::invalid_argument("case number holds a NUL character: no memo file name can be formed");
    if (item < 0) throw std::invalid_argument("negative item number " + std::to_string(item));
    std::string number = std::to_string(item);
    if (number.size() < 3) number.insert(0, 3 - number.size(), '0');
    return findFileIgnoringCase(tablesDir(), caseFileStem(trimmed) + number + ".CLC");
}

bool DataModule::uses360DayYear() const
{
    std::error_code ec;
    return std::filesystem::is_regular_file(findFileIgnoringCase(tablesDir(), "D360.TXT"), ec);
}

}  // namespace quintara
