// Conversions between legacy layer numbers and layer identifiers.
#include "RTL/layers.h"

#include <algorithm>
#include <string>

namespace plz {
namespace {

// Inclusive range test.
bool InRange(uint32_t v, uint32_t low, uint32_t high) { return v >= low && v <= high; }

}  // namespace

LayerId LayerToLayerId(uint8_t layer) {
    if (layer == kNoLayer) return 0;
    if (layer == kTopLayer) return SignalLayerId(1);
    if (layer < kBottomLayer) return SignalLayerId(layer);
    if (layer == kBottomLayer) return SignalLayerId(65535);
    if (InRange(layer, kFirstInternalPlane, kLastInternalPlane)) return InternalPlaneLayerId(layer - 38u);
    if (InRange(layer, kFirstMechanicalLayer, kLastMechanicalLayer)) return MechanicalLayerId(layer - 56u);
    if (layer <= kLastLegacyLayer) return layer;
    return 0;
}

LayerId SignalLayerId(uint32_t n) {
    if (n == 1) return 1;
    if (n == 65535) return kBottomLayer;
    if (InRange(n, 2, 31)) return n;
    if (n <= 65534) return (kSignalPartition << 16) | n;
    throw ELayerException("Creating SignalLayer(" + std::to_string(n) + ")");
}

LayerId InternalPlaneLayerId(uint32_t n) {
    if (InRange(n, 1, 16)) return 38 + n;
    if (InRange(n, 17, 65535)) return (kInternalPlanePartition << 16) | n;
    throw ELayerException("Creating InternalPlaneLayer(" + std::to_string(n) + ")");
}

LayerId MechanicalLayerId(uint32_t n) {
    if (InRange(n, 1, 16)) return 56 + n;
    if (InRange(n, 17, 65535)) return (kMechanicalPartition << 16) | n;
    throw ELayerException("Creating MechanicalLayer(" + std::to_string(n) + ")");
}

uint8_t LayerIdClass(LayerId id) {
    const uint32_t hi = id >> 16, lo = id & 0xFFFF, b0 = id & 0xFF, b3 = id >> 24;
    if (lo != 0 || id == 0) {  // a bare partition names no layer
        if ((hi == 0 && InRange(b0, 1, 32)) || hi == kSignalPartition) return id == 1 ? 1 : id == 32 ? 3 : 2;
        if ((hi == 0 && InRange(b0, kFirstInternalPlane, kLastInternalPlane)) || hi == kInternalPlanePartition) return 4;
        if ((hi == 0 && InRange(b0, 57, 72)) || hi == kMechanicalPartition) return 5;
    }
    if (b3 == 0) {
        if (hi != 0) return static_cast<uint8_t>(b0);
        if (InRange(id, 33, 38)) return static_cast<uint8_t>(id - 27);
        if (id == 55) return 12;
        if (id == 56) return 13;
        if (InRange(id, 73, 82)) return static_cast<uint8_t>(id - 59);
        return 0;
    }
    throw EAssertionFailed("Could not find layer partition ID=" + std::to_string(id));
}

int32_t LayerIdNumber(LayerId id) {
    const uint32_t hi = id >> 16, lo = id & 0xFFFF, b0 = id & 0xFF, b3 = id >> 24;
    if (b3 != 0) return static_cast<int32_t>(lo);
    if (hi == 0 && InRange(b0, 57, 72)) return static_cast<int32_t>(id - 56);
    if (hi == 0 && InRange(b0, 1, 32)) return id == 32 ? 65535 : static_cast<int32_t>(lo);
    if (hi == 0 && InRange(b0, kFirstInternalPlane, kLastInternalPlane))
        return static_cast<int32_t>(id - (kFirstInternalPlane - 1));
    return LayerIdClass(id);
}

uint8_t LayerIdToLayer(LayerId id) {
    const int c = LayerIdClass(id) & 0x7F;
    const int32_t n = LayerIdNumber(id);
    if (c == 0) return kNoLayer;
    if (c == 1) return kTopLayer;
    if (c == 3) return kBottomLayer;
    if (c == 2) return static_cast<uint8_t>(std::min(n - 1, 30) + 1);
    if (c == 4) return static_cast<uint8_t>(38 + std::min(n, 16));
    if (c == 5) return static_cast<uint8_t>(56 + std::min(n, 16));
    if (c >= 6 && c <= 11) return static_cast<uint8_t>(27 + c);
    if (c == 12) return 55;
    if (c == 13) return 56;
    if (c >= 14 && c <= 23) return static_cast<uint8_t>(59 + c);
    throw EAssertionFailed("Assertion failure");
}

}  // namespace plz
