// The PCB API table: binding and re-binding, missing entry points, and the converting forwarders.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "RTL/pcb_api.h"
#include "fake_pcb_module.h"

namespace plz::test {
namespace {

// Calls a forwarder with every argument 0 or null: a forwarder whose entry point is missing must
// not touch any of them.
template <typename R, typename... A>
R CallWithNulls(R (*forwarder)(A...)) {
    return forwarder(A{}...);
}

template <typename R, typename... A>
void ExpectDefault(R (*forwarder)(A...), uint32_t expected, const char* name) {
    if constexpr (std::is_void_v<R>)
        CallWithNulls(forwarder);
    else
        EXPECT_EQ(uint32_t(CallWithNulls(forwarder)), expected) << name;
}

TEST(PcbApiBinding, ModuleLoadedLaterIsBoundByTheFirstCallAfterItAppears) {
    FakePcbModule pcb(/*loaded=*/false);
    pcb.on.PcbApi_GetCurrentBoardHandle = [] { return 7u; };

    EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), 0u);
    EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), 0u);
    EXPECT_EQ(pcb.moduleLookups, 2);  // every call retries while the module is absent
    EXPECT_EQ(pcb.exportLookups, 0);
    EXPECT_TRUE(pcb.log.empty());

    pcb.loaded = true;
    EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), 7u);
    EXPECT_EQ(pcb.moduleLookups, 3);
    EXPECT_EQ(pcb.exportLookups, 278);

    EXPECT_EQ(PcbApi_GetCurrentBoardHandle(), 7u);
    EXPECT_EQ(pcb.moduleLookups, 3);  // once found, the table is final
    EXPECT_EQ(pcb.exportLookups, 278);
}

TEST(PcbApiBinding, NameMissingFromTheModuleStaysEmptyAndAnswersItsDefaultEveryTime) {
    FakePcbModule pcb;
    pcb.Remove("PcbApi_QueryBoardSplitPlaneMode");
    BindPcbApi();
    pcb.exportLookups = 0;

    int bound = 0;
    for (std::size_t i = 0; i < kPcbApiSlotCount; ++i) bound += PcbApiEntry(static_cast<PcbApiSlot>(i)) != nullptr;
    EXPECT_EQ(bound, 277);
    EXPECT_EQ(PcbApiEntry(PcbApiSlot::PcbApi_QueryBoardSplitPlaneMode), nullptr);

    uint8_t mode = 9;
    EXPECT_EQ(PcbApi_QueryBoardSplitPlaneMode(1, 5, &mode), 1u);
    EXPECT_EQ(PcbApi_QueryBoardSplitPlaneMode(1, 5, &mode), 1u);
    EXPECT_EQ(mode, 9);
    EXPECT_EQ(pcb.exportLookups, 0);
    EXPECT_TRUE(pcb.log.empty());
}

TEST(PcbApiBinding, EveryForwarderAnswersItsDefaultWithoutTouchingArgumentsWhileUnbound) {
    FakePcbModule pcb(/*loaded=*/false);
    const std::set<std::string> answeringOne = {
        "PcbApi_QueryBoardSplitPlaneMode", "PcbApi_QueryBoardLayerPairsCount", "PcbApi_RemoveAllMembersFromClass",
        "PcbApi_GetMemberFromClassAt",     "PcbApi_QueryManualFromTo"};
#define PLZ_CHECK_Plain(name, result) ExpectDefault(&name, answeringOne.count(#name) ? 1u : 0u, #name);
#define PLZ_CHECK_Converted(name, result)
#define PLZ_CHECK(name, result, missing, form, params, args) PLZ_CHECK_##form(name, result)
    PLZ_PCB_API_CALLS(PLZ_CHECK)
#undef PLZ_CHECK
#undef PLZ_CHECK_Converted
#undef PLZ_CHECK_Plain

    EXPECT_EQ(PcbApi_ChooseLocation(1, nullptr, nullptr, "Pick"), 0);
    EXPECT_EQ(PcbApi_CreateIterator(1, 9, 0, 5), 0u);
    EXPECT_EQ(PcbApi_AddMemberToClass(1, "GND"), 1u);
    EXPECT_EQ(CallWithNulls(&PcbApi_QueryBoard), 0u);
    EXPECT_TRUE(pcb.log.empty());
}

TEST(PcbApiForwarders, ChooseLocationPassesItsOwnCopyOfThePrompt) {
    FakePcbModule pcb;
    struct Seen {
        const void* address;
        std::string prompt;
        uint8_t length;
    };
    std::vector<Seen> seen;
    pcb.on.PcbApi_ChooseLocation = [&](uint32_t, int32_t* x, int32_t* y, ShortString<255>* prompt) -> uint8_t {
        seen.push_back({prompt, prompt->Str(), prompt->Length});
        StoreUnaligned(x, int32_t{150});
        StoreUnaligned(y, int32_t{-20});
        return 1;
    };
    const ShortString<255> empty;
    const ShortString<255> text("Choose the first location");
    int32_t x = 0, y = 0;

    EXPECT_EQ(PcbApi_ChooseLocation(4, &x, &y, empty), 1);
    EXPECT_EQ(PcbApi_ChooseLocation(4, &x, &y, text), 1);

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].length, 0);
    EXPECT_NE(seen[0].address, &empty);
    EXPECT_EQ(seen[1].prompt, "Choose the first location");
    EXPECT_NE(seen[1].address, &text);
    EXPECT_EQ(x, 150);
    EXPECT_EQ(y, -20);
    EXPECT_EQ(pcb.log[1], Call("PcbApi_ChooseLocation", 4u, &x, &y, kAnyArg));
}

TEST(PcbApiForwarders, AddMemberToClassPassesItsOwnCopyOfTheName) {
    FakePcbModule pcb;
    std::string seen;
    pcb.on.PcbApi_AddMemberToClass = [&](uint32_t, ShortString<255>* name) {
        seen = name->Str();
        return 0u;
    };
    const ShortString<255> name("VCC");
    EXPECT_EQ(PcbApi_AddMemberToClass(12, name), 0u);
    EXPECT_EQ(seen, "VCC");
    EXPECT_NE(pcb.log.at(0).args.at(1), ArgValue(&name));
}

TEST(PcbApiForwarders, DesignatorDisplayStringIsEmptiedThenFilledCutTo254) {
    {
        FakePcbModule pcb;
        pcb.Remove("PcbApi_GetDesignatorDisplayString");
        BindPcbApi();
        ShortString<254> text("stale");
        PcbApi_GetDesignatorDisplayString(3, text);
        EXPECT_TRUE(text.Empty());
    }
    FakePcbModule pcb;
    pcb.on.PcbApi_GetDesignatorDisplayString = [](ShortString<255>* buffer, uint32_t) {
        buffer->Assign(std::string(255, 'R'));
    };
    ShortString<254> text("stale");
    PcbApi_GetDesignatorDisplayString(3, text);
    EXPECT_EQ(text.Str(), std::string(254, 'R'));
    EXPECT_EQ(pcb.log.at(0), Call("PcbApi_GetDesignatorDisplayString", kAnyArg, 3u));  // buffer first
}

TEST(PcbApiForwarders, BoardCurrentLayerTravelsAsAnIdentifierBothWays) {
    struct Case {
        uint8_t direction;
        uint8_t layerBefore;
        uint32_t idSent;
        uint32_t idWritten;
        uint8_t layerAfter;
    };
    const Case cases[] = {
        {1, 5, 5, 0x01010028, 31},      // an extended signal layer beyond the legacy range
        {1, 1, 1, 0x01040011, 54},      // the seventeenth plane
        {0, 32, 32, 32, 32},            // a store converts back as well
        {2, 90, 0, 0x04000014, 72},     // no legacy layer 90: sent as no layer
    };
    for (const Case& c : cases) {
        FakePcbModule pcb;
        uint32_t sent = 0;
        pcb.on.PcbApi_QueryBoard = [&](uint8_t, uint32_t, uint32_t*, ShortString<255>*, uint8_t*, uint32_t*,
                                       uint32_t*, uint32_t*, uint32_t*, uint8_t*, uint32_t* layerId, uint32_t*) {
            sent = LoadUnaligned(layerId);
            StoreUnaligned(layerId, c.idWritten);
            return 6u;
        };
        uint32_t v1 = 0, v2 = 0, v3 = 0, v4 = 0, v5 = 0, v6 = 0;
        ShortString<255> text;
        uint8_t b1 = 0, b2 = 0, layer = c.layerBefore;
        EXPECT_EQ(PcbApi_QueryBoard(c.direction, 8, &v1, &text, &b1, &v2, &v3, &v4, &v5, &b2, &layer, &v6), 6u);
        EXPECT_EQ(sent, c.idSent);
        EXPECT_EQ(layer, c.layerAfter);
        EXPECT_EQ(pcb.log.at(0), Call("PcbApi_QueryBoard", c.direction, 8u, &v1, &text, &b1, &v2, &v3, &v4, &v5,
                                      &b2, kAnyArg, &v6));
        EXPECT_NE(pcb.log.at(0).args.at(10), ArgValue(&layer));
    }
}

TEST(PcbApiForwarders, IteratorCreationTakesTheLayerAsAnIdentifier) {
    FakePcbModule pcb;
    pcb.on.PcbApi_CreateIterator = [](uint32_t, uint8_t, uint8_t, uint32_t) { return 44u; };
    EXPECT_EQ(PcbApi_CreateIterator(8, 9, 0, 75), 44u);
    EXPECT_EQ(PcbApi_CreateIterator(8, 9, 3, 200), 44u);
    EXPECT_EQ(pcb.log.at(0), Call("PcbApi_CreateIterator", 8u, uint8_t{9}, uint8_t{0}, 75u));
    EXPECT_EQ(pcb.log.at(1), Call("PcbApi_CreateIterator", 8u, uint8_t{9}, uint8_t{3}, 0u));
}

}  // namespace
}  // namespace plz::test
