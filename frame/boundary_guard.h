// The error guard of every operation the host calls into: no exception crosses the boundary; any
// error becomes E_UNEXPECTED with the thread's error information holding the error's text.
#pragma once

#include <exception>
#include <type_traits>

#include "frame/errors.h"
#include "platform/abi.h"
#include "platform/com_object.h"

namespace plz {

// Runs `body`; its status (S_OK for a body without result), or E_UNEXPECTED on any error. The
// error is described to the host after its handler has ended: errors raised and swallowed on the
// way (clean-up during unwinding) have been described and withdrawn meanwhile, and the host must
// find the text of the error that is returned.
template <typename Body>
HRESULT Guard(Body&& body) noexcept {
    std::exception_ptr error;
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Body&>>) {
            body();
            return S_OK;
        } else {
            return body();
        }
    } catch (...) {
        error = std::current_exception();
    }
    DescribeGuardedError(error);
    return E_UNEXPECTED;
}

// Stores a result into its out argument; a missing out argument is an error, not a crash.
template <typename T, typename V>
void SetOut(T* out, V&& value) {
    if (!out) throw Exception("Invalid pointer");
    *out = static_cast<T>(static_cast<V&&>(value));
}

}  // namespace plz
