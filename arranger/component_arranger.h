// The arranger of one "Plazen" run: it mirrors the current board, collects the components into
// footprint groups, puts groups and members in order, lays each group out as a grid, writes the
// moved components back and asks the host to refresh the board.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "RTL/pcb_board.h"
#include "RTL/pcb_component.h"
#include "arranger/arrange_options.h"
#include "platform/com_ptr.h"
#include "platform/short_string.h"

namespace plz {

class TComponentArranger;

// One footprint group: the component mirrors that share the key, owned, in order.
class TComponentsList {
public:
    TComponentsList(const ShortString<255>& key, TComponentArranger* arranger);

    ShortString<255> Key;
    int32_t StartX = 0;  // left edge of the group's grid, once laid out
    int32_t TopY = 0;    // top edge of the group's grid, once laid out
    TComponentArranger* Arranger;  // not owned

    std::vector<std::unique_ptr<TPcbComponent>> Members;
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
    void SortGroups();
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
    // collection order. The keys are views of the groups' own Key.
    std::unordered_map<std::string_view, TComponentsList*> GroupIndex;

private:
    bool boardStored_ = false;
};

// The arranger of the run in progress; the board iteration's callback reaches it through this.
extern TComponentArranger* CurrentArranger;

// The iteration callback: mirrors one component and files it into its group.
void CollectComponent(uint32_t handle);
// Sorts one group's members on their designator texts, in the order the arranger's options ask
// for; equal texts keep their collection order.
void SortMembers(TComponentsList& group);

// Lays one group out with the left edge of its grid at x and the lower edge of its rows at y.
void LayoutGroup(TComponentsList& group, int32_t x, int32_t y);

inline constexpr const char* kStartPrompt = "Choose Starting location for arranging components";

}  // namespace plz
