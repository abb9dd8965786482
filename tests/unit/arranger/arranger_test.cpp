// The "Plazen" command against the simulated PCB editor and the simulated host client: the checks,
// the "Object" parameter, collection and order, the grid layout, the refresh processes, failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RTL/pcb_api.h"
#include "arranger/arrange_command.h"
#include "arranger/component_arranger.h"
#include "frame/current_client.h"
#include "hostsim/host.h"
#include "tests/unit/trelpa/trelpa_fixture.h"

namespace plz {
namespace {

std::vector<std::string> g_dialogs;
int RecordDialog(WindowHandle, const std::string& caption, const std::string& text, os::MessageKind, int) {
    g_dialogs.push_back(caption + ": " + text);
    return 1;
}

struct Rect {
    int32_t left, bottom, right, top;
};

class ArrangerTest : public test::TrelpaFixture {
protected:
    void SetUp() override {
        TrelpaFixture::SetUp();
        BindPcbApi();
        SetCurrentClient(host_.Client());
        g_dialogs.clear();
        contextReferences_ = host_.ContextReferences();
    }
    void TearDown() override {
        EXPECT_EQ(host_.ContextReferences(), contextReferences_) << "the run kept the context";
        EXPECT_EQ(CurrentArranger, nullptr);
        SetCurrentClient(nullptr);
    }

    // A component whose rectangle is w by h with its reference point at the lower left corner
    // plus (dx, dy).
    uint32_t Part(const char* designator, const char* footprint, int32_t x, int32_t y, int32_t w = 40000,
                  int32_t h = 20000, bool selected = false, bool excluded = false, uint8_t layer = kTopLayer) {
        const trelpa::ComponentSpec part{designator, footprint, x, y, x - 5000, y - 3000, x - 5000 + w,
                                         y - 3000 + h, 0.0, layer, uint8_t(selected), uint8_t(excluded)};
        const uint32_t handle = control_->AddComponent(&part);
        EXPECT_NE(handle, 0u);
        return handle;
    }
    Rect RectOf(uint32_t handle) {
        const auto s = Read(handle);
        return {s.left, s.bottom, s.right, s.top};
    }
    void Pick(int32_t x, int32_t y) { control_->SetChooseLocation(1, x, y); }

    void Run(const char* parameters = "") {
        os::ScopedOverride dialogs(os::calls().MessageDialog, &RecordDialog);
        ArrangeCommand(host_.Context(), parameters);
    }
    std::vector<std::string> Processes() {
        std::vector<std::string> out;
        for (const auto& p : host_.state().processes) {
            EXPECT_EQ(p.size, 256);
            EXPECT_EQ(p.context, host_.Context());
            out.push_back(p.process + " " + p.parameters);
        }
        return out;
    }
    uint32_t Calls(const char* entry) { return control_->CallCount(entry); }

    hostsim::Host host_;
    uint32_t contextReferences_ = 0;
};

const std::vector<std::string> kRefresh = {"PCB:Zoom Action=Redraw", "PCB:NetList Optimize=all",
                                           "PCB:Zoom Action=All"};

TEST_F(ArrangerTest, WithoutEditorWindowOrBoardOnlyTheMessageIsShown) {
    const struct {
        uint32_t window, board;
        const char* message;
        uint32_t boardQueries;
    } cases[] = {{0, 1, "Error: No document is currently open in Client.", 0},
                 {7, 0, "Error: No PCB is currently open in Client.", 1}};
    for (const auto& c : cases) {
        control_->Reset();
        Part("R1", "0805", 0, 0);
        control_->SetEditorWindow(c.window);
        if (!c.board) control_->SetCurrentBoard(0);
        control_->ClearCallCounts();
        g_dialogs.clear();
        host_.state().processes.clear();
        Run();
        EXPECT_EQ(g_dialogs, std::vector<std::string>{c.message});
        EXPECT_EQ(Calls("PcbApi_GetCurrentBoardHandle"), c.boardQueries);
        EXPECT_EQ(Calls("PcbApi_QueryBoard"), 0u);
        EXPECT_EQ(Calls("PcbApi_CreateIterator"), 0u);
        EXPECT_TRUE(Processes().empty());
    }
}

TEST_F(ArrangerTest, ObjectParameterChoosesAllOrOnlySelectedComponents) {
    const struct {
        const char* parameters;
        bool selectedOnly;
    } cases[] = {
        {"", false},
        {"Object=", false},
        {"Object=ALL COMPONENTS", false},
        {"Object=whatever", false},
        {"Object=SELECTED  COMPONENTS", false},  // two blanks
        {"Object=SELECTED COMPONENTS", true},
        {"object= selected Components |x", true},
        {"Mode=1|Object=sElEcTeD cOmPoNeNtS", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameters);
        control_->Reset();
        const uint32_t chosen = Part("R1", "0805", 0, 0, 40000, 20000, /*selected=*/true);
        const uint32_t other = Part("R2", "0805", 100000, 0);
        const uint32_t left = Part("R3", "0805", 200000, 0, 40000, 20000, true, /*excluded=*/true);
        const auto before = Read(other).x;
        Pick(5000000, 5000000);
        Run(c.parameters);
        EXPECT_NE(Read(chosen).x, 0);
        EXPECT_EQ(Read(other).x != before, !c.selectedOnly);
        EXPECT_EQ(Read(left).x, 200000) << "a component the host leaves out never moves";
    }
}

TEST_F(ArrangerTest, GroupsFollowKeyOrderAndMembersDesignatorOrder) {
    // Keys compare byte by byte without case folding; designators as text, not as numbers.
    const uint32_t so8 = Part("U1", "SO8", 0, 0), so8lower = Part("U2", "so8", 0, 0);
    const uint32_t so8n = Part("U3", "SO8N", 0, 0), r805 = Part("R10", "0805", 0, 0);
    const uint32_t r9 = Part("R9", "0805", 0, 0), c10 = Part("C10", "0603", 0, 0);
    const uint32_t c2 = Part("C2", "0603", 0, 0), c1 = Part("C1", "0603", 0, 0);
    Pick(1000000, 2000000);
    Run();
    // Groups stack upward from the pick in sorted order: 0603, 0805, SO8, SO8N, so8.
    const uint32_t firsts[] = {c1, r805, so8, so8n, so8lower};
    for (size_t i = 1; i < std::size(firsts); ++i)
        EXPECT_GT(RectOf(firsts[i]).bottom, RectOf(firsts[i - 1]).top) << i;
    // Within a row, members run left to right in designator order: C1, C10, C2 and R10, R9.
    EXPECT_LT(RectOf(c1).left, RectOf(c10).left);
    EXPECT_LT(RectOf(c10).left, RectOf(c2).left);
    EXPECT_LT(RectOf(r805).left, RectOf(r9).left);
    for (uint32_t h : firsts) EXPECT_EQ(RectOf(h).left, 1000000);
}

TEST_F(ArrangerTest, EqualDesignatorsKeepTheOrderOfIteration) {
    // Layer 1 is iterated before layer 32, and each layer in file order.
    const uint32_t bottom = Part("R5", "0805", 0, 0, 40000, 20000, false, false, kBottomLayer);
    const uint32_t first = Part("R5", "0805", 0, 0), second = Part("R5", "0805", 0, 0);
    Pick(1000000, 2000000);
    Run();
    EXPECT_LT(RectOf(first).left, RectOf(second).left);
    EXPECT_LT(RectOf(second).left, RectOf(bottom).left);
}

TEST_F(ArrangerTest, NothingToArrangeEndsBeforeThePrompt) {
    for (const char* parameters : {"", "Object=Selected Components"}) {
        control_->Reset();
        if (*parameters) Part("R1", "0805", 0, 0);  // not selected
        Run(parameters);
        EXPECT_EQ(Calls("PcbApi_ChooseLocation"), 0u);
        EXPECT_TRUE(Processes().empty());
    }
}

TEST_F(ArrangerTest, CancelledPickMovesNothingAndStillRefreshes) {
    Part("R1", "0805", 12345, 678);
    const std::string before = Dump();
    control_->SetChooseLocation(0, 0, 0);
    Run();
    EXPECT_EQ(Dump(), before);
    EXPECT_STREQ(control_->LastPrompt(), "Choose Starting location for arranging components");
    EXPECT_EQ(Processes(), kRefresh);
}

TEST_F(ArrangerTest, GridCellsFromTheFirstMemberAndRowCount) {
    // Cells are 1040000 by 1020000 (40000 by 20000 plus the margin).
    constexpr int32_t W = 1040000, H = 1020000;
    const struct {
        int members;
        int32_t startX;
        int columns;  // what the start X leaves room for
    } cases[] = {
        {1, 0, 961},
        {5, 999990000 - 5 * W, 5},        // a full row: R = 2
        {6, 999990000 - 5 * W, 5},        // two rows
        {3, 999990000 - W + 1, 1},        // quotient 0: one column, R = n + 1
        {3, 999990000 + 2 * W, 1},        // negative quotient: one column
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.members);
        control_->Reset();
        std::vector<uint32_t> parts;
        for (int k = 0; k < c.members; ++k)
            parts.push_back(Part(("R" + std::to_string(k + 10)).c_str(), "0805", 7 * k, 3 * k));
        const int32_t y = -7000000;
        Pick(c.startX, y);
        Run();
        const int rows = c.members / c.columns + 1;
        for (int k = 0; k < c.members; ++k) {
            const Rect r = RectOf(parts[size_t(k)]);
            EXPECT_EQ(r.left, c.startX + (k % c.columns) * W) << k;
            EXPECT_EQ(r.top, y + rows * H - (k / c.columns) * H) << k;
        }
        // The first row's top edge and the lowest member's bottom edge.
        EXPECT_EQ(RectOf(parts.back()).bottom, y + (rows - (c.members - 1) / c.columns - 1) * H + 1000000);
    }
}

TEST_F(ArrangerTest, GroupsStackFromThePreviousGroupsTopAndCellsComeFromTheFirstMember) {
    const uint32_t a1 = Part("A1", "A", 0, 0, 40000, 20000), a2 = Part("A2", "A", 0, 0, 90000, 50000);
    const uint32_t b1 = Part("B1", "B", 0, 0, 10000, 10000);
    Pick(2000000, 3000000);
    Run();
    // Group A: cell from A1 (1040000 wide); A2 is larger and reaches into the next cell.
    EXPECT_EQ(RectOf(a1).left, 2000000);
    EXPECT_EQ(RectOf(a2).left, 2000000 + 1040000);
    const int32_t topA = 3000000 + 1 * 1020000;
    EXPECT_EQ(RectOf(a1).top, topA);
    EXPECT_EQ(RectOf(a2).top, topA);
    // Group B starts at A's top edge, at the same X: one row of one, so its top is one cell higher.
    EXPECT_EQ(RectOf(b1).left, 2000000);
    EXPECT_EQ(RectOf(b1).top, topA + 1010000);
    EXPECT_EQ(Processes(), kRefresh);
}

TEST_F(ArrangerTest, FailingProcessEndsTheRunAfterTheProcessesBeforeIt) {
    Part("R1", "0805", 0, 0);
    Pick(0, 0);
    host_.state().processFailures[1] = {E_FAIL, u"Host", u"the netlist is locked"};
    EXPECT_THROW(Run(), EHostError);
    const std::vector<std::string> expected(kRefresh.begin(), kRefresh.begin() + 2);
    EXPECT_EQ(Processes(), expected);
}

TEST_F(ArrangerTest, LayoutThatWouldLeaveTheCoordinateRangeMovesNothing) {
    const struct {
        const char* what;
        int members;
        int32_t h;
        int32_t pickY;
    } cases[] = {
        {"many rows of tall cells", 40, 100000000, 0},   // 41 rows of 101000000
        {"a start point near the end of the range", 1, 20000, 2147000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        control_->Reset();
        host_.state().processes.clear();
        for (int k = 0; k < c.members; ++k)
            Part(("C" + std::to_string(k + 1)).c_str(), "TALL", 0, 0, 40000, c.h);
        const std::string before = Dump();
        Pick(999990000 - 40000, c.pickY);  // one column
        try {
            Run();
            ADD_FAILURE() << "the layout must fail";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(),
                      "The arrangement does not fit in the board's coordinate range; no component was moved.");
        }
        EXPECT_EQ(Dump(), before);
        EXPECT_EQ(Calls("PcbApi_QueryComponent"), uint32_t(c.members)) << "fetched, never committed";
        EXPECT_TRUE(Processes().empty());
    }
}

}  // namespace
}  // namespace plz
