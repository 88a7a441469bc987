// Recorded central-bank series for the test server: the real series files
// of the shared data folder, answered the way the series service answers
// (JSON with a decimal point, 404 for a period without values, 400 for a
// daily series asked for more than ten years).
#pragma once

#include <algorithm>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "data/data_test_support.h"
#include "data/date.h"
#include "update/sgs_test_server.h"

namespace quintara::testing {

struct RecordedValue {
    Date date;
    std::string value;  // decimal point
};

// The values of a file of the shared series folder ("data;valor" CSV).
inline std::vector<RecordedValue> recordedSeries(const std::string& file)
{
    std::ifstream in(sharedDir() + "/data/series/" + file);
    std::vector<RecordedValue> values;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::size_t semicolon = line.find(';');
        std::string value = line.substr(semicolon + 1);
        for (char& c : value)
            if (c == ',') c = '.';
        values.push_back({Date::parse(line.substr(0, semicolon)), value});
    }
    return values;
}

inline std::string jsonOf(const std::vector<RecordedValue>& values)
{
    std::string json = "[";
    for (const RecordedValue& v : values) {
        if (json.size() > 1) json += ",";
        json += "{\"data\":\"" + v.date.toString() + "\",\"valor\":\"" + v.value + "\"}";
    }
    return json + "]";
}

// A service holding some series by number.
class RecordedService {
public:
    void add(const std::string& series, std::vector<RecordedValue> values, bool daily)
    {
        series_[series] = {std::move(values), daily};
    }

    Answer answer(const std::string& target) const
    {
        // /dados/serie/bcdata.sgs.<N>/dados?formato=json&dataInicial=..&dataFinal=..
        std::size_t at = target.find("bcdata.sgs.");
        std::size_t slash = target.find('/', at);
        if (at == std::string::npos || slash == std::string::npos) return {404, "{}"};
        auto found = series_.find(target.substr(at + 11, slash - at - 11));
        if (found == series_.end()) return {404, R"({"error":"series not found"})"};
        Date from = Date::parse(parameter(target, "dataInicial"));
        Date to = Date::parse(parameter(target, "dataFinal"));
        const auto& [values, daily] = found->second;
        const int year = from.year() + 10;
        if (daily &&
            Date(std::min(from.day(), Date::daysInMonth(from.month(), year)), from.month(), year) <= to)
            return {400, R"({"error":"O sistema aceita uma janela de consulta de, no máximo, 10 anos"})"};
        std::vector<RecordedValue> inside;
        for (const RecordedValue& v : values)
            if (from <= v.date && v.date <= to) inside.push_back(v);
        if (inside.empty()) return {404, R"({"error":"Value(s) not found"})"};
        return {200, jsonOf(inside)};
    }

private:
    static std::string parameter(const std::string& target, const std::string& name)
    {
        std::size_t at = target.find(name + "=");
        std::size_t end = target.find('&', at);
        return target.substr(at + name.size() + 1,
                             end == std::string::npos ? end : end - at - name.size() - 1);
    }

    std::map<std::string, std::pair<std::vector<RecordedValue>, bool>> series_;
};

}  // namespace quintara::testing
