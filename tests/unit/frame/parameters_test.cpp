// Parameter texts: reading entries, the cached lookup, bounded writing and splitting.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "frame/parameters.h"

namespace plz {
namespace {

class ParametersTest : public ::testing::Test {
protected:
    void TearDown() override { FreeParameterCache(); }
};

struct LookupCase {
    std::string text;
    std::string name;
    bool found;
    std::string value;
};

TEST_F(ParametersTest, LooksUpValues) {
    const std::string longValue(100000, 'v');
    const LookupCase cases[] = {
        {"Object=Selected Components", "object", true, "Selected Components"},
        {" Object = All Components |x", "Object", true, "All Components"},
        {" Object = All Components |x", "x", false, ""},
        {"A=1=2", "A", true, "1=2"},
        {"=5|B=", "B", true, ""},
        {"=5|B=", "", false, ""},
        {"A=1|A=2", "A", true, "1"},
        {"A=1", " A", false, ""},
        {"A=1", "A\t", true, "1"},
        {"A=1", "\tA\n", true, "1"},
        {"a b=1", "A B", true, "1"},
        {"\xE4=1", "\xC4", false, ""},  // letters above 127 compare exactly
        {"\xE4=1", "\xE4", true, "1"},
        {"Name", "Name", false, ""},  // no "=" anywhere
        {"Name|Other", "Other", false, ""},
        {"||| A=1 |||", "a", true, "1"},
        {"\x01\x02=3|\tK\t=\t4\t", "K", true, "4"},  // control characters trimmed
        {"", "A", false, ""},
        {"A=" + longValue + "|B=2", "B", true, "2"},
        {"A=" + longValue, "A", true, longValue},
    };
    for (const LookupCase& c : cases) {
        std::string value = "stale";
        EXPECT_EQ(GetParameterValue(c.text.c_str(), c.name, value), c.found) << c.text << " / " << c.name;
        EXPECT_EQ(value, c.value) << c.text << " / " << c.name;
    }
    std::string value = "stale";
    EXPECT_FALSE(GetParameterValue(nullptr, "A", value));
    EXPECT_EQ(value, "");
}

TEST_F(ParametersTest, ManyEntriesKeepTheirOrder) {
    std::string text;
    for (int i = 0; i < 5000; ++i) text.append("K").append(std::to_string(i)).append("=").append(std::to_string(i)).append("|");
    TParameterList list;
    list.ParseParameters(text.c_str());
    ASSERT_EQ(list.Count(), 5000u);
    EXPECT_EQ(list[4999].Name, "K4999");
    std::string value;
    EXPECT_TRUE(GetParameterValue(text.c_str(), "k2500", value));
    EXPECT_EQ(value, "2500");
}

TEST_F(ParametersTest, ChangedTextInTheSameBufferIsParsedAgain) {
    char buffer[8] = "A=1";
    std::string value;
    ASSERT_TRUE(GetParameterValue(buffer, "A", value));
    EXPECT_EQ(value, "1");
    buffer[2] = '2';
    ASSERT_TRUE(GetParameterValue(buffer, "A", value));
    EXPECT_EQ(value, "2");
    // An empty text answers false without disturbing the cache.
    EXPECT_FALSE(GetParameterValue("", "A", value));
    ASSERT_TRUE(GetParameterValue(buffer, "A", value));
    EXPECT_EQ(value, "2");
}

TEST_F(ParametersTest, ShortFormCutsTheValueTo255) {
    const std::string text = "Object=" + std::string(300, 'x');
    ShortString<255> value("stale");
    EXPECT_TRUE(GetParameterValue(text.c_str(), ShortString<255>("OBJECT"), value));
    EXPECT_EQ(value.Str(), std::string(255, 'x'));
    EXPECT_FALSE(GetParameterValue(text.c_str(), ShortString<255>("Other"), value));
    EXPECT_TRUE(value.Empty());
}

// A buffer with guard bytes after the capacity the callee is told about.
struct GuardedBuffer {
    explicit GuardedBuffer(size_t capacity, const char* text = "") : bytes(capacity + 16, '#'), capacity(capacity) {
        std::memcpy(bytes.data(), text, std::min(std::strlen(text) + 1, capacity));
    }
    char* data() { return bytes.data(); }
    std::string Text() const { return std::string(bytes.data(), strnlen(bytes.data(), capacity)); }
    bool Terminated() const { return std::memchr(bytes.data(), '\0', capacity) != nullptr; }
    bool GuardIntact() const { return std::string(bytes.begin() + long(capacity), bytes.end()) == std::string(16, '#'); }
    std::vector<char> bytes;
    size_t capacity;
};

TEST_F(ParametersTest, FormatWritesWholeEntriesThatFit) {
    TParameterList list;
    list.AddParameter(" Action ", " Redraw ");
    list.AddParameter("Mode", "");
    list.AddParameter("  ", "dropped");
    ASSERT_EQ(list.Count(), 2u);
    struct Case {
        size_t capacity;
        std::string text;
        bool fits;
    } cases[] = {
        {256, "Action=Redraw|Mode= ", true},
        {21, "Action=Redraw|Mode= ", true},
        {20, "Action=Redraw", false},
        {14, "Action=Redraw", false},
        {13, "", false},
        {1, "", false},
    };
    for (const Case& c : cases) {
        GuardedBuffer buffer(c.capacity, "old");
        EXPECT_EQ(list.FormatParameters(buffer.data(), c.capacity), c.fits) << c.capacity;
        EXPECT_TRUE(buffer.Terminated()) << c.capacity;
        EXPECT_EQ(buffer.Text(), c.text) << c.capacity;
        EXPECT_TRUE(buffer.GuardIntact()) << c.capacity;
    }
    GuardedBuffer none(0);
    EXPECT_FALSE(list.FormatParameters(none.data(), 0));
    EXPECT_TRUE(none.GuardIntact());
    EXPECT_FALSE(list.FormatParameters(nullptr, 16));
}

TEST_F(ParametersTest, AddStringParameterBuildsAndNormalises) {
    char buffer[256] = "";
    EXPECT_TRUE(AddStringParameter(buffer, sizeof buffer, "Action", "Redraw"));
    EXPECT_STREQ(buffer, "Action=Redraw");
    EXPECT_TRUE(AddStringParameter(buffer, sizeof buffer, "Optimize", "all"));
    EXPECT_STREQ(buffer, "Action=Redraw|Optimize=all");
    EXPECT_TRUE(AddStringParameter(buffer, sizeof buffer, "action", "All  \t"));
    EXPECT_STREQ(buffer, "Action=All|Optimize=all");

    struct Case {
        const char* before;
        const char* name;
        const char* value;
        const char* after;
    } cases[] = {
        {"", "Name", "", "Name= "},
        {"", "Name", "   ", "Name= "},
        {"junk|A=1", "B", "2", "A=1|B=2"},
        {"=1| A = 1 |x", "a", "3", "A=3"},
        {"A=1", "  ", "x", "A=1"},
        {"A=1", " A", "2", "A=1|A=2"},  // the lookup keeps the space, the new entry is trimmed
    };
    for (const Case& c : cases) {
        std::strcpy(buffer, c.before);
        EXPECT_TRUE(AddStringParameter(buffer, sizeof buffer, c.name, c.value)) << c.before;
        EXPECT_STREQ(buffer, c.after) << c.before;
    }
}

TEST_F(ParametersTest, AddStringParameterNeverWritesPastTheBuffer) {
    {
        GuardedBuffer buffer(8);
        EXPECT_FALSE(AddStringParameter(buffer.data(), 8, "Action", "Redraw"));
        EXPECT_EQ(buffer.Text(), "");
        EXPECT_TRUE(buffer.GuardIntact());
    }
    {
        GuardedBuffer buffer(16, "A=1");
        EXPECT_FALSE(AddStringParameter(buffer.data(), 16, "Long", "value of twenty"));
        EXPECT_EQ(buffer.Text(), "A=1");  // the entries that fit stay
        EXPECT_TRUE(buffer.GuardIntact());
    }
    {
        // No zero inside the capacity: the text is read up to the buffer's end only.
        GuardedBuffer buffer(5);
        std::memcpy(buffer.data(), "A=123", 5);
        EXPECT_FALSE(AddStringParameter(buffer.data(), 5, "B", "1"));
        EXPECT_TRUE(buffer.Terminated());
        EXPECT_TRUE(buffer.GuardIntact());
    }
    EXPECT_FALSE(AddStringParameter(nullptr, 16, "A", "1"));
}

TEST(SplitAtSeparator, SplitsAtTheFirstOccurrence) {
    struct Case {
        std::string text, separator, head, rest;
    } cases[] = {
        {"3076=1028", "=", "3076", "1028"},
        {"a=b=c", "=", "a", "b=c"},
        {"=x", "=", "", "x"},
        {"abc", "=", "abc", ""},
        {"aXb", "x", "aXb", ""},  // exact, no case folding
        {"a::b", "::", "a", "b"},
        {"", "=", "", ""},
        {"abc", "", "abc", ""},
    };
    for (const Case& c : cases) {
        std::string text = c.text, head = "stale";
        SplitAtSeparator(text, c.separator, head);
        EXPECT_EQ(head, c.head) << c.text;
        EXPECT_EQ(text, c.rest) << c.text;
    }
}

}  // namespace
}  // namespace plz
