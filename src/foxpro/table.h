// foxpro::Table: one open FoxPro table (DBF with its structural CDX and FPT
// memo file) as the application uses it: fields by name, a current record,
// tags, seek, filter, editing with record locks, pack and reindex.
//
// All text crossing this interface is UTF-8; the files hold Windows-1252 and
// the conversion happens here, at the file boundary. Widths count characters.
// Dates cross the interface in FoxPro's DTOS form "yyyymmdd" ("" = empty).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "foxpro/error.h"
#include "foxpro/schema.h"

namespace foxpro {

enum class OpenMode { Shared, Exclusive };

class Table {
public:
    // Creates DBF (+ CDX when tags are given, + FPT when a memo field is given).
    // Fails if the DBF already exists.
    static void create(const std::string& dbfPath, const std::vector<FieldDef>& fields,
                       const std::vector<TagDef>& tags = {});

    Table();
    Table(const std::string& dbfPath, OpenMode mode = OpenMode::Shared);
    ~Table();
    Table(Table&&) noexcept;
    Table& operator=(Table&&) noexcept;
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    void open(const std::string& dbfPath, OpenMode mode = OpenMode::Shared);
    void close();  // cancels a pending edit/append
    bool isOpen() const;
    const std::string& path() const;
    OpenMode mode() const;

    // Structure.
    const std::vector<FieldDef>& fields() const;
    int fieldIndex(const std::string& name) const;  // ignoring case; -1 when absent
    bool hasField(const std::string& name) const { return fieldIndex(name) >= 0; }
    std::vector<TagDef> tags() const;  // in the order the CDX holds them

    // Order: a tag by name (case ignored) or "" for physical order. Keeps the
    // current record. Throws for an unknown tag or one whose expression the
    // engine cannot evaluate.
    void setTag(const std::string& name);
    std::string tag() const;  // "" when in physical order; else the stored (upper-case) name

    // Filter: an expression such as "LCM_COD = 'TR'". Throws with the position
    // of a syntax error. An empty text removes the filter.
    void setFilter(const std::string& expression);
    const std::string& filter() const;
    void setFilterActive(bool active);
    bool filterActive() const;

    // Navigation; everything sees only undeleted records that pass the active filter.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const;  // past the last record (or the table is empty)
    bool bof() const;  // before the first record (after prior() on the first)
    // Physical record number (1-based) of the current record; 0 at eof/bof.
    std::uint32_t recNo() const;
    // Goes to a physical record (even one that fails the filter). Throws if out of range.
    void go(std::uint32_t recNo);
    // Records in the file (deleted ones included), re-read from the header.
    std::uint32_t recordCount();
    // Re-reads the header and drops cached pages so that other processes' work shows.
    void refresh();

    // Search on the current tag. Each part is one term of the key expression,
    // in the form of its field: character text, "yyyymmdd" for dates, decimal
    // text for numbers. Character parts are padded to the field width, except
    // the last one when partial is true (a prefix search).
    // seek: exact; true and positioned on the first match, or false and the
    // current record unchanged.
    bool seek(const std::vector<std::string>& parts, bool partial = false);
    // seekNearest: the first record whose key is >= the given key (eof when none).
    // Returns true when that record's key equals the given key.
    bool seekNearest(const std::vector<std::string>& parts, bool partial = false);

    // Reading the current record (or the edit buffer while editing).
    // Character: the text with trailing blanks removed. Numeric/Float: the
    // stored digits trimmed ("123.4500", "" when blank). Date: "dd/mm/yyyy" or "".
    // Logical: "T"/"F"/"". Memo: the memo text.
    std::string getString(const std::string& field) const;
    // Character field exactly as stored, blanks included.
    std::string getRaw(const std::string& field) const;
    double getNumber(const std::string& field) const;  // blank = 0
    std::string getDate(const std::string& field) const;  // "yyyymmdd" or ""
    bool getLogical(const std::string& field) const;
    std::string getMemo(const std::string& field) const;  // UTF-8 text
    std::string getMemoBytes(const std::string& field) const;  // raw bytes, binary-safe
    bool isDeleted() const;

    // Editing. edit() locks the current record (throws at once when it is
    // locked elsewhere); append() starts a new blank record that post() writes
    // at the end of the physical order. post() writes the record, its memos
    // and every tag's keys and releases the lock; cancel() drops the changes.
    void edit();
    void append();
    void post();
    void cancel();
    bool editing() const;
    // Deletes the current record (locking it for the moment of the write); it
    // leaves navigation at once. The current record moves to the next one.
    void remove();

    // Setters work on the edit buffer (edit() or append() first). A value that
    // does not fit (too long text, number too wide, bad date) throws; nothing
    // is truncated silently.
    void setString(const std::string& field, const std::string& value);  // any field type, from its getString form
    void setNumber(const std::string& field, double value);
    void setDate(const std::string& field, const std::string& dtos);  // "" = empty
    void setLogical(const std::string& field, bool value);
    void setMemo(const std::string& field, const std::string& text);
    void setMemoBytes(const std::string& field, const std::string& bytes);

    // Maintenance; both need exclusive mode and are safe against a crash
    // half-way (new files are written, then replace the old ones).
    void pack();     // drops deleted records, compacts the memo file, rebuilds the tags
    void reindex();  // rebuilds every tag from the table
    // Consistency report: an empty list when the table and its tags agree.
    std::vector<std::string> check();

    // Bulk changes, all or nothing (foxpro::BulkWrite in bulk_write.h runs
    // them). beginBulk takes the table's file lock, waiting up to waitMs for
    // another writer, and keeps what the change may overwrite in an undo
    // journal; commitBulk makes the changes durable and drops the journal;
    // rollbackBulk puts back everything written since beginBulk.
    void beginBulk(int waitMs);
    void commitBulk();
    void rollbackBulk();
    bool inBulk() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace foxpro
