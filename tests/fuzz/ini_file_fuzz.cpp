// Fuzz target of the INI reader. Any text reads without harm and every value it gives is one line;
// and a file written from sections, keys and values that the input chooses (with blanks, quotes,
// comments and either line end) reads back as written, the first of repeated names winning.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ini_file.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

// A name or value of 0 to 7 characters from a plain alphabet, with inner blanks.
std::string Word(plz::fuzz::Input& in, bool allowEmpty) {
    static constexpr std::string_view kAlphabet = "abcXYZ019 _.-";
    std::string w;
    const size_t length = in.Next() % 8;
    for (size_t i = 0; i < length; ++i) w += kAlphabet[in.Next() % kAlphabet.size()];
    while (!w.empty() && w.front() == ' ') w.erase(0, 1);
    while (!w.empty() && w.back() == ' ') w.pop_back();
    if (w.empty() && !allowEmpty) w = "k";
    return w;
}

std::string Upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Any text: values are single lines without blanks around them.
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const plz::IniFile any = plz::IniFile::Parse(raw);
    for (std::string_view probe : {"a", "A", "", "k"}) {
        const std::optional<std::string> value = any.Read(probe, probe);
        if (value) PLZ_FUZZ_CHECK(value->find('\n') == std::string::npos);
    }

    // A file written from the input's choices reads back as written.
    plz::fuzz::Input in{data, size};
    std::string text;
    std::map<std::string, std::map<std::string, std::string>> firsts;  // upper-cased names
    std::vector<std::string> sections;
    const char* const ends[] = {"\n", "\r\n"};
    while (!in.Done() && sections.size() < 8) {
        const std::string section = Word(in, false);
        sections.push_back(section);
        const bool known = firsts.count(Upper(section)) != 0;
        auto& entries = firsts[Upper(section)];
        text += std::string(in.Next() % 2 ? " [" : "[") + section + (in.Next() % 2 ? "] " : "]") + ends[in.Next() % 2];
        for (int n = in.Next() % 5; n > 0; --n) {
            const uint8_t style = in.Next();
            if (style % 7 == 0) {
                text += std::string("; a comment = x") + ends[style % 2];
                continue;
            }
            const std::string key = Word(in, false), value = Word(in, true);
            const bool quoted = style % 3 == 0;
            text += (style & 8 ? "\t" : "") + key + (style & 16 ? " = " : "=") + (quoted ? "\"" + value + "\"" : value) +
                    (style & 32 ? " " : "") + ends[(style >> 6) % 2];
            // A repeated section adds nothing: the first one wins.
            if (!known) entries.emplace(Upper(key), value);
        }
    }
    const plz::IniFile ini = plz::IniFile::Parse(text);
    for (const std::string& section : sections) {
        PLZ_FUZZ_CHECK(ini.HasSection(section));
        for (const auto& [key, value] : firsts[Upper(section)]) {
            const std::optional<std::string> got = ini.Read(section, key);
            PLZ_FUZZ_CHECK(got && *got == value);
        }
    }
    return 0;
}
