#include "foxpro/index_repair.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "foxpro/cdx_file.h"
#include "foxpro/dbf_file.h"
#include "foxpro/locks.h"
#include "foxpro/pack_journal.h"
#include "foxpro/stored_record.h"
#include "foxpro/table_files.h"

namespace foxpro {

namespace {

constexpr std::size_t kTableFlagsAt = 28;

// A table given an index where its header said it had none is marked as
// having one, so that every program opens the index with it.
void markIndexed(const DbfFile& dbf)
{
    if (dbf.header().hasStructuralCdx()) return;
    const auto flags = static_cast<char>(dbf.header().flags | kTableHasCdx);
    if (::pwrite(dbf.fd(), &flags, 1, kTableFlagsAt) != 1 || ::fsync(dbf.fd()) != 0)
        throw Error(dbf.path(), std::string("cannot mark the table as indexed: ") + std::strerror(errno));
}

}  // namespace

std::string indexFault(const std::string& dbfPath)
{
    DbfFile dbf;
    dbf.open(dbfPath, false);
    const std::string cdxPath = findCompanion(dbfPath, "CDX");
    if (cdxPath.empty())
        return dbf.header().hasStructuralCdx()
                   ? "the structural index file " + baseName(newCompanionPath(dbfPath, "CDX")) + " is missing"
                   : "";
    std::vector<FieldDef> fields;
    std::vector<FieldSlot> slots;
    std::vector<int> layoutIndex;
    visibleFields(dbf.header(), fields, slots, layoutIndex);
    try {
        CdxFile index(cdxPath, fields);
        if (index.tags().empty()) return "the index file holds no tags";
    } catch (const Error& e) {
        return e.plainMessage();
    }
    return "";
}

std::size_t rebuildIndex(const std::string& dbfPath, const std::vector<TagDef>& tags)
{
    if (tags.empty()) throw Error(dbfPath, "no tags are known to build the index from");
    // A pack cut short is finished first, as every open does.
    completePackJournal(dbfPath);
    DbfFile dbf;
    dbf.open(dbfPath, true);
    if (dbf.header().isVisual()) throw Error(dbfPath, "Visual FoxPro tables are only read");
    // The locks of an exclusive open of a table with a structural index.
    const LockLayout locks(true, dbf.header().headerLength, dbf.header().recordLength);
    const std::string busy = "the table cannot be opened exclusively: another user has it open";
    const RangeLock openLock = RangeLock::acquire(dbf.fd(), LockLayout::kOpenByte, 1, true, dbfPath, busy);
    const RangeLock fileLock =
        RangeLock::acquire(dbf.fd(), locks.fileStart(), locks.fileLength() + 1, true, dbfPath, busy);
    std::vector<FieldDef> fields;
    std::vector<FieldSlot> slots;
    std::vector<int> layoutIndex;
    visibleFields(dbf.header(), fields, slots, layoutIndex);
    std::string cdxPath = findCompanion(dbfPath, "CDX");
    if (cdxPath.empty()) cdxPath = newCompanionPath(dbfPath, "CDX");
    replaceIndexFile(dbf, fields, slots, tags, dbf.reloadCount(), cdxPath);
    markIndexed(dbf);
    return tags.size();
}

}  // namespace foxpro
