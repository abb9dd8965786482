// Natural order of designators and keys, as a table of ordered pairs checked both ways.
#include <gtest/gtest.h>

#include <string>

#include "arranger/natural_order.h"

namespace plz {
namespace {

TEST(NaturalOrder, PairsCompareRunByRun) {
    const std::string longer = "N1" + std::string(40, '0'), shorter = "N9" + std::string(39, '9');
    const struct {
        std::string a, b;  // a before b, or equal when same
        bool same = false;
    } cases[] = {
        {"C1", "C2"},         {"C2", "C10"},       {"R9", "R10"},    {"U10A", "U10B"},
        {"SOIC-8", "SOIC-14"},
        {"C1", "C01"},        // equal value: fewer leading zeros first
        {"0", "00"},          {"C1", "C1A"},       // all compared runs equal: fewer runs first
        {"", "A"},            {"C", "C1"},         {"1", "A"},       // a digit run against other bytes: as bytes
        {"B", "a"},           // no letter-case folding
        {"x1", "x\xff"},      {"x\x7f", "x\x80"},  // unsigned bytes
        {shorter, longer},    // forty digits, no overflow
        {"1-2", "1-10"},      {"R10", "R10", true}, {"", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a + " / " + c.b);
        EXPECT_EQ(CompareNatural(c.a, c.b), c.same ? 0 : -1);
        EXPECT_EQ(CompareNatural(c.b, c.a), c.same ? 0 : 1);
    }
}

}  // namespace
}  // namespace plz
