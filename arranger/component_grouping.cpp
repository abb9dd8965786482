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
    Index.Clear();
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
    Index.Clear();
    Collected.clear();
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
    TComponentsList* group = arranger.Index.Find(key.View());
    if (!group) {
        arranger.Groups.push_back(std::make_unique<TComponentsList>(ShortString<255>(key.View()), &arranger));
        group = arranger.Groups.back().get();
        arranger.Index.Add(group);
    }
    group->Members.push_back({component.Common.X, component.Common.Y, uint32_t(arranger.Collected.size())});
    arranger.Collected.push_back({handle, component.Own.NameHandle});
    arranger.Records.Keep(component);
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

namespace {

// A text's first eight bytes as one number, zeros after its end: most designators differ there, and
// then one comparison of numbers puts them in short-string order.
uint64_t HeadOf(std::string_view text) {
    uint64_t head = 0;
    for (size_t i = 0; i < 8; ++i) head = head << 8 | (i < text.size() ? uint8_t(text[i]) : 0u);
    return head;
}

}  // namespace

void TComponentArranger::ReadDesignators() {
    // Each member of a group of two or more has its designator text fetched once, with the same
    // text mirror fetch as the comparison of an exchange sort would make: n reads for a group of n
    // instead of the exchange sort's n(n - 1). The reads go in the order of collection, the host's
    // own, so that it finds its texts one after the other. A text the host does not give reads as
    // empty.
    std::vector<bool> sorted(Collected.size());
    for (auto& group : Groups)
        if (group->Members.size() >= 2)
            for (const TGroupMember& member : group->Members) sorted[member.Sequence] = true;
    Designators.clear();
    Texts.assign(Collected.size(), TTextSpan{});
    TPcbText text(0);
    for (size_t k = 0; k < Collected.size(); ++k) {
        if (!sorted[k]) continue;
        text.SetHandle(Collected[k].NameHandle);
        text.Own.Text.Length = 0;  // what a host that gives no text leaves
        text.Transfer(Direction::Fetch);
        Texts[k] = {HeadOf(text.Own.Text.View()), uint32_t(Designators.size()), uint32_t(text.Own.Text.Size())};
        Designators.append(text.Own.Text.View());
    }
}

namespace {

// A member's designator text, with its head for short-string order.
struct SortKey {
    uint64_t Head = 0;
    std::string_view Text;
    uint32_t Member = 0;
};

// Short-string order: unsigned bytes, a prefix before the longer text; equal texts in collection
// order, which makes the order total, so that an unstable sort gives the stable sort's result.
bool ShortStringBefore(const SortKey& a, const SortKey& b) {
    if (a.Head != b.Head) return a.Head < b.Head;
    const size_t n = std::min(a.Text.size(), b.Text.size());
    if (const int c = n > 8 ? std::memcmp(a.Text.data() + 8, b.Text.data() + 8, n - 8) : 0; c != 0) return c < 0;
    if (a.Text.size() != b.Text.size()) return a.Text.size() < b.Text.size();
    return a.Member < b.Member;
}

}  // namespace

void SortMembers(TComponentsList& group) {
    const size_t n = group.Members.size();
    if (n < 2) return;
    // The members are sorted on their texts with ties in collection order: the order of the
    // exchange sort, which swaps only strictly greater neighbours.
    const std::string& texts = group.Arranger->Designators;
    const std::vector<TTextSpan>& spans = group.Arranger->Texts;
    std::vector<SortKey> keys(n);
    for (size_t i = 0; i < n; ++i) {
        const TTextSpan& span = spans[group.Members[i].Sequence];
        keys[i].Text = std::string_view(texts).substr(span.At, span.Size);
        keys[i].Head = span.Head;
        keys[i].Member = uint32_t(i);
    }
    if (group.Arranger->Options.Order == ArrangeOptions::OrderKind::Natural)
        std::stable_sort(keys.begin(), keys.end(),
                         [](const SortKey& a, const SortKey& b) { return CompareNatural(a.Text, b.Text) < 0; });
    else
        std::sort(keys.begin(), keys.end(), ShortStringBefore);
    std::vector<TGroupMember> sorted(n);
    for (size_t i = 0; i < n; ++i) sorted[i] = group.Members[keys[i].Member];
    group.Members = std::move(sorted);
}

}  // namespace plz
