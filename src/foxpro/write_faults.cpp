#include "foxpro/write_faults.h"

#include <utility>

namespace foxpro {

namespace {

WriteHook& installedHook()
{
    static WriteHook hook;
    return hook;
}

}  // namespace

void setWriteHook(WriteHook hook)
{
    installedHook() = std::move(hook);
}

int writeHookVerdict(const std::string& path)
{
    const WriteHook& hook = installedHook();
    return hook ? hook(path) : 0;
}

}  // namespace foxpro
