// Parameter texts: parsing, formatting into bounded buffers, and the cached value lookup.
#include "frame/parameters.h"

#include <cstring>
#include <memory>
#include <optional>

#include "platform/ascii.h"

namespace plz {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
bool IsControl(char c) { return static_cast<unsigned char>(c) < 32; }

std::string_view Trim(std::string_view s) { return TrimIf(s, IsBlank); }

bool SameName(std::string_view stored, std::string_view wanted) {
    return SameIgnoringCase(TrimIf(stored, IsControl), TrimIf(wanted, IsControl));
}

// The text up to its first zero, or all of the view when there is none.
std::string_view UpToZero(std::string_view text) {
    size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

// The last text GetParameterValue parsed, and its entries. Constant-initialised, as all of the
// library's state that its load and unload sequences may touch.
constinit std::optional<std::string> g_cachedText;
constinit std::unique_ptr<TParameterList> g_sharedList;

}  // namespace

void TParameterList::AddParameter(std::string_view name, std::string_view value) {
    name = Trim(name);
    if (name.empty()) return;
    entries_.push_back({std::string(name), std::string(Trim(value))});
}

TParameter* TParameterList::FindParameter(std::string_view name) {
    for (TParameter& entry : entries_)
        if (SameName(entry.Name, name)) return &entry;
    return nullptr;
}

void TParameterList::ClearParameters() { entries_.clear(); }

void TParameterList::ParseParameters(std::string_view text) {
    ClearParameters();
    text = UpToZero(text);
    size_t start = 0;
    bool inValue = false;
    std::string_view name;
    for (size_t i = 0; i <= text.size(); ++i) {
        char c = i < text.size() ? text[i] : '\0';
        if (c == '\0' || c == '|') {
            // A segment still in the name state had no "=": it is skipped.
            if (inValue) AddParameter(name, text.substr(start, i - start));
            start = i + 1;
            inValue = false;
        } else if (c == '=' && !inValue) {
            name = text.substr(start, i - start);
            start = i + 1;
            inValue = true;
        }
    }
}

void TParameterList::ParseParameters(const char* text) {
    ParseParameters(text ? std::string_view(text) : std::string_view());
}

bool TParameterList::FormatParameters(char* buffer, size_t capacity) const {
    if (!buffer || capacity == 0) return false;
    size_t used = 0;  // characters written, the zero not counted
    buffer[0] = '\0';
    for (size_t i = 0; i < entries_.size(); ++i) {
        const TParameter& e = entries_[i];
        std::string_view value = e.Value.empty() ? std::string_view(" ") : std::string_view(e.Value);
        size_t length = (i ? 1 : 0) + e.Name.size() + 1 + value.size();
        if (length >= capacity - used) return false;  // the entry and the zero must both fit
        char* p = buffer + used;
        if (i) *p++ = '|';
        std::memcpy(p, e.Name.data(), e.Name.size());
        p += e.Name.size();
        *p++ = '=';
        std::memcpy(p, value.data(), value.size());
        used += length;
        buffer[used] = '\0';
    }
    return true;
}

bool GetParameterValue(const char* parameters, std::string_view name, std::string& value) {
    value.clear();
    if (!parameters || !*parameters) return false;
    if (!g_cachedText || *g_cachedText != parameters) {
        g_cachedText = parameters;
        if (!g_sharedList) g_sharedList = std::make_unique<TParameterList>();
        g_sharedList->ParseParameters(*g_cachedText);
    }
    const TParameter* entry = g_sharedList->FindParameter(name);
    if (!entry) return false;
    value = entry->Value;
    return true;
}

bool GetParameterValue(const char* parameters, const ShortString<255>& name, ShortString<255>& value) {
    std::string full;
    bool found = GetParameterValue(parameters, name.View(), full);
    value.Assign(full);
    return found;
}

bool AddStringParameter(char* buffer, size_t capacity, std::string_view name, std::string_view value) {
    if (!buffer || capacity == 0) return false;
    TParameterList list;
    list.ParseParameters(std::string_view(buffer, capacity));
    if (TParameter* entry = list.FindParameter(name))
        entry->Value = std::string(Trim(value));
    else
        list.AddParameter(name, value);
    return list.FormatParameters(buffer, capacity);
}

void SplitAtSeparator(std::string& text, std::string_view separator, std::string& head) {
    size_t at = separator.empty() ? std::string::npos : text.find(separator);
    if (at == std::string::npos) {
        head = std::move(text);
        text.clear();
        return;
    }
    head = text.substr(0, at);
    text.erase(0, at + separator.size());
}

void FreeParameterCache() {
    g_cachedText.reset();
    g_sharedList.reset();
}

}  // namespace plz
