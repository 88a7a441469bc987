// The canonical text dump of a folder of tables: header, fields, every
// record, every tag's keys in index order and a fixed set of seeks. Two
// engines that read the same files the same way print the same text.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace foxpro {

// Dumps every *.DBF of `folder` (name matched ignoring case) in ascending
// order of the upper-cased file name. Only reads; takes no locks.
void dumpFolder(const std::string& folder, std::ostream& out);
// Dumps one table: the block from "TABLE" to "END TABLE".
void dumpTable(const std::string& dbfPath, std::ostream& out);

// The dump's text escaping: 0x20-0x7E as they are (with \\ and \"), any
// other byte as \xHH.
std::string escapeDumpText(std::string_view bytes);

}  // namespace foxpro
