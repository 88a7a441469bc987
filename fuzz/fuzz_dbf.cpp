// Fuzz target: opening a table file and reading it: the canonical dump and
// a walk over every record and field through foxpro::Table. Any fault in
// the bytes must surface as foxpro::Error.
#include <sstream>

#include "foxpro/dump.h"
#include "foxpro/table.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string path = fuzz::writeFile("F.DBF", data, size);
    try {
        std::ostringstream out;
        foxpro::dumpTable(path, out);
    } catch (const foxpro::Error&) {
    }
    try {
        foxpro::Table table(path);
        int steps = 0;
        for (table.first(); !table.eof() && steps < 5000; table.next(), ++steps)
            for (const foxpro::FieldDef& f : table.fields()) table.getString(f.name);
        for (table.last(); !table.bof() && steps < 10000; table.prior(), ++steps) table.isDeleted();
    } catch (const foxpro::Error&) {
    }
    return 0;
}
