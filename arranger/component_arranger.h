// The arranger of one "Plazen" run: it mirrors the current board, collects the components into
// footprint groups, puts groups and members in order, lays each group out as a grid, writes the
// moved components back and asks the host to refresh the board.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "RTL/pcb_board.h"
#include "RTL/pcb_component.h"
#include "arranger/arrange_options.h"
#include "arranger/group_index.h"
#include "arranger/member_records.h"
#include "platform/com_ptr.h"
#include "platform/short_string.h"

namespace plz {

class TComponentArranger;

// A member of a group: its location as fetched and its place in the collection, which indexes what
// the arranger keeps of it in collection order.
struct TGroupMember {
    int32_t X = 0;
    int32_t Y = 0;
    uint32_t Sequence = 0;  // its place in the collection, from 0
};

// The handles of a collected component; its record as fetched is in the arranger's Records, kept
// compactly until the run commits it.
struct TCollected {
    uint32_t Handle = 0;
    uint32_t NameHandle = 0;
};

// Where a member's designator text lies in the arranger's Designators, and its first eight bytes.
struct TTextSpan {
    uint64_t Head = 0;
    uint32_t At = 0;
    uint32_t Size = 0;
};

using TRect = std::array<int32_t, 4>;  // left, bottom, right, top
using TPoint = std::array<int32_t, 2>;

// One footprint group: the components that share the key, in order.
class TComponentsList {
public:
    TComponentsList(const ShortString<255>& key, TComponentArranger* arranger);

    ShortString<255> Key;
    int32_t StartX = 0;  // left edge of the group's grid, once laid out
    int32_t TopY = 0;    // top edge of the group's grid, once laid out
    TComponentArranger* Arranger;  // not owned

    std::vector<TGroupMember> Members;
};

class TComponentArranger {
public:
    // Keeps a counted reference to the context, mirrors the board and fetches it.
    TComponentArranger(uint32_t boardHandle, IUnknown* context);
    // Stores the board back unless StoreBoard did, frees it and the groups, releases the context.
    ~TComponentArranger();
    TComponentArranger(const TComponentArranger&) = delete;
    TComponentArranger& operator=(const TComponentArranger&) = delete;

    void Arrange();
    // The end of a run: the board's values go back to the host. A failure here is the run's.
    void StoreBoard();
    void CollectComponents();
    // Reads the designator text of every member that has to be sorted, in the order of collection.
    void ReadDesignators();
    void SortGroups();
    // Asks the host for every member's rectangle, in collection order; fails on one it does not
    // give or that is inverted.
    void ReadRects();
    bool PlaceGroups();
    void StoreGroups();
    void RefreshBoard();

    std::vector<std::unique_ptr<TComponentsList>> Groups;
    std::unique_ptr<TPcbBoard> Board;
    int32_t StartX = 0;
    int32_t StartY = 0;
    bool SelectedOnly = false;
    ComPtr<IUnknown> Context;
    ArrangeOptions Options;
    // The groups by key, for collection: a group is found in constant time, and Groups keeps the
    // collection order.
    GroupIndex<TComponentsList> Index;
    // Every member by its place in the collection: the host is asked for texts and rectangles and
    // given the moved components in this order, its own, so that it finds its objects one after
    // the other; and tables by this index stay small where the groups' order visits them.
    std::vector<TCollected> Collected;
    std::vector<TTextSpan> Texts;  // of the members of groups of two or more, once read
    std::vector<TRect> Rects;    // each member's rectangle as the host reported it, once placed
    std::vector<TPoint> Placed;  // each member's new location
    // The members' fetched records, in the order of collection, which is that of the write-back.
    MemberRecords Records;
    // The mirror that collection fetches each component into.
    TPcbComponent Fetched{0};
    // The members' designator texts, one after the other.
    std::string Designators;

private:
    bool boardStored_ = false;
};

// The arranger of the run in progress; the board iteration's callback reaches it through this.
extern TComponentArranger* CurrentArranger;

// The iteration callback: mirrors one component and files it into its group.
void CollectComponent(uint32_t handle);
// Sorts one group's members on their designator texts (read by ReadDesignators), in the order the
// arranger's options ask for; equal texts keep their collection order.
void SortMembers(TComponentsList& group);

// Lays one group out with the left edge of its grid at x and the lower edge of its rows at y.
void LayoutGroup(TComponentsList& group, int32_t x, int32_t y);

inline constexpr const char* kStartPrompt = "Choose Starting location for arranging components";

}  // namespace plz
