#include "worksheet/worksheet_run.h"

#include <optional>
#include <stdexcept>

#include "data/format_text.h"
#include "engine/engine_dates.h"
#include "engine/memo_file.h"
#include "engine/text_columns.h"
#include "worksheet/item_row.h"
#include "worksheet/worksheet_items.h"

namespace quintara {

namespace {

std::string amountCell(const char* pattern, Amount value)
{
    return formatText(pattern, {value});
}

void writeResults(WorksheetGrid& grid, int row, const ItemResults& r, const std::string& calculationDate)
{
    grid.setCell(row, colPrincipal, amountCell("%19.2f", r.principal));
    grid.setCell(row, colCorrection, amountCell("%19.2f", r.corrected - r.principal));
    grid.setCell(row, colOrdinaryInterest, amountCell("%19.2f", r.ordinary));
    grid.setCell(row, colCompensatoryInterest, amountCell("%19.2f", r.compensatory));
    grid.setCell(row, colFine, amountCell("%19.2f", r.fine));
    grid.setCell(row, colTotal, amountCell("%19.2f", r.itemTotal()));
    grid.setCell(row, colFees, amountCell("%15.2f", r.fees));
    grid.setCell(row, colCalculationDate, calculationDate);
    grid.setCell(row, colMark, "");
}

// Steps 10 to 12 of one calculated item (grid row, record, memo file) as one
// unit: the interrupt is not tested inside it, so an interrupt never leaves
// new results beside an old memo; the row loop stops before the next row.
// When storing fails the row gets its former cells back, so the grid never
// shows results the record and the memo file do not hold.
void storeItem(ItemReport& report, WorksheetGrid& grid, ItemStore* store, const std::string& caseNumber,
               const std::string& dateText, Date date, const std::function<void(int)>& progress)
{
    const int row = report.row;
    ItemCalculation& calc = report.calculation;
    const WorksheetGrid::Row former = grid.row(row);
    try {
        writeResults(grid, row, calc.results, dateText);
        progress(10);
        if (store) report.recordUpdated = store->storeResults(caseNumber, row, grid.row(row), date);
        progress(11);
        appendClosingLines(calc);
        if (store) {
            store->writeMemo(caseNumber, row, calc.memoLines);
            report.memoWritten = true;
        }
    } catch (...) {
        for (int c = 0; c < WorksheetGrid::kColumns; ++c) grid.setCell(row, c, former[c]);
        throw;
    }
}

}  // namespace

bool DataModuleItemStore::storeResults(const std::string& caseNumber, int item, const WorksheetGrid::Row& row,
                                       Date calculationDate)
{
    foxpro::Table& items = dm_.ItensProcesso();
    if (columnCount(caseNumber) > 11) return false;
    items.setTag("item");
    const std::string number = itemNumberText(item);
    if (!items.seek({caseNumber, number})) return false;
    if (items.getString("NPROCESSO") != trimRightBlanks(caseNumber) || items.getString("NORDEM") != number)
        return false;
    auto stored = [&row](int column) {
        try {
            return Amount::parse(trimBlanks(row[column])).toMachineText();
        } catch (const std::exception&) {
            return Amount().toMachineText();  // a cell that does not convert stores 0
        }
    };
    items.edit();
    try {
        items.setString("VALORPRIN", stored(colPrincipal));
        items.setString("VALORCOR", stored(colCorrection));
        items.setString("VALORJORD", stored(colOrdinaryInterest));
        items.setString("VALORJCOM", stored(colCompensatoryInterest));
        items.setString("VALORMUL", stored(colFine));
        items.setString("HONOVAL", stored(colFees));
        items.setString("VALORTOT", stored(colTotal));
        items.setDate("DATACALC", calculationDate.toDtos());
        items.post();
    } catch (...) {
        items.cancel();
        throw;
    }
    return true;
}

void DataModuleItemStore::writeMemo(const std::string& caseNumber, int item,
                                    const std::vector<std::string>& lines)
{
    writeMemoFile(dm_.memoFilePath(caseNumber, item), lines);
}

RunReport PreparaCalculo(ReferenceData& data, WorksheetGrid& grid, ItemStore* store,
                         const std::string& caseNumber, const std::string& calculationDate, int row,
                         const RunHooks& hooks)
{
    RunReport report;
    const int first = row == 0 ? 1 : row;
    const int last = row == 0 ? grid.lastRow() : row;
    auto interrupted = [&hooks] { return hooks.interrupted && hooks.interrupted(); };
    for (int r = first; r <= last && r <= grid.lastRow(); ++r) {
        if (interrupted()) {
            report.interrupted = true;
            break;
        }
        if (grid.cell(r, colMark) != "$") continue;
        report.items.push_back(ItemReport{r, {}, false, false});
        ItemReport& item = report.items.back();
        auto progress = [&](int step) {
            if (hooks.progress) hooks.progress(r, step);
        };
        try {
            Date date = engineDate(calculationDate);
            ItemParameters params = readItemParameters(grid, r);
            ItemHooks itemHooks{hooks.interrupted, progress};
            item.calculation = ExecutarCalculo(data, params, date, itemHooks);
            if (item.calculation.outcome == ItemOutcome::Calculated) {
                storeItem(item, grid, store, caseNumber, calculationDate, date, progress);
                progress(12);
            }
        } catch (const std::exception& e) {
            item.calculation.outcome = ItemOutcome::PlatformError;
            item.calculation.error = e.what();
            report.platformError = e.what();
        }
        if (hooks.itemEnded) hooks.itemEnded(r);
        if (!report.platformError.empty()) break;
        if (item.calculation.outcome == ItemOutcome::Interrupted) {
            report.interrupted = true;
            break;
        }
    }
    return report;
}

}  // namespace quintara
