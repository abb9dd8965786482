// The benchmark of the arrange command: boards of 1,000, 10,000 and 100,000 components made with a
// fixed seed, each arranged by a whole "Plazen" run in the host simulator, next to a floor run that
// does only what moving N components needs at the least (a fetch, a rectangle and a commit each,
// straight through the simulated editor). Prints figures, each the median of five rounds on a board
// loaded afresh; it is not a test.
//   plazen-bench [COMPONENTS]   one board of that many components (1 to 1000000) instead of the three
#include <algorithm>
#include <charconv>
#include <ctime>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "RTL/pcb_api_calls.h"
#include "hostsim/host.h"
#include "hostsim/plugin_host.h"
#include "hostsim/trelpa/trelpa_module.h"

namespace {

using namespace plz;
// Processor time of the process, not the wall clock: other work on a shared machine does not enter
// the figures. (Where the C library's clock is the wall clock, as on Windows, it is that.)
struct Clock {
    using time_point = std::clock_t;
    static time_point now() { return std::clock(); }
};

double Seconds(Clock::time_point from) { return double(Clock::now() - from) / CLOCKS_PER_SEC; }

struct Lcg {
    uint32_t state;
    uint32_t Next(uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

// Realistic groups: one holding a tenth of the board, the rest small (10 to 120 members), each with
// its own footprint and designator prefix, the designators numbered in random order. Parts are 20
// to 100 mil wide and 10 to 60 mil high, so that even the largest board's groups, stacked one above
// the other, fit the 32-bit coordinate range from a start near its lower end.
void MakeBoard(const trelpa::Control& editor, int count, uint32_t seed) {
    editor.Reset();
    Lcg rng{seed};
    std::vector<int> sizes{count / 10};
    for (int left = count - sizes[0]; left > 0;) {
        const int n = std::min(left, 10 + int(rng.Next(111)));
        sizes.push_back(n);
        left -= n;
    }
    struct Item {
        std::string designator, footprint;
    };
    std::vector<Item> items;
    items.reserve(size_t(count));
    for (size_t g = 0; g < sizes.size(); ++g) {
        std::vector<int> numbers(static_cast<size_t>(sizes[g]));
        for (int i = 0; i < sizes[g]; ++i) numbers[size_t(i)] = i + 1;
        for (size_t i = numbers.size(); i > 1; --i) std::swap(numbers[i - 1], numbers[rng.Next(uint32_t(i))]);
        const std::string prefix = g == 0 ? "R" : "X" + std::to_string(g) + "_";
        for (int n : numbers) items.push_back({prefix + std::to_string(n), "FP" + std::to_string(g)});
    }
    for (size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[rng.Next(uint32_t(i))]);
    for (const Item& item : items) {
        const int32_t x = int32_t(rng.Next(20000)) * 10000, y = int32_t(rng.Next(20000)) * 10000;
        const int32_t w = 200000 + int32_t(rng.Next(17)) * 50000, h = 100000 + int32_t(rng.Next(11)) * 50000;
        const trelpa::ComponentSpec part{item.designator.c_str(), item.footprint.c_str(), x, y, x, y, x + w, y + h,
                                         0.0, uint8_t(rng.Next(4) ? 1 : 32), 0, 0};
        editor.AddComponent(&part);
    }
}

constexpr const char* kCalled[] = {
#define PLZ_BENCH_NAME(name, ...) #name,
    PLZ_PCB_API_CALLS(PLZ_BENCH_NAME)
#undef PLZ_BENCH_NAME
};

// Moving N components at the least: one fetch, one rectangle query and one commit each.
double FloorRun(ModuleHandle module, const trelpa::Control& editor) {
#define PLZ_BENCH_ENTRY(name) const auto name = reinterpret_cast<name##_Fn>(os::calls().FindExport(module, #name))
    PLZ_BENCH_ENTRY(PcbApi_QueryComponent);
    PLZ_BENCH_ENTRY(PcbApi_QueryObjectBoundingRectangle);
#undef PLZ_BENCH_ENTRY
    uint16_t flags, hostWord;
    uint8_t layer, hostByte, byte1, byte2, byte3;
    uint32_t nameHandle, int1;
    ShortString<250> footprint;
    int32_t x, y, int2, left, bottom, right, top;
    double rotation;
    const uint32_t n = editor.ComponentCount();
    const auto start = Clock::now();
    for (uint32_t i = 0; i < n; ++i) {
        const uint32_t h = editor.ComponentAt(i);
        PcbApi_QueryComponent(1, h, &flags, &hostWord, &layer, &hostByte, &nameHandle, &int1, &footprint, &byte1,
                              &byte2, &x, &y, &int2, &rotation, &byte3);
        PcbApi_QueryObjectBoundingRectangle(h, &left, &bottom, &right, &top);
        x = 1000000 + (x - left);
        PcbApi_QueryComponent(2, h, &flags, &hostWord, &layer, &hostByte, &nameHandle, &int1, &footprint, &byte1,
                              &byte2, &x, &y, &int2, &rotation, &byte3);
    }
    return Seconds(start);
}

constexpr int kMaxComponents = 1000000;
constexpr int kRounds = 5;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Usage() {
    std::fprintf(stderr, "usage: plazen-bench [COMPONENTS]  (a whole number from 1 to %d; without it: 1000, 10000 "
                 "and 100000)\n", kMaxComponents);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> counts{1000, 10000, 100000};
    if (argc > 2) return Usage();
    if (argc == 2) {
        const std::string_view text = argv[1];
        int count = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
        if (text.empty() || text[0] == '-' || text[0] == '+' || error != std::errc() ||
            end != text.data() + text.size() || count < 1 || count > kMaxComponents)
            return Usage();
        counts.assign(1, count);
    }

    hostsim::Host host;
    hostsim::PluginHost plugin(host);
    std::string problem;
    if (!plugin.LoadEditor(hostsim::DefaultEditorPath(), &problem) ||
        !plugin.Load(hostsim::DefaultPluginPath(), &problem)) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 2;
    }
    const trelpa::Control& editor = *trelpa::ControlOf(plugin.Editor());

    for (int count : counts) {
        // Each figure is the median of kRounds, each on a board loaded afresh, so that one slow
        // moment of a shared machine does not make it. The calls are those of the last run.
        const uint32_t seed = 20261210u + uint32_t(count);
        std::vector<double> loads, runs, floors;
        std::vector<uint32_t> calls(std::size(kCalled));
        for (int round = 0; round < kRounds; ++round) {
            const auto loadStart = Clock::now();
            MakeBoard(editor, count, seed);
            loads.push_back(Seconds(loadStart));
            editor.SetChooseLocation(1, 0, -2100000000);
            editor.ClearCallCounts();
            host.state().processes.clear();
            const auto start = Clock::now();
            const hostsim::Outcome outcome = plugin.Launch("Plazen", "");
            runs.push_back(Seconds(start));
            if (Failed(outcome.status)) {
                std::fprintf(stderr, "Plazen failed: %s\n", hostsim::FormatStatus(outcome.status).c_str());
                return 1;
            }
            for (size_t i = 0; i < calls.size(); ++i) calls[i] = editor.CallCount(kCalled[i]);
            MakeBoard(editor, count, seed);
            floors.push_back(FloorRun(plugin.Editor(), editor));
        }
        std::printf("== %d components\n", count);
        uint64_t total = 0;
        for (size_t i = 0; i < calls.size(); ++i) {
            if (!calls[i]) continue;
            total += calls[i];
            std::printf("  %-48s %12u  %10.2f per component\n", kCalled[i], calls[i], double(calls[i]) / count);
        }
        std::printf("  %-48s %12llu  %10.2f per component\n", "all entry points", (unsigned long long)total,
                    double(total) / count);
        const double run = Median(runs), floor = Median(floors);
        std::printf("  board load %.3f s; Plazen run %.3f s, floor run %.5f s, ratio %.1f\n", Median(loads), run,
                    floor, floor > 0 ? run / floor : 0.0);
        std::fflush(stdout);
    }
    return 0;
}
