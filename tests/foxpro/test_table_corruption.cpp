// Randomly damaged table headers and memo files: opening and reading them
// either works or throws foxpro::Error; no other exception, crash or hang.
#include <gtest/gtest.h>

#include <random>

#include "foxpro/table.h"
#include "table_test_support.h"

using foxpro::Table;
using namespace tabletest;

namespace {

// Reads every field of every visible record and runs the consistency check.
void readEverything(const std::string& path)
{
    Table t(path);
    for (t.first(); !t.eof(); t.next())
        for (const foxpro::FieldDef& f : t.fields()) (void)t.getString(f.name);
    (void)t.check();
}

}  // namespace

TEST(TableCorruption, DamagedHeadersAndMemosFailCleanly)
{
    ScratchDir dir;
    std::mt19937 random(20261208);
    int failures = 0;
    for (const std::string stem : {"DST_MOED", "DSTPARAM", "PITCALCU", "DST_FCM1"}) {
        const std::string path = dir.copyTable(stem);
        const std::string dbf = readBytes(path);
        const fs::path fptPath = dir.path() / (stem + ".FPT");
        const std::string fpt = fs::exists(fptPath) ? readBytes(fptPath) : "";
        for (int round = 0; round < 60; ++round) {
            std::string damaged = dbf;
            const std::size_t headerLength =
                static_cast<unsigned char>(dbf[8]) | static_cast<unsigned char>(dbf[9]) << 8;
            for (int n = 0; n < 3; ++n)
                damaged[random() % (round % 2 ? headerLength : damaged.size())] = static_cast<char>(random());
            writeBytes(path, damaged);
            if (!fpt.empty()) {
                std::string memo = fpt;
                for (int n = 0; n < 4; ++n) memo[random() % memo.size()] = static_cast<char>(random());
                writeBytes(fptPath, memo);
            }
            try {
                readEverything(path);
            } catch (const foxpro::Error&) {
                ++failures;
            } catch (const std::exception& e) {
                ADD_FAILURE() << stem << " round " << round << ": not a foxpro::Error: " << e.what();
            }
        }
        writeBytes(path, dbf);
        if (!fpt.empty()) writeBytes(fptPath, fpt);
    }
    EXPECT_GT(failures, 0) << "the damage should be noticed at least sometimes";
}
