// A counted interface reference: AddRef on copy, Release on reset, nothing more.
#pragma once

#include <utility>

#include "platform/abi.h"

namespace plz {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes a reference of its own.
    explicit ComPtr(T* p) : p_(p) {
        if (p_) p_->AddRef();
    }
    ComPtr(const ComPtr& o) : ComPtr(o.p_) {}
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Adopts a reference that the caller already owns (an out argument's).
    static ComPtr Adopt(T* p) {
        ComPtr c;
        c.p_ = p;
        return c;
    }

    void Reset() {
        if (T* p = std::exchange(p_, nullptr)) p->Release();
    }
    // Releases the current reference and hands out the slot for an out argument.
    T** Out() {
        Reset();
        return &p_;
    }
    // Gives up ownership: the caller takes the reference.
    T* Detach() { return std::exchange(p_, nullptr); }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

}  // namespace plz
