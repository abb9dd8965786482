// Integer values of INI files, as the simulated host's options readers answer them.
#include "hostsim/ini_file.h"

#include <charconv>
#include <cstdint>

namespace plz::hostsim {

int32_t ReadIniInteger(const IniFile& ini, std::string_view section, std::string_view key, int32_t fallback) {
    std::optional<std::string> value = ini.Read(section, key);
    if (!value) return fallback;
    std::string_view digits = *value;
    bool negative = !digits.empty() && digits.front() == '-';
    if (negative || (!digits.empty() && digits.front() == '+')) digits.remove_prefix(1);
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    if (digits.empty() || digits.front() == '-') return fallback;
    int64_t magnitude = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (error != std::errc() || end != digits.data() + digits.size()) return fallback;
    int64_t result = negative ? -magnitude : magnitude;
    if (result < INT32_MIN || result > INT32_MAX) return fallback;
    return int32_t(result);
}

}  // namespace plz::hostsim
