// Mirrors of primitives, group objects and records on their own: constructors, MoveBy, the pad's
// per-layer geometry, and the dimension's counted references against a scripted host.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "RTL/pcb_group_objects.h"
#include "RTL/pcb_pad.h"
#include "RTL/pcb_primitives.h"
#include "RTL/pcb_records.h"
#include "fake_pcb_module.h"
#include "frame/errors.h"

namespace plz::test {
namespace {

constexpr uint8_t kStore = 0, kFetch = 1;

TEST(PcbPrimitives, ConstructorsSetTheKindAndTheirOwnDefaultsOnly) {
    EXPECT_EQ(TPcbManualFromTo(3).ObjectKind(), kManualFromToObject);
    EXPECT_EQ(TPcbManualFromTo(3).HostWord(), 0);
    TPcbDimension dimension(3);
    EXPECT_EQ(dimension.Ext.DimensionKind, 8);
    EXPECT_EQ(dimension.References.size(), 200u);
    EXPECT_EQ(TPcbEmbeddedBoard(3).Layer(), kTopLayer);
    TPcbBoardOutline outline(3);
    EXPECT_EQ(outline.ObjectKind(), kBoardOutlineObject);
    EXPECT_NE(dynamic_cast<TPcbPolygon*>(&outline), nullptr);
    TPcbEmbedded embedded(3);
    ASSERT_NE(embedded.Buffer, nullptr);
    EXPECT_EQ(embedded.Buffer[kEmbeddedBufferBytes - 1], 0);
    EXPECT_TRUE(TPCBObjectClass(3).Members.empty());
    TPcbVia via(3);
    via.SetSize(120);
    EXPECT_EQ(via.XSize(), 120);
    EXPECT_EQ(via.YSize(), 120);
}

TEST(PcbPrimitives, MoveByMovesBothEndsOfTracksAndFillsButOnlyTheFirstPointOfArcsAndFromTos) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<TPCBObject>()> make;
        int32_t x2, y2;  // the second point after the move
    };
    const Case cases[] = {
        {"track", [] { return std::make_unique<TPcbTrack>(0); }, 310, 390},
        {"fill", [] { return std::make_unique<TPcbFill>(0); }, 310, 390},
        {"arc", [] { return std::make_unique<TPcbArc>(0); }, 10, -10},  // X2, Y2 answer the centre
        {"from-to", [] { return std::make_unique<TPcbFromTo>(0); }, 300, 400},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<TPCBObject> m = c.make();
        m->SetX2(300);
        m->SetY2(400);
        m->MoveBy(10, -10);
        EXPECT_EQ(m->X(), 10) << c.name;
        EXPECT_EQ(m->Y(), -10) << c.name;
        EXPECT_EQ(m->X2(), c.x2) << c.name;
        EXPECT_EQ(m->Y2(), c.y2) << c.name;
    }
}

// A pad at (x, y) turned by `rotation` with the sizes on TopLayer.
std::unique_ptr<TPcbPad> PadOnTop(int32_t xSize, int32_t ySize, double rotation = 0, int32_t x = 0, int32_t y = 0) {
    auto pad = std::make_unique<TPcbPad>(0);
    pad->SetX(x);
    pad->SetY(y);
    pad->SetRotation(rotation);
    pad->Own.XSizes[kTopLayer] = xSize;
    pad->Own.YSizes[kTopLayer] = ySize;
    return pad;
}

TEST(PcbPad, CentreLineRunsAlongTheLongerSide) {
    const struct {
        int32_t xSize, ySize;
        double rotation;
        int32_t x, y, startX, startY, endX, endY;
    } cases[] = {
        {60, 20, 0, 0, 0, -20, 0, 20, 0},
        {60, 20, 90, 0, 0, 0, -20, 0, 20},
        {20, 60, 0, 0, 0, 0, 20, 0, -20},
        {40, 40, 30, 7, 9, 7, 9, 7, 9},        // square: both ends at the location
        {63, 20, 0, 100, 0, 79, 0, 121, 0},    // 63 halves to 31: 21 each way, not 21.5
    };
    for (const auto& c : cases) {
        const auto owned = PadOnTop(c.xSize, c.ySize, c.rotation, c.x, c.y);
        TPcbPad& pad = *owned;
        const auto where = ::testing::Message() << c.xSize << "x" << c.ySize << " at " << c.rotation;
        EXPECT_EQ(pad.LineStartXOnLayer(kTopLayer), c.startX) << where;
        EXPECT_EQ(pad.LineStartYOnLayer(kTopLayer), c.startY) << where;
        EXPECT_EQ(pad.LineEndXOnLayer(kTopLayer), c.endX) << where;
        EXPECT_EQ(pad.LineEndYOnLayer(kTopLayer), c.endY) << where;
    }
}

TEST(PcbPad, PerLayerSizesWidthAndCornersComeFromTheLayersTable) {
    const auto owned = PadOnTop(60, 20);
    TPcbPad& pad = *owned;
    pad.Own.Shapes[kTopLayer] = 3;
    pad.Own.CornerRadii[kTopLayer] = 4;
    EXPECT_EQ(pad.XSizeOnLayer(kTopLayer), 60);
    EXPECT_EQ(pad.YSizeOnLayer(kTopLayer), 20);
    EXPECT_EQ(pad.ShapeOnLayer(kTopLayer), 3);
    EXPECT_EQ(pad.CornerRadiusOnLayer(kTopLayer), 4u);
    EXPECT_EQ(pad.WidthOnLayer(kTopLayer), 20);
    EXPECT_EQ(pad.XSizeOnLayer(kBottomLayer), 0);  // another layer's entry, not the pad's own layer

    // 70 by 30 with the expansion 5, turned by 0 and by 90 degrees.
    EXPECT_EQ(pad.Corner1XOnLayer(kTopLayer, 5), -35);
    EXPECT_EQ(pad.Corner1YOnLayer(kTopLayer, 5), -15);
    EXPECT_EQ(pad.Corner4XOnLayer(kTopLayer, 5), 35);
    EXPECT_EQ(pad.Corner4YOnLayer(kTopLayer, 5), 15);
    pad.SetRotation(90);
    EXPECT_EQ(pad.Corner1XOnLayer(kTopLayer, 5), 15);
    EXPECT_EQ(pad.Corner1YOnLayer(kTopLayer, 5), -35);
    EXPECT_EQ(pad.Corner2XOnLayer(kTopLayer, 5), 15);
    EXPECT_EQ(pad.Corner2YOnLayer(kTopLayer, 5), 35);

    // Y size 0: the corners lie on a line through the location, unturned.
    const auto ownedFlat = PadOnTop(60, 0, 45, 100, 50);
    TPcbPad& flat = *ownedFlat;
    const int32_t corners[] = {flat.Corner1XOnLayer(kTopLayer, 0), flat.Corner1YOnLayer(kTopLayer, 0),
                               flat.Corner2XOnLayer(kTopLayer, 0), flat.Corner2YOnLayer(kTopLayer, 0),
                               flat.Corner3XOnLayer(kTopLayer, 0), flat.Corner3YOnLayer(kTopLayer, 0),
                               flat.Corner4XOnLayer(kTopLayer, 0), flat.Corner4YOnLayer(kTopLayer, 0)};
    EXPECT_EQ(std::vector(std::begin(corners), std::end(corners)),
              (std::vector<int32_t>{70, 50, 130, 50, 70, 50, 130, 50}));
}

TEST(PcbPad, LayerNumbersBeyondTheTableAnswer0) {
    const auto owned = PadOnTop(60, 20, 0, 5, 5);
    TPcbPad& pad = *owned;
    for (int l = 0; l < kLegacyLayerCount; ++l) pad.Own.XSizes[l] = pad.Own.YSizes[l] = 10 + l;
    const std::function<int64_t(TPcbPad&, uint8_t)> operations[] = {
        [](TPcbPad& p, uint8_t l) { return p.XSizeOnLayer(l); },
        [](TPcbPad& p, uint8_t l) { return p.YSizeOnLayer(l); },
        [](TPcbPad& p, uint8_t l) { return p.ShapeOnLayer(l); },
        [](TPcbPad& p, uint8_t l) { return p.CornerRadiusOnLayer(l); },
        [](TPcbPad& p, uint8_t l) { return p.WidthOnLayer(l); },
        [](TPcbPad& p, uint8_t l) { return p.Corner3XOnLayer(l, 1); },
        [](TPcbPad& p, uint8_t l) { return p.Corner4YOnLayer(l, 1); },
        [](TPcbPad& p, uint8_t l) { return p.LineStartXOnLayer(l); },
        [](TPcbPad& p, uint8_t l) { return p.LineEndYOnLayer(l); },
    };
    for (uint8_t layer : {83, 200, 255})
        for (std::size_t i = 0; i < std::size(operations); ++i)
            EXPECT_EQ(operations[i](pad, layer), 0) << "operation " << i << " on layer " << int(layer);
    EXPECT_EQ(pad.WidthOnLayer(kLastLegacyLayer), 92);
}

// A host whose dimension reports `count` references and writes index-based values into them.
struct HostDimension {
    int32_t count = 0;
    uint32_t mainStatus = 0, extStatus = 0;

    void Install(FakePcbModule& pcb) {
        pcb.on.PcbApi_QueryDimension = [this](uint8_t, uint32_t, uint16_t*, uint16_t*, uint8_t*, int32_t*, int32_t*,
                                              uint32_t*, uint32_t*, uint32_t*, uint32_t*, uint32_t*, uint32_t*,
                                              uint32_t*, uint32_t*, uint8_t*) { return mainStatus; };
        pcb.on.PcbApi_References_Count = [this](uint8_t d, uint32_t, int32_t* n) {
            if (d == kFetch) StoreUnaligned(n, count);
            return 0u;
        };
        pcb.on.PcbApi_References_At = [](uint8_t d, uint32_t, uint32_t i, uint32_t* a, uint32_t*, uint32_t*,
                                         uint32_t* z) {
            if (d == kFetch) StoreUnaligned(a, i + 1000), StoreUnaligned(z, i + 4000);
            return 0u;
        };
        pcb.on.PcbApi_QueryExtDimension = [this](uint8_t, uint32_t, uint8_t*, uint32_t*, uint32_t*, uint32_t*,
                                                 uint8_t*, uint32_t*, ShortString<255>*, uint8_t*, uint32_t*,
                                                 ShortString<255>*, ShortString<255>*, uint64_t*, uint32_t*,
                                                 uint32_t*, uint32_t*, uint8_t*, uint32_t*, uint32_t*,
                                                 uint32_t*) { return extStatus; };
    }
};

std::vector<uint64_t> ReferenceIndexes(const FakePcbModule& pcb) {
    std::vector<uint64_t> indexes;
    for (const HostCall& c : pcb.CallsOf("PcbApi_References_At")) indexes.push_back(c.args.at(2));
    return indexes;
}

TEST(PcbDimension, ReferencesFollowTheHostsCountAndTheListGrowsBeyond200) {
    for (int32_t count : {0, 3, 200, 301}) {
        FakePcbModule pcb;
        HostDimension host{count};
        host.Install(pcb);
        TPcbDimension d(8);
        d.Transfer(Direction::Fetch);
        std::vector<uint64_t> expected(static_cast<std::size_t>(count));
        for (int32_t i = 0; i < count; ++i) expected[std::size_t(i)] = uint64_t(i);
        EXPECT_EQ(ReferenceIndexes(pcb), expected) << count;
        EXPECT_EQ(d.ReferencesCount, count);
        ASSERT_GE(d.References.size(), std::size_t(std::max(count, 200)));
        if (count) {
            EXPECT_EQ(d.References[std::size_t(count - 1)].Value4, uint32_t(count - 1 + 4000));
        }

        // A store sends the mirror's count and as many references back.
        pcb.log.clear();
        d.Transfer(Direction::Store);
        EXPECT_EQ(ReferenceIndexes(pcb).size(), std::size_t(count));
        EXPECT_EQ(pcb.CallsOf("PcbApi_References_Count").at(0).args.at(0), kStore);
    }
}

TEST(PcbDimension, ACountOutsideTheBoundFailsAndExchangesNoReference) {
    for (int32_t count : {-1, INT32_MIN, kMaxDimensionReferences + 1}) {
        FakePcbModule pcb;
        HostDimension host{count};
        host.Install(pcb);
        TPcbDimension d(8);
        EXPECT_THROW(d.Transfer(Direction::Fetch), Exception) << count;
        EXPECT_TRUE(pcb.CallsOf("PcbApi_References_At").empty());
        EXPECT_EQ(d.ReferencesCount, 0);

        d.ReferencesCount = count;  // set on the mirror: refused before anything is sent
        pcb.log.clear();
        EXPECT_THROW(d.Transfer(Direction::Store), Exception);
        EXPECT_TRUE(pcb.log.empty());
    }
}

TEST(PcbDimension, ResultIsTheBitwiseAndOfTheTwoRecordStatuses) {
    const struct {
        uint32_t main, ext, result;
    } cases[] = {{0, 5, 0}, {6, 3, 2}, {7, 7, 7}, {1, 0, 0}};
    for (const auto& c : cases) {
        FakePcbModule pcb;
        HostDimension host{0, c.main, c.ext};
        host.Install(pcb);
        EXPECT_EQ(TPcbDimension(8).Transfer(Direction::Fetch), c.result) << c.main << " & " << c.ext;
    }
}

}  // namespace
}  // namespace plz::test
