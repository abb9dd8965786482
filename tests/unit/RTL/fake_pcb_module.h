// A scripted stand-in for the PCB editor module, for the RTL unit tests: the OS seam's module and
// export lookups are replaced so that the PCB API table binds to fake entry points, which log
// every call as (entry point, arguments) and run the test's handler when one is set.
#pragma once

#include <bit>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "RTL/pcb_api_calls.h"
#include "platform/os.h"

namespace plz::test {

// One argument as logged: a pointer's address, a double's bits, an integer's value.
template <typename T>
uint64_t ArgValue(T value) {
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<uintptr_t>(value);
    else if constexpr (std::is_floating_point_v<T>)
        return std::bit_cast<uint64_t>(value);
    else
        return static_cast<uint64_t>(value);
}

// Matches any logged argument (the address of a forwarder's or mirror's local variable).
inline constexpr uint64_t kAnyArg = ~uint64_t{0};

struct HostCall {
    std::string entry;
    std::vector<uint64_t> args;
};
bool operator==(const HostCall& actual, const HostCall& expected);
void PrintTo(const HostCall& call, std::ostream* os);

template <typename... A>
HostCall Call(std::string entry, A... args) {
    return HostCall{std::move(entry), {ArgValue(args)...}};
}

// The handlers a test may set, one per called entry point, with the entry point's signature.
struct PcbHandlers {
#define PLZ_FAKE_PCB_HANDLER(name, result, missing, form, params, args) std::function<result params> name;
    PLZ_PCB_API_CALLS(PLZ_FAKE_PCB_HANDLER)
#undef PLZ_FAKE_PCB_HANDLER
};

// While one exists, the PCB API table is bound to it (loaded) or finds no module (not loaded).
// Entry points without a handler answer 0 and write nothing.
class FakePcbModule {
public:
    explicit FakePcbModule(bool loaded = true);
    ~FakePcbModule();
    FakePcbModule(const FakePcbModule&) = delete;
    FakePcbModule& operator=(const FakePcbModule&) = delete;

    // The module stops exporting a name; takes effect at the next binding.
    void Remove(const std::string& name) { removed.insert(name); }
    // Calls of one entry point, in order.
    std::vector<HostCall> CallsOf(const std::string& entry) const;

    bool loaded;
    std::set<std::string> removed;
    PcbHandlers on;
    std::vector<HostCall> log;
    int moduleLookups = 0;
    int exportLookups = 0;

    // Records one call; used by the fake entry points.
    struct Recorder {
        FakePcbModule* module;
        const char* entry;
        template <typename... A>
        void operator()(A... args) const {
            module->log.push_back(HostCall{entry, {ArgValue(args)...}});
        }
    };

private:
    os::ScopedOverride<ModuleHandle(const char*)> findModule_;
    os::ScopedOverride<void*(ModuleHandle, const char*)> findExport_;
};

}  // namespace plz::test
