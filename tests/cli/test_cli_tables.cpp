// The table commands of quintara-cli: dump, check, reindex and pack, run on
// the fixture folders and on damaged copies of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli.h"
#include "fixture_copy.h"

namespace fs = std::filesystem;

namespace {

fs::path fixtures(const std::string& folder)
{
    return quintaratest::FixtureCopies::folder(folder);
}

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct Result {
    int code;
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int code = quintara::cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

// A writable copy of a fixture folder, removed at the end.
class FolderCopy {
public:
    explicit FolderCopy(const std::string& folder)
    {
        std::string pattern = (fs::temp_directory_path() / "quintara-cli-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a scratch folder");
        path_ = pattern;
        for (const auto& entry : fs::directory_iterator(fixtures(folder))) {
            const fs::path to = path_ / entry.path().filename();
            fs::copy_file(entry.path(), to);
            fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write);
        }
    }
    ~FolderCopy()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string str() const { return path_.string(); }
    fs::path operator/(const std::string& name) const { return path_ / name; }

private:
    fs::path path_;
};

}  // namespace

TEST(CliTables, DumpPrintsEachFixtureFolderExactlyAsExpected)
{
    for (const std::string folder : {"foxpro", "foxpro-mutated"}) {
        const Result r = run({"dump", fixtures(folder).string()});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_TRUE(r.out == readAll(fixtures(folder) / "EXPECTED-DUMP.txt")) << folder;
    }
    EXPECT_EQ(run({"dump"}).code, 2);
    EXPECT_EQ(run({"dump", "/no/such/folder"}).code, 1);
}

TEST(CliTables, CheckReportsSoundTablesAndStaleIndexes)
{
    // Every table agrees with its index; the changes moved 24 values a year
    // onto dates already stored for their index, which the data rules report.
    const Result sound = run({"check", fixtures("foxpro-mutated").string()});
    EXPECT_EQ(sound.code, 1) << sound.out << sound.err;
    std::istringstream lines(sound.out);
    int repeated = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.find(" is stored 2 times (records ") != std::string::npos)
            ++repeated;
        else
            EXPECT_EQ(line.substr(line.size() - 4), ": OK") << line;
    }
    EXPECT_EQ(repeated, 24);
    EXPECT_NE(sound.out.find("DSTPARAM.DBF: OK\n"), std::string::npos);

    FolderCopy copy("foxpro");
    std::string bytes = readAll(copy / "DST_TCU1.DBF");
    bytes[162 + 1] = 'Z';  // record 1's TCU_LETRA changed behind the index's back
    std::ofstream(copy / "DST_TCU1.DBF", std::ios::binary | std::ios::trunc) << bytes;
    const Result stale = run({"check", copy.str()});
    EXPECT_EQ(stale.code, 1);
    EXPECT_NE(stale.out.find("DST_TCU1.DBF: tag LETRA"), std::string::npos) << stale.out;
    EXPECT_NE(stale.out.find("DST_GTCU.DBF: OK"), std::string::npos);

    const Result reindex = run({"reindex", copy.str(), "dst_tcu1"});
    EXPECT_EQ(reindex.code, 0) << reindex.err;
    EXPECT_EQ(reindex.out, "DST_TCU1.DBF: reindexed (2 tags)\n");
    EXPECT_EQ(run({"check", copy.str()}).code, 0);
}

TEST(CliTables, ReindexEveryTableAndPackOneKeepTheLiveRecords)
{
    FolderCopy copy("foxpro");
    const Result all = run({"reindex", copy.str()});
    EXPECT_EQ(all.code, 0) << all.err;
    EXPECT_NE(all.out.find("DSTPARAM.DBF: no index\n"), std::string::npos);
    EXPECT_NE(all.out.find("DST_LCM1.DBF: reindexed (1 tags)\n"), std::string::npos);
    // Rebuilt indexes hold the same keys in the same order.
    const Result dump = run({"dump", copy.str()});
    EXPECT_TRUE(dump.out == readAll(fixtures("foxpro") / "EXPECTED-DUMP.txt"));

    const Result pack = run({"pack", copy.str(), "DST_MOED.DBF"});
    EXPECT_EQ(pack.code, 0) << pack.err;
    EXPECT_EQ(pack.out, "DST_MOED.DBF: packed, 9 records (1 removed)\n");
    EXPECT_EQ(run({"check", copy.str()}).code, 0);
    EXPECT_EQ(run({"pack", copy.str()}).code, 2);
    EXPECT_EQ(run({"pack", copy.str(), "NOSUCH"}).code, 1);
}
