// The simple primitives' transfers and properties.
#include "RTL/pcb_primitives.h"

#include "RTL/pcb_api.h"

namespace plz {

TPcbTrack::TPcbTrack(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kTrackObject; }

uint32_t TPcbTrack::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    return PcbApi_QueryTrack(WireDirection(direction), m.Handle, &m.Flags, &m.HostWord, &m.LayerId, &m.HostInt1,
                             &m.HostByte, &m.HostInt2, &m.X, &m.Y, &Own.X2, &Own.Y2, &Own.Width, &Own.IntValue1,
                             &Own.IntValue2, &Own.IntValue3);
}

void TPcbTrack::MoveBy(int32_t dx, int32_t dy) {
    TPCBObject::MoveBy(dx, dy);
    Own.X2 += dx;
    Own.Y2 += dy;
}

TPcbFill::TPcbFill(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kFillObject; }

uint32_t TPcbFill::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    return PcbApi_QueryFill(WireDirection(direction), m.Handle, &m.Flags, &m.HostWord, &m.LayerId, &m.HostInt1,
                            &m.HostByte, &m.HostInt2, &m.X, &m.Y, &Own.X2, &Own.Y2, &Own.IntValue1, &Own.Rotation);
}

void TPcbFill::MoveBy(int32_t dx, int32_t dy) {
    TPCBObject::MoveBy(dx, dy);
    Own.X2 += dx;
    Own.Y2 += dy;
}

TPcbArc::TPcbArc(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kArcObject; }

uint32_t TPcbArc::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    return PcbApi_QueryArc(WireDirection(direction), m.Handle, &m.Flags, &m.HostWord, &m.LayerId, &m.HostInt1,
                           &m.HostByte, &m.HostInt2, &m.X, &m.Y, &Own.Radius, &Own.StartAngle, &Own.EndAngle,
                           &Own.LineWidth, &Own.IntValue1);
}

TPcbVia::TPcbVia(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kViaObject; }

uint32_t TPcbVia::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    uint8_t layer = LayerIdToLayer(m.LayerId);
    const uint32_t status =
        PcbApi_QueryVia(WireDirection(direction), m.Handle, &m.Flags, &m.HostWord, &layer, &m.HostInt1, &m.HostByte,
                        &m.HostInt2, &m.X, &m.Y, &Own.Size, &Own.IntValue10, &Own.ByteValue4, &Own.ByteValue5,
                        &Own.Flag1, &Own.Flag2);
    m.LayerId = LayerToLayerId(layer);
    return status;
}

int32_t TPcbVia::SizeOnLayer(uint8_t layer) {
    int32_t xSize = 0, ySize = 0;
    return PcbApi_QueryPadOrViaSizeOnLayer(Common.Handle, layer, &xSize, &ySize) == 0 ? xSize : 0;
}

uint8_t TPcbVia::ShapeOnLayer(uint8_t layer) {
    uint8_t shape = 0;
    return PcbApi_QueryPadOrViaShapeOnLayer(Common.Handle, layer, &shape) == 0 ? shape : 0;
}

TPCBRegion::TPCBRegion(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kRegionObject; }

uint32_t TPCBRegion::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    return PcbApi_QueryRegion(WireDirection(direction), m.Handle, &Own.RegionByte, &m.Flags, &m.HostWord,
                              &m.LayerId, &m.HostInt1, &m.HostByte, &m.HostInt2, &Own.RegionValue1,
                              &Own.RegionValue2, &Own.RegionValue3, &Own.RegionValue4, &Own.RegionValue5,
                              &Own.RegionValue6);
}

}  // namespace plz
