// Start-up and shut-down of the forms support: the interceptions through which every form of the
// plug-in (the framework's message dialogs included) gets the host's font, translated texts, and
// its place on the right monitor; the theme and hint settings; the forms registry key.
#pragma once

#include <string>

#include "platform/os.h"

namespace plz::ui {
class TForm;
}

namespace plz::forms {

void StartFormsSupport();
void StopFormsSupport();
bool FormsSupportStarted();

// The registry key under which forms keep their settings.
const std::string& FormsRegistryKey();
// The host's theme switch for themed controls, as taken at start-up.
bool ThemedControls();

// Centres a window on the work area of the monitor of `reference` (the primary one without it).
void CenterOnMonitorOf(WindowHandle window, WindowHandle reference);

}  // namespace plz::forms
