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

TEST(CliTables, ReindexRebuildsZeroedEmptyAndMissingIndexesFromTheTagDefinitions)
{
    FolderCopy copy("foxpro");
    std::ofstream(copy / "DST_LCM1.CDX", std::ios::binary | std::ios::trunc)
        << std::string(fs::file_size(copy / "DST_LCM1.CDX"), '\0');
    std::ofstream(copy / "DST_TCU1.CDX", std::ios::binary | std::ios::trunc);
    fs::remove(copy / "PITINDPE.CDX");
    const Result broken = run({"check", copy.str()});
    EXPECT_EQ(broken.code, 1);
    EXPECT_NE(broken.out.find("PITINDPE.DBF: the structural index file PITINDPE.CDX is missing"),
              std::string::npos)
        << broken.out;

    const Result all = run({"reindex", copy.str()});
    EXPECT_EQ(all.code, 0) << all.err;
    EXPECT_NE(
        all.out.find("PITINDPE.DBF: the structural index file PITINDPE.CDX is missing; rebuilt from the tag "
                     "definitions (3 tags)\n"),
        std::string::npos)
        << all.out;
    EXPECT_EQ(all.out.find("DST_LCM1.DBF: reindexed"), std::string::npos) << all.out;
    EXPECT_NE(all.out.find("; rebuilt from the tag definitions (1 tags)\n"), std::string::npos) << all.out;
    EXPECT_NE(all.out.find("DST_TCU1.DBF: the index file is truncated"), std::string::npos) << all.out;
    EXPECT_NE(all.out.find("DST_GTCU.DBF: reindexed (1 tags)\n"), std::string::npos);
    EXPECT_EQ(run({"check", copy.str()}).code, 0);
    const Result dump = run({"dump", copy.str()});
    EXPECT_TRUE(dump.out == readAll(fixtures("foxpro") / "EXPECTED-DUMP.txt"));
}

TEST(CliTables, ReindexTakesTheTagsOfATableItDoesNotKnowFromAnotherFolder)
{
    FolderCopy copy("foxpro");
    FolderCopy other("foxpro");
    for (const char* ext : {".DBF", ".CDX"}) {
        fs::rename(copy / (std::string("DST_TCU1") + ext), copy / (std::string("OUTRA") + ext));
        fs::rename(other / (std::string("DST_TCU1") + ext), other / (std::string("OUTRA") + ext));
    }
    std::ofstream(copy / "OUTRA.CDX", std::ios::binary | std::ios::trunc) << std::string(4096, '\0');
    const Result unknown = run({"reindex", copy.str(), "outra"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("the tags it should hold are not known"), std::string::npos) << unknown.err;

    const Result known = run({"reindex", copy.str(), "outra", "--tags-from", other.str()});
    EXPECT_EQ(known.code, 0) << known.err;
    EXPECT_NE(known.out.find("; rebuilt from the tag definitions (2 tags)\n"), std::string::npos)
        << known.out;
    EXPECT_EQ(run({"check", copy.str()}).code, 0);
    EXPECT_EQ(readAll(copy / "OUTRA.CDX").size(), readAll(other / "OUTRA.CDX").size());
    EXPECT_EQ(run({"reindex", copy.str(), "--tags-from"}).code, 2);
}

TEST(CliTables, CheckReportsAMemoWhoseLengthRunsPastTheEndOfTheMemoFile)
{
    FolderCopy copy("foxpro");
    // The first memo of DST_TCM1's memo file starts after its header; its
    // length is the big-endian word at bytes 4-7 of its block.
    std::string fpt = readAll(copy / "DST_TCM1.FPT");
    const std::size_t blockSize =
        (static_cast<unsigned char>(fpt[6]) << 8) | static_cast<unsigned char>(fpt[7]);
    const std::size_t first = (512 + blockSize - 1) / blockSize * blockSize;
    fpt.replace(first + 4, 4, std::string("\x7F\xFF\xFF\xF0", 4));
    std::ofstream(copy / "DST_TCM1.FPT", std::ios::binary | std::ios::trunc) << fpt;
    const Result r = run({"check", copy.str()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("claims 2147483632 bytes, past the end of the memo file"), std::string::npos)
        << r.out;
}
