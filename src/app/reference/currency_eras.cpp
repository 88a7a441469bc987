#include "app/reference/currency_eras.h"

#include "data/path_resolver.h"
#include "engine/text_columns.h"

namespace quintara {

std::vector<CurrencyEra> readEras(DataModule& dm)
{
    foxpro::Table& t = dm.Moeda();
    t.setTag("odata");
    std::vector<CurrencyEra> eras;
    for (t.first(); !t.eof(); t.next()) {
        CurrencyEra era;
        era.recNo = t.recNo();
        era.date = Date::fromDtos(t.getDate("VGM_DATA"));
        era.symbol = t.getString("VGM_SIGLA");
        era.name = t.getString("VGM_NOME");
        era.pluralName = t.getString("VGM_NOMEPL");
        era.conversion = t.getNumber("VGM_CONV");
        era.history = t.getMemo("VGM_HIST");
        eras.push_back(std::move(era));
    }
    for (std::size_t i = 0; i < eras.size(); ++i) {
        CurrencyEra& era = eras[i];
        if (i == 0) {
            // The oldest era may have no start date; it then runs until the next one begins.
            const bool open = era.date.isEmpty() && eras.size() > 1 && !eras[1].date.isEmpty();
            era.period = "até " + (open ? eras[1].date.addDays(-1) : era.date).toString();
        } else if (i + 1 == eras.size()) {
            era.period = era.date.toString() + " em diante ....";
        } else {
            const Date next = eras[i + 1].date;
            era.period =
                era.date.toString() + " ate " + (next.isEmpty() ? next : next.addDays(-1)).toString();
        }
    }
    return eras;
}

bool isHistoricalEra(Date date)
{
    // An era without a start date is the oldest of all.
    return date.isEmpty() || date.year() < 1994 || date == Date(1, 7, 1994);
}

Date latestEraDate(DataModule& dm)
{
    foxpro::Table& t = dm.Moeda();
    t.setTag("odata");
    t.last();
    return t.eof() ? Date() : Date::fromDtos(t.getDate("VGM_DATA"));
}

void packCurrencies(DataModule& dm)
{
    const std::string path = dm.Moeda().path();
    dm.closeTable(TableId::Moeda);
    dm.DisableControls();
    try {
        foxpro::Table exclusive(path, foxpro::OpenMode::Exclusive);
        exclusive.pack();
        exclusive.close();
    } catch (...) {
        dm.EnableControls();
        dm.Moeda();
        throw;
    }
    dm.EnableControls();
    dm.Moeda();
}

std::optional<std::string> eraPictureFolder(DataModule& dm, const std::string& name, int year)
{
    const std::string trimmed = trimBlanks(name);
    if (trimmed.empty() || trimmed == "." || trimmed == ".." ||
        trimmed.find_first_of("/\\") != std::string::npos)
        return std::nullopt;
    return resolvePathIgnoringCase(dm.dataDir(), "img/" + trimmed + " " + std::to_string(year) + "/");
}

}  // namespace quintara
