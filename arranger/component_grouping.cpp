// The arranger's life cycle, collection of the components into footprint groups, and the two
// bubble sorts that put groups and members in order.
#include "arranger/component_arranger.h"

#include <utility>

#include "RTL/pcb_text.h"

namespace plz {

TComponentArranger* CurrentArranger = nullptr;

TComponentsList::TComponentsList(const ShortString<255>& key, TComponentArranger* arranger)
    : Key(key), Arranger(arranger) {}

TComponentArranger::TComponentArranger(uint32_t boardHandle, IUnknown* context)
    : Board(std::make_unique<TPcbBoard>(boardHandle)), Context(context) {
    Board->Transfer(Direction::Fetch);
}

TComponentArranger::~TComponentArranger() {
    // Reached without StoreBoard only when the run already failed: the board still goes back, and
    // the run's own error stays the one reported.
    if (!boardStored_) {
        try {
            Board->Transfer(Direction::Store);
        } catch (...) {
        }
    }
    Board.reset();
    Groups.clear();  // each group frees its members in order
    Context.Reset();
}

void TComponentArranger::StoreBoard() {
    boardStored_ = true;
    Board->Transfer(Direction::Store);
}

void TComponentArranger::Arrange() {
    CollectComponents();
    if (Groups.empty()) return;
    if (PlaceGroups()) StoreGroups();
    RefreshBoard();
}

void TComponentArranger::CollectComponents() {
    LayerSet layers;
    for (int layer = kTopLayer; layer <= kLastComponentLayer; ++layer) layers.Include(uint8_t(layer));
    Board->Iterate(&CollectComponent, ObjectSetOf(kComponentObject), layers, 0);
    SortGroups();
    for (auto& group : Groups) SortMembers(*group);
}

void CollectComponent(uint32_t handle) {
    auto component = std::make_unique<TPcbComponent>(handle);
    component->Transfer(Direction::Fetch);
    if (component->HostByte() == 0) return;
    if (CurrentArranger->SelectedOnly && !component->Selected()) return;
    const ShortString<250>& key = component->Own.FootprintKey;
    for (auto& group : CurrentArranger->Groups) {
        if (group->Key == key) {
            group->Members.push_back(std::move(component));
            return;
        }
    }
    auto group = std::make_unique<TComponentsList>(ShortString<255>(key.View()), CurrentArranger);
    group->Members.push_back(std::move(component));
    CurrentArranger->Groups.push_back(std::move(group));
}

namespace {
// n - 1 passes over the pairs (j, j + 1), exchanging only strictly greater firsts; no early exit.
template <typename List, typename Greater>
void BubbleSort(List& list, Greater greater) {
    const size_t n = list.size();
    if (n < 2) return;
    for (size_t pass = 0; pass + 1 < n; ++pass)
        for (size_t j = 0; j + pass + 1 < n; ++j)
            if (greater(list[j], list[j + 1])) std::swap(list[j], list[j + 1]);
}
}  // namespace

void TComponentArranger::SortGroups() {
    BubbleSort(Groups, [](const auto& a, const auto& b) { return CompareShortStrings(a->Key, b->Key) > 0; });
}

void SortMembers(TComponentsList& group) {
    TPcbText first(0), second(0);
    BubbleSort(group.Members, [&](const auto& a, const auto& b) {
        first.SetHandle(a->Own.NameHandle);
        first.Transfer(Direction::Fetch);
        second.SetHandle(b->Own.NameHandle);
        second.Transfer(Direction::Fetch);
        return CompareShortStrings(first.Own.Text, second.Own.Text) > 0;
    });
}

}  // namespace plz
