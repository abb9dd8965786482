// The mirror of a placed component: location, layer, rotation, footprint key and the handle of
// its designator text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RTL/pcb_object.h"

namespace plz {

#pragma pack(push, 1)
struct PcbComponentFields {
    int32_t ChannelOffset = 0;
    uint32_t ComponentKind = 0;
    uint32_t NameHandle = 0;  // the designator text object; 0 for none
    uint32_t ComponentInt1 = 0;
    ShortString<250> FootprintKey;
    uint8_t ComponentByte1 = 0;
    uint8_t ComponentByte2 = 0;
    int32_t ComponentInt2 = 0;
    double Rotation = 0.0;  // degrees
    uint8_t ComponentByte3 = 0;
    int32_t ExInt1 = 0;
    uint8_t ExByte1 = 0;
    uint8_t ExByte2 = 0;
    int32_t ExInt2 = 0;
    ShortString<255> SourceLinks[8];
    ShortString<255> Default3DModel;
};
#pragma pack(pop)
static_assert(offsetof(PcbComponentFields, FootprintKey) == 16 && offsetof(PcbComponentFields, Rotation) == 273);
static_assert(sizeof(PcbComponentFields) == 292 + 9 * 256);

class TPcbComponent : public TPcbGroupObject {
public:
    explicit TPcbComponent(uint32_t handle);

    PcbComponentFields Own;

    uint32_t Transfer(Direction direction) override;
    // The designator's text, fetched from the host on every call; empty without a designator.
    ShortString<255> Name() override;
    // Read only.
    PLZ_PCB_OWN_GETTER(double, Rotation)
};

}  // namespace plz
