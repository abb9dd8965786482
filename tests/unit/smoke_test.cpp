#include <gtest/gtest.h>

#include "platform/os.h"

TEST(Smoke, WideStringsRoundTrip) {
    plz::BSTR s = plz::os::NewAnsiString("Plzn");
    EXPECT_EQ(plz::os::AnsiFromString(s), "Plzn");
    plz::os::calls().FreeString(s);
}
