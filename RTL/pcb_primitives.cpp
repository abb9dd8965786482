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

int32_t TPcbTrack::X2() { return Own.X2; }
int32_t TPcbTrack::Y2() { return Own.Y2; }
int32_t TPcbTrack::Width() { return Own.Width; }
int32_t TPcbTrack::IntValue1() { return Own.IntValue1; }
int32_t TPcbTrack::IntValue2() { return Own.IntValue2; }
int32_t TPcbTrack::IntValue3() { return Own.IntValue3; }
void TPcbTrack::SetX2(int32_t value) { Own.X2 = value; }
void TPcbTrack::SetY2(int32_t value) { Own.Y2 = value; }
void TPcbTrack::SetWidth(int32_t value) { Own.Width = value; }
void TPcbTrack::SetIntValue1(int32_t value) { Own.IntValue1 = value; }
void TPcbTrack::SetIntValue2(int32_t value) { Own.IntValue2 = value; }
void TPcbTrack::SetIntValue3(int32_t value) { Own.IntValue3 = value; }

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

int32_t TPcbFill::X2() { return Own.X2; }
int32_t TPcbFill::Y2() { return Own.Y2; }
int32_t TPcbFill::IntValue1() { return Own.IntValue1; }
double TPcbFill::Rotation() { return Own.Rotation; }
void TPcbFill::SetX2(int32_t value) { Own.X2 = value; }
void TPcbFill::SetY2(int32_t value) { Own.Y2 = value; }
void TPcbFill::SetIntValue1(int32_t value) { Own.IntValue1 = value; }
void TPcbFill::SetRotation(double value) { Own.Rotation = value; }

TPcbArc::TPcbArc(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kArcObject; }

uint32_t TPcbArc::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    return PcbApi_QueryArc(WireDirection(direction), m.Handle, &m.Flags, &m.HostWord, &m.LayerId, &m.HostInt1,
                           &m.HostByte, &m.HostInt2, &m.X, &m.Y, &Own.Radius, &Own.StartAngle, &Own.EndAngle,
                           &Own.LineWidth, &Own.IntValue1);
}

int32_t TPcbArc::Radius() { return Own.Radius; }
double TPcbArc::StartAngle() { return Own.StartAngle; }
double TPcbArc::EndAngle() { return Own.EndAngle; }
int32_t TPcbArc::LineWidth() { return Own.LineWidth; }
int32_t TPcbArc::IntValue1() { return Own.IntValue1; }
void TPcbArc::SetRadius(int32_t value) { Own.Radius = value; }
void TPcbArc::SetStartAngle(double value) { Own.StartAngle = value; }
void TPcbArc::SetEndAngle(double value) { Own.EndAngle = value; }
void TPcbArc::SetLineWidth(int32_t value) { Own.LineWidth = value; }
void TPcbArc::SetIntValue1(int32_t value) { Own.IntValue1 = value; }

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

bool TPcbVia::Flag1() { return Own.Flag1 != 0; }
void TPcbVia::SetFlag1(bool value) { Own.Flag1 = value; }
bool TPcbVia::Flag2() { return Own.Flag2 != 0; }
void TPcbVia::SetFlag2(bool value) { Own.Flag2 = value; }
int32_t TPcbVia::IntValue10() { return Own.IntValue10; }
int32_t TPcbVia::Size() { return Own.Size; }
uint8_t TPcbVia::ByteValue4() { return Own.ByteValue4; }
uint8_t TPcbVia::ByteValue5() { return Own.ByteValue5; }

int32_t TPcbVia::SizeOnLayer(uint8_t layer) {
    int32_t xSize = 0, ySize = 0;
    return PcbApi_QueryPadOrViaSizeOnLayer(Common.Handle, layer, &xSize, &ySize) == 0 ? xSize : 0;
}

uint8_t TPcbVia::ShapeOnLayer(uint8_t layer) {
    uint8_t shape = 0;
    return PcbApi_QueryPadOrViaShapeOnLayer(Common.Handle, layer, &shape) == 0 ? shape : 0;
}

void TPcbVia::SetIntValue10(int32_t value) { Own.IntValue10 = value; }
void TPcbVia::SetSize(int32_t value) { Own.Size = value; }
void TPcbVia::SetByteValue4(uint8_t value) { Own.ByteValue4 = value; }
void TPcbVia::SetByteValue5(uint8_t value) { Own.ByteValue5 = value; }

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
