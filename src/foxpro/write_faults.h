// A hook on every write the table engine makes to a DBF or FPT file, so that
// tests can make a chosen write fail (a full disk) or end the process at it
// (a crash). Without a hook installed a write costs one test of a pointer.
#pragma once

#include <functional>
#include <string>

namespace foxpro {

// Called before each write with the file's path; returns 0 to let the write
// go ahead or an errno value (ENOSPC, EIO) that the write then fails with.
using WriteHook = std::function<int(const std::string& path)>;

// Installs `hook` for the whole process; an empty function removes it.
void setWriteHook(WriteHook hook);

// The errno value the installed hook gives for a write to `path` (0 = go on).
int writeHookVerdict(const std::string& path);

}  // namespace foxpro
