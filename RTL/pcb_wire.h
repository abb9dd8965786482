// The PCB editor's wire vocabulary: transfer directions, object kinds, legacy layer numbers with
// their names, layer sets and the sizes of the board's option tables. Plain declarations, shared
// by the plug-in and the simulated editor.
#pragma once

#include <cstdint>
#include <string_view>

namespace plz {

// Passed first to every object exchange with the host. Fetch reads; Store and Commit write.
enum class Direction : uint8_t { Store = 0, Fetch = 1, Commit = 2 };
constexpr uint8_t WireDirection(Direction d) { return static_cast<uint8_t>(d); }

// Object kinds as the host numbers them.
inline constexpr uint8_t kNoObject = 0;
inline constexpr uint8_t kArcObject = 1;
inline constexpr uint8_t kPadObject = 2;
inline constexpr uint8_t kViaObject = 3;
inline constexpr uint8_t kTrackObject = 4;
inline constexpr uint8_t kTextObject = 5;
inline constexpr uint8_t kFillObject = 6;
inline constexpr uint8_t kFromToObject = 7;
inline constexpr uint8_t kNetObject = 8;
inline constexpr uint8_t kComponentObject = 9;
inline constexpr uint8_t kPolygonObject = 10;
inline constexpr uint8_t kRegionObject = 11;
inline constexpr uint8_t kComponentBodyObject = 12;
inline constexpr uint8_t kDimensionObject = 13;
inline constexpr uint8_t kCoordinateObject = 14;
inline constexpr uint8_t kClassObject = 15;
inline constexpr uint8_t kRuleObject = 16;
inline constexpr uint8_t kManualFromToObject = 17;
inline constexpr uint8_t kDifferentialPairObject = 18;
inline constexpr uint8_t kViolationObject = 19;
inline constexpr uint8_t kEmbeddedObject = 20;
inline constexpr uint8_t kEmbeddedBoardObject = 21;
inline constexpr uint8_t kSplitPlaneObject = 22;
inline constexpr uint8_t kBoardOutlineObject = 26;
// The kinds a board iteration visits: 0 to this one.
inline constexpr uint8_t kLastIteratedObjectKind = 25;

// A set of object kinds: bit k stands for kind k.
using ObjectSet = uint32_t;
constexpr ObjectSet ObjectSetOf(uint8_t kind) { return ObjectSet{1} << kind; }

// A legacy layer number is 8-bit, 0 ("NoLayer") to 82 ("ViaHoleLayer"); a layer identifier is
// 32-bit and equals the legacy number for 0 to 82.
using LayerId = uint32_t;

inline constexpr uint8_t kNoLayer = 0;
inline constexpr uint8_t kTopLayer = 1;
inline constexpr uint8_t kBottomLayer = 32;
inline constexpr uint8_t kFirstInternalPlane = 39;
inline constexpr uint8_t kLastInternalPlane = 54;
inline constexpr uint8_t kFirstMechanicalLayer = 57;
inline constexpr uint8_t kLastMechanicalLayer = 72;
inline constexpr uint8_t kLastLegacyLayer = 82;
inline constexpr int kLegacyLayerCount = 83;
// The last layer the editor's iterators visit for components, "ConnectLayer".
inline constexpr uint8_t kLastComponentLayer = 75;

// The names of the legacy layer numbers, indexed by number; none is longer than 20 characters.
inline constexpr std::string_view kLayerNames[kLegacyLayerCount] = {
    "NoLayer", "TopLayer", "MidLayer1", "MidLayer2", "MidLayer3", "MidLayer4", "MidLayer5", "MidLayer6",
    "MidLayer7", "MidLayer8", "MidLayer9", "MidLayer10", "MidLayer11", "MidLayer12", "MidLayer13",
    "MidLayer14", "MidLayer15", "MidLayer16", "MidLayer17", "MidLayer18", "MidLayer19", "MidLayer20",
    "MidLayer21", "MidLayer22", "MidLayer23", "MidLayer24", "MidLayer25", "MidLayer26", "MidLayer27",
    "MidLayer28", "MidLayer29", "MidLayer30", "BottomLayer", "TopOverlay", "BottomOverlay", "TopPaste",
    "BottomPaste", "TopSolder", "BottomSolder", "InternalPlane1", "InternalPlane2", "InternalPlane3",
    "InternalPlane4", "InternalPlane5", "InternalPlane6", "InternalPlane7", "InternalPlane8",
    "InternalPlane9", "InternalPlane10", "InternalPlane11", "InternalPlane12", "InternalPlane13",
    "InternalPlane14", "InternalPlane15", "InternalPlane16", "DrillGuide", "KeepOutLayer",
    "Mechanical1", "Mechanical2", "Mechanical3", "Mechanical4", "Mechanical5", "Mechanical6",
    "Mechanical7", "Mechanical8", "Mechanical9", "Mechanical10", "Mechanical11", "Mechanical12",
    "Mechanical13", "Mechanical14", "Mechanical15", "Mechanical16", "DrillDrawing", "MultiLayer",
    "ConnectLayer", "BackGroundLayer", "DRCErrorLayer", "HighlightLayer", "GridColor1", "GridColor10",
    "PadHoleLayer", "ViaHoleLayer",
};

// A set of legacy layer numbers 0 to 87, 11 bytes: bit n of byte n div 8 (least significant bit
// first) stands for number n.
#pragma pack(push, 1)
struct LayerSet {
    static constexpr int kSize = 88;
    uint8_t Bits[kSize / 8] = {};

    constexpr bool Contains(int layer) const {
        return layer >= 0 && layer < kSize && ((Bits[layer / 8] >> (layer % 8)) & 1);
    }
    constexpr void Include(uint8_t layer) {
        if (layer < kSize) Bits[layer / 8] = uint8_t(Bits[layer / 8] | (1u << (layer % 8)));
    }
};
#pragma pack(pop)
static_assert(sizeof(LayerSet) == 11);

// The signal layers TopLayer to BottomLayer and the internal planes.
inline constexpr LayerSet kElectricalLayers = [] {
    LayerSet set;
    for (int n = kTopLayer; n <= kBottomLayer; ++n) set.Include(uint8_t(n));
    for (int n = kFirstInternalPlane; n <= kLastInternalPlane; ++n) set.Include(uint8_t(n));
    return set;
}();

// High halves of the extended identifiers.
inline constexpr uint32_t kSignalPartition = 0x0101;
inline constexpr uint32_t kInternalPlanePartition = 0x0104;
inline constexpr uint32_t kMechanicalPartition = 0x0400;

// The board's output options hold plot and flip layers 1 to this, its printer options plotter pens
// 1 to kPlotterPenCount.
inline constexpr int kPlotLayerCount = 109;
inline constexpr int kPlotterPenCount = 8;

}  // namespace plz
