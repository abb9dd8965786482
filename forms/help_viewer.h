// The compiled-help entry through which a help topic is displayed, and the opening of an address
// in the host.
#pragma once

#include <cstdint>
#include <string>

#include "platform/abi.h"

namespace plz::forms {

inline constexpr uint32_t kHelpDisplayTopic = 0;

// Command 0 shows the host's help panel and the topic `data` of `helpFile` in it; result 0.
// Other commands: -1 (no help library).
int32_t HelpViewer(WindowHandle window, const std::string& helpFile, uint32_t command, const std::string& data);

// Opens an address in the host; true when it was handed on.
bool OpenAddress(const std::string& address);

}  // namespace plz::forms
