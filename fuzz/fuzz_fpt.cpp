// Fuzz target: reading a memo file. A fixed table whose records point at
// several memo blocks is paired with the input as its FPT, then dumped and
// read through foxpro::Table. Any fault must surface as foxpro::Error.
#include <sstream>

#include "foxpro/dump.h"
#include "foxpro/table.h"
#include "fuzz_support.h"

namespace {

// NOME C10 and TEXTO M10; the memo references of the records.
std::string tableBytes()
{
    const char* refs[] = {"         8", "         9", "        12", "        40",
                          "   1000000", "          ", "4294967295", "         1"};
    const std::size_t count = sizeof refs / sizeof refs[0];
    std::string b(32, '\0');
    b[0] = static_cast<char>(0xF5);
    b[1] = 124;
    b[2] = 1;
    b[3] = 1;
    b[4] = static_cast<char>(count);
    b[8] = 98;   // header length: 32 + 2 fields * 32 + 2
    b[10] = 21;  // record length: flag + 10 + 10
    auto field = [&](const char* name, char type) {
        std::string d(32, '\0');
        for (std::size_t i = 0; name[i]; ++i) d[i] = name[i];
        d[11] = type;
        d[16] = 10;
        b += d;
    };
    field("NOME", 'C');
    field("TEXTO", 'M');
    b += '\x0D';
    b += '\0';
    for (std::size_t r = 0; r < count; ++r) b += std::string(" RECORD    ") + refs[r];
    b += '\x1A';
    return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string dbf = [] {
        std::string bytes = tableBytes();
        return fuzz::writeFile("M.DBF", reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }();
    fuzz::writeFile("M.FPT", data, size);
    try {
        std::ostringstream out;
        foxpro::dumpTable(dbf, out);
    } catch (const foxpro::Error&) {
    }
    try {
        foxpro::Table table(dbf);
        for (table.first(); !table.eof(); table.next()) {
            try {
                table.getMemoBytes("TEXTO");
                table.getMemo("TEXTO");
            } catch (const foxpro::Error&) {
            }
        }
    } catch (const foxpro::Error&) {
    }
    return 0;
}
