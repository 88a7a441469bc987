// Repair of a table's structural index that cannot be opened (the file is
// missing, empty or unreadable): a new index with tags the caller knows the
// table should hold, built from the records.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foxpro/table.h"

namespace foxpro {

class DbfFile;
struct FieldSlot;

// Why the table's structural index cannot be used: it is missing while the
// table's header says it has one, or it cannot be opened (the reason). ""
// when it opens, or when the table has none and its header asks for none.
std::string indexFault(const std::string& dbfPath);

// Opens the table exclusively and writes a new structural index with `tags`
// in place of the old one, which is not read. Returns the number of tags.
std::size_t rebuildIndex(const std::string& dbfPath, const std::vector<TagDef>& tags);

// Builds a complete index file with `tags` from records 1..count beside
// `cdxPath`, flushes it to disk and puts it in that file's place. The caller
// holds the table exclusively.
void replaceIndexFile(const DbfFile& dbf, const std::vector<FieldDef>& fields,
                      const std::vector<FieldSlot>& slots, const std::vector<TagDef>& tags,
                      std::uint32_t count, const std::string& cdxPath);

}  // namespace foxpro
