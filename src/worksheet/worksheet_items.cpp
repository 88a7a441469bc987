#include "worksheet/worksheet_items.h"

#include <optional>
#include <stdexcept>

#include "data/format_text.h"
#include "data/lookups.h"
#include "engine/text_columns.h"

namespace quintara {

namespace {

// The database's default text of a number: shortest form, decimal comma.
std::string numberText(double value)
{
    return formatText("%g", {value});
}

std::string dateText(const foxpro::Table& t, const char* field)
{
    return t.getString(field);
}

std::string yesNo(bool value)
{
    return value ? "SIM" : "NÃO";
}

Amount cellAmount(const WorksheetGrid& grid, int row, int column)
{
    const std::string& text = grid.cell(row, column);
    try {
        return Amount::parse(trimBlanks(text));
    } catch (const std::exception&) {
        throw std::invalid_argument("item " + itemNumberText(row) + ", column \"" +
                                    WorksheetGrid::columnSpecs()[column].title + "\": '" + text +
                                    "' is not a valid number");
    }
}

std::string cellDate(const WorksheetGrid& grid, int row, int column)
{
    const std::string& text = grid.cell(row, column);
    std::optional<Date> date = Date::tryParse(text);
    if (!date || date->isEmpty())
        throw std::invalid_argument("item " + itemNumberText(row) + ", column \"" +
                                    WorksheetGrid::columnSpecs()[column].title + "\": '" + text +
                                    "' is not a valid date");
    return date->toDtos();
}

// The cells of PegaItem's step 3 and the fields they show.
struct CellField {
    int column;
    const char* field;
    enum Kind { Text, Number, DateField } kind;
};

const CellField kLoadedCells[] = {
    {colNumber, "NORDEM", CellField::Text},
    {colOriginDate, "DATADIV", CellField::DateField},
    {colOriginalAmount, "VALORORIG", CellField::Number},
    {colDescription, "DESCRICAO", CellField::Text},
    {colIndexQuantity, "QUANT", CellField::Number},
    {colIndexCode, "INDICE", CellField::Text},
    {colIndexValue, "VALORIND", CellField::Number},
    {colFormCode, "FORMACORR", CellField::Text},
    {colOrdinaryRate, "JORDPER", CellField::Number},
    {colOrdinaryFormula, "JORDTIP", CellField::Text},
    {colOrdinaryStart, "JORDDAT", CellField::DateField},
    {colCompensatoryRate, "JCOMPER", CellField::Number},
    {colCompensatoryFormula, "JCOMTIP", CellField::Text},
    {colCompensatoryStart, "JCOMDAT", CellField::DateField},
    {colFineRate, "MULTAPER", CellField::Number},
    {colCalculationDate, "DATACALC", CellField::DateField},
    {colPrincipal, "VALORPRIN", CellField::Number},
    {colCorrection, "VALORCOR", CellField::Number},
    {colOrdinaryInterest, "VALORJORD", CellField::Number},
    {colCompensatoryInterest, "VALORJCOM", CellField::Number},
    {colFine, "VALORMUL", CellField::Number},
    {colTotal, "VALORTOT", CellField::Number},
    {colFeeRate, "HONOPER", CellField::Number},
    {colFees, "HONOVAL", CellField::Number},
};

}  // namespace

std::string itemNumberText(int item)
{
    std::string digits = std::to_string(item);
    return digits.size() < 3 ? std::string(3 - digits.size(), '0') + digits : digits;
}

int itemNumberOf(const std::string& nordem)
{
    std::string t = trimBlanks(nordem);
    if (t.empty() || t.size() > 3 || t.find_first_not_of("0123456789") != std::string::npos) return 0;
    return std::stoi(t);
}

void PegaItem(DataModule& dm, WorksheetGrid& grid, int row)
{
    foxpro::Table& items = dm.ItensProcesso();
    grid.ensureRow(row);
    // An item counts as calculated when either stored result is not zero: a
    // correction of zero or less (a recent payment, a deflation period) must
    // not turn a calculated item pending and drop it from the totals.
    const bool calculated = items.getNumber("VALORCOR") != 0 || items.getNumber("VALORTOT") != 0;
    grid.setCell(row, colMark, calculated ? "" : "$");
    for (const CellField& c : kLoadedCells) {
        std::string text = c.kind == CellField::Number      ? numberText(items.getNumber(c.field))
                           : c.kind == CellField::DateField ? dateText(items, c.field)
                                                            : items.getString(c.field);
        grid.setCell(row, c.column, text);
    }
    for (int column : {colOrdinaryStart, colCompensatoryStart, colCalculationDate})
        if (grid.cell(row, column).rfind("  /", 0) == 0) grid.setCell(row, column, "");
    grid.setCell(row, colDebtOrPayment, items.getString("SOMA_DED") == "D" ? "DÍVIDA" : "AMORT.");
    grid.setCell(row, colMonthMode, items.getString("CHEIOEXAT") == "C" ? "CHEIO" : "EXATO");
    grid.setCell(row, colConverter, yesNo(items.getLogical("CONVERSOR")));
    grid.setCell(row, colFineOnInterest, yesNo(items.getLogical("MULTAJUR")));
    // An item stored without an origin date has no currency to show.
    const std::string& origin = grid.cell(row, colOriginDate);
    grid.setCell(row, colOriginCurrency, origin.empty() ? std::string() : SiglaDaMoeda(dm, origin));
    foxpro::Table& forms = dm.FormaCorrecao();
    forms.setTag("codigo");
    const std::string& formCode = grid.cell(row, colFormCode);
    if (!formCode.empty() && columnCount(formCode) <= 3 && forms.seek({formCode}))
        grid.setCell(row, colFormText, forms.getString("FORMA_CH"));
}

void GravaItem(WorksheetGrid& grid, int row, const std::string& caseNumber, foxpro::Table& items)
{
    if (row < 1 || row > 999)
        throw std::out_of_range("worksheet row " + std::to_string(row) + " has no item number");
    const std::string origin = cellDate(grid, row, colOriginDate);
    const Amount original = cellAmount(grid, row, colOriginalAmount);
    const Amount quantity = cellAmount(grid, row, colIndexQuantity);
    const Amount indexValue = cellAmount(grid, row, colIndexValue);
    struct Optional {
        const char* field;
        int column;
        bool isDate;
        bool present;
        std::string text;
    };
    auto filled = [&](int column) { return !grid.cell(row, column).empty(); };
    std::vector<Optional> optional = {
        {"JORDPER", colOrdinaryRate, false, filled(colOrdinaryRate), {}},
        {"JORDDAT", colOrdinaryStart, true, filled(colOrdinaryRate), {}},
        {"JCOMPER", colCompensatoryRate, false, filled(colCompensatoryRate), {}},
        {"JCOMDAT", colCompensatoryStart, true, filled(colCompensatoryRate), {}},
        {"MULTAPER", colFineRate, false, filled(colFineRate), {}},
        {"DATACALC", colCalculationDate, true, filled(colCalculationDate), {}},
        {"VALORPRIN", colPrincipal, false, filled(colPrincipal), {}},
        {"VALORCOR", colCorrection, false, filled(colCorrection), {}},
        {"VALORJORD", colOrdinaryInterest, false, filled(colOrdinaryInterest), {}},
        {"VALORJCOM", colCompensatoryInterest, false, filled(colCompensatoryInterest), {}},
        {"VALORMUL", colFine, false, filled(colFine), {}},
        {"VALORTOT", colTotal, false, filled(colTotal), {}},
        {"HONOPER", colFeeRate, false, filled(colFeeRate), {}},
        {"HONOVAL", colFees, false, filled(colFees), {}},
    };
    for (Optional& o : optional)
        if (o.present)
            o.text =
                o.isDate ? cellDate(grid, row, o.column) : cellAmount(grid, row, o.column).toMachineText();

    items.setString("NPROCESSO", caseNumber);
    items.setString("NORDEM", itemNumberText(row));
    items.setString("DATAHORA", "");
    items.setDate("DATADIV", origin);
    items.setNumber("VALORORIG", original.toDouble());
    items.setString("DESCRICAO", grid.cell(row, colDescription));
    items.setString("SOMA_DED", grid.cell(row, colDebtOrPayment) == "DÍVIDA" ? "D" : "S");
    items.setNumber("QUANT", quantity.toDouble());
    items.setString("INDICE", grid.cell(row, colIndexCode));
    items.setNumber("VALORIND", indexValue.toDouble());
    items.setString("CHEIOEXAT", grid.cell(row, colMonthMode) == "CHEIO" ? "C" : "E");
    items.setLogical("CONVERSOR", grid.cell(row, colConverter) == "SIM");
    items.setString("FORMACORR", grid.cell(row, colFormCode));
    items.setString("JORDTIP", grid.cell(row, colOrdinaryFormula));
    items.setString("JCOMTIP", grid.cell(row, colCompensatoryFormula));
    items.setLogical("MULTAJUR", grid.cell(row, colFineOnInterest) == "SIM");
    for (const Optional& o : optional) {
        if (!o.present) continue;
        if (o.isDate)
            items.setDate(o.field, o.text);
        else
            items.setString(o.field, o.text);
    }
}

CaseLoadReport loadCaseItems(DataModule& dm, WorksheetGrid& grid, const std::string& caseNumber)
{
    CaseLoadReport report;
    grid.clearItems();
    if (isBlankText(caseNumber) || columnCount(caseNumber) > 11) return report;
    const std::string wanted = trimRightBlanks(caseNumber);
    foxpro::Table& items = dm.ItensProcesso();
    items.setTag("processo");
    items.seekNearest({caseNumber});
    std::vector<bool> taken;
    for (; !items.eof() && items.getString("NPROCESSO") == wanted; items.next()) {
        std::string nordem = items.getString("NORDEM");
        int item = itemNumberOf(nordem);
        if (item > 0 && item < static_cast<int>(taken.size()) && taken[item]) item = -item;
        if (item <= 0) {
            report.skipped.push_back(
                "item '" + nordem + "' (record " + std::to_string(items.recNo()) +
                (item < 0 ? "): number already used by another item" : "): not a valid item number"));
            continue;
        }
        if (item >= static_cast<int>(taken.size())) taken.resize(item + 1, false);
        taken[item] = true;
        PegaItem(dm, grid, item);
        ++report.loaded;
    }
    return report;
}

}  // namespace quintara
