// The plazen-host commands behind the command line: load the plug-in (and the PCB editor module),
// launch a command, print each status and any error information, and give the exit code.
#pragma once

#include <ostream>
#include <string>

namespace plz::hostsim {

class Host;

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitCommandFailed = 1;
inline constexpr int kExitUsage = 2;  // bad usage, or the plug-in or the editor did not load

struct LaunchRequest {
    std::string command;
    std::string parameters;
    std::string pluginPath;  // empty: the plug-in beside the executable
    bool loadEditor = false;
};

// Runs in `host`; statuses go to `out`, load problems to `err`.
int RunLaunch(Host& host, const LaunchRequest& request, std::ostream& out, std::ostream& err);

struct OptionsRequest {
    std::string name;
    bool view = false;       // an options view (CreateOptionsView) rather than a page (GetOptionsPage)
    std::string pluginPath;  // empty: the plug-in beside the executable
};

// Asks the plug-in for an options page or view; when there is one, embeds it in a holder window
// through the host's typical sequence and prints what the host saw. Exit 0 (none is no failure),
// 1 when a call failed, 2 when the plug-in did not load.
int RunOptions(Host& host, const OptionsRequest& request, std::ostream& out, std::ostream& err);

}  // namespace plz::hostsim
