#include "data/table_repair.h"

#include "data/table_schema.h"
#include "foxpro/index_repair.h"
#include "foxpro/table_files.h"

namespace quintara {

namespace {

std::string upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

}  // namespace

std::vector<foxpro::TagDef> tagDefinitions(const std::string& dbfPath, const std::string& tagsFrom)
{
    const std::string name = foxpro::baseName(dbfPath);
    // A table the other folder holds gives its tags (and an error when it
    // cannot be opened); one it does not hold falls back to the data
    // module's own tables.
    if (!tagsFrom.empty())
        for (const std::string& path : foxpro::listTables(tagsFrom))
            if (upper(foxpro::baseName(path)) == upper(name))
                return foxpro::Table(path, foxpro::OpenMode::Shared).tags();
    for (const TableSchema& s : tableSchemas())
        if (upper(s.fileName) == upper(name)) return s.tags;
    return {};
}

ReindexOutcome reindexTable(const std::string& dbfPath, const std::vector<foxpro::TagDef>& definitions)
{
    ReindexOutcome outcome;
    outcome.fault = foxpro::indexFault(dbfPath);
    if (outcome.fault.empty()) {
        {
            foxpro::Table table(dbfPath, foxpro::OpenMode::Exclusive);
            if (!table.tags().empty()) {
                table.reindex();
                outcome.tags = table.tags().size();
                return outcome;
            }
        }
        if (definitions.empty()) return outcome;
        outcome.fault = "the table has no index";
    }
    if (definitions.empty())
        throw foxpro::Error(dbfPath, outcome.fault + ", and the tags it should hold are not known");
    outcome.tags = foxpro::rebuildIndex(dbfPath, definitions);
    return outcome;
}

}  // namespace quintara
