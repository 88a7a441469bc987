#include "data/data_rules.h"

#include <cctype>
#include <map>
#include <utility>

#include "data/date.h"
#include "foxpro/table_files.h"

namespace quintara {

namespace {

constexpr std::size_t kMostReported = 100;

std::string upper(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A date stored twice for one index: the walk of a calculation would apply
// both values.
std::vector<std::string> repeatedIndexDates(foxpro::Table& t)
{
    t.setTag("");
    t.setFilterActive(false);
    std::map<std::pair<std::string, std::string>, std::vector<std::uint32_t>> records;
    for (t.first(); !t.eof(); t.next())
        records[{t.getString("LCM_COD"), t.getDate("LCM_DATA")}].push_back(t.recNo());
    std::vector<std::string> problems;
    std::size_t repeated = 0;
    for (const auto& [key, recnos] : records) {
        if (recnos.size() < 2) continue;
        if (++repeated > kMostReported) continue;
        std::string line =
            "index " + key.first + ": " +
            (key.second.empty() ? std::string("an empty date") : Date::fromDtos(key.second).toString()) +
            " is stored " + std::to_string(recnos.size()) + " times (records";
        for (std::size_t i = 0; i < recnos.size(); ++i) line += (i ? ", " : " ") + std::to_string(recnos[i]);
        problems.push_back(line + ")");
    }
    if (repeated > kMostReported)
        problems.push_back(std::to_string(repeated - kMostReported) +
                           " more dates of indices are stored twice");
    return problems;
}

}  // namespace

std::vector<std::string> dataRuleProblems(foxpro::Table& table)
{
    if (upper(foxpro::baseName(table.path())) == "DST_LCM1.DBF") return repeatedIndexDates(table);
    return {};
}

}  // namespace quintara
