// The simulated host's integer reading of INI entries: what an options reader answers for each kind.
#include "hostsim/ini_file.h"

#include <gtest/gtest.h>

namespace plz::hostsim {
namespace {

TEST(IniInteger, AnswersTheStoredValueOrTheFallback) {
    IniFile ini = IniFile::Parse(
        "\xEF\xBB\xBF; options of the editor\r\n"
        "Orphan=1\r\n"
        "[SystemOptions]\r\n"
        "FractionalDigits_mm = 4 \r\n"
        "Negative=-12\r\n"
        "Hex=0x1F\r\n"
        "Text=four\r\n"
        "Trailing=4mm\r\n"
        "Empty=\r\n"
        "Huge=4294967296\r\n"
        "Twice=1\r\n"
        "Twice=2\r\n"
        "NoEquals\r\n"
        "[Other]\n"
        "Key=7");
    struct Case {
        const char* section;
        const char* key;
        int32_t expected;
    } cases[] = {
        {"SystemOptions", "FractionalDigits_mm", 4},
        {"systemoptions", "FRACTIONALDIGITS_MM", 4},  // names without letter case
        {"SystemOptions", "Negative", -12},
        {"SystemOptions", "Hex", 31},
        {"SystemOptions", "Text", 99},
        {"SystemOptions", "Trailing", 99},
        {"SystemOptions", "Empty", 99},
        {"SystemOptions", "Huge", 99},
        {"SystemOptions", "Twice", 1},
        {"SystemOptions", "NoEquals", 99},
        {"SystemOptions", "Missing", 99},
        {"SystemOptions", "Key", 99},  // belongs to the next section
        {"Other", "Key", 7},
        {"", "Orphan", 99},
        {"Absent", "Key", 99},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadIniInteger(ini, c.section, c.key, 99), c.expected) << c.section << "/" << c.key;
}

}  // namespace
}  // namespace plz::hostsim
