// The undo journal of a bulk change: before the first write it durably keeps
// what the change may overwrite (the DBF header, the CDX, the FPT header and
// the sizes to cut new blocks back to), and each DBF record before it is
// first changed in place. Commit removes the journal; a failure, or the next
// opener after a crash, puts every kept byte back.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace foxpro {

class UndoJournal {
public:
    UndoJournal() = default;
    ~UndoJournal();
    UndoJournal(const UndoJournal&) = delete;
    UndoJournal& operator=(const UndoJournal&) = delete;

    // Path of the journal of the table at dbfPath.
    static std::string pathFor(const std::string& dbfPath);
    static bool existsFor(const std::string& dbfPath);

    // Writes the journal of a change about to begin on the DBF and its
    // companions (cdxPath, fptPath empty when the table has none), and makes
    // it durable. The caller holds the table's file lock and, while copying,
    // keeps other writers out of the CDX.
    void start(const std::string& dbfPath, const std::string& cdxPath, const std::string& fptPath);
    bool active() const { return fd_ >= 0; }
    // Keeps record `recno` (bytes as stored now) before it is first
    // overwritten; records added by the change need nothing kept.
    void keepRecord(std::uint32_t recno, std::string_view bytes);
    // The same for several records, made durable together.
    void keepRecords(const std::vector<std::pair<std::uint32_t, std::string_view>>& records);
    // The change is complete and durable in the files: the journal goes.
    void discard();

    // Puts back what the journal of the table at dbfPath kept and removes
    // it; does nothing when there is none. The caller holds the table's file
    // lock; the CDX is rewritten under its own write lock. Returns whether a
    // journal was undone.
    static bool rollBack(const std::string& dbfPath);

private:
    void appendEntries(const std::string& entries);
    void close();

    std::string path_;
    std::string dbfPath_;
    int fd_ = -1;
    std::uint32_t countAtStart_ = 0;
    std::uint32_t headerLength_ = 0;
    std::uint32_t recordLength_ = 0;
    std::set<std::uint32_t> kept_;
};

}  // namespace foxpro
