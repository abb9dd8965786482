// The plug-in's application window and exception handler.
#include "frame/application.h"

namespace plz {
namespace {
constinit WindowHandle g_window = 0;
constinit ApplicationExceptionHandler g_handler = nullptr;
}  // namespace

WindowHandle ApplicationWindow() { return g_window; }
void SetApplicationWindow(WindowHandle window) { g_window = window; }

void SetApplicationExceptionHandler(ApplicationExceptionHandler handler) { g_handler = handler; }

void HandleApplicationException(const std::exception_ptr& error) noexcept {
    if (!g_handler || !error) return;
    try {
        g_handler(error);
    } catch (...) {
    }
}

}  // namespace plz
