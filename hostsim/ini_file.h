// Integer values of INI files, as the simulated host's options readers answer them: decimal or
// "0x" hexadecimal 32-bit integers over the plug-in's own INI reader.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ini_file.h"

namespace plz::hostsim {

// The value as an integer; `fallback` when absent or not a 32-bit integer.
int32_t ReadIniInteger(const IniFile& ini, std::string_view section, std::string_view key, int32_t fallback);

}  // namespace plz::hostsim
