// The plug-in's exceptions, the raise hook that fills the thread's error information, and the
// check of host statuses.
#include "frame/errors.h"

#include <cstdio>

#include "platform/file_path.h"
#include "platform/os.h"

namespace plz {
namespace {

bool g_hookInstalled = false;

std::string HexCode(HRESULT code) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(code));
    return buffer;
}

}  // namespace

Exception::Exception(std::string message) : message_(std::move(message)) {
    if (g_hookInstalled) PutErrorInfo(message_);
}

EHostError::EHostError(HRESULT code, std::string message, std::u16string source, std::u16string helpFile,
                       uint32_t helpContext)
    : Exception(std::move(message)),
      code_(code),
      source_(std::move(source)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext) {}

EOSError::EOSError(uint32_t code) : Exception("System Error. Code: " + std::to_string(code) + "."), code_(code) {}

void CheckHost(HRESULT status) {
    if (!Failed(status)) return;
    os::ErrorInfo info;
    if (os::calls().TakeThreadErrorInfo(&info))
        throw EHostError(status, os::calls().WideToAnsi(info.description), info.source, info.helpFile,
                         info.helpContext);
    throw EHostError(status, "Host call failed with status 0x" + HexCode(status), {}, {}, 0);
}

void PutErrorInfo(const std::string& message) {
    os::ErrorInfo info;
    info.source = os::calls().AnsiToWide(LibraryFileName());
    info.description = os::calls().AnsiToWide(message);
    // Without an error-information object the raise proceeds without one.
    os::calls().SetThreadErrorInfo(&info);
}

void InstallRaiseHook() { g_hookInstalled = true; }
void RemoveRaiseHook() { g_hookInstalled = false; }
bool RaiseHookInstalled() { return g_hookInstalled; }

std::string LibraryFileName() {
    std::string path = os::calls().ModulePath(os::calls().OwnModule());
    if (path.size() > 260) path.resize(260);
    return FileNameOfPath(path);
}

}  // namespace plz
