// The 203 entry points of the simulated PCB editor that the plug-in binds but never calls: each
// takes no arguments, is counted and logged, and answers 0. Their names come from the build, which
// takes every bound name that the list of called entry points lacks.
#include "hostsim/trelpa/editor.h"

namespace plz::trelpa {
namespace {
uint32_t Uncalled(PcbApiSlot slot) {
    Watch& w = TheEditor().watch;
    ++w.counts[std::size_t(slot)];
    if (w.logging) {
        try {
            w.log += kEntryNames[std::size_t(slot)];
            w.log += "() -> 0\n";
        } catch (...) {
        }
    }
    return 0;
}
}  // namespace
}  // namespace plz::trelpa

#define PLZ_TRELPA_UNCALLED(name) \
    PLZ_EXPORT uint32_t PLZ_STDCALL name() { return plz::trelpa::Uncalled(plz::PcbApiSlot::name); }
#include "trelpa_uncalled.inc"
#undef PLZ_TRELPA_UNCALLED

// With the called ones, every bound name once (a name in both lists would be defined twice).
#define PLZ_TRELPA_UNCALLED(name) +1
static_assert(0
#include "trelpa_uncalled.inc"
                  + plz::kPcbApiCallCount ==
              plz::kPcbApiSlotCount);
#undef PLZ_TRELPA_UNCALLED
