#include "data/case_costs.h"

#include <algorithm>
#include <charconv>

#include "data/lookups.h"
#include "data/table_cursor.h"
#include "data/text_routines.h"

namespace quintara {

namespace {

Amount toCents(Amount amount)
{
    // Half a cent away from zero, as the "%.2f" text the count shows.
    return Amount::parse(amount.toText(2));
}

int orderNumber(const std::string& order)
{
    int n = 0;
    std::from_chars(order.data(), order.data() + order.size(), n);
    return n;
}

// Positions the costs table on the case's cost with that order number.
bool seekCost(foxpro::Table& costs, const std::string& caseNumber, const std::string& order)
{
    costs.setFilterActive(false);
    costs.setTag("item");
    return costs.seek({caseNumber, order});
}

}  // namespace

std::vector<CaseCost> caseCosts(DataModule& dm, const std::string& caseNumber)
{
    foxpro::Table& costs = dm.CustasProcesso();
    TableCursorGuard guard(costs);
    costs.setFilterActive(false);
    costs.setTag("processo");
    std::vector<CaseCost> read;
    if (IsBlank(caseNumber) || !costs.seek({caseNumber})) return read;
    for (; !costs.eof() && costs.getString("NPROCESSO") == TrimRight(caseNumber); costs.next())
        read.push_back({costs.getString("NORDEM"), costs.getString("CODCUSTA"), "",
                        static_cast<int>(costs.getNumber("QUANT")),
                        Amount::fromDouble(costs.getNumber("VALOR")),
                        Amount::fromDouble(costs.getNumber("TOTAL"))});
    for (CaseCost& cost : read) cost.description = DescricaoCusta(dm, cost.code);
    return read;
}

std::string nextCostOrder(DataModule& dm, const std::string& caseNumber)
{
    foxpro::Table& costs = dm.CustasProcesso();
    TableCursorGuard guard(costs);
    costs.setFilterActive(false);
    costs.setTag("processo");
    // The highest order number is the last one in `item` order.
    int last = 0;
    if (costs.seek({caseNumber})) {
        for (; !costs.eof() && costs.getString("NPROCESSO") == TrimRight(caseNumber); costs.next())
            last = std::max(last, orderNumber(costs.getString("NORDEM")));
    }
    return ZeroPadNumber(last + 1, 4);
}

Amount costTotal(int quantity, Amount unit)
{
    if (unit < Amount()) return Amount();
    return unit * static_cast<long double>(quantity);
}

CaseCost addCaseCost(DataModule& dm, const std::string& caseNumber, const CostItem& item, Date today)
{
    CaseCost cost{
        nextCostOrder(dm, caseNumber), item.costCode(), item.description, 1, toCents(item.value), {}};
    cost.total = toCents(costTotal(cost.quantity, cost.unit));
    foxpro::Table& costs = dm.CustasProcesso();
    TableCursorGuard guard(costs);
    costs.append();
    try {
        costs.setString("NPROCESSO", caseNumber);
        costs.setString("NORDEM", cost.order);
        costs.setString("CODCUSTA", cost.code);
        costs.setNumber("QUANT", cost.quantity);
        costs.setString("VALOR", cost.unit.toMachineText());
        costs.setString("TOTAL", cost.total.toMachineText());
        costs.setDate("DATA", today.toDtos());
        costs.post();
    } catch (...) {
        if (costs.editing()) costs.cancel();
        throw;
    }
    return cost;
}

bool updateCaseCost(DataModule& dm, const std::string& caseNumber, const std::string& order, int quantity,
                    Amount unit)
{
    foxpro::Table& costs = dm.CustasProcesso();
    TableCursorGuard guard(costs);
    if (!seekCost(costs, caseNumber, order)) return false;
    costs.edit();
    try {
        costs.setNumber("QUANT", quantity);
        costs.setString("VALOR", unit.toMachineText());
        costs.setString("TOTAL", costTotal(quantity, unit).toMachineText());
        costs.post();
    } catch (...) {
        if (costs.editing()) costs.cancel();
        throw;
    }
    return true;
}

bool deleteCaseCost(DataModule& dm, const std::string& caseNumber, const std::string& order)
{
    foxpro::Table& costs = dm.CustasProcesso();
    TableCursorGuard guard(costs);
    if (!seekCost(costs, caseNumber, order)) return false;
    costs.remove();
    return true;
}

void deleteAllCaseCosts(DataModule& dm, const std::string& caseNumber)
{
    foxpro::Table& costs = dm.CustasProcesso();
    TableCursorGuard guard(costs);
    costs.setFilterActive(false);
    costs.setTag("processo");
    if (IsBlank(caseNumber)) return;
    while (costs.seek({caseNumber})) costs.remove();
}

Amount costsTotal(const std::vector<CaseCost>& costs)
{
    Amount sum;
    for (const CaseCost& cost : costs)
        if (cost.charged()) sum += cost.total;
    return sum;
}

}  // namespace quintara
