#include "app/monthly_sheet.h"

#include <stdexcept>

#include "data/format_text.h"

namespace quintara {

int defaultBaseYear(Date today)
{
    return today.month() >= 3 ? today.year() : today.year() - 1;
}

std::vector<std::string> yearList(int currentYear)
{
    std::vector<std::string> years;
    for (int year = 1939; year <= currentYear; ++year) years.push_back(std::to_string(year));
    return years;
}

std::vector<MonthlySheetRow> monthlySheetRows(DataModule& dm)
{
    std::vector<MonthlySheetRow> rows(1);
    bool firstFound = false;
    foxpro::Table& indices = dm.Indices();
    indices.setTag("CODIGO");
    for (indices.first(); !indices.eof(); indices.next()) {
        try {
            if (indices.getString("TBCM_TIP") != "2") continue;
            if (firstFound) rows.emplace_back();
            firstFound = true;
            rows.back().code = indices.getString("TBCM_COD");
        } catch (const std::exception&) {
            // An unreadable catalogue record costs only its code; the sheet goes on.
            rows.back().code.clear();
        }
    }
    indices.first();
    return rows;
}

std::string monthValueText(double value)
{
    return formatText("%g", {value});
}

namespace {

std::string firstTenCharacters(const std::string& text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == 10) return text.substr(0, i);
    }
    return text;
}

// Reads the values of one index from the first month of the base year that has
// a value keyed on its first day; returns the last date read.
Date fillRow(foxpro::Table& values, int baseYear, MonthlySheetRow& row)
{
    const std::string code = firstTenCharacters(row.code);
    Date lastRead;
    for (int month = 1; month <= 12; ++month) {
        if (!values.seek({code, Date(1, month, baseYear).toDtos()})) continue;
        for (; !values.eof() && values.getString("LCM_COD") == code; values.next()) {
            lastRead = Date::fromDtos(values.getDate("LCM_DATA"));
            if (lastRead.isEmpty()) continue;
            // Values are in date order under "coddata": past the base year no
            // later record can fill a cell, so the walk may end there.
            if (lastRead.year() > baseYear) break;
            if (lastRead.year() == baseYear)
                row.months[lastRead.month() - 1] = monthValueText(values.getNumber("LCM_VALOR"));
        }
        break;
    }
    return lastRead;
}

}  // namespace

void fillMonthValues(DataModule& dm, int baseYear, std::vector<MonthlySheetRow>& rows,
                     const SheetProgress& progress)
{
    for (auto& row : rows) row.months.fill({});
    foxpro::Table& values = dm.ValorIndices();
    dm.DisableControls();
    try {
        values.setFilterActive(false);
        values.refresh();
        values.setTag("coddata");
        for (auto& row : rows) {
            Date lastRead = fillRow(values, baseYear, row);
            if (progress) progress(lastRead);
        }
    } catch (const std::exception&) {
        // A failure while reading values is not reported: the sheet keeps the
        // cells filled so far, as a partial view of the year.
    }
    try {
        if (!values.filter().empty()) values.setFilterActive(true);
        values.refresh();
    } catch (const std::exception&) {
        // Restoring the filter cannot fail on an open table; the controls are
        // re-enabled below in any case.
    }
    dm.EnableControls();
}

}  // namespace quintara
