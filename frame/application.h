// The plug-in's application window: the host's main window once the server module has asked for
// it, so that the plug-in's own windows and dialogs are owned by the host's window.
#pragma once

#include "platform/abi.h"

namespace plz {

WindowHandle ApplicationWindow();
void SetApplicationWindow(WindowHandle window);

}  // namespace plz
