// Paths under the data directory matched without regard to letter case:
// folders and files copied from Windows may come in any case ("IMG/real
// 1994/Nota.JPG" for "img/Real 1994/nota.jpg").
#pragma once

#include <string>

namespace quintara {

// folder (ending with "/") + relative ("a/b/c"), each part of relative
// replaced by an existing entry whose name differs only in ASCII letter case
// when there is no exact one. Parts from the first one that has no match on
// are kept as given, so the result also names what is to be created.
std::string resolvePathIgnoringCase(const std::string& folder, const std::string& relative);

}  // namespace quintara
