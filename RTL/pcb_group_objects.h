// The mirrors of the group objects and from-tos: nets, object classes with their member lists,
// from-tos and manual from-tos, coordinates, dimensions with their references, embedded boards,
// polygons (and board outlines) and split planes with their outline areas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "RTL/pcb_api_calls.h"
#include "RTL/pcb_object.h"

namespace plz {

#pragma pack(push, 1)
struct PcbNetFields {
    ShortString<255> Name;
    uint8_t NetByte = 0;
    uint32_t NetValue = 0;
};
static_assert(sizeof(PcbNetFields) == 261);

struct PcbClassFields {
    uint8_t ClassByte1 = 0;
    uint8_t ClassByte2 = 0;
    ShortString<255> Name;
};
static_assert(sizeof(PcbClassFields) == 258);

struct PcbFromToFields {
    uint8_t ByteValue7 = 0;
    int32_t X2 = 0;  // the second point; (X, Y) is the first
    int32_t Y2 = 0;
    uint8_t ByteValue8 = 0;
};
static_assert(sizeof(PcbFromToFields) == 10);

struct PcbManualFromToFields {
    ShortString<255> ManualString1;
    ShortString<255> ManualString2;
    ShortString<255> ManualString3;
    uint32_t ManualValue = 0;
};
static_assert(sizeof(PcbManualFromToFields) == 3 * 256 + 4);

struct PcbCoordinateFields {
    uint32_t CoordValue1 = 0, CoordValue2 = 0, CoordValue3 = 0, CoordValue4 = 0, CoordValue5 = 0,
             CoordValue6 = 0;
};
static_assert(sizeof(PcbCoordinateFields) == 24);

struct PcbDimensionFields {
    uint32_t DimValue1 = 0, DimValue2 = 0, DimValue3 = 0, DimValue4 = 0, DimValue5 = 0, DimValue6 = 0,
             DimValue7 = 0;
    uint8_t DimByte = 0;
};
static_assert(sizeof(PcbDimensionFields) == 29);

struct PcbExtDimensionFields {
    uint8_t DimensionKind = 0;
    uint32_t ExtValue1 = 0, ExtValue2 = 0, ExtValue3 = 0;
    uint8_t ExtByte1 = 0;
    uint32_t ExtValue4 = 0;
    ShortString<255> ExtString1;
    uint8_t ExtByte2 = 0;
    uint32_t ExtValue5 = 0;
    ShortString<255> ExtString2;
    ShortString<255> ExtString3;
    uint64_t ExtValue6 = 0;
    uint32_t ExtValue7 = 0, ExtValue8 = 0, ExtValue9 = 0;
    uint8_t ExtByte3 = 0;
    uint32_t ExtValue10 = 0, ExtValue11 = 0, ExtValue12 = 0;
};
static_assert(sizeof(PcbExtDimensionFields) == 1 + 12 + 1 + 4 + 256 + 1 + 4 + 512 + 8 + 12 + 1 + 12);

// One reference of a dimension: four host values.
struct PcbDimensionReference {
    uint32_t Value1 = 0, Value2 = 0, Value3 = 0, Value4 = 0;
};
static_assert(sizeof(PcbDimensionReference) == 16);

struct PcbEmbeddedBoardFields {
    ShortString<255> EmbString;
    uint32_t EmbValue1 = 0, EmbValue2 = 0, EmbValue3 = 0, EmbValue4 = 0;
    uint64_t EmbValue5 = 0;
    uint8_t ByteValue6 = 0;
    uint8_t EmbByte = 0;
};
static_assert(sizeof(PcbEmbeddedBoardFields) == 256 + 16 + 8 + 2);

struct PcbPolygonFields {
    uint8_t PolyByte1 = 0, PolyByte2 = 0, PolyByte3 = 0;
    uint32_t PolyValue1 = 0, PolyValue2 = 0;
    uint8_t PolyByte4 = 0;
    uint16_t PolyWord = 0;
    uint32_t PolyValue3 = 0;
    uint8_t PolyByte5 = 0;
    uint32_t PolyValue4 = 0;
};
static_assert(sizeof(PcbPolygonFields) == 3 + 8 + 1 + 2 + 4 + 1 + 4);

struct PcbSplitPlaneFields {
    uint8_t PlaneByte = 0;
    uint32_t PlaneValue = 0;
};
static_assert(sizeof(PcbSplitPlaneFields) == 5);
#pragma pack(pop)

// The outline area of a polygon or split plane: the host's layout, passed whole. It lives on the
// heap with its mirror, never on the stack.
class OutlineArea {
public:
    OutlineArea() : bytes_(std::make_unique<uint8_t[]>(kOutlineAreaBytes)) {}
    uint8_t* Data() { return bytes_.get(); }

private:
    std::unique_ptr<uint8_t[]> bytes_;
};

class TPcbNet : public TPcbGroupObject {
public:
    explicit TPcbNet(uint32_t handle);
    PcbNetFields Own;

    uint32_t Transfer(Direction direction) override;
    // The net's name; read only.
    PLZ_PCB_OWN_GETTER(ShortString<255>, Name)
};

// Readings of a class's member list stop with an error after this many members, so that a host
// that never reports the end cannot hang the plug-in. Ten times the largest boards the arranger
// is measured on.
inline constexpr int32_t kMaxClassMembers = 1 << 20;

class TPCBObjectClass : public TPCBObject {
public:
    explicit TPCBObjectClass(uint32_t handle);
    PcbClassFields Own;
    // The member names, of any length; each is sent cut to 255 characters.
    std::vector<std::string> Members;

    // Store and Commit replace the host's members with Members; Fetch appends the host's members
    // to Members. The status of the last member call.
    uint32_t Transfer(Direction direction) override;
};

class TPcbFromTo : public TPCBObject {
public:
    explicit TPcbFromTo(uint32_t handle);
    PcbFromToFields Own;

    // MoveBy is the base's: only the first point moves.
    uint32_t Transfer(Direction direction) override;
    PLZ_PCB_OWN_PROPERTY(int32_t, X2)
    PLZ_PCB_OWN_PROPERTY(int32_t, Y2)
    PLZ_PCB_OWN_PROPERTY(uint8_t, ByteValue7)
    PLZ_PCB_OWN_PROPERTY(uint8_t, ByteValue8)
};

class TPcbManualFromTo : public TPCBObject {
public:
    explicit TPcbManualFromTo(uint32_t handle);
    PcbManualFromToFields Own;

    uint32_t Transfer(Direction direction) override;
};

class TPcbCoordinate : public TPcbGroupObject {
public:
    explicit TPcbCoordinate(uint32_t handle);
    PcbCoordinateFields Own;

    uint32_t Transfer(Direction direction) override;
};

// A dimension's references beyond this count are taken for a faulty count: the transfer fails
// with an error and exchanges no reference.
inline constexpr int32_t kMaxDimensionReferences = 1 << 20;

class TPcbDimension : public TPcbGroupObject {
public:
    explicit TPcbDimension(uint32_t handle);
    PcbDimensionFields Own;
    PcbExtDimensionFields Ext;
    int32_t ReferencesCount = 0;
    // Room for 200 references, grown to any larger count the host reports.
    std::vector<PcbDimensionReference> References;

    // The two record statuses ANDed bit by bit.
    uint32_t Transfer(Direction direction) override;
};

class TPcbEmbeddedBoard : public TPCBObject {
public:
    explicit TPcbEmbeddedBoard(uint32_t handle);
    PcbEmbeddedBoardFields Own;

    uint32_t Transfer(Direction direction) override;
    PLZ_PCB_OWN_PROPERTY(uint8_t, ByteValue6)
};

class TPcbPolygon : public TPcbGroupObject {
public:
    explicit TPcbPolygon(uint32_t handle);
    PcbPolygonFields Own;
    OutlineArea Outline;

    uint32_t Transfer(Direction direction) override;
};

// A polygon of its own kind.
class TPcbBoardOutline : public TPcbPolygon {
public:
    explicit TPcbBoardOutline(uint32_t handle);
};

class TPcbSplitPlane : public TPcbGroupObject {
public:
    explicit TPcbSplitPlane(uint32_t handle);
    PcbSplitPlaneFields Own;
    OutlineArea Outline;

    uint32_t Transfer(Direction direction) override;
};

}  // namespace plz
