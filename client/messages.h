// Modal message boxes, the error box, and test mode (message boxes become a line on standard
// output and the host process ends with exit code 1).
#pragma once

#include <string>

#include "platform/os.h"

namespace plz {

// Message kinds and buttons of the standard message dialog.
using os::MessageKind;
inline constexpr int kButtonsOk = 4;  // the set {OK}
inline constexpr int kModalResultOk = 1;

int ShowDialogWithCaption(const std::string& caption, const std::string& message, MessageKind kind, int buttons);
// The error box, captioned "Error" when caption is empty.
int ShowErrorMessage(const std::string& message, const std::string& caption = {});
bool IsTestMode();
[[noreturn]] void TerminateProcessWithCode(int exitCode);

}  // namespace plz
