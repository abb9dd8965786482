// Opening the simulated PCB editor module from beside the running program, as the host loads its
// editor before the plug-in, and reaching its control table. For the host simulator and tests.
#pragma once

#include <string>

#include "hostsim/trelpa/trelpa_control.h"
#include "platform/file_path.h"
#include "platform/os.h"

namespace plz::trelpa {

// The module's file; the plug-in looks it up as "Trelpa.dll", which the POSIX seam maps to the
// soname "libTrelpa.so".
#if defined(_WIN32)
inline constexpr const char* kModuleFile = "Trelpa.dll";
#else
inline constexpr const char* kModuleFile = "libTrelpa.so";
#endif

// Loads the module from the program's folder (a module already loaded is only counted again).
// Null on failure, with the reason in *error.
inline ModuleHandle OpenModuleBesideProgram(std::string* error) {
    return os::calls().OpenLibrary(FolderOfPath(os::calls().ModulePath(nullptr)) + kModuleFile, error);
}

// The module's control table, null when the module has none.
inline const Control* ControlOf(ModuleHandle module) {
    auto get = reinterpret_cast<ControlFn>(os::calls().FindExport(module, kControlExport));
    return get ? get() : nullptr;
}

}  // namespace plz::trelpa
