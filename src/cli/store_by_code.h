// Writes one catalogue record found by its code: the record is changed when
// the code exists and appended otherwise, all fields posted together.
#pragma once

#include <functional>
#include <string>

#include "foxpro/table.h"

namespace quintara::cli {

// Seeks `code` under `tag`, edits that record or appends one with `codeField`
// set, lets `fill` set the other fields and posts, all as one bulk change
// (foxpro::BulkWrite). A failure undoes the change and rethrows. Returns
// whether the record existed.
bool storeByCode(foxpro::Table& table, const std::string& tag, const std::string& codeField,
                 const std::string& code, const std::function<void(foxpro::Table&)>& fill);

}  // namespace quintara::cli
