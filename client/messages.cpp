// Message boxes owned by the host's window, the error box, and test mode, in which a message box
// becomes one line on standard output and the host process ends with exit code 1.
#include "client/messages.h"

#include <cstdlib>

#include "frame/application.h"
#include "platform/os.h"

namespace plz {

int ShowDialogWithCaption(const std::string& caption, const std::string& message, MessageKind kind, int buttons) {
    if (IsTestMode()) {
        os::calls().WriteStdout("ShowDialogWithCaption with" + caption + " " + message + "\n");
        TerminateProcessWithCode(1);
    }
    return os::calls().MessageDialog(ApplicationWindow(), caption, message, kind, buttons);
}

int ShowErrorMessage(const std::string& message, const std::string& caption) {
    return ShowDialogWithCaption(caption.empty() ? "Error" : caption, message, MessageKind::Error, kButtonsOk);
}

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
