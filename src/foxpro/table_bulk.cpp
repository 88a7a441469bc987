// Bulk changes of a Table: one file lock from the first read to the last
// write, and an undo journal that a failure, a close before commit, or the
// next opener after a crash plays back, so that the change is all or nothing.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include "foxpro/table_impl.h"

namespace foxpro {

void Table::Impl::keepRecord(std::uint32_t r)
{
    writeEditedRecords();
    if (journal) journal->keepRecord(r, dbf.stored(r));
}

void Table::Impl::writeEditedRecords()
{
    if (dbf.edited().empty()) return;
    std::vector<std::pair<std::uint32_t, std::string_view>> originals;
    for (const auto& [r, bytes] : dbf.edited()) originals.emplace_back(r, dbf.stored(r));
    if (journal) journal->keepRecords(originals);
    dbf.writeEdited();
}

void Table::Impl::undoFromJournal()
{
    // The index object is dropped with whatever it still holds in memory and
    // opened again on the restored file.
    const std::string cdxPath = cdx ? cdx->path() : std::string();
    cursor.reset();
    cursorSynced = false;
    cdx.reset();
    try {
        UndoJournal::rollBack(path);
    } catch (const Error& e) {
        if (!cdxPath.empty()) openIndex(cdxPath);
        throw Error(path, "the change could not be undone (" + e.plainMessage() +
                              "); it is undone when the table is next opened");
    }
    if (!cdxPath.empty()) {
        openIndex(cdxPath);
        if (tag >= 0) cursor.emplace(*cdx, tag);
    }
    dbf.reloadCount();
    staleTail = true;  // the undone records stay in the file past the count
    if (recno > dbf.recordCount()) setEof();
}

void Table::Impl::recoverInterruptedChange()
{
    RangeLock probe;
    if (shared()) {
        // A writer at work holds the file lock: its journal is not stale.
        if (!tryLockRange(dbf.fd(), locks.fileStart(), locks.fileLength(), writable, path)) return;
        probe = RangeLock(dbf.fd(), locks.fileStart(), locks.fileLength());
    }
    if (!UndoJournal::existsFor(path)) return;  // its writer finished meanwhile
    if (!writable)
        throw Error(path,
                    "a change cut short was left in the table; it is undone when the table is next opened "
                    "with write access");
    UndoJournal::rollBack(path);
    dbf.reloadCount();
}

void Table::Impl::undoStaleChange(int waitMs)
{
    if (!shared() || journal || recordLock.held() || !UndoJournal::existsFor(path)) return;
    // A living writer keeps the file lock: waiting ends with an error, and
    // without waiting the write's own record lock fails.
    RangeLock probe;
    if (waitMs > 0)
        probe = RangeLock::acquireWaiting(dbf.fd(), locks.fileStart(), locks.fileLength(), true, path,
                                          "the table is being changed by another user", waitMs);
    else if (tryLockRange(dbf.fd(), locks.fileStart(), locks.fileLength(), true, path))
        probe = RangeLock(dbf.fd(), locks.fileStart(), locks.fileLength());
    else
        return;
    if (UndoJournal::existsFor(path)) undoFromJournal();
}

void Table::Impl::beginBulk(int waitMs)
{
    requireWritable();
    if (journal) throw Error(path, "internal error: a bulk change is already running");
    finishPendingEdit();
    commitAppends();
    if (shared())
        bulkLock = RangeLock::acquireWaiting(dbf.fd(), locks.fileStart(), locks.fileLength(), true, path,
                                             "the table is being changed by another user", waitMs);
    try {
        // A writer that died before this change took the lock.
        if (UndoJournal::existsFor(path)) undoFromJournal();
        reloadCount();
        RangeLock indexLock;
        if (cdx && shared())
            indexLock = RangeLock::acquireWaiting(cdx->fd(), LockLayout::kCdxByte, 1, false, cdx->path(),
                                                  "the index is locked by another user");
        auto started = std::make_unique<UndoJournal>();
        started->start(path, cdx ? cdx->path() : std::string(), memo ? memo->path() : std::string());
        journal = std::move(started);
    } catch (...) {
        bulkLock.release();
        throw;
    }
}

void Table::Impl::commitBulk()
{
    if (!journal) throw Error(path, "internal error: no bulk change is running");
    finishPendingEdit();
    writeEditedRecords();
    commitAppends();
    dbf.sync();
    if (memo) memo->sync();
    if (cdx && ::fsync(cdx->fd()) != 0)
        throw Error(cdx->path(), std::string("cannot make the index durable: ") + std::strerror(errno));
    journal->discard();
    journal.reset();
    bulkLock.release();
}

void Table::Impl::rollbackBulk()
{
    if (!journal) return;
    releaseEdit();
    dbf.discardDeferred();
    dbf.discardEdited();
    journal.reset();  // closes it; the file stays for undoFromJournal
    try {
        undoFromJournal();
    } catch (...) {
        bulkLock.release();
        throw;
    }
    bulkLock.release();
}

void Table::beginBulk(int waitMs)
{
    impl_->beginBulk(waitMs);
}

void Table::commitBulk()
{
    impl_->commitBulk();
}

void Table::rollbackBulk()
{
    impl_->rollbackBulk();
}

bool Table::inBulk() const
{
    return impl_->inBulk();
}

}  // namespace foxpro
