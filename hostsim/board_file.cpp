// Reading and writing the host simulator's JSON board files.
#include "hostsim/board_file.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "RTL/pcb_wire.h"

namespace plz::hostsim {
namespace {

using Json = nlohmann::ordered_json;

// The place an error is about: "board.json: component 3 (R7), field "x": ...".
struct Where {
    const std::string& file;
    size_t index;
    std::string designator;

    [[noreturn]] void Fail(const std::string& field, const std::string& what) const {
        std::string at = file + ": component " + std::to_string(index + 1);
        if (!designator.empty()) at += " (" + designator + ")";
        throw BoardFileError(at + ", field \"" + field + "\": " + what);
    }
};

int32_t ToInternal(const Json& value, BoardUnits units, const Where& where, const std::string& field) {
    if (!value.is_number()) where.Fail(field, "must be a number");
    if (units == BoardUnits::Iu && !value.is_number_integer())
        where.Fail(field, "must be a whole number of internal units");
    // Every value inside the 32-bit range is exact as a double.
    const std::optional<int32_t> iu = ToInternalUnits(value.get<double>(), units);
    if (!iu) where.Fail(field, "lies outside the 32-bit internal coordinate range");
    return *iu;
}

bool OptionalBool(const Json& c, const char* key, const Where& where) {
    if (!c.contains(key)) return false;
    if (!c[key].is_boolean()) where.Fail(key, "must be true or false");
    return c[key].get<bool>();
}

std::string RequiredString(const Json& c, const char* key, size_t maxLength, const Where& where) {
    if (!c.contains(key)) where.Fail(key, "is missing");
    if (!c[key].is_string()) where.Fail(key, "must be a string");
    std::string s = c[key].get<std::string>();
    if (s.size() > maxLength)
        where.Fail(key, "is longer than " + std::to_string(maxLength) + " characters");
    return s;
}

// Components lie on the layers TopLayer to ConnectLayer, the ones the editor's iterators visit.
uint8_t LayerFromName(const std::string& name, const Where& where) {
    for (int i = 0; i < kLegacyLayerCount; ++i) {
        if (kLayerNames[i] != name) continue;
        if (i < kTopLayer || i > kLastComponentLayer)
            where.Fail("layer", "\"" + name + "\" is not a layer a component can lie on");
        return uint8_t(i);
    }
    where.Fail("layer", "\"" + name + "\" is not a layer name");
}

// Line and column of a byte offset, for syntax errors.
std::string Position(const std::string& text, size_t offset) {
    size_t line = 1, column = 1;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

// Where the parser is, kept from its events, so that an error found while reading (a number too
// large, nesting too deep) names the component and the field as the checks after reading do.
class ReadingPlace {
public:
    explicit ReadingPlace(const std::string& file) : file_(file) {}

    // The parser's event; throws BoardFileError for nesting beyond the limit.
    void Note(int depth, nlohmann::detail::parse_event_t event, const Json& parsed) {
        using Event = nlohmann::detail::parse_event_t;
        const bool opens = event == Event::object_start || event == Event::array_start;
        if (opens && depth + 1 > int(kMaxBoardNesting))
            Fail("is nested deeper than " + std::to_string(kMaxBoardNesting) + " levels");
        if (depth == 1 && event == Event::key) {
            topKey_ = parsed.get<std::string>();
            component_ = 0;
        }
        const bool inComponents = topKey_ == "components";
        if (inComponents && depth == 2 && (opens || event == Event::value)) {
            ++component_;  // a new element of the list begins
            field_.clear();
            designator_.clear();
        }
        if (inComponents && depth == 3 && event == Event::key) field_ = parsed.get<std::string>();
        if (inComponents && depth == 3 && event == Event::value && field_ == "designator" && parsed.is_string())
            designator_ = parsed.get<std::string>();
    }

    [[noreturn]] void Fail(const std::string& what) const {
        std::string at = file_ + ": ";
        if (topKey_ == "components" && component_ > 0) {
            at += "component " + std::to_string(component_);
            if (!designator_.empty()) at += " (" + designator_ + ")";
            at += field_.empty() ? ": " : ", field \"" + field_ + "\": ";
        } else if (!topKey_.empty()) {
            at += "field \"" + topKey_ + "\": ";
        }
        throw BoardFileError(at + what);
    }

private:
    const std::string& file_;
    std::string topKey_;
    size_t component_ = 0;  // counted from 1; 0 before the first
    std::string field_;
    std::string designator_;
};

// The text in the first pair of single quotes of a parser message: the offending token.
std::string QuotedToken(const std::string& message) {
    const size_t open = message.find('\'');
    const size_t close = message.rfind('\'');
    if (open == std::string::npos || close <= open) return {};
    return message.substr(open + 1, close - open - 1);
}

void ReadComponents(BoardFile& board, const std::string& fileName) {
    const Json& doc = board.document;
    if (!doc.is_object()) throw BoardFileError(fileName + ": the board must be a JSON object");
    if (doc.contains("units")) {
        const Json& u = doc["units"];
        if (u == "mil") board.units = BoardUnits::Mil;
        else if (u == "mm") board.units = BoardUnits::Mm;
        else if (u == "iu") board.units = BoardUnits::Iu;
        else throw BoardFileError(fileName + ": field \"units\" must be \"mil\", \"mm\" or \"iu\"");
    }
    if (!doc.contains("components")) throw BoardFileError(fileName + ": field \"components\" is missing");
    if (!doc["components"].is_array()) throw BoardFileError(fileName + ": field \"components\" must be an array");

    const Json& list = doc["components"];
    board.components.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        const Json& c = list[i];
        Where where{fileName, i, {}};
        if (!c.is_object()) {
            throw BoardFileError(fileName + ": component " + std::to_string(i + 1) + " must be an object");
        }
        BoardComponent bc;
        bc.designator = RequiredString(c, "designator", kMaxDesignatorLength, where);
        where.designator = bc.designator;
        bc.footprint = RequiredString(c, "footprint", kMaxFootprintLength, where);
        for (const char* key : {"x", "y", "bbox"})
            if (!c.contains(key)) where.Fail(key, "is missing");
        bc.x = ToInternal(c["x"], board.units, where, "x");
        bc.y = ToInternal(c["y"], board.units, where, "y");
        const Json& bbox = c["bbox"];
        if (!bbox.is_array() || bbox.size() != 4)
            where.Fail("bbox", "must be an array of four numbers [left, bottom, right, top]");
        bc.left = ToInternal(bbox[0], board.units, where, "bbox");
        bc.bottom = ToInternal(bbox[1], board.units, where, "bbox");
        bc.right = ToInternal(bbox[2], board.units, where, "bbox");
        bc.top = ToInternal(bbox[3], board.units, where, "bbox");
        if (bc.left > bc.right) where.Fail("bbox", "left lies right of right");
        if (bc.bottom > bc.top) where.Fail("bbox", "bottom lies above top");
        if (c.contains("rotation")) {
            if (!c["rotation"].is_number()) where.Fail("rotation", "must be a number");
            bc.rotation = c["rotation"].get<double>();
        }
        if (c.contains("layer")) {
            if (!c["layer"].is_string()) where.Fail("layer", "must be a string");
            bc.layer = LayerFromName(c["layer"].get<std::string>(), where);
        }
        bc.selected = OptionalBool(c, "selected", where);
        bc.excluded = OptionalBool(c, "excluded", where);
        board.components.push_back(std::move(bc));
    }
}

}  // namespace

namespace {

std::string OneLine(const std::string& text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (byte >= 0x20 && byte != 0x7f) {
                    out += c;
                } else {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 15];
                }
        }
    }
    return out;
}

}  // namespace

BoardFileError::BoardFileError(const std::string& message) : std::runtime_error(OneLine(message)) {}

std::string ReadBoardFile(const std::string& path) {
    const std::string cannot = path + ": cannot read the file";
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) throw BoardFileError(cannot);
    if (std::filesystem::is_directory(status)) throw BoardFileError(cannot + ": it is a folder");
    if (!std::filesystem::is_regular_file(status)) throw BoardFileError(cannot + ": it is not a regular file");
    const std::string tooLarge = cannot + ": it is larger than " + std::to_string(kMaxBoardFileBytes >> 20) + " MiB";
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (error) throw BoardFileError(cannot);
    if (size > kMaxBoardFileBytes) throw BoardFileError(tooLarge);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BoardFileError(cannot);
    // Read no more than the limit allows, even if the file has grown since.
    std::string text;
    text.reserve(size_t(size));
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk), in.gcount() > 0) {
        text.append(chunk, size_t(in.gcount()));
        if (text.size() > kMaxBoardFileBytes) throw BoardFileError(tooLarge);
    }
    if (in.bad()) throw BoardFileError(cannot);
    return text;
}

BoardFile ParseBoard(const std::string& text, const std::string& fileName) {
    BoardFile board;
    ReadingPlace place(fileName);
    try {
        board.document = Json::parse(text, [&](int depth, nlohmann::detail::parse_event_t event, Json& parsed) {
            place.Note(depth, event, parsed);
            return true;
        });
    } catch (const Json::parse_error& e) {
        // nlohmann reports the offset just past the offending byte.
        throw BoardFileError(fileName + ": syntax error at " + Position(text, e.byte ? e.byte - 1 : 0));
    } catch (const Json::out_of_range& e) {
        place.Fail("the number " + QuotedToken(e.what()) + " is too large");
    } catch (const Json::exception& e) {
        place.Fail(e.what());
    }
    try {
        ReadComponents(board, fileName);
    } catch (const Json::exception& e) {
        // The checks test every type before they read; this is the backstop for what they miss.
        throw BoardFileError(fileName + ": " + e.what());
    }
    return board;
}

std::optional<int32_t> ToInternalUnits(double value, BoardUnits units) {
    long double iu = std::nearbyint((long double)value);
    if (units == BoardUnits::Mil) iu = std::nearbyint((long double)value * 10000.0L);
    if (units == BoardUnits::Mm) iu = std::nearbyint((long double)value * 100000000.0L / 254.0L);
    if (!(iu >= std::numeric_limits<int32_t>::min() && iu <= std::numeric_limits<int32_t>::max())) return std::nullopt;
    return static_cast<int32_t>(iu);
}

double ToFileUnits(int64_t iu, BoardUnits units) {
    switch (units) {
        case BoardUnits::Mil: return double(iu) / 10000.0;
        case BoardUnits::Mm: return double(iu * 254) / 100000000.0;
        case BoardUnits::Iu: break;
    }
    return double(iu);
}

Json CoordinateJson(int32_t iu, BoardUnits units) {
    // Whole values stay whole numbers; others print as the shortest text that reads back to the
    // same double, which converts back to the same internal value.
    if (units == BoardUnits::Iu || (units == BoardUnits::Mil && iu % 10000 == 0))
        return Json(units == BoardUnits::Iu ? int64_t(iu) : int64_t(iu / 10000));
    if (units == BoardUnits::Mm && (int64_t(iu) * 254) % 100000000 == 0)
        return Json(int64_t(iu) * 254 / 100000000);
    return Json(ToFileUnits(iu, units));
}

std::string FormatBoard(const BoardFile& board, const std::vector<BoardComponent>& components) {
    Json doc = board.document;
    Json& list = doc["components"];
    for (size_t i = 0; i < components.size() && i < list.size(); ++i) {
        const BoardComponent& c = components[i];
        list[i]["x"] = CoordinateJson(c.x, board.units);
        list[i]["y"] = CoordinateJson(c.y, board.units);
        list[i]["bbox"] = Json::array({CoordinateJson(c.left, board.units), CoordinateJson(c.bottom, board.units),
                                       CoordinateJson(c.right, board.units), CoordinateJson(c.top, board.units)});
    }
    return doc.dump(2) + "\n";
}

}  // namespace plz::hostsim
