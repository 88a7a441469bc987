// The court-costs table without any window: groups (DST_GTCU) named by one
// letter, items (DST_TCU1) named by letter and a 4-digit code, the code
// proposed for a new item and the checks before a group or item is stored.
// Items are filtered by value (no expression is built from typed text).
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/amount.h"
#include "data/data_module.h"

namespace quintara {

// A group or item that cannot be stored; what() is the message shown.
class CostRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kCostFieldsMissing =
    "todos os campos devem ser preenchidos para poder inserir o item.";
inline constexpr const char* kGroupExists = "Esse grupo já existe !, verifique por favor.";

struct CostGroup {
    std::string letter;  // GTCU_LETRA
    std::string name;    // GTCU_DESC
    std::uint32_t record = 0;
};

struct CostItem {
    std::string letter;       // TCU_LETRA
    std::string code;         // TCU_COD
    std::string description;  // TCU_DESC
    Amount value;             // TCU_VALOR
    std::uint32_t record = 0;
    std::string costCode() const { return letter + code; }
};

// The groups in letter order.
std::vector<CostGroup> costGroups(DataModule& dm);
// The items of one group (all when letter is empty), by code ("Letra") or by
// description ("Desc").
enum class CostItemOrder { ByCode, ByDescription };
std::vector<CostItem> costItems(DataModule& dm, const std::string& letter, CostItemOrder order);
CostItem costItemAt(DataModule& dm, std::uint32_t record);

// The code proposed for a new item of the group: the last code in code order
// plus one, four digits with leading zeros; "0001" for an empty group.
std::string proposeItemCode(DataModule& dm, const std::string& letter);
// A typed code padded to four digits ("12" -> "0012"); throws CostRefused
// when it is not one to four digits.
std::string normaliseItemCode(const std::string& typed);

// Appends an item; refuses an empty description or value (nullopt), a code
// that is not 1-4 digits and a code already used in the group.
std::uint32_t addCostItem(DataModule& dm, const std::string& letter, const std::string& code,
                          const std::string& description, std::optional<Amount> value);
void editCostItem(DataModule& dm, std::uint32_t record, const std::string& description,
                  std::optional<Amount> value);
void deleteCostItem(DataModule& dm, std::uint32_t record);

// Appends a group (letter and name in upper case); refuses an empty letter
// or name, and a letter already used by any group.
void addCostGroup(DataModule& dm, const std::string& letter, const std::string& name);
void renameCostGroup(DataModule& dm, const std::string& letter, const std::string& name);
// Deletes the group's items and then the group. Counted costs stay.
void deleteCostGroup(DataModule& dm, const std::string& letter);

// Upper case of ASCII and Latin-1 letters in UTF-8 text.
std::string upperText(const std::string& text);

}  // namespace quintara
