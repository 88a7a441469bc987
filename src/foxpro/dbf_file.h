// DbfFile: one open DBF file: its header, its records read through a shared
// read-only memory map (so a scan costs no system call per record and other
// processes' writes show at once), and positioned writes for records and the
// header. The table layer builds navigation, editing and locking on it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "foxpro/dbf_header.h"

namespace foxpro {

class DbfFile {
public:
    DbfFile() = default;
    ~DbfFile();
    DbfFile(DbfFile&& other) noexcept;
    DbfFile& operator=(DbfFile&& other) noexcept;
    DbfFile(const DbfFile&) = delete;
    DbfFile& operator=(const DbfFile&) = delete;

    // Opens an existing table file, read-only unless `writable`. Throws
    // foxpro::Error for a missing file or a damaged header, and when the
    // header counts more records than the file holds.
    void open(const std::string& path, bool writable);
    // Writes a new file with `header` and no records; fails when it exists.
    static void create(const std::string& path, const DbfHeader& header);
    void close();

    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    int fd() const { return fd_; }
    bool writable() const { return writable_; }
    const DbfHeader& header() const { return header_; }
    std::uint32_t recordCount() const { return header_.recordCount; }

    // Re-reads the record count from the header: another process may have
    // appended. Returns the new count.
    std::uint32_t reloadCount();

    // The stored bytes of record `recno` (1..recordCount()); valid until the
    // next call that changes the file.
    std::string_view record(std::uint32_t recno) const
    {
        if (!edited_.empty()) {
            auto it = edited_.find(recno);
            if (it != edited_.end()) return it->second;
        }
        return stored(recno);
    }
    // The record as the file holds it, without an edit kept in memory.
    std::string_view stored(std::uint32_t recno) const
    {
        if (recno >= tailFirst_)
            return {tail_.data() + static_cast<std::size_t>(recno - tailFirst_) * header_.recordLength,
                    header_.recordLength};
        return {map_ + header_.headerLength + static_cast<std::uint64_t>(recno - 1) * header_.recordLength,
                header_.recordLength};
    }
    // The bytes at record `recno`'s place even beyond the count (an append
    // that did not finish), or empty when the file is too short.
    std::string_view recordIfPresent(std::uint32_t recno);

    void writeRecord(std::uint32_t recno, std::string_view bytes, bool endMarker);
    // Exclusive use: keeps a new last record in memory (it counts and reads
    // like a written one) until writeDeferred() puts every kept record into
    // the file in one write. The header count is not written by either.
    void appendDeferred(std::string_view bytes);
    std::uint32_t deferredCount() const { return tail_.empty() ? 0 : header_.recordCount - tailFirst_ + 1; }
    void writeDeferred();
    // Drops the kept records unwritten (a change being undone).
    void discardDeferred();
    // A bulk change: new bytes for an existing record kept in memory (it
    // reads like a written one) until writeEdited() writes them all, so that
    // their undo copies reach the journal together.
    void keepEdited(std::uint32_t recno, std::string_view bytes) { edited_[recno] = std::string(bytes); }
    const std::map<std::uint32_t, std::string>& edited() const { return edited_; }
    void writeEdited();
    void discardEdited() { edited_.clear(); }
    void writeDeletedFlag(std::uint32_t recno, bool deleted);
    // Writes the record count and today's date into the header.
    void writeCount(std::uint32_t count);
    void sync();

private:
    std::uint64_t recordEnd(std::uint32_t count) const
    {
        return header_.headerLength + static_cast<std::uint64_t>(count) * header_.recordLength;
    }
    void ensureMapped(std::uint64_t size);
    void requireNoDeferred() const;
    std::uint64_t currentFileSize() const;
    void writeAt(std::uint64_t offset, std::string_view bytes);
    void readAt(std::uint64_t offset, char* out, std::size_t length) const;

    std::string path_;
    int fd_ = -1;
    bool writable_ = false;
    DbfHeader header_;
    const char* map_ = nullptr;
    std::uint64_t mapCapacity_ = 0;
    std::uint64_t knownSize_ = 0;  // bytes of the file known to exist
    std::string tail_;             // records kept by appendDeferred()
    std::uint32_t tailFirst_ = 0xFFFFFFFFu;
    std::map<std::uint32_t, std::string> edited_;  // records kept by keepEdited()
};

}  // namespace foxpro
