// RecordView: read access to one record's stored bytes, by field position.
// The table layer hands it to index keys and filters so they can evaluate
// expressions without knowing how records are held.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "foxpro/error.h"
#include "foxpro/schema.h"

namespace foxpro {

class RecordView {
public:
    virtual ~RecordView() = default;
    virtual const std::vector<FieldDef>& fields() const = 0;
    // The field's bytes exactly as stored in the DBF record (Windows-1252,
    // blank padded); for memo fields the stored block reference.
    virtual std::string_view rawField(int index) const = 0;
    virtual bool deleted() const = 0;
    virtual std::uint32_t recNo() const = 0;
};

}  // namespace foxpro
