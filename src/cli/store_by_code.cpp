#include "cli/store_by_code.h"

namespace quintara::cli {

bool storeByCode(foxpro::Table& table, const std::string& tag, const std::string& codeField,
                 const std::string& code, const std::function<void(foxpro::Table&)>& fill)
{
    table.setTag(tag);
    const bool exists = table.seek({code});
    if (exists) {
        table.edit();
    } else {
        table.append();
        table.setString(codeField, code);
    }
    try {
        fill(table);
        table.post();
    } catch (...) {
        table.cancel();
        throw;
    }
    return exists;
}

}  // namespace quintara::cli
