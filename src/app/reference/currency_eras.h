// The record work behind the currencies window: the eras of DST_MOED in date
// order with their period texts, the protection of the historical eras, the
// exclusive pack, and the folder of an era's pictures. No widgets here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/data_module.h"

namespace quintara {

struct CurrencyEra {
    std::uint32_t recNo = 0;
    Date date;
    std::string symbol;      // VGM_SIGLA; an era without one is not shown
    std::string name;        // VGM_NOME
    std::string pluralName;  // VGM_NOMEPL
    double conversion = 0;   // VGM_CONV
    std::string history;     // VGM_HIST
    std::string period;      // "até 28/02/1986", "... ate ...", "... em diante ...."
};

// Every record of DST_MOED in date order (tag "odata"), those without a
// symbol included. Periods are numbered by position in that order: the first
// is "até " + its date, the last its date + " em diante ....", any other its
// date + " ate " + the day before the next era's date.
std::vector<CurrencyEra> readEras(DataModule& dm);

// Eras before 1994 and the one starting 01/07/1994 are never deleted.
bool isHistoricalEra(Date date);

// The latest start date stored (the empty date for an empty table).
Date latestEraDate(DataModule& dm);

// Drops deleted records of DST_MOED and rebuilds its tags with the table
// opened exclusively; the data module's copy is closed for it and reopened
// afterwards. Throws foxpro::Error with the engine's text.
void packCurrencies(DataModule& dm);

// The picture folder of an era, "img/<name> <year>" under the data directory
// matched without regard to letter case; nothing when the name would lead
// out of that folder (a path separator, "." or "..").
std::optional<std::string> eraPictureFolder(DataModule& dm, const std::string& name, int year);

}  // namespace quintara
