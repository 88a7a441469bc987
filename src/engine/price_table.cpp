#include "engine/price_table.h"

#include <cmath>
#include <optional>

#include "data/format_text.h"
#include "data/number_words.h"
#include "engine/exact_decimal.h"

namespace quintara {

namespace {

// Terms up to this many months have their power computed as an exact fraction;
// longer or fractional terms use binary floating point of kBits bits, far
// more than the four decimals of the result need.
constexpr unsigned long kExactMonths = 12000;
constexpr mp_bitcnt_t kBits = 1024;

// y with y^q = a (a > 0), by Newton's method from a long double estimate.
mpf_class rootOf(const mpf_class& a, unsigned long q)
{
    if (q == 1) return a;
    long exponent = 0;
    const double mantissa = mpf_get_d_2exp(&exponent, a.get_mpf_t());
    const long double logA = std::log(static_cast<long double>(mantissa)) + exponent * std::log(2.0L);
    mpf_class y(std::exp(static_cast<double>(logA / q)), kBits);
    const mpf_class qf(q, kBits);
    for (int i = 0; i < 12; ++i) {
        mpf_class power(0, kBits);
        mpf_pow_ui(power.get_mpf_t(), y.get_mpf_t(), q - 1);
        y = ((qf - 1) * y + a / power) / qf;
    }
    return y;
}

// x^n / (x^n − 1) for x = 1 + i > 0, x ≠ 1 and n = p / q months.
mpq_class growthRatio(const mpq_class& x, unsigned long p, unsigned long q)
{
    if (q == 1 && p <= kExactMonths) {
        mpz_class numerator, denominator;
        mpz_pow_ui(numerator.get_mpz_t(), x.get_num_mpz_t(), p);
        mpz_pow_ui(denominator.get_mpz_t(), x.get_den_mpz_t(), p);
        mpq_class ratio(numerator, mpz_class(numerator - denominator));
        ratio.canonicalize();
        return ratio;
    }
    // Past about 2000 in natural log the power is beyond every digit an amount
    // can show: the ratio is 1 for a growing power and 0 for a vanishing one.
    const long double logPower = static_cast<long double>(p) / q * std::log(x.get_d());
    if (logPower > 2000) return 1;
    if (logPower < -2000) return 0;
    mpf_class power(0, kBits);
    mpf_pow_ui(power.get_mpf_t(), mpf_class(x, kBits).get_mpf_t(), p);
    const mpf_class y = rootOf(power, q);
    return mpq_class(mpf_class(y / (y - 1), kBits));
}

std::string plainNumeral(Amount a)
{
    return a.toText(2);
}

}  // namespace

std::variant<PriceResult, PriceRefusal> calculatePrice(const PriceInputs& in)
{
    const std::optional<mpq_class> rate = parseDecimalComma(in.juroano);
    // i = rate / 100 / 12; a rate of -1200 % or less leaves no positive base.
    if (!rate || *rate <= -1200) return PriceRefusal{"Taxa de Juros inválida !", PriceField::Juroano};
    const std::optional<mpq_class> years = parseDecimalComma(in.prazo);
    if (!years || *years <= 0) return PriceRefusal{"Prazo inválido !", PriceField::Prazo};
    // An amount that cannot be written in words has no result sentence.
    if (in.valor < Amount()) return PriceRefusal{"Valor à amortizar inválido !", PriceField::Valor};

    mpq_class months = *years * 12;
    months.canonicalize();
    if (!mpz_fits_ulong_p(months.get_num_mpz_t()) || !mpz_fits_ulong_p(months.get_den_mpz_t()))
        return PriceRefusal{"Prazo inválido !", PriceField::Prazo};
    const mpq_class i = *rate / 1200;
    const mpq_class value = exactValue(in.valor);

    PriceResult r;
    const mpq_class payment =
        i == 0
            ? mpq_class(value / months)
            : mpq_class(value * i * growthRatio(1 + i, months.get_num().get_ui(), months.get_den().get_ui()));
    r.pmt = TruncateToCents(roundToAmount(payment));

    const std::string valueWords =
        AmountInWordsWithCurrency(plainNumeral(in.valor), in.nomeSingular, in.nomePlural);
    const std::string paymentWords =
        r.pmt < Amount() ? std::string()
                         : AmountInWordsWithCurrency(plainNumeral(r.pmt), in.nomeSingular, in.nomePlural);
    r.resultText = "De acordo com a \"Tabela Price\", calculando-se o valor de " +
                   formatText("%.2n", {in.valor}) + " (" + valueWords + ") num  prazo de " + in.prazo +
                   "anos, aplicando " + "uma taxa de juro de %" + in.juroano +
                   " (ao ano), o valor da amortização mensal será de " + in.sigla +
                   formatText("%-12.2n", {r.pmt}) + " (" + paymentWords + ")";
    r.reportAmount = in.sigla + " " + formatText("%18.2n", {in.valor});
    r.reportPayment = in.sigla + " " + formatText("%-18.2n", {r.pmt});
    r.reportRate = "%" + in.juroano;
    r.reportTerm = in.prazo;
    return r;
}

}  // namespace quintara
