// The wrappers of the C++ runtime's __cxa_throw and __cxa_end_catch (the module is linked with
// -Wl,--wrap for both) and the observers they call before passing on.
#include "platform/cxx_runtime_hooks.h"

#include <cxxabi.h>

namespace plz::eh {
namespace {

constinit ThrowObserver g_onThrow = nullptr;
constinit EndCatchObserver g_onEndCatch = nullptr;
// An observer that throws itself must not be observed again on the same thread.
thread_local bool t_inside = false;

struct Inside {
    Inside() { t_inside = true; }
    ~Inside() { t_inside = false; }
};

}  // namespace

void SetObservers(ThrowObserver onThrow, EndCatchObserver onEndCatch) {
    g_onThrow = onThrow;
    g_onEndCatch = onEndCatch;
}

}  // namespace plz::eh

extern "C" {
[[noreturn]] void __real___cxa_throw(void* object, std::type_info* type, void (*destroy)(void*));
void __real___cxa_end_catch();

[[noreturn]] void __wrap___cxa_throw(void* object, std::type_info* type, void (*destroy)(void*)) {
    using namespace plz::eh;
    if (g_onThrow && !t_inside) {
        Inside inside;
        Throw thrown;
        thrown.type = type;
        thrown.address = reinterpret_cast<uintptr_t>(__builtin_return_address(0));
        // The runtime's own matching: would a handler of std::exception take this object?
        void* adjusted = object;
        if (type && typeid(std::exception).__do_catch(type, &adjusted, 1))
            thrown.object = static_cast<const std::exception*>(adjusted);
        try {
            g_onThrow(thrown);
        } catch (...) {
        }
    }
    __real___cxa_throw(object, type, destroy);
}

void __wrap___cxa_end_catch() {
    using namespace plz::eh;
    if (g_onEndCatch && !t_inside) {
        Inside inside;
        try {
            g_onEndCatch();
        } catch (...) {
        }
    }
    __real___cxa_end_catch();
}
}
