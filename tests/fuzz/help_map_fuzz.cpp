// Fuzz target of the help maps (".id" files). Any text parses without harm into a map sorted by key
// ignoring case, in which each key finds an entry of its name; and a map written from entries that
// the input chooses (ids, references, either line end, lines without "=") reads back as written, the
// first entry of a name winning.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "forms/help.h"
#include "platform/ascii.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

using plz::forms::HelpIdMap;
using plz::fuzz::Input;

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

// What every parsed map must satisfy, whatever the text.
void CheckWellFormed(const HelpIdMap& map) {
    for (size_t i = 0; i < map.ids.size(); ++i) {
        const std::string& key = map.ids[i].first;
        if (i > 0) PLZ_FUZZ_CHECK(plz::CompareIgnoringCase(map.ids[i - 1].first, key) <= 0);
        PLZ_FUZZ_CHECK(key.find('\n') == std::string::npos);
        int32_t found = 0;
        PLZ_FUZZ_CHECK(map.Find(key, &found));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HelpIdMap any;
    plz::forms::ParseHelpIdMap(std::string(reinterpret_cast<const char*>(data), size), any);
    CheckWellFormed(any);

    // A map written from the input's choices: the first entry of each name (ignoring case) wins.
    Input in{data, size};
    std::string text;
    struct Expected {
        bool reference;
        int32_t id;
        std::string topic;  // of a reference
    };
    std::map<std::string, Expected> firsts;  // by upper-cased name
    const char* const ends[] = {"\n", "\r\n"};
    while (!in.Done() && firsts.size() < 64) {
        const uint8_t style = in.Next();
        if (style % 9 == 0) {  // a line that is no entry
            text += std::string("; no entry here") + ends[style % 2];
            continue;
        }
        const std::string name = in.Word("abcXYZ_09 .,:", 12);
        std::string value;
        Expected expected{style % 3 == 0, 0, {}};
        if (style % 3 == 0) {
            const std::string module = in.Word("abcXYZ_09 .", 8), topic = in.Word("abcXYZ_09 .,:=", 12);
            value = module + "," + topic;
            expected.topic = topic;
        } else {
            int32_t id = int32_t(uint32_t(in.Next()) << 24 | uint32_t(in.Next()) << 16 | uint32_t(in.Next()) << 8 | in.Next());
            expected.id = id;
            value = std::to_string(id);
        }
        text += name + "=" + value + ends[(style >> 4) % 2];
        firsts.emplace(Upper(name), expected);
    }
    HelpIdMap map;
    plz::forms::ParseHelpIdMap(text, map);
    CheckWellFormed(map);
    for (const auto& [name, expected] : firsts) {
        int32_t id = 0;
        PLZ_FUZZ_CHECK(map.Find(name, &id));
        if (!expected.reference) {
            PLZ_FUZZ_CHECK(id == expected.id);
        } else {
            PLZ_FUZZ_CHECK(id < 0 && size_t(-int64_t(id)) <= map.references.size());
            PLZ_FUZZ_CHECK(map.references[size_t(-int64_t(id)) - 1] == expected.topic);
        }
    }
    return 0;
}
