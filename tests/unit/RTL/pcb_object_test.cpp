// The mirror base: neutral defaults, flag setters, geometry, the shared transfer and the factory.
#include <gtest/gtest.h>

#include <functional>

#include "RTL/pcb_factory.h"
#include "RTL/pcb_object.h"
#include "fake_pcb_module.h"

namespace plz::test {
namespace {

constexpr uint8_t kStore = 0, kFetch = 1;

// A mirror with a second corner, a rotation and sizes, to drive the base class's geometry.
class Box : public TPCBObject {
public:
    Box(int32_t x, int32_t y, int32_t x2, int32_t y2, double rotation = 0) : TPCBObject(0), x2_(x2), y2_(y2), rot_(rotation) {
        Common.X = x;
        Common.Y = y;
    }
    int32_t X2() override { return x2_; }
    int32_t Y2() override { return y2_; }
    double Rotation() override { return rot_; }
    int32_t Size() override { return 50; }
    int32_t Width() override { return 7; }

private:
    int32_t x2_, y2_;
    double rot_;
};

TEST(PcbObject, NewMirrorIsNeutralWithoutAskingTheHost) {
    FakePcbModule pcb;
    TPCBObject m(0);
    const std::function<double(TPCBObject&)> getters[] = {
        &TPCBObject::Handle,     &TPCBObject::ObjectKind, &TPCBObject::X,          &TPCBObject::Y,
        &TPCBObject::X2,         &TPCBObject::Y2,         &TPCBObject::Flags,      &TPCBObject::HostWord,
        &TPCBObject::Layer,      &TPCBObject::HostByte,   &TPCBObject::HostInt1,   &TPCBObject::HostInt2,
        &TPCBObject::IntValue1,  &TPCBObject::IntValue10, &TPCBObject::ByteValue1, &TPCBObject::ByteValue3,
        &TPCBObject::Rotation,   &TPCBObject::Width,      &TPCBObject::Shape,      &TPCBObject::Size,
        &TPCBObject::XSize,      &TPCBObject::YSize,      &TPCBObject::ByteValue5, &TPCBObject::Radius,
        &TPCBObject::StartAngle, &TPCBObject::EndAngle,   &TPCBObject::LineWidth,  &TPCBObject::IntValue11,
        &TPCBObject::ByteValue6, &TPCBObject::ByteValue8, &TPCBObject::Selected,   &TPCBObject::FlagsBit8Clear,
        &TPCBObject::Flag1,      &TPCBObject::Flag2,      &TPCBObject::AnyBitField3Bit,
    };
    for (std::size_t i = 0; i < std::size(getters); ++i) {
        const double expected = i == 31 ? 1 : 0;  // bit 8 is clear
        EXPECT_EQ(getters[i](m), expected) << "getter " << i;
    }
    EXPECT_TRUE(m.Name().Empty());
    EXPECT_TRUE(m.Text().Empty());
    EXPECT_TRUE(pcb.log.empty());
}

TEST(PcbObject, LocalFlagSettersTouchNoHostAndStoringSettersStoreOnce) {
    FakePcbModule pcb;
    TPCBObject m(21);
    m.SetSelected(true);
    m.SetFlagsBit11(true);
    m.SetBitField3Bits(true);
    EXPECT_TRUE(m.Selected());
    EXPECT_EQ(m.Flags(), (1u << 4) | (1u << 11));
    EXPECT_EQ(uint16_t(m.Common.BitField3), 6u);
    EXPECT_TRUE(pcb.log.empty());

    const std::vector<HostCall> store = {
        Call("PcbApi_GetObjectBitField2", kStore, 21u, &m.Common.BitField2),
        Call("PcbApi_GetObjectBitField3", kStore, 21u, &m.Common.BitField3),
        Call("PcbApi_QueryPrimitive", kStore, 21u, &m.Common.Flags, &m.Common.HostWord, &m.Common.LayerId,
             &m.Common.HostInt1, &m.Common.HostInt2, &m.Common.HostByte),
    };
    m.SetFlagsBit8Clear(false);
    EXPECT_FALSE(m.FlagsBit8Clear());
    EXPECT_EQ(pcb.log, store);
    pcb.log.clear();
    m.SetFlagsBit8Clear(true);
    EXPECT_TRUE(m.FlagsBit8Clear());
    EXPECT_EQ(pcb.log, store);
    pcb.log.clear();
    m.SetFlagsBit3(true);
    EXPECT_TRUE(m.FlagsBit3());
    EXPECT_EQ(pcb.log, store);
}

TEST(PcbObject, BaseTransferFetchesTheSharedFields) {
    FakePcbModule pcb;
    pcb.on.PcbApi_QueryPrimitive = [](uint8_t, uint32_t, uint16_t* flags, uint16_t*, uint32_t* layerId, int32_t*,
                                      int32_t*, uint8_t* hostByte) {
        StoreUnaligned(flags, uint16_t{0x10});
        StoreUnaligned(layerId, uint32_t{0x01010028});
        *hostByte = 3;
        return 4u;
    };
    TPCBObject m(8);
    EXPECT_EQ(m.Transfer(Direction::Fetch), 4u);
    EXPECT_TRUE(m.Selected());
    EXPECT_EQ(m.Layer(), 31);  // beyond the legacy range: "MidLayer30"
    EXPECT_EQ(m.HostByte(), 3);
    EXPECT_EQ(pcb.log.at(0), Call("PcbApi_GetObjectBitField2", kFetch, 8u, &m.Common.BitField2));
}

TEST(PcbObject, HostAnswersTheRectangleAndImport) {
    FakePcbModule pcb;
    pcb.on.PcbApi_QueryObjectBoundingRectangle = [](uint32_t, int32_t* l, int32_t* b, int32_t* r, int32_t* t) {
        *l = -5, *b = -6, *r = 70, *t = 80;
        return 0u;
    };
    pcb.on.PcbApi_QueryObjectImport_FromUser = [](uint32_t handle) { return handle == 3 ? 0u : 1u; };
    TPCBObject m(3);
    int32_t l = 0, b = 0, r = 0, t = 0;
    m.GetBoundingRect(l, b, r, t);
    EXPECT_EQ(pcb.log.at(0), Call("PcbApi_QueryObjectBoundingRectangle", 3u, &l, &b, &r, &t));
    EXPECT_EQ((std::vector<int32_t>{m.BoundsLeft(), m.BoundsBottom(), m.BoundsRight(), m.BoundsTop()}),
              (std::vector<int32_t>{-5, -6, 70, 80}));
    EXPECT_TRUE(m.ImportFromUser());
    EXPECT_FALSE(TPCBObject(4).ImportFromUser());
}

TEST(PcbObject, MoveByMovesTheReferencePointOnly) {
    Box box(0, 0, 100, 40);
    box.MoveBy(100, -50);
    EXPECT_EQ(box.X(), 100);
    EXPECT_EQ(box.Y(), -50);
    EXPECT_EQ(box.X2(), 100);
    EXPECT_EQ(box.Y2(), 40);
}

TEST(PcbObject, CornersOfTheGrownTurnedRectangle) {
    struct Case {
        Box box;
        int32_t e;
        int32_t corners[8];  // 1X, 1Y, 2X, 2Y, 3X, 3Y, 4X, 4Y
    };
    Case cases[] = {
        {Box(0, 0, 100, 40), 10, {-10, -10, 110, -10, -10, 50, 110, 50}},
        {Box(0, 0, 100, 40, 90), 10, {80, -40, 80, 80, 20, -40, 20, 80}},
        // No height: unturned; the centre halves truncate (-3 div 2 = -1) and -2.5 rounds to even.
        {Box(-3, 0, 0, 0, 45), 0, {-2, 0, 0, 0, -2, 0, 0, 0}},
    };
    for (Case& c : cases) {
        Box& b = c.box;
        const int32_t got[8] = {b.Corner1X(c.e), b.Corner1Y(c.e), b.Corner2X(c.e), b.Corner2Y(c.e),
                                b.Corner3X(c.e), b.Corner3Y(c.e), b.Corner4X(c.e), b.Corner4Y(c.e)};
        for (int i = 0; i < 8; ++i) EXPECT_EQ(got[i], c.corners[i]) << "corner value " << i << " of " << b.Rotation();
    }
}

TEST(PcbObject, PerLayerValuesAnswerOnlyTheObjectsOwnLayer) {
    Box box(1, 2, 30, 40);
    box.SetLayer(kBottomLayer);
    EXPECT_EQ(box.SizeOnLayer(kBottomLayer), 50);
    EXPECT_EQ(box.WidthOnLayer(kBottomLayer), 7);
    EXPECT_EQ(box.LineEndXOnLayer(kBottomLayer), 30);
    EXPECT_EQ(box.Corner2XOnLayer(kBottomLayer, 0), 30);
    EXPECT_EQ(box.SizeOnLayer(kTopLayer), 0);
    EXPECT_EQ(box.XSizeOnLayer(kTopLayer), 0);
    EXPECT_EQ(box.LineStartYOnLayer(kTopLayer), 0);
    EXPECT_EQ(box.Corner2XOnLayer(kTopLayer, 0), 0);
}

TEST(PcbObjectFactory, MakesAndFetchesAMirrorOfItsOwnKindForEveryKindOfTheTreeAndNothingElse) {
    FakePcbModule pcb;
    pcb.on.PcbApi_GetObjectIdFromObjectHandle = [](uint32_t handle) { return uint8_t(handle); };
    pcb.on.PcbApi_GetMemberFromClassAt = [](uint32_t, int32_t, ShortString<255>*) { return 1u; };
    for (int kind = 0; kind <= 255; ++kind) {
        pcb.log.clear();
        const auto mirror = CreateObjectFromHandle(uint32_t(kind));
        const bool hasClass = (kind >= kArcObject && kind <= kSplitPlaneObject) || kind == kBoardOutlineObject;
        ASSERT_EQ(mirror != nullptr, hasClass) << kind;
        if (!mirror) {
            EXPECT_EQ(pcb.log, (std::vector<HostCall>{Call("PcbApi_GetObjectIdFromObjectHandle", uint32_t(kind))}));
            continue;
        }
        EXPECT_EQ(mirror->ObjectKind(), kind);
        EXPECT_EQ(mirror->Handle(), uint32_t(kind));
        // Fetched: the bit fields first, as every transfer begins.
        ASSERT_GE(pcb.log.size(), 4u) << kind;
        EXPECT_EQ(pcb.log[1].entry, "PcbApi_GetObjectBitField2") << kind;
        EXPECT_EQ(pcb.log[1].args.at(0), kFetch) << kind;
    }
}

TEST(PcbObjectFactory, ObjectTextReadsATextMirror) {
    FakePcbModule pcb;
    pcb.on.PcbApi_GetObjectIdFromObjectHandle = [](uint32_t handle) { return uint8_t(handle == 40 ? 5 : 4); };
    pcb.on.PcbApi_QueryText = [](uint8_t, uint32_t, uint16_t*, uint16_t*, uint32_t*, int32_t*, uint8_t*, int32_t*,
                                 int32_t*, int32_t*, int32_t*, int32_t*, double*, uint8_t*, ShortString<254>* text,
                                 int32_t*, int32_t*, int32_t*) {
        text->Assign("U7");
        return 0u;
    };
    EXPECT_EQ(ObjectTextFromHandle(0).Str(), "");
    EXPECT_TRUE(pcb.log.empty());
    EXPECT_EQ(ObjectTextFromHandle(40).Str(), "U7");
    EXPECT_EQ(ObjectTextFromHandle(41).Str(), "");  // a track has no text
}

}  // namespace
}  // namespace plz::test
