// CdxFile: a FoxPro compound index (CDX) file with its tags, read and kept
// up to date in FoxPro's own on-disk format; CdxCursor walks one tag in key
// order. Used by the table layer for ordering, seeks and key maintenance.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foxpro/error.h"
#include "foxpro/schema.h"

namespace foxpro {

class RecordView;

// Thrown by index reads while cache-only reading is on (CdxFile::setCacheOnly)
// and a page is not in the cache.
struct CdxNotCached {};

struct CdxTagInfo {
    std::string name;           // as stored: upper case
    std::string expression;     // key expression as stored
    std::string forExpression;  // "" when every record has a key
    bool unique = false;
    bool descending = false;
    char keyType = 'C';  // 'C', 'N', 'D' (or 'L')
    int keyLength = 0;
    std::uint32_t headerOffset = 0;
    bool usable = true;   // false when the engine cannot evaluate the expression
    std::string problem;  // why not usable
};

class CdxFile {
public:
    enum class Mode { ReadOnly, ReadWrite };

    // Writes a new CDX holding the given tags, all empty. Overwrites nothing:
    // fails when the file exists. Throws for an expression that does not parse.
    static void create(const std::string& path, const std::vector<TagDef>& tags,
                       const std::vector<FieldDef>& fields);

    CdxFile();
    // Opens an existing file. The fields are the table's, to compile key and
    // FOR expressions; a tag whose expression cannot be compiled stays listed
    // but unusable (keyFor and includes throw for it).
    CdxFile(const std::string& path, const std::vector<FieldDef>& fields, Mode mode = Mode::ReadOnly);
    ~CdxFile();
    CdxFile(CdxFile&&) noexcept;
    CdxFile& operator=(CdxFile&&) noexcept;
    CdxFile(const CdxFile&) = delete;
    CdxFile& operator=(const CdxFile&) = delete;

    bool isOpen() const;
    void close();
    const std::string& path() const;
    int fd() const;  // for byte-range locks taken by the table layer

    // Tags in file order (ascending tag header offset = creation order).
    const std::vector<CdxTagInfo>& tags() const;
    int tagIndex(const std::string& name) const;  // ignoring case; -1 when absent

    // Encoded key of a record for a tag. Throws when the tag is unusable.
    std::string keyFor(int tag, const RecordView& record) const;
    // Whether the record belongs in the tag (its FOR condition; true without one).
    bool includes(int tag, const RecordView& record) const;
    // A search key from parts, one per term of the key expression, each in the
    // form of its field: character text in UTF-8 (padded to the term's width,
    // except the last one when partial), "yyyymmdd" for dates and DTOS() terms
    // ("" = empty date), decimal text for numbers. A partial key is shorter
    // than the tag's key length and matches keys starting with it.
    std::string keyFromParts(int tag, const std::vector<std::string>& utf8Parts, bool partial) const;

    // Incremental maintenance (read-write mode), written to the file at once
    // unless write-back is on. Each first re-reads the header (see
    // refresh()); in shared mode the caller holds the index's write lock
    // around it. insert of a key already in a unique tag adds nothing.
    // remove of an absent entry throws (the tag does not match the table),
    // except in a unique tag. A failed call changes nothing.
    void insert(int tag, const std::string& key, std::uint32_t recno);
    void remove(int tag, const std::string& key, std::uint32_t recno);
    // Exclusive use: insert and remove neither re-read the header nor write;
    // changed pages stay in memory (and are what reads see) until flush().
    void setWriteBack(bool on);
    // Number of keys in a tag (walks its leaves).
    std::uint32_t keyCount(int tag);

    // Rebuilds one tag (tag >= 0) or every tag (tag < 0) from the records
    // 1..recordCount (a null record is skipped). Deleted records keep their
    // keys. Rebuilding every tag rewrites the whole file in place: use it in
    // exclusive mode, or on a new file that then replaces the old one.
    void rebuild(int tag, std::uint32_t recordCount,
                 const std::function<const RecordView*(std::uint32_t recno)>& recordAt);

    // Re-reads the header; drops cached pages when another process changed
    // the file since (change counter or file size differ). Call it with the
    // index's read or write lock held in shared use.
    void refresh();
    // Writes pending changes (write-back) and the change counter.
    void flush();

    // Searches without the index lock (shared use). cacheCurrent(): every
    // cached page was read under the lock and the change counter in the
    // file (read from a shared mapping, no system call) still matches, so
    // cached pages answer as a locked search would. setCacheOnly(true) makes
    // a read of an uncached page throw CdxNotCached instead of reading it.
    // setLocked tells the index whether the caller holds its lock.
    bool cacheCurrent() const;
    void setCacheOnly(bool on);
    void setLocked(bool locked);

    // Verifies a tag against the (key, recno) pairs it should hold, in any
    // order, and checks the tree's own structure (ordering, sibling links,
    // interior keys, page bounds). An empty list when everything agrees.
    std::vector<std::string> check(int tag, std::vector<std::pair<std::string, std::uint32_t>> expected);

    class Impl;
    Impl& impl() const;

private:
    // Runs one insert or removal: written at once, or kept (write-back);
    // undone in memory when it fails.
    void change(const std::function<void()>& body);

    std::unique_ptr<Impl> impl_;
};

// Walks one tag in ascending key order (equal keys by record number). A
// cursor stays valid across reads; after the tag changes (insert, remove,
// refresh) re-position it with seek(key, recno).
class CdxCursor {
public:
    CdxCursor(CdxFile& file, int tag);
    ~CdxCursor();
    CdxCursor(CdxCursor&&) noexcept;
    CdxCursor& operator=(CdxCursor&&) noexcept;

    // First entry whose key is >= `key`, comparing only key.size() bytes (a
    // shorter key is a prefix search). Returns valid().
    bool seek(const std::string& key);
    // First entry >= (key, recno) comparing full keys then record numbers.
    bool seek(const std::string& key, std::uint32_t recno);
    bool first();
    bool last();
    bool next();
    bool prev();
    bool valid() const;
    const std::string& key() const;  // full key bytes
    std::uint32_t recNo() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace foxpro
