// Helpers the correction-form windows share over DST_FCM1: a guard that puts
// a shared table back where it was, the code a new form receives, and the
// check of a chain typed for a form.
#pragma once

#include <cstdint>
#include <string>

#include <QString>

#include "data/data_module.h"

namespace quintara {

// Remembers a table's tag, filter and current record and restores them when
// it goes out of scope, so that a search made for one command leaves the
// window's order and selection as they were.
class TableCursorGuard {
public:
    explicit TableCursorGuard(foxpro::Table& table);
    ~TableCursorGuard();
    TableCursorGuard(const TableCursorGuard&) = delete;
    TableCursorGuard& operator=(const TableCursorGuard&) = delete;

private:
    foxpro::Table& table_;
    std::string tag_;
    std::string filter_;
    bool filterActive_ = false;
    std::uint32_t record_ = 0;
};

// The code of a new form: one more than the highest numeric code among the
// forms and the codes named by worksheet items (PITCALCU.FORMACORR), so that
// the code of a deleted form still named by an item is never given again.
// "001" for an empty register. Throws std::runtime_error when 999 is taken.
std::string nextFormCode(DataModule& dm);

// A FORMA_DAT holds one 21-character block per code, at most this many.
inline constexpr int kMaxChainCodes = 12;

// Why a chain cannot be stored, in the words shown to the person; empty when
// it can: every code registered (the engine's chain check) and no more codes
// than FORMA_DAT has blocks for.
QString chainProblem(DataModule& dm, const std::string& chain);

}  // namespace quintara
