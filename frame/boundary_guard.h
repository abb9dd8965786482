// The error guard of every operation the host calls into: no exception crosses the boundary; any
// error becomes E_UNEXPECTED with the thread's error information holding the error's text.
#pragma once

#include <exception>
#include <type_traits>

#include "frame/errors.h"
#include "platform/abi.h"
#include "platform/com_object.h"

namespace plz {

// Runs `body`; its status (S_OK for a body without result), or E_UNEXPECTED on any error. Errors of
// the plug-in's own kind already put the error information in place when they were raised (while
// the raise hook is installed); any other error gets it here, so the host still finds a text.
template <typename Body>
HRESULT Guard(Body&& body) noexcept {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Body&>>) {
            body();
            return S_OK;
        } else {
            return body();
        }
    } catch (const Exception&) {
    } catch (const std::exception& e) {
        try {
            PutErrorInfo(e.what());
        } catch (...) {
        }
    } catch (...) {
        try {
            PutErrorInfo("Unexpected error");
        } catch (...) {
        }
    }
    return E_UNEXPECTED;
}

// Stores a result into its out argument; a missing out argument is an error, not a crash.
template <typename T, typename V>
void SetOut(T* out, V&& value) {
    if (!out) throw Exception("Invalid pointer");
    *out = static_cast<T>(static_cast<V&&>(value));
}

}  // namespace plz
