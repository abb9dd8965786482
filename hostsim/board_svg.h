// The picture of an arrangement: the board before and after, side by side, each component a
// rectangle labelled with its designator, each footprint group in its own colour and, after, named
// above its components; the pick marked; a caption line below.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hostsim/board_file.h"

namespace plz::hostsim {

std::string RenderBoardSvg(const std::vector<BoardComponent>& before, const std::vector<BoardComponent>& after,
                           std::optional<std::pair<int32_t, int32_t>> pick, const std::string& caption);

}  // namespace plz::hostsim
