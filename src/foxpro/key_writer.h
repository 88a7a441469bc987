// KeyWriter: writes one tag's key for a record into a buffer of the key's
// length, as bulk index building needs it a million times over. A key made
// of character fields and DTOS() of date fields is copied from the stored
// bytes; any other key is evaluated.
#pragma once

#include <string_view>
#include <vector>

#include "foxpro/expression.h"

namespace foxpro {

class KeyWriter {
public:
    explicit KeyWriter(const Expression& key);
    // Writes length() bytes at out: the same bytes as key.evaluateKey(record).
    void write(const RecordView& record, char* out);
    int length() const { return length_; }

private:
    void evaluateInto(const RecordView& record, char* out) const;
    bool validDate(std::string_view stored);

    const Expression* key_;
    std::vector<StoredKeyPart> parts_;
    int length_;
    // The last stored date checked for DTOS() and whether it was valid:
    // neighbouring records often hold the same date.
    char lastDate_[8] = {};
    bool lastDateValid_ = false;
};

}  // namespace foxpro
