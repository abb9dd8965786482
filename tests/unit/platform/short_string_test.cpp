// The short string: cutting to its width and the short-string order.
#include <gtest/gtest.h>

#include "platform/short_string.h"

namespace plz {
namespace {

TEST(ShortString, KeepsAtMostItsWidth) {
    EXPECT_EQ(ShortString<20>(std::string(30, 'x')).Str(), std::string(20, 'x'));
    EXPECT_EQ(ShortString<254>(std::string(300, 'y')).Size(), 254u);
    EXPECT_EQ(ShortString<255>("Arial").Str(), "Arial");

    ShortString<20> cleared("abc");
    cleared.Assign(std::string_view());  // no characters, and no address to copy them from
    EXPECT_TRUE(cleared.Empty());

    ShortString<20> faulty("abc");
    faulty.Length = 200;  // as a faulty host might leave it
    EXPECT_EQ(faulty.Size(), 20u);
}

TEST(ShortString, OrdersByUnsignedBytesWithPrefixFirst) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"", "", 0},       {"", "A", -1},       {"R1", "R10", -1}, {"R2", "R10", 1},
        {"a", "B", 1},     {"\xE4", "z", 1},    {"C1", "C1", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareShortStrings(ShortString<254>(c.a), ShortString<255>(c.b)), c.expected) << c.a << " " << c.b;
        EXPECT_EQ(CompareShortStrings(ShortString<255>(c.b), ShortString<254>(c.a)), -c.expected);
    }
}

}  // namespace
}  // namespace plz
