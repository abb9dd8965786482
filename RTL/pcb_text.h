// The mirror of a text object: location, size, rotation, string and font settings.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RTL/pcb_object.h"

namespace plz {

#pragma pack(push, 1)
struct PcbTextFields {
    int32_t Size = 0;
    int32_t IntValue11 = 0;
    double Rotation = 0.0;  // degrees
    uint8_t ByteValue6 = 0;
    ShortString<254> Text;
    int32_t Width = 0;
    int32_t IntValue2 = 0;
    int32_t IntValue3 = 0;
    ShortString<254> DisplayText;  // as the host displays it
    uint8_t TrueTypeByte1 = 0;
    ShortString<255> FontName;
    uint8_t TrueTypeByte2 = 0;
    uint8_t TrueTypeByte3 = 0;
    uint8_t TrueTypeByte4 = 0;
    int32_t TrueTypeInt1 = 0;
    uint8_t BarCodeBytes[4] = {};
};
#pragma pack(pop)
static_assert(offsetof(PcbTextFields, Text) == 17 && offsetof(PcbTextFields, DisplayText) == 284);
static_assert(sizeof(PcbTextFields) == 284 + 255 + 1 + 256 + 3 + 4 + 4);

class TPcbText : public TPCBObject {
public:
    explicit TPcbText(uint32_t handle);

    PcbTextFields Own;

    uint32_t Transfer(Direction direction) override;

    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue2)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue3)
    PLZ_PCB_OWN_PROPERTY(double, Rotation)
    PLZ_PCB_OWN_PROPERTY(int32_t, Size)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue11)
    PLZ_PCB_OWN_PROPERTY(uint8_t, ByteValue6)
    // Width reads the line width, which only SetLineWidth changes.
    PLZ_PCB_OWN_GETTER(int32_t, Width)
    int32_t LineWidth() override { return Own.Width; }
    void SetLineWidth(int32_t value) override { Own.Width = value; }
    ShortString<255> Text() override;
    // Keeps at most 254 characters.
    void SetText(const ShortString<255>& value) override;
};

}  // namespace plz
