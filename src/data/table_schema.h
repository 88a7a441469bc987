// The layouts of the twelve tables of a data directory: file names, component
// names, fields with their widths, and the CDX tags with their key
// expressions. DataModule opens tables by these names; init creates them.
#pragma once

#include <string>
#include <vector>

#include "data/data_module.h"
#include "foxpro/table.h"

namespace quintara {

struct TableSchema {
    TableId id;
    std::string fileName;       // "DST_TCM1.DBF"
    std::string componentName;  // "Indices"
    std::vector<foxpro::FieldDef> fields;
    std::vector<foxpro::TagDef> tags;  // empty for DSTPARAM (no CDX)
};

// Every table, in the order of TableId.
const std::vector<TableSchema>& tableSchemas();
const TableSchema& tableSchema(TableId id);

// Creates the table's DBF (with its CDX and FPT) in folder (ending with "/").
// Fails when the DBF already exists.
void createTable(const std::string& folder, TableId id);

}  // namespace quintara
