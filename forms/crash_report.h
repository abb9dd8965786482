// The crash report the plug-in writes for an exception: the exception's class and message, the
// code address as module + offset, the thread, the time, the plug-in's version, and the stack as
// module + offset frames from the platform's stack capture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace plz::forms {

struct CrashFacts {
    std::string className;  // empty: no exception object (a platform exception)
    std::string message;
    uintptr_t address = 0;
    uint32_t threadId = 0;
    std::vector<uintptr_t> stack;  // empty: the stack is captured where the report is made
};

// The report, one item per line.
std::string CrashReport(const CrashFacts& facts);

// "name.dll+0x1a2b" for a code address; the bare address when no module holds it.
std::string ModuleOffset(uintptr_t address);

// The plug-in's version, "major.minor.patch".
const char* PluginVersion();

}  // namespace plz::forms
