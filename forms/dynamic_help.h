// The host's dynamic help panel: shows an address (a compiled-help topic) there.
#pragma once

#include <string>

namespace plz::forms {

// Runs "HelpAdvisor:ShowDynamicHelp" with "Address=" + address, after "ForceUpdate=True|" when
// `force`; nothing without a client. A failing host call raises.
void ShowDynamicHelp(const std::string& address, bool force);

}  // namespace plz::forms
