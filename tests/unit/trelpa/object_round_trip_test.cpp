// The mirrors of primitives, group objects and records against the simulated PCB editor: each
// query's pointers in order, the pad's layer-by-layer exchange, class members and via per-layer
// queries, through the real binding and the editor's call log.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "RTL/pcb_api.h"
#include "RTL/pcb_board.h"
#include "RTL/pcb_factory.h"
#include "RTL/pcb_group_objects.h"
#include "RTL/pcb_pad.h"
#include "RTL/pcb_primitives.h"
#include "RTL/pcb_records.h"
#include "frame/errors.h"
#include "hostsim/trelpa/hidden_exports.h"
#include "tests/unit/trelpa/trelpa_fixture.h"

namespace plz {
namespace {

// An area as the editor shows it: its 64-bit FNV-1a hash.
struct Area {
    const uint8_t* bytes;
    std::size_t size;
};

// A mirror's values in the editor's text form (DumpObject), so that the two compare directly.
struct Text {
    std::string out;

    template <class T>
    void Put(T v) {
        if constexpr (std::is_floating_point_v<T>) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, " %.17g", v);
            out += buffer;
        } else {
            out += ' ' + std::to_string(+v);
        }
    }
    void Put(std::string_view v) {
        out += " \"";
        out += v;
        out += '"';
    }
    template <std::size_t N>
    void Put(ShortString<N> v) {
        Put(v.View());
    }
    void Put(const std::string& v) { Put(std::string_view(v)); }
    void Put(Area a) {
        uint64_t h = 14695981039346656037ull;
        for (std::size_t i = 0; i < a.size; ++i) h = (h ^ a.bytes[i]) * 1099511628211ull;
        Put(h);
    }
    // Values are taken by value: most of them are fields of packed records.
    template <class... V>
    void Line(const char* label, V... values) {
        out += label;
        (Put(values), ...);
        out += '\n';
    }
};

// The eight fields that lead the primitives' queries.
#define LEAD(c) c.Flags, c.HostWord, c.LayerId, c.HostInt1, c.HostByte, c.HostInt2, c.X, c.Y

// Per class: its kind, and its fields in the order of its query calls' pointers.
struct Row {
    uint8_t kind;
    const std::type_info& type;
    std::function<void(TPCBObject&, Text&)> lines;
};
template <class T, class F>
Row Of(uint8_t kind, F lines) {
    return {kind, typeid(T), [lines](TPCBObject& m, Text& t) { lines(dynamic_cast<T&>(m), m.Common, t); }};
}

void PolygonLines(TPcbPolygon& m, PcbObjectFields& c, Text& t) {
    const PcbPolygonFields& o = m.Own;
    t.Line("QueryPolygon", c.Flags, c.HostWord, c.LayerId, c.HostInt1, c.HostByte, o.PolyByte1, o.PolyByte2,
           o.PolyByte3, o.PolyValue1, o.PolyValue2, o.PolyByte4, o.PolyWord, o.PolyValue3, o.PolyByte5, o.PolyValue4,
           Area{m.Outline.Data(), kOutlineAreaBytes});
}
void PlainLines(TPCBObject&, PcbObjectFields& c, Text& t) {
    t.Line("QueryPrimitive", c.Flags, c.HostWord, c.LayerId, c.HostInt1, c.HostInt2, c.HostByte);
}

const std::vector<Row>& Rows() {
    static const std::vector<Row> rows = {
        Of<TPcbArc>(kArcObject, [](TPcbArc& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryArc", LEAD(c), o.Radius, o.StartAngle, o.EndAngle, o.LineWidth, o.IntValue1);
        }),
        Of<TPcbPad>(kPadObject, [](TPcbPad& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryPad", LEAD(c), o.IntValue4, o.IntValue5, o.IntValue6, o.IntValue7, o.IntValue8, o.IntValue9,
                   o.IntValue10, o.ByteValue1, o.ByteValue2, o.ByteValue3, o.Name, o.PadByte1, o.PadByte2, o.Rotation,
                   o.PadString1, o.PadString2, o.PadInt1, o.PadString3, o.PadByte3, o.PadByte4, o.PadInt2,
                   o.PadValue8, o.PadInt3, o.PadInt4, o.PadInt5, o.Flag1, o.Flag2);
            t.Line("QueryPadStackMode", o.PadStackMode);
            for (int l = 0; l < kLegacyLayerCount; ++l)
                t.Line("layer", uint8_t(l), o.Shapes[l], o.XSizes[l], o.YSizes[l], o.CornerRadii[l],
                       o.CRPercentages[l]);
        }),
        Of<TPcbVia>(kViaObject, [](TPcbVia& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryVia", c.Flags, c.HostWord, m.Layer(), c.HostInt1, c.HostByte, c.HostInt2, c.X, c.Y, o.Size,
                   o.IntValue10, o.ByteValue4, o.ByteValue5, o.Flag1, o.Flag2);
        }),
        Of<TPcbTrack>(kTrackObject, [](TPcbTrack& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryTrack", LEAD(c), o.X2, o.Y2, o.Width, o.IntValue1, o.IntValue2, o.IntValue3);
        }),
        Of<TPcbFill>(kFillObject, [](TPcbFill& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryFill", LEAD(c), o.X2, o.Y2, o.IntValue1, o.Rotation);
        }),
        Of<TPcbFromTo>(kFromToObject, [](TPcbFromTo& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryFromTo", c.HostWord, c.X, c.Y, o.ByteValue7, o.X2, o.Y2, o.ByteValue8, c.HostInt1);
        }),
        Of<TPcbNet>(kNetObject, [](TPcbNet& m, PcbObjectFields& c, Text& t) {
            t.Line("QueryNet", c.HostWord, m.Own.Name, m.Own.NetByte, m.Own.NetValue);
        }),
        Of<TPcbPolygon>(kPolygonObject, PolygonLines),
        Of<TPCBRegion>(kRegionObject, [](TPCBRegion& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryRegion", o.RegionByte, c.Flags, c.HostWord, c.LayerId, c.HostInt1, c.HostByte, c.HostInt2,
                   o.RegionValue1, o.RegionValue2, o.RegionValue3, o.RegionValue4, o.RegionValue5, o.RegionValue6);
        }),
        Of<TPcbComponentBody>(kComponentBodyObject, PlainLines),
        Of<TPcbDimension>(kDimensionObject, [](TPcbDimension& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryDimension", c.Flags, c.HostWord, c.HostByte, c.X, c.Y, o.DimValue1, o.DimValue2, c.LayerId,
                   o.DimValue3, o.DimValue4, o.DimValue5, o.DimValue6, o.DimValue7, o.DimByte);
            t.Line("References_Count", m.ReferencesCount);
            for (int32_t i = 0; i < m.ReferencesCount; ++i) {
                const auto& r = m.References[std::size_t(i)];
                t.Line("References_At", uint32_t(i), r.Value1, r.Value2, r.Value3, r.Value4);
            }
            const auto& e = m.Ext;
            t.Line("QueryExtDimension", e.DimensionKind, e.ExtValue1, e.ExtValue2, e.ExtValue3, e.ExtByte1,
                   e.ExtValue4, e.ExtString1, e.ExtByte2, e.ExtValue5, e.ExtString2, e.ExtString3, e.ExtValue6,
                   e.ExtValue7, e.ExtValue8, e.ExtValue9, e.ExtByte3, e.ExtValue10, e.ExtValue11, e.ExtValue12);
        }),
        Of<TPcbCoordinate>(kCoordinateObject, [](TPcbCoordinate& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryCoordinate", c.Flags, c.HostWord, c.HostByte, c.X, c.Y, c.LayerId, o.CoordValue1,
                   o.CoordValue2, o.CoordValue3, o.CoordValue4, o.CoordValue5, o.CoordValue6);
        }),
        Of<TPCBObjectClass>(kClassObject, [](TPCBObjectClass& m, PcbObjectFields& c, Text& t) {
            t.Line("QueryClass", c.HostWord, m.Own.ClassByte1, m.Own.ClassByte2, m.Own.Name);
            for (const std::string& member : m.Members) t.Line("member", member);
        }),
        Of<TPcbRule>(kRuleObject, [](TPcbRule& m, PcbObjectFields&, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryRule", o.RuleByte1, o.RuleByte2, o.RuleByte3, o.RuleByte4, o.RuleByte5, o.RuleByte6,
                   o.RuleByte7, o.RuleString1, o.RuleString2, o.RuleString3, o.RuleString4, o.RuleByte8, o.RuleByte9,
                   o.RuleValue1, o.RuleValue2, o.RuleValue3, o.RuleValue4, o.RuleString5, o.RuleString6,
                   o.RuleString7, o.RuleString8, o.RuleString9, o.RuleString10);
        }),
        Of<TPcbManualFromTo>(kManualFromToObject, [](TPcbManualFromTo& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryManualFromTo", c.HostWord, o.ManualString1, o.ManualString2, o.ManualString3, o.ManualValue);
        }),
        Of<TPcbDifferentialPair>(kDifferentialPairObject, PlainLines),
        Of<TPcbViolation>(kViolationObject, [](TPcbViolation& m, PcbObjectFields&, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryViolation", o.ViolationString1, o.ViolationString2, o.ViolationValue1, o.ViolationValue2,
                   o.ViolationValue3);
        }),
        Of<TPcbEmbedded>(kEmbeddedObject, [](TPcbEmbedded& m, PcbObjectFields&, Text& t) {
            t.Line("QueryEmbedded", m.EmbeddedName, Area{m.Buffer.get(), kEmbeddedBufferBytes});
        }),
        Of<TPcbEmbeddedBoard>(kEmbeddedBoardObject, [](TPcbEmbeddedBoard& m, PcbObjectFields& c, Text& t) {
            const auto& o = m.Own;
            t.Line("QueryEmbeddedBoard", c.Flags, c.HostWord, c.HostByte, c.X, c.Y, o.EmbString, o.EmbValue1,
                   o.EmbValue2, o.EmbValue3, o.EmbValue4, o.EmbValue5, o.ByteValue6, o.EmbByte);
        }),
        Of<TPcbSplitPlane>(kSplitPlaneObject, [](TPcbSplitPlane& m, PcbObjectFields& c, Text& t) {
            t.Line("QuerySplitPlane", c.Flags, c.HostWord, c.LayerId, c.HostInt1, c.HostByte, m.Own.PlaneByte,
                   m.Own.PlaneValue, Area{m.Outline.Data(), kOutlineAreaBytes});
        }),
        Of<TPcbBoardOutline>(kBoardOutlineObject, PolygonLines),
    };
    return rows;
}

std::string Values(const Row& row, TPCBObject& mirror) {
    Text t;
    t.Line("bits", mirror.Common.BitField2, mirror.Common.BitField3);
    row.lines(mirror, t);
    return t.out;
}

class TrelpaObjects : public test::TrelpaFixture {
protected:
    void SetUp() override {
        TrelpaFixture::SetUp();
        BindPcbApi();
    }
    static std::string HostValues(uint32_t handle) { return control_->DumpObject(handle); }
    // The logged calls, one line each, without their results.
    static std::vector<std::string> LoggedCalls() {
        std::vector<std::string> calls;
        std::istringstream log(control_->CallLog());
        for (std::string line; std::getline(log, line);) calls.push_back(line.substr(0, line.rfind(')') + 1));
        return calls;
    }
};

TEST_F(TrelpaObjects, EditorHoldsObjectsOfTheKindsWithAClassAndAnswersOnlyTheirOwnQueries) {
    for (uint8_t kind : {0, 5, 9, 23, 24, 25, 27, 255}) EXPECT_EQ(control_->AddObject(kind), 0u) << int(kind);
    const uint32_t track = control_->AddObject(kTrackObject), pad = control_->AddObject(kPadObject);
    const uint32_t secondTrack = control_->AddObject(kTrackObject);
    EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(pad), kPadObject);
    EXPECT_EQ(PcbApi_GetObjectIdFromObjectHandle(track + 1), 0);  // no object there
    EXPECT_STREQ(control_->DumpObject(track + 1), "");

    // A handle of another kind is unknown to a query.
    int32_t v[14] = {};
    uint16_t w[2] = {};
    uint32_t layer = 0;
    uint8_t b = 0;
    EXPECT_EQ(PcbApi_QueryTrack(1, pad, &w[0], &w[1], &layer, &v[0], &b, &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                                &v[7], &v[8], &v[9]),
              1u);
    EXPECT_EQ(PcbApi_QueryTrack(1, track, &w[0], &w[1], &layer, &v[0], &b, &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                                &v[7], &v[8], &v[9]),
              0u);
    int32_t left = 0, bottom = 0, right = 0, top = 0;
    EXPECT_EQ(PcbApi_QueryObjectBoundingRectangle(track, &left, &bottom, &right, &top), 0u);
    EXPECT_EQ(right - left, 2000);
    EXPECT_EQ(left + 1000, v[2]);  // around the location

    // The board's iteration hands out the objects of the asked kind on the asked layer.
    static std::vector<uint32_t> visited;
    visited.clear();
    LayerSet topLayer;
    topLayer.Include(kTopLayer);
    TPcbBoard(board_).Iterate([](uint32_t handle) { visited.push_back(handle); }, ObjectSetOf(kTrackObject),
                              topLayer, 0);
    EXPECT_EQ(visited, (std::vector<uint32_t>{track, secondTrack}));
}

TEST_F(TrelpaObjects, EveryClassFetchesEachValueIntoItsFieldAndStoresItBackToItsPlace) {
    for (const Row& row : Rows()) {
        SCOPED_TRACE("kind " + std::to_string(row.kind));
        const uint32_t a = control_->AddObject(row.kind), b = control_->AddObject(row.kind);
        const std::string valuesOfA = HostValues(a);
        ASSERT_NE(valuesOfA, HostValues(b));

        const std::unique_ptr<TPCBObject> mirror = CreateObjectFromHandle(a);
        ASSERT_TRUE(mirror);
        const TPCBObject& object = *mirror;
        EXPECT_EQ(typeid(object), row.type);
        EXPECT_EQ(mirror->ObjectKind(), row.kind);
        EXPECT_EQ(Values(row, *mirror), valuesOfA);

        mirror->SetHandle(b);
        EXPECT_EQ(mirror->Transfer(Direction::Store), 0u);
        EXPECT_EQ(HostValues(b), valuesOfA);
    }
}

TEST_F(TrelpaObjects, PadFetchAsksEveryLayerAndTakesTheMidPercentageFromLayer31) {
    const uint32_t pad = control_->AddObject(kPadObject);
    ASSERT_NE(control_->SetPadLayer(pad, 30, 1, 100, 200, 7, 99), 0);  // layers 2 to 30 do not count
    ASSERT_NE(control_->SetPadLayer(pad, 31, 1, 100, 200, 7, 45), 0);
    control_->SetLogging(1);
    TPcbPad p(pad);
    EXPECT_EQ(p.Transfer(Direction::Fetch), 0u);
    const std::vector<std::string> calls = LoggedCalls();
    ASSERT_EQ(calls.size(), 336u);
    EXPECT_EQ(calls[4].substr(0, calls[4].find('(')), "PcbApi_QueryPadOrViaShapeOnLayer");
    const std::string h = std::to_string(pad);
    EXPECT_EQ(calls[335], "PcbApi_QueryPadCRPercentageOnLayer(" + h + ", 82, &83)");
    EXPECT_EQ(p.Own.TopCRPercentage, 2);
    EXPECT_EQ(p.Own.MidCRPercentage, 45);
    EXPECT_EQ(p.Own.BottomCRPercentage, 33);
    EXPECT_EQ(p.CornerRadiusOnLayer(31), 7u);
    EXPECT_EQ(p.XSizeOnLayer(31), 100);
}

TEST_F(TrelpaObjects, PadStoreWritesEveryLayerInFullStackModeAndOtherwiseOnlyPercentagesForShape9) {
    const uint32_t pad = control_->AddObject(kPadObject);
    const std::string h = std::to_string(pad);
    TPcbPad p(pad);
    p.Transfer(Direction::Fetch);
    p.Own.TopCRPercentage = 11;
    p.Own.MidCRPercentage = 22;
    p.Own.BottomCRPercentage = 33;

    // Another stack mode: the three percentages once for each layer of shape 9, nothing else.
    p.Own.Shapes[5] = p.Own.Shapes[40] = kPadShapeRoundedRectangle;
    control_->SetLogging(1);
    p.Transfer(Direction::Store);
    std::vector<std::string> calls = LoggedCalls();
    ASSERT_EQ(calls.size(), 4u + 6u);
    EXPECT_EQ(calls[3], "PcbApi_QueryPadStackMode(0, " + h + ", &1)");
    const char* const layers[] = {"1, 11", "32, 33", "2, 22"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(calls[4 + i], "PcbApi_SetCRPctOnLayer(" + h + ", " + layers[i % 3] + ")");

    // Full stack mode: shape, size and percentage of every layer, corner radii never.
    ASSERT_NE(control_->SetPadStackMode(pad, kPadStackModeFull), 0);
    p.Transfer(Direction::Fetch);
    EXPECT_EQ(p.Own.PadStackMode, kPadStackModeFull);
    p.Own.Shapes[40] = kPadShapeRoundedRectangle;
    for (int l = 0; l < kLegacyLayerCount; ++l) {
        p.Own.XSizes[l] = 500 + l;
        p.Own.CornerRadii[l] = 0;
    }
    control_->ClearCallLog();
    p.Transfer(Direction::Commit);
    calls = LoggedCalls();
    ASSERT_EQ(calls.size(), 4u + 249u);
    EXPECT_EQ(calls[3], "PcbApi_QueryPadStackMode(2, " + h + ", &2)");
    EXPECT_EQ(calls[4], "PcbApi_SetPadShapeOnLayer(" + h + ", 0, 1)");
    EXPECT_EQ(calls[5], "PcbApi_SetPadSizeOnLayer(" + h + ", 0, 500, 20002)");
    EXPECT_EQ(calls[6], "PcbApi_SetCRPctOnLayer(" + h + ", 0, 1)");
    EXPECT_EQ(calls[4 + 3 * 40], "PcbApi_SetPadShapeOnLayer(" + h + ", 40, 9)");
    EXPECT_EQ(calls[252], "PcbApi_SetCRPctOnLayer(" + h + ", 82, 83)");
    // The editor holds the mirror's layers, with its own corner radii.
    TPcbPad again(pad);
    again.Transfer(Direction::Fetch);
    EXPECT_EQ(again.XSizeOnLayer(82), 582);
    EXPECT_EQ(again.ShapeOnLayer(40), kPadShapeRoundedRectangle);
    EXPECT_EQ(again.CornerRadiusOnLayer(82), 30082u);
}

TEST_F(TrelpaObjects, PadWhoseQueryFailsExchangesNothingFurther) {
    const uint32_t pad = control_->AddObject(kPadObject);
    ASSERT_NE(control_->SetFailure("PcbApi_QueryPad", 6), 0);
    TPcbPad p(pad);
    p.Own.PadStackMode = kPadStackModeFull;
    EXPECT_EQ(p.Transfer(Direction::Fetch), 6u);
    EXPECT_EQ(p.Transfer(Direction::Store), 6u);
    EXPECT_EQ(control_->CallCount("PcbApi_QueryPadStackMode"), 0u);
    EXPECT_EQ(control_->CallCount("PcbApi_SetPadShapeOnLayer"), 0u);
    EXPECT_EQ(p.XSizeOnLayer(1), 0);
}

TEST_F(TrelpaObjects, ClassMembersAreReadInOrderAndReplacedWithNamesCutTo255) {
    const uint32_t cls = control_->AddObject(kClassObject);
    const char* const three[] = {"GND", "VCC", "CLK"};
    ASSERT_NE(control_->SetClassMembers(cls, three, 3), 0);
    const std::string h = std::to_string(cls);

    control_->SetLogging(1);
    TPCBObjectClass c(cls);
    EXPECT_EQ(c.Transfer(Direction::Fetch), 1u);  // the read that found no member
    EXPECT_EQ(c.Members, (std::vector<std::string>{"GND", "VCC", "CLK"}));
    std::vector<std::string> calls = LoggedCalls();
    ASSERT_EQ(calls.size(), 3u + 4u);
    EXPECT_EQ(calls[3], "PcbApi_GetMemberFromClassAt(" + h + ", 0, &\"GND\")");
    EXPECT_EQ(calls[6].substr(0, calls[6].find('&')), "PcbApi_GetMemberFromClassAt(" + h + ", 3, ");

    const std::string longName(300, 'n');
    c.Members = {"B", longName, "A"};
    control_->ClearCallLog();
    EXPECT_EQ(c.Transfer(Direction::Store), 0u);
    calls = LoggedCalls();
    ASSERT_EQ(calls.size(), 3u + 4u);
    EXPECT_EQ(calls[3], "PcbApi_RemoveAllMembersFromClass(" + h + ")");
    EXPECT_EQ(calls[4], "PcbApi_AddMemberToClass(" + h + ", &\"B\")");
    EXPECT_EQ(calls[5], "PcbApi_AddMemberToClass(" + h + ", &\"" + longName.substr(0, 255) + "\")");
    EXPECT_EQ(calls[6], "PcbApi_AddMemberToClass(" + h + ", &\"A\")");

    // A second fetch appends the host's members again.
    c.Transfer(Direction::Fetch);
    EXPECT_EQ(c.Members, (std::vector<std::string>{"B", longName, "A", "B", longName.substr(0, 255), "A"}));
}

TEST_F(TrelpaObjects, ClassMemberReadingOfAHostThatNeverEndsStopsWithAnError) {
    const uint32_t cls = control_->AddObject(kClassObject);
    ASSERT_NE(control_->SetFailure("PcbApi_GetMemberFromClassAt", 0), 0);  // answers 0 for every index
    TPCBObjectClass c(cls);
    c.Members = {"kept"};
    EXPECT_THROW(c.Transfer(Direction::Fetch), Exception);
    EXPECT_EQ(c.Members, std::vector<std::string>{"kept"});
    EXPECT_EQ(control_->CallCount("PcbApi_GetMemberFromClassAt"), uint32_t(kMaxClassMembers) + 1);
}

TEST_F(TrelpaObjects, DimensionReferencesAreReadByIndexUpToTheHostsCount) {
    for (uint32_t count : {0u, 3u, 300u}) {
        const uint32_t dimension = control_->AddObject(kDimensionObject);
        ASSERT_NE(control_->SetReferenceCount(dimension, count), 0);
        control_->ClearCallCounts();
        TPcbDimension d(dimension);
        EXPECT_EQ(d.Transfer(Direction::Fetch), 0u);
        EXPECT_EQ(control_->CallCount("PcbApi_References_At"), count);
        EXPECT_EQ(d.ReferencesCount, int32_t(count));
        if (count) {
            EXPECT_EQ(d.References[count - 1].Value4, 4 * (count - 1) + 104);
        }
    }
}

TEST_F(TrelpaObjects, ViaPerLayerValuesComeFromTheHostAnd0WhenItFails) {
    const uint32_t via = control_->AddObject(kViaObject);
    const std::unique_ptr<TPCBObject> v = CreateObjectFromHandle(via);
    ASSERT_TRUE(v);
    EXPECT_EQ(v->Layer(), kTopLayer);
    EXPECT_NE(v->Size(), 0);
    EXPECT_EQ(v->XSize(), v->Size());
    EXPECT_EQ(v->YSize(), v->Size());
    EXPECT_EQ(v->SizeOnLayer(kBottomLayer), v->Size());  // any layer, not only its own
    EXPECT_EQ(v->ShapeOnLayer(kBottomLayer), 1);
    EXPECT_EQ(v->SizeOnLayer(83), 0);  // the editor knows no such layer

    control_->SetFailure("PcbApi_QueryPadOrViaSizeOnLayer", 1);
    control_->SetFailure("PcbApi_QueryPadOrViaShapeOnLayer", 1);
    EXPECT_EQ(v->SizeOnLayer(kTopLayer), 0);
    EXPECT_EQ(v->ShapeOnLayer(kTopLayer), 0);
    control_->ClearFailures();
    {
        trelpa::HiddenExports hidden({"PcbApi_QueryPadOrViaSizeOnLayer", "PcbApi_QueryPadOrViaShapeOnLayer"});
        BindPcbApi();
    }
    EXPECT_EQ(v->SizeOnLayer(kTopLayer), 0);
    EXPECT_EQ(v->ShapeOnLayer(kTopLayer), 0);
    BindPcbApi();
}

TEST_F(TrelpaObjects, EmbeddedRecordLendsItsOwnBufferToTheHost) {
    const uint32_t handle = control_->AddObject(kEmbeddedObject);
    control_->SetLogging(1);
    auto embedded = std::make_unique<TPcbEmbedded>(handle);
    const uint8_t* buffer = embedded->Buffer.get();
    embedded->Transfer(Direction::Fetch);
    EXPECT_EQ(embedded->Buffer.get(), buffer);
    EXPECT_NE(buffer[1], 0);  // filled by the host
    EXPECT_NE(std::string(control_->CallLog()).find("PcbApi_QueryEmbedded(1, " + std::to_string(handle)),
              std::string::npos);
    embedded.reset();  // the sanitizers see a second release or none
}

}  // namespace
}  // namespace plz
