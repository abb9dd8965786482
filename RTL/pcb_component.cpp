// The component mirror's transfer and properties.
#include "RTL/pcb_component.h"

#include "RTL/pcb_api.h"
#include "RTL/pcb_factory.h"

namespace plz {

TPcbComponent::TPcbComponent(uint32_t handle) : TPcbGroupObject(handle) { Common.ObjectKind = kComponentObject; }

uint32_t TPcbComponent::Transfer(Direction direction) {
    const uint8_t d = WireDirection(direction);
    const uint32_t h = Common.Handle;
    TransferBitFields(direction);
    PcbApi_QueryComponentChannelOffset(d, h, &Own.ChannelOffset);
    PcbApi_QueryComponentKind(d, h, &Own.ComponentKind);
    // The host takes the component's layer as a legacy number.
    uint8_t layer = LayerIdToLayer(Common.LayerId);
    const uint32_t status = PcbApi_QueryComponent(d, h, &Common.Flags, &Common.HostWord, &layer, &Common.HostByte,
                                                  &Own.NameHandle, &Own.ComponentInt1, &Own.FootprintKey,
                                                  &Own.ComponentByte1, &Own.ComponentByte2, &Common.X, &Common.Y,
                                                  &Own.ComponentInt2, &Own.Rotation, &Own.ComponentByte3);
    Common.LayerId = LayerToLayerId(layer);
    PcbApi_QueryComponentEx(d, h, &Own.ExInt1, &Own.ExByte1, &Own.ExByte2, &Own.ExInt2);
    ShortString<255>* links = Own.SourceLinks;
    PcbApi_QueryComponentSourceLinks(d, h, &links[0], &links[1], &links[2], &links[3], &links[4], &links[5],
                                     &links[6], &links[7]);
    PcbApi_QueryDefaultPCB3DModel(d, h, &Own.Default3DModel);
    return status;
}

ShortString<255> TPcbComponent::Name() { return ObjectTextFromHandle(Own.NameHandle); }

}  // namespace plz
