// Option reading shared by the calc and table commands: dates, amounts and
// rates with the decimal comma, each refused with a usage message naming the
// option.
#pragma once

#include <string>

#include "cli/commands.h"
#include "data/amount.h"
#include "data/date.h"
#include "engine/decimal.h"

namespace quintara::cli {

Date optionDate(const std::string& option, const std::string& text);
Amount optionAmount(const std::string& option, const std::string& text);
Decimal optionRate(const std::string& option, const std::string& text);
// A form code of digits is zero-padded to three, as forms are stored.
std::string optionFormCode(const std::string& text);

}  // namespace quintara::cli
