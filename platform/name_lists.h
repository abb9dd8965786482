// Helpers for the entry-point name lists, whose entries are marked CALLED or BOUND: list items
// for either kind, and the compile-time check that the names marked called are exactly the names
// of a list of called signatures.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>

// X macros: a name as a text item, or nothing.
#define PLZ_NAME_TEXT(name, ...) #name,
#define PLZ_NO_NAME(name)

namespace plz {

// The two lists hold the same names, each once, in any order.
constexpr bool SameNameSet(std::initializer_list<std::string_view> a, std::initializer_list<std::string_view> b) {
    if (a.size() != b.size()) return false;
    for (std::string_view name : a) {
        std::size_t inA = 0, inB = 0;
        for (std::string_view x : a) inA += x == name;
        for (std::string_view x : b) inB += x == name;
        if (inA != 1 || inB != 1) return false;
    }
    return true;
}

}  // namespace plz
