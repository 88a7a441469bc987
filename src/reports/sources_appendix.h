// The appendix "Fontes dos índices" of a calculation's report: for each index
// the calculation used, its central-bank series, where its values came from,
// when they were imported and the SHA-256 of what was read, so that a court
// expert can check every value against its source.
#pragma once

#include <string>
#include <vector>

#include "reports/report.h"

namespace quintara {
class DataModule;
}

namespace quintara::reports {

// The appendix's text lines, from the sources tables of the data directory;
// each index once, in the order given. An index with no recorded import says so.
std::vector<std::string> sourcesAppendixLines(DataModule& dm, const std::vector<std::string>& codes);

// A detail section printing those lines under the heading "Fontes dos índices",
// widthMm wide, for a report to append after its own sections.
DetailSection sourcesAppendixSection(std::vector<std::string> lines, double widthMm);

}  // namespace quintara::reports
