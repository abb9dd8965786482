// Controls of the POSIX stand-in that have no Windows counterpart: what a user would do on
// Windows (answer a dialog). The host simulator uses them; the plug-in never does.
#pragma once

#include <string>

#include "platform/os.h"

namespace plz::os::posix {

// Called for every message dialog; returns the modal result. Null restores the default, which
// writes the dialog to standard error and answers OK (1).
using MessageDialogHandler = int (*)(WindowHandle owner, const std::string& caption,
                                     const std::string& text, MessageKind kind, int buttons);
void SetMessageDialogHandler(MessageDialogHandler handler);

}  // namespace plz::os::posix
