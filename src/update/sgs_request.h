// The requests of the central bank's time-series service (SGS): the address
// of one series between two dates, and the split of a long period into the
// pieces the service accepts (daily series: at most ten years a request).
#pragma once

#include <string>
#include <vector>

#include "data/date.h"

namespace quintara {

// The service's address without the series part; QUINTARA_SGS_URL, when
// set, replaces the central bank's own (tests point it at a local server).
std::string defaultSgsBase();

struct DateRange {
    Date from;
    Date to;
};

// base + "/bcdata.sgs.<series>/dados?formato=json&dataInicial=dd/mm/yyyy&dataFinal=dd/mm/yyyy"
std::string sgsAddress(const std::string& base, const std::string& series, const DateRange& range);

// The period [from, to] as consecutive pieces without gap or overlap: one
// piece for a monthly series, pieces of at most ten years for a daily one.
// Empty when to is before from.
std::vector<DateRange> splitPeriod(const DateRange& period, bool daily);

}  // namespace quintara
