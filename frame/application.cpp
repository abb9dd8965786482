// The plug-in's application window.
#include "frame/application.h"

namespace plz {
namespace {
WindowHandle g_window = 0;
}

WindowHandle ApplicationWindow() { return g_window; }
void SetApplicationWindow(WindowHandle window) { g_window = window; }

}  // namespace plz
