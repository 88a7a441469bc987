// Reindexing one table of a data directory: every tag rebuilt from the
// records, and an index file that is missing, empty or unreadable written
// anew from the tags the table should hold (the data module's own tables,
// or the same table of another data directory).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "foxpro/table.h"

namespace quintara {

// The tags of the table at dbfPath as the data module creates it (matched by
// file name, case ignored). With tagsFrom set, the tags of the table of that
// name in that folder when it holds one. Empty when neither knows the table.
std::vector<foxpro::TagDef> tagDefinitions(const std::string& dbfPath, const std::string& tagsFrom = "");

struct ReindexOutcome {
    std::size_t tags = 0;  // tags built; 0 when the table has no index
    std::string fault;     // why the old index was replaced rather than reindexed ("" when it was not)
};

// Opens the table exclusively and rebuilds its index. When the index cannot
// be opened, or is missing, a new one is written from `definitions`; without
// definitions that is an error naming the fault.
ReindexOutcome reindexTable(const std::string& dbfPath, const std::vector<foxpro::TagDef>& definitions);

}  // namespace quintara
