// The worksheet calculation run: for every item row marked "$" (or one given
// row) it reads the item from the grid, calculates it, writes the results into
// the row and the item's PITCALCU record, and saves its calculation memo file.
// The progress window drives it through the hooks and shows its report.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "data/data_module.h"
#include "engine/item_calculation.h"
#include "worksheet/worksheet_grid.h"

namespace quintara {

// Where the run stores an item's results: the PITCALCU record and the memo file.
class ItemStore {
public:
    virtual ~ItemStore() = default;
    // Returns false when the record of that case and number does not exist.
    virtual bool storeResults(const std::string& caseNumber, int item, const WorksheetGrid::Row& row,
                              Date calculationDate) = 0;
    virtual void writeMemo(const std::string& caseNumber, int item,
                           const std::vector<std::string>& lines) = 0;
};

// PITCALCU (tag "item") and memo files in the data directory.
class DataModuleItemStore : public ItemStore {
public:
    explicit DataModuleItemStore(DataModule& dm) : dm_(dm) {}
    bool storeResults(const std::string& caseNumber, int item, const WorksheetGrid::Row& row,
                      Date calculationDate) override;
    void writeMemo(const std::string& caseNumber, int item, const std::vector<std::string>& lines) override;

private:
    DataModule& dm_;
};

struct RunHooks {
    std::function<bool()> interrupted;                 // the "&Interromper" flag
    std::function<void(int item, int step)> progress;  // after each step 1..12
    std::function<void(int item)> itemEnded;           // every item's run ends with a beep
};

struct ItemReport {
    int row = 0;
    ItemCalculation calculation;  // outcome, memo lines, results, error text
    bool recordUpdated = false;
    bool memoWritten = false;
};

struct RunReport {
    std::vector<ItemReport> items;  // the marked rows that were started
    bool interrupted = false;
    std::string platformError;  // not empty when an error ended the whole run
};

// row 0 = every marked row, n > 0 = row n only (when marked). store may be
// null (nothing stored, no memo file).
RunReport PreparaCalculo(ReferenceData& data, WorksheetGrid& grid, ItemStore* store,
                         const std::string& caseNumber, const std::string& calculationDate, int row,
                         const RunHooks& hooks = {});

}  // namespace quintara
