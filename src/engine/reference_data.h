// ReferenceData: what the correction engine reads from the reference tables
// (forms, index catalogue, index values, currencies, the year-length marker).
// The engine's algorithms work on this interface so that they run the same on
// the data module's tables and on small in-memory tables in tests.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/date.h"
#include "data/row_types.h"

namespace quintara {

// One correction form (DST_FCM1): the index chain and its periodicity blocks.
struct CorrectionForm {
    std::string chain;    // FORMA_CH
    std::string periods;  // FORMA_DAT
};

// The two codes of an index definition (DST_TCM1), as stored.
struct IndexDefinition {
    std::string kind;         // TBCM_VAL: "1".."4"
    std::string periodicity;  // TBCM_TIP: "1" daily, "2" monthly
};

// The currency in force at a date: its symbol and its conversion divisor.
struct CurrencyInForce {
    std::string symbol;  // VGM_SIGLA
    double divisor = 0;  // VGM_CONV
};

class ReferenceData {
public:
    virtual ~ReferenceData() = default;

    virtual std::optional<CorrectionForm> form(const std::string& code) = 0;
    virtual std::optional<IndexDefinition> index(const std::string& code) = 0;
    // First and last recorded dates: "dd/mm/yyyy até dd/mm/yyyy".
    virtual std::string indexPeriod(const std::string& code) = 0;
    // The values of one index between two dates inclusive, in date order.
    virtual std::vector<IndexValueRow> values(const std::string& code, Date from, Date to) = 0;
    virtual CurrencyInForce currencyAt(Date date) = 0;
    // "<previous name>/<factor> = <name>" for the currency in force at the date.
    virtual std::string conversionText(Date date) = 0;
    virtual bool uses360DayYear() = 0;
};

}  // namespace quintara
