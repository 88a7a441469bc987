// TableCursorGuard: keeps a shared table's order, filter and current record
// across a routine that walks it, and restores them on every path out.
#pragma once

#include <cstdint>
#include <string>

#include "foxpro/table.h"

namespace quintara {

class TableCursorGuard {
public:
    explicit TableCursorGuard(foxpro::Table& table)
        : table_(table),
          tag_(table.tag()),
          filter_(table.filter()),
          filterActive_(table.filterActive()),
          record_(table.recNo())
    {
    }
    ~TableCursorGuard()
    {
        try {
            if (table_.editing()) table_.cancel();
            table_.setTag(tag_);
            if (table_.filter() != filter_) table_.setFilter(filter_);
            table_.setFilterActive(filterActive_);
            if (record_ != 0 && record_ <= table_.recordCount()) table_.go(record_);
        } catch (const std::exception&) {
            // The table was closed or damaged under the routine; the error
            // that did it has already reached the caller.
        }
    }
    TableCursorGuard(const TableCursorGuard&) = delete;
    TableCursorGuard& operator=(const TableCursorGuard&) = delete;

    // Keeps the table where the routine left it instead of the saved record.
    void keepPosition() { record_ = table_.recNo(); }

private:
    foxpro::Table& table_;
    std::string tag_;
    std::string filter_;
    bool filterActive_;
    std::uint32_t record_;
};

}  // namespace quintara
