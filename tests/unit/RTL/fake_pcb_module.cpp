// The fake PCB editor module's entry points and its lookups through the OS seam.
#include "fake_pcb_module.h"

#include <cstring>
#include <ostream>

#include "RTL/pcb_api.h"

namespace plz::test {
namespace {

FakePcbModule* g_fake = nullptr;
int g_moduleToken = 0;

#define PLZ_FAKE_PCB_ENTRY(name, result, missing, form, params, args) \
    result PLZ_STDCALL Fake_##name params {                             \
        FakePcbModule::Recorder{g_fake, #name} args;                    \
        if (g_fake->on.name) return g_fake->on.name args;               \
        return result();                                                \
    }
PLZ_PCB_API_CALLS(PLZ_FAKE_PCB_ENTRY)
#undef PLZ_FAKE_PCB_ENTRY

// Stands for the entry points that are bound and never called.
void PLZ_STDCALL UncalledEntry() {}

ModuleHandle FindModule(const char* name) {
    ++g_fake->moduleLookups;
    return g_fake->loaded && std::strcmp(name, "Trelpa.dll") == 0 ? &g_moduleToken : nullptr;
}

void* FindExport(ModuleHandle module, const char* name) {
    ++g_fake->exportLookups;
    if (module != &g_moduleToken || g_fake->removed.count(name)) return nullptr;
#define PLZ_FAKE_PCB_EXPORT(entry, result, missing, form, params, args) \
    if (std::strcmp(name, #entry) == 0) return reinterpret_cast<void*>(&Fake_##entry);
    PLZ_PCB_API_CALLS(PLZ_FAKE_PCB_EXPORT)
#undef PLZ_FAKE_PCB_EXPORT
    return reinterpret_cast<void*>(&UncalledEntry);
}

}  // namespace

bool operator==(const HostCall& actual, const HostCall& expected) {
    if (actual.entry != expected.entry || actual.args.size() != expected.args.size()) return false;
    for (std::size_t i = 0; i < actual.args.size(); ++i)
        if (expected.args[i] != kAnyArg && actual.args[i] != expected.args[i]) return false;
    return true;
}

void PrintTo(const HostCall& call, std::ostream* os) {
    *os << call.entry << "(";
    for (std::size_t i = 0; i < call.args.size(); ++i) *os << (i ? ", " : "") << std::hex << call.args[i];
    *os << std::dec << ")";
}

FakePcbModule::FakePcbModule(bool loaded)
    : loaded(loaded),
      findModule_(os::calls().FindLoadedModule, &FindModule),
      findExport_(os::calls().FindExport, &FindExport) {
    g_fake = this;
    BindPcbApi();
    moduleLookups = exportLookups = 0;
}

FakePcbModule::~FakePcbModule() {
    // Leave the table unbound for the next test.
    loaded = false;
    BindPcbApi();
    g_fake = nullptr;
}

std::vector<HostCall> FakePcbModule::CallsOf(const std::string& entry) const {
    std::vector<HostCall> calls;
    for (const HostCall& c : log)
        if (c.entry == entry) calls.push_back(c);
    return calls;
}

}  // namespace plz::test
