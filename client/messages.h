// Message kinds and buttons of the message boxes, and test mode (in which a message box becomes a
// line on standard output and the host process ends with exit code 1). The boxes themselves are
// the form framework's message dialogs.
#pragma once

#include <string>

#include "platform/os.h"

namespace plz {

// Message kinds and buttons of the standard message dialog.
using os::MessageKind;
inline constexpr int kButtonsOk = 4;  // the set {OK}
inline constexpr int kModalResultOk = 1;

bool IsTestMode();
[[noreturn]] void TerminateProcessWithCode(int exitCode);

}  // namespace plz
