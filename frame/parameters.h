// Parameter texts: zero-terminated 8-bit text of Name=Value entries separated by "|", as commands
// receive them and host processes take them. A parsed list, the cached lookup of one value, the
// in-place update of a caller's buffer, and a small splitting helper.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/short_string.h"

namespace plz {

struct TParameter {
    std::string Name;   // trimmed, never empty
    std::string Value;  // trimmed, may be empty
};

// Entries in the order they were added; equal names are all kept and lookups find the first.
class TParameterList {
public:
    // Trims both (codes 0 to 32 at either end); an empty trimmed name adds nothing.
    void AddParameter(std::string_view name, std::string_view value);
    // The first entry whose name equals `name`, ignoring control characters (codes below 32) at the
    // ends of `name` and ASCII letter case; none when absent.
    TParameter* FindParameter(std::string_view name);
    void ClearParameters();
    // Replaces the entries by those of `text`, which ends at its first zero (or at the end of the
    // view). Segments without "=" and entries with an empty name are skipped; nothing is an error.
    void ParseParameters(std::string_view text);
    void ParseParameters(const char* text);  // null reads as empty
    // Writes the entries as "Name=Value|..." (an empty value as " ") into `buffer` of `capacity`
    // bytes. Only whole entries that fit are written, in order, stopping at the first that does
    // not; the text always ends with a zero inside the buffer (when capacity > 0). True when every
    // entry and the zero fit.
    bool FormatParameters(char* buffer, size_t capacity) const;

    size_t Count() const { return entries_.size(); }
    const TParameter& operator[](size_t index) const { return entries_[index]; }

private:
    std::vector<TParameter> entries_;
};

// The value of the named entry of `parameters`. False with an empty value when the text is absent
// or empty or has no such entry. The last parsed text is cached, so several queries of one text
// parse it once; a changed text is parsed again.
bool GetParameterValue(const char* parameters, std::string_view name, std::string& value);
// The short-string form: the value comes back cut to its first 255 characters.
bool GetParameterValue(const char* parameters, const ShortString<255>& name, ShortString<255>& value);

// Sets `name` to `value` in the parameter text held in `buffer` (`capacity` bytes; the current text
// ends at its first zero or at the buffer's end), rewriting the whole text normalised. An existing
// entry keeps its name and takes the trimmed value; otherwise the entry is appended. Writes follow
// FormatParameters: never past the buffer, whole entries only; false when not everything fit.
bool AddStringParameter(char* buffer, size_t capacity, std::string_view name, std::string_view value);

// Splits `text` at the first occurrence of `separator` (exact): `head` takes the part before, `text`
// the part after. Without an occurrence (or with an empty separator) `head` takes the whole text
// and `text` becomes empty.
void SplitAtSeparator(std::string& text, std::string_view separator, std::string& head);

// Frees the cached text and its parsed list; run at library unload.
void FreeParameterCache();

}  // namespace plz
