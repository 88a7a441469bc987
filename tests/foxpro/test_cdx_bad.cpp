// Damaged index files: every fault ends in a foxpro::Error that names the
// file and what is wrong, never a crash, a wrong order or an endless walk.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "cdx_test_support.h"
#include "foxpro/cdx_file.h"

using namespace foxpro;
using cdxtest::DbfBytes;

namespace {

class DamagedIndex : public ::testing::Test {
protected:
    // A writable copy of a fixture index.
    std::string copyOf(const std::string& table)
    {
        std::string path = dir.file(table + ".CDX");
        std::filesystem::copy_file(cdxtest::fixtures() / (table + ".CDX"), path);
        fields = DbfBytes(cdxtest::fixtures() / (table + ".DBF")).fields();
        return path;
    }

    static void patch(const std::string& path, std::size_t at, const std::string& bytes)
    {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(static_cast<std::streamoff>(at));
        f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    static std::string le32(std::uint32_t v)
    {
        std::string s(4, '\0');
        for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    }

    // Walks every tag forwards and backwards; returns the error's text.
    std::string walkError(const std::string& path)
    {
        try {
            CdxFile cdx(path, fields);
            for (std::size_t t = 0; t < cdx.tags().size(); ++t) {
                CdxCursor cursor(cdx, static_cast<int>(t));
                std::size_t steps = 0;
                for (bool ok = cursor.first(); ok; ok = cursor.next())
                    if (++steps > 100000) return "endless walk";
                for (bool ok = cursor.last(); ok; ok = cursor.prev())
                    if (++steps > 200000) return "endless walk";
                cursor.seek("M");
            }
        } catch (const Error& e) {
            EXPECT_EQ(e.file(), path);
            return e.plainMessage();
        }
        return "no error";
    }

    cdxtest::ScratchDir dir;
    std::vector<FieldDef> fields;
};

TEST_F(DamagedIndex, TruncatedFilesAreRejected)
{
    std::string path = copyOf("DST_TCU1");
    std::filesystem::resize_file(path, 700);
    EXPECT_NE(walkError(path).find("truncated"), std::string::npos);

    path = copyOf("DST_MOED");
    std::filesystem::resize_file(path, 0);
    EXPECT_NE(walkError(path).find("truncated"), std::string::npos);

    path = copyOf("DST_LCM1");
    std::filesystem::resize_file(path, 100000);
    EXPECT_NE(walkError(path).find("outside the index file"), std::string::npos);
}

TEST_F(DamagedIndex, PagePointersOutsideTheFileAreFaults)
{
    std::string path = copyOf("DST_MOED");
    patch(path, 0x600, le32(0x7FFFFE00));  // the tag's root
    EXPECT_NE(walkError(path).find("outside the index file"), std::string::npos);

    path = copyOf("DST_GTCU");
    patch(path, 0, le32(0x12345));  // the directory's root, not on a page boundary
    EXPECT_NE(walkError(path).find("outside the index file"), std::string::npos);
}

TEST_F(DamagedIndex, LoopsInTheTreeOrTheSiblingChainEndWithAnError)
{
    // DST_LCM1 has a four-level tree: its root is an interior page.
    std::string path = copyOf("DST_LCM1");
    std::uint32_t root = 0;
    {
        std::string bytes = cdxtest::readFile(path);
        CdxFile cdx(path, fields);
        std::uint32_t header = cdx.tags()[0].headerOffset;
        for (int i = 3; i >= 0; --i) root = (root << 8) | static_cast<unsigned char>(bytes[header + i]);
    }
    // First entry of the root: key (18 bytes), record number, then the child.
    std::string self(4, '\0');
    for (int i = 0; i < 4; ++i) self[i] = static_cast<char>((root >> (8 * (3 - i))) & 0xFF);
    patch(path, root + 12 + 18 + 4, self);
    EXPECT_NE(walkError(path).find("loop"), std::string::npos);

    // A leaf whose right sibling is itself (a one-page leaf level has none,
    // so take the small tag and make its root leaf point to itself).
    path = copyOf("DST_TCU1");
    patch(path, 0xA00 + 8, le32(0xA00));
    EXPECT_NE(walkError(path).find("loop"), std::string::npos);
}

TEST_F(DamagedIndex, PagesThatAreNotIndexPagesAreFaults)
{
    std::string path = copyOf("CEPUSR01");
    patch(path, 0xA00, std::string("\x07\x00", 2));  // node attributes
    EXPECT_NE(walkError(path).find("attributes"), std::string::npos);

    path = copyOf("DST_GTCU");
    patch(path, 0xA02, std::string("\xFF\x03", 2));  // key count
    EXPECT_NE(walkError(path).find("more keys than fit"), std::string::npos);

    path = copyOf("PROCESSO");
    patch(path, 0xA17, std::string("\x09", 1));  // bytes per entry
    EXPECT_NE(walkError(path).find("entry widths"), std::string::npos);
}

TEST_F(DamagedIndex, TagHeaderOutsideTheFileOrImpossibleKeyLength)
{
    std::string path = copyOf("DST_MOED");
    patch(path, 0x600 + 12, std::string("\x00\x04", 2));  // key length 1024
    EXPECT_NE(walkError(path).find("key length"), std::string::npos);

    path = copyOf("DST_TCU1");
    std::filesystem::resize_file(path, 0xC00 + 600);  // second tag's header cut
    EXPECT_NE(walkError(path).find("outside"), std::string::npos);
}

TEST_F(DamagedIndex, TagWhoseExpressionCannotBeEvaluatedIsListedButUnusable)
{
    std::string path = copyOf("DST_MOED");
    patch(path, 0x800, std::string("FOO(VGM_DATA)\0", 14));
    CdxFile cdx(path, fields);
    ASSERT_EQ(cdx.tags().size(), 1u);
    EXPECT_FALSE(cdx.tags()[0].usable);
    EXPECT_NE(cdx.tags()[0].problem.find("FOO"), std::string::npos);
    DbfBytes dbf(cdxtest::fixtures() / "DST_MOED.DBF");
    try {
        cdx.keyFor(0, dbf.record(1));
        ADD_FAILURE() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(e.plainMessage().find("ODATA cannot be used"), std::string::npos);
    }
    EXPECT_THROW(CdxCursor(cdx, 0), Error);
}

TEST_F(DamagedIndex, CheckReportsStructuralFaultsInsteadOfThrowing)
{
    std::string path = copyOf("DST_LCM1");
    CdxFile before(path, fields);
    std::uint32_t header = before.tags()[0].headerOffset;
    before.close();
    // The leftmost leaf: swap in a wrong left-sibling link.
    std::string bytes = cdxtest::readFile(path);
    std::uint32_t page = 0;
    for (int i = 3; i >= 0; --i) page = (page << 8) | static_cast<unsigned char>(bytes[header + i]);
    for (int level = 0; level < 3; ++level) {
        std::uint32_t child = 0;
        for (int i = 0; i < 4; ++i)
            child = (child << 8) | static_cast<unsigned char>(bytes[page + 12 + 18 + 4 + i]);
        page = child;
    }
    patch(path, page + 4, le32(0x400));
    CdxFile cdx(path, fields);
    std::vector<std::string> faults = cdx.check(0, {});
    ASSERT_FALSE(faults.empty());
    EXPECT_NE(faults[0].find("left sibling"), std::string::npos);
}

}  // namespace
