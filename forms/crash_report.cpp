// The crash report text.
#include "forms/crash_report.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "platform/file_path.h"
#include "platform/os.h"

namespace plz::forms {

const char* PluginVersion() { return PLAZEN_VERSION; }

std::string ModuleOffset(uintptr_t address) {
    char text[64];
    std::string path;
    uintptr_t base = address ? os::calls().ModuleOfAddress(address, &path) : 0;
    if (!base) {
        std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(address));
        return text;
    }
    std::snprintf(text, sizeof text, "+0x%llx", static_cast<unsigned long long>(address - base));
    return FileNameOfPath(path) + text;
}

std::string CrashReport(const CrashFacts& facts) {
    std::string report;
    report += "Exception: " + (facts.className.empty() ? std::string("(platform exception)") : facts.className) + "\n";
    report += "Message: " + facts.message + "\n";
    report += "Address: " + ModuleOffset(facts.address) + "\n";
    report += "Thread: " + std::to_string(facts.threadId) + "\n";
    std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char time[32] = "?";
    if (const std::tm* utc = std::gmtime(&now)) std::strftime(time, sizeof time, "%Y-%m-%d %H:%M:%S UTC", utc);
    report += std::string("Time: ") + time + "\n";
    report += std::string("Version: ") + PluginVersion() + "\n";
    report += "Stack:\n";
    std::vector<uintptr_t> stack = facts.stack;
    if (stack.empty()) {
        uintptr_t frames[48];
        stack.assign(frames, frames + os::calls().CaptureStack(frames, 48, 0));
    }
    for (uintptr_t frame : stack) report += "  " + ModuleOffset(frame) + "\n";
    return report;
}

}  // namespace plz::forms
