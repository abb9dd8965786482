// Grid placement of the groups from the picked start point, the write-back of the moved
// components, and the host processes that refresh the board.
#include <cstdint>
#include <limits>

#include "RTL/pcb_api.h"
#include "arranger/component_arranger.h"
#include "client/client_api.h"
#include "client/paths.h"
#include "frame/errors.h"
#include "frame/parameters.h"

namespace plz {
namespace {

// The layout works in 64 bits and accepts only results that fit the host's 32-bit coordinates:
// wrapped values would throw components to wrong places. It fails before anything is written back.
int32_t Fit(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw Exception("The arrangement does not fit in the board's coordinate range; no component was moved.");
    return static_cast<int32_t>(value);
}

}  // namespace

bool TComponentArranger::PlaceGroups() {
    if (!PcbApi_ChooseLocation(Board->Handle, &StartX, &StartY, ShortString<255>(kStartPrompt))) return false;
    LayoutGroup(*Groups[0], StartX, StartY);
    for (size_t i = 1; i < Groups.size(); ++i) LayoutGroup(*Groups[i], Groups[i - 1]->StartX, Groups[i - 1]->TopY);
    return true;
}

void LayoutGroup(TComponentsList& group, int32_t x, int32_t y) {
    const int64_t n = int64_t(group.Members.size());
    int32_t left, bottom, right, top;
    group.Members[0]->GetBoundingRect(left, bottom, right, top);
    const int64_t w = Fit(int64_t(right) - left + kCellMargin);
    const int64_t h = Fit(int64_t(top) - bottom + kCellMargin);
    // The divisions truncate toward zero, as the host's integer arithmetic does. A start so far
    // right that the quotient is negative gets one column, as a quotient of 0 does.
    int64_t columns = Fit(int64_t(kXLimit) - group.Arranger->StartX) / w;
    if (columns < 1) columns = 1;
    const int64_t rows = n / columns + 1;  // one more than filled when n is a multiple of columns
    group.StartX = x;
    group.TopY = Fit(int64_t(y) + rows * h);
    for (int64_t k = 0; k < n; ++k) {
        TPcbComponent& member = *group.Members[size_t(k)];
        int32_t l, b, r, t;
        member.GetBoundingRect(l, b, r, t);
        const int64_t column = k % columns, row = k / columns;
        member.Common.X = Fit(int64_t(group.StartX) + column * w + (int64_t(member.Common.X) - l));
        member.Common.Y = Fit(int64_t(group.TopY) - row * h + (int64_t(member.Common.Y) - t));
    }
}

void TComponentArranger::StoreGroups() {
    for (auto& group : Groups)
        for (auto& member : group->Members) member->Transfer(Direction::Commit);
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
