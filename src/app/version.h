// The program's version, shown by the About box.
#pragma once

namespace quintara {

inline constexpr const char* kVersion = "0.1.0";
inline constexpr const char* kApplicationTitle = "Quintara - Correção Monetária";

}  // namespace quintara
