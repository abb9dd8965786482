// Board files of the host simulator: JSON boards read into internal units, checked field by
// field, and written back in the input's own units with every field it does not know kept.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace plz::hostsim {

enum class BoardUnits { Mil, Mm, Iu };

// One component as the simulated editor holds it: coordinates in internal units.
struct BoardComponent {
    std::string designator;
    std::string footprint;
    int32_t x = 0, y = 0;
    int32_t left = 0, bottom = 0, right = 0, top = 0;
    double rotation = 0.0;
    uint8_t layer = 1;  // legacy layer number
    bool selected = false;
    bool excluded = false;
};

struct BoardFile {
    BoardUnits units = BoardUnits::Mil;
    std::vector<BoardComponent> components;
    nlohmann::ordered_json document;  // the input as read
};

// A board file that cannot be used; the message names the file and, where it applies, the
// component and the field.
class BoardFileError : public std::runtime_error {
public:
    // Control characters (a designator or a key may hold any) are written as escapes such as
    // "\n", so that the message stays one line.
    explicit BoardFileError(const std::string& message);
};

inline constexpr size_t kMaxFootprintLength = 250;
inline constexpr size_t kMaxDesignatorLength = 254;
// Limits that keep a hostile file from exhausting the program: arrays and objects nested deeper
// than this are refused (copying and writing a document recurse), and so are larger files.
inline constexpr size_t kMaxBoardNesting = 100;
inline constexpr uint64_t kMaxBoardFileBytes = uint64_t(64) << 20;

// The text of a board file: a regular file of at most kMaxBoardFileBytes. Throws BoardFileError
// ("PATH: cannot read the file...") for anything else: a folder, a device, a missing file.
std::string ReadBoardFile(const std::string& path);
// Throws BoardFileError for every fault of the text.
BoardFile ParseBoard(const std::string& text, const std::string& fileName);
// The document with every component's location and rectangle taken from `components` (in the
// document's order and units), as text ending in a newline.
std::string FormatBoard(const BoardFile& board, const std::vector<BoardComponent>& components);

// Exact conversions between the file's units and internal units (10000 to the mil). A value
// outside the 32-bit internal range gives no result.
std::optional<int32_t> ToInternalUnits(double value, BoardUnits units);
double ToFileUnits(int64_t iu, BoardUnits units);
nlohmann::ordered_json CoordinateJson(int32_t iu, BoardUnits units);

}  // namespace plz::hostsim
