// The layer vocabulary of every PCB call: 8-bit legacy layer numbers with their names, 32-bit layer
// identifiers with their extended forms, and the conversions between the two.
#pragma once

#include <cstdint>
#include <string_view>

#include "frame/errors.h"

namespace plz {

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
    uint8_t Bits[11] = {};

    constexpr bool Contains(int layer) const {
        return layer >= 0 && layer < 88 && ((Bits[layer / 8] >> (layer % 8)) & 1);
    }
    constexpr void Include(uint8_t layer) {
        if (layer < 88) Bits[layer / 8] = uint8_t(Bits[layer / 8] | (1u << (layer % 8)));
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

// Raised when a layer identifier cannot be made.
class ELayerException : public Exception {
public:
    using Exception::Exception;
};

// Legacy number to identifier; numbers above 82 give 0.
LayerId LayerToLayerId(uint8_t layer);
// Identifier to legacy number; layers beyond the legacy range fold onto the last legacy layer of
// their kind. Raises EAssertionFailed for an identifier of no known partition.
uint8_t LayerIdToLayer(LayerId id);

// Identifier of the N-th signal layer (65535: the bottom layer), internal plane or mechanical
// layer; ELayerException when N is out of range.
LayerId SignalLayerId(uint32_t n);
LayerId InternalPlaneLayerId(uint32_t n);
LayerId MechanicalLayerId(uint32_t n);

// The two steps of LayerIdToLayer: the layer class (0 none, 1 top, 2 other signal, 3 bottom,
// 4 plane, 5 mechanical, 6 to 23 the other legacy layers) and the number within the class.
uint8_t LayerIdClass(LayerId id);
int32_t LayerIdNumber(LayerId id);

}  // namespace plz
