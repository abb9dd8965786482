// The simulated PCB editor's objects of every kind besides components and texts: primitives, group
// objects and records, each with the values its query calls exchange, and with the pad's 83-layer
// table, class member lists, dimension references, outline areas and embedded buffers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "hostsim/trelpa/editor.h"

namespace plz::trelpa {

// One record per kind, in the order of its query's pointer arguments; the fields that every
// object shares are in Object itself.
struct Plain {};  // component bodies and differential pairs: the shared fields only
struct Track {
    RecordOf<sig::PcbApi_QueryTrack, 10> record;
};
struct Arc {
    RecordOf<sig::PcbApi_QueryArc, 10> record;
};
struct Fill {
    RecordOf<sig::PcbApi_QueryFill, 10> record;
};
struct Via {
    RecordOf<sig::PcbApi_QueryVia, 10> record;  // size, ..., flag2
};
struct Region {
    uint8_t regionByte = 0;
    RecordOf<sig::PcbApi_QueryRegion, 9> record;  // regionValue1 to regionValue6
};
struct PadLayer {
    uint8_t shape = 0;
    int32_t xSize = 0, ySize = 0;
    uint32_t cornerRadius = 0;
    uint8_t percentage = 0;
};
struct Pad {
    RecordOf<sig::PcbApi_QueryPad, 10> record;  // intValue4, ..., flag2
    uint8_t stackMode = 0;
    std::array<PadLayer, kLastLegacyLayer + 1> layers{};
};
struct Net {
    RecordOf<sig::PcbApi_QueryNet, 3> record;
};
struct Class {
    RecordOf<sig::PcbApi_QueryClass, 3> record;
    std::vector<std::string> members;
};
struct FromTo {
    std::tuple<uint8_t, int32_t, int32_t, uint8_t> record;  // byteValue7, x2, y2, byteValue8
};
struct ManualFromTo {
    RecordOf<sig::PcbApi_QueryManualFromTo, 3> record;
};
struct Coordinate {
    RecordOf<sig::PcbApi_QueryCoordinate, 8> record;
};
struct Dimension {
    std::tuple<uint32_t, uint32_t> values;                         // dimValue1, dimValue2
    std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint8_t> moreValues;  // dimValue3 to dimByte
    std::vector<std::array<uint32_t, 4>> references;
    RecordOf<sig::PcbApi_QueryExtDimension, 2> ext;
};
struct EmbeddedBoard {
    RecordOf<sig::PcbApi_QueryEmbeddedBoard, 7> record;
};
struct Polygon {  // also board outlines
    std::tuple<uint8_t, uint8_t, uint8_t, uint32_t, uint32_t, uint8_t, uint16_t, uint32_t, uint8_t, uint32_t> record;
    std::vector<uint8_t> outline;
};
struct SplitPlane {
    std::tuple<uint8_t, uint32_t> record;
    std::vector<uint8_t> outline;
};
struct Embedded {
    ShortString<255> name;
    std::vector<uint8_t> buffer;
};
struct Rule {
    RecordOf<sig::PcbApi_QueryRule, 2> record;
};
struct Violation {
    RecordOf<sig::PcbApi_QueryViolation, 2> record;
};

struct Object {
    uint8_t kind = 0;
    uint16_t flags = 0;
    uint16_t hostWord = 0;
    uint32_t layerId = 0;
    int32_t hostInt1 = 0;
    uint8_t hostByte = 0;
    int32_t hostInt2 = 0;
    int32_t x = 0, y = 0;
    uint8_t bitField2 = 0;
    uint16_t bitField3 = 0;
    Rect box;
    std::variant<Plain, Track, Arc, Fill, Via, Region, Pad, Net, Class, FromTo, ManualFromTo, Coordinate, Dimension,
                 EmbeddedBoard, Polygon, SplitPlane, Embedded, Rule, Violation>
        own;
};

// More references than this on a dimension is a faulty count.
inline constexpr int32_t kMaxReferences = 1 << 20;

// Gives the dimension `count` references, reference i holding 4i + 101 to 4i + 104.
void SeedReferences(Dimension& dimension, uint32_t count);

// A new object of the kind with every value distinct and nonzero, so that a caller that hands a
// value back in the wrong place changes it visibly; objects of consecutive indexes differ in every
// value. False for a kind the editor keeps elsewhere (components, texts) or has no class for.
bool MakeObject(uint8_t kind, uint32_t index, Object& object);
// Every value of the object, one line per query call in the order of its pointer arguments, then
// the values exchanged around them (stack mode and layers, members, references); outline areas
// and buffers as a hash of their bytes.
std::string DumpObject(const Object& object);
// The hash that DumpObject shows for an area: 64-bit FNV-1a.
uint64_t AreaHash(const uint8_t* bytes, std::size_t size);

}  // namespace plz::trelpa
