// Lengths of the arrangement's options: numbers, units and rounding half to even; and the text that
// describes a set of options reads back to the same options.
#include <gtest/gtest.h>

#include <string>

#include "arranger/arrange_options.h"

namespace plz {
namespace {

TEST(ArrangeOptions, LengthsConvertToInternalUnitsRoundingHalfToEven) {
    const struct {
        const char* text;
        std::optional<int64_t> iu;
    } cases[] = {
        {"20", 200000},        {"20mil", 200000},  {"20 MIL", 200000},  {"+5", 50000},   {".5", 5000},
        {"5.", 50000},         {"-1", -10000},     {"1in", 10000000},   {"3In", 30000000},
        {"2.54mm", 1000000},   {"0.5mm", 196850},  // 196850.39
        {"7iu", 7},            {"0.5iu", 0},       {"1.5iu", 2},        {"2.5iu", 2},    // half to even
        {"0.00005", 0},        {"0.00015", 2},     // half an internal unit, in mil
        {"0.00000127mm", 0},   {"0.00000381mm", 2},  // exact halves in mm
        {"0.50000000000000000000001iu", 1},  // just above a half, far down the digits
        {"0.000000000000000000001in", 0},
        {"100000000000mil", 1000000000000000},
        {"100000000001mil", std::nullopt},  // beyond 10^15 internal units
        {"", std::nullopt},    {".", std::nullopt},  {"mm", std::nullopt}, {"1e3", std::nullopt},
        {"1.2.3", std::nullopt}, {"12 furlong", std::nullopt}, {"--1", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseLength(c.text), c.iu);
    }
}

TEST(ArrangeOptions, DescriptionReadsBackToTheSameOptions) {
    for (const char* parameters :
         {"", "Order=natural|CELL=Largest|Gap=0.5mm|Columns=Square|Groups=Rows|Width=3in", "Columns=7",
          "Width=1234.5678mil|Gap=0", "Order=Text|Cell=First|Groups=Stacked|Gap=100"}) {
        SCOPED_TRACE(parameters);
        ArrangeOptions read, again;
        ASSERT_FALSE(ReadArrangeOptions(parameters, read));
        const std::string text = DescribeArrangeOptions(read);
        ASSERT_FALSE(ReadArrangeOptions(text.c_str(), again)) << text;
        EXPECT_EQ(again, read) << text;
    }
    ArrangeOptions plain;
    ASSERT_FALSE(ReadArrangeOptions("Order=Text|Cell=First|Groups=Stacked|Gap=100mil|Colour=red", plain));
    EXPECT_EQ(DescribeArrangeOptions(plain), "") << "the defaults and unknown names describe nothing";
}

}  // namespace
}  // namespace plz
