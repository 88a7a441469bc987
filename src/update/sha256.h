// SHA-256 of a byte string as 64 lower-case hex digits (Qt's
// QCryptographicHash): the fingerprint the sources table keeps of every
// imported file and every answer of the series service.
#pragma once

#include <string>
#include <string_view>

namespace quintara {

std::string sha256Hex(std::string_view bytes);

}  // namespace quintara
