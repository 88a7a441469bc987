#include "foxpro/key_writer.h"

#include <cstring>

#include "foxpro/cdx_key.h"
#include "foxpro/record_view.h"

namespace foxpro {

KeyWriter::KeyWriter(const Expression& key) : key_(&key), parts_(key.storedKeyParts()), length_(key.length())
{
}

void KeyWriter::evaluateInto(const RecordView& record, char* out) const
{
    const std::string key = key_->evaluateKey(record);
    std::memcpy(out, key.data(), static_cast<std::size_t>(length_));
}

bool KeyWriter::validDate(std::string_view stored)
{
    if (std::memcmp(stored.data(), lastDate_, sizeof lastDate_) != 0) {
        std::memcpy(lastDate_, stored.data(), sizeof lastDate_);
        lastDateValid_ = julianFromDtos(stored) > 0;
    }
    return lastDateValid_;
}

void KeyWriter::write(const RecordView& record, char* out)
{
    if (parts_.empty()) {
        evaluateInto(record, out);
        return;
    }
    char* at = out;
    for (const StoredKeyPart& part : parts_) {
        const std::string_view raw = record.rawField(part.field);
        const auto length = static_cast<std::size_t>(part.length);
        if (raw.size() != length) {
            evaluateInto(record, out);
            return;
        }
        // DTOS() of a date that is blank or not a valid date is blank; a
        // valid stored date is already its own "yyyymmdd".
        if (part.dtos && !validDate(raw))
            std::memset(at, ' ', length);
        else
            std::memcpy(at, raw.data(), length);
        at += length;
    }
}

}  // namespace foxpro
