#include "engine/item_calculation.h"

#include <stdexcept>

#include "engine/calculation_pipeline.h"
#include "engine/scaled_amounts.h"

namespace quintara {

namespace {

// Tells the worksheet run's hooks about the steps.
class ItemObserver : public CalculationObserver {
public:
    explicit ItemObserver(const ItemHooks& hooks) : hooks_(hooks) {}
    void step(int step) override
    {
        if (hooks_.onStep) hooks_.onStep(step);
    }
    bool interrupted() override { return hooks_.interrupted && hooks_.interrupted(); }

private:
    const ItemHooks& hooks_;
};

// An interest start is looked at only when its rate is above 0.
Date interestStart(Amount rate, Date start)
{
    return rate > Amount() ? start : zeroDate();
}

}  // namespace

Date zeroDate()
{
    return Date(30, 12, 1899);
}

Amount percentOf(Amount base, const Decimal& rate)
{
    return percentOfAmount(base, rate, "percentage");
}

Amount percentOf(Amount base, Amount rate)
{
    return percentOfAmount(base, Decimal::ofAmount(rate), "percentage");
}

Amount fineOf(Amount corrected, Amount ordinary, Amount compensatory, const Decimal& rate, bool onInterest)
{
    return percentOf(onInterest ? corrected + compensatory + ordinary : corrected, rate);
}

Amount fineOf(Amount corrected, Amount ordinary, Amount compensatory, Amount rate, bool onInterest)
{
    return percentOf(onInterest ? corrected + compensatory + ordinary : corrected, rate);
}

Amount principalOf(Amount amount, const CalculationTable& table)
{
    Amount p = amount;
    for (const TableEntry& entry : table) {
        if (!entry.isConversion()) continue;
        if (entry.value.isZero())
            throw std::domain_error("division by zero: the currency divisor at " + entry.date.toString() +
                                    " is 0, so the principal cannot be converted");
        p = dividedByAmount(p, entry.value, "principal");
    }
    return p;
}

ItemCalculation ExecutarCalculo(ReferenceData& data, const ItemParameters& item, Date dataCalculo,
                                const ItemHooks& hooks)
{
    CalculationInput in;
    in.origin = item.origin;
    in.amount = item.amount;
    in.formCode = item.formCode;
    in.fullMonth = item.fullMonth;
    in.converter = item.converter;
    in.ordinaryRate = Decimal::ofAmount(item.ordinaryRate);
    in.compensatoryRate = Decimal::ofAmount(item.compensatoryRate);
    in.fineRate = Decimal::ofAmount(item.fineRate);
    in.feeRate = Decimal::ofAmount(item.feeRate);
    in.ordinaryStart = interestStart(item.ordinaryRate, item.ordinaryStart);
    in.compensatoryStart = interestStart(item.compensatoryRate, item.compensatoryStart);
    in.ordinaryFormula = item.ordinaryFormula;
    in.compensatoryFormula = item.compensatoryFormula;
    in.fineOnInterest = item.fineOnInterest;
    ItemObserver observer(hooks);
    return runCalculation(data, in, dataCalculo, kWorksheetStyle, observer);
}

void appendClosingLines(ItemCalculation& calc)
{
    calc.memoLines.emplace_back("Info: Cálculo finalizado !");
    calc.memoLines.emplace_back("SEQUENCIA");
    calc.memoLines.insert(calc.memoLines.end(), calc.adjusted.begin(), calc.adjusted.end());
}

}  // namespace quintara
