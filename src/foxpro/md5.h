// MD5 digest of a byte string, printed as 32 lower-case hex digits. The
// canonical dump identifies memo contents by it.
#pragma once

#include <string>
#include <string_view>

namespace foxpro {

std::string md5Hex(std::string_view bytes);

}  // namespace foxpro
