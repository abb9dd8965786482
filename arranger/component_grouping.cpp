// The arranger's life cycle, collection of the components into footprint groups, and the two
// sorts that put groups and members in order.
#include "arranger/component_arranger.h"

#include <algorithm>
#include <cstring>
#include <string_view>
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
    Groups.clear();
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
    ReadDesignators();
    SortGroups();
    for (auto& group : Groups) SortMembers(*group);
}

void CollectComponent(uint32_t handle) {
    // One mirror, cleared for each component, is fetched, and kept only in compact form.
    TComponentArranger& arranger = *CurrentArranger;
    TPcbComponent& component = arranger.Fetched;
    MemberRecords::Clear(component, handle);
    component.Transfer(Direction::Fetch);
    if (component.HostByte() == 0) return;
    if (arranger.SelectedOnly && !component.Selected()) return;
    const ShortString<250>& key = component.Own.FootprintKey;
    auto& index = arranger.GroupIndex;
    TComponentsList* group;
    if (const auto found = index.find(key.View()); found != index.end()) {
        group = found->second;
    } else {
        arranger.Groups.push_back(std::make_unique<TComponentsList>(ShortString<255>(key.View()), &arranger));
        group = arranger.Groups.back().get();
        index.emplace(group->Key.View(), group);
    }
    group->Members.push_back({handle, component.Own.NameHandle, component.Common.X, component.Common.Y,
                              arranger.MemberCount, arranger.Records.Keep(component)});
    ++arranger.MemberCount;
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

void TComponentArranger::ReadDesignators() {
    // Each member of a group of two or more has its designator text fetched once, with the same
    // text mirror fetch as the comparison of an exchange sort would make: n reads for a group of n
    // instead of the exchange sort's n(n - 1). The reads go in the order of collection, the host's
    // own, so that it finds its texts one after the other. A text the host does not give reads as
    // empty.
    std::vector<TGroupMember*> collected(MemberCount);
    for (auto& group : Groups)
        if (group->Members.size() >= 2)
            for (TGroupMember& member : group->Members) collected[member.Sequence] = &member;
    Designators.clear();
    TPcbText text(0);
    for (TGroupMember* member : collected) {
        if (!member) continue;
        text.SetHandle(member->NameHandle);
        text.Own.Text = ShortString<254>();
        text.Transfer(Direction::Fetch);
        member->TextAt = uint32_t(Designators.size());
        member->TextSize = uint32_t(text.Own.Text.Size());
        Designators.append(text.Own.Text.View());
    }
}

namespace {

// A member's designator text, and for short-string order its first eight bytes as one number
// (zeros after the end): most texts differ there, and then one comparison of numbers orders them.
struct SortKey {
    uint64_t Head = 0;
    std::string_view Text;
    uint32_t Member = 0;
};

uint64_t HeadOf(std::string_view text) {
    uint64_t head = 0;
    for (size_t i = 0; i < 8; ++i) head = head << 8 | (i < text.size() ? uint8_t(text[i]) : 0u);
    return head;
}

// Short-string order: unsigned bytes, a prefix before the longer text.
bool ShortStringBefore(const SortKey& a, const SortKey& b) {
    if (a.Head != b.Head) return a.Head < b.Head;
    const size_t n = std::min(a.Text.size(), b.Text.size());
    if (const int c = n ? std::memcmp(a.Text.data(), b.Text.data(), n) : 0; c != 0) return c < 0;
    return a.Text.size() < b.Text.size();
}

}  // namespace

void SortMembers(TComponentsList& group) {
    const size_t n = group.Members.size();
    if (n < 2) return;
    // The members are sorted stably on their texts: the same order as the exchange sort, ties in
    // collection order.
    const std::string& texts = group.Arranger->Designators;
    std::vector<SortKey> keys(n);
    for (size_t i = 0; i < n; ++i) {
        const TGroupMember& m = group.Members[i];
        keys[i].Text = std::string_view(texts).substr(m.TextAt, m.TextSize);
        keys[i].Head = HeadOf(keys[i].Text);
        keys[i].Member = uint32_t(i);
    }
    if (group.Arranger->Options.Order == ArrangeOptions::OrderKind::Natural)
        std::stable_sort(keys.begin(), keys.end(),
                         [](const SortKey& a, const SortKey& b) { return CompareNatural(a.Text, b.Text) < 0; });
    else
        std::stable_sort(keys.begin(), keys.end(), ShortStringBefore);
    std::vector<TGroupMember> sorted(n);
    for (size_t i = 0; i < n; ++i) sorted[i] = group.Members[keys[i].Member];
    group.Members = std::move(sorted);
}

}  // namespace plz
