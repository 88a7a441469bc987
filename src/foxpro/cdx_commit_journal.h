// The redo journal of an index commit: the new bytes of every block a commit
// changes are written to a file beside the index before the first of them
// goes into the index, and the file is removed after the last. A commit cut
// short (the process killed) leaves the index untouched with an incomplete
// journal, which is dropped, or leaves a complete journal, which the next
// process that takes the index writes again in full.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace foxpro::cdx {

std::string commitJournalPath(const std::string& cdxPath);

struct JournalBlock {
    std::uint32_t offset;
    const std::string* bytes;  // one 512-byte block
};

// Writes the journal of one commit (replacing any old one). Throws
// foxpro::Error naming the index when it cannot be written; the index is
// not touched then.
void writeCommitJournal(const std::string& cdxPath, const std::vector<JournalBlock>& blocks);
void removeCommitJournal(const std::string& cdxPath);

// Finishes a commit left by a process that ended half-way: a complete
// journal is written into the index (open read-write on fd) and removed; an
// incomplete one is removed. Returns true when a journal was replayed. The
// caller must exclude commits of other processes (hold the index lock).
bool recoverCommitJournal(const std::string& cdxPath, int fd);

// Called before and after every write of a commit (journal, index blocks,
// journal removal), so that a test can end the process at any of them.
void setCommitWriteHook(std::function<void()> hook);
void commitWritePoint();

}  // namespace foxpro::cdx
