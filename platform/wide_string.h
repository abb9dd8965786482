// An owned wide string for host calls: made from 8-bit text (ANSI code page), freed on scope exit,
// or taken from an out argument the host filled.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "platform/os.h"

namespace plz {

class WideString {
public:
    WideString() = default;
    explicit WideString(std::string_view ansi) : s_(os::NewAnsiString(ansi)) {}
    WideString(const WideString&) = delete;
    WideString& operator=(const WideString&) = delete;
    ~WideString() { Reset(); }

    BSTR Get() const { return s_; }
    // Frees the current string and hands out the slot for an out argument.
    BSTR* Out() {
        Reset();
        return &s_;
    }
    // Gives the string away: the receiver frees it.
    BSTR Detach() { return std::exchange(s_, nullptr); }
    std::string Ansi() const { return os::AnsiFromString(s_); }

private:
    void Reset() {
        if (BSTR s = std::exchange(s_, nullptr)) os::calls().FreeString(s);
    }
    BSTR s_ = nullptr;
};

}  // namespace plz
