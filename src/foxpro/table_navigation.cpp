// Order, filter, navigation and seeks of a Table. Every move sees only
// undeleted records that pass the active filter. In shared mode the record
// count is re-read when a walk reaches the end (another process may have
// appended) and the index is re-read under its shared lock before each
// positioning, so other processes' changes show. A seek first tries the
// cached index pages without the lock, which answers as a locked search
// would while the index's change counter shows no change since they were
// read under the lock.
#include <chrono>
#include <thread>

#include "foxpro/table_impl.h"

namespace foxpro {

bool Table::Impl::visible(std::uint32_t r)
{
    const std::string_view rec = dbf.record(r);
    if (rec[0] == '*') return false;
    if (!filterOn || !filterExpr) return true;
    view.reset(rec, r);
    return filterExpr->evaluateBool(view);
}

void Table::Impl::setCurrent(std::uint32_t r)
{
    recno = r;
    atEof = false;
    atBof = false;
}

void Table::Impl::setEof()
{
    recno = 0;
    atEof = true;
    atBof = false;
    cursorSynced = false;
}

void Table::Impl::setBof()
{
    recno = 0;
    atEof = false;
    atBof = true;
    cursorSynced = false;
}

std::uint32_t Table::Impl::reloadCount()
{
    return shared() ? dbf.reloadCount() : dbf.recordCount();
}

bool Table::Impl::physicalForward(std::uint32_t from)
{
    for (std::uint32_t r = from;; ++r) {
        if (r > dbf.recordCount() && r > reloadCount()) return false;
        if (visible(r)) {
            setCurrent(r);
            return true;
        }
    }
}

bool Table::Impl::physicalBackward(std::uint32_t from)
{
    for (std::uint32_t r = std::min(from, dbf.recordCount()); r >= 1; --r) {
        if (visible(r)) {
            setCurrent(r);
            return true;
        }
    }
    return false;
}

// Whether record r holds the key of the index entry the cursor stands on,
// so that a damaged index never hands out a record it does not describe.
// In shared use the entry may come from pages another process has changed
// since, or the record's new bytes may follow its new keys by a moment:
// the index is re-read under its lock and the record read again before a
// difference counts as damage. False: the entry was gone from the current
// index and the cursor now stands where it would have been.
bool Table::Impl::entryHolds(std::uint32_t r)
{
    view.reset(dbf.record(r), r);
    if (cdx->keyFor(tag, view) == cursor->key()) return true;
    const std::string key = cursor->key();
    if (shared()) {
        IndexRead guard(*this);
        if (!cursor->seek(key, r) || cursor->recNo() != r || cursor->key() != key) return false;
        for (int attempt = 0; attempt < 50; ++attempt) {
            view.reset(dbf.record(r), r);
            if (cdx->keyFor(tag, view) == key) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    const std::string tagName = cdx->tags()[static_cast<std::size_t>(tag)].name;
    throw Error(path, "index tag " + tagName + " lists record " + std::to_string(r) +
                          " under a key the record does not hold (the index is damaged; reindex the table)");
}

// Index entries of records beyond the count belong to an append another
// process has not finished: they are skipped until the count shows them.
bool Table::Impl::tagForward(bool valid)
{
    while (valid) {
        const std::uint32_t r = cursor->recNo();
        if ((r <= dbf.recordCount() || r <= reloadCount()) && visible(r)) {
            if (!entryHolds(r)) {
                valid = cursor->valid();
                continue;
            }
            setCurrent(r);
            cursorSynced = true;
            return true;
        }
        valid = cursor->next();
    }
    return false;
}

bool Table::Impl::tagBackward(bool valid)
{
    while (valid) {
        const std::uint32_t r = cursor->recNo();
        if ((r <= dbf.recordCount() || r <= reloadCount()) && visible(r)) {
            if (!entryHolds(r)) {
                valid = cursor->valid() ? cursor->prev() : cursor->last();
                continue;
            }
            setCurrent(r);
            cursorSynced = true;
            return true;
        }
        valid = cursor->prev();
    }
    return false;
}

void Table::Impl::beginIndexRead()
{
    if (!shared() || indexReadDepth++ > 0) return;
    indexReadLock = RangeLock::acquireWaiting(cdx->fd(), LockLayout::kCdxByte, 1, false, cdx->path(),
                                              "the index is being updated by another user");
    cdx->setLocked(true);
    cdx->refresh();
    cursorSynced = false;
}

void Table::Impl::endIndexRead()
{
    if (!shared() || --indexReadDepth > 0) return;
    cdx->setLocked(false);
    indexReadLock.release();
}

bool Table::Impl::syncCursor()
{
    if (cursorSynced) return true;
    view.reset(dbf.record(recno), recno);
    const std::string key = cdx->keyFor(tag, view);
    const bool valid = cursor->seek(key, recno);
    cursorSynced = valid && cursor->recNo() == recno && cursor->key() == key;
    return cursorSynced;
}

void Table::Impl::first()
{
    finishPendingEdit();
    if (tag < 0) {
        if (!physicalForward(1)) setEof();
        return;
    }
    IndexRead guard(*this);
    if (!tagForward(cursor->first())) setEof();
}

void Table::Impl::last()
{
    finishPendingEdit();
    if (tag < 0) {
        if (!physicalBackward(reloadCount())) setEof();
        return;
    }
    IndexRead guard(*this);
    reloadCount();
    if (!tagBackward(cursor->last())) setEof();
}

void Table::Impl::next()
{
    finishPendingEdit();
    if (atEof) return;
    if (atBof) {
        first();
        return;
    }
    if (tag < 0) {
        if (!physicalForward(recno + 1)) setEof();
        return;
    }
    const bool onCurrent = cursorSynced || syncCursor();
    if (!tagForward(onCurrent ? cursor->next() : cursor->valid())) setEof();
}

void Table::Impl::prior()
{
    finishPendingEdit();
    if (atBof) return;
    if (atEof) {
        last();
        return;
    }
    if (tag < 0) {
        if (!physicalBackward(recno - 1)) setBof();
        return;
    }
    if (!cursorSynced) syncCursor();
    if (!tagBackward(cursor->valid() ? cursor->prev() : cursor->last())) setBof();
}

namespace {

// Limits index reads to cached pages for one search.
class CacheOnly {
public:
    explicit CacheOnly(CdxFile& cdx) : cdx_(cdx) { cdx_.setCacheOnly(true); }
    ~CacheOnly() { cdx_.setCacheOnly(false); }
    CacheOnly(const CacheOnly&) = delete;
    CacheOnly& operator=(const CacheOnly&) = delete;

private:
    CdxFile& cdx_;
};

}  // namespace

bool Table::Impl::seek(const std::vector<std::string>& parts, bool partial, bool nearest)
{
    finishPendingEdit();
    if (tag < 0) throw Error(path, "a seek needs an index tag; the table is in physical order");
    const std::string key = cdx->keyFromParts(tag, parts, partial);
    if (shared() && indexReadDepth == 0 && cdx->cacheCurrent()) {
        try {
            CacheOnly cached(*cdx);
            return seekKey(key, nearest);
        } catch (const CdxNotCached&) {
            // A page the search needs is not cached: search under the lock.
        }
    }
    IndexRead guard(*this);
    return seekKey(key, nearest);
}

bool Table::Impl::seekKey(const std::string& key, bool nearest)
{
    const std::uint32_t before = recno;
    const bool wasEof = atEof;
    const bool wasBof = atBof;
    const bool found = tagForward(cursor->seek(key));
    const bool matches = found && cursor->key().compare(0, key.size(), key) == 0;
    if (!matches) verifyMiss();
    if (nearest) {
        if (!found) setEof();
        return matches;
    }
    if (!matches) {
        recno = before;
        atEof = wasEof;
        atBof = wasBof;
        cursorSynced = false;
    }
    return matches;
}

// A key that is not found may be missing because its entry was damaged into
// a smaller key: the entry before the place the search ended must then hold
// its record's key too.
void Table::Impl::verifyMiss()
{
    const std::uint32_t count = dbf.recordCount();
    bool valid = cursorSynced && cursor->valid() ? cursor->prev() : cursor->last();
    while (valid && cursor->recNo() > count) valid = cursor->prev();
    if (valid) entryHolds(cursor->recNo());
    cursorSynced = false;
}

std::string_view Table::Impl::current() const
{
    if (state != EditState::None) return buffer;
    if (recno == 0) return blank;
    return dbf.record(recno);
}

void Table::setTag(const std::string& name)
{
    Impl& t = *impl_;
    t.requireOpen();
    t.finishPendingEdit();
    if (name.empty()) {
        t.tag = -1;
        t.cursor.reset();
        return;
    }
    const int index = t.cdx ? t.cdx->tagIndex(name) : -1;
    if (index < 0) throw Error(t.path, "the table has no index tag " + name);
    const CdxTagInfo& info = t.cdx->tags()[static_cast<std::size_t>(index)];
    if (!info.usable) throw Error(t.cdx->path(), "tag " + info.name + " cannot be used: " + info.problem);
    t.cursor.emplace(*t.cdx, index);
    t.tag = index;
    t.cursorSynced = false;
}

std::string Table::tag() const
{
    return impl_->tag < 0 ? "" : impl_->cdx->tags()[static_cast<std::size_t>(impl_->tag)].name;
}

void Table::setFilter(const std::string& expression)
{
    Impl& t = *impl_;
    t.requireOpen();
    t.finishPendingEdit();
    if (expression.empty()) {
        t.filterExpr.reset();
        t.filterText.clear();
        return;
    }
    Expression parsed = Expression::parse(expression, t.fields, t.path);
    if (parsed.type() != ValueType::Logical)
        throw Error(t.path, "the filter \"" + expression + "\" is not a condition");
    t.filterExpr = std::move(parsed);
    t.filterText = expression;
}

const std::string& Table::filter() const
{
    return impl_->filterText;
}

void Table::setFilterActive(bool active)
{
    impl_->finishPendingEdit();
    impl_->filterOn = active;
}

bool Table::filterActive() const
{
    return impl_->filterOn;
}

void Table::first()
{
    impl_->requireOpen();
    impl_->first();
}

void Table::last()
{
    impl_->requireOpen();
    impl_->last();
}

void Table::next()
{
    impl_->requireOpen();
    impl_->next();
}

void Table::prior()
{
    impl_->requireOpen();
    impl_->prior();
}

bool Table::eof() const
{
    return impl_->atEof;
}

bool Table::bof() const
{
    return impl_->atBof;
}

std::uint32_t Table::recNo() const
{
    return impl_->recno;
}

void Table::go(std::uint32_t recno)
{
    Impl& t = *impl_;
    t.requireOpen();
    t.finishPendingEdit();
    if (recno < 1 || (recno > t.dbf.recordCount() && recno > t.reloadCount()))
        throw Error(t.path, "record " + std::to_string(recno) + " does not exist (the table has " +
                                std::to_string(t.dbf.recordCount()) + " records)");
    t.setCurrent(recno);
    t.cursorSynced = false;
}

std::uint32_t Table::recordCount()
{
    impl_->requireOpen();
    return impl_->reloadCount();
}

void Table::refresh()
{
    Impl& t = *impl_;
    t.requireOpen();
    t.finishPendingEdit();
    t.commitAppends();
    t.reloadCount();
    if (t.cdx && t.shared()) {
        RangeLock lock = RangeLock::acquireWaiting(t.cdx->fd(), LockLayout::kCdxByte, 1, false, t.cdx->path(),
                                                   "the index is being updated by another user");
        t.cdx->refresh();
    }
    t.cursorSynced = false;
}

bool Table::seek(const std::vector<std::string>& parts, bool partial)
{
    impl_->requireOpen();
    return impl_->seek(parts, partial, false);
}

bool Table::seekNearest(const std::vector<std::string>& parts, bool partial)
{
    impl_->requireOpen();
    return impl_->seek(parts, partial, true);
}

}  // namespace foxpro
