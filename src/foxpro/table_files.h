// Where a table's companion files live: the structural CDX and the FPT memo
// file share the DBF's stem. Existing files are matched ignoring case (data
// folders copied from Windows mix "DBF" and "dbf").
#pragma once

#include <string>
#include <vector>

namespace foxpro {

// The existing file with the DBF's stem and extension `ext` ("CDX", "FPT"),
// matched ignoring case; "" when there is none.
std::string findCompanion(const std::string& dbfPath, const std::string& ext);
// The name a new companion file gets: the extension in the DBF's letter case.
std::string newCompanionPath(const std::string& dbfPath, const std::string& ext);
// Every *.DBF of a folder (extension matched ignoring case), in ascending
// order of the upper-cased file name. Throws when the folder cannot be read.
std::vector<std::string> listTables(const std::string& folder);
// The table of `folder` named `name` ("dst_lcm1" or "DST_LCM1.DBF", case
// ignored); throws foxpro::Error when there is none.
std::string findTable(const std::string& folder, const std::string& name);
// The file name without its folder.
std::string baseName(const std::string& path);

}  // namespace foxpro
