// Permission strings of the users register: each granted code followed by
// "_", rebuilt by the user dialogs in one fixed order. The codes are recorded
// and shown only; no command of the program tests them.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quintara {

// The codes in the order the user dialogs rebuild the string ("00" is total access).
inline constexpr std::array<std::string_view, 10> kPermissionOrder = {"33", "34", "35", "36", "37",
                                                                      "38", "40", "41", "42", "00"};
// The longest permission string a user dialog keeps.
inline constexpr std::size_t kMaxPermissionLength = 254;

// True when code followed by "_" occurs anywhere in the string.
bool Tempermissao(const std::string& permissions, std::string_view code);
// Appends code + "_" unless the code already occurs in the string.
void poepermissao(std::string& permissions, std::string_view code);
// Removes every occurrence of code + "_".
void tirapermissao(std::string& permissions, std::string_view code);

}  // namespace quintara
