// The group objects' and from-tos' transfers and properties.
#include "RTL/pcb_group_objects.h"

#include "RTL/pcb_api.h"
#include "frame/errors.h"

namespace plz {

TPcbNet::TPcbNet(uint32_t handle) : TPcbGroupObject(handle) { Common.ObjectKind = kNetObject; }

uint32_t TPcbNet::Transfer(Direction direction) {
    TransferBitFields(direction);
    return PcbApi_QueryNet(WireDirection(direction), Common.Handle, &Common.HostWord, &Own.Name, &Own.NetByte,
                           &Own.NetValue);
}

TPCBObjectClass::TPCBObjectClass(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kClassObject; }

uint32_t TPCBObjectClass::Transfer(Direction direction) {
    const uint32_t h = Common.Handle;
    TransferBitFields(direction);
    PcbApi_QueryClass(WireDirection(direction), h, &Common.HostWord, &Own.ClassByte1, &Own.ClassByte2, &Own.Name);
    if (direction != Direction::Fetch) {
        uint32_t status = PcbApi_RemoveAllMembersFromClass(h);
        for (const std::string& member : Members) status = PcbApi_AddMemberToClass(h, ShortString<255>(member));
        return status;
    }
    // Read into a list of its own, so that a reading that fails adds nothing.
    std::vector<std::string> read;
    ShortString<255> name;
    uint32_t status;
    for (int32_t index = 0; (status = PcbApi_GetMemberFromClassAt(h, index, &name)) != 1; ++index) {
        if (index == kMaxClassMembers)
            throw Exception("The object class with handle " + std::to_string(h) + " reports more than " +
                            std::to_string(kMaxClassMembers) + " members; its member list was not read.");
        read.push_back(name.Str());
    }
    Members.insert(Members.end(), read.begin(), read.end());
    return status;
}

TPcbFromTo::TPcbFromTo(uint32_t handle) : TPCBObject(handle) {
    Common.ObjectKind = kFromToObject;
    Common.HostWord = 0;
}

uint32_t TPcbFromTo::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    return PcbApi_QueryFromTo(WireDirection(direction), m.Handle, &m.HostWord, &m.X, &m.Y, &Own.ByteValue7, &Own.X2,
                              &Own.Y2, &Own.ByteValue8, &m.HostInt1);
}

TPcbManualFromTo::TPcbManualFromTo(uint32_t handle) : TPCBObject(handle) {
    Common.ObjectKind = kManualFromToObject;
    Common.HostWord = 0;
}

uint32_t TPcbManualFromTo::Transfer(Direction direction) {
    TransferBitFields(direction);
    return PcbApi_QueryManualFromTo(WireDirection(direction), Common.Handle, &Common.HostWord, &Own.ManualString1,
                                    &Own.ManualString2, &Own.ManualString3, &Own.ManualValue);
}

TPcbCoordinate::TPcbCoordinate(uint32_t handle) : TPcbGroupObject(handle) { Common.ObjectKind = kCoordinateObject; }

uint32_t TPcbCoordinate::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    PcbCoordinateFields& o = Own;
    return PcbApi_QueryCoordinate(WireDirection(direction), m.Handle, &m.Flags, &m.HostWord, &m.HostByte, &m.X, &m.Y,
                                  &m.LayerId, &o.CoordValue1, &o.CoordValue2, &o.CoordValue3, &o.CoordValue4,
                                  &o.CoordValue5, &o.CoordValue6);
}

TPcbDimension::TPcbDimension(uint32_t handle) : TPcbGroupObject(handle), References(200) {
    Common.ObjectKind = kDimensionObject;
    Ext.DimensionKind = 8;
}

namespace {

void CheckReferenceCount(int32_t count) {
    if (count < 0 || count > kMaxDimensionReferences)
        throw Exception("A dimension's reference count of " + std::to_string(count) + " is outside 0 to " +
                        std::to_string(kMaxDimensionReferences) + "; its references were not exchanged.");
}

}  // namespace

uint32_t TPcbDimension::Transfer(Direction direction) {
    const uint8_t d = WireDirection(direction);
    const uint32_t h = Common.Handle;
    const bool fetch = direction == Direction::Fetch;
    if (!fetch) CheckReferenceCount(ReferencesCount);  // refused before anything is sent
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    PcbDimensionFields& o = Own;
    const uint32_t a =
        PcbApi_QueryDimension(d, h, &m.Flags, &m.HostWord, &m.HostByte, &m.X, &m.Y, &o.DimValue1, &o.DimValue2,
                              &m.LayerId, &o.DimValue3, &o.DimValue4, &o.DimValue5, &o.DimValue6, &o.DimValue7,
                              &o.DimByte);

    // The count travels through a variable of its own, so that the mirror never holds a count it
    // has no room for.
    int32_t count = ReferencesCount;
    PcbApi_References_Count(d, h, &count);
    CheckReferenceCount(count);  // also what a faulty host wrote on a store
    ReferencesCount = count;
    if (References.size() < std::size_t(count)) References.resize(std::size_t(count));
    for (int32_t i = 0; i < count; ++i) {
        PcbDimensionReference& r = References[std::size_t(i)];
        PcbApi_References_At(d, h, uint32_t(i), &r.Value1, &r.Value2, &r.Value3, &r.Value4);
    }

    PcbExtDimensionFields& e = Ext;
    const uint32_t b = PcbApi_QueryExtDimension(
        d, h, &e.DimensionKind, &e.ExtValue1, &e.ExtValue2, &e.ExtValue3, &e.ExtByte1, &e.ExtValue4, &e.ExtString1,
        &e.ExtByte2, &e.ExtValue5, &e.ExtString2, &e.ExtString3, &e.ExtValue6, &e.ExtValue7, &e.ExtValue8,
        &e.ExtValue9, &e.ExtByte3, &e.ExtValue10, &e.ExtValue11, &e.ExtValue12);
    return a & b;
}

TPcbEmbeddedBoard::TPcbEmbeddedBoard(uint32_t handle) : TPCBObject(handle) {
    Common.ObjectKind = kEmbeddedBoardObject;
    SetLayer(kTopLayer);
}

uint32_t TPcbEmbeddedBoard::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    PcbEmbeddedBoardFields& o = Own;
    return PcbApi_QueryEmbeddedBoard(WireDirection(direction), m.Handle, &m.Flags, &m.HostWord, &m.HostByte, &m.X,
                                     &m.Y, &o.EmbString, &o.EmbValue1, &o.EmbValue2, &o.EmbValue3, &o.EmbValue4,
                                     &o.EmbValue5, &o.ByteValue6, &o.EmbByte);
}

TPcbPolygon::TPcbPolygon(uint32_t handle) : TPcbGroupObject(handle) { Common.ObjectKind = kPolygonObject; }

uint32_t TPcbPolygon::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    PcbPolygonFields& o = Own;
    return PcbApi_QueryPolygon(WireDirection(direction), m.Handle, &m.Flags, &m.HostWord, &m.LayerId, &m.HostInt1,
                               &m.HostByte, &o.PolyByte1, &o.PolyByte2, &o.PolyByte3, &o.PolyValue1, &o.PolyValue2,
                               &o.PolyByte4, &o.PolyWord, &o.PolyValue3, &o.PolyByte5, &o.PolyValue4, Outline.Data());
}

TPcbBoardOutline::TPcbBoardOutline(uint32_t handle) : TPcbPolygon(handle) { Common.ObjectKind = kBoardOutlineObject; }

TPcbSplitPlane::TPcbSplitPlane(uint32_t handle) : TPcbGroupObject(handle) { Common.ObjectKind = kSplitPlaneObject; }

uint32_t TPcbSplitPlane::Transfer(Direction direction) {
    TransferBitFields(direction);
    PcbObjectFields& m = Common;
    return PcbApi_QuerySplitPlane(WireDirection(direction), m.Handle, &m.Flags, &m.HostWord, &m.LayerId,
                                  &m.HostInt1, &m.HostByte, &Own.PlaneByte, &Own.PlaneValue, Outline.Data());
}

}  // namespace plz
