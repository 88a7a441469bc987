// BulkWrite: one all-or-nothing change of a table. While it lives the table's
// file lock is held (other writers wait or fail; readers go on) and every
// byte it overwrites is kept in an undo journal. commit() makes the change
// durable; leaving the scope without commit() (an exception, an early
// return) undoes it, and a process killed half-way has its change undone by
// the next opener of the table.
#pragma once

#include "foxpro/table.h"

namespace foxpro {

class BulkWrite {
public:
    // How long a bulk change waits for another one on the same table.
    static constexpr int kDefaultWaitMs = 60000;

    explicit BulkWrite(Table& table, int waitMs = kDefaultWaitMs);
    ~BulkWrite();
    BulkWrite(const BulkWrite&) = delete;
    BulkWrite& operator=(const BulkWrite&) = delete;

    void commit();
    // Undoes the change now (the destructor does it otherwise).
    void rollback();

private:
    Table& table_;
    bool open_ = true;
};

}  // namespace foxpro
