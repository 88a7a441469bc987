// The costs counted for one case (PITCUSTA) without any window: loading them,
// the next order number, adding an item of the court-costs table, changing
// quantity or unit value, deleting one or all, and the total. The costs count
// window and the worksheet totals read the same records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/amount.h"
#include "data/court_costs.h"
#include "data/data_module.h"
#include "data/date.h"

namespace quintara {

inline constexpr const char* kNotCharged = "Não Cobrado";

struct CaseCost {
    std::string order;        // NORDEM, "0001"
    std::string code;         // CODCUSTA, letter + item code
    std::string description;  // of the item; empty when it no longer exists
    int quantity = 0;         // QUANT
    Amount unit;              // VALOR
    Amount total;             // TOTAL; zero when not charged
    bool charged() const { return !total.isZero(); }
};

// The case's costs in `processo` order (the order they were counted).
std::vector<CaseCost> caseCosts(DataModule& dm, const std::string& caseNumber);
// The next order number: the last NORDEM of the case in `item` order plus
// one, four digits; "0001" for a case without costs.
std::string nextCostOrder(DataModule& dm, const std::string& caseNumber);
// Counts one unit of the item for the case; the unit value and total are
// kept to the cent, as the count shows them.
CaseCost addCaseCost(DataModule& dm, const std::string& caseNumber, const CostItem& item, Date today);
// The total of a quantity and unit value: zero (not charged) when the product
// is zero or the unit value is negative.
Amount costTotal(int quantity, Amount unit);
// Stores a new quantity and unit value with their total; false when the cost
// is no longer there.
bool updateCaseCost(DataModule& dm, const std::string& caseNumber, const std::string& order, int quantity,
                    Amount unit);
bool deleteCaseCost(DataModule& dm, const std::string& caseNumber, const std::string& order);
void deleteAllCaseCosts(DataModule& dm, const std::string& caseNumber);
// The sum of the charged totals.
Amount costsTotal(const std::vector<CaseCost>& costs);

}  // namespace quintara
