// Reads through a damaged index: a loop in the leaf chain ends a scan, a
// seek and check with an error at once, and random damage to index pages
// never makes a seek hand out a wrong record.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "cdx_test_support.h"
#include "foxpro/cdx_file.h"
#include "foxpro/cdx_file_impl.h"
#include "foxpro/cdx_key.h"
#include "foxpro/table.h"
#include "table_test_support.h"

using namespace foxpro;
namespace fs = std::filesystem;

namespace {

void patch(const std::string& path, std::size_t at, const std::string& bytes)
{
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(at));
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string le32(std::uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

// The fields of the damaged index kept as a reproduction.
const std::vector<FieldDef> kFields = {{"CODE", FieldType::Character, 10, 0},
                                       {"DATA", FieldType::Date, 8, 0},
                                       {"VALOR", FieldType::Numeric, 12, 2},
                                       {"NOME", FieldType::Character, 30, 0}};

// A table of `rows` rows under tag CODDATA (code + date), several leaves deep.
std::string makeTable(const tabletest::ScratchDir& dir, int rows)
{
    const std::string path = dir.file("LOOP.DBF");
    Table::create(path, kFields, {{"CODDATA", "CODE+DTOS(DATA)", "", false}});
    Table t(path, OpenMode::Exclusive);
    for (int i = 0; i < rows; ++i) {
        t.append();
        t.setString("CODE", i % 2 ? "IPCA" : "INPC");
        t.setDate("DATA", dtosFromJulian(julianDay(2000, 1, 1) + i / 2));
        t.setNumber("VALOR", i);
        t.post();
    }
    return path;
}

// The leaf pages of tag 0 in chain order.
std::vector<std::uint32_t> leafChain(const std::string& cdxPath)
{
    CdxFile cdx(cdxPath, kFields);
    cdx::CdxTree& tree = *cdx.impl().tags[0].tree;
    std::uint32_t page = tree.root();
    while (!tree.load(page)->leaf()) page = tree.load(page)->entries.front().child;
    std::vector<std::uint32_t> chain;
    for (; page != cdx::kNoPage; page = tree.load(page)->right) chain.push_back(page);
    return chain;
}

// Runs a read and returns the error's text ("" when it raised none).
template <typename Read>
std::string errorOf(Read read)
{
    try {
        read();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(IndexLoops, LeafChainLoopStopsScanSeekAndCheck)
{
    tabletest::ScratchDir dir;
    const std::string dbf = makeTable(dir, 3000);
    const std::string cdxPath = dir.file("LOOP.CDX");
    const std::vector<std::uint32_t> chain = leafChain(cdxPath);
    ASSERT_GE(chain.size(), 3u);
    // The last leaf leads back to the first, and the first back to it, so
    // that the links agree with each other and only key order shows it.
    patch(cdxPath, chain.back() + 8, le32(chain.front()));
    patch(cdxPath, chain.front() + 4, le32(chain.back()));

    Table t(dbf);
    t.setTag("CODDATA");
    const std::string scan = errorOf([&] {
        for (t.first(); !t.eof(); t.next()) {
        }
    });
    EXPECT_NE(scan.find("loop"), std::string::npos) << scan;
    EXPECT_NE(scan.find("CODDATA"), std::string::npos) << scan;
    EXPECT_NE(scan.find("reindex"), std::string::npos) << scan;
    // Past the last key a seek steps across to the next leaf: the loop.
    const std::string seek = errorOf([&] { t.seekNearest({"ZZZ"}, true); });
    EXPECT_NE(seek.find("loop"), std::string::npos) << seek;
    const std::string backwards = errorOf([&] {
        for (t.last(); !t.bof(); t.prior()) {
        }
    });
    EXPECT_NE(backwards.find("loop"), std::string::npos) << backwards;
    t.close();

    Table exclusive(dbf, OpenMode::Exclusive);
    std::vector<std::string> faults;
    const std::string check = errorOf([&] { faults = exclusive.check(); });
    EXPECT_TRUE(!faults.empty() || !check.empty());
}

TEST(IndexLoops, ReproductionOfALeafLoopEndsWithAnError)
{
    tabletest::ScratchDir dir;
    const std::string dbf = makeTable(dir, 50);
    fs::copy_file(cdxtest::fixtures("repro") / "cdx-leaf-loop.cdx", dir.file("LOOP.CDX"),
                  fs::copy_options::overwrite_existing);
    fs::permissions(dir.file("LOOP.CDX"), fs::perms::owner_read | fs::perms::owner_write);

    CdxFile cdx(dir.file("LOOP.CDX"), kFields);
    CdxCursor cursor(cdx, 0);
    EXPECT_THROW(
        {
            for (bool ok = cursor.first(); ok; ok = cursor.next()) {
            }
        },
        Error);
    std::vector<std::string> faults;
    const std::string check = errorOf([&] { faults = cdx.check(0, {}); });
    EXPECT_TRUE(!faults.empty() || !check.empty());

    Table t(dbf);
    t.setTag("CODDATA");
    EXPECT_NE(errorOf([&] {
                  for (t.first(); !t.eof(); t.next()) {
                  }
              }).find("reindex"),
              std::string::npos);
}

// Random 64-byte overwrites inside the pages of a real index. Every seek of
// a key the table holds either finds the very record it found before the
// damage or stops with an error asking for a reindex; none gives another
// record, and none says the key is missing.
TEST(IndexDamage, RandomPageDamageNeverYieldsAWrongRecord)
{
    tabletest::ScratchDir dir;
    const std::string dbf = dir.copyTable("DST_LCM1");
    const std::string cdxPath = dir.file("DST_LCM1.CDX");
    const std::string original = tabletest::readBytes(cdxPath);

    struct Probe {
        std::string code, date, value;
        std::uint32_t recno;
    };
    std::vector<Probe> probes;
    std::mt19937 random(20261209);
    {
        Table t(dbf);
        t.setTag("CODDATA");
        std::uniform_int_distribution<std::uint32_t> pick(1, t.recordCount());
        while (probes.size() < 120) {
            t.go(pick(random));
            if (t.isDeleted()) continue;
            Probe p{t.getRaw("LCM_COD"), t.getDate("LCM_DATA"), "", 0};
            ASSERT_TRUE(t.seek({p.code, p.date}));
            p.value = t.getString("LCM_VALOR");
            p.recno = t.recNo();
            probes.push_back(p);
        }
    }

    int detected = 0;
    for (int round = 0; round < 100; ++round) {
        std::string damaged = original;
        std::uniform_int_distribution<std::size_t> where(1024, damaged.size() - 64);
        const std::size_t at = where(random);
        for (std::size_t i = 0; i < 64; ++i) damaged[at + i] = static_cast<char>(random() & 0xFF);
        tabletest::writeBytes(cdxPath, damaged);
        try {
            Table t(dbf);
            t.setTag("CODDATA");
            for (const Probe& p : probes) {
                try {
                    const bool found = t.seek({p.code, p.date});
                    ASSERT_TRUE(found) << "round " << round << ", offset " << at << ": " << p.code << p.date;
                    ASSERT_EQ(t.recNo(), p.recno) << "round " << round << ", offset " << at;
                    ASSERT_EQ(t.getString("LCM_VALOR"), p.value);
                } catch (const Error& e) {
                    EXPECT_NE(std::string(e.what()).find("reindex"), std::string::npos) << e.what();
                    ++detected;
                }
            }
        } catch (const Error&) {
            ++detected;  // the damage hit a tag header: the table does not open its index
        }
    }
    EXPECT_GT(detected, 0);
}
