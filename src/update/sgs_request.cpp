#include "update/sgs_request.h"

#include <algorithm>
#include <cstdlib>

namespace quintara {

namespace {

constexpr const char* kCentralBank = "https://api.bcb.gov.br/dados/serie";

// The last day of the ten-year piece that starts on `from`.
Date tenYearsOn(Date from)
{
    const int year = from.year() + 10;
    const int day = std::min(from.day(), Date::daysInMonth(from.month(), year));
    return Date(day, from.month(), year).addDays(-1);
}

}  // namespace

std::string defaultSgsBase()
{
    if (const char* env = std::getenv("QUINTARA_SGS_URL"); env && *env) {
        std::string base = env;
        while (!base.empty() && base.back() == '/') base.pop_back();
        return base;
    }
    return kCentralBank;
}

std::string sgsAddress(const std::string& base, const std::string& series, const DateRange& range)
{
    return base + "/bcdata.sgs." + series + "/dados?formato=json&dataInicial=" + range.from.toString() +
           "&dataFinal=" + range.to.toString();
}

std::vector<DateRange> splitPeriod(const DateRange& period, bool daily)
{
    std::vector<DateRange> pieces;
    if (period.from.isEmpty() || period.to.isEmpty() || period.to < period.from) return pieces;
    if (!daily) return {period};
    for (Date from = period.from; !(period.to < from);) {
        Date to = std::min(tenYearsOn(from), period.to);
        pieces.push_back({from, to});
        from = to.addDays(1);
    }
    return pieces;
}

}  // namespace quintara
