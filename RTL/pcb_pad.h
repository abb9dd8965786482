// The mirror of a pad: its record, and its sizes, shapes, corner radii and corner-radius
// percentages on each of the 83 legacy layers, exchanged layer by layer, with the per-layer
// geometry answered from them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RTL/layers.h"
#include "RTL/pcb_object.h"

namespace plz {

// The shape whose corner-radius percentages a store writes for the top, mid and bottom layers.
inline constexpr uint8_t kPadShapeRoundedRectangle = 9;
// The stack mode whose per-layer shapes, sizes and percentages a store writes layer by layer.
inline constexpr uint8_t kPadStackModeFull = 2;

#pragma pack(push, 1)
struct PcbPadFields {
    int32_t IntValue4 = 0, IntValue5 = 0, IntValue6 = 0, IntValue7 = 0, IntValue8 = 0, IntValue9 = 0,
            IntValue10 = 0;
    uint8_t ByteValue1 = 0, ByteValue2 = 0, ByteValue3 = 0;
    uint8_t TopCRPercentage = 0;
    uint8_t MidCRPercentage = 0;  // layer 31's after a fetch
    uint8_t BottomCRPercentage = 0;
    ShortString<20> Name;
    uint8_t PadByte1 = 0;
    double Rotation = 0.0;  // degrees
    uint8_t PadByte2 = 0;
    ShortString<20> PadString1;
    ShortString<20> PadString2;
    uint32_t PadInt1 = 0;
    ShortString<20> PadString3;
    int32_t XSizes[kLegacyLayerCount] = {};  // indexed by legacy layer number
    int32_t YSizes[kLegacyLayerCount] = {};
    uint8_t Shapes[kLegacyLayerCount] = {};
    uint32_t CornerRadii[kLegacyLayerCount] = {};
    uint8_t CRPercentages[kLegacyLayerCount] = {};
    uint8_t PadStackMode = 0;
    uint8_t PadByte3 = 0;
    uint8_t PadByte4 = 0;
    uint32_t PadInt2 = 0;
    uint32_t PadInt3 = 0;
    uint32_t PadInt4 = 0;
    uint64_t PadValue8 = 0;
    uint32_t PadInt5 = 0;
    uint8_t Flag1 = 0;
    uint8_t Flag2 = 0;
};
#pragma pack(pop)
static_assert(offsetof(PcbPadFields, Name) == 34 && offsetof(PcbPadFields, XSizes) == 34 + 21 + 10 + 42 + 4 + 21);
static_assert(sizeof(PcbPadFields) == 132 + 83 * 14 + 3 + 3 * 4 + 8 + 4 + 2);

class TPcbPad : public TPCBObject {
public:
    explicit TPcbPad(uint32_t handle);
    PcbPadFields Own;

    // The pad query, then, when it succeeded, the stack mode and the 83 layers.
    uint32_t Transfer(Direction direction) override;

    PLZ_PCB_OWN_PROPERTY(bool, Flag1)
    PLZ_PCB_OWN_PROPERTY(bool, Flag2)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue4)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue5)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue6)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue7)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue8)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue9)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue10)
    PLZ_PCB_OWN_PROPERTY(uint8_t, ByteValue1)
    PLZ_PCB_OWN_PROPERTY(uint8_t, ByteValue2)
    PLZ_PCB_OWN_PROPERTY(uint8_t, ByteValue3)
    PLZ_PCB_OWN_PROPERTY(double, Rotation)
    ShortString<255> Name() override;
    // Keeps at most 20 characters.
    void SetName(const ShortString<255>& value) override;

    // From the pad's own tables, for any layer 0 to 82 (not only the pad's own layer); a number
    // outside that range has no entry and answers 0.
    int32_t XSizeOnLayer(uint8_t layer) override;
    int32_t YSizeOnLayer(uint8_t layer) override;
    uint8_t ShapeOnLayer(uint8_t layer) override;
    // The smaller of the two sizes.
    int32_t WidthOnLayer(uint8_t layer) override;
    // The layer's X by Y size grown by the expansion, centred on (X, Y), turned by Rotation.
    int32_t Corner1XOnLayer(uint8_t layer, int32_t expansion) override;
    int32_t Corner1YOnLayer(uint8_t layer, int32_t expansion) override;
    int32_t Corner2XOnLayer(uint8_t layer, int32_t expansion) override;
    int32_t Corner2YOnLayer(uint8_t layer, int32_t expansion) override;
    int32_t Corner3XOnLayer(uint8_t layer, int32_t expansion) override;
    int32_t Corner3YOnLayer(uint8_t layer, int32_t expansion) override;
    int32_t Corner4XOnLayer(uint8_t layer, int32_t expansion) override;
    int32_t Corner4YOnLayer(uint8_t layer, int32_t expansion) override;
    // The segment through (X, Y) along the longer side, of length twice the difference of the
    // half sizes; both ends at (X, Y) for a square.
    int32_t LineStartXOnLayer(uint8_t layer) override;
    int32_t LineStartYOnLayer(uint8_t layer) override;
    int32_t LineEndXOnLayer(uint8_t layer) override;
    int32_t LineEndYOnLayer(uint8_t layer) override;

    // The pad's own operation, after all those of the base.
    virtual uint32_t CornerRadiusOnLayer(uint8_t layer);

private:
    struct Line {
        double x1, y1, x2, y2;
    };
    Corners LayerCorners(uint8_t layer, int32_t expansion);
    Line CentreLine(uint8_t layer);
};

}  // namespace plz
