// The embedded demo board: about 60 components in about 10 footprints, scattered as after a
// netlist import, some selected and one that the host leaves out.
#pragma once

#include <string>

namespace plz::hostsim {

// The demo board as a board file text (units: mil).
std::string DemoBoardJson();

}  // namespace plz::hostsim
