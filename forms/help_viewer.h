// The compiled-help entry: a topic goes to the host's help panel, every other command to the
// platform's HTML help library, loaded from the system folder on first use.
#pragma once

#include <cstdint>
#include <string>

#include "forms/document_launcher.h"
#include "platform/abi.h"

namespace plz::forms {

inline constexpr uint32_t kHelpDisplayTopic = 0;

// Command 0 shows the host's help panel and the topic `data` (a zero-terminated text) of
// `helpFile` in it; result 0. Any other command (-1 taken as 0) goes to the library's HtmlHelpA
// with the arguments as given, and its result comes back; -1 when the library or entry is missing.
int32_t HelpViewer(WindowHandle window, const std::string& helpFile, uint32_t command, uintptr_t data);
int32_t HelpViewer(WindowHandle window, const std::string& helpFile, uint32_t command, const std::string& data);

// Module shut-down: the library goes again.
void UnloadHelpLibrary();

// The library and its entry, as loaded.
inline constexpr const char* kHtmlHelpLibrary = "HHCtrl.ocx";
inline constexpr const char* kHtmlHelpEntry = "HtmlHelpA";

}  // namespace plz::forms
