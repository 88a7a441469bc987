#include "engine/scaled_amounts.h"

#include <optional>
#include <stdexcept>
#include <string>

#include "engine/exact_quotient.h"

namespace quintara {

namespace {

// Results of this many ten-thousandths or more are refused, as the walk
// refuses them.
constexpr std::int64_t kLimit = 9000000000000000000LL;

[[noreturn]] void failed(const char* what)
{
    throw std::domain_error(std::string("floating point error in ") + what);
}

Amount checked(std::optional<Amount> result, const char* what)
{
    if (!result || result->raw() >= kLimit || result->raw() <= -kLimit) failed(what);
    return *result;
}

}  // namespace

Amount percentOfAmount(Amount base, const Decimal& rate, const char* what)
{
    return checked(roundedQuotient({base.raw(), rate.units}, {rate.unit(), 100}), what);
}

Amount dividedByAmount(Amount amount, const Decimal& divisor, const char* what)
{
    if (divisor.isZero()) throw std::domain_error(std::string("division by zero in ") + what);
    return checked(roundedQuotient({amount.raw(), divisor.unit()}, {divisor.units}), what);
}

Amount simpleInterestOf(Amount valor, const Decimal& taxaAnual, long days, int yearDays)
{
    return checked(roundedQuotient({valor.raw(), taxaAnual.units, days}, {taxaAnual.unit(), 100, yearDays}),
                   "simple interest");
}

Amount compoundInterestOf(Amount valor, const Decimal& taxaAnual, long days, int yearDays)
{
    return checked(compoundGrowth(valor, taxaAnual, days, yearDays), "compound interest");
}

}  // namespace quintara
