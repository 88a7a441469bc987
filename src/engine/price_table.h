// The Price table calculator's arithmetic: the constant monthly payment of a
// loan under an annual rate capitalised monthly, the sentence that states it
// with the amounts in words, and the texts its report prints.
#pragma once

#include <string>
#include <variant>

#include "data/amount.h"

namespace quintara {

// The window's fields as typed.
struct PriceInputs {
    Amount valor;         // "Valor à amortizar"
    std::string prazo;    // years, as typed
    std::string juroano;  // percentage a year, as typed
    std::string sigla;    // currency symbol
    std::string nomeSingular;
    std::string nomePlural;
};

// A refused input: the message of a box titled "Alerta !" and the field
// that gets the focus.
enum class PriceField { Valor, Prazo, Juroano };
struct PriceRefusal {
    std::string message;
    PriceField focus;
};

struct PriceResult {
    Amount pmt;                // the payment, cut to cents
    std::string resultText;    // the sentence of the result memo
    std::string reportAmount;  // the report's fields
    std::string reportPayment;
    std::string reportRate;
    std::string reportTerm;
};

// PMT = valor × i / (1 − (1 + i)^−n), i = rate / 12, n = years × 12, computed
// exactly, rounded once to four decimals and cut to cents. A rate of 0 repays
// valor / n a month. A rate that is not a number (or is -1200 % or less) and
// a term that is not a number above 0 are refused.
std::variant<PriceResult, PriceRefusal> calculatePrice(const PriceInputs& in);

}  // namespace quintara
