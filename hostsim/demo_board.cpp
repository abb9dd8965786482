// The demo board, generated the same way on every platform (own generator, integer arithmetic).
#include "hostsim/demo_board.h"

#include <cstdint>
#include <vector>

#include <nlohmann/json.hpp>

namespace plz::hostsim {
namespace {

struct Part {
    const char* prefix;
    int first, last;
    const char* footprint;
    int width, height;  // body in mils, unrotated
};

// Designator ranges with their footprints and body sizes.
constexpr Part kParts[] = {
    {"C", 1, 12, "0402", 40, 20},      {"C", 13, 20, "0603", 60, 30},    {"C", 21, 24, "0805", 80, 50},
    {"R", 1, 8, "0603", 60, 30},       {"R", 9, 14, "0805", 80, 50},     {"R", 15, 18, "1206", 120, 60},
    {"FB", 1, 2, "0603", 60, 30},      {"L", 1, 2, "1210", 130, 100},    {"D", 1, 4, "SOD-123", 140, 60},
    {"Q", 1, 3, "SOT-23", 120, 110},   {"U", 1, 1, "QFP-44", 470, 470},  {"U", 2, 3, "SOIC-8", 200, 195},
    {"Y", 1, 1, "HC49", 450, 180},     {"J", 1, 2, "HDR-1X6", 600, 100}, {"MH", 1, 1, "MH-3.2", 250, 250},
};

// A small linear congruential generator: the same sequence everywhere.
struct Lcg {
    uint32_t state;
    uint32_t Next(uint32_t bound) {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) % bound;
    }
};

}  // namespace

std::string DemoBoardJson() {
    using Json = nlohmann::ordered_json;
    struct Item {
        std::string designator;
        const Part* part;
    };
    std::vector<Item> items;
    for (const Part& p : kParts)
        for (int n = p.first; n <= p.last; ++n) items.push_back({p.prefix + std::to_string(n), &p});

    // Shuffle: a netlist import lists components in no useful order.
    Lcg rng{20261210};
    for (size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[rng.Next(uint32_t(i))]);

    Json components = Json::array();
    for (const Item& item : items) {
        const Part& p = *item.part;
        const bool turned = rng.Next(4) == 0;
        const int w = turned ? p.height : p.width, h = turned ? p.width : p.height;
        const int x = 200 + int(rng.Next(2600)), y = 200 + int(rng.Next(1600));
        Json c;
        c["designator"] = item.designator;
        c["footprint"] = p.footprint;
        c["x"] = x;
        c["y"] = y;
        c["bbox"] = Json::array({x - w / 2, y - h / 2, x - w / 2 + w, y - h / 2 + h});
        c["rotation"] = turned ? 90 : 0;
        c["layer"] = item.designator.rfind("C2", 0) == 0 && item.designator.size() == 3 ? "BottomLayer" : "TopLayer";
        const std::string& d = item.designator;
        c["selected"] = d == "U1" || d == "C1" || d == "C2" || d == "C3" || d == "C13" || d == "R1" || d == "R2" ||
                        d == "R9" || d == "Q1";
        if (d == "MH1") c["excluded"] = true;
        components.push_back(std::move(c));
    }
    Json board;
    board["units"] = "mil";
    board["components"] = std::move(components);
    return board.dump(2) + "\n";
}

}  // namespace plz::hostsim
