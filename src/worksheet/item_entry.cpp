#include "worksheet/item_entry.h"

#include "data/date_routines.h"
#include "data/format_text.h"
#include "data/lookups.h"
#include "engine/text_columns.h"
#include "foxpro/codepage.h"
#include "worksheet/worksheet_items.h"

namespace quintara {

namespace {

using Field = ItemEntryRefused::Field;

constexpr std::size_t kDescriptionWidth = 60;  // PITCALCU.DESCRICAO

const char* const kOriginDateRefused = "Data Origem inválida ! Informe uma data completa (dd/mm/aaaa).";
const char* const kOrdinaryStartRefused =
    "Data de início dos juros ordinários inválida ! Informe uma data completa (dd/mm/aaaa) ou zere a taxa.";
const char* const kCompensatoryStartRefused =
    "Data de início dos juros compensatórios inválida ! Informe uma data completa (dd/mm/aaaa) ou zere a "
    "taxa.";

std::string dateText(const std::string& typed)
{
    return Date::parse(trimBlanks(typed)).toString();
}

// A start date as stored: the typed date, or, for an item without that rate,
// the origin date when none was typed (the record needs a date there).
std::string startText(const std::string& typed, Amount rate, const std::string& origin)
{
    if (IsValidDateText(typed)) return dateText(typed);
    if (rate > Amount()) throw std::logic_error("start date not checked");
    return dateText(origin);
}

std::string rateCell(Amount rate)
{
    return formatText("%11.6f", {rate > Amount() ? rate : Amount()});
}

std::string moneyCell(Amount amount)
{
    return formatText("%19.2f", {amount});
}

bool formRegistered(DataModule& dm, const std::string& code)
{
    foxpro::Table& forms = dm.FormaCorrecao();
    forms.setTag("codigo");
    return columnCount(code) <= 3 && forms.seek({code});
}

// The cells a new and a changed item share.
void writeEntryCells(DataModule& dm, WorksheetGrid& grid, int row, const ItemEntry& e)
{
    auto set = [&](int column, std::string text) { grid.setCell(row, column, std::move(text)); };
    const std::string origin = dateText(e.originDate);
    const bool quantified = e.quantity > Amount();
    set(colMark, "$");
    set(colNumber, itemNumberText(row));
    set(colDescription, e.description);
    set(colOriginDate, origin);
    set(colOriginalAmount, moneyCell(e.originalAmount));
    set(colFormText, e.formText);
    set(colMonthMode, e.fullMonth ? "CHEIO" : "EXATO");
    for (int column : {colCorrection, colOrdinaryInterest, colCompensatoryInterest, colFine, colTotal})
        set(column, moneyCell(Amount()));
    set(colFineOnInterest, e.fineOnInterest ? "SIM" : "NÃO");
    set(colDebtOrPayment, e.payment ? "AMORT." : "DÍVIDA");
    set(colCalculationDate, "");
    set(colConverter, e.converter ? "SIM" : "NÃO");
    set(colOriginCurrency, e.originCurrency.empty() ? SiglaDaMoeda(dm, origin) : e.originCurrency);
    set(colIndexValue, quantified ? plainAmountText(e.indexValue) : moneyCell(Amount()));
    set(colIndexCode, e.indexCode);
    set(colIndexQuantity, quantified ? plainAmountText(e.quantity) : moneyCell(Amount()));
    set(colOrdinaryFormula, std::to_string(e.ordinaryFormula));
    set(colCompensatoryFormula, std::to_string(e.compensatoryFormula));
    set(colOrdinaryStart, startText(e.ordinaryStart, e.ordinaryRate, e.originDate));
    set(colCompensatoryStart, startText(e.compensatoryStart, e.compensatoryRate, e.originDate));
    set(colFormCode, e.formCode);
    set(colFees, formatText("%15.2f", {Amount()}));
}

// Runs `store` on the record after the row was written; any failure puts the
// row back as it was and drops the pending record change.
template <class Store>
void storeRow(WorksheetGrid& grid, int row, const WorksheetGrid::Row& before, foxpro::Table& items,
              Store&& store)
{
    try {
        store();
    } catch (...) {
        if (items.editing()) items.cancel();
        for (int column = 0; column < WorksheetGrid::kColumns; ++column)
            grid.setCell(row, column, before[column]);
        throw;
    }
}

void checkRow(int row)
{
    if (row < 1 || row > 999)
        throw ItemEntryRefused(Field::Row, "A planilha de cálculos comporta no máximo 999 itens.");
}

Amount cellNumber(const std::string& text)
{
    try {
        return Amount::parse(trimBlanks(text));
    } catch (const std::exception&) {
        return Amount();
    }
}

}  // namespace

std::optional<ItemEntryRefused> checkItemEntry(DataModule& dm, const ItemEntry& e)
{
    if (!IsValidDateText(e.originDate)) return ItemEntryRefused(Field::OriginDate, kOriginDateRefused);
    if (e.ordinaryRate > Amount() && !IsValidDateText(e.ordinaryStart))
        return ItemEntryRefused(Field::OrdinaryStart, kOrdinaryStartRefused);
    if (e.compensatoryRate > Amount() && !IsValidDateText(e.compensatoryStart))
        return ItemEntryRefused(Field::CompensatoryStart, kCompensatoryStartRefused);
    if (isBlankText(e.formCode)) return ItemEntryRefused(Field::Form, "Escolha a Forma de Correção do item.");
    if (!formRegistered(dm, e.formCode))
        return ItemEntryRefused(Field::Form, "A Forma de Correção '" + e.formCode + "' não está cadastrada.");
    if (foxpro::utf8Length(e.description) > kDescriptionWidth)
        return ItemEntryRefused(Field::Description, "A descrição do título tem mais de 60 caracteres.");
    return std::nullopt;
}

std::optional<IndexConversion> convertIndexQuantity(DataModule& dm, Amount quantity,
                                                    const std::string& indexCode, Date origin)
{
    if (!(quantity > Amount()) || origin.isEmpty()) return std::nullopt;
    IndexConversion c;
    c.amount = ConverteValorIndice(dm, quantity, indexCode, false, origin);
    c.indexValue = ValorDoIndice(dm, indexCode, false, origin);
    return c;
}

std::string plainAmountText(Amount amount)
{
    std::string text = amount.toText(4);
    while (text.back() == '0') text.pop_back();
    if (text.back() == ',') text.pop_back();
    return text == "-0" ? "0" : text;
}

void storeNewItem(DataModule& dm, WorksheetGrid& grid, const std::string& caseNumber, int row,
                  const ItemEntry& entry)
{
    checkRow(row);
    if (std::optional<ItemEntryRefused> refused = checkItemEntry(dm, entry)) throw *refused;
    grid.ensureRow(row);
    const WorksheetGrid::Row before = grid.row(row);
    foxpro::Table& items = dm.ItensProcesso();
    storeRow(grid, row, before, items, [&] {
        writeEntryCells(dm, grid, row, entry);
        grid.setCell(row, colPrincipal, "");
        grid.setCell(row, colOrdinaryRate, rateCell(entry.ordinaryRate));
        grid.setCell(row, colCompensatoryRate, rateCell(entry.compensatoryRate));
        grid.setCell(row, colFineRate, rateCell(entry.fineRate));
        grid.setCell(row, colFeeRate, formatText("%6.2f", {Amount()}));
        items.setTag("");
        items.append();
        GravaItem(grid, row, caseNumber, items);
        items.post();
    });
}

bool storeChangedItem(DataModule& dm, WorksheetGrid& grid, const std::string& caseNumber, int row,
                      const ItemEntry& entry)
{
    checkRow(row);
    if (std::optional<ItemEntryRefused> refused = checkItemEntry(dm, entry)) throw *refused;
    grid.ensureRow(row);
    const WorksheetGrid::Row before = grid.row(row);
    foxpro::Table& items = dm.ItensProcesso();
    bool updated = false;
    storeRow(grid, row, before, items, [&] {
        writeEntryCells(dm, grid, row, entry);
        // The typed rates keep what was typed (a changed item is written as
        // text, not cut to six decimals).
        auto typedRate = [](Amount rate) {
            return rate.isZero() ? formatText("%11.6f", {Amount()}) : plainAmountText(rate);
        };
        grid.setCell(row, colOrdinaryRate, typedRate(entry.ordinaryRate));
        grid.setCell(row, colCompensatoryRate, typedRate(entry.compensatoryRate));
        grid.setCell(row, colFineRate, typedRate(entry.fineRate));
        if (isBlankText(caseNumber) || columnCount(caseNumber) > 11) return;
        const std::string wanted = trimRightBlanks(caseNumber);
        items.setTag("processo");
        items.seekNearest({caseNumber});
        for (; !items.eof() && items.getString("NPROCESSO") == wanted; items.next()) {
            if (itemNumberOf(items.getString("NORDEM")) != row) continue;
            items.edit();
            GravaItem(grid, row, caseNumber, items);
            items.post();
            updated = true;
            return;
        }
    });
    return updated;
}

ItemEntry entryFromRow(const WorksheetGrid& grid, int row)
{
    auto cell = [&](int column) -> const std::string& { return grid.cell(row, column); };
    auto formula = [&](int column) { return trimBlanks(cell(column)) == "1" ? 1 : 0; };
    ItemEntry e;
    e.description = cell(colDescription);
    e.originDate = cell(colOriginDate);
    e.originalAmount = cellNumber(cell(colOriginalAmount));
    e.formCode = cell(colFormCode);
    e.formText = cell(colFormText);
    e.fullMonth = cell(colMonthMode) == "CHEIO";
    e.ordinaryRate = cellNumber(cell(colOrdinaryRate));
    e.compensatoryRate = cellNumber(cell(colCompensatoryRate));
    e.fineRate = cellNumber(cell(colFineRate));
    e.fineOnInterest = cell(colFineOnInterest) == "SIM";
    e.payment = cell(colDebtOrPayment) != "DÍVIDA";
    e.converter = cell(colConverter) == "SIM";
    e.originCurrency = cell(colOriginCurrency);
    e.indexValue = cellNumber(cell(colIndexValue));
    e.indexCode = cell(colIndexCode);
    e.quantity = cellNumber(cell(colIndexQuantity));
    e.ordinaryFormula = formula(colOrdinaryFormula);
    e.compensatoryFormula = formula(colCompensatoryFormula);
    e.ordinaryStart = cell(colOrdinaryStart);
    e.compensatoryStart = cell(colCompensatoryStart);
    return e;
}

}  // namespace quintara
