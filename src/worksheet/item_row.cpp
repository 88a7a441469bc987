#include "worksheet/item_row.h"

#include <optional>
#include <stdexcept>

#include "engine/engine_dates.h"
#include "engine/text_columns.h"

namespace quintara {

namespace {

Amount requiredCellAmount(const WorksheetGrid& grid, int row, int column)
{
    const std::string& text = grid.cell(row, column);
    try {
        return Amount::parse(trimBlanks(text));
    } catch (const std::exception&) {
        throw std::invalid_argument("'" + text + "' is not a valid floating point value");
    }
}

Date startDate(const WorksheetGrid& grid, int row, int column, Date origin)
{
    std::optional<Date> date = Date::tryParse(grid.cell(row, column));
    return date && !date->isEmpty() ? *date : origin;
}

}  // namespace

Amount gridRate(const std::string& cellText)
{
    const std::string text = trimBlanks(cellText);
    if (text.empty()) return Amount();  // the usual empty cell, without an exception
    try {
        return Amount::parse(text);
    } catch (const std::exception&) {
        return Amount();
    }
}

ItemParameters readItemParameters(const WorksheetGrid& grid, int row)
{
    ItemParameters p;
    p.origin = engineDate(grid.cell(row, colOriginDate));
    p.amount = requiredCellAmount(grid, row, colOriginalAmount);
    p.fullMonth = grid.cell(row, colMonthMode) == "CHEIO";
    p.ordinaryRate = gridRate(grid.cell(row, colOrdinaryRate));
    p.compensatoryRate = gridRate(grid.cell(row, colCompensatoryRate));
    p.fineRate = gridRate(grid.cell(row, colFineRate));
    p.fineOnInterest = grid.cell(row, colFineOnInterest) == "SIM";
    p.converter = grid.cell(row, colConverter) == "SIM";
    p.ordinaryFormula = parseInteger(grid.cell(row, colOrdinaryFormula));
    p.compensatoryFormula = parseInteger(grid.cell(row, colCompensatoryFormula));
    p.ordinaryStart =
        p.ordinaryRate > Amount() ? startDate(grid, row, colOrdinaryStart, p.origin) : zeroDate();
    p.compensatoryStart =
        p.compensatoryRate > Amount() ? startDate(grid, row, colCompensatoryStart, p.origin) : zeroDate();
    p.formCode = grid.cell(row, colFormCode);
    p.feeRate = gridRate(grid.cell(row, colFeeRate));
    return p;
}

}  // namespace quintara
