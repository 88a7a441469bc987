// Pack replaces a table's DBF, FPT and CDX with new files, one rename each.
// A journal beside the table names the finished new files before the first
// rename, so a pack cut short between renames is completed when the table is
// next opened instead of leaving an old table beside a new memo file.
#pragma once

#include <string>
#include <vector>

namespace foxpro {

struct FileReplacement {
    std::string from;  // the finished new file
    std::string to;    // the file it replaces (same folder)
};

// Path of the journal of the table at dbfPath.
std::string packJournalPath(const std::string& dbfPath);

// Makes every `from` durable, then writes the journal durably.
void writePackJournal(const std::string& dbfPath, const std::vector<FileReplacement>& steps);

// Renames what the journal still lists (a new file already moved is skipped)
// and removes the journal. Does nothing when there is no journal.
void completePackJournal(const std::string& dbfPath);

}  // namespace foxpro
