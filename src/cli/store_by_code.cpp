#include "cli/store_by_code.h"

#include "foxpro/bulk_write.h"

namespace quintara::cli {

bool storeByCode(foxpro::Table& table, const std::string& tag, const std::string& codeField,
                 const std::string& code, const std::function<void(foxpro::Table&)>& fill)
{
    // The seek and the write are one bulk change: no other writer can store
    // the same code in between, and a failure leaves the table as it was.
    foxpro::BulkWrite bulk(table);
    table.setTag(tag);
    const bool exists = table.seek({code});
    if (exists) {
        table.edit();
    } else {
        table.append();
        table.setString(codeField, code);
    }
    fill(table);
    table.post();
    bulk.commit();
    return exists;
}

}  // namespace quintara::cli
