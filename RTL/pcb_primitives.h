// The mirrors of the simple primitives: tracks, fills, arcs, vias and regions, each with its packed
// record, its exchange with the PCB editor and the properties it holds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RTL/pcb_object.h"

namespace plz {

#pragma pack(push, 1)
struct PcbTrackFields {
    int32_t X2 = 0;  // the end point; (X, Y) is the start
    int32_t Y2 = 0;
    int32_t Width = 0;
    int32_t IntValue1 = 0;
    int32_t IntValue2 = 0;
    int32_t IntValue3 = 0;
};
static_assert(sizeof(PcbTrackFields) == 24);

struct PcbFillFields {
    int32_t X2 = 0;  // the second corner; (X, Y) is the first
    int32_t Y2 = 0;
    int32_t IntValue1 = 0;
    double Rotation = 0.0;  // degrees
};
static_assert(sizeof(PcbFillFields) == 20);

struct PcbArcFields {
    int32_t Radius = 0;
    double StartAngle = 0.0;
    double EndAngle = 0.0;
    int32_t LineWidth = 0;
    int32_t IntValue1 = 0;
};
static_assert(sizeof(PcbArcFields) == 28);

struct PcbViaFields {
    int32_t Size = 0;
    int32_t IntValue10 = 0;
    uint8_t ByteValue4 = 0;
    uint8_t ByteValue5 = 0;
    uint8_t Flag1 = 0;
    uint8_t Flag2 = 0;
};
static_assert(sizeof(PcbViaFields) == 12);

struct PcbRegionFields {
    uint8_t RegionByte = 0;
    uint32_t RegionValue1 = 0;
    uint32_t RegionValue2 = 0;
    int32_t RegionValue3 = 0;
    int32_t RegionValue4 = 0;
    int32_t RegionValue5 = 0;
    int32_t RegionValue6 = 0;
};
static_assert(sizeof(PcbRegionFields) == 25);
#pragma pack(pop)

class TPcbTrack : public TPCBObject {
public:
    explicit TPcbTrack(uint32_t handle);
    PcbTrackFields Own;

    uint32_t Transfer(Direction direction) override;
    // Both ends move.
    void MoveBy(int32_t dx, int32_t dy) override;
    PLZ_PCB_OWN_PROPERTY(int32_t, X2)
    PLZ_PCB_OWN_PROPERTY(int32_t, Y2)
    PLZ_PCB_OWN_PROPERTY(int32_t, Width)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue1)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue2)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue3)
};

class TPcbFill : public TPCBObject {
public:
    explicit TPcbFill(uint32_t handle);
    PcbFillFields Own;

    uint32_t Transfer(Direction direction) override;
    // Both corners move.
    void MoveBy(int32_t dx, int32_t dy) override;
    PLZ_PCB_OWN_PROPERTY(int32_t, X2)
    PLZ_PCB_OWN_PROPERTY(int32_t, Y2)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue1)
    PLZ_PCB_OWN_PROPERTY(double, Rotation)
};

// (X, Y) is the centre, and only the centre moves.
class TPcbArc : public TPCBObject {
public:
    explicit TPcbArc(uint32_t handle);
    PcbArcFields Own;

    uint32_t Transfer(Direction direction) override;
    PLZ_PCB_OWN_PROPERTY(int32_t, Radius)
    PLZ_PCB_OWN_PROPERTY(double, StartAngle)
    PLZ_PCB_OWN_PROPERTY(double, EndAngle)
    PLZ_PCB_OWN_PROPERTY(int32_t, LineWidth)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue1)
};

class TPcbVia : public TPCBObject {
public:
    explicit TPcbVia(uint32_t handle);
    PcbViaFields Own;

    // The host takes the via's layer as a legacy number.
    uint32_t Transfer(Direction direction) override;
    PLZ_PCB_OWN_PROPERTY(bool, Flag1)
    PLZ_PCB_OWN_PROPERTY(bool, Flag2)
    PLZ_PCB_OWN_PROPERTY(int32_t, IntValue10)
    PLZ_PCB_OWN_PROPERTY(int32_t, Size)
    PLZ_PCB_OWN_PROPERTY(uint8_t, ByteValue4)
    PLZ_PCB_OWN_PROPERTY(uint8_t, ByteValue5)
    // Asked of the host for any layer; 0 when it reports a failure.
    int32_t SizeOnLayer(uint8_t layer) override;
    uint8_t ShapeOnLayer(uint8_t layer) override;
};

// Holds host values only; it exchanges no location.
class TPCBRegion : public TPCBObject {
public:
    explicit TPCBRegion(uint32_t handle);
    PcbRegionFields Own;

    uint32_t Transfer(Direction direction) override;
};

}  // namespace plz
