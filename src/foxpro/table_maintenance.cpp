// Creating a table, and the maintenance that needs it exclusively: pack and
// reindex write complete new files beside the old ones and then rename them
// into place, so a crash half-way leaves the old files intact. check() only
// reads and reports where the table and its index disagree.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "foxpro/field_codec.h"
#include "foxpro/index_repair.h"
#include "foxpro/pack_journal.h"
#include "foxpro/table_files.h"
#include "foxpro/table_impl.h"

namespace foxpro {

namespace {

bool exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

void removeIfExists(const std::string& path)
{
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw Error(path, std::string("cannot remove the old temporary file: ") + std::strerror(errno));
}

void renameInto(const std::string& from, const std::string& to)
{
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw Error(to, std::string("cannot replace the file: ") + std::strerror(errno));
}

// A new index goes to disk before it takes the old one's name, so that a
// crash never leaves the table with a renamed but unwritten index.
void syncIndex(const CdxFile& index)
{
    if (::fsync(index.fd()) != 0)
        throw Error(index.path(), std::string("cannot flush the new index file: ") + std::strerror(errno));
}

void syncFolder(const std::string& file)
{
    std::string dir = std::filesystem::path(file).parent_path().string();
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Appends bytes to a new file through a large buffer.
class FileWriter {
public:
    explicit FileWriter(const std::string& path) : path_(path)
    {
        fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd_ < 0) throw Error(path, std::string("cannot create the file: ") + std::strerror(errno));
    }
    ~FileWriter()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;
    void write(std::string_view bytes)
    {
        buffer_.append(bytes);
        if (buffer_.size() >= (1u << 20)) flush();
    }
    void finish()
    {
        flush();
        if (::fsync(fd_) != 0)
            throw Error(path_, std::string("cannot flush the file: ") + std::strerror(errno));
        ::close(fd_);
        fd_ = -1;
    }

private:
    void flush()
    {
        std::size_t done = 0;
        while (done < buffer_.size()) {
            const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) throw Error(path_, std::string("cannot write the file: ") + std::strerror(errno));
            done += static_cast<std::size_t>(n);
        }
        buffer_.clear();
    }

    std::string path_;
    int fd_ = -1;
    std::string buffer_;
};

std::string headerBytes(const DbfFile& dbf)
{
    std::string bytes(dbf.header().headerLength, '\0');
    if (::pread(dbf.fd(), bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size()))
        throw Error(dbf.path(), "cannot read the table header");
    return bytes;
}

void patchCount(std::string& header, std::uint32_t count)
{
    DbfHeader today;
    today.touchDate();
    header[1] = static_cast<char>(today.updateYear);
    header[2] = static_cast<char>(today.updateMonth);
    header[3] = static_cast<char>(today.updateDay);
    for (int i = 0; i < 4; ++i)
        header[4 + static_cast<std::size_t>(i)] = static_cast<char>((count >> (8 * i)) & 0xFF);
}

}  // namespace

void Table::create(const std::string& dbfPath, const std::vector<FieldDef>& fields,
                   const std::vector<TagDef>& tags)
{
    const DbfHeader header = DbfHeader::forNewTable(fields, !tags.empty(), dbfPath);
    if (exists(dbfPath)) throw Error(dbfPath, "the table already exists");
    std::vector<FieldDef> defs;
    for (const FieldLayout& f : header.fields) defs.push_back(f.def);
    const std::string fpt = header.hasMemoFields() ? newCompanionPath(dbfPath, "FPT") : "";
    const std::string cdx = tags.empty() ? "" : newCompanionPath(dbfPath, "CDX");
    std::vector<std::string> created;
    try {
        if (!cdx.empty()) {
            CdxFile::create(cdx, tags, defs);
            created.push_back(cdx);
        }
        if (!fpt.empty()) {
            MemoFile::create(fpt);
            created.push_back(fpt);
        }
        DbfFile::create(dbfPath, header);
    } catch (...) {
        for (const std::string& path : created) ::unlink(path.c_str());
        throw;
    }
    syncFolder(dbfPath);
}

void Table::pack()
{
    Impl& t = *impl_;
    t.requireWritable();
    t.commitAppends();
    if (t.mode != OpenMode::Exclusive) throw Error(t.path, "packing needs the table opened exclusively");
    t.finishPendingEdit();
    const std::string dbfTmp = t.path + ".tmp";
    const std::string fptTmp = t.memo ? t.memo->path() + ".tmp" : "";
    const std::string cdxTmp = t.cdx ? t.cdx->path() + ".tmp" : "";
    for (const std::string& tmp : {dbfTmp, fptTmp, cdxTmp})
        if (!tmp.empty()) removeIfExists(tmp);

    std::optional<MemoFile> newMemo;
    if (t.memo) {
        MemoFile::create(fptTmp, t.memo->blockSize());
        newMemo.emplace();
        newMemo->open(fptTmp, true);
    }
    const std::uint32_t count = t.dbf.reloadCount();
    std::uint32_t kept = 0;
    {
        FileWriter out(dbfTmp);
        std::string header = headerBytes(t.dbf);
        out.write(header);
        std::string record;
        for (std::uint32_t r = 1; r <= count; ++r) {
            if (t.dbf.record(r)[0] == '*') continue;
            record.assign(t.dbf.record(r));
            for (std::size_t i = 0; newMemo && i < t.fields.size(); ++i) {
                if (t.fields[i].type != FieldType::Memo) continue;
                std::uint32_t block = 0;
                const FieldSlot& s = t.slots[i];
                if (!parseMemoBlock(t.rawOf(record, static_cast<int>(i)), block))
                    throw Error(t.path, "record " + std::to_string(r) + " holds a damaged memo reference");
                const std::uint32_t moved = block == 0 ? 0 : newMemo->append(t.memo->read(block));
                record.replace(static_cast<std::size_t>(s.offset), static_cast<std::size_t>(s.length),
                               formatMemoBlock(moved, s.length));
            }
            out.write(record);
            ++kept;
        }
        out.write("\x1A");
        out.finish();
        patchCount(header, kept);
        const int fd = ::open(dbfTmp.c_str(), O_RDWR | O_CLOEXEC);
        const bool ok = fd >= 0 && ::pwrite(fd, header.data(), 8, 0) == 8 && ::fsync(fd) == 0;
        if (fd >= 0) ::close(fd);
        if (!ok) throw Error(dbfTmp, "cannot write the packed table's header");
    }
    if (newMemo) newMemo->sync();

    DbfFile packed;
    packed.open(dbfTmp, true);
    if (t.cdx) {
        const std::vector<TagDef> tagDefs = tags();
        CdxFile::create(cdxTmp, tagDefs, t.fields);
        CdxFile index(cdxTmp, t.fields, CdxFile::Mode::ReadWrite);
        StoredRecord rec(t.fields, t.slots);
        index.rebuild(-1, kept, [&](std::uint32_t r) -> const RecordView* {
            rec.reset(packed.record(r), r);
            return &rec;
        });
        index.flush();
        syncIndex(index);
    }
    // The packed file is locked before it takes the table's name, so nobody
    // can open it in between.
    RangeLock newOpenLock =
        RangeLock::acquire(packed.fd(), LockLayout::kOpenByte, 1, true, t.path, "the table is in use");
    RangeLock newFileLock = RangeLock::acquire(packed.fd(), t.locks.fileStart(), t.locks.fileLength() + 1,
                                               true, t.path, "the table is in use");
    const std::string fptPath = t.memo ? t.memo->path() : "";
    const std::string cdxPath = t.cdx ? t.cdx->path() : "";
    std::vector<FileReplacement> steps;
    if (t.cdx) steps.push_back({cdxTmp, cdxPath});
    if (t.memo) steps.push_back({fptTmp, fptPath});
    steps.push_back({dbfTmp, t.path});
    writePackJournal(t.path, steps);
    completePackJournal(t.path);

    t.cursor.reset();
    t.cdx.reset();
    t.memo.reset();
    t.fileLock = std::move(newFileLock);
    t.openLock = std::move(newOpenLock);
    t.dbf = std::move(packed);
    if (!fptPath.empty()) {
        t.memo.emplace();
        t.memo->open(fptPath, true);
    }
    if (!cdxPath.empty()) t.openIndex(cdxPath);
    if (t.tag >= 0) t.cursor.emplace(*t.cdx, t.tag);
    t.first();
}

void replaceIndexFile(const DbfFile& dbf, const std::vector<FieldDef>& fields,
                      const std::vector<FieldSlot>& slots, const std::vector<TagDef>& tags,
                      std::uint32_t count, const std::string& cdxPath)
{
    const std::string cdxTmp = cdxPath + ".tmp";
    removeIfExists(cdxTmp);
    try {
        CdxFile::create(cdxTmp, tags, fields);
        CdxFile index(cdxTmp, fields, CdxFile::Mode::ReadWrite);
        StoredRecord rec(fields, slots);
        index.rebuild(-1, count, [&](std::uint32_t r) -> const RecordView* {
            rec.reset(dbf.record(r), r);
            return &rec;
        });
        index.flush();
        syncIndex(index);
    } catch (...) {
        ::unlink(cdxTmp.c_str());
        throw;
    }
    renameInto(cdxTmp, cdxPath);
    syncFolder(cdxPath);
}

void Table::reindex()
{
    Impl& t = *impl_;
    t.requireWritable();
    t.commitAppends();
    if (t.mode != OpenMode::Exclusive) throw Error(t.path, "reindexing needs the table opened exclusively");
    t.finishPendingEdit();
    if (!t.cdx) throw Error(t.path, "the table has no index file to rebuild");
    const std::string cdxPath = t.cdx->path();
    replaceIndexFile(t.dbf, t.fields, t.slots, tags(), t.dbf.reloadCount(), cdxPath);
    t.cursor.reset();
    t.cdx.reset();
    t.openIndex(cdxPath);
    if (t.tag >= 0) t.cursor.emplace(*t.cdx, t.tag);
    t.cursorSynced = false;
}

std::vector<std::string> Table::check()
{
    Impl& t = *impl_;
    t.requireOpen();
    t.commitAppends();
    std::vector<std::string> problems;
    const std::uint32_t count = t.reloadCount();
    for (std::size_t i = 0; t.memo && i < t.fields.size(); ++i) {
        if (t.fields[i].type != FieldType::Memo) continue;
        for (std::uint32_t r = 1; r <= count; ++r) {
            std::uint32_t block = 0;
            const std::string where = "record " + std::to_string(r) + " field " + t.fields[i].name + ": ";
            if (!parseMemoBlock(t.rawOf(t.dbf.record(r), static_cast<int>(i)), block)) {
                problems.push_back(where + "damaged memo reference");
                continue;
            }
            // A memo must fit in the file whole, its claimed length included.
            const std::string fault = block == 0 ? std::string() : t.memo->fault(block);
            if (!fault.empty()) problems.push_back(where + fault);
        }
    }
    if (!t.cdx) return problems;
    RangeLock lock;
    if (t.shared())
        lock = RangeLock::acquireWaiting(t.cdx->fd(), LockLayout::kCdxByte, 1, false, t.cdx->path(),
                                         "the index is being updated by another user");
    t.cdx->refresh();
    t.cursorSynced = false;
    StoredRecord rec(t.fields, t.slots);
    for (int tag = 0; tag < static_cast<int>(t.cdx->tags().size()); ++tag) {
        const CdxTagInfo& info = t.cdx->tags()[static_cast<std::size_t>(tag)];
        if (!info.usable) {
            problems.push_back("tag " + info.name + ": cannot be evaluated: " + info.problem);
            continue;
        }
        std::vector<std::pair<std::string, std::uint32_t>> expected;
        expected.reserve(count);
        for (std::uint32_t r = 1; r <= count; ++r) {
            rec.reset(t.dbf.record(r), r);
            if (t.cdx->includes(tag, rec)) expected.emplace_back(t.cdx->keyFor(tag, rec), r);
        }
        for (const std::string& p : t.cdx->check(tag, std::move(expected)))
            problems.push_back("tag " + info.name + ": " + p);
    }
    return problems;
}

}  // namespace foxpro
