// The 203 entry points of the simulated PCB editor that the plug-in binds but never calls (marked
// BOUND in the names list): each takes no arguments, is counted and logged, and answers 0.
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
PLZ_PCB_API_ENTRIES(PLZ_TRELPA_UNCALLED, PLZ_NO_NAME)
#undef PLZ_TRELPA_UNCALLED
