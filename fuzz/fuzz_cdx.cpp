// Fuzz target: opening a compound index file and walking, seeking, checking
// and updating every tag. Any fault must surface as foxpro::Error.
#include <filesystem>

#include "foxpro/cdx_file.h"
#include "fuzz_support.h"

namespace {

// The fields the corpus files' tags are built on.
const std::vector<foxpro::FieldDef> kFields = {
    {"CODE", foxpro::FieldType::Character, 10, 0},
    {"DATA", foxpro::FieldType::Date, 8, 0},
    {"VALOR", foxpro::FieldType::Numeric, 12, 2},
    {"NOME", foxpro::FieldType::Character, 30, 0},
};

void walk(foxpro::CdxFile& cdx)
{
    for (std::size_t t = 0; t < cdx.tags().size(); ++t) {
        if (!cdx.tags()[t].usable) continue;
        int tag = static_cast<int>(t);
        foxpro::CdxCursor cursor(cdx, tag);
        for (bool ok = cursor.first(); ok; ok = cursor.next()) {
        }
        for (bool ok = cursor.last(); ok; ok = cursor.prev()) {
        }
        cursor.seek("M");
        cursor.seek(std::string(cdx.tags()[t].keyLength, ' '), 7);
        cdx.check(tag, {});
    }
}

void update(foxpro::CdxFile& cdx)
{
    for (std::size_t t = 0; t < cdx.tags().size(); ++t) {
        if (!cdx.tags()[t].usable) continue;
        int tag = static_cast<int>(t);
        auto length = static_cast<std::size_t>(cdx.tags()[t].keyLength);
        for (std::uint32_t r = 1; r <= 40; ++r)
            cdx.insert(tag, std::string(length, static_cast<char>('A' + r % 26)), r);
        for (std::uint32_t r = 1; r <= 40; r += 3)
            cdx.remove(tag, std::string(length, static_cast<char>('A' + r % 26)), r);
        walk(cdx);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string path = fuzz::writeFile("F.CDX", data, size);
    try {
        foxpro::CdxFile cdx(path, kFields);
        walk(cdx);
    } catch (const foxpro::Error&) {
    }
    try {
        foxpro::CdxFile cdx(path, kFields, foxpro::CdxFile::Mode::ReadWrite);
        update(cdx);
    } catch (const foxpro::Error&) {
    }
    std::filesystem::remove(path);
    return 0;
}
