// What the integration tests share: a hermetic environment for the plug-in (on POSIX its
// app-data folder and registry are fresh temporary folders), and the plug-in's file name.
#pragma once

#include "hostsim/plugin_host.h"

namespace plz::integration {

inline constexpr const char* kPluginFileName = hostsim::kPluginFile;

}  // namespace plz::integration
