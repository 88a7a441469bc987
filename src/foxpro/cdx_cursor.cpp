#include "foxpro/cdx_file.h"
#include "foxpro/cdx_file_impl.h"

namespace foxpro {

// The cursor keeps the decoded leaf it stands on. When the file changes
// under it (a write, or refresh() dropping pages) it finds its place again
// by its (key, recno) before moving.
struct CdxCursor::State {
    CdxFile::Impl* file = nullptr;
    int tag = 0;
    cdx::LeafPosition pos;
    std::uint64_t generation = 0;
    std::string key;
    std::uint32_t recno = 0;
    bool valid = false;

    const cdx::CdxTree& tree() const { return *file->usableTag(tag).tree; }

    bool settle()
    {
        valid = pos.valid();
        generation = file->store.generation();
        if (valid) {
            key = pos.entry().key;
            recno = pos.entry().recno;
        }
        return valid;
    }

    // Re-finds the current entry after a change; returns whether the entry
    // found is the current one itself (false: it was removed, and pos is on
    // the entry that followed it).
    bool resync()
    {
        pos = tree().lowerBound(key, recno, false);
        generation = file->store.generation();
        return pos.valid() && pos.entry().key == key && pos.entry().recno == recno;
    }
};

CdxCursor::CdxCursor(CdxFile& file, int tag) : state_(std::make_unique<State>())
{
    state_->file = &file.impl();
    state_->tag = tag;
    state_->file->usableTag(tag);
}

CdxCursor::~CdxCursor() = default;
CdxCursor::CdxCursor(CdxCursor&&) noexcept = default;
CdxCursor& CdxCursor::operator=(CdxCursor&&) noexcept = default;

bool CdxCursor::seek(const std::string& key)
{
    state_->pos = state_->tree().lowerBound(key, 0, true);
    return state_->settle();
}

bool CdxCursor::seek(const std::string& key, std::uint32_t recno)
{
    state_->pos = state_->tree().lowerBound(key, recno, false);
    return state_->settle();
}

bool CdxCursor::first()
{
    state_->pos = state_->tree().first();
    return state_->settle();
}

bool CdxCursor::last()
{
    state_->pos = state_->tree().last();
    return state_->settle();
}

bool CdxCursor::next()
{
    State& s = *state_;
    if (!s.valid) return false;
    if (s.generation != s.file->store.generation() && !s.resync()) return s.settle();
    s.tree().next(s.pos);
    return s.settle();
}

bool CdxCursor::prev()
{
    State& s = *state_;
    if (!s.valid) return false;
    if (s.generation != s.file->store.generation()) {
        s.resync();
        if (!s.pos.valid()) {
            s.pos = s.tree().last();
            return s.settle();
        }
    }
    s.tree().prev(s.pos);
    return s.settle();
}

bool CdxCursor::valid() const
{
    return state_->valid;
}
const std::string& CdxCursor::key() const
{
    return state_->key;
}
std::uint32_t CdxCursor::recNo() const
{
    return state_->recno;
}

}  // namespace foxpro
