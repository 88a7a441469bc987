// StoredRecord: a RecordView over a record's bytes as they lie in the file
// (or in an edit buffer), handed to index keys and filters.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "foxpro/dbf_header.h"
#include "foxpro/record_view.h"

namespace foxpro {

// Where each visible field lies inside a record.
struct FieldSlot {
    int offset = 0;
    int length = 0;
};

// The fields a table shows (hidden system fields left out), with their
// places; `layoutIndex` receives each one's index in header.fields.
inline void visibleFields(const DbfHeader& header, std::vector<FieldDef>& defs, std::vector<FieldSlot>& slots,
                          std::vector<int>& layoutIndex)
{
    defs.clear();
    slots.clear();
    layoutIndex.clear();
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const FieldLayout& f = header.fields[i];
        if (f.flags & kFieldSystem) continue;
        defs.push_back(f.def);
        slots.push_back({f.offset, f.def.length});
        layoutIndex.push_back(static_cast<int>(i));
    }
}

class StoredRecord : public RecordView {
public:
    StoredRecord(const std::vector<FieldDef>& fields, const std::vector<FieldSlot>& slots)
        : fields_(&fields), slots_(&slots)
    {
    }
    void reset(std::string_view bytes, std::uint32_t recno)
    {
        bytes_ = bytes;
        recno_ = recno;
    }
    const std::vector<FieldDef>& fields() const override { return *fields_; }
    std::string_view rawField(int index) const override
    {
        const FieldSlot& s = (*slots_)[static_cast<std::size_t>(index)];
        return bytes_.substr(static_cast<std::size_t>(s.offset), static_cast<std::size_t>(s.length));
    }
    bool deleted() const override { return !bytes_.empty() && bytes_[0] == '*'; }
    std::uint32_t recNo() const override { return recno_; }
    std::string_view bytes() const { return bytes_; }

private:
    const std::vector<FieldDef>* fields_;
    const std::vector<FieldSlot>* slots_;
    std::string_view bytes_;
    std::uint32_t recno_ = 0;
};

}  // namespace foxpro
