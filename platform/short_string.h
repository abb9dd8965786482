// The host's short string: one length byte, then up to N 8-bit characters, N + 1 bytes in all.
// Records exchanged with the PCB editor carry them inline; the host reads and writes them in place.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace plz {

#pragma pack(push, 1)
template <std::size_t N>
struct ShortString {
    static_assert(N >= 1 && N <= 255, "the length must fit the length byte");

    uint8_t Length = 0;
    char Chars[N] = {};

    ShortString() = default;
    ShortString(std::string_view text) { Assign(text); }
    ShortString(const char* text) : ShortString(std::string_view(text)) {}
    ShortString(const std::string& text) : ShortString(std::string_view(text)) {}

    // Takes at most N characters of the text; the rest is cut. The text may be this string's own,
    // or an empty view without an address.
    void Assign(std::string_view text) {
        const std::size_t n = std::min(text.size(), N);
        if (n) std::memmove(Chars, text.data(), n);
        Length = static_cast<uint8_t>(n);
    }
    // A length byte beyond N (written by a faulty host) is read as N.
    std::size_t Size() const { return std::min<std::size_t>(Length, N); }
    bool Empty() const { return Length == 0; }
    std::string_view View() const { return {Chars, Size()}; }
    std::string Str() const { return std::string(View()); }
};
#pragma pack(pop)

static_assert(sizeof(ShortString<255>) == 256);
static_assert(sizeof(ShortString<254>) == 255);
static_assert(sizeof(ShortString<250>) == 251);
static_assert(sizeof(ShortString<20>) == 21);
static_assert(alignof(ShortString<255>) == 1);

// Short-string order: byte-wise on unsigned values, a prefix before the longer string, no case
// folding. Negative, 0 or positive like memcmp.
template <std::size_t A, std::size_t B>
int CompareShortStrings(const ShortString<A>& a, const ShortString<B>& b) {
    const std::size_t n = std::min(a.Size(), b.Size());
    if (const int c = n ? std::memcmp(a.Chars, b.Chars, n) : 0; c != 0) return c < 0 ? -1 : 1;
    return a.Size() < b.Size() ? -1 : a.Size() > b.Size() ? 1 : 0;
}

template <std::size_t A, std::size_t B>
bool operator==(const ShortString<A>& a, const ShortString<B>& b) {
    return a.View() == b.View();
}

}  // namespace plz
