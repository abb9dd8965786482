// Test mode, in which a message box becomes one line on standard output and the host process ends
// with exit code 1.
#include "client/messages.h"

#include <cstdlib>

#include "platform/os.h"

namespace plz {

bool IsTestMode() {
    constexpr const char* kTestModeKey = "\\Software\\Vantor\\TestMode";
    // Opened, never created, and closed at once: only the key's existence counts. The registry
    // takes the key without its leading backslash.
    os::RegistryKey key = os::calls().RegistryOpen(os::RegistryRoot::LocalMachine, kTestModeKey + 1);
    if (!key) return false;
    os::calls().RegistryClose(key);
    return true;
}

void TerminateProcessWithCode(int exitCode) {
    os::calls().FlushStdout();
    os::calls().ExitNow(exitCode);
    // ExitNow does not come back; should a replaced one do so, the promise still holds.
    std::_Exit(exitCode);
}

}  // namespace plz
