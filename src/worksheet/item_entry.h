// Storing an item typed into the item form (or given to the item command):
// the typed fields, the checks that refuse an item before anything is written,
// and the two ways an item reaches the grid and table PITCALCU, as a new item
// or as a change of an existing one.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "data/amount.h"
#include "data/data_module.h"
#include "worksheet/worksheet_grid.h"

namespace quintara {

// The fields of the item form, as the worksheet reads them on OK.
struct ItemEntry {
    std::string description;
    std::string originDate;  // dd/mm/yyyy as typed
    Amount originalAmount;
    Amount quantity;            // index units; 0 = the amount was typed directly
    std::string indexCode;      // index of the quantity; empty when none
    Amount indexValue;          // that index's value at the origin date
    bool payment = false;       // an amortisation instead of a debt
    std::string formCode;       // FORMA_COD of the correction form
    std::string formText;       // its index chain as the form's selector shows it
    bool fullMonth = false;     // always the full month's index ("CHEIO")
    bool converter = true;      // the automatic national-currency converter
    Amount ordinaryRate;        // percent a year
    int ordinaryFormula = 0;    // 0 simple, 1 compound
    std::string ordinaryStart;  // dd/mm/yyyy, or blank / the empty mask
    Amount compensatoryRate;
    int compensatoryFormula = 0;
    std::string compensatoryStart;
    Amount fineRate;  // percent
    bool fineOnInterest = false;
    std::string originCurrency;  // symbol of the currency in force at the origin date
};

// An item the worksheet refuses to store; what() is the text shown to the
// person, field() the field the focus goes to.
class ItemEntryRefused : public std::runtime_error {
public:
    enum class Field { OriginDate, OrdinaryStart, CompensatoryStart, Form, Description, Row };
    ItemEntryRefused(Field field, const std::string& message) : std::runtime_error(message), field_(field) {}
    Field field() const { return field_; }

private:
    Field field_;
};

// Title of the refusal messages.
inline constexpr const char* kItemEntryTitle = "Atenção !";

// Why the item cannot be stored, or nothing when it can: the origin date must
// be a complete valid date, so must the start date of a rate above 0, and the
// correction form must be registered; the description must fit its field.
std::optional<ItemEntryRefused> checkItemEntry(DataModule& dm, const ItemEntry& entry);

// The index conversion of a quantity at the origin date: the original amount
// (the quantity times the index's value of that month for a multiplier or
// currency-amount index, else the quantity itself) and the index value shown
// beside it. Only a quantity above 0 is converted; nothing otherwise, so that
// a quantity of 0 never replaces a typed amount.
struct IndexConversion {
    Amount amount;
    Amount indexValue;
};
std::optional<IndexConversion> convertIndexQuantity(DataModule& dm, Amount quantity,
                                                    const std::string& indexCode, Date origin);

// A number as plain fixed-point text with up to four decimals and the decimal
// comma: "100", "2750,5", "0,6541".
std::string plainAmountText(Amount amount);

// Writes the entry into grid row `row` as a new item (mark "$", zero results,
// no calculation date, fees 0), appends its PITCALCU record and posts it.
// Throws ItemEntryRefused when checkItemEntry refuses it; on any failure the
// row is left as it was and no record is added.
void storeNewItem(DataModule& dm, WorksheetGrid& grid, const std::string& caseNumber, int row,
                  const ItemEntry& entry);

// Rewrites the item in row `row` from the entry, keeping its principal and
// fee percentage and emptying its calculation date and results, and stores
// the record of that case whose NORDEM is the row's number; when the case
// has no such record only the grid changes. Returns whether a record was
// updated. Refusals and failures as for storeNewItem.
bool storeChangedItem(DataModule& dm, WorksheetGrid& grid, const std::string& caseNumber, int row,
                      const ItemEntry& entry);

// The entry of an item from its grid row, as the change form is filled.
ItemEntry entryFromRow(const WorksheetGrid& grid, int row);

}  // namespace quintara
