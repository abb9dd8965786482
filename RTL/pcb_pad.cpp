// The pad mirror's transfer, properties and per-layer geometry.
#include "RTL/pcb_pad.h"

#include <algorithm>
#include <cmath>

#include "RTL/pcb_api.h"
#include "RTL/units.h"

namespace plz {
namespace {

constexpr bool HasEntry(uint8_t layer) { return layer <= kLastLegacyLayer; }

}  // namespace

TPcbPad::TPcbPad(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kPadObject; }

uint32_t TPcbPad::Transfer(Direction direction) {
    const uint8_t d = WireDirection(direction);
    const uint32_t h = Common.Handle;
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    PcbPadFields& o = Own;
    const uint32_t status = PcbApi_QueryPad(
        d, h, &m.Flags, &m.HostWord, &m.LayerId, &m.HostInt1, &m.HostByte, &m.HostInt2, &m.X, &m.Y, &o.IntValue4,
        &o.IntValue5, &o.IntValue6, &o.IntValue7, &o.IntValue8, &o.IntValue9, &o.IntValue10, &o.ByteValue1,
        &o.ByteValue2, &o.ByteValue3, &o.Name, &o.PadByte1, &o.PadByte2, &o.Rotation, &o.PadString1, &o.PadString2,
        &o.PadInt1, &o.PadString3, &o.PadByte3, &o.PadByte4, &o.PadInt2, &o.PadValue8, &o.PadInt3, &o.PadInt4,
        &o.PadInt5, &o.Flag1, &o.Flag2);
    if (status != 0) return status;

    PcbApi_QueryPadStackMode(d, h, &o.PadStackMode);
    for (uint8_t l = 0; l <= kLastLegacyLayer; ++l) {
        if (direction == Direction::Fetch) {
            PcbApi_QueryPadOrViaShapeOnLayer(h, l, &o.Shapes[l]);
            PcbApi_QueryPadOrViaSizeOnLayer(h, l, &o.XSizes[l], &o.YSizes[l]);
            PcbApi_QueryPadCornerRadiusOnLayer(h, l, &o.CornerRadii[l]);
            PcbApi_QueryPadCRPercentageOnLayer(h, l, &o.CRPercentages[l]);
            if (l == kTopLayer)
                o.TopCRPercentage = o.CRPercentages[l];
            else if (l > kTopLayer && l < kBottomLayer)
                o.MidCRPercentage = o.CRPercentages[l];
            else if (l == kBottomLayer)
                o.BottomCRPercentage = o.CRPercentages[l];
        } else if (o.PadStackMode == kPadStackModeFull) {
            PcbApi_SetPadShapeOnLayer(h, l, o.Shapes[l]);
            PcbApi_SetPadSizeOnLayer(h, l, o.XSizes[l], o.YSizes[l]);
            PcbApi_SetCRPctOnLayer(h, l, o.CRPercentages[l]);
        } else if (o.Shapes[l] == kPadShapeRoundedRectangle) {
            PcbApi_SetCRPctOnLayer(h, kTopLayer, o.TopCRPercentage);
            PcbApi_SetCRPctOnLayer(h, kBottomLayer, o.BottomCRPercentage);
            PcbApi_SetCRPctOnLayer(h, kTopLayer + 1, o.MidCRPercentage);
        }
        // Corner radii follow from the percentages on the host's side and are never written.
    }
    return status;
}

ShortString<255> TPcbPad::Name() { return ShortString<255>(Own.Name.View()); }

int32_t TPcbPad::XSizeOnLayer(uint8_t layer) { return HasEntry(layer) ? Own.XSizes[layer] : 0; }
int32_t TPcbPad::YSizeOnLayer(uint8_t layer) { return HasEntry(layer) ? Own.YSizes[layer] : 0; }
uint8_t TPcbPad::ShapeOnLayer(uint8_t layer) { return HasEntry(layer) ? Own.Shapes[layer] : 0; }
uint32_t TPcbPad::CornerRadiusOnLayer(uint8_t layer) { return HasEntry(layer) ? Own.CornerRadii[layer] : 0; }
int32_t TPcbPad::WidthOnLayer(uint8_t layer) {
    if (!HasEntry(layer)) return 0;
    const int32_t xSize = Own.XSizes[layer], ySize = Own.YSizes[layer];  // copies: the record is packed
    return std::min(xSize, ySize);
}

TPCBObject::Corners TPcbPad::LayerCorners(uint8_t layer, int32_t expansion) {
    // 64-bit so that a size grown by the expansion does not overflow.
    const int64_t w = int64_t{Own.XSizes[layer]} + 2 * int64_t{expansion};
    const int64_t h = int64_t{Own.YSizes[layer]} + 2 * int64_t{expansion};
    return RectangleCorners(Common.X, Common.Y, w, h, Own.Rotation);
}

#define PLZ_PAD_CORNER(name, axis, index)                                                       \
    int32_t TPcbPad::name(uint8_t layer, int32_t expansion) {                                    \
        return HasEntry(layer) ? RoundToInt32(LayerCorners(layer, expansion).axis[index]) : 0; \
    }
PLZ_PAD_CORNER(Corner1XOnLayer, x, 0)
PLZ_PAD_CORNER(Corner1YOnLayer, y, 0)
PLZ_PAD_CORNER(Corner2XOnLayer, x, 1)
PLZ_PAD_CORNER(Corner2YOnLayer, y, 1)
PLZ_PAD_CORNER(Corner3XOnLayer, x, 2)
PLZ_PAD_CORNER(Corner3YOnLayer, y, 2)
PLZ_PAD_CORNER(Corner4XOnLayer, x, 3)
PLZ_PAD_CORNER(Corner4YOnLayer, y, 3)
#undef PLZ_PAD_CORNER

TPcbPad::Line TPcbPad::CentreLine(uint8_t layer) {
    const double x = Common.X, y = Common.Y;
    const int32_t b = Own.XSizes[layer] / 2;  // halves truncated toward zero
    const int32_t c = Own.YSizes[layer] / 2;
    const double r = DegreesToRadians(Own.Rotation);
    if (b == c) return {x, y, x, y};
    if (c < b) {  // wider than tall
        const double k = double(b) - double(c);
        return {x - std::cos(r) * k, y - std::sin(r) * k, x + std::cos(r) * k, y + std::sin(r) * k};
    }
    const double k = double(c) - double(b);
    return {x - std::sin(r) * k, y + std::cos(r) * k, x + std::sin(r) * k, y - std::cos(r) * k};
}

int32_t TPcbPad::LineStartXOnLayer(uint8_t layer) { return HasEntry(layer) ? RoundToInt32(CentreLine(layer).x1) : 0; }
int32_t TPcbPad::LineStartYOnLayer(uint8_t layer) { return HasEntry(layer) ? RoundToInt32(CentreLine(layer).y1) : 0; }
int32_t TPcbPad::LineEndXOnLayer(uint8_t layer) { return HasEntry(layer) ? RoundToInt32(CentreLine(layer).x2) : 0; }
int32_t TPcbPad::LineEndYOnLayer(uint8_t layer) { return HasEntry(layer) ? RoundToInt32(CentreLine(layer).y2) : 0; }

void TPcbPad::SetName(const ShortString<255>& value) { Own.Name.Assign(value.View()); }

}  // namespace plz
