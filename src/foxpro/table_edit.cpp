// Editing a Table: edit (with the record lock), append, post, cancel and
// delete. An append writes the memos, the record and then its index keys
// before it raises the header's record count, so a crash half-way leaves at
// most invisible records, and index entries whose records are in the file:
// the next append at each such place (or a reindex) clears them. In
// exclusive use appends and their index changes are kept in memory and
// written in batches, in the same order, when a batch is full and before
// any other change.
#include "foxpro/field_codec.h"
#include "foxpro/table_impl.h"

namespace foxpro {

std::string Table::Impl::blankRecord() const
{
    return std::string(dbf.header().recordLength, ' ');
}

void Table::Impl::finishPendingEdit()
{
    if (state != EditState::None) {
        if (state == EditState::Append)
            postAppend();
        else
            postEdit();
    }
}

RecordKeys Table::Impl::keysOf(std::string_view record, std::uint32_t r)
{
    RecordKeys keys;
    if (!cdx) return keys;
    StoredRecord rec(fields, slots);
    rec.reset(record, r);
    for (int t = 0; t < static_cast<int>(cdx->tags().size()); ++t) {
        if (cdx->includes(t, rec))
            keys.emplace_back(cdx->keyFor(t, rec));
        else
            keys.emplace_back(std::nullopt);
    }
    return keys;
}

void Table::Impl::writeMemos()
{
    if (pendingMemos.empty()) return;
    RangeLock lock;
    if (shared())
        lock = RangeLock::acquireWaiting(memo->fd(), LockLayout::kMemoByte, 1, true, memo->path(),
                                         "the memo file is locked by another user");
    for (const auto& [field, bytes] : pendingMemos) {
        const std::uint32_t block = memo->append(bytes);
        const FieldSlot& s = slots[static_cast<std::size_t>(field)];
        buffer.replace(static_cast<std::size_t>(s.offset), static_cast<std::size_t>(s.length),
                       formatMemoBlock(block, s.length));
    }
    pendingMemos.clear();
}

void Table::Impl::updateIndex(const RecordKeys& oldKeys, const RecordKeys& newKeys, std::uint32_t r)
{
    for (std::size_t t = 0; t < newKeys.size(); ++t) {
        const auto& before = t < oldKeys.size() ? oldKeys[t] : std::nullopt;
        const auto& after = newKeys[t];
        if (before == after) continue;
        if (before) cdx->remove(static_cast<int>(t), *before, r);
        if (after) cdx->insert(static_cast<int>(t), *after, r);
    }
}

// A record left beyond the count by an append that never finished may have
// left index entries; they would otherwise shadow the next record there.
// Returns whether the file holds such a record.
bool Table::Impl::removeStaleKeys(std::uint32_t r)
{
    const std::string_view leftover = dbf.recordIfPresent(r);
    if (leftover.empty() || !cdx) return !leftover.empty();
    const RecordKeys keys = keysOf(leftover, r);
    for (std::size_t t = 0; t < keys.size(); ++t) {
        if (!keys[t]) continue;
        CdxCursor probe(*cdx, static_cast<int>(t));
        if (probe.seek(*keys[t], r) && probe.recNo() == r && probe.key() == *keys[t])
            cdx->remove(static_cast<int>(t), *keys[t], r);
    }
    return true;
}

void Table::Impl::postAppend()
{
    undoStaleChange(10000);
    const RecordKeys newKeys = keysOf(buffer, 0);
    RangeLock headerLock;
    if (shared())
        headerLock = RangeLock::acquireWaiting(dbf.fd(), locks.headerByte(), 1, true, path,
                                               "the table header is locked by another user");
    const std::uint32_t r = reloadCount() + 1;
    if (shared() && !bulkLock.held())  // a bulk change's file lock covers every record
        recordLock = RangeLock::acquireWaiting(dbf.fd(), locks.recordByte(r), 1, true, path,
                                               "record " + std::to_string(r) + " is locked by another user");
    writeMemos();
    if (!shared()) {
        // Exclusive use: no one else can see the table, so the record and its
        // keys are kept in memory and written in batches by commitAppends().
        // Leftovers of an unfinished batch lie together after the count:
        // each is cleared as its place is reused, until the file's end.
        if (cdx && staleTail) staleTail = removeStaleKeys(r);
        if (cdx) updateIndex({}, newKeys, r);
        dbf.appendDeferred(buffer);
        if (dbf.deferredCount() >= kDeferredAppends) commitAppends();
    } else if (cdx) {
        IndexWrite index(*this);
        removeStaleKeys(r);
        dbf.writeRecord(r, buffer, true);
        updateIndex({}, newKeys, r);
        index.commit();
        dbf.writeCount(r);
    } else {
        dbf.writeRecord(r, buffer, true);
        dbf.writeCount(r);
    }
    releaseEdit();
    setCurrent(r);
    cursorSynced = false;
}

void Table::Impl::commitAppends()
{
    if (dbf.deferredCount() == 0) {
        if (cdx) cdx->flush();
        return;
    }
    dbf.writeDeferred();
    if (cdx) cdx->flush();
    dbf.writeCount(dbf.recordCount());
}

void Table::Impl::postEdit()
{
    commitAppends();
    const RecordKeys oldKeys = keysOf(original, recno);
    const RecordKeys newKeys = keysOf(buffer, recno);
    writeMemos();
    if (cdx && oldKeys != newKeys) {
        IndexWrite index(*this);
        updateIndex(oldKeys, newKeys, recno);
        index.commit();
    }
    if (journal && oldKeys == newKeys) {
        // No key moves: the record may wait for its batch (reads see it).
        dbf.keepEdited(recno, buffer);
        if (dbf.edited().size() >= kEditBatch) writeEditedRecords();
    } else {
        keepRecord(recno);
        dbf.writeRecord(recno, buffer, false);
    }
    releaseEdit();
    cursorSynced = false;
}

void Table::Impl::releaseEdit()
{
    state = EditState::None;
    buffer.clear();
    original.clear();
    pendingMemos.clear();
    recordLock.release();
}

void Table::edit()
{
    Impl& t = *impl_;
    t.requireWritable();
    if (t.state != Impl::EditState::None) return;
    t.undoStaleChange(0);  // may leave a record that it undoes
    if (t.recno == 0) throw Error(t.path, "there is no current record to edit");
    if (t.shared() && !t.bulkLock.held())
        t.recordLock = RangeLock::acquire(t.dbf.fd(), t.locks.recordByte(t.recno), 1, true, t.path,
                                          "record " + std::to_string(t.recno) + " is locked by another user");
    t.original.assign(t.dbf.record(t.recno));
    t.buffer = t.original;
    t.state = Impl::EditState::Edit;
}

void Table::append()
{
    Impl& t = *impl_;
    t.requireWritable();
    t.finishPendingEdit();
    t.buffer = t.blankRecord();
    t.state = Impl::EditState::Append;
}

void Table::post()
{
    impl_->finishPendingEdit();
}

void Table::cancel()
{
    impl_->releaseEdit();
}

bool Table::editing() const
{
    return impl_->state != Impl::EditState::None;
}

void Table::remove()
{
    Impl& t = *impl_;
    t.requireWritable();
    if (t.state == Impl::EditState::Append) {
        t.releaseEdit();
        return;
    }
    if (t.recno == 0) throw Error(t.path, "there is no current record to delete");
    t.commitAppends();
    t.undoStaleChange(0);
    if (t.recno == 0) throw Error(t.path, "there is no current record to delete");
    RangeLock lock;
    if (t.shared() && !t.recordLock.held() && !t.bulkLock.held())
        lock = RangeLock::acquire(t.dbf.fd(), t.locks.recordByte(t.recno), 1, true, t.path,
                                  "record " + std::to_string(t.recno) + " is locked by another user");
    t.keepRecord(t.recno);
    t.dbf.writeDeletedFlag(t.recno, true);
    t.releaseEdit();
    lock.release();
    t.next();
}

}  // namespace foxpro
