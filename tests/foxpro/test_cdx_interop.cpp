// Files written here must be what FoxPro itself writes: a compound index
// built from the fixture records has the fixture's very bytes (apart from
// the reserved bytes the other engine fills with its own marks).
#include <gtest/gtest.h>

#include <filesystem>

#include "cdx_test_support.h"
#include "foxpro/cdx_file.h"

using namespace foxpro;
using cdxtest::DbfBytes;

namespace {

// Bytes 8-11 (change counter) and 16-23 of every header are not compared:
// the counter depends on the file's history, 16-23 are reserved.
void blankReserved(std::string& bytes, std::size_t header)
{
    for (std::size_t i = 8; i < 12; ++i) bytes[header + i] = 0;
    for (std::size_t i = 16; i < 24; ++i) bytes[header + i] = 0;
}

TEST(CdxInterop, RebuildingSmallFixtureTagsGivesTheFixtureBytes)
{
    const char* tables[] = {"CEPUSR01", "DST_FCM1", "DST_GTCU", "DST_MOED", "DST_TCM1",
                            "DST_TCU1", "PITCALCU", "PITCUSTA", "PITINDPE", "PROCESSO"};
    cdxtest::ScratchDir dir;
    for (const char* table : tables) {
        SCOPED_TRACE(table);
        std::string original = (cdxtest::fixtures() / (std::string(table) + ".CDX")).string();
        DbfBytes dbf(cdxtest::fixtures() / (std::string(table) + ".DBF"));
        std::vector<TagDef> defs;
        {
            CdxFile source(original, dbf.fields());
            for (const CdxTagInfo& t : source.tags())
                defs.push_back(TagDef{t.name, t.expression, t.forExpression, t.unique});
        }
        std::string copy = dir.file(std::string(table) + ".CDX");
        CdxFile::create(copy, defs, dbf.fields());
        {
            CdxFile made(copy, dbf.fields(), CdxFile::Mode::ReadWrite);
            std::vector<cdxtest::MemoryRecord> records;
            for (std::uint32_t r = 1; r <= dbf.count(); ++r) records.push_back(dbf.record(r));
            made.rebuild(-1, dbf.count(), [&](std::uint32_t r) { return &records.at(r - 1); });
        }
        std::string want = cdxtest::readFile(original);
        std::string got = cdxtest::readFile(copy);
        ASSERT_EQ(got.size(), want.size());
        blankReserved(want, 0);
        blankReserved(got, 0);
        for (std::size_t at = 1536; at + 1024 <= want.size(); at += 1536) {
            blankReserved(want, at);
            blankReserved(got, at);
        }
        for (std::size_t i = 0; i < want.size(); ++i)
            ASSERT_EQ(static_cast<unsigned char>(got[i]), static_cast<unsigned char>(want[i]))
                << "first difference at offset " << i;
    }
}

}  // namespace
