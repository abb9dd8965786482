// The framework's application services: owner window, exception handler, message processing and
// the hint window.
#include "ui/application.h"

#include "frame/application.h"
#include "platform/os.h"
#include "ui/control.h"
#include "ui/font.h"
#include "ui/message_dialog.h"

namespace plz::ui {
namespace {

ExceptionHandler g_handler = nullptr;
bool g_hintShadow = true;
TControl* g_hintControl = nullptr;
WindowHandle g_hintWindow = 0;

void DefaultExceptionHandler(std::exception_ptr error) {
    std::string message = "Unexpected error";
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
    }
    ShowErrorMessage(message);
}

}  // namespace

WindowHandle MainWindow() { return ApplicationWindow(); }

void HandleException(std::exception_ptr error) noexcept {
    try {
        (g_handler ? g_handler : &DefaultExceptionHandler)(error);
    } catch (...) {
        // A handler that fails itself has nowhere left to report to.
    }
}

ExceptionHandler SetExceptionHandler(ExceptionHandler handler) {
    ExceptionHandler previous = g_handler;
    g_handler = handler;
    return previous;
}

void ProcessMessages() {
    while (os::calls().PumpMessage(false)) {
    }
}

void SetHintShadow(bool shadow) { g_hintShadow = shadow; }
bool HintShadow() { return g_hintShadow; }
TControl* HintControl() { return g_hintControl; }

void CancelHint() {
    g_hintControl = nullptr;
    if (g_hintWindow) os::calls().WindowShow(g_hintWindow, false);
}

void ShowHintDefault(TControl& control) {
    g_hintControl = &control;
    if (!g_hintWindow || !os::calls().WindowExists(g_hintWindow)) {
        os::WindowRequest request;
        request.kind = os::WindowKind::Hint;
        request.owner = MainWindow();
        g_hintWindow = os::calls().WindowCreate(request);
        if (!g_hintWindow) return;
    }
    const os::Point cursor = os::calls().CursorPosition();
    TFont font;
    const os::Point size = os::calls().TextExtent(font.ToLogFont(), control.Hint());
    os::calls().WindowSetText(g_hintWindow, control.Hint());
    os::calls().WindowSetFont(g_hintWindow, font.ToLogFont());
    os::calls().WindowSetBounds(g_hintWindow, {cursor.x, cursor.y + 20, cursor.x + size.x + 8, cursor.y + 20 + size.y + 4});
    os::calls().WindowShow(g_hintWindow, true);
}

}  // namespace plz::ui
