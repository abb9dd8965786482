// Observation of the C++ runtime's exception machinery: the module is linked with the runtime's
// throw and end-of-handler entry points wrapped (ld --wrap), and the wrappers tell the observers
// set here before passing on unchanged. What the wrap cannot see: exceptions thrown inside a
// runtime library that is linked dynamically (on POSIX, libstdc++'s own throws such as bad_alloc
// from operator new or out_of_range from at()), std::rethrow_exception, and platform faults.
#pragma once

#include <cstdint>
#include <exception>
#include <typeinfo>

namespace plz::eh {

// One C++ throw, seen before any handler runs.
struct Throw {
    const std::type_info* type = nullptr;   // the thrown object's type
    const std::exception* object = nullptr; // the object as std::exception, when it is one
    uintptr_t address = 0;                  // the code address that threw
};

using ThrowObserver = void (*)(const Throw& thrown);
using EndCatchObserver = void (*)();

// One observer of each kind; null removes it. The observers run inside the runtime: they must not
// let an exception out (one raised inside them is swallowed and not observed again).
void SetObservers(ThrowObserver onThrow, EndCatchObserver onEndCatch);

}  // namespace plz::eh
