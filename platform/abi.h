// The host boundary's binary conventions: calling convention, export, status values, GUIDs,
// wide strings and the base interface. Every interface and entry point of both sides uses these.
#pragma once

#include <cstddef>
#include <cstdint>

// __stdcall on 32-bit Windows, the platform default everywhere else.
#if defined(_WIN32) && !defined(_WIN64)
#define PLZ_STDCALL __stdcall
#else
#define PLZ_STDCALL
#endif

// Marks a function that a module exports by its plain name.
#if defined(_WIN32)
#define PLZ_EXPORT extern "C" __declspec(dllexport)
#else
#define PLZ_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace plz {

// Status values are the Windows ones on every platform.
using HRESULT = int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
inline constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
inline constexpr bool Failed(HRESULT hr) { return hr < 0; }

// Opaque host object handle; 0 names none.
using HostHandle = uint32_t;
// Window and module handles are addresses: pointer-sized.
using WindowHandle = uintptr_t;
using ModuleHandle = void*;

#pragma pack(push, 1)
struct GUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};
#pragma pack(pop)
static_assert(sizeof(GUID) == 16);

constexpr bool operator==(const GUID& a, const GUID& b) {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}

// Builds a GUID from its registry text form "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" at compile time.
namespace detail {
constexpr uint32_t HexDigit(char c) {
    return c >= '0' && c <= '9'   ? uint32_t(c - '0')
           : c >= 'a' && c <= 'f' ? uint32_t(c - 'a' + 10)
           : c >= 'A' && c <= 'F' ? uint32_t(c - 'A' + 10)
                                  : throw "bad hex digit in GUID";
}
constexpr uint32_t Hex(const char* s, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 4) | HexDigit(s[i]);
    return v;
}
}  // namespace detail

constexpr GUID MakeGuid(const char (&s)[37]) {
    if (s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-') throw "bad GUID layout";
    GUID g{detail::Hex(s, 8), uint16_t(detail::Hex(s + 9, 4)), uint16_t(detail::Hex(s + 14, 4)), {}};
    g.Data4[0] = uint8_t(detail::Hex(s + 19, 2));
    g.Data4[1] = uint8_t(detail::Hex(s + 21, 2));
    for (int i = 0; i < 6; ++i) g.Data4[2 + i] = uint8_t(detail::Hex(s + 24 + 2 * i, 2));
    return g;
}

// Wide string: UTF-16, length-prefixed, allocated by the one allocator that host and plug-in share
// (os::AllocString). The pointer addresses the first character.
using BSTR = char16_t*;

// The base of every interface: QueryInterface, AddRef, Release, in that order, nothing else.
struct IUnknown {
    virtual HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, /*out*/ void** object) = 0;
    virtual uint32_t PLZ_STDCALL AddRef() = 0;
    virtual uint32_t PLZ_STDCALL Release() = 0;
};
inline constexpr GUID IID_IUnknown = MakeGuid("00000000-0000-0000-C000-000000000046");

// Interfaces carry exactly one vtable pointer: no data members.
static_assert(sizeof(IUnknown) == sizeof(void*));

}  // namespace plz
