// SVG rendering of a board before and after the arrangement. Numbers are written with integer
// arithmetic only, so the picture is the same byte for byte on every platform.
#include "hostsim/board_svg.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>

namespace plz::hostsim {
namespace {

constexpr const char* kPalette[] = {"#4e79a7", "#f28e2b", "#e15759", "#76b7b2", "#59a14f", "#edc948",
                                    "#b07aa1", "#ff9da7", "#9c755f", "#bab0ac", "#86bcb6", "#d37295"};

// Internal units as mils with one decimal.
std::string Mil(int64_t iu) {
    int64_t tenths = iu >= 0 ? (iu + 500) / 1000 : -((-iu + 500) / 1000);
    std::string s = tenths < 0 ? "-" : "";
    int64_t a = tenths < 0 ? -tenths : tenths;
    s += std::to_string(a / 10);
    if (a % 10) s += "." + std::to_string(a % 10);
    return s;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

struct Extent {
    int64_t left = std::numeric_limits<int64_t>::max(), bottom = std::numeric_limits<int64_t>::max();
    int64_t right = std::numeric_limits<int64_t>::min(), top = std::numeric_limits<int64_t>::min();
    void Add(int64_t l, int64_t b, int64_t r, int64_t t) {
        left = std::min(left, l);
        bottom = std::min(bottom, b);
        right = std::max(right, r);
        top = std::max(top, t);
    }
    bool Empty() const { return left > right; }
};

// With `movedFrom` (the board before), each group of moved components is labelled with its key.
void Panel(std::string& svg, const std::string& title, const std::vector<BoardComponent>& components,
           const std::map<std::string, size_t>& colours, const Extent& extent, int64_t offsetX, int64_t margin,
           std::optional<std::pair<int32_t, int32_t>> pick, const std::vector<BoardComponent>* movedFrom) {
    // Board Y grows upward, SVG Y downward: y' = top - y, shifted into the panel.
    auto X = [&](int64_t x) { return Mil(x - extent.left + offsetX + margin); };
    auto Y = [&](int64_t y) { return Mil(extent.top - y + 2 * margin); };
    const int64_t titleSize = margin;
    svg += "<text x=\"" + Mil(offsetX + margin) + "\" y=\"" + Mil(margin + titleSize / 2) + "\" font-size=\"" +
           Mil(titleSize) + "\" font-family=\"sans-serif\">" + title + "</text>\n";
    for (const BoardComponent& c : components) {
        const int64_t w = int64_t(c.right) - c.left, h = int64_t(c.top) - c.bottom;
        const std::string colour = kPalette[colours.at(c.footprint) % std::size(kPalette)];
        svg += "<rect x=\"" + X(c.left) + "\" y=\"" + Y(c.top) + "\" width=\"" + Mil(w) + "\" height=\"" + Mil(h) +
               "\" fill=\"" + colour + "\" fill-opacity=\"0.6\" stroke=\"#333\" stroke-width=\"" +
               Mil(std::max<int64_t>(margin / 40, 1000)) + "\"/>\n";
        const int64_t font = std::max<int64_t>(std::min(w, h) * 2 / 5, 1000);
        svg += "<text x=\"" + X(c.left + w / 2) + "\" y=\"" + Y(c.bottom + h / 2 - font / 3) + "\" font-size=\"" +
               Mil(font) + "\" font-family=\"sans-serif\" text-anchor=\"middle\">" + Escape(c.designator) +
               "</text>\n";
    }
    if (movedFrom) {
        // Each group's footprint key above the top-left corner of its moved components.
        std::map<std::string, Extent> groups;
        for (size_t i = 0; i < components.size(); ++i)
            if (components[i].x != (*movedFrom)[i].x || components[i].y != (*movedFrom)[i].y)
                groups[components[i].footprint].Add(components[i].left, components[i].bottom, components[i].right,
                                                    components[i].top);
        const int64_t font = std::max<int64_t>(margin / 4, 1000);
        for (const auto& [footprint, e] : groups)
            svg += "<text x=\"" + X(e.left) + "\" y=\"" + Y(e.top + font / 4) + "\" font-size=\"" + Mil(font) +
                   "\" font-family=\"sans-serif\" font-weight=\"bold\" fill=\"#222\" stroke=\"#fff\" stroke-width=\"" +
                   Mil(std::max<int64_t>(font / 8, 1000)) + "\" paint-order=\"stroke\">" + Escape(footprint) +
                   "</text>\n";
    }
    if (pick) {
        const int64_t arm = margin / 3;
        const std::string stroke = "\" stroke=\"#c00\" stroke-width=\"" + Mil(std::max<int64_t>(margin / 25, 1000)) + "\"/>\n";
        svg += "<line x1=\"" + X(pick->first - arm) + "\" y1=\"" + Y(pick->second) + "\" x2=\"" +
               X(pick->first + arm) + "\" y2=\"" + Y(pick->second) + stroke;
        svg += "<line x1=\"" + X(pick->first) + "\" y1=\"" + Y(pick->second - arm) + "\" x2=\"" +
               X(pick->first) + "\" y2=\"" + Y(pick->second + arm) + stroke;
    }
}

}  // namespace

std::string RenderBoardSvg(const std::vector<BoardComponent>& before, const std::vector<BoardComponent>& after,
                           std::optional<std::pair<int32_t, int32_t>> pick, const std::string& caption) {
    std::map<std::string, size_t> colours;
    for (const BoardComponent& c : before) colours.emplace(c.footprint, 0);
    size_t n = 0;
    for (auto& [footprint, index] : colours) index = n++;

    Extent a, b;
    for (const BoardComponent& c : before) a.Add(c.left, c.bottom, c.right, c.top);
    for (const BoardComponent& c : after) b.Add(c.left, c.bottom, c.right, c.top);
    if (pick) b.Add(pick->first, pick->second, pick->first, pick->second);
    if (a.Empty()) a.Add(0, 0, 10000000, 10000000);
    if (b.Empty()) b.Add(0, 0, 10000000, 10000000);

    const int64_t span = std::max({a.right - a.left, a.top - a.bottom, b.right - b.left, b.top - b.bottom});
    const int64_t margin = std::max<int64_t>(span / 20, 100000);
    const int64_t widthA = a.right - a.left + 2 * margin, widthB = b.right - b.left + 2 * margin;
    const int64_t height = std::max(a.top - a.bottom, b.top - b.bottom) + 4 * margin;

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + Mil(widthA + widthB) + " " +
                      Mil(height) + "\" width=\"1600\" height=\"" +
                      std::to_string(std::max<int64_t>(1600 * height / (widthA + widthB), 1)) + "\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
    Panel(svg, "Before", before, colours, a, 0, margin, std::nullopt, nullptr);
    Panel(svg, "After", after, colours, b, widthA, margin, pick, &before);
    svg += "<text x=\"" + Mil(margin) + "\" y=\"" + Mil(height - margin / 2) + "\" font-size=\"" +
           Mil(margin / 2) + "\" font-family=\"sans-serif\">" + Escape(caption) + "</text>\n";
    svg += "</svg>\n";
    return svg;
}

}  // namespace plz::hostsim
