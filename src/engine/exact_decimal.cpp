#include "engine/exact_decimal.h"

#include <cctype>
#include <stdexcept>
#include <string>

namespace quintara {

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

// Digits of the integer part with their thousands dots removed, or nothing
// when a dot is misplaced ("1.23", "1..234", ".123").
std::optional<std::string> integerDigits(std::string_view part)
{
    std::string digits;
    std::size_t groupLength = 0;
    bool grouped = false;
    for (std::size_t i = 0; i < part.size(); ++i) {
        const char c = part[i];
        if (c == '.') {
            if (i == 0 || (grouped && groupLength != 3) || (!grouped && groupLength > 3)) return std::nullopt;
            grouped = true;
            groupLength = 0;
            continue;
        }
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        digits += c;
        ++groupLength;
    }
    if (grouped && groupLength != 3) return std::nullopt;
    return digits;
}

}  // namespace

std::optional<mpq_class> parseDecimalComma(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t comma = text.find(',');
    const std::string_view whole = text.substr(0, comma);
    const std::string_view decimals =
        comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    const auto digits = integerDigits(whole);
    if (!digits) return std::nullopt;
    for (char c : decimals)
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
    if (digits->empty() && decimals.empty()) return std::nullopt;

    const std::string numerator = (digits->empty() ? std::string("0") : *digits) + std::string(decimals);
    mpz_class denominator;
    mpz_ui_pow_ui(denominator.get_mpz_t(), 10, decimals.size());
    mpq_class value(mpz_class(numerator, 10), denominator);
    value.canonicalize();
    return negative ? mpq_class(-value) : value;
}

mpq_class exactValue(Amount amount)
{
    mpq_class value(mpz_class(std::to_string(amount.raw()), 10), mpz_class(Amount::kScale));
    value.canonicalize();
    return value;
}

Amount roundToAmount(const mpq_class& value)
{
    const mpq_class scaled = value * Amount::kScale;
    mpz_class quotient, remainder;
    mpz_fdiv_qr(quotient.get_mpz_t(), remainder.get_mpz_t(), scaled.get_num_mpz_t(), scaled.get_den_mpz_t());
    // floor division: 0 <= remainder < denominator
    const int half = cmp(mpz_class(remainder * 2), scaled.get_den());
    if (half > 0 || (half == 0 && mpz_odd_p(quotient.get_mpz_t()))) quotient += 1;
    if (!mpz_fits_slong_p(quotient.get_mpz_t()))
        throw std::overflow_error("the result does not fit an amount");
    return Amount::fromRaw(quotient.get_si());
}

}  // namespace quintara
