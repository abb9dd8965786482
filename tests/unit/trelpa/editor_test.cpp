// The simulated PCB editor module on its own: loaded from beside the test program and driven
// through its exported entry points and its control table.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "RTL/pcb_api_calls.h"
#include "platform/os.h"
#include "tests/unit/trelpa/trelpa_fixture.h"

namespace plz {
namespace {

using trelpa::ComponentSpec;

constexpr uint8_t kStore = 0, kFetch = 1, kCommit = 2;

// The caller's side of PcbApi_QueryComponent.
struct ComponentFields {
    uint16_t flags = 0, hostWord = 0;
    uint8_t layer = 0, hostByte = 0;
    uint32_t nameHandle = 0, componentInt1 = 0;
    ShortString<250> footprint;
    uint8_t byte1 = 0, byte2 = 0;
    int32_t x = 0, y = 0, componentInt2 = 0;
    double rotation = 0;
    uint8_t byte3 = 0;
    bool operator==(const ComponentFields&) const = default;
};

class TrelpaEditor : public test::TrelpaFixture {
protected:
    template <class Fn>
    static Fn Get(const char* name) {
        return reinterpret_cast<Fn>(os::calls().FindExport(module_, name));
    }
#define ENTRY(name) Get<name##_Fn>(#name)

    static uint32_t QueryComponent(uint8_t direction, uint32_t handle, ComponentFields& f) {
        return ENTRY(PcbApi_QueryComponent)(direction, handle, &f.flags, &f.hostWord, &f.layer, &f.hostByte,
                                            &f.nameHandle, &f.componentInt1, &f.footprint, &f.byte1, &f.byte2,
                                            &f.x, &f.y, &f.componentInt2, &f.rotation, &f.byte3);
    }
    // The handles that an iterator over one kind and layer hands out.
    std::vector<uint32_t> Iterate(uint8_t kind, uint32_t layerId) {
        const uint32_t it = ENTRY(PcbApi_CreateIterator)(board_, kind, 0, layerId);
        std::vector<uint32_t> handles;
        for (uint32_t h = ENTRY(PcbApi_GetFirstObject)(it); h; h = ENTRY(PcbApi_GetNextObject)(it))
            handles.push_back(h);
        EXPECT_EQ(ENTRY(PcbApi_DestroyIterator)(it), 0u);
        return handles;
    }
};

TEST_F(TrelpaEditor, ExportsEveryBoundNameAndIsFoundLoadedAsTheHostsEditor) {
#define PLZ_TEST_NAME(name) EXPECT_NE(os::calls().FindExport(module_, #name), nullptr) << #name;
    PLZ_PCB_API_NAMES(PLZ_TEST_NAME)
#undef PLZ_TEST_NAME
    EXPECT_EQ(os::calls().FindLoadedModule("Trelpa.dll"), module_);
    // One the plug-in never calls: no arguments, answers 0, counted.
    auto sendCommand = Get<uint32_t(PLZ_STDCALL*)()>("PcbApi_SendCommand");
    EXPECT_EQ(sendCommand(), 0u);
    EXPECT_EQ(control_->CallCount("PcbApi_SendCommand"), 1u);
}

TEST_F(TrelpaEditor, FetchesComponentsAndTheirDesignatorsWithinTheFieldWidths) {
    const std::string footprint(250, 'F'), designator(254, 'D');
    const uint32_t a = Add(designator.c_str(), footprint.c_str(), 100, 200, 32, true);
    const uint32_t b = Add("R2", "0805", 5, 6, 1, false, true);
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, a);

    ComponentFields f;
    ASSERT_EQ(QueryComponent(kFetch, a, f), 0u);
    EXPECT_EQ(f.footprint.View(), footprint);
    EXPECT_EQ(f.x, 100);
    EXPECT_EQ(f.y, 200);
    EXPECT_EQ(f.layer, 32);
    EXPECT_EQ(f.flags & 0x10, 0x10);
    EXPECT_NE(f.hostByte, 0);
    EXPECT_EQ(f.rotation, 90.0);
    EXPECT_EQ(ENTRY(PcbApi_GetObjectIdFromObjectHandle)(a), 9);
    EXPECT_EQ(ENTRY(PcbApi_GetObjectIdFromObjectHandle)(f.nameHandle), 5);

    // The designator text, its string one character short of the display buffer's width.
    struct {
        uint16_t flags, hostWord;
        uint32_t layerId;
        int32_t hostInt1;
        uint8_t hostByte;
        int32_t hostInt2, x, y, size, intValue11;
        double rotation;
        uint8_t byteValue6;
        ShortString<254> text;
        int32_t width, intValue2, intValue3;
    } t{};
    ASSERT_EQ(ENTRY(PcbApi_QueryText)(kFetch, f.nameHandle, &t.flags, &t.hostWord, &t.layerId, &t.hostInt1,
                                      &t.hostByte, &t.hostInt2, &t.x, &t.y, &t.size, &t.intValue11, &t.rotation,
                                      &t.byteValue6, &t.text, &t.width, &t.intValue2, &t.intValue3),
              0u);
    EXPECT_EQ(t.text.View(), designator);
    ShortString<255> shown;
    ENTRY(PcbApi_GetDesignatorDisplayString)(&shown, f.nameHandle);
    EXPECT_EQ(shown.View(), designator);

    ASSERT_EQ(QueryComponent(kFetch, b, f), 0u);
    EXPECT_EQ(f.hostByte, 0) << "an excluded component";
    EXPECT_EQ(f.flags & 0x10, 0);

    // Handles of nothing: kind 0, queries fail and touch nothing.
    for (uint32_t unknown : {0u, board_, b + 1, f.nameHandle + 100}) {
        EXPECT_EQ(ENTRY(PcbApi_GetObjectIdFromObjectHandle)(unknown), 0) << unknown;
        ComponentFields untouched;
        EXPECT_NE(QueryComponent(kFetch, unknown, untouched), 0u) << unknown;
        EXPECT_EQ(untouched.x, 0);
        int32_t l = 7, bo = 7, r = 7, to = 7;
        EXPECT_NE(ENTRY(PcbApi_QueryObjectBoundingRectangle)(unknown, &l, &bo, &r, &to), 0u);
        EXPECT_EQ(l, 7);
        ShortString<255> none("stale");
        ENTRY(PcbApi_GetDesignatorDisplayString)(&none, unknown);
        EXPECT_TRUE(none.Empty()) << unknown;
    }
}

TEST_F(TrelpaEditor, CommitMovesOnlyTheLocationAndTheRectangleAndDesignatorFollow) {
    const uint32_t c = Add("U1", "SO8", 1000, 2000);
    const auto before = Read(c);
    ComponentFields f;
    ASSERT_EQ(QueryComponent(kFetch, c, f), 0u);
    const ComponentFields fetched = f;

    // Everything else the caller sends with a commit is ignored.
    f.x = 51000, f.y = -8000;
    f.flags = 0xFFFF, f.layer = 32, f.footprint = "changed", f.rotation = 45, f.nameHandle = 0;
    ASSERT_EQ(QueryComponent(kCommit, c, f), 0u);
    int32_t exInt1 = 999;
    uint8_t exByte1 = 9, exByte2 = 9;
    int32_t exInt2 = 999;
    ENTRY(PcbApi_QueryComponentEx)(kCommit, c, &exInt1, &exByte1, &exByte2, &exInt2);

    const auto after = Read(c);
    EXPECT_EQ(after.x, 51000);
    EXPECT_EQ(after.y, -8000);
    EXPECT_EQ(after.left, before.left + 50000);
    EXPECT_EQ(after.right, before.right + 50000);
    EXPECT_EQ(after.bottom, before.bottom - 10000);
    EXPECT_EQ(after.top, before.top - 10000);
    EXPECT_EQ(after.textX, before.textX + 50000);
    EXPECT_EQ(after.textY, before.textY - 10000);
    int32_t l, b, r, t;
    ENTRY(PcbApi_QueryObjectBoundingRectangle)(after.nameHandle, &l, &b, &r, &t);
    EXPECT_EQ(l, after.textX);
    EXPECT_EQ(b, after.textY);

    ComponentFields again;
    ASSERT_EQ(QueryComponent(kFetch, c, again), 0u);
    again.x = fetched.x, again.y = fetched.y;
    EXPECT_TRUE(again == fetched);
    ENTRY(PcbApi_QueryComponentEx)(kFetch, c, &exInt1, &exByte1, &exByte2, &exInt2);
    EXPECT_NE(exInt1, 999);

    // A place its rectangle cannot follow it to, past the coordinate range, is refused.
    f.x = INT32_MAX;
    EXPECT_NE(QueryComponent(kCommit, c, f), 0u);
    EXPECT_EQ(Read(c).x, 51000);
    EXPECT_EQ(Read(c).right, after.right);
}

TEST_F(TrelpaEditor, StoreTakesEveryValueAndMovesTheRectangleWithTheLocation) {
    const uint32_t c = Add("U1", "SO8", 1000, 2000);
    const auto before = Read(c);
    ComponentFields f;
    ASSERT_EQ(QueryComponent(kFetch, c, f), 0u);
    f.x += 10, f.y += 20;
    f.footprint = "SO8N", f.layer = 32, f.rotation = 180, f.byte1 = 77;
    ASSERT_EQ(QueryComponent(kStore, c, f), 0u);

    ComponentFields again;
    ASSERT_EQ(QueryComponent(kFetch, c, again), 0u);
    EXPECT_TRUE(again == f);
    const auto after = Read(c);
    EXPECT_EQ(after.left, before.left + 10);
    EXPECT_EQ(after.top, before.top + 20);
    EXPECT_EQ(Iterate(9, 32), std::vector<uint32_t>{c}) << "the stored layer";
}

TEST_F(TrelpaEditor, IteratesTheComponentsOfEachLayerInFileOrder) {
    const uint8_t layers[] = {1, 32, 1, 2, 32, 1};
    std::vector<uint32_t> handles;
    for (uint8_t l : layers) handles.push_back(Add("X", "F", 0, 0, l));
    const struct {
        uint32_t layer;
        std::vector<uint32_t> expected;
    } cases[] = {
        {1, {handles[0], handles[2], handles[5]}},
        {2, {handles[3]}},
        {32, {handles[1], handles[4]}},
        {75, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(Iterate(9, c.layer), c.expected) << "layer " << c.layer;

    // Iterators are independent: one runs inside another, as the plug-in's callback makes calls.
    const uint32_t outer = ENTRY(PcbApi_CreateIterator)(board_, 9, 0, 32);
    EXPECT_EQ(ENTRY(PcbApi_GetFirstObject)(outer), handles[1]);
    EXPECT_EQ(Iterate(9, 1), cases[0].expected);
    EXPECT_EQ(ENTRY(PcbApi_GetNextObject)(outer), handles[4]);
    EXPECT_EQ(ENTRY(PcbApi_GetNextObject)(outer), 0u);
    EXPECT_EQ(ENTRY(PcbApi_DestroyIterator)(outer), 0u);
    EXPECT_EQ(ENTRY(PcbApi_GetNextObject)(outer), 0u) << "a destroyed iterator";
    EXPECT_NE(ENTRY(PcbApi_DestroyIterator)(outer), 0u);

    // A component that changes its layer, or is added, while an iteration runs is found by it when
    // it lies ahead, and by every later iteration on its new layer.
    auto moveTo = [&](uint32_t handle, uint8_t layer) {
        ComponentFields f;
        ASSERT_EQ(QueryComponent(kFetch, handle, f), 0u);
        f.layer = layer;
        ASSERT_EQ(QueryComponent(kStore, handle, f), 0u);
    };
    const uint32_t top = ENTRY(PcbApi_CreateIterator)(board_, 9, 0, 1);
    EXPECT_EQ(ENTRY(PcbApi_GetFirstObject)(top), handles[0]);
    moveTo(handles[3], 1);
    moveTo(handles[5], 2);
    const uint32_t added = Add("X", "F", 0, 0, 1);
    EXPECT_EQ(ENTRY(PcbApi_GetNextObject)(top), handles[2]);
    EXPECT_EQ(ENTRY(PcbApi_GetNextObject)(top), handles[3]);
    EXPECT_EQ(ENTRY(PcbApi_GetNextObject)(top), added);
    EXPECT_EQ(ENTRY(PcbApi_GetNextObject)(top), 0u);
    EXPECT_EQ(ENTRY(PcbApi_DestroyIterator)(top), 0u);
    EXPECT_EQ(Iterate(9, 1), (std::vector<uint32_t>{handles[0], handles[2], handles[3], added}));
    EXPECT_EQ(Iterate(9, 2), std::vector<uint32_t>{handles[5]});

    // The designators lie on the top overlay (33) or, for bottom components, the bottom one (34).
    EXPECT_EQ(Iterate(5, 34).size(), 2u);
    EXPECT_EQ(Iterate(4, 1), std::vector<uint32_t>{}) << "no tracks";
    EXPECT_EQ(ENTRY(PcbApi_CreateIterator)(board_ + 1, 9, 0, 1), 0u);
    EXPECT_EQ(ENTRY(PcbApi_GetFirstObject)(0), 0u);
}

TEST_F(TrelpaEditor, OptionValuesComeBackAsStored) {
    auto gerber = ENTRY(PcbApi_QueryBoardGerberOptions);
    uint8_t b[10];
    uint32_t v[8];
    ShortString<255> s;
    auto call = [&](uint8_t direction) {
        return gerber(direction, board_, &b[0], &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &v[0], &v[1], &v[2],
                      &v[3], &v[4], &s, &v[5], &b[7], &b[8], &v[6], &v[7], &b[9]);
    };
    ASSERT_EQ(call(kFetch), 0u);
    EXPECT_FALSE(s.Empty());
    for (uint8_t& x : b) x = uint8_t(x + 1);
    for (uint32_t& x : v) x = x * 3;
    s = "plot.gbr";
    const auto sentB = std::to_array(b);
    const auto sentV = std::to_array(v);
    ASSERT_EQ(call(kCommit), 0u);
    std::memset(b, 0, sizeof b), std::memset(v, 0, sizeof v), s = "";
    ASSERT_EQ(call(kFetch), 0u);
    EXPECT_EQ(std::to_array(b), sentB);
    EXPECT_EQ(std::to_array(v), sentV);
    EXPECT_EQ(s.View(), "plot.gbr");

    // Indexed values: 1 to 82 for layers; outside that the call fails and touches nothing.
    auto composite = ENTRY(PcbApi_QueryBoardPrinterOptionsCompositeLayer);
    uint32_t c1 = 11, c2 = 12, c3 = 13;
    uint8_t cb = 14;
    ASSERT_EQ(composite(kStore, board_, 82, &c1, &c2, &cb, &c3), 0u);
    c1 = c2 = c3 = cb = 0;
    ASSERT_EQ(composite(kFetch, board_, 82, &c1, &c2, &cb, &c3), 0u);
    EXPECT_EQ((std::array<uint32_t, 4>{c1, c2, cb, c3}), (std::array<uint32_t, 4>{11, 12, 14, 13}));
    for (uint8_t index : {0, 83}) {
        EXPECT_NE(composite(kFetch, board_, index, &c1, &c2, &cb, &c3), 0u);
        EXPECT_EQ(c1, 11u);
    }
    EXPECT_NE(composite(kFetch, board_ + 1, 1, &c1, &c2, &cb, &c3), 0u) << "an unknown board";
}

TEST_F(TrelpaEditor, LayerPairsFollowTheCountExchange) {
    auto count = ENTRY(PcbApi_QueryBoardLayerPairsCount);
    auto pairAt = ENTRY(PcbApi_QueryBoardLayerPairAt);
    int32_t n = 0;
    ASSERT_EQ(count(board_, &n, 1), 0u);
    ASSERT_EQ(n, 1);
    uint32_t first = 0, second = 0;
    uint8_t byte2 = 0, byte1 = 0;
    ASSERT_EQ(pairAt(kFetch, board_, 0, &first, &second, &byte2, &byte1), 0u);
    EXPECT_EQ(first, 1u);
    EXPECT_EQ(second, 32u);
    EXPECT_NE(pairAt(kFetch, board_, 1, &first, &second, &byte2, &byte1), 0u) << "no pair there";

    // The caller tells its count, then stores each pair.
    n = 2;
    ASSERT_EQ(count(board_, &n, 0), 0u);
    uint32_t f2 = 39, s2 = 40;
    ASSERT_EQ(pairAt(kStore, board_, 1, &f2, &s2, &byte2, &byte1), 0u);
    n = 0;
    ASSERT_EQ(count(board_, &n, 1), 0u);
    EXPECT_EQ(n, 2);
    ASSERT_EQ(pairAt(kFetch, board_, 1, &first, &second, &byte2, &byte1), 0u);
    EXPECT_EQ(first, 39u);
    EXPECT_EQ(second, 40u);

    for (int32_t faulty : {-1, 1 << 30}) {
        n = faulty;
        EXPECT_NE(count(board_, &n, 0), 0u) << faulty;
    }
    ASSERT_EQ(count(board_, &n, 1), 0u);
    EXPECT_EQ(n, 2);
}

TEST_F(TrelpaEditor, LayerStackNamesAndPlanes) {
    auto layer = ENTRY(PcbApi_QueryLayer);
    auto plane = ENTRY(PcbApi_QueryInternalPlane);
    ShortString<255> name, net;
    int32_t copper = 0;
    uint8_t b1, b2, previous, next;
    uint16_t word;
    // The default stack: top, two planes, bottom.
    const uint8_t links[][3] = {{1, 0, 39}, {39, 1, 40}, {40, 39, 32}, {32, 40, 0}, {2, 0, 0}};
    for (const auto& l : links) {
        ASSERT_EQ(layer(kFetch, l[0], board_, &name, &copper, &b1, &b2, &previous, &next, &word), 0u);
        EXPECT_EQ(previous, l[1]) << int(l[0]);
        EXPECT_EQ(next, l[2]) << int(l[0]);
    }
    ASSERT_EQ(plane(kFetch, 40, board_, &name, &copper, &b1, &b2, &previous, &next, &net), 0u);
    EXPECT_EQ(name.View(), "InternalPlane2");
    EXPECT_EQ(net.View(), "VCC");
    EXPECT_NE(plane(kFetch, 1, board_, &name, &copper, &b1, &b2, &previous, &next, &net), 0u);

    const uint8_t stack[] = {1, 2, 32};
    ASSERT_NE(control_->SetLayerStack(stack, 3), 0);
    ASSERT_NE(control_->SetLayerName(2, "Inner signal"), 0);
    ASSERT_NE(control_->SetPlaneNet(39, "AGND"), 0);
    EXPECT_EQ(control_->SetPlaneNet(2, "x"), 0) << "not a plane";
    ASSERT_EQ(layer(kFetch, 2, board_, &name, &copper, &b1, &b2, &previous, &next, &word), 0u);
    EXPECT_EQ(name.View(), "Inner signal");
    EXPECT_EQ(previous, 1);
    EXPECT_EQ(next, 32);
    ASSERT_EQ(plane(kFetch, 39, board_, &name, &copper, &b1, &b2, &previous, &next, &net), 0u);
    EXPECT_EQ(net.View(), "AGND");
    EXPECT_EQ(previous, 0) << "off the stack";
    EXPECT_EQ(next, 0);
}

TEST_F(TrelpaEditor, ChooseLocationAnswersPerControlAndKeepsThePrompt) {
    auto choose = ENTRY(PcbApi_ChooseLocation);
    ShortString<255> prompt("Pick a point");
    int32_t x = 1, y = 2;
    control_->SetChooseLocation(1, -300, 400);
    EXPECT_NE(choose(board_, &x, &y, &prompt), 0);
    EXPECT_EQ(x, -300);
    EXPECT_EQ(y, 400);
    EXPECT_STREQ(control_->LastPrompt(), "Pick a point");

    control_->SetChooseLocation(0, 5, 5);
    x = 1, y = 2;
    prompt = "";
    EXPECT_EQ(choose(board_, &x, &y, &prompt), 0);
    EXPECT_EQ(x, 1) << "a cancel leaves the point";
    EXPECT_EQ(y, 2);
    EXPECT_STREQ(control_->LastPrompt(), "");
}

TEST_F(TrelpaEditor, CurrentWindowAndBoardPerControl) {
    EXPECT_NE(ENTRY(PcbApi_GetCurrentEditorWindow)(), 0u);
    EXPECT_EQ(ENTRY(PcbApi_GetCurrentBoardHandle)(), board_);
    control_->SetEditorWindow(0);
    control_->SetCurrentBoard(0);
    EXPECT_EQ(ENTRY(PcbApi_GetCurrentEditorWindow)(), 0u);
    EXPECT_EQ(ENTRY(PcbApi_GetCurrentBoardHandle)(), 0u);
}

TEST_F(TrelpaEditor, AChosenEntryPointFailsWithoutTouchingItsArguments) {
    const uint32_t c = Add("U1", "SO8", 1000, 2000);
    ASSERT_NE(control_->SetFailure("PcbApi_QueryComponent", 7), 0);
    ASSERT_NE(control_->SetFailure("PcbApi_GetObjectBitField2", 0), 0);
    EXPECT_EQ(control_->SetFailure("PcbApi_NoSuchEntry", 1), 0);
    ComponentFields f;
    EXPECT_EQ(QueryComponent(kFetch, c, f), 7u);
    EXPECT_EQ(f.x, 0);
    EXPECT_TRUE(f.footprint.Empty());
    uint8_t bits = 0xEE;
    ENTRY(PcbApi_GetObjectBitField2)(kFetch, c, &bits);
    EXPECT_EQ(bits, 0xEE);

    control_->ClearFailures();
    EXPECT_EQ(QueryComponent(kFetch, c, f), 0u);
    EXPECT_EQ(f.x, 1000);
}

TEST_F(TrelpaEditor, LogsCallsWithTheirArgumentsOnlyWhenAskedAndCountsThemAlways) {
    const uint32_t c = Add("U1", "SO8", 1000, 2000);
    auto kind = ENTRY(PcbApi_GetObjectIdFromObjectHandle);
    kind(c);
    EXPECT_STREQ(control_->CallLog(), "");
    EXPECT_EQ(control_->CallCount("PcbApi_GetObjectIdFromObjectHandle"), 1u);

    control_->SetLogging(1);
    kind(c);
    int32_t offset = -42;
    ENTRY(PcbApi_QueryComponentChannelOffset)(kStore, c, &offset);
    ShortString<255> prompt("Go");
    int32_t x = 0, y = 0;
    ENTRY(PcbApi_ChooseLocation)(board_, &x, &y, &prompt);
    control_->SetLogging(0);
    kind(c);
    const std::string expected = "PcbApi_GetObjectIdFromObjectHandle(" + std::to_string(c) + ") -> 9\n" +
                                 "PcbApi_QueryComponentChannelOffset(0, " + std::to_string(c) + ", &-42) -> 0\n" +
                                 "PcbApi_ChooseLocation(" + std::to_string(board_) + ", &0, &0, &\"Go\") -> 1\n";
    EXPECT_EQ(control_->CallLog(), expected);
    EXPECT_EQ(control_->CallCount("PcbApi_GetObjectIdFromObjectHandle"), 3u);

    control_->ClearCallLog();
    control_->ClearCallCounts();
    EXPECT_STREQ(control_->CallLog(), "");
    EXPECT_EQ(control_->CallCount("PcbApi_GetObjectIdFromObjectHandle"), 0u);
}

TEST_F(TrelpaEditor, RejectsComponentSpecsItCannotHold) {
    const std::string longFootprint(251, 'F'), longDesignator(255, 'D');
    const struct {
        const char* designator;
        const char* footprint;
        uint8_t layer;
        int32_t left, right;
    } cases[] = {
        {nullptr, "F", 1, 0, 1},     {"D", nullptr, 1, 0, 1},           {longDesignator.c_str(), "F", 1, 0, 1},
        {"D", longFootprint.c_str(), 1, 0, 1}, {"D", "F", 0, 0, 1}, {"D", "F", 83, 0, 1},
        {"D", "F", 1, 2, 1},
    };
    for (const auto& c : cases) {
        const ComponentSpec part{c.designator, c.footprint, 0, 0, c.left, 0, c.right, 1, 0, c.layer, 0, 0};
        EXPECT_EQ(control_->AddComponent(&part), 0u);
    }
    EXPECT_EQ(control_->ComponentCount(), 0u);
    EXPECT_EQ(control_->AddComponent(nullptr), 0u);
}

}  // namespace
}  // namespace plz
