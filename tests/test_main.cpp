// The tests' main: GoogleTest with every OS call put back to its native implementation between
// tests, so that one test's replaced call never leaks into the next.
#include <gtest/gtest.h>

#include "platform/os.h"

namespace {
class ResetOsCalls : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { plz::os::ResetAll(); }
};
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new ResetOsCalls);
    return RUN_ALL_TESTS();
}
