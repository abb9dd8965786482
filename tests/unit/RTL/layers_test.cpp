// Legacy layer numbers, layer identifiers and the conversions between them.
#include <gtest/gtest.h>

#include <string>

#include "RTL/layers.h"

namespace plz {
namespace {

TEST(Layers, EveryLegacyNumberIsItsOwnIdentifierBothWays) {
    for (int n = 0; n <= 82; ++n) {
        EXPECT_EQ(LayerToLayerId(uint8_t(n)), uint32_t(n)) << n;
        EXPECT_EQ(LayerIdToLayer(uint32_t(n)), n) << n;
    }
    EXPECT_EQ(LayerToLayerId(83), 0u);
    EXPECT_EQ(LayerToLayerId(255), 0u);
}

TEST(Layers, NamesFollowTheLegacyNumbers) {
    const std::pair<int, const char*> anchors[] = {
        {0, "NoLayer"},        {1, "TopLayer"},         {5, "MidLayer4"},      {31, "MidLayer30"},
        {32, "BottomLayer"},   {38, "BottomSolder"},    {39, "InternalPlane1"}, {54, "InternalPlane16"},
        {56, "KeepOutLayer"},  {57, "Mechanical1"},     {72, "Mechanical16"},   {80, "GridColor10"},
        {82, "ViaHoleLayer"}};
    for (const auto& [n, name] : anchors) EXPECT_EQ(kLayerNames[n], name) << n;
    for (std::string_view name : kLayerNames) EXPECT_LE(name.size(), 20u);
}

TEST(Layers, ExtendedIdentifiersFoldOntoTheLastLegacyLayerOfTheirKind) {
    struct Case {
        uint32_t id;
        uint8_t layer;
        uint8_t cls;
        int32_t number;
    };
    const Case cases[] = {
        {0x01010028, 31, 2, 40},     // fortieth signal layer: "MidLayer30"
        {0x01010005, 5, 2, 5},
        {0x01010001, 1, 2, 1},       // an extended form of a mid-layer number, not the top layer
        {0x01040011, 54, 4, 17},     // seventeenth plane
        {0x04000014, 72, 5, 20},     // twentieth mechanical layer
        {32, 32, 3, 65535},          // the bottom layer's number is 65535
        {40, 40, 4, 2},
        {57, 57, 5, 1},
        {75, 75, 16, 16},
        {0x00010000, 0, 0, 0},       // bare partition without a high byte: no layer
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LayerIdToLayer(c.id), c.layer) << std::hex << c.id;
        EXPECT_EQ(LayerIdClass(c.id), c.cls) << std::hex << c.id;
        EXPECT_EQ(LayerIdNumber(c.id), c.number) << std::hex << c.id;
    }
}

TEST(Layers, IdentifierConstructors) {
    struct Case {
        LayerId (*make)(uint32_t);
        uint32_t n;
        uint32_t id;
    };
    const Case cases[] = {
        {SignalLayerId, 1, 1},           {SignalLayerId, 31, 31},           {SignalLayerId, 65535, 32},
        {SignalLayerId, 32, 0x01010020}, {SignalLayerId, 0, 0x01010000},    {InternalPlaneLayerId, 16, 54},
        {InternalPlaneLayerId, 17, 0x01040011}, {MechanicalLayerId, 1, 57}, {MechanicalLayerId, 65535, 0x0400FFFF},
    };
    for (const Case& c : cases) EXPECT_EQ(c.make(c.n), c.id) << c.n;
}

template <typename E>
std::string MessageOf(auto&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.Message();
    }
    return "no exception";
}

TEST(Layers, FailuresCarryTheirMessages) {
    EXPECT_EQ(MessageOf<ELayerException>([] { SignalLayerId(65536); }), "Creating SignalLayer(65536)");
    EXPECT_EQ(MessageOf<ELayerException>([] { InternalPlaneLayerId(0); }), "Creating InternalPlaneLayer(0)");
    EXPECT_EQ(MessageOf<ELayerException>([] { InternalPlaneLayerId(70000); }),
              "Creating InternalPlaneLayer(70000)");
    EXPECT_EQ(MessageOf<ELayerException>([] { MechanicalLayerId(0); }), "Creating MechanicalLayer(0)");
    EXPECT_EQ(MessageOf<Exception>([] { MechanicalLayerId(65536); }), "Creating MechanicalLayer(65536)");

    EXPECT_EQ(MessageOf<EAssertionFailed>([] { LayerIdToLayer(0x01010000); }),
              "Could not find layer partition ID=16842752");
    EXPECT_EQ(MessageOf<EAssertionFailed>([] { LayerIdClass(0xFF000007); }),
              "Could not find layer partition ID=4278190087");
    // A partition without a high byte takes its class from the low byte; 48 is no class.
    EXPECT_EQ(MessageOf<EAssertionFailed>([] { LayerIdToLayer(0x00010030); }), "Assertion failure");
}

}  // namespace
}  // namespace plz
