// The main job of the host simulator: a board file (or the demo board) loaded into the simulated
// PCB editor, the plug-in loaded as the host loads it, "Plazen" run with the pick answered or
// cancelled, and the arranged board written back with an optional before-and-after picture.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <utility>

namespace plz::hostsim {

class Host;

struct ArrangeOptions {
    std::string boardPath;              // empty: the demo board
    std::optional<std::string> object;  // the "Object" parameter; none: no parameter at all
    std::string parameters;             // further entries (Name=Value|...), after Object
    std::optional<std::pair<double, double>> pick;  // in the board's units; none: just right of the parts
    bool cancel = false;                // answer the pick with a cancel
    std::string outPath;                // empty: standard output
    std::string svgPath;                // empty: no picture
    std::string pluginPath;             // empty: the plug-in beside the executable
};

// Returns the exit code: 0 done (a cancelled pick included), 1 the command failed or showed an error
// message box, 2 bad input or a module that did not load (nothing written after 1 or 2). The
// summary goes to `err`.
int RunArrangement(Host& host, const ArrangeOptions& options, std::ostream& out, std::ostream& err);

}  // namespace plz::hostsim
