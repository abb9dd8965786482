// The arranger's life cycle, collection of the components into footprint groups, and the two
// sorts that put groups and members in order.
#include "arranger/component_arranger.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "RTL/pcb_text.h"
#include "arranger/natural_order.h"

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
    GroupIndex.clear();
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
    GroupIndex.clear();
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
    auto& index = CurrentArranger->GroupIndex;
    if (const auto found = index.find(key.View()); found != index.end()) {
        found->second->Members.push_back(std::move(component));
        return;
    }
    auto group = std::make_unique<TComponentsList>(ShortString<255>(key.View()), CurrentArranger);
    group->Members.push_back(std::move(component));
    index.emplace(group->Key.View(), group.get());
    CurrentArranger->Groups.push_back(std::move(group));
}

namespace {

// The order of two texts as the options ask: short-string order, or natural order.
template <size_t A, size_t B>
bool Before(ArrangeOptions::OrderKind order, const ShortString<A>& a, const ShortString<B>& b) {
    return order == ArrangeOptions::OrderKind::Natural ? CompareNatural(a.View(), b.View()) < 0
                                                       : CompareShortStrings(a, b) < 0;
}

}  // namespace

// A stable sort gives what an exchange sort that swaps only strictly greater neighbours gives.
void TComponentArranger::SortGroups() {
    std::stable_sort(Groups.begin(), Groups.end(),
                     [order = Options.Order](const auto& a, const auto& b) { return Before(order, a->Key, b->Key); });
}

void SortMembers(TComponentsList& group) {
    const size_t n = group.Members.size();
    if (n < 2) return;
    // Each designator text is fetched once, with the same text mirror fetch as the comparison of
    // an exchange sort would make, and the members are then sorted stably on those texts: the same
    // order as the exchange sort, ties in collection order, with n reads instead of its n(n - 1).
    // A text the host does not give reads as empty.
    std::vector<ShortString<254>> texts(n);
    TPcbText text(0);
    for (size_t i = 0; i < n; ++i) {
        text.SetHandle(group.Members[i]->Own.NameHandle);
        text.Own.Text = ShortString<254>();
        text.Transfer(Direction::Fetch);
        texts[i] = text.Own.Text;
    }
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t{0});
    const auto kind = group.Arranger->Options.Order;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return Before(kind, texts[a], texts[b]); });
    std::vector<std::unique_ptr<TPcbComponent>> sorted(n);
    for (size_t i = 0; i < n; ++i) sorted[i] = std::move(group.Members[order[i]]);
    group.Members = std::move(sorted);
}

}  // namespace plz
