// The readable part of a worksheet item's calculation memo file, as the item
// detail shows it: the memo lines without progress and error lines, and the
// sequence of indices the calculation used.
#pragma once

#include <string>
#include <vector>

namespace quintara {

struct ItemMemo {
    std::vector<std::string> lines;     // before "SEQUENCIA", without "Info"/"Erro" lines
    std::vector<std::string> sequence;  // "<code>  <start> até <end>", one per step
};

// The lines of a memo file (Windows-1252, CR LF or LF) as UTF-8 text; no
// lines when the file does not exist. Throws std::runtime_error naming the
// file when it exists but cannot be read.
std::vector<std::string> readMemoFile(const std::string& path);

// Splits the memo's lines: the lines before the first one holding "SEQUENCIA"
// that hold neither "Info" nor "Erro"; after it, up to the first empty line,
// the sequence lines rewritten for the list.
ItemMemo readableMemo(const std::vector<std::string>& memoLines);

// A sequence line (index code in characters 1-10, start 11-20, end 21-30) as
// the list shows it: code, two blanks, start, " até ", end.
std::string sequenceListLine(const std::string& line);

}  // namespace quintara
