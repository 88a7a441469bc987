#include "foxpro/bulk_write.h"

#include <cstdio>

namespace foxpro {

BulkWrite::BulkWrite(Table& table, int waitMs) : table_(table)
{
    table_.beginBulk(waitMs);
}

BulkWrite::~BulkWrite()
{
    if (!open_) return;
    try {
        table_.rollbackBulk();
    } catch (const Error& e) {
        // No caller is left to tell: say it where a person can see it.
        std::fprintf(stderr, "%s\n", e.what());
    }
}

void BulkWrite::commit()
{
    table_.commitBulk();
    open_ = false;
}

void BulkWrite::rollback()
{
    open_ = false;
    table_.rollbackBulk();
}

}  // namespace foxpro
