// Component and text mirrors: their exact exchanges with the host, defaults and properties.
#include <gtest/gtest.h>

#include <string>

#include "RTL/pcb_component.h"
#include "RTL/pcb_text.h"
#include "fake_pcb_module.h"

namespace plz::test {
namespace {

constexpr uint8_t kStore = 0, kFetch = 1, kCommit = 2;

std::vector<HostCall> ComponentTransfer(uint8_t d, TPcbComponent& c) {
    PcbObjectFields& m = c.Common;
    PcbComponentFields& o = c.Own;
    const uint32_t h = m.Handle;
    return {
        Call("PcbApi_GetObjectBitField2", d, h, &m.BitField2),
        Call("PcbApi_GetObjectBitField3", d, h, &m.BitField3),
        Call("PcbApi_QueryComponentChannelOffset", d, h, &o.ChannelOffset),
        Call("PcbApi_QueryComponentKind", d, h, &o.ComponentKind),
        Call("PcbApi_QueryComponent", d, h, &m.Flags, &m.HostWord, kAnyArg /*the legacy layer*/, &m.HostByte,
             &o.NameHandle, &o.ComponentInt1, &o.FootprintKey, &o.ComponentByte1, &o.ComponentByte2, &m.X, &m.Y,
             &o.ComponentInt2, &o.Rotation, &o.ComponentByte3),
        Call("PcbApi_QueryComponentEx", d, h, &o.ExInt1, &o.ExByte1, &o.ExByte2, &o.ExInt2),
        Call("PcbApi_QueryComponentSourceLinks", d, h, &o.SourceLinks[0], &o.SourceLinks[1], &o.SourceLinks[2],
             &o.SourceLinks[3], &o.SourceLinks[4], &o.SourceLinks[5], &o.SourceLinks[6], &o.SourceLinks[7]),
        Call("PcbApi_QueryDefaultPCB3DModel", d, h, &o.Default3DModel),
    };
}

// The host's component: on a fetch it writes its values, on a store it records what it was sent.
struct HostComponent {
    uint8_t layer = kBottomLayer;
    int32_t x = 1000, y = 2000;
    uint8_t layerSent = 0;
    int32_t xSent = 0, ySent = 0;

    void Install(FakePcbModule& pcb) {
        pcb.on.PcbApi_QueryComponent = [this](uint8_t d, uint32_t, uint16_t* flags, uint16_t*, uint8_t* layerArg,
                                              uint8_t* hostByte, uint32_t* nameHandle, uint32_t*,
                                              ShortString<250>* key, uint8_t*, uint8_t*, int32_t* xArg,
                                              int32_t* yArg, int32_t*, double* rotation, uint8_t*) {
            if (d == kFetch) {
                StoreUnaligned(flags, uint16_t{1u << 4});
                *layerArg = layer;
                *hostByte = 1;
                StoreUnaligned(nameHandle, uint32_t{77});
                key->Assign("DIP14");
                StoreUnaligned(xArg, x);
                StoreUnaligned(yArg, y);
                StoreUnaligned(rotation, 90.0);
                return 0u;
            }
            layerSent = *layerArg;
            xSent = LoadUnaligned(xArg);
            ySent = LoadUnaligned(yArg);
            return 5u;
        };
    }
};

TEST(PcbComponent, NewMirrorIsKind9WithNothingFetched) {
    TPcbComponent c(12);
    EXPECT_EQ(c.ObjectKind(), kComponentObject);
    EXPECT_EQ(c.Handle(), 12u);
    EXPECT_EQ(c.HostByte(), 0);
    EXPECT_TRUE(c.Own.FootprintKey.Empty());
}

TEST(PcbComponent, FetchThenCommitExchangesEveryFieldInOrderWithTheLayerAsALegacyNumber) {
    for (uint8_t layer : {kTopLayer, kBottomLayer}) {
        FakePcbModule pcb;
        HostComponent host;
        host.layer = layer;
        host.Install(pcb);
        TPcbComponent c(12);

        EXPECT_EQ(c.Transfer(Direction::Fetch), 0u);
        EXPECT_EQ(pcb.log, ComponentTransfer(kFetch, c));
        EXPECT_EQ(c.Layer(), layer);
        EXPECT_TRUE(c.Selected());
        EXPECT_EQ(c.HostByte(), 1);
        EXPECT_EQ(uint32_t(c.Own.NameHandle), 77u);
        EXPECT_EQ(c.Own.FootprintKey.Str(), "DIP14");
        EXPECT_EQ(c.X(), 1000);
        EXPECT_EQ(c.Rotation(), 90.0);

        pcb.log.clear();
        const LayerId idBefore = c.Common.LayerId;
        c.Common.X = -300;
        c.Common.Y = 450;
        EXPECT_EQ(c.Transfer(Direction::Commit), 5u);
        EXPECT_EQ(pcb.log, ComponentTransfer(kCommit, c));
        EXPECT_EQ(host.layerSent, layer);
        EXPECT_EQ(host.xSent, -300);
        EXPECT_EQ(host.ySent, 450);
        EXPECT_EQ(uint32_t(c.Common.LayerId), idBefore);
    }
}

TEST(PcbComponent, NameIsTheDesignatorsTextFetchedEachTime) {
    FakePcbModule pcb;
    pcb.on.PcbApi_GetObjectIdFromObjectHandle = [](uint32_t) { return kTextObject; };
    pcb.on.PcbApi_QueryText = [](uint8_t, uint32_t, uint16_t*, uint16_t*, uint32_t*, int32_t*, uint8_t*, int32_t*,
                                 int32_t*, int32_t*, int32_t*, int32_t*, double*, uint8_t*, ShortString<254>* text,
                                 int32_t*, int32_t*, int32_t*) {
        text->Assign("R12");
        return 0u;
    };
    pcb.on.PcbApi_GetDesignatorDisplayString = [](ShortString<255>* buffer, uint32_t) { buffer->Assign("R12*"); };
    TPcbComponent c(12);
    EXPECT_TRUE(c.Name().Empty());  // no designator
    EXPECT_TRUE(pcb.log.empty());

    c.Own.NameHandle = 77;
    EXPECT_EQ(c.Name().Str(), "R12");
    EXPECT_EQ(c.Name().Str(), "R12");
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryText").size(), 2u);
    EXPECT_EQ(pcb.CallsOf("PcbApi_QueryText").at(0).args.at(1), 77u);
}

std::vector<HostCall> TextTransfer(uint8_t d, TPcbText& t) {
    PcbObjectFields& m = t.Common;
    PcbTextFields& o = t.Own;
    const uint32_t h = m.Handle;
    return {
        Call("PcbApi_GetObjectBitField2", d, h, &m.BitField2),
        Call("PcbApi_GetObjectBitField3", d, h, &m.BitField3),
        Call("PcbApi_QueryText", d, h, &m.Flags, &m.HostWord, &m.LayerId, &m.HostInt1, &m.HostByte, &m.HostInt2,
             &m.X, &m.Y, &o.Size, &o.IntValue11, &o.Rotation, &o.ByteValue6, &o.Text, &o.Width, &o.IntValue2,
             &o.IntValue3),
        Call("PcbApi_QueryTrueTypeTextInfo", d, h, &o.TrueTypeByte1, &o.FontName, &o.TrueTypeByte2,
             &o.TrueTypeByte3, &o.TrueTypeByte4, &o.TrueTypeInt1),
        Call("PcbApi_GetDesignatorDisplayString", kAnyArg, h),
        Call("PcbApi_QueryBarCodeTextInfo", d, h, &o.BarCodeBytes[0], &o.BarCodeBytes[1], &o.BarCodeBytes[2],
             &o.BarCodeBytes[3]),
    };
}

TEST(PcbText, NewMirrorHasItsFontDefaults) {
    TPcbText t(0);
    EXPECT_EQ(t.ObjectKind(), kTextObject);
    EXPECT_EQ(t.Own.FontName.Str(), "Arial");
    EXPECT_EQ(int32_t(t.Own.TrueTypeInt1), 200000);
    EXPECT_TRUE(t.Text().Empty());
}

TEST(PcbText, RepointedMirrorExchangesEveryFieldInOrderAndRefreshesTheDisplayText) {
    FakePcbModule pcb;
    int displays = 0;
    pcb.on.PcbApi_GetDesignatorDisplayString = [&](ShortString<255>* buffer, uint32_t) {
        buffer->Assign("shown " + std::to_string(++displays));
    };
    TPcbText t(0);
    t.SetHandle(55);
    t.Transfer(Direction::Fetch);
    EXPECT_EQ(pcb.log, TextTransfer(kFetch, t));
    EXPECT_EQ(t.Own.DisplayText.Str(), "shown 1");

    pcb.log.clear();
    t.Transfer(Direction::Store);
    EXPECT_EQ(pcb.log, TextTransfer(kStore, t));
    EXPECT_EQ(t.Own.DisplayText.Str(), "shown 2");
}

TEST(PcbText, ResultIsTheTrueTypeStatusUnlessTheBarCodeAnswers1) {
    struct Case {
        uint32_t text, trueType, barCode, result;
    };
    const Case cases[] = {{7, 0, 0, 0}, {0, 3, 0, 3}, {0, 3, 1, 1}, {0, 0, 1, 1}, {0, 4, 2, 4}};
    for (const Case& c : cases) {
        FakePcbModule pcb;
        pcb.on.PcbApi_QueryText = [&](uint8_t, uint32_t, uint16_t*, uint16_t*, uint32_t*, int32_t*, uint8_t*,
                                      int32_t*, int32_t*, int32_t*, int32_t*, int32_t*, double*, uint8_t*,
                                      ShortString<254>*, int32_t*, int32_t*, int32_t*) { return c.text; };
        pcb.on.PcbApi_QueryTrueTypeTextInfo = [&](uint8_t, uint32_t, uint8_t*, ShortString<255>*, uint8_t*,
                                                  uint8_t*, uint8_t*, int32_t*) { return c.trueType; };
        pcb.on.PcbApi_QueryBarCodeTextInfo = [&](uint8_t, uint32_t, uint8_t*, uint8_t*, uint8_t*, uint8_t*) {
            return c.barCode;
        };
        TPcbText t(9);
        EXPECT_EQ(t.Transfer(Direction::Fetch), c.result) << c.text << " " << c.trueType << " " << c.barCode;
    }
}

TEST(PcbText, PropertiesReadAndWriteTheirFields) {
    TPcbText t(0);
    t.SetText(std::string(300, 'T'));
    EXPECT_EQ(t.Text().Str(), std::string(254, 'T'));
    t.SetLineWidth(120);
    t.SetWidth(999);  // read-only: the line width is set through SetLineWidth
    EXPECT_EQ(t.Width(), 120);
    EXPECT_EQ(t.LineWidth(), 120);
    t.SetSize(600000);
    t.SetRotation(45.0);
    EXPECT_EQ(t.Size(), 600000);
    EXPECT_EQ(t.XSize(), 600000);
    EXPECT_EQ(t.Rotation(), 45.0);
}

}  // namespace
}  // namespace plz::test
