// The "Plazen" command against the simulated PCB editor and the simulated host client: the checks,
// the "Object" parameter and the options, collection and order, the grid layout, the refresh
// processes, failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "RTL/pcb_api.h"
#include "arranger/arrange_command.h"
#include "arranger/component_arranger.h"
#include "frame/current_client.h"
#include "hostsim/host.h"
#include "tests/unit/ui/answer_dialogs.h"
#include "tests/unit/trelpa/trelpa_fixture.h"

namespace plz {
namespace {

std::vector<std::string> g_dialogs;

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
        test::AnswerDialogs answer;
        ArrangeCommand(host_.Context(), parameters);
        g_dialogs.insert(g_dialogs.end(), test::AnsweredDialogs().begin(), test::AnsweredDialogs().end());
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
    // The handles in cell order: rows from the top, each left to right.
    std::vector<uint32_t> InCellOrder(std::vector<uint32_t> handles) {
        std::stable_sort(handles.begin(), handles.end(), [&](uint32_t a, uint32_t b) {
            const Rect ra = RectOf(a), rb = RectOf(b);
            return ra.top != rb.top ? ra.top > rb.top : ra.left < rb.left;
        });
        return handles;
    }

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
        {2, -1500000000, 2403},           // far left: the numerator exceeds 32 bits, the layout fits
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
            EXPECT_EQ(r.left, int64_t(c.startX) + (k % c.columns) * W) << k;
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
        const char* parameters;
        bool groupEach = false;  // each member a group of its own
    } cases[] = {
        {"many rows of tall cells", 40, 100000000, 0, ""},   // 41 rows of 101000000
        {"a start point near the end of the range", 1, 20000, 2147000000, ""},
        {"a wide gap", 25, 20000, 0, "Gap=10000mil|Columns=1"},  // 26 rows of 100020000
        {"shelves above shelves", 25, 20000, 0, "Groups=Rows|Width=1iu|Gap=10000mil", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        control_->Reset();
        host_.state().processes.clear();
        for (int k = 0; k < c.members; ++k)
            Part(("C" + std::to_string(k + 1)).c_str(), c.groupEach ? ("G" + std::to_string(k)).c_str() : "TALL", 0,
                 0, 40000, c.h);
        const std::string before = Dump();
        Pick(999990000 - 40000, c.pickY);  // one column
        try {
            Run(c.parameters);
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

PcbApi_QueryObjectBoundingRectangle_Fn g_hostRect = nullptr;
decltype(os::calls().FindExport) g_hostFindExport = nullptr;
// A host that reports left and right the wrong way round.
uint32_t PLZ_STDCALL InvertedRect(uint32_t handle, int32_t* left, int32_t* bottom, int32_t* right, int32_t* top) {
    const uint32_t status = g_hostRect(handle, left, bottom, right, top);
    std::swap(*left, *right);
    return status;
}
void* FindInvertingExport(ModuleHandle module, const char* name) {
    void* entry = g_hostFindExport(module, name);
    if (std::string(name) != "PcbApi_QueryObjectBoundingRectangle") return entry;
    g_hostRect = reinterpret_cast<PcbApi_QueryObjectBoundingRectangle_Fn>(entry);
    return reinterpret_cast<void*>(&InvertedRect);
}

TEST_F(ArrangerTest, WholeRectanglesOutOfRangeAndInvertedRectanglesFailWithNothingMoved) {
    // T2 hangs 20000 mil below its reference point: the point fits, its rectangle would not.
    Part("T1", "T", 0, 0);
    const trelpa::ComponentSpec hanging{"T2", "T", 0, 0, 0, -200000000, 40000, 0, 0.0, kTopLayer, 0, 0};
    ASSERT_NE(control_->AddComponent(&hanging), 0u);
    const std::string before = Dump();
    Pick(0, -2140000000);
    EXPECT_THROW(Run(), Exception);
    EXPECT_EQ(Dump(), before);

    Pick(0, 0);
    {
        g_hostFindExport = os::calls().FindExport;
        os::ScopedOverride inverting(os::calls().FindExport, &FindInvertingExport);
        BindPcbApi();
        try {
            Run();
            ADD_FAILURE() << "an inverted rectangle must fail the run";
        } catch (const Exception& e) {
            EXPECT_NE(e.Message().find("inverted bounding rectangle"), std::string::npos) << e.Message();
        }
    }
    BindPcbApi();
    EXPECT_EQ(Dump(), before);
    EXPECT_EQ(Calls("PcbApi_ChooseLocation"), 2u);
    EXPECT_TRUE(Processes().empty());
}

TEST_F(ArrangerTest, MemberOrderIsTheExchangeSortsWithOneTextReadPerMember) {
    // The exchange sort as first specified: n - 1 passes over neighbours, swapping strictly greater
    // texts only, in std::string's unsigned byte order. Ties keep the collection order.
    auto exchangeSorted = [](const std::vector<std::string>& texts) {
        std::vector<size_t> order(texts.size());
        std::iota(order.begin(), order.end(), size_t{0});
        for (size_t pass = 0; pass + 1 < order.size(); ++pass)
            for (size_t j = 0; j + pass + 1 < order.size(); ++j)
                if (texts[order[j]] > texts[order[j + 1]]) std::swap(order[j], order[j + 1]);
        return order;
    };
    std::vector<std::vector<std::string>> tables = {
        {"R2", "R10", "R2", "", "R1", "", "R10"},                     // ties and empty texts
        {"C1", "C", "C10", "C1 ", "C1\x01", "C", "C1"},               // prefixes
        {"\xff", "\x80", "a", "\x7f", "\xc3\xa9", "A", "\xff", "b"},  // bytes above 127
        {"only"},
        // past the eight bytes compared as one number
        {"ABCDEFGH1", "ABCDEFGH", "ABCDEFGH10", "ABCDEFGH1", "ABCDEFGH\x80", "ABCDEFGH\x01", "ABCDEFGI", "ABCDEFG"},
    };
    std::mt19937 random(20261210);
    const char alphabet[] = {'R', '1', '0', 'a', '\x80', '\xff'};
    for (int g = 0; g < 25; ++g) {
        std::vector<std::string> texts(1 + random() % 60);
        for (std::string& t : texts) {
            if (g % 2) t = "REF0000" + std::string(random() % 3, '0');  // long shared beginnings
            for (unsigned i = random() % 4; i > 0; --i) t += alphabet[random() % std::size(alphabet)];
        }
        tables.push_back(texts);
    }
    for (const auto& texts : tables) {
        control_->Reset();
        std::vector<uint32_t> parts;
        for (const std::string& t : texts) parts.push_back(Part(t.c_str(), "0805", 0, 0));
        Pick(0, 0);  // 961 columns: one row
        Run();
        std::vector<uint32_t> expected;
        for (size_t i : exchangeSorted(texts)) expected.push_back(parts[i]);
        EXPECT_EQ(InCellOrder(parts), expected);
        EXPECT_EQ(Calls("PcbApi_QueryText"), texts.size() < 2 ? 0u : uint32_t(texts.size()));
    }
    // Texts the host does not give sort as empty ones: the collection order stays.
    control_->Reset();
    const std::vector<uint32_t> parts = {Part("B", "0805", 0, 0), Part("A", "0805", 0, 0), Part("C", "0805", 0, 0)};
    control_->SetFailure("PcbApi_QueryText", 1);
    Run();
    EXPECT_EQ(InCellOrder(parts), parts);
}

TEST_F(ArrangerTest, NaturalOrderSortsGroupsAndMembers) {
    const uint32_t c10 = Part("C10", "SOIC-14", 0, 0), c2 = Part("C2", "SOIC-14", 0, 0);
    const uint32_t c1 = Part("C1", "SOIC-14", 0, 0), u = Part("U1", "SOIC-8", 0, 0), r = Part("R1", "0805", 0, 0);
    Pick(0, 0);
    Run("Object=All Components|order=NATURAL");
    EXPECT_EQ(InCellOrder({c10, c2, c1}), (std::vector<uint32_t>{c1, c2, c10}));
    EXPECT_LT(RectOf(r).top, RectOf(u).bottom) << "0805 below SOIC-8";
    EXPECT_LT(RectOf(u).top, RectOf(c1).bottom) << "SOIC-8 below SOIC-14";
}

TEST_F(ArrangerTest, OptionsSetTheCellsAndTheColumns) {
    struct Size {
        int32_t w, h;
    };
    const std::vector<Size> three(3, {40000, 20000}), five(5, {40000, 20000}), ten(10, {40000, 20000});
    // Rotated parts: widths and heights swap.
    const std::vector<Size> mixed = {{40000, 20000}, {20000, 40000}, {90000, 10000}, {10000, 10000}, {20000, 40000}};
    const struct {
        const char* parameters;
        std::vector<Size> members;
        int64_t W, H;
        int64_t columns;  // 0: as far as 99999 mil from the pick
    } cases[] = {
        {"Colour=red", three, 1040000, 1020000, 0},  // an unknown name changes nothing
        {"GAP=0.5MM", three, 236850, 216850, 0},
        {"Gap=0", std::vector<Size>(3, {0, 0}), 1, 1, 0},  // still a cell of one unit
        {"Gap=10000mil|Columns=1000000", three, 100040000, 100020000, 1000000},
        {"Columns=2", five, 1040000, 1020000, 2},
        {"columns=square", ten, 1040000, 1020000, 4},
        {"Columns=Square", std::vector<Size>(9, {40000, 20000}), 1040000, 1020000, 3},
        {"Width=260", five, 1040000, 1020000, 2},  // 2600000 / 1040000
        {"Width=99999mil", three, 1040000, 1020000, 961},
        {"cell=LARGEST|Gap=0|Columns=2", mixed, 90000, 40000, 2},
        {"Cell=First|Groups=Stacked|Order=Text", three, 1040000, 1020000, 0},
    };
    const int32_t x = 1000000, y = 2000000;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameters);
        control_->Reset();
        std::vector<uint32_t> parts;
        for (size_t k = 0; k < c.members.size(); ++k)
            parts.push_back(Part(("M" + std::to_string(k + 10)).c_str(), "G", 0, 0, c.members[k].w, c.members[k].h));
        Pick(x, y);
        Run(c.parameters);
        ASSERT_TRUE(g_dialogs.empty()) << g_dialogs[0];
        const int64_t n = int64_t(parts.size()), columns = c.columns ? c.columns : (999990000 - x) / c.W;
        const int64_t rows = n / columns + 1;
        for (int64_t k = 0; k < n; ++k) {
            const Rect r = RectOf(parts[size_t(k)]);
            EXPECT_EQ(r.left, x + (k % columns) * c.W) << k;
            EXPECT_EQ(r.top, y + rows * c.H - (k / columns) * c.H) << k;
        }
        for (size_t i = 0; i < parts.size(); ++i)
            for (size_t j = i + 1; j < parts.size(); ++j) {
                const Rect a = RectOf(parts[i]), b = RectOf(parts[j]);
                EXPECT_FALSE(a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top)
                    << "M" << i + 10 << " overlaps M" << j + 10;
            }
    }
}

TEST_F(ArrangerTest, GroupsInRowsFillShelvesLeftToRight) {
    constexpr int32_t W = 1040000, H = 1020000, x = 1000000, y = 2000000;
    struct Expected {
        uint32_t part;
        int64_t left, top;
    };
    {
        // Width 4200000 leaves room for 4 columns. A (3 cells) and B (1, taller) share the first
        // shelf; C (4 cells, 2 rows) starts the next one above B, the taller block.
        const uint32_t a0 = Part("A1", "A", 0, 0), a1 = Part("A2", "A", 0, 0), a2 = Part("A3", "A", 0, 0);
        const uint32_t b0 = Part("B1", "B", 0, 0, 40000, 520000);
        std::vector<uint32_t> cs;
        for (int k = 0; k < 4; ++k) cs.push_back(Part(("C" + std::to_string(k + 1)).c_str(), "C", 0, 0));
        Pick(x, y);
        Run("Groups=Rows|Width=4200000iu");
        const int64_t shelf2 = y + 1520000;
        std::vector<Expected> expected = {{a0, x, y + H}, {a1, x + W, y + H}, {a2, x + 2 * W, y + H},
                                          {b0, x + 3 * W, y + 1520000}};
        for (int k = 0; k < 4; ++k) expected.push_back({cs[size_t(k)], x + k * W, shelf2 + 2 * H});
        for (const Expected& e : expected) {
            EXPECT_EQ(RectOf(e.part).left, e.left) << e.part;
            EXPECT_EQ(RectOf(e.part).top, e.top) << e.part;
        }
    }
    {
        // Without Width a shelf reaches 99999 mil: room for two one-column blocks here.
        control_->Reset();
        const uint32_t a0 = Part("A1", "A", 0, 0), a1 = Part("A2", "A", 0, 0), a2 = Part("A3", "A", 0, 0);
        const uint32_t b0 = Part("B1", "B", 0, 0, 40000, 520000), c0 = Part("C1", "C", 0, 0);
        const int32_t start = 999990000 - 2 * W - 1;
        Pick(start, y);
        Run("groups=rows|Columns=1");
        const int64_t shelf2 = y + 4 * H;  // A: 3 rows and the one above
        const std::vector<Expected> expected = {{a0, start, y + 4 * H},        {a1, start, y + 3 * H},
                                                {a2, start, y + 2 * H},        {b0, start + W, y + 2 * 1520000},
                                                {c0, start, shelf2 + 2 * H}};
        for (const Expected& e : expected) {
            EXPECT_EQ(RectOf(e.part).left, e.left) << e.part;
            EXPECT_EQ(RectOf(e.part).top, e.top) << e.part;
        }
    }
}

TEST_F(ArrangerTest, BadOptionValuesStopTheCommandBeforeItTouchesTheBoard) {
    const struct {
        const char* parameters;
        const char* message;  // the start of the message: the entry as given
        const char* forms;
    } cases[] = {
        {"Order=Alphabetic", "The parameter Order=Alphabetic is not accepted.", "Order takes Text (the default) or Natural."},
        {"Cell=", "The parameter Cell= is not accepted.", "Cell takes First (the default) or Largest."},
        {"Groups=Columns", "The parameter Groups=Columns is not accepted.", "Groups takes Stacked (the default) or Rows."},
        {"Gap=-1", "The parameter Gap=-1 is not accepted.", "Gap takes a length from 0 to 10000 mil"},
        {"Gap=10000.1mil", "The parameter Gap=10000.1mil is not accepted.", "mil (the default), mm, in or iu"},
        {"gap=12 furlong", "The parameter Gap=12 furlong is not accepted.", "for example Gap=20mil"},
        {"Columns=0", "The parameter Columns=0 is not accepted.", "Columns takes a whole number from 1 to 1000000, or Square."},
        {"Columns=1000001", "The parameter Columns=1000001 is not accepted.", "or Square."},
        {"Columns=2.5", "The parameter Columns=2.5 is not accepted.", "or Square."},
        {"Width=0", "The parameter Width=0 is not accepted.", "Width takes a length more than 0 and at most 99999 mil"},
        {"Width=99999.0001mil", "The parameter Width=99999.0001mil is not accepted.", "for example Width=3in."},
        {"Columns=Square|Width=2in", "The parameters Columns and Width exclude each other", "except with Groups=Rows"},
    };
    Part("R1", "0805", 0, 0);
    const std::string before = Dump();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameters);
        g_dialogs.clear();
        control_->ClearCallCounts();
        Pick(0, 0);
        Run(c.parameters);
        ASSERT_EQ(g_dialogs.size(), 1u);
        EXPECT_EQ(g_dialogs[0].rfind(std::string("Error: ") + c.message, 0), 0u) << g_dialogs[0];
        EXPECT_NE(g_dialogs[0].find(c.forms), std::string::npos) << g_dialogs[0];
        EXPECT_EQ(Calls("PcbApi_QueryBoard"), 0u);
        EXPECT_EQ(Calls("PcbApi_ChooseLocation"), 0u);
        EXPECT_TRUE(Processes().empty());
        EXPECT_EQ(Dump(), before);
    }
}

}  // namespace
}  // namespace plz
