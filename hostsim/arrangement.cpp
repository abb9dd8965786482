// Running the arrangement in the host simulator and reporting what happened.
#include "hostsim/arrangement.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <vector>

#include "arranger/arrange_options.h"
#include "arranger/natural_order.h"
#include "hostsim/board_file.h"
#include "hostsim/board_svg.h"
#include "hostsim/commands.h"
#include "hostsim/demo_board.h"
#include "hostsim/host.h"
#include "hostsim/message_boxes.h"
#include "hostsim/plugin_host.h"
#include "hostsim/trelpa/trelpa_module.h"
#include "platform/os.h"

namespace plz::hostsim {
namespace {

bool WriteFile(const std::string& path, const std::string& text, std::ostream& err) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        err << path << ": cannot write\n";
        return false;
    }
    return true;
}

// The groups as the arrangement left them: the moved components by footprint, the groups in the
// order the command places them (their keys in the order the options ask for, which stacked groups
// show from the lowest up and shelves row by row), members in cell order (rows from the top, left
// to right).
void SummariseGroups(const std::vector<BoardComponent>& before, const std::vector<BoardComponent>& after,
                     const plz::ArrangeOptions& options, std::ostream& err) {
    std::map<std::string, std::vector<size_t>> groups;  // keys in byte order
    for (size_t i = 0; i < after.size(); ++i)
        if (after[i].x != before[i].x || after[i].y != before[i].y) groups[after[i].footprint].push_back(i);
    std::vector<std::string> order;
    for (auto& [footprint, members] : groups) {
        std::sort(members.begin(), members.end(), [&](size_t a, size_t b) {
            if (after[a].top != after[b].top) return after[a].top > after[b].top;
            return after[a].left < after[b].left;
        });
        order.push_back(footprint);
    }
    if (options.Order == plz::ArrangeOptions::OrderKind::Natural)
        std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return CompareNatural(a, b) < 0; });
    for (const std::string& footprint : order) {
        err << "  " << footprint << ":";
        for (size_t i : groups[footprint]) err << " " << after[i].designator;
        err << "\n";
    }
}

}  // namespace

int RunArrangement(Host& host, const ArrangeOptions& options, std::ostream& out, std::ostream& err) {
    BoardFile board;
    try {
        if (options.boardPath.empty())
            board = ParseBoard(DemoBoardJson(), "demo board");
        else
            board = ParseBoard(ReadBoardFile(options.boardPath), options.boardPath);
    } catch (const BoardFileError& e) {
        err << e.what() << "\n";
        return kExitUsage;
    }
    std::optional<std::pair<int32_t, int32_t>> pick;
    if (options.pick) {
        auto x = ToInternalUnits(options.pick->first, board.units), y = ToInternalUnits(options.pick->second, board.units);
        if (!x || !y) {
            err << "--pick: the point lies outside the 32-bit internal coordinate range\n";
            return kExitUsage;
        }
        pick.emplace(*x, *y);
    }

    PluginHost plugin(host);
    std::string problem;
    if (!plugin.LoadEditor(DefaultEditorPath(), &problem)) {
        err << problem << "\n";
        return kExitUsage;
    }
    const trelpa::Control* control = trelpa::ControlOf(plugin.Editor());
    if (!control) {
        err << "the PCB editor module has no " << trelpa::kControlExport << "\n";
        return kExitUsage;
    }
    const trelpa::Control& editor = *control;
    editor.Reset();
    std::vector<uint32_t> handles;
    handles.reserve(board.components.size());
    for (const BoardComponent& c : board.components) {
        const trelpa::ComponentSpec part{c.designator.c_str(), c.footprint.c_str(), c.x, c.y, c.left, c.bottom,
                                         c.right, c.top, c.rotation, c.layer, uint8_t(c.selected), uint8_t(c.excluded)};
        handles.push_back(editor.AddComponent(&part));
    }
    if (!pick && !board.components.empty()) {
        // Just right of the components' extent, level with their lowest edge.
        int64_t right = std::numeric_limits<int32_t>::min(), bottom = std::numeric_limits<int32_t>::max();
        for (const BoardComponent& c : board.components) {
            right = std::max<int64_t>(right, c.right);
            bottom = std::min<int64_t>(bottom, c.bottom);
        }
        pick.emplace(int32_t(std::min<int64_t>(right + 1000000, std::numeric_limits<int32_t>::max())), int32_t(bottom));
    }
    if (!pick) pick.emplace(0, 0);
    editor.SetChooseLocation(options.cancel ? 0 : 1, pick->first, pick->second);

    // The command's parameter text: Object first, then the entries given.
    std::string parameters = options.object ? "Object=" + *options.object : std::string();
    if (!options.parameters.empty()) parameters += (parameters.empty() ? "" : "|") + options.parameters;
    // The options as the command reads them, for the summary and the picture.
    plz::ArrangeOptions inForce;
    const std::optional<std::string> badOption = ReadArrangeOptions(parameters.c_str(), inForce);
    const std::string described = DescribeArrangeOptions(inForce);

    MessageBoxWatch boxes;
    if (!plugin.Load(options.pluginPath.empty() ? DefaultPluginPath() : options.pluginPath, &problem)) {
        err << problem << "\n";
        return kExitUsage;
    }
    const Outcome outcome = plugin.Launch("Plazen", parameters);

    std::vector<BoardComponent> after = board.components;
    size_t moved = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        trelpa::ComponentState s{};
        if (!editor.ReadComponent(handles[i], &s)) continue;
        BoardComponent& c = after[i];
        c.x = s.x, c.y = s.y, c.left = s.left, c.bottom = s.bottom, c.right = s.right, c.top = s.top;
        if (c.x != board.components[i].x || c.y != board.components[i].y) ++moved;
    }
    plugin.Unload();

    if (badOption)
        err << "options: a bad value, refused by the command\n";
    else
        err << "options: " << (described.empty() ? "none (the plain arrangement)" : described) << "\n";
    err << "groups, in order:\n";
    SummariseGroups(board.components, after, inForce, err);
    err << moved << " of " << after.size() << " components moved\n";
    for (const LaunchedProcess& p : host.state().processes) err << "process " << p.process << " " << p.parameters << "\n";
    for (const std::string& m : boxes.Seen()) err << "message box " << m << "\n";
    if (Failed(outcome.status)) {
        err << "Plazen failed with status " << FormatStatus(outcome.status) << "\n";
        if (outcome.error) {
            err << "  source: " << os::calls().WideToAnsi(outcome.error->source) << "\n";
            err << "  description: " << os::calls().WideToAnsi(outcome.error->description) << "\n";
        }
        PrintHostErrorReport(err, outcome);
        return kExitCommandFailed;
    }
    // The command's error boxes are its failures too; nothing is written then.
    if (!boxes.Seen().empty()) {
        err << "Plazen showed an error message box\n";
        return kExitCommandFailed;
    }

    const std::string arranged = FormatBoard(board, after);
    if (options.outPath.empty())
        out << arranged;
    else if (!WriteFile(options.outPath, arranged, err))
        return kExitUsage;
    if (!options.svgPath.empty() &&
        !WriteFile(options.svgPath, RenderBoardSvg(board.components, after, options.cancel ? std::nullopt : pick,
                                                   described.empty() ? "Options: none (the plain arrangement)"
                                                                     : "Options: " + described), err))
        return kExitUsage;
    return kExitSuccess;
}

}  // namespace plz::hostsim
