// Fuzz target of the parameter texts: parsing, the cached lookup, writing with a capacity and the
// in-place update. Whatever the text, entries are well formed, a lookup agrees with a fresh parse,
// and a text written into a buffer never passes its capacity and reads back as what fitted.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "frame/parameters.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using plz::TParameter;
using plz::TParameterList;

bool Blank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && Blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && Blank(s.back())) s.remove_suffix(1);
    return s;
}

std::vector<TParameter> Entries(const TParameterList& list) {
    std::vector<TParameter> out;
    for (size_t i = 0; i < list.Count(); ++i) out.push_back(list[i]);
    return out;
}

// The entries of a text as a fresh list reads them.
std::vector<TParameter> Parse(std::string_view text) {
    TParameterList list;
    list.ParseParameters(text);
    return Entries(list);
}

bool SameEntries(const std::vector<TParameter>& a, const std::vector<TParameter>& b, size_t count) {
    if (a.size() < count || b.size() < count) return false;
    for (size_t i = 0; i < count; ++i)
        if (a[i].Name != b[i].Name || a[i].Value != b[i].Value) return false;
    return true;
}

// A text written into `capacity` bytes: the whole list when `complete`, otherwise its first
// entries; zero-terminated inside the buffer either way.
void CheckWritten(const char* buffer, size_t capacity, bool complete, const std::vector<TParameter>& expected) {
    if (capacity == 0) return;
    const size_t length = strnlen(buffer, capacity);
    PLZ_FUZZ_CHECK(length < capacity);
    const std::vector<TParameter> back = Parse(std::string_view(buffer, length));
    if (complete)
        PLZ_FUZZ_CHECK(back.size() == expected.size());
    else
        PLZ_FUZZ_CHECK(back.size() < expected.size());
    PLZ_FUZZ_CHECK(SameEntries(back, expected, back.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    // The first byte chooses the capacity; the rest is text, name and value, split at zero bytes.
    const size_t capacity = data[0];
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t a = rest.find('\0');
    const std::string text = rest.substr(0, a);
    const std::string tail = a == std::string::npos ? std::string() : rest.substr(a + 1);
    const size_t b = tail.find('\0');
    std::string name = tail.substr(0, b);
    std::string value = b == std::string::npos ? std::string() : tail.substr(b + 1);
    value = value.substr(0, value.find('\0'));
    // A caller's name and value hold no separator and no zero: the format has no escaping.
    for (char& c : name)
        if (c == '|' || c == '=') c = '/';
    for (char& c : value)
        if (c == '|') c = '/';

    // Every entry read is well formed.
    TParameterList list;
    list.ParseParameters(text);
    for (const TParameter& p : Entries(list)) {
        PLZ_FUZZ_CHECK(!p.Name.empty() && Trim(p.Name) == p.Name && Trim(p.Value) == p.Value);
        PLZ_FUZZ_CHECK(p.Name.find_first_of("|=") == std::string::npos && p.Value.find('|') == std::string::npos);
    }

    // The cached lookup agrees with a fresh parse, also after the text changed in place.
    std::string mutable_text = text;
    for (int round = 0; round < 2; ++round) {
        TParameterList fresh;
        fresh.ParseParameters(mutable_text);
        const TParameter* found = fresh.FindParameter(name);
        std::string got = "untouched";
        PLZ_FUZZ_CHECK(plz::GetParameterValue(mutable_text.c_str(), name, got) == (found != nullptr));
        PLZ_FUZZ_CHECK(got == (found ? found->Value : std::string()));
        if (!mutable_text.empty()) mutable_text.back() = mutable_text.back() == 'x' ? 'y' : 'x';
    }

    // Writing with a capacity: the buffer is exactly that large, so a write past it is caught.
    std::unique_ptr<char[]> buffer(new char[capacity ? capacity : 1]);
    const bool complete = list.FormatParameters(buffer.get(), capacity);
    CheckWritten(buffer.get(), capacity, complete, Entries(list));

    // The in-place update: the text as it stands in the buffer (up to a zero or the buffer's end),
    // the entry set or appended, written back as far as it fits.
    std::unique_ptr<char[]> inPlace(new char[capacity ? capacity : 1]);
    std::memcpy(inPlace.get(), text.data(), std::min(capacity, text.size()));
    if (text.size() < capacity) inPlace[text.size()] = '\0';
    TParameterList expected;
    expected.ParseParameters(std::string_view(inPlace.get(), capacity ? strnlen(inPlace.get(), capacity) : 0));
    if (TParameter* existing = expected.FindParameter(name))
        existing->Value = std::string(Trim(value));
    else
        expected.AddParameter(name, value);
    const bool fitted = plz::AddStringParameter(inPlace.get(), capacity, name, value);
    CheckWritten(inPlace.get(), capacity, fitted, Entries(expected));
    return 0;
}
