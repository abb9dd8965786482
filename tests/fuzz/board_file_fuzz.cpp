// Fuzz target of the board-file reader. A text either loads, or is refused with one line that
// names the file (and the component and field where there is one); a board that loads holds
// only what the simulated editor accepts, and written back it reads as the same board.
#include <cstddef>
#include <cstdint>
#include <string>

#include "hostsim/board_file.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

using plz::hostsim::BoardComponent;

bool Same(const BoardComponent& a, const BoardComponent& b) {
    return a.designator == b.designator && a.footprint == b.footprint && a.x == b.x && a.y == b.y &&
           a.left == b.left && a.bottom == b.bottom && a.right == b.right && a.top == b.top &&
           (a.rotation == b.rotation || (a.rotation != a.rotation && b.rotation != b.rotation)) &&
           a.layer == b.layer && a.selected == b.selected && a.excluded == b.excluded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace plz::hostsim;
    const std::string text(reinterpret_cast<const char*>(data), size);
    BoardFile board;
    try {
        board = ParseBoard(text, "fuzz.json");
    } catch (const BoardFileError& e) {
        const std::string message = e.what();
        PLZ_FUZZ_CHECK(message.starts_with("fuzz.json: ") && message.size() > 11);
        PLZ_FUZZ_CHECK(message.find('\n') == std::string::npos);
        return 0;
    }
    for (const BoardComponent& c : board.components) {
        PLZ_FUZZ_CHECK(c.designator.size() <= kMaxDesignatorLength && c.footprint.size() <= kMaxFootprintLength);
        PLZ_FUZZ_CHECK(c.left <= c.right && c.bottom <= c.top);
        PLZ_FUZZ_CHECK(c.layer >= 1 && c.layer <= 75);
    }
    // Written back unchanged, the board reads as itself: values keep their internal units.
    const std::string written = FormatBoard(board, board.components);
    BoardFile again;
    try {
        again = ParseBoard(written, "written.json");
    } catch (const BoardFileError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        PLZ_FUZZ_CHECK(!"a written board reads back");
    }
    PLZ_FUZZ_CHECK(again.units == board.units && again.components.size() == board.components.size());
    for (size_t i = 0; i < board.components.size(); ++i) PLZ_FUZZ_CHECK(Same(again.components[i], board.components[i]));
    return 0;
}
