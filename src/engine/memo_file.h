// The calculation memo file of a worksheet item: Windows-1252 text with CR LF
// after every line, the last included. It replaces any file of that name only
// once it is written whole.
#pragma once

#include <string>
#include <vector>

namespace quintara {

// Throws std::runtime_error naming the file when it cannot be written.
void writeMemoFile(const std::string& path, const std::vector<std::string>& lines);

// The bytes of such a file.
std::string memoFileBytes(const std::vector<std::string>& lines);

}  // namespace quintara
