// plazen-host arrange end to end: the executable run as a user runs it, on the demo board and on
// small boards, with its outputs, summary, exit codes and bad-input messages.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "hostsim/board_file.h"
#include "hostsim/plugin_host.h"
#if !defined(_WIN32)
#include <sys/wait.h>
#endif

namespace plz::integration {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

// The file's text with Windows line ends read as plain ones (standard streams are text there).
std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    std::erase(text, '\r');
    return text;
}

class ArrangeCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("plazen-cli-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Write(const std::string& name, const std::string& text) {
        std::ofstream(dir_ / name, std::ios::binary) << text;
        return dir_ / name;
    }

    // Runs plazen-host with the arguments; standard output and error are kept in out_ and err_.
    int Run(const std::string& arguments) {
#if defined(_WIN32)
        const std::string exe = hostsim::BesideExecutable("plazen-host.exe");
#else
        const std::string exe = hostsim::BesideExecutable("plazen-host");
#endif
        std::string command = "\"" + exe + "\" arrange " + arguments + " > \"" + (dir_ / "stdout").string() +
                              "\" 2> \"" + (dir_ / "stderr").string() + "\"";
#if defined(_WIN32)
        command = "\"" + command + "\"";  // cmd.exe strips one pair of quotes around the whole line
#else
        // A cross-built program runs under the emulator that runs this test.
        if (const char* emulator = std::getenv("PLAZEN_TEST_EMULATOR"); emulator && *emulator)
            command = emulator + (" " + command);
#endif
        const int status = std::system(command.c_str());
        out_ = ReadText(dir_ / "stdout");
        err_ = ReadText(dir_ / "stderr");
#if defined(_WIN32)
        return status;
#else
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    }
    std::string Path(const std::string& name) const { return "\"" + (dir_ / name).string() + "\""; }

    fs::path dir_;
    std::string out_, err_;
};

const char* kSmallBoard = R"({
  "units": "mil",
  "title": "kept as it is",
  "components": [
    { "designator": "R2", "footprint": "0805", "x": 100, "y": 50.5, "bbox": [60, 25.5, 140, 75.5], "tag": 7 },
    { "designator": "R1", "footprint": "0805", "x": 300, "y": 90, "bbox": [260, 65, 340, 115], "selected": true },
    { "designator": "U1", "footprint": "SOIC-8", "x": 500, "y": 500, "bbox": [400, 402.5, 600, 597.5] },
    { "designator": "J1", "footprint": "HDR", "x": 0, "y": 0, "bbox": [-10, -10, 10, 10], "excluded": true }
  ]
})";

TEST_F(ArrangeCli, DemoBoardIsArrangedWithPictureAndSummary) {
    ASSERT_EQ(Run("--out " + Path("arranged.json") + " --svg " + Path("arranged.svg")), 0) << err_;
    const Json board = Json::parse(ReadText(dir_ / "arranged.json"));
    EXPECT_EQ(board["units"], "mil");
    EXPECT_EQ(board["components"].size(), 60u);
    EXPECT_EQ(ReadText(dir_ / "arranged.svg").rfind("<svg ", 0), 0u);
    EXPECT_NE(err_.find("59 of 60 components moved"), std::string::npos) << err_;
    EXPECT_NE(err_.find("options: none (the plain arrangement)"), std::string::npos) << err_;
    EXPECT_NE(err_.find("  0402: C1 C10 C11 C12 C2 C3"), std::string::npos) << err_;
    EXPECT_NE(err_.find("process PCB:Zoom Action=Redraw\nprocess PCB:NetList Optimize=all\n"
                        "process PCB:Zoom Action=All\n"),
              std::string::npos)
        << err_;
}

TEST_F(ArrangeCli, SmallBoardKeepsOrderUnitsAndUnknownFields) {
    Write("board.json", kSmallBoard);
    ASSERT_EQ(Run(Path("board.json") + " --pick 1000,2000"), 0) << err_;
    const Json out = Json::parse(out_);
    EXPECT_EQ(out["title"], "kept as it is");
    const Json& c = out["components"];
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[0]["designator"], "R2");
    EXPECT_EQ(c[0]["tag"], 7);
    // R1 and R2 share the 0805 group, R1 first: its cell's left edge is the pick.
    EXPECT_EQ(c[1]["bbox"][0], 1000);
    EXPECT_EQ(c[0]["bbox"][0], 1000 + 80 + 100);
    EXPECT_EQ(c[0]["bbox"][1], c[1]["bbox"][1]);
    // The reference point keeps its place in the rectangle, half mils included.
    EXPECT_EQ(c[0]["y"].get<double>() - c[0]["bbox"][1].get<double>(), 25.0);
    EXPECT_EQ(c[3]["x"], 0) << "left out by the host";
    EXPECT_NE(err_.find("3 of 4 components moved"), std::string::npos) << err_;
}

TEST_F(ArrangeCli, SelectedOnlyCancelAndDefaultPick) {
    Write("board.json", kSmallBoard);
    ASSERT_EQ(Run(Path("board.json") + " --object \"Selected Components\""), 0) << err_;
    EXPECT_NE(err_.find("1 of 4 components moved"), std::string::npos) << err_;
    // The default pick: 100 mil right of the extent (600), level with the lowest edge (-10).
    const Json selected = Json::parse(out_);
    const Json& c = selected["components"];
    EXPECT_EQ(c[1]["bbox"][0], 700);
    EXPECT_EQ(c[1]["bbox"][1], -10 + 100);

    ASSERT_EQ(Run(Path("board.json") + " --cancel --out " + Path("same.json")), 0) << err_;
    const Json same = Json::parse(ReadText(dir_ / "same.json"));
    const Json in = Json::parse(kSmallBoard);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(same["components"][i]["x"], in["components"][i]["x"]);
        EXPECT_EQ(same["components"][i]["bbox"], in["components"][i]["bbox"]);
    }
    EXPECT_NE(err_.find("0 of 4 components moved"), std::string::npos);
    EXPECT_NE(err_.find("process PCB:Zoom Action=All"), std::string::npos) << "refreshed after a cancel too";
}

TEST_F(ArrangeCli, FailedCommandReportsStatusAndErrorAndWritesNothing) {
    Write("board.json", kSmallBoard);
    EXPECT_EQ(Run(Path("board.json") + " --pick 0,214748 --out " + Path("out.json")), 1);
    EXPECT_NE(err_.find("0x8000FFFF"), std::string::npos) << err_;
    EXPECT_NE(err_.find("The arrangement does not fit in the board's coordinate range"), std::string::npos) << err_;
    EXPECT_NE(err_.find("0 of 4 components moved"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(dir_ / "out.json"));
}

TEST_F(ArrangeCli, OptionsArePassedAfterObjectAndReported) {
    ASSERT_EQ(Run("--params \"order=natural|Cell=Largest|Columns=Square|Groups=Rows|Width=3in|Gap=20mil\" --out " +
                  Path("compact.json") + " --svg " + Path("compact.svg")),
              0)
        << err_;
    EXPECT_NE(err_.find("options: Order=Natural|Cell=Largest|Gap=20mil|Columns=Square|Width=3000mil|Groups=Rows\n"),
              std::string::npos)
        << err_;
    EXPECT_NE(err_.find("  0402: C1 C2 C3 C4 C5 C6 C7 C8 C9 C10 C11 C12\n"), std::string::npos) << err_;
    const std::string svg = ReadText(dir_ / "compact.svg");
    EXPECT_NE(svg.find(">Options: Order=Natural|Cell=Largest|Gap=20mil|Columns=Square|Width=3000mil|Groups=Rows</text>"),
              std::string::npos);
    EXPECT_NE(svg.find("paint-order=\"stroke\">QFP-44</text>"), std::string::npos)
        << "each group is labelled with its key";

    // Object comes first in the parameter text; the options follow it.
    Write("board.json", kSmallBoard);
    ASSERT_EQ(Run(Path("board.json") + " --object \"Selected Components\" --params Gap=0"), 0) << err_;
    EXPECT_NE(err_.find("options: Gap=0mil\n"), std::string::npos) << err_;
    EXPECT_NE(err_.find("1 of 4 components moved"), std::string::npos) << err_;
}

TEST_F(ArrangeCli, BadOptionShowsAnErrorBoxEndsWithExitCodeOneAndWritesNothing) {
    const int code = Run("--params \"Gap=12 furlong\" --out " + Path("out.json") + " --svg " + Path("out.svg"));
    EXPECT_NE(err_.find("options: a bad value, refused by the command"), std::string::npos) << err_;
    EXPECT_NE(err_.find("0 of 60 components moved"), std::string::npos) << err_;
#if !defined(_WIN32)
    // On Windows the box has no real owner window in the simulator, so it is not shown or seen.
    EXPECT_EQ(code, 1);
    EXPECT_NE(err_.find("message box [Error] The parameter Gap=12 furlong is not accepted. Gap takes a length"),
              std::string::npos)
        << err_;
    EXPECT_NE(err_.find("Plazen showed an error message box"), std::string::npos) << err_;
    EXPECT_FALSE(fs::exists(dir_ / "out.json"));
    EXPECT_FALSE(fs::exists(dir_ / "out.svg"));
#else
    EXPECT_EQ(code, 0);
#endif
}

TEST_F(ArrangeCli, BadInputIsRefusedWithTheFileComponentAndField) {
    const std::string ok = R"("designator": "R1", "footprint": "0805", "x": 1, "y": 2, "bbox": [0, 0, 3, 4])";
    const struct {
        const char* what;
        std::string board;
        std::string message;
    } cases[] = {
        {"syntax", "{ \"components\": [ }", "syntax error at line 1, column 19"},
        {"no components", "{}", "field \"components\" is missing"},
        {"units", R"({ "units": "inch", "components": [] })", "field \"units\" must be"},
        {"missing field", R"({ "components": [ { "designator": "R1", "x": 1 } ] })",
         "component 1 (R1), field \"footprint\": is missing"},
        {"mistyped field", R"({ "components": [ {)" + ok + R"(, "selected": "yes" } ] })",
         "component 1 (R1), field \"selected\": must be true or false"},
        {"inverted bbox", R"({ "components": [ { "designator": "C7", "footprint": "0805", "x": 1, "y": 2, "bbox": [5, 0, 3, 4] } ] })",
         "component 1 (C7), field \"bbox\": left lies right of right"},
        {"out of range", R"({ "components": [ { "designator": "C7", "footprint": "0805", "x": 214749, "y": 2, "bbox": [0, 0, 3, 4] } ] })",
         "field \"x\": lies outside the 32-bit internal coordinate range"},
        {"fractional iu", R"({ "units": "iu", "components": [ { "designator": "C7", "footprint": "0805", "x": 1.5, "y": 2, "bbox": [0, 0, 3, 4] } ] })",
         "field \"x\": must be a whole number of internal units"},
        {"long footprint", R"({ "components": [ { "designator": "C7", "footprint": ")" + std::string(251, 'F') +
                               R"(", "x": 1, "y": 2, "bbox": [0, 0, 3, 4] } ] })",
         "field \"footprint\": is longer than 250 characters"},
        {"layer", R"({ "components": [ {)" + ok + R"(, "layer": "Top" } ] })",
         "field \"layer\": \"Top\" is not a layer name"},
        {"layer without components", R"({ "components": [ {)" + ok + R"(, "layer": "PadHoleLayer" } ] })",
         "field \"layer\": \"PadHoleLayer\" is not a layer a component can lie on"},
        {"control characters", R"({ "components": [ { "designator": "R\n1\u0007", "footprint": "0805", "x": 1, "y": 2, "bbox": [5, 0, 3, 4] } ] })",
         "component 1 (R\\n1\\u0007), field \"bbox\": left lies right of right\n"},
        {"number beyond a double", R"({ "components": [ { "designator": "C7", "x": 1e400 } ] })",
         "component 1 (C7), field \"x\": the number 1e400 is too large"},
        {"number beyond a double elsewhere", R"({ "units": "mil", "scale": -1e999, "components": [] })",
         "field \"scale\": the number -1e999 is too large"},
        {"deep nesting", R"({ "components": [ {)" + ok + R"(, "tag": )" + std::string(200, '[') +
                             std::string(200, ']') + " } ] }",
         "component 1 (R1), field \"tag\": is nested deeper than 100 levels"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const fs::path board = Write("bad.json", c.board);
        EXPECT_EQ(Run(Path("bad.json") + " --out " + Path("out.json")), 2);
        EXPECT_NE(err_.find(board.string() + ": "), std::string::npos) << err_;
        EXPECT_NE(err_.find(c.message), std::string::npos) << err_;
        EXPECT_FALSE(fs::exists(dir_ / "out.json"));
    }
    // Nesting up to the limit is read and written back.
    const std::string deep = std::string(96, '[') + std::string(96, ']');
    Write("deep.json", R"({ "components": [ {)" + ok + R"(, "tag": )" + deep + " } ] }");
    ASSERT_EQ(Run(Path("deep.json")), 0) << err_;
    EXPECT_EQ(Json::parse(out_)["components"][0]["tag"], Json::parse(deep));

    // Only regular files are read, up to the size limit (a sparse file stands for a large one).
    fs::create_directory(dir_ / "folder");
    Write("huge.json", "");
    fs::resize_file(dir_ / "huge.json", hostsim::kMaxBoardFileBytes + 1);
    std::vector<std::pair<std::string, std::string>> unreadable = {
        {Path("missing.json"), "missing.json: cannot read the file\n"},
        {Path("folder"), "folder: cannot read the file: it is a folder\n"},
        {Path("huge.json"), "huge.json: cannot read the file: it is larger than 64 MiB\n"}};
#if !defined(_WIN32)
    unreadable.push_back({"/dev/zero", "/dev/zero: cannot read the file: it is not a regular file\n"});
#endif
    for (const auto& [path, message] : unreadable) {
        SCOPED_TRACE(path);
        EXPECT_EQ(Run(path), 2);
        EXPECT_TRUE(err_.ends_with(message)) << err_;
    }
    EXPECT_EQ(Run("--pick 1,2 --cancel"), 2) << "the pick and the cancel exclude each other";
}

}  // namespace
}  // namespace plz::integration
