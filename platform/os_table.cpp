// The overridable table of OS calls for this module, and the wide-string helpers built on it.
#include "platform/os.h"

namespace plz::os {

Calls& calls() {
    static Calls table;
    return table;
}

void ResetAll() { calls() = Calls{}; }

BSTR NewString(std::u16string_view text) {
    return calls().AllocString(text.data(), static_cast<uint32_t>(text.size()));
}

std::u16string FromString(BSTR text) {
    if (!text) return {};
    return std::u16string(text, calls().StringLength(text));
}

BSTR NewAnsiString(std::string_view text) { return NewString(calls().AnsiToWide(text)); }

std::string AnsiFromString(BSTR text) { return calls().WideToAnsi(FromString(text)); }

}  // namespace plz::os
