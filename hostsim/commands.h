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

}  // namespace plz::hostsim
