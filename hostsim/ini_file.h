// The INI files that the simulated host's options readers work over: sections of Key=Value
// lines, names compared without letter case, as the host's own options files are read.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace plz::hostsim {

class IniFile {
public:
    // Parses INI text; lines outside a section, comments (";" or "#") and lines without "=" are
    // ignored. The first occurrence of a key in a section wins, as the platform's reader has it.
    static IniFile Parse(std::string_view text);

    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    // The value as a decimal (or "0x" hexadecimal) 32-bit integer; `fallback` when absent or not
    // an integer.
    int32_t Integer(std::string_view section, std::string_view key, int32_t fallback) const;

private:
    std::map<std::string, std::map<std::string, std::string>> sections_;  // lower-case names
};

}  // namespace plz::hostsim
