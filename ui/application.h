// The framework's application services: the window that owns the plug-in's top-level forms, the
// exception handler that every platform callback hands its errors to, message processing, and
// the hint window.
#pragma once

#include <exception>

#include "platform/abi.h"

namespace plz::ui {

class TControl;

// The owner of top-level forms: the plug-in's application window (the host's main window).
WindowHandle MainWindow();

// Takes an error that reached a frame the platform owns. The handler installed last gets it; the
// default one shows the error's message in an error dialog. Never throws.
void HandleException(std::exception_ptr error) noexcept;
using ExceptionHandler = void (*)(std::exception_ptr error);
// Installs a handler (none restores the default); returns the previous one.
ExceptionHandler SetExceptionHandler(ExceptionHandler handler);

// Handles every message already queued, then returns.
void ProcessMessages();

// The hint window: shown for a control through the hint point; shadow off or on.
void SetHintShadow(bool shadow);
bool HintShadow();
// The framework's own hint display, behind the hint point.
void ShowHintDefault(TControl& control);
// The control whose hint was shown last, or none.
TControl* HintControl();
void CancelHint();

}  // namespace plz::ui
