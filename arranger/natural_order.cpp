// Natural order: a run-by-run comparison that reads digit runs as numbers of any length.
#include "arranger/natural_order.h"

#include <algorithm>
#include <cstring>

namespace plz {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The maximal run of digits or of other bytes that starts at `from`.
std::string_view RunAt(std::string_view text, size_t from) {
    const bool digits = IsDigit(text[from]);
    size_t end = from + 1;
    while (end < text.size() && IsDigit(text[end]) == digits) ++end;
    return text.substr(from, end - from);
}

int Sign(int c) { return c < 0 ? -1 : c > 0 ? 1 : 0; }

// Short-string order of two runs: unsigned bytes, a prefix first.
int CompareBytes(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    if (const int c = n ? std::memcmp(a.data(), b.data(), n) : 0; c != 0) return Sign(c);
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

// Two digit runs by value: fewer significant digits is smaller, then digit by digit; at equal
// value the shorter run (fewer leading zeros) first.
int CompareNumbers(std::string_view a, std::string_view b) {
    const std::string_view sa = a.substr(std::min(a.find_first_not_of('0'), a.size()));
    const std::string_view sb = b.substr(std::min(b.find_first_not_of('0'), b.size()));
    if (sa.size() != sb.size()) return sa.size() < sb.size() ? -1 : 1;
    if (const int c = sa.empty() ? 0 : std::memcmp(sa.data(), sb.data(), sa.size()); c != 0) return Sign(c);
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace

int CompareNatural(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const std::string_view ra = RunAt(a, i), rb = RunAt(b, j);
        const int c = IsDigit(ra[0]) && IsDigit(rb[0]) ? CompareNumbers(ra, rb) : CompareBytes(ra, rb);
        if (c != 0) return c;
        i += ra.size();
        j += rb.size();
    }
    // Every compared run was equal: the text with runs left over has more of them.
    return i < a.size() ? 1 : j < b.size() ? -1 : 0;
}

}  // namespace plz
