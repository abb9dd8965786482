// Natural order of designators and footprint keys: digit runs compare by value, so C2 comes
// before C10. Used by the arrangement's Order=Natural option.
#pragma once

#include <string_view>

namespace plz {

// Negative, 0 or positive like memcmp. Texts split into maximal runs of ASCII digits and of other
// bytes; two digit runs compare by value (any length, no overflow), a shorter run first at equal
// value; any other pair of runs in short-string order; with all compared runs equal, fewer runs
// first. No letter-case folding.
int CompareNatural(std::string_view a, std::string_view b);

}  // namespace plz
