// Backups of a data directory: what an archive holds, that every archive gets
// a name of its own and the oldest go beyond the number kept, and that a
// backup that cannot be written leaves nothing behind.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "data/backup.h"
#include "data/data_test_support.h"
#include "data/settings.h"

namespace quintara {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string upperName(std::string name)
{
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// Every entry of a zip: name -> bytes.
std::map<std::string, std::string> readArchive(const fs::path& path)
{
    std::map<std::string, std::string> entries;
    struct archive* a = archive_read_new();
    archive_read_support_format_zip(a);
    EXPECT_EQ(archive_read_open_filename(a, path.c_str(), 65536), ARCHIVE_OK) << path;
    archive_entry* entry = nullptr;
    while (archive_read_next_header(a, &entry) == ARCHIVE_OK) {
        std::string bytes;
        char buffer[8192];
        la_ssize_t n;
        while ((n = archive_read_data(a, buffer, sizeof buffer)) > 0) bytes.append(buffer, n);
        entries[archive_entry_pathname(entry)] = bytes;
    }
    archive_read_free(a);
    return entries;
}

class Backup : public ::testing::Test {
protected:
    void SetUp() override { testing::makeDataDirectory(data); }
    TempDir dir;
    std::string data = dir.folder() + "data/";
};

TEST_F(Backup, TheArchiveHoldsTheTablesIndexesMemosAndCalculationMemosOnly)
{
    testing::writeFile(data + "00000000001001.clc", "memo line\n");
    testing::writeFile(data + "OUTRO.CLC", "another\n");
    testing::writeFile(data + "D360.TXT", "");
    testing::writeFile(data + "notes.txt", "not part of the data set");
    fs::create_directories(data + "img/Real 1994");
    testing::writeFile(data + "img/Real 1994/nota.jpg", "jpeg");
    fs::create_symlink(data + "DST_TCM1.DBF", data + "LINKED.DBF");

    const fs::path archive = backupBeforeChange(data);
    EXPECT_EQ(archive.parent_path(), fs::path(data + "backup"));
    const auto entries = readArchive(archive);

    std::set<std::string> expected;
    for (const auto& e : fs::directory_iterator(data)) {
        const std::string name = e.path().filename().string();
        const std::string upper = upperName(name);
        if (e.is_regular_file() && !e.is_symlink() &&
            (upper.ends_with(".DBF") || upper.ends_with(".CDX") || upper.ends_with(".FPT") ||
             upper.ends_with(".CLC")))
            expected.insert(name);
    }
    std::set<std::string> names;
    for (const auto& [name, bytes] : entries) {
        names.insert(name);
        EXPECT_EQ(bytes, readBytes(data + name)) << name;
    }
    EXPECT_EQ(names, expected);
    EXPECT_TRUE(names.contains("00000000001001.clc"));
    EXPECT_FALSE(names.contains("LINKED.DBF")) << "a link is not a table of the folder";
}

TEST_F(Backup, EveryArchiveHasItsOwnNameAndOnlyTheNewestAreKept)
{
    fs::create_directories(data + "backup");
    testing::writeFile(data + "backup/leia-me.txt", "kept by the person");
    testing::writeFile(data + "backup/antigo.zip", "not one of ours");
    std::vector<fs::path> made;
    for (int i = 0; i < 6; ++i) made.push_back(backupBeforeChange(data, 4));
    // Six archives in well under a second: the names still differ.
    EXPECT_EQ(std::set<fs::path>(made.begin(), made.end()).size(), made.size());
    const std::vector<fs::path> kept = listBackups(data);
    EXPECT_EQ(kept, std::vector<fs::path>(made.end() - 4, made.end()));
    for (std::size_t i = 0; i < 2; ++i) EXPECT_FALSE(fs::exists(made[i])) << made[i];
    EXPECT_TRUE(fs::exists(data + "backup/leia-me.txt"));
    EXPECT_TRUE(fs::exists(data + "backup/antigo.zip"));

    // Lowering the number removes the oldest at the next backup.
    const fs::path last = backupBeforeChange(data, 1);
    EXPECT_EQ(listBackups(data), std::vector<fs::path>{last});
    EXPECT_THROW(backupBeforeChange(data, 0), BackupError);
}

TEST_F(Backup, ArchivesMadeInTheSameMillisecondAreListedInTheOrderTheyWereMade)
{
    fs::create_directories(data + "backup");
    for (const char* name : {"20261209-101010-500-10.zip", "20261209-101010-500-2.zip",
                             "20261209-101010-500.zip", "20261209-095959-999.zip"})
        testing::writeFile(data + "backup/" + name, "");
    std::vector<std::string> names;
    for (const fs::path& p : listBackups(data)) names.push_back(p.filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"20261209-095959-999.zip", "20261209-101010-500.zip",
                                               "20261209-101010-500-2.zip", "20261209-101010-500-10.zip"}));
}

TEST_F(Backup, ABackupThatCannotBeWrittenThrowsAndLeavesNothing)
{
    testing::writeFile(data + "backup", "a file where the folder should be");
    EXPECT_THROW(backupBeforeChange(data), BackupError);
    fs::remove(data + "backup");
    fs::create_directories(data + "backup");
    EXPECT_THROW(backupBeforeChange(dir.folder() + "missing/"), BackupError);
    EXPECT_TRUE(fs::is_empty(data + "backup"));
}

TEST(BackupSettings, TheNumberKeptFallsBackTo20UnlessAWholeNumberOfAtLeastOneIsStored)
{
    EXPECT_EQ(backupsKept(nullptr), 20);
    MemorySettings settings;
    EXPECT_EQ(backupsKept(&settings), 20);
    for (const char* bad : {"", "abc", "0", "-3", "7x"}) {
        settings.setValue(kBackupsKeptKey, bad);
        EXPECT_EQ(backupsKept(&settings), 20) << bad;
    }
    settings.setValue(kBackupsKeptKey, "7");
    EXPECT_EQ(backupsKept(&settings), 7);
}

}  // namespace
}  // namespace quintara
