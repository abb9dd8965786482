// Times the simulated PCB editor on a large board: loading components through the controls, then
// the arrange command's traffic over them (iterators on layers 1 to 75, a fetch, a rectangle and a
// commit per component). Prints the times; not a test.
#include <chrono>
#include <cstdio>
#include <string>

#include "RTL/pcb_api_calls.h"
#include "hostsim/trelpa/trelpa_module.h"

namespace {

using Clock = std::chrono::steady_clock;
double Milliseconds(Clock::time_point from) {
    return std::chrono::duration<double, std::milli>(Clock::now() - from).count();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace plz;
    const int count = argc > 1 ? std::stoi(argv[1]) : 100000;
    std::string error;
    const ModuleHandle module = trelpa::OpenModuleBesideProgram(&error);
    const trelpa::Control* control = module ? trelpa::ControlOf(module) : nullptr;
    if (!control) {
        std::fprintf(stderr, "cannot load %s: %s\n", trelpa::kModuleFile, error.c_str());
        return 1;
    }
#define PLZ_BENCH_ENTRY(name) const auto name = reinterpret_cast<name##_Fn>(os::calls().FindExport(module, #name))
    PLZ_BENCH_ENTRY(PcbApi_CreateIterator);
    PLZ_BENCH_ENTRY(PcbApi_GetFirstObject);
    PLZ_BENCH_ENTRY(PcbApi_GetNextObject);
    PLZ_BENCH_ENTRY(PcbApi_DestroyIterator);
    PLZ_BENCH_ENTRY(PcbApi_QueryComponent);
    PLZ_BENCH_ENTRY(PcbApi_QueryObjectBoundingRectangle);
#undef PLZ_BENCH_ENTRY

    auto start = Clock::now();
    const uint32_t board = control->Reset();
    for (int i = 0; i < count; ++i) {
        const std::string designator = "R" + std::to_string(i + 1);
        const int32_t x = (i % 1000) * 1000000, y = (i / 1000) * 1000000;
        const trelpa::ComponentSpec spec{designator.c_str(), i % 3 ? "RESC1608X55N" : "0805", x, y,
                                         x - 300000, y - 150000, x + 300000, y + 150000, 0.0,
                                         uint8_t(i % 4 ? 1 : 32), 0, 0};
        if (!control->AddComponent(&spec)) return 1;
    }
    const double load = Milliseconds(start);

    start = Clock::now();
    long visited = 0;
    uint16_t flags, hostWord;
    uint8_t layer, hostByte, byte1, byte2, byte3;
    uint32_t nameHandle, int1;
    ShortString<250> footprint;
    int32_t x, y, int2, left, bottom, right, top;
    double rotation;
    for (uint32_t l = 1; l <= 75; ++l) {
        const uint32_t it = PcbApi_CreateIterator(board, 9, 0, l);
        for (uint32_t h = PcbApi_GetFirstObject(it); h; h = PcbApi_GetNextObject(it), ++visited) {
            PcbApi_QueryComponent(1, h, &flags, &hostWord, &layer, &hostByte, &nameHandle, &int1, &footprint,
                                  &byte1, &byte2, &x, &y, &int2, &rotation, &byte3);
            PcbApi_QueryObjectBoundingRectangle(h, &left, &bottom, &right, &top);
            x += 1000000;
            PcbApi_QueryComponent(2, h, &flags, &hostWord, &layer, &hostByte, &nameHandle, &int1, &footprint,
                                  &byte1, &byte2, &x, &y, &int2, &rotation, &byte3);
        }
        PcbApi_DestroyIterator(it);
    }
    std::printf("%d components: load %.1f ms; 75 iterators, fetch, rectangle and commit of %ld: %.1f ms\n",
                count, load, visited, Milliseconds(start));
    return visited == count ? 0 : 1;
}
