// INI parsing for the simulated host's options readers.
#include "hostsim/ini_file.h"

#include <cctype>
#include <charconv>

namespace plz::hostsim {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = char(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

IniFile IniFile::Parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    IniFile ini;
    std::map<std::string, std::string>* section = nullptr;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            section = close == std::string_view::npos ? nullptr
                                                      : &ini.sections_[Lower(Trim(line.substr(1, close - 1)))];
            continue;
        }
        size_t eq = line.find('=');
        if (!section || eq == std::string_view::npos) continue;
        section->emplace(Lower(Trim(line.substr(0, eq))), std::string(Trim(line.substr(eq + 1))));
    }
    return ini;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    auto s = sections_.find(Lower(section));
    if (s == sections_.end()) return std::nullopt;
    auto k = s->second.find(Lower(key));
    if (k == s->second.end()) return std::nullopt;
    return k->second;
}

int32_t IniFile::Integer(std::string_view section, std::string_view key, int32_t fallback) const {
    std::optional<std::string> value = Value(section, key);
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
