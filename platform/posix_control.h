// Controls of the POSIX stand-in that have no Windows counterpart: what a user would do on
// Windows (answer a dialog) and what other programs would (start, answer dynamic data exchange),
// with the record of what was asked of them. Tests and the host simulator use them; the plug-in
// never does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/os.h"

namespace plz::os::posix {

// Called for every message dialog; returns the modal result. Null restores the default, which
// writes the dialog to standard error and answers OK (1).
using MessageDialogHandler = int (*)(WindowHandle owner, const std::string& caption,
                                     const std::string& text, MessageKind kind, int buttons);
void SetMessageDialogHandler(MessageDialogHandler handler);

// Requests for other programs and system libraries, in order, as one line each
// ("ShellOpen VERB TARGET show=N", "StartProgram LINE show=N", "DdeExecute SERVICE|TOPIC|TEXT",
// "LoadSystemLibrary NAME"); taking them empties the record.
std::vector<std::string> TakePlatformRequests();
// What a program start answers (default 42: started; 31 or less: failed).
void SetProgramStartResult(intptr_t result);
// Whether a partner answers dynamic data exchange (default yes).
void SetDdeServerPresent(bool present);

}  // namespace plz::os::posix
