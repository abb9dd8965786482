// Grid placement of the groups from the picked start point, stacked or in shelves, the write-back
// of the moved components, and the host processes that refresh the board.
#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "RTL/pcb_api.h"
#include "arranger/component_arranger.h"
#include "client/client_api.h"
#include "client/paths.h"
#include "frame/errors.h"
#include "frame/parameters.h"

namespace plz {
namespace {

using Options = ArrangeOptions;
using Rect = TRect;

// The layout works in 64 bits and accepts only results that fit the host's 32-bit coordinates:
// wrapped values would throw components to wrong places. It fails before anything is written back.
int32_t Fit(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw Exception("The arrangement does not fit in the board's coordinate range; no component was moved.");
    return static_cast<int32_t>(value);
}

// A group's grid: cell width and height, columns, and the row count that places its top edge.
struct Grid {
    int64_t W = 1, H = 1, Columns = 1, Rows = 1;
};

// The rectangles of the members that one group's layout reads, by their place in the collection.
std::vector<Rect> MemberRects(const TComponentsList& group) {
    const std::vector<TRect>& all = group.Arranger->Rects;
    std::vector<Rect> rects(group.Members.size());
    for (size_t k = 0; k < rects.size(); ++k) rects[k] = all[group.Members[k].Sequence];
    return rects;
}

// The smallest C with C·C >= n.
int64_t SquareColumns(int64_t n) {
    int64_t c = 1;
    while (c * c < n) c *= 2;
    int64_t low = c / 2;  // low·low < n <= c·c
    while (c - low > 1) {
        const int64_t mid = (low + c) / 2;
        (mid * mid < n ? low : c) = mid;
    }
    return c;
}

Grid MeasureGroup(const TComponentsList& group, const std::vector<Rect>& rects) {
    const Options& options = group.Arranger->Options;
    const int64_t n = int64_t(rects.size());
    int64_t width = int64_t(rects[0][2]) - rects[0][0], height = int64_t(rects[0][3]) - rects[0][1];
    if (options.Cell == Options::CellKind::Largest)
        for (const Rect& r : rects) {
            width = std::max(width, int64_t(r[2]) - r[0]);
            height = std::max(height, int64_t(r[3]) - r[1]);
        }
    Grid grid;
    // A cell is at least one unit wide and high, so zero-size parts without a gap still get one.
    grid.W = std::max<int64_t>(Fit(width + options.Gap), 1);
    grid.H = std::max<int64_t>(Fit(height + options.Gap), 1);
    switch (options.Columns) {
        case Options::ColumnsKind::Plain:
            // The divisions truncate toward zero, as the host's integer arithmetic does. A start so
            // far right that the quotient is negative gets one column, as a quotient of 0 does. The
            // numerator is no coordinate: it may exceed the 32-bit range for a start far left.
            grid.Columns = (int64_t(kXLimit) - group.Arranger->StartX) / grid.W;
            break;
        case Options::ColumnsKind::Count: grid.Columns = options.ColumnCount; break;
        case Options::ColumnsKind::Square: grid.Columns = SquareColumns(n); break;
        case Options::ColumnsKind::Width: grid.Columns = options.Width / grid.W; break;
    }
    grid.Columns = std::max<int64_t>(grid.Columns, 1);
    grid.Rows = n / grid.Columns + 1;  // one more than filled when n is a multiple of the columns
    return grid;
}

// Places the members in the grid's cells: the left edge of the grid at x, its top edge R rows above
// y. Every moved rectangle must lie in the coordinate range, not only the reference point.
void PlaceGroup(TComponentsList& group, const Grid& grid, const std::vector<Rect>& rects, int32_t x, int32_t y) {
    std::vector<TPoint>& placed = group.Arranger->Placed;
    group.StartX = x;
    group.TopY = Fit(int64_t(y) + grid.Rows * grid.H);
    for (size_t k = 0; k < rects.size(); ++k) {
        const TGroupMember& member = group.Members[k];
        const auto [l, b, r, t] = rects[k];
        const int64_t column = int64_t(k) % grid.Columns, row = int64_t(k) / grid.Columns;
        const int64_t left = int64_t(group.StartX) + column * grid.W, top = int64_t(group.TopY) - row * grid.H;
        Fit(left + (int64_t(r) - l));
        Fit(top - (int64_t(t) - b));
        placed[member.Sequence] = {Fit(Fit(left) + (int64_t(member.X) - l)), Fit(Fit(top) + (int64_t(member.Y) - t))};
    }
}

}  // namespace

void TComponentArranger::ReadRects() {
    // Read once, as the host reports them before anything moves. A host that answers a failure,
    // or writes nothing (an editor without the entry point), fails the run: a rectangle it did not
    // report would move the component to a wrong place.
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
    Rects.resize(Collected.size());
    for (size_t k = 0; k < Collected.size(); ++k) {
        Rect& r = Rects[k];
        r = {kMax, kMax, kMin, kMin};  // inverted: what no host reports
        if (PcbApi_QueryObjectBoundingRectangle(Collected[k].Handle, &r[0], &r[1], &r[2], &r[3]) != 0 ||
            (r[0] == kMax && r[2] == kMin))
            throw Exception("The host gave no bounding rectangle for a component; no component was moved.");
        if (r[2] < r[0] || r[3] < r[1])
            throw Exception("The host reported an inverted bounding rectangle (left " + std::to_string(r[0]) +
                            ", bottom " + std::to_string(r[1]) + ", right " + std::to_string(r[2]) + ", top " +
                            std::to_string(r[3]) + "); no component was moved.");
    }
}

void LayoutGroup(TComponentsList& group, int32_t x, int32_t y) {
    const std::vector<Rect> rects = MemberRects(group);
    PlaceGroup(group, MeasureGroup(group, rects), rects, x, y);
}

bool TComponentArranger::PlaceGroups() {
    if (!PcbApi_ChooseLocation(Board->Handle, &StartX, &StartY, ShortString<255>(kStartPrompt))) return false;
    ReadRects();
    Placed.resize(Collected.size());
    if (Options.Groups == Options::GroupsKind::Stacked) {
        LayoutGroup(*Groups[0], StartX, StartY);
        for (size_t i = 1; i < Groups.size(); ++i)
            LayoutGroup(*Groups[i], Groups[i - 1]->StartX, Groups[i - 1]->TopY);
        return true;
    }
    // Shelves: blocks left to right from the start point; a block that would pass the row width
    // starts a new shelf at the start X, above the tallest block of the shelf before. The first
    // block of a shelf is always placed there.
    const int64_t rowWidth = Options.Width ? int64_t(Options.Width) : int64_t(kXLimit) - StartX;
    int64_t x = StartX, shelfY = StartY, shelfHeight = 0;
    bool shelfEmpty = true;
    for (auto& group : Groups) {
        const std::vector<Rect> rects = MemberRects(*group);
        const Grid grid = MeasureGroup(*group, rects);
        const int64_t blockWidth = std::min<int64_t>(grid.Columns, int64_t(rects.size())) * grid.W;
        if (!shelfEmpty && x - StartX + blockWidth > rowWidth) {
            shelfY += shelfHeight;
            x = StartX;
            shelfHeight = 0;
        }
        PlaceGroup(*group, grid, rects, Fit(x), Fit(shelfY));
        x += blockWidth;
        shelfHeight = std::max(shelfHeight, grid.Rows * grid.H);
        shelfEmpty = false;
    }
    return true;
}

void TComponentArranger::StoreGroups() {
    // The members go back in the order they were collected, which is the host's own order: every
    // commit is made whatever the others' outcome, so the board ends the same as in group order.
    // Each record goes back as fetched, at its new location.
    MemberRecords::Reader records(Records);
    for (size_t k = 0; k < Collected.size(); ++k) {
        TPcbComponent& component = records.Next();
        component.Common.X = Placed[k][0];
        component.Common.Y = Placed[k][1];
        component.Transfer(Direction::Commit);
    }
}

void TComponentArranger::RefreshBoard() {
    constexpr int32_t kSize = 256;
    struct Buffer {
        char* text = AllocParameterBuffer(kSize);
        ~Buffer() { FreeParameterBuffer(text, kSize); }
    } buffer;
    const struct {
        const char* process;
        const char* name;
        const char* value;
    } steps[] = {{"PCB:Zoom", "Action", "Redraw"}, {"PCB:NetList", "Optimize", "all"}, {"PCB:Zoom", "Action", "All"}};
    for (const auto& step : steps) {
        buffer.text[0] = '\0';
        AddStringParameter(buffer.text, kSize, step.name, step.value);
        RunProcess(step.process, buffer.text, kSize, Context.Get());
    }
}

}  // namespace plz
