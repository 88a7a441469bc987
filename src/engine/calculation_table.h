// The calculation table: one typed entry per index value to apply and one per
// change of national currency, built from the adjusted sequence, the index
// values and the currencies. The walk reads the entries' fields; each entry
// also writes its 41-column line for the table listing:
//
//   1-10 code (or "**CONVERS*")   11-20 date   21-35 value "%15.9f" (divisor "%15.6f")
//   36 kind code ("0")            37-40 currency symbol "%4s"   41 periodicity ("0")
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/decimal.h"
#include "engine/reference_data.h"
#include "engine/sequence.h"

namespace quintara {

inline constexpr const char* kConversionCode = "**CONVERS*";

// Kind codes (TBCM_VAL) and periodicity codes (TBCM_TIP) as the engine reads them.
enum IndexKind { MULTIPLICADOR = 1, PERCENTUAL = 2, MOEDA = 3, TAXAJURO = 4 };
enum Periodicity { DIARIA = 1, MENSAL = 2 };

// One value of an index, or one change of currency (code kConversionCode,
// kind and periodicity 0, the value being the new currency's divisor).
struct TableEntry {
    std::string code;  // the index code, without trailing blanks
    Date date;
    Decimal value;       // exactly the decimal the entry's line shows
    int kind = 0;        // IndexKind
    std::string symbol;  // the currency symbol, at most four columns
    int periodicity = 0;

    bool isConversion() const { return code == kConversionCode; }
    // The code as the line and the memo show it, "%-10s".
    std::string codeColumns() const;
    // The 41-column line (wider only for a value wider than its 15 columns).
    std::string line() const;
};

using CalculationTable = std::vector<TableEntry>;

// Hooks of the two callers: the worksheet run tests its interrupt flag and
// writes two progress lines per sequence line; the quick calculation shows a
// status text and moves its progress bar.
struct TableHooks {
    std::function<bool()> interrupted;
    // code (trimmed), start and end texts, 0-based line, number of lines.
    std::function<void(const std::string&, const std::string&, const std::string&, std::size_t, std::size_t)>
        onSequenceLine;
};

struct TableResult {
    CalculationTable entries;
    std::string moedaAtual;  // symbol of the currency of the last value processed
};

// PegaValores. Ends early (with the entries so far) at an index missing from the
// catalogue or when the interrupt hook says so. Throws std::invalid_argument
// for a date or kind code that does not convert.
TableResult PegaValores(ReferenceData& data, const Sequence& sequenciaAjustada, Date dataOrigem,
                        bool conversor, const TableHooks& hooks = {});

// The lines of a table, one per entry.
std::vector<std::string> tableLines(const CalculationTable& table);

// Number texts of the table ("  1234,560000000"), decimal comma, taken as
// the exact decimals they show. Throws std::invalid_argument naming the text
// when it is not a number.
Decimal parseTableNumber(const std::string& text);
// "'x' is not a valid integer value" when the text is not a whole number.
int parseInteger(const std::string& text);

}  // namespace quintara
