// Restoring a data directory from a backup: the data set comes back as it
// was and what came later goes; a table open in another program, or an
// archive with an entry that would land outside the folder, is refused with
// nothing changed.
#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <sstream>

#include "data/data_test_support.h"
#include "data/index_import.h"
#include "data/restore.h"
#include "foxpro/dump.h"
#include "foxpro/table.h"

namespace quintara {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

std::string readBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The files directly in a folder, name -> bytes (sub-folders left out).
std::map<std::string, std::string> snapshot(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.is_regular_file()) files[e.path().filename().string()] = readBytes(e.path());
    return files;
}

std::string dumpOf(const std::string& folder)
{
    std::ostringstream out;
    foxpro::dumpFolder(folder, out);
    return out.str();
}

struct Entry {
    Entry(const char* n) : name(n) {}
    Entry(const std::string& n) : name(n) {}
    std::string name;
    mode_t type = AE_IFREG;
    std::string bytes = "x";
    std::string link;  // symbolic or hard link target
    bool hard = false;
};

Entry symbolicLink(const std::string& name, const std::string& target)
{
    Entry e(name);
    e.type = AE_IFLNK;
    e.link = target;
    return e;
}

Entry hardLink(const std::string& name, const std::string& target)
{
    Entry e(name);
    e.link = target;
    e.hard = true;
    return e;
}

Entry folder(const std::string& name)
{
    Entry e(name);
    e.type = AE_IFDIR;
    return e;
}

void writeTar(const fs::path& path, const std::vector<Entry>& entries)
{
    struct archive* a = archive_write_new();
    archive_write_set_format_pax_restricted(a);
    ASSERT_EQ(archive_write_open_filename(a, path.c_str()), ARCHIVE_OK);
    for (const Entry& e : entries) {
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.name.c_str());
        archive_entry_set_filetype(entry, e.type);
        archive_entry_set_perm(entry, 0644);
        if (e.hard)
            archive_entry_set_hardlink(entry, e.link.c_str());
        else if (!e.link.empty())
            archive_entry_set_symlink(entry, e.link.c_str());
        const bool data = e.type == AE_IFREG && e.link.empty();
        archive_entry_set_size(entry, data ? static_cast<la_int64_t>(e.bytes.size()) : 0);
        ASSERT_EQ(archive_write_header(a, entry), ARCHIVE_OK) << e.name;
        if (data) archive_write_data(a, e.bytes.data(), e.bytes.size());
        archive_entry_free(entry);
    }
    archive_write_close(a);
    archive_write_free(a);
}

class Restore : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing::makeDataDirectory(data);
        auto dm = DataModule::openFolder(data);
        foxpro::Table& t = dm->Indices();
        t.append();
        t.setString("TBCM_COD", "SYND");
        t.setString("TBCM_TIP", "1");
        t.setString("TBCM_VAL", "2");
        t.post();
        importIndexValues(*dm, "SYND", parseIndexValues("01/01/2020;1,5\n02/01/2020;2,5\n"));
        testing::writeFile(data + "00000000001001.CLC", "memo\n");
    }
    TempDir dir;
    std::string data = dir.folder() + "data/";
};

TEST_F(Restore, TheDataSetComesBackAndWhatCameAfterTheBackupGoes)
{
    const std::string dumpBefore = dumpOf(data);
    const auto filesBefore = snapshot(data);
    const fs::path archive = backupBeforeChange(data);

    {
        auto dm = DataModule::openFolder(data);
        importIndexValues(*dm, "SYND", parseIndexValues("02/01/2020;9\n03/01/2020;3\n"));
    }
    testing::writeFile(data + "00000000001001.CLC", "recalculated\n");
    testing::writeFile(data + "00000000001002.clc", "new item\n");
    testing::writeFile(data + "DST_LCM1.DBF.undo", "journal of a writer that died");
    testing::writeFile(data + "D360.TXT", "");
    ASSERT_NE(dumpOf(data), dumpBefore);

    const RestoreOutcome done = restoreBackup(data, archive, 1);
    EXPECT_EQ(dumpOf(data), dumpBefore);
    auto filesAfter = snapshot(data);
    EXPECT_EQ(filesAfter.erase("D360.TXT"), 1u) << "files outside the data set stay";
    EXPECT_EQ(filesAfter, filesBefore);
    EXPECT_EQ(done.removed, 2u);  // the new memo, the journal
    EXPECT_EQ(done.restored, filesBefore.size());
    // The state before the restore was kept, and so was the archive restored
    // from, although only one archive is to be kept.
    EXPECT_TRUE(fs::exists(archive));
    EXPECT_TRUE(fs::exists(done.safetyCopy));
    EXPECT_EQ(listBackups(data).size(), 2u);
    {
        auto dm = DataModule::openFolder(data);
        EXPECT_EQ(dm->QueryIndices("SYND", Date(), Date()).size(), 2u);
    }
    const RestoreOutcome back = restoreBackup(data, done.safetyCopy);
    EXPECT_EQ(readBytes(data + "00000000001002.clc"), "new item\n");
    EXPECT_GT(back.restored, 0u);
}

TEST_F(Restore, IsRefusedWhileATableIsOpenInAnotherProcessOrObject)
{
    const fs::path archive = backupBeforeChange(data);
    const auto before = snapshot(data);
    {
        foxpro::Table open(data + "DST_LCM1.DBF");
        EXPECT_THROW(restoreBackup(data, archive), BackupError);
    }
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        foxpro::Table open(data + "PITCALCU.DBF");
        char c = 1;
        if (write(ready[1], &c, 1) != 1) _exit(2);
        if (read(release[0], &c, 1) != 1) _exit(3);
        _exit(0);
    }
    char c = 0;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    try {
        restoreBackup(data, archive);
        ADD_FAILURE() << "the restore went on while another process had a table open";
    } catch (const BackupError& e) {
        EXPECT_NE(std::string(e.what()).find("PITCALCU.DBF"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("open in another program"), std::string::npos) << e.what();
    }
    ASSERT_EQ(write(release[1], &c, 1), 1);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(snapshot(data), before);
    EXPECT_EQ(listBackups(data).size(), 1u) << "a refused restore makes no backup either";
    for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);

    // With every table closed it goes ahead.
    EXPECT_NO_THROW(restoreBackup(data, archive));
}

TEST_F(Restore, ArchivesWithEntriesOutsideTheFolderLinksOrNoTableAreRefused)
{
    const auto before = snapshot(data);
    const std::string outside = dir.folder() + "EVIL.DBF";
    const std::string absolute = dir.folder() + "ABS.DBF";
    const std::vector<std::pair<std::vector<Entry>, std::string>> cases = {
        {{{"DST_TCM1.DBF"}, {"../EVIL.DBF"}}, "leads out of the data directory"},
        {{{"DST_TCM1.DBF"}, {"sub/../../EVIL.DBF"}}, "leads out of the data directory"},
        {{{"DST_TCM1.DBF"}, {absolute}}, "absolute path"},
        {{{"DST_TCM1.DBF"}, {"img/DST_TCM1.DBF"}}, "sub-folder"},
        {{{"DST_TCM1.DBF"}, symbolicLink("LINK.DBF", outside)}, "is a link"},
        {{{"DST_TCM1.DBF"}, hardLink("HARD.DBF", "DST_TCM1.DBF")}, "is a link"},
        {{{"DST_TCM1.DBF"}, {".bashrc"}}, "is not a table"},
        {{{"DST_TCM1.DBF"}, {"DST_TCM1.dbf"}}, "twice"},
        {{{"DST_TCM1.DBF"}, folder("FOLDER.DBF")}, "not a plain file"},
        {{{"00000000001001.CLC"}}, "holds no table"},
    };
    for (const auto& [entries, message] : cases) {
        SCOPED_TRACE(entries.back().name);
        const fs::path archive = dir.folder() + "bad.tar";
        writeTar(archive, entries);
        try {
            restoreBackup(data, archive);
            ADD_FAILURE() << "restored from an archive it should refuse";
        } catch (const BackupError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
        EXPECT_EQ(snapshot(data), before);
        EXPECT_FALSE(fs::exists(outside));
        EXPECT_FALSE(fs::exists(absolute));
    }
    testing::writeFile(dir.folder() + "not-an-archive.zip", "plain text");
    EXPECT_THROW(restoreBackup(data, dir.folder() + "not-an-archive.zip"), BackupError);
    EXPECT_THROW(restoreBackup(data, dir.folder() + "missing.zip"), BackupError);
    EXPECT_EQ(snapshot(data), before);
    EXPECT_TRUE(listBackups(data).empty());
    // Nothing unpacked is left beside the archives.
    EXPECT_TRUE(!fs::exists(data + "backup") || fs::is_empty(data + "backup"));
}

}  // namespace
}  // namespace quintara
