// The IUnknown part of the objects handed across the host boundary: one QueryInterface answer, a
// reference-counted base for single-interface objects, and the no-exception helpers of every
// operation (out arguments cleared first, any exception turned into a status).
#pragma once

#include <cstdint>

#include "platform/abi.h"

namespace plz {

// The common part of every QueryInterface: `found` is the interface asked for (null when the
// object does not offer it); it is handed out with a reference added.
inline HRESULT AnswerQuery(void** object, IUnknown* found) {
    if (!object) return E_POINTER;
    *object = found;
    if (!found) return E_NOINTERFACE;
    found->AddRef();
    return S_OK;
}

// Reference counting and QueryInterface for an object with one interface I, reached by
// IID_IUnknown and each of `Iids`. It starts with one reference, its creator's; the last Release
// deletes it as a Derived.
template <typename Derived, typename I, const GUID&... Iids>
class ComObject : public I {
public:
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        const bool offered = iid == IID_IUnknown || ((iid == Iids) || ...);
        return AnswerQuery(object, offered ? static_cast<I*>(this) : nullptr);
    }
    uint32_t PLZ_STDCALL AddRef() override { return ++references_; }
    uint32_t PLZ_STDCALL Release() override {
        const uint32_t left = --references_;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }
    uint32_t References() const { return references_; }

private:
    uint32_t references_ = 1;
};

// Out arguments are cleared before anything else, so that a failed call never leaves stale data.
template <typename T>
void ClearOut(T* out) {
    if (out) *out = T{};
}

// Runs `body` and returns its status; E_UNEXPECTED when it throws, so no exception leaves an
// operation the other side calls.
template <typename Body>
HRESULT NoThrow(Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace plz
