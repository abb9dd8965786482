// ASCII case folding and trimming for names and keys: bytes outside 'a' to 'z' are left as they
// are, so the results do not depend on a locale.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace plz {

constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Byte-wise on unsigned ASCII-upper-cased values, a prefix before the longer text. Negative, 0 or
// positive like memcmp.
constexpr int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(AsciiUpper(a[i]));
        const auto y = static_cast<unsigned char>(AsciiUpper(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

constexpr bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

// The text without the characters at its front, its back or either end for which `strip` holds.
template <typename Pred>
constexpr std::string_view TrimFrontIf(std::string_view s, Pred strip) {
    while (!s.empty() && strip(s.front())) s.remove_prefix(1);
    return s;
}
template <typename Pred>
constexpr std::string_view TrimBackIf(std::string_view s, Pred strip) {
    while (!s.empty() && strip(s.back())) s.remove_suffix(1);
    return s;
}
template <typename Pred>
constexpr std::string_view TrimIf(std::string_view s, Pred strip) {
    return TrimBackIf(TrimFrontIf(s, strip), strip);
}

}  // namespace plz
