// Table::Impl: the state behind foxpro::Table (open files, locks, order,
// current record, filter, edit buffer), shared by the table_*.cpp files.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foxpro/cdx_file.h"
#include "foxpro/dbf_file.h"
#include "foxpro/expression.h"
#include "foxpro/locks.h"
#include "foxpro/memo_file.h"
#include "foxpro/stored_record.h"
#include "foxpro/table.h"
#include "foxpro/undo_journal.h"

namespace foxpro {

// Keys of one record in every tag: nullopt where the FOR condition leaves
// the record out.
using RecordKeys = std::vector<std::optional<std::string>>;

class Table::Impl {
public:
    enum class EditState { None, Edit, Append };

    Impl() : view(fields, slots) {}

    // Opening and closing (table.cpp).
    void open(const std::string& dbfPath, OpenMode openMode);
    void close();
    // close() for destructors: a failure is printed, not thrown.
    void closeReporting() noexcept;
    void takeOpenLocks(int fd, const std::string& file);
    void requireOpen() const
    {
        if (!dbf.isOpen()) throw Error(path, "the table is not open");
    }

    // Fields.
    int fieldIndexOf(const std::string& name) const;
    int requireField(const std::string& name) const;
    const FieldLayout& layoutOf(int field) const
    {
        return dbf.header().fields[static_cast<std::size_t>(layoutIndex[static_cast<std::size_t>(field)])];
    }
    std::string_view rawOf(std::string_view record, int field) const
    {
        const FieldSlot& s = slots[static_cast<std::size_t>(field)];
        return record.substr(static_cast<std::size_t>(s.offset), static_cast<std::size_t>(s.length));
    }
    bool isNull(std::string_view record, int field) const;

    // Navigation (table_navigation.cpp).
    bool visible(std::uint32_t recno);
    void setCurrent(std::uint32_t recno);
    void setEof();
    void setBof();
    bool physicalForward(std::uint32_t from);
    bool physicalBackward(std::uint32_t from);
    bool tagForward(bool valid);
    bool tagBackward(bool valid);
    // Whether record r holds the key of the cursor's entry (throws when the
    // index is damaged; false when the entry was stale and the cursor moved).
    bool entryHolds(std::uint32_t r);
    // After a search found no match: checks the entry before where it ended.
    void verifyMiss();
    // Positions the cursor on the current record; true when it sits exactly
    // on the current record's entry.
    bool syncCursor();
    void beginIndexRead();
    void endIndexRead();
    // Opens the structural index (write-back in exclusive use).
    void openIndex(const std::string& cdxPath);
    void first();
    void last();
    void next();
    void prior();
    bool seek(const std::vector<std::string>& parts, bool partial, bool nearest);
    bool seekKey(const std::string& key, bool nearest);
    std::uint32_t reloadCount();

    // The current record's bytes (the edit buffer while editing; a blank
    // record at eof/bof, as FoxPro reads its phantom record).
    std::string_view current() const;

    // Editing (table_edit.cpp).
    void requireWritable() const;
    void finishPendingEdit();
    std::string blankRecord() const;
    RecordKeys keysOf(std::string_view record, std::uint32_t recno);
    void writeMemos();
    void postAppend();
    void postEdit();
    void updateIndex(const RecordKeys& oldKeys, const RecordKeys& newKeys, std::uint32_t recno);
    bool removeStaleKeys(std::uint32_t recno);
    // Exclusive use keeps appended records in memory for a while: writes
    // them, then the index, then the header count.
    void commitAppends();
    static constexpr std::uint32_t kDeferredAppends = 4096;
    void releaseEdit();

    // Bulk changes (table_bulk.cpp).
    void beginBulk(int waitMs);
    void commitBulk();
    void rollbackBulk();
    // Undoes a change whose writer died, when no writer holds the file lock.
    void recoverInterruptedChange();
    // Before a single write in shared use: undoes a change whose writer
    // died while this table was open, so the write does not build on it.
    void undoStaleChange(int waitMs);
    // Puts the undo journal back into the files and re-reads them.
    void undoFromJournal();
    // Keeps record r in the undo journal before it is overwritten.
    void keepRecord(std::uint32_t r);
    // A bulk change writes edits that leave every key alone in batches: the
    // undo copies of a batch reach the journal with one flush.
    static constexpr std::size_t kEditBatch = 4096;
    void writeEditedRecords();
    bool inBulk() const { return journal != nullptr; }

    std::string path;
    OpenMode mode = OpenMode::Shared;
    bool writable = false;
    DbfFile dbf;
    std::optional<MemoFile> memo;
    std::optional<CdxFile> cdx;
    LockLayout locks;
    RangeLock openLock;
    RangeLock fileLock;
    int indexReadDepth = 0;
    RangeLock indexReadLock;

    std::vector<FieldDef> fields;
    std::vector<FieldSlot> slots;
    std::vector<int> layoutIndex;
    std::map<std::string, int> fieldByName;

    int tag = -1;
    std::optional<CdxCursor> cursor;
    bool cursorSynced = false;
    std::uint32_t recno = 0;
    bool atEof = true;
    bool atBof = false;

    std::string filterText;
    std::optional<Expression> filterExpr;
    bool filterOn = false;

    EditState state = EditState::None;
    std::string buffer;
    std::string original;
    std::map<int, std::string> pendingMemos;
    RangeLock recordLock;
    bool staleTail = true;  // exclusive appends may still reach leftover records

    std::unique_ptr<UndoJournal> journal;  // set while a bulk change runs
    RangeLock bulkLock;                    // the file lock of a bulk change (shared mode)

    StoredRecord view;
    std::string blank;

    bool shared() const { return mode == OpenMode::Shared; }

    // Field setters' helpers (table_fields.cpp).
    void requireEditing() const;
    void store(int field, const std::string& bytes);
    std::string cp1252Of(const std::string& utf8, const std::string& field) const;

    // Holds the index's shared lock (shared mode) for one positioning
    // operation; the index is re-read when it is taken.
    class IndexRead {
    public:
        explicit IndexRead(Impl& t) : t_(t.tag >= 0 ? &t : nullptr)
        {
            if (t_) t_->beginIndexRead();
        }
        ~IndexRead()
        {
            if (t_) t_->endIndexRead();
        }
        IndexRead(const IndexRead&) = delete;
        IndexRead& operator=(const IndexRead&) = delete;

    private:
        Impl* t_;
    };

    // Holds the index's exclusive lock (shared mode) while keys change.
    class IndexWrite {
    public:
        explicit IndexWrite(Impl& t) : t_(t)
        {
            if (!t_.shared()) return;  // exclusive use: nobody else changes the index
            lock_ = RangeLock::acquireWaiting(t_.cdx->fd(), LockLayout::kCdxByte, 1, true, t_.cdx->path(),
                                              "the index is locked by another user");
            t_.cdx->setLocked(true);
            t_.cdx->refresh();
        }
        ~IndexWrite()
        {
            if (lock_.held()) t_.cdx->setLocked(false);
        }
        IndexWrite(const IndexWrite&) = delete;
        IndexWrite& operator=(const IndexWrite&) = delete;
        void commit() { t_.cdx->flush(); }

    private:
        Impl& t_;
        RangeLock lock_;
    };
};

}  // namespace foxpro
