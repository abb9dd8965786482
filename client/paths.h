// Folders and keys of the host installation and of the user's preferences, help-file lookup,
// locale mapping, key states, OS version tests, file versions and parameter buffers.
#pragma once

#include <cstdint>
#include <string>

#include "platform/abi.h"

namespace plz {

// Folders end with the path separator.
std::string GetPreferenceLocation();
std::string GetPreferenceFolder();
std::string GetPreferenceRegistryKey();
std::string GetInstallationFolder();
std::string GetSystemFolder();
std::string GetResourcesFolder();
std::string GetLocalizedResourcesFolder();
std::string GetLocalizedHelpFolder();
std::string GetHelpFolder();
std::string LocateHelpFile(const std::string& fileName);

bool LoadLanguageMappings();
uint32_t GetMappedLocaleId();
uint32_t GetPrimaryLocaleId();

bool IsControlKeyDown();
bool IsShiftKeyDown();
bool IsAltKeyDown();
bool IsWindows2000();
bool IsWindowsVistaOrLater();
ModuleHandle GetHostModuleHandle();
uint64_t GetFileVersion(const std::string& fileName);

// A buffer of `size` bytes starting empty; none for a size of 0 or less.
char* AllocParameterBuffer(int32_t size);
void FreeParameterBuffer(char* buffer, int32_t size);

// Forgets the preference location and the language mappings (library unload); the next use
// determines them anew.
void FreePathCaches();

}  // namespace plz
