// The simulated PCB editor's in-memory board: components with their designator texts, objects of
// every other kind, the layer stack, drill pairs and every option group, held in flat vectors
// addressed by handle. Shared by the module's entry points and its controls.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "RTL/pcb_api_calls.h"
#include "RTL/pcb_wire.h"

namespace plz::trelpa {

struct ComponentSpec;
struct Object;  // every other kind of object (objects.h)

// The plug-in's transfer directions as the entry points receive them.
inline constexpr uint8_t kStore = WireDirection(Direction::Store);
inline constexpr uint8_t kFetch = WireDirection(Direction::Fetch);
inline constexpr uint8_t kCommit = WireDirection(Direction::Commit);

// Result of a query whose handle, board or index the editor does not know.
inline constexpr uint32_t kUnknown = 1;

// Handles: the object kind (or a tag of the editor's own) in the top byte, index + 1 below it.
inline constexpr uint8_t kBoardTag = 0x40;
inline constexpr uint8_t kIteratorTag = 0x41;
inline constexpr uint32_t kIndexMask = 0x00FFFFFF;
constexpr uint32_t MakeHandle(uint8_t tag, uint32_t index) { return (uint32_t(tag) << 24) | (index + 1); }
constexpr uint8_t HandleTag(uint32_t handle) { return uint8_t(handle >> 24); }
// Index of a handle's object; -1 (as an unsigned value, past every size) for index 0.
constexpr uint32_t HandleIndex(uint32_t handle) { return (handle & kIndexMask) - 1; }

// The signature of each called entry point without its calling convention: sig::PcbApi_<Name>.
namespace sig {
#define PLZ_TRELPA_SIG(name, result, missing, form, params, args) using name = result params;
PLZ_PCB_API_CALLS(PLZ_TRELPA_SIG)
#undef PLZ_TRELPA_SIG
}  // namespace sig

// The values behind an entry point's pointer arguments from position Skip on, as one record:
// RecordOf<sig::PcbApi_QueryBoardGerberOptions, 2> holds the nineteen Gerber options.
namespace detail {
template <std::size_t Skip, class Args, std::size_t... I>
auto Tail(std::index_sequence<I...>)
    -> std::tuple<std::remove_pointer_t<std::tuple_element_t<Skip + I, Args>>...>;
template <std::size_t Skip, class Sig>
struct RecordOf;
template <std::size_t Skip, class R, class... A>
struct RecordOf<Skip, R(A...)> {
    using Type = decltype(Tail<Skip, std::tuple<A...>>(std::make_index_sequence<sizeof...(A) - Skip>{}));
};
}  // namespace detail
template <class Sig, std::size_t Skip>
using RecordOf = typename detail::RecordOf<Skip, Sig>::Type;

// True when a coordinate moved by d stays a 32-bit coordinate.
constexpr bool Fits(int32_t coordinate, int64_t d) {
    const int64_t v = coordinate + d;
    return v >= INT32_MIN && v <= INT32_MAX;
}

struct Rect {
    int32_t left = 0, bottom = 0, right = 0, top = 0;
    bool CanMove(int64_t dx, int64_t dy) const {
        return Fits(left, dx) && Fits(right, dx) && Fits(bottom, dy) && Fits(top, dy);
    }
    void Move(int64_t dx, int64_t dy) {
        left = int32_t(left + dx), right = int32_t(right + dx);
        bottom = int32_t(bottom + dy), top = int32_t(top + dy);
    }
};

struct Text {
    uint16_t flags = 0;
    uint16_t hostWord = 0;
    uint32_t layerId = 0;
    int32_t hostInt1 = 0;
    uint8_t hostByte = 0;
    int32_t hostInt2 = 0;
    int32_t x = 0, y = 0;
    int32_t size = 0;
    int32_t intValue11 = 0;
    double rotation = 0;
    uint8_t byteValue6 = 0;
    std::string text;
    int32_t width = 0;
    int32_t intValue2 = 0, intValue3 = 0;
    uint8_t bitField2 = 0;
    uint16_t bitField3 = 0;
    uint8_t trueTypeByte1 = 0;
    std::string fontName;
    uint8_t trueTypeByte2 = 0, trueTypeByte3 = 0, trueTypeByte4 = 0;
    int32_t trueTypeInt1 = 0;
    std::array<uint8_t, 4> barCode{};
    Rect box;
};

// The component's source links and default 3D model: nine strings that only a store changes, kept
// apart so that a board of many components holds them once.
using ComponentLinks = std::array<std::string, 9>;

struct Component {
    uint16_t flags = 0;
    uint16_t hostWord = 0;
    uint8_t layer = 0;  // legacy layer number
    uint8_t hostByte = 0;
    uint32_t nameHandle = 0;
    uint32_t componentInt1 = 0;
    std::string footprint;
    uint8_t componentByte1 = 0, componentByte2 = 0;
    int32_t x = 0, y = 0;
    int32_t componentInt2 = 0;
    double rotation = 0;
    uint8_t componentByte3 = 0;
    uint8_t bitField2 = 0;
    uint16_t bitField3 = 0;
    int32_t hostInt1 = 0, hostInt2 = 0;
    int32_t channelOffset = 0;
    uint32_t componentKind = 0;
    int32_t exInt1 = 0;
    uint8_t exByte1 = 0, exByte2 = 0;
    int32_t exInt2 = 0;
    uint32_t links = 0;  // index + 1 into Editor::links, 0: the default links
    Rect box;
};

struct Layer {
    ShortString<255> name;
    int32_t copperThickness = 0;
    uint8_t hostLayerByte1 = 0, hostLayerByte2 = 0;
    uint8_t previousLayer = 0, nextLayer = 0;
    uint16_t hostLayerWord = 0;
    ShortString<255> netName;
    ShortString<255> material;
    uint8_t dielectricType = 0;
    double dielectricConstant = 0;
    int32_t dielectricHeight = 0;
};

struct LayerPair {
    uint32_t firstLayerId = 0, secondLayerId = 0;
    uint8_t hostPairByte2 = 0, hostPairByte1 = 0;  // in wire order
};

struct Board {
    uint32_t handle = 0;
    RecordOf<sig::PcbApi_QueryBoard, 2> record;
    std::array<RecordOf<sig::PcbApi_QueryBoardLayerInfo, 3>, kLastLegacyLayer + 1> layerInfo;
    uint8_t splitPlaneMode = 0;
    RecordOf<sig::PcbApi_QueryBoardGridsEx, 2> grids;
    RecordOf<sig::PcbApi_QueryBoardOutputOptions, 2> output;
    std::array<uint8_t, kPlotLayerCount + 1> plotLayers{}, flipLayers{};
    RecordOf<sig::PcbApi_QueryBoardGerberOptions, 2> gerber;
    RecordOf<sig::PcbApi_QueryBoardPrinterOptions, 2> printer;
    std::array<RecordOf<sig::PcbApi_QueryBoardPrinterOptionsPlotterPen, 3>, kPlotterPenCount + 1> pens;
    std::array<RecordOf<sig::PcbApi_QueryBoardPrinterOptionsCompositeLayer, 3>, kLastLegacyLayer + 1> composite;
    RecordOf<sig::PcbApi_QueryBoardAdvancedPlacerOptions, 2> placer;
    RecordOf<sig::PcbApi_QueryBoardEngineeringChangeOrderOptions, 2> eco;
    RecordOf<sig::PcbApi_QueryBoardExternalDielectrics, 2> outerDielectrics;
    std::array<Layer, kLastLegacyLayer + 1> layers;  // 1 to 82
    std::vector<LayerPair> pairs;
};

struct Iterator {
    bool open = false;
    uint8_t kind = 0;
    uint32_t layerId = 0;
    uint32_t next = 0;  // index of the next object to look at
    uint32_t hint = 0;  // where in its layer's component list the next one probably is
};

// What the controls set and what the entry points record about their callers.
struct Watch {
    std::array<uint32_t, kPcbApiSlotCount> counts{};
    std::array<bool, kPcbApiSlotCount> failing{};
    std::array<uint32_t, kPcbApiSlotCount> failResult{};
    uint64_t calls = 0;   // of every entry point, since the last Reset or ClearCallCounts
    uint64_t failAt = 0;  // the number of the call that fails (0: none) ...
    uint32_t failAtResult = 0;  // ... and what it returns
    bool logging = false;
    std::string log;
    std::string lastPrompt;
};

struct Editor {
    Board board;
    std::vector<Component> components;  // file order
    std::vector<Text> texts;
    std::vector<Object> objects;  // of every other kind, in the order they were added
    std::vector<ComponentLinks> links;
    std::vector<Iterator> iterators;
    std::vector<uint32_t> freeIterators;
    // The indexes of each layer's components in file order, so that an iteration over one layer
    // visits only that layer's components. Stale once a component changes its layer; an iteration
    // then looks at every component until the next one starts and rebuilds the lists.
    std::array<std::vector<uint32_t>, kLastLegacyLayer + 1> componentsByLayer;
    bool componentLayersStale = false;
    uint32_t editorWindow = 0;
    uint32_t currentBoard = 0;
    bool pick = true;
    int32_t pickX = 0, pickY = 0;
    Watch watch;

    void Reset();
    Board* FindBoard(uint32_t handle) { return handle == board.handle ? &board : nullptr; }
    Component* FindComponent(uint32_t handle) {
        const uint32_t i = HandleIndex(handle);
        return HandleTag(handle) == kComponentObject && i < components.size() ? &components[i] : nullptr;
    }
    Text* FindText(uint32_t handle) {
        const uint32_t i = HandleIndex(handle);
        return HandleTag(handle) == kTextObject && i < texts.size() ? &texts[i] : nullptr;
    }
    // The object of the handle's kind, null for a handle of no such object.
    Object* FindObject(uint32_t handle);
    Iterator* FindIterator(uint32_t handle) {
        const uint32_t i = HandleIndex(handle);
        return HandleTag(handle) == kIteratorTag && i < iterators.size() && iterators[i].open ? &iterators[i]
                                                                                                : nullptr;
    }
    // The object's rectangle, null for a handle of no object.
    Rect* FindBox(uint32_t handle);
    const ComponentLinks& LinksOf(const Component& c) const;
    // Moves a component's reference point to (x, y), its rectangle and its designator text
    // along. False, with nothing moved, when any of them would leave the coordinate range.
    bool MoveComponent(Component& c, int32_t x, int32_t y);
    // Notes a component's layer change for the lists by layer.
    void LayerChanged(uint8_t before, const Component& c) { componentLayersStale |= c.layer != before; }
    void IndexComponentLayers();
    uint32_t AddComponent(const ComponentSpec& part);
    std::string Dump() const;
};

// The module's one editor, reset to a fresh board when first used.
Editor& TheEditor();

// The exported names by slot, for counters, failures and the log.
inline constexpr const char* kEntryNames[] = {
#define PLZ_TRELPA_NAME(name) #name,
    PLZ_PCB_API_NAMES(PLZ_TRELPA_NAME)
#undef PLZ_TRELPA_NAME
};
static_assert(std::size(kEntryNames) == kPcbApiSlotCount);

// Exchanges one value with the caller's storage: Fetch writes it there, Store and Commit take it.
// The storage types mirror the wire types exactly, and addresses need not be aligned.
template <class T>
void Move(bool fetch, T& field, T* address) {
    if (!address) return;
    if (fetch)
        std::memcpy(static_cast<void*>(address), &field, sizeof(T));
    else
        std::memcpy(static_cast<void*>(&field), address, sizeof(T));
}
// A short string taken from the caller holds at most N characters, whatever its length byte says.
template <std::size_t N>
void Move(bool fetch, ShortString<N>& field, ShortString<N>* address) {
    if (!address) return;
    if (fetch) {
        *address = field;
    } else {
        field = *address;
        field.Length = uint8_t(field.Size());
    }
}
template <std::size_t N>
void Move(bool fetch, std::string& field, ShortString<N>* address) {
    if (!address) return;
    if (fetch)
        address->Assign(field);
    else
        field.assign(address->View());
}

// Exchanges a record field by field with the caller's addresses, in order.
template <class... F, class... P>
void Exchange(uint8_t direction, std::tuple<F&...> fields, P*... addresses) {
    static_assert(sizeof...(F) == sizeof...(P), "one address per field");
    const bool fetch = direction == kFetch;
    [&]<std::size_t... I>(std::index_sequence<I...>) {
        (Move(fetch, std::get<I>(fields), addresses), ...);
    }(std::index_sequence_for<F...>{});
}
template <class... F, class... P>
void Exchange(uint8_t direction, std::tuple<F...>& record, P*... addresses) {
    Exchange(direction, std::apply([](auto&... f) { return std::tie(f...); }, record), addresses...);
}

}  // namespace plz::trelpa
