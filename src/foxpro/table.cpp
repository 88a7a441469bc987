// Opening, closing and the structure of a table; the public Table methods
// that only forward to Table::Impl.
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <exception>

#include "foxpro/pack_journal.h"
#include "foxpro/table_files.h"
#include "foxpro/table_impl.h"

namespace foxpro {

namespace {

std::string upper(std::string s)
{
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

void Table::Impl::open(const std::string& dbfPath, OpenMode openMode)
{
    path = dbfPath;
    mode = openMode;
    // A pack cut short between replacing its files is finished first, so the
    // table never opens with a new memo or index file beside the old table.
    completePackJournal(dbfPath);
    // A file without write permission is opened read-only even where the
    // system would allow writing (as it does for root): a read-only data
    // folder must stay untouched.
    struct stat st {};
    writable =
        ::access(dbfPath.c_str(), W_OK) == 0 && ::stat(dbfPath.c_str(), &st) == 0 && (st.st_mode & 0222) != 0;
    dbf.open(dbfPath, writable);
    if (dbf.header().isVisual()) writable = false;  // Visual FoxPro tables are only read
    visibleFields(dbf.header(), fields, slots, layoutIndex);
    for (std::size_t i = 0; i < fields.size(); ++i) fieldByName[fields[i].name] = static_cast<int>(i);
    blank.assign(dbf.header().recordLength, ' ');

    const std::string cdxPath = findCompanion(dbfPath, "CDX");
    if (cdxPath.empty() && dbf.header().hasStructuralCdx())
        throw Error(dbfPath, "the structural index file " + baseName(newCompanionPath(dbfPath, "CDX")) +
                                 " is missing");
    locks = LockLayout(!cdxPath.empty(), dbf.header().headerLength, dbf.header().recordLength);
    takeOpenLocks(dbf.fd(), dbfPath);
    // A bulk change whose writer died is undone before anything is read.
    if (UndoJournal::existsFor(dbfPath)) recoverInterruptedChange();

    if (dbf.header().hasMemoFields()) {
        const std::string fpt = findCompanion(dbfPath, "FPT");
        if (fpt.empty())
            throw Error(dbfPath,
                        "the memo file " + baseName(newCompanionPath(dbfPath, "FPT")) + " is missing");
        memo.emplace();
        memo->open(fpt, writable);
    }
    if (!cdxPath.empty()) openIndex(cdxPath);
    first();
}

void Table::Impl::openIndex(const std::string& cdxPath)
{
    cdx.emplace(cdxPath, fields, writable ? CdxFile::Mode::ReadWrite : CdxFile::Mode::ReadOnly);
    if (writable && !shared()) cdx->setWriteBack(true);
}

void Table::Impl::takeOpenLocks(int fd, const std::string& file)
{
    if (mode == OpenMode::Shared) {
        openLock = RangeLock::acquire(fd, LockLayout::kOpenByte, 1, false, file,
                                      "the table is open exclusively by another user");
        return;
    }
    if (!writable) throw Error(file, "a read-only table cannot be opened exclusively");
    const std::string busy = "the table cannot be opened exclusively: another user has it open";
    openLock = RangeLock::acquire(fd, LockLayout::kOpenByte, 1, true, file, busy);
    fileLock = RangeLock::acquire(fd, locks.fileStart(), locks.fileLength() + 1, true, file, busy);
}

void Table::Impl::close()
{
    // Appends kept in memory are written before the files close; a failure
    // is still reported after everything has been released.
    std::exception_ptr failure;
    try {
        if (journal)
            rollbackBulk();  // a bulk change never committed leaves nothing
        else if (dbf.isOpen())
            commitAppends();
    } catch (const Error&) {
        failure = std::current_exception();
    }
    state = EditState::None;
    pendingMemos.clear();
    recordLock.release();
    bulkLock.release();
    indexReadLock.release();
    fileLock.release();
    openLock.release();
    cursor.reset();
    cdx.reset();
    memo.reset();
    dbf.close();
    if (failure) std::rethrow_exception(failure);
}

int Table::Impl::fieldIndexOf(const std::string& name) const
{
    // Callers mostly spell names as stored (upper case): try that first.
    auto it = fieldByName.find(name);
    if (it == fieldByName.end()) it = fieldByName.find(upper(name));
    return it == fieldByName.end() ? -1 : it->second;
}

int Table::Impl::requireField(const std::string& name) const
{
    const int i = fieldIndexOf(name);
    if (i < 0) throw Error(path, "the table has no field " + name);
    return i;
}

bool Table::Impl::isNull(std::string_view record, int field) const
{
    const FieldLayout& f = layoutOf(field);
    const DbfHeader& h = dbf.header();
    if (f.nullBit < 0 || h.nullFlagsField < 0) return false;
    const FieldLayout& flags = h.fields[static_cast<std::size_t>(h.nullFlagsField)];
    const auto byte =
        static_cast<unsigned char>(record[static_cast<std::size_t>(flags.offset + f.nullBit / 8)]);
    return (byte >> (f.nullBit % 8)) & 1;
}

Table::Table() : impl_(std::make_unique<Impl>()) {}

Table::Table(const std::string& dbfPath, OpenMode mode) : Table()
{
    open(dbfPath, mode);
}

void Table::Impl::closeReporting() noexcept
{
    try {
        close();
    } catch (const Error& e) {
        // No caller is left to tell: say it where a person can see it.
        std::fprintf(stderr, "%s\n", e.what());
    }
}

Table::~Table()
{
    if (impl_) impl_->closeReporting();
}

Table::Table(Table&&) noexcept = default;

Table& Table::operator=(Table&& other) noexcept
{
    if (this != &other) {
        if (impl_) impl_->closeReporting();
        impl_ = std::move(other.impl_);
    }
    return *this;
}

void Table::open(const std::string& dbfPath, OpenMode mode)
{
    close();
    auto fresh = std::make_unique<Impl>();
    fresh->open(dbfPath, mode);
    impl_ = std::move(fresh);
}

void Table::close()
{
    if (impl_) impl_->close();
    impl_ = std::make_unique<Impl>();
}

bool Table::isOpen() const
{
    return impl_ && impl_->dbf.isOpen();
}

const std::string& Table::path() const
{
    return impl_->path;
}

OpenMode Table::mode() const
{
    return impl_->mode;
}

const std::vector<FieldDef>& Table::fields() const
{
    return impl_->fields;
}

int Table::fieldIndex(const std::string& name) const
{
    return impl_->fieldIndexOf(name);
}

std::vector<TagDef> Table::tags() const
{
    std::vector<TagDef> out;
    if (!impl_->cdx) return out;
    for (const CdxTagInfo& t : impl_->cdx->tags())
        out.push_back({t.name, t.expression, t.forExpression, t.unique});
    return out;
}

}  // namespace foxpro
