// Every amount step against an exact reference: rational arithmetic (GMP's
// mpq_class) rounded to the nearest ten-thousandth with halves to even, on
// random values that include exact halves and their neighbours.
#include <gmpxx.h>
#include <gtest/gtest.h>

#include <random>

#include "engine/amount_steps.h"
#include "engine/correction.h"
#include "engine/interest.h"
#include "engine/scaled_amounts.h"

namespace quintara {
namespace {

mpq_class rational(const Decimal& d)
{
    mpz_class units(static_cast<long>(d.units));  // the tests keep units within 64 bits
    mpz_class unit;
    mpz_ui_pow_ui(unit.get_mpz_t(), 10, static_cast<unsigned long>(d.scale));
    mpq_class q(units, unit);
    q.canonicalize();
    return q;
}

mpq_class rational(Amount a)
{
    mpq_class q(a.raw(), Amount::kScale);
    q.canonicalize();
    return q;
}

// The exact value x rounded to a count of ten-thousandths, halves to even.
Amount reference(const mpq_class& x)
{
    const mpq_class count = x * Amount::kScale;
    mpz_class below;
    mpz_fdiv_q(below.get_mpz_t(), count.get_num_mpz_t(), count.get_den_mpz_t());
    const mpq_class fraction = count - mpq_class(below);
    const int side = cmp(fraction, mpq_class(1, 2));
    if (side > 0 || (side == 0 && mpz_odd_p(below.get_mpz_t()))) ++below;
    return Amount::fromRaw(below.get_si());
}

class Values {
public:
    // Amounts of every size, with a few exact halves of the step ahead.
    Amount amount()
    {
        std::uniform_int_distribution<long> digits(0, 14);
        long limit = 1;
        for (long i = digits(random_); i > 0; --i) limit *= 10;
        std::uniform_int_distribution<long> raw(-limit, limit);
        return Amount::fromRaw(raw(random_));
    }
    // Index values as the table writes them (nine decimals), short decimals
    // that make exact halves likely, and percentages with few decimals.
    Decimal decimal()
    {
        std::uniform_int_distribution<int> kind(0, 3);
        std::uniform_int_distribution<long> nine(1, 99999999999999L);
        std::uniform_int_distribution<long> shortValue(1, 999);
        std::uniform_int_distribution<int> scale(0, 3);
        switch (kind(random_)) {
            case 0:
                return {nine(random_), 9};
            case 1:
                return {shortValue(random_), scale(random_)};
            case 2:
                return {5 * shortValue(random_), scale(random_) + 1};  // halves
            default:
                return {-shortValue(random_), 2};  // deflation
        }
    }
    std::mt19937_64& engine() { return random_; }

private:
    std::mt19937_64 random_{20261209};
};

TEST(ExactSteps, DivideMultiplyAndPercentageRoundOnceHalvesToEven)
{
    Values values;
    int halves = 0;
    for (int i = 0; i < 20000; ++i) {
        const Decimal d = values.decimal();
        const Amount base = values.amount();
        for (long nudge : {-1L, 0L, 1L}) {
            const Amount v = Amount::fromRaw(base.raw() + nudge);
            const mpq_class exactProduct = rational(v) * rational(d);
            const mpq_class count = exactProduct * Amount::kScale;
            halves += count.get_den() == 2;
            EXPECT_EQ(multipliedBy(v, d), reference(exactProduct)) << i;
            EXPECT_EQ(withPercentage(v, d), reference(exactProduct / 100 + rational(v))) << i;
            EXPECT_EQ(percentOfAmount(v, d, "test"), reference(exactProduct / 100)) << i;
            if (!d.isZero()) {
                EXPECT_EQ(dividedBy(v, d), reference(rational(v) / rational(d))) << i;
            }
        }
    }
    EXPECT_GT(halves, 1000);  // the exact halves were really met
}

TEST(ExactSteps, KnownHalvesGoToTheEvenNeighbour)
{
    // 1234,35 / 1000 = 1,23435 and 1234,45 / 1000 = 1,23445.
    EXPECT_EQ(dividedBy(Amount::parse("1234,35"), Decimal::parse("1000,000000")), Amount::parse("1,2344"));
    EXPECT_EQ(dividedBy(Amount::parse("1234,45"), Decimal::parse("1000,000000")), Amount::parse("1,2344"));
    EXPECT_EQ(dividedBy(Amount::parse("2750"), Decimal::parse("2750,000000")), Amount::parse("1"));
    // 433292,9250 on its way: V × 1,5 with V = 288861,9500 is exact.
    EXPECT_EQ(multipliedBy(Amount::parse("288861,95"), Decimal::parse("1,5")), Amount::parse("433292,925"));
    EXPECT_EQ(withPercentage(Amount::parse("0,0001"), Decimal::parse("50")), Amount::parse("0,0002"));
    EXPECT_EQ(withPercentage(Amount::parse("0,0003"), Decimal::parse("50")), Amount::parse("0,0004"));
}

TEST(ExactSteps, ProRataShareIsExactThenCut)
{
    Values values;
    for (int i = 0; i < 5000; ++i) {
        const Decimal p = values.decimal();
        std::uniform_int_distribution<int> day(1, 28);
        const Date origin(day(values.engine()), 3, 2001);
        const Amount share = ProporcaoMensal(false, origin, origin, Date(5, 6, 2001), p);
        const Amount rounded = reference(rational(p) * (31 - origin.day()) / 31);
        EXPECT_EQ(share, TruncateToCents(rounded)) << i;
    }
}

TEST(ExactSteps, SimpleAndCompoundInterestAgainstExactPowers)
{
    Values values;
    std::uniform_int_distribution<long> days(-400, 4000);
    std::uniform_int_distribution<long> rateUnits(1, 300000);
    for (int i = 0; i < 400; ++i) {
        const Amount v = values.amount();
        const Decimal rate{rateUnits(values.engine()), 4};
        const long t = days(values.engine());
        for (int year : {360, 365}) {
            const mpq_class r = rational(rate) / 100 / year;
            EXPECT_EQ(simpleInterestOf(v, rate, t, year), reference(rational(v) * r * t)) << i;
            mpq_class power = 1;
            const mpq_class factor = t < 0 ? mpq_class(1 / (1 + r)) : mpq_class(1 + r);
            for (long k = 0; k < (t < 0 ? -t : t); ++k) power *= factor;
            EXPECT_EQ(compoundInterestOf(v, rate, t, year), reference(rational(v) * (power - 1)))
                << i << " t=" << t;
        }
    }
}

TEST(ExactSteps, CompoundInterestHalvesAreDecidedExactly)
{
    // 36,5 % a year over 365 days is 0,1 % a day: one day on 0,0500 is an
    // exact half of a ten-thousandth.
    const Decimal rate = Decimal::parse("36,5");
    EXPECT_EQ(compoundInterestOf(Amount::parse("0,05"), rate, 1, 365), Amount());
    EXPECT_EQ(compoundInterestOf(Amount::parse("0,15"), rate, 1, 365), Amount::parse("0,0002"));
    EXPECT_EQ(compoundInterestOf(Amount::parse("0,25"), rate, 1, 365), Amount::parse("0,0002"));
    EXPECT_EQ(compoundInterestOf(Amount::parse("0,2501"), rate, 1, 365), Amount::parse("0,0003"));
    // Thousands of days on a large amount, where long double loses the last digit.
    const Amount big = Amount::parse("987654321,9876");
    mpq_class power = 1;
    const mpq_class factor = 1 + mpq_class(12, 100 * 365);
    for (int k = 0; k < 9000; ++k) power *= factor;
    EXPECT_EQ(compoundInterestOf(big, Decimal::parse("12"), 9000, 365),
              reference(rational(big) * (power - 1)));
    EXPECT_THROW(compoundInterestOf(big, Decimal::parse("1000"), 9000, 365), std::domain_error);
}

TEST(DecimalText, ReadsTheNumberItShows)
{
    EXPECT_EQ(Decimal::parse("  1234,560000000").units, Decimal::Units(1234560000000));
    EXPECT_EQ(Decimal::parse("  1234,560000000").scale, 9);
    EXPECT_EQ(Decimal::parse("-0,5").units, -5);
    EXPECT_EQ(Decimal::parse("12").scale, 0);
    EXPECT_EQ(Decimal::parse("1,5e3").units, 1500);
    EXPECT_EQ(Decimal::parse("1,5e3").scale, 0);
    EXPECT_EQ(Decimal::parse(",5").units, 5);
    for (const char* bad : {"", "1.5", "1,2,3", "abc", "1e", "--1", "nan", "1,5x"})
        EXPECT_THROW(Decimal::parse(bad), std::invalid_argument) << bad;
    EXPECT_THROW(Decimal::parse("1234567890123456789012345678901234567"), std::invalid_argument);
}

}  // namespace
}  // namespace quintara
