// The plug-in's application: its window (the host's main window once the server module has asked
// for it, so that the plug-in's own windows and dialogs are owned by the host's window) and its
// exception handler, which every window or hook procedure of the plug-in hands an error to
// instead of letting it cross into the platform.
#pragma once

#include <exception>

#include "platform/abi.h"

namespace plz {

WindowHandle ApplicationWindow();
void SetApplicationWindow(WindowHandle window);

// The forms support installs the handler that reports to the host; without one an error is
// dropped. Null puts that default back.
using ApplicationExceptionHandler = void (*)(const std::exception_ptr& error);
void SetApplicationExceptionHandler(ApplicationExceptionHandler handler);
// Hands an error that reached the plug-in's message loop to the handler. Never throws.
void HandleApplicationException(const std::exception_ptr& error) noexcept;

}  // namespace plz
