// The simulated PCB editor's objects of the other kinds: their seeded values, their lookup by
// handle and their text form.
#include "hostsim/trelpa/objects.h"

#include <cstdio>
#include <string_view>

#include "RTL/pcb_wire.h"

namespace plz::trelpa {

Object* Editor::FindObject(uint32_t handle) {
    const uint32_t i = HandleIndex(handle);
    return i < objects.size() && objects[i].kind == HandleTag(handle) ? &objects[i] : nullptr;
}

namespace {

// Gives each value the next number, spread over the whole width of its type: a value exchanged
// through a pointer of the wrong width or into the wrong field shows.
struct Seeder {
    uint32_t n = 1;
    std::string group;

    void operator()(uint8_t& v) { v = uint8_t(n++); }
    void operator()(uint16_t& v) { v = uint16_t(n++ * 0x0101u); }
    void operator()(uint32_t& v) { v = n++ * 0x01010101u; }
    void operator()(int32_t& v) { v = int32_t(n++ * 0x01010101u); }
    void operator()(uint64_t& v) {
        v = uint64_t(n) << 32 | n;
        ++n;
    }
    void operator()(double& v) { v = n++ + 0.25; }
    template <std::size_t N>
    void operator()(ShortString<N>& v) {
        v.Assign(group + " " + std::to_string(n++));
    }
    template <class... T>
    void operator()(std::tuple<T...>& record) {
        std::apply([&](auto&... field) { ((*this)(field), ...); }, record);
    }
};

std::vector<uint8_t> Area(std::size_t size, uint8_t salt) {
    std::vector<uint8_t> area(size);
    for (std::size_t i = 0; i < size; ++i) area[i] = uint8_t(i * 13 + salt);
    return area;
}

}  // namespace

bool MakeObject(uint8_t kind, uint32_t index, Object& o) {
    static const char* const kGroups[] = {
        "",     "Arc",  "Pad",  "Via",      "Track",  "",       "Fill",  "FromTo", "Net",  "",
        "Poly", "Region", "Body", "Dim",    "Coord",  "Class",  "Rule",  "Manual", "Pair", "Violation",
        "Embedded", "EmbBoard", "Plane", "", "", "", "Outline"};
    if (kind >= std::size(kGroups) || !*kGroups[kind]) return false;
    o = Object{};
    o.kind = kind;
    // Objects added one after the other start their numbers apart.
    const uint32_t first = 1 + 7 * (index % 16);
    const uint8_t salt = uint8_t(kind + first);
    Seeder seed{first, kGroups[kind]};
    seed(o.flags), seed(o.hostWord), seed(o.hostInt1), seed(o.hostByte), seed(o.hostInt2);
    seed(o.x), seed(o.y), seed(o.bitField2), seed(o.bitField3);
    o.layerId = kTopLayer;
    o.box = {o.x - 1000, o.y - 1000, o.x + 1000, o.y + 1000};
    switch (kind) {
        case kArcObject: seed(o.own.emplace<Arc>().record); break;
        case kPadObject: {
            Pad& p = o.own.emplace<Pad>();
            seed(p.record);
            p.stackMode = 1;
            for (uint32_t l = 0; l <= kLastLegacyLayer; ++l)
                p.layers[l] = {uint8_t(1 + l % 3), int32_t(10001 + 100 * l), int32_t(20002 + 100 * l), 30000 + l,
                               uint8_t(l + 1)};
            break;
        }
        case kViaObject: seed(o.own.emplace<Via>().record); break;
        case kTrackObject: seed(o.own.emplace<Track>().record); break;
        case kFillObject: seed(o.own.emplace<Fill>().record); break;
        case kFromToObject: seed(o.own.emplace<FromTo>().record); break;
        case kNetObject: seed(o.own.emplace<Net>().record); break;
        case kPolygonObject:
        case kBoardOutlineObject: {
            Polygon& p = o.own.emplace<Polygon>();
            seed(p.record);
            p.outline = Area(kOutlineAreaBytes, salt);
            break;
        }
        case kRegionObject: {
            Region& r = o.own.emplace<Region>();
            seed(r.regionByte);
            seed(r.record);
            break;
        }
        case kComponentBodyObject:
        case kDifferentialPairObject: break;
        case kDimensionObject: {
            Dimension& d = o.own.emplace<Dimension>();
            seed(d.values), seed(d.moreValues), seed(d.ext);
            SeedReferences(d, 3);
            break;
        }
        case kCoordinateObject: seed(o.own.emplace<Coordinate>().record); break;
        case kClassObject: {
            Class& c = o.own.emplace<Class>();
            seed(c.record);
            c.members = {"Class member 1", "Class member 2"};
            break;
        }
        case kRuleObject: seed(o.own.emplace<Rule>().record); break;
        case kManualFromToObject: seed(o.own.emplace<ManualFromTo>().record); break;
        case kViolationObject: seed(o.own.emplace<Violation>().record); break;
        case kEmbeddedObject: {
            Embedded& e = o.own.emplace<Embedded>();
            seed(e.name);
            e.buffer = Area(kEmbeddedBufferBytes, salt);
            break;
        }
        case kEmbeddedBoardObject: seed(o.own.emplace<EmbeddedBoard>().record); break;
        case kSplitPlaneObject: {
            SplitPlane& s = o.own.emplace<SplitPlane>();
            seed(s.record);
            s.outline = Area(kOutlineAreaBytes, salt);
            break;
        }
        default: return false;
    }
    return true;
}

void SeedReferences(Dimension& d, uint32_t count) {
    d.references.resize(count);
    for (uint32_t i = 0; i < count; ++i) d.references[i] = {4 * i + 101, 4 * i + 102, 4 * i + 103, 4 * i + 104};
}

uint64_t AreaHash(const uint8_t* bytes, std::size_t size) {
    uint64_t h = 14695981039346656037ull;
    for (std::size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
    return h;
}

// --- text form -------------------------------------------------------------------------------

namespace {

struct Writer {
    std::string out;

    template <class T>
    void Put(const T& v) {
        if constexpr (std::is_floating_point_v<T>) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, " %.17g", v);
            out += buffer;
        } else {
            out += ' ' + std::to_string(+v);
        }
    }
    template <std::size_t N>
    void Put(const ShortString<N>& v) {
        Put(v.View());
    }
    void Put(std::string_view v) {
        out += " \"";
        out += v;
        out += '"';
    }
    void Put(const std::string& v) { Put(std::string_view(v)); }
    void Put(const std::vector<uint8_t>& area) { Put(AreaHash(area.data(), area.size())); }
    template <class... T>
    void Put(const std::tuple<T...>& record) {
        std::apply([&](const auto&... field) { (Put(field), ...); }, record);
    }
    template <class... V>
    void Line(const char* label, const V&... values) {
        out += label;
        (Put(values), ...);
        out += '\n';
    }
};

}  // namespace

std::string DumpObject(const Object& o) {
    Writer t;
    t.Line("bits", o.bitField2, o.bitField3);
    // The eight fields that lead the primitives' queries.
    const auto lead = std::tie(o.flags, o.hostWord, o.layerId, o.hostInt1, o.hostByte, o.hostInt2, o.x, o.y);
    std::visit(
        [&](const auto& own) {
            using T = std::decay_t<decltype(own)>;
            if constexpr (std::is_same_v<T, Plain>) {
                t.Line("QueryPrimitive", o.flags, o.hostWord, o.layerId, o.hostInt1, o.hostInt2, o.hostByte);
            } else if constexpr (std::is_same_v<T, Track>) {
                t.Line("QueryTrack", lead, own.record);
            } else if constexpr (std::is_same_v<T, Arc>) {
                t.Line("QueryArc", lead, own.record);
            } else if constexpr (std::is_same_v<T, Fill>) {
                t.Line("QueryFill", lead, own.record);
            } else if constexpr (std::is_same_v<T, Via>) {
                t.Line("QueryVia", o.flags, o.hostWord, uint8_t(o.layerId), o.hostInt1, o.hostByte, o.hostInt2, o.x,
                       o.y, own.record);
            } else if constexpr (std::is_same_v<T, Region>) {
                t.Line("QueryRegion", own.regionByte, o.flags, o.hostWord, o.layerId, o.hostInt1, o.hostByte,
                       o.hostInt2, own.record);
            } else if constexpr (std::is_same_v<T, Pad>) {
                t.Line("QueryPad", lead, own.record);
                t.Line("QueryPadStackMode", own.stackMode);
                for (int l = 0; l <= kLastLegacyLayer; ++l) {
                    const PadLayer& y = own.layers[l];
                    t.Line("layer", uint8_t(l), y.shape, y.xSize, y.ySize, y.cornerRadius, y.percentage);
                }
            } else if constexpr (std::is_same_v<T, Net>) {
                t.Line("QueryNet", o.hostWord, own.record);
            } else if constexpr (std::is_same_v<T, Class>) {
                t.Line("QueryClass", o.hostWord, own.record);
                for (const std::string& m : own.members) t.Line("member", m);
            } else if constexpr (std::is_same_v<T, FromTo>) {
                const auto& [byte7, x2, y2, byte8] = own.record;
                t.Line("QueryFromTo", o.hostWord, o.x, o.y, byte7, x2, y2, byte8, o.hostInt1);
            } else if constexpr (std::is_same_v<T, ManualFromTo>) {
                t.Line("QueryManualFromTo", o.hostWord, own.record);
            } else if constexpr (std::is_same_v<T, Coordinate>) {
                t.Line("QueryCoordinate", o.flags, o.hostWord, o.hostByte, o.x, o.y, o.layerId, own.record);
            } else if constexpr (std::is_same_v<T, Dimension>) {
                t.Line("QueryDimension", o.flags, o.hostWord, o.hostByte, o.x, o.y, own.values, o.layerId,
                       own.moreValues);
                t.Line("References_Count", int32_t(own.references.size()));
                for (std::size_t i = 0; i < own.references.size(); ++i) {
                    const auto& r = own.references[i];
                    t.Line("References_At", uint32_t(i), r[0], r[1], r[2], r[3]);
                }
                t.Line("QueryExtDimension", own.ext);
            } else if constexpr (std::is_same_v<T, EmbeddedBoard>) {
                t.Line("QueryEmbeddedBoard", o.flags, o.hostWord, o.hostByte, o.x, o.y, own.record);
            } else if constexpr (std::is_same_v<T, Polygon>) {
                t.Line("QueryPolygon", o.flags, o.hostWord, o.layerId, o.hostInt1, o.hostByte, own.record,
                       own.outline);
            } else if constexpr (std::is_same_v<T, SplitPlane>) {
                t.Line("QuerySplitPlane", o.flags, o.hostWord, o.layerId, o.hostInt1, o.hostByte, own.record,
                       own.outline);
            } else if constexpr (std::is_same_v<T, Embedded>) {
                t.Line("QueryEmbedded", own.name, own.buffer);
            } else if constexpr (std::is_same_v<T, Rule>) {
                t.Line("QueryRule", own.record);
            } else if constexpr (std::is_same_v<T, Violation>) {
                t.Line("QueryViolation", own.record);
            }
        },
        o.own);
    return t.out;
}

}  // namespace plz::trelpa
