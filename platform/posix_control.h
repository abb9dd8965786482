// Controls of the POSIX stand-in that have no Windows counterpart: what a user or the system
// would do on Windows (press a key, answer a dialog, install a versioned file). Tests and the
// host simulator use them; the plug-in never does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/os.h"

namespace plz::os::posix {

// Called for every message dialog; returns the modal result. Null restores the default, which
// writes the dialog to standard error and answers OK (1).
using MessageDialogHandler = int (*)(WindowHandle owner, const std::string& caption,
                                     const std::string& text, MessageKind kind, int buttons);
void SetMessageDialogHandler(MessageDialogHandler handler);

void SetKeyDown(int virtualKey, bool down);
void SetOsVersion(OsVersionInfo version);
void SetSystemLocale(uint32_t lcid);  // 0: from PLAZEN_LCID, else 1033
void SetFileVersion(const std::string& path, uint64_t version);
void ClearFileVersions();

// The calling thread's message queue.
size_t QueuedMessageCount();
bool TakeMessage(/*out*/ QueuedMessage* message);
void ClearMessages();

// Live wide strings allocated and not yet freed, for leak checks.
size_t LiveStringCount();

}  // namespace plz::os::posix
