// What the integration tests share: a hermetic environment for the plug-in (on POSIX its
// app-data folder and registry are fresh temporary folders), and the plug-in's file name.
#pragma once

namespace plz::integration {

#if defined(_WIN32)
inline constexpr const char* kPluginFileName = "plazen.dll";
#else
inline constexpr const char* kPluginFileName = "libplazen.so";
#endif

}  // namespace plz::integration
