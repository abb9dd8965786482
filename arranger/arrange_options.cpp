// Reading the arrangement's options from the parameter text, with the messages for bad values,
// and writing them back as text for reports.
#include "arranger/arrange_options.h"

#include <algorithm>
#include <string_view>

#include "frame/parameters.h"
#include "platform/ascii.h"

namespace plz {
namespace {

constexpr int64_t kLengthLimit = 1000000000000000;  // 10^15 internal units
constexpr int64_t kMaxGap = 100000000;              // 10000 mil
constexpr int32_t kMaxColumns = 1000000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimSpaces(std::string_view s) {
    return TrimIf(s, [](char c) { return c == ' '; });
}

// A whole number of plain digits, none when it is no such number or exceeds `limit`.
std::optional<int64_t> ParseWhole(std::string_view text, int64_t limit) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), IsDigit)) return std::nullopt;
    int64_t value = 0;
    for (char c : text) {
        value = value * 10 + (c - '0');
        if (value > limit) return std::nullopt;
    }
    return value;
}

constexpr const char* kLengthForm =
    "a decimal number with an optional unit, mil (the default), mm, in or iu (10000 to the mil)";

// The message for a bad value: the entry as given, then the forms the parameter takes.
std::string BadValue(std::string_view name, std::string_view value, const std::string& forms) {
    std::string shown(value.substr(0, 60));
    if (value.size() > 60) shown += "...";
    return "The parameter " + std::string(name) + "=" + shown + " is not accepted. " + forms +
           " Nothing was arranged.";
}

// Reads one keyword parameter; false with the message set when the value is none of `keywords`.
template <typename Kind, size_t N>
bool ReadKeyword(const char* parameters, std::string_view name, const std::pair<const char*, Kind> (&keywords)[N],
                 Kind& kind, std::string& message) {
    std::string value;
    if (!GetParameterValue(parameters, name, value)) return true;
    for (const auto& [keyword, k] : keywords)
        if (SameIgnoringCase(value, keyword)) {
            kind = k;
            return true;
        }
    std::string forms = std::string(name) + " takes ";
    for (size_t i = 0; i < N; ++i)
        forms += std::string(i == 0 ? "" : i + 1 == N ? " or " : ", ") + keywords[i].first + (i == 0 ? " (the default)" : "");
    message = BadValue(name, value, forms + ".");
    return false;
}

// Internal units as mils, exactly: up to four decimals.
std::string Mils(int32_t iu) {
    std::string s = iu < 0 ? "-" : "";
    const int64_t a = iu < 0 ? -int64_t(iu) : int64_t(iu);
    s += std::to_string(a / 10000);
    if (int64_t frac = a % 10000) {
        std::string digits = std::to_string(frac);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0') digits.pop_back();
        s += "." + digits;
    }
    return s + "mil";
}

}  // namespace

std::optional<int64_t> ParseLength(std::string_view text) {
    text = TrimSpaces(text);
    size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    size_t from = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    const std::string_view whole = text.substr(from, i - from);
    std::string_view fraction;
    if (i < text.size() && text[i] == '.') {
        from = ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
        fraction = text.substr(from, i - from);
    }
    if (whole.empty() && fraction.empty()) return std::nullopt;
    // The value in internal units is number × 10^shift / divisor.
    const std::string_view unit = TrimSpaces(text.substr(i));
    size_t shift;
    uint64_t divisor = 1;
    if (unit.empty() || SameIgnoringCase(unit, "mil"))
        shift = 4;
    else if (SameIgnoringCase(unit, "mm"))
        shift = 8, divisor = 254;  // 10^7 / 25.4
    else if (SameIgnoringCase(unit, "in"))
        shift = 7;
    else if (SameIgnoringCase(unit, "iu"))
        shift = 0;
    else
        return std::nullopt;
    // Moving the decimal point by `shift` places leaves a whole number and a rest below 1.
    std::string digits(whole);
    digits += fraction.substr(0, std::min(shift, fraction.size()));
    digits.append(shift - std::min(shift, fraction.size()), '0');
    const std::string_view rest = fraction.substr(std::min(shift, fraction.size()));
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.size() > 16) return std::nullopt;
    uint64_t number = 0;
    for (char c : digits) number = number * 10 + uint64_t(c - '0');
    // Exactly: value = q + (r + rest) / divisor, with 0 <= rest < 1. Round half to even by
    // comparing 2r + 2·rest with the divisor.
    const uint64_t q = number / divisor, r = number % divisor;
    const bool restZero = rest.find_first_not_of('0') == std::string_view::npos;
    int restToHalf = -1;  // rest against 1/2
    if (!rest.empty() && rest[0] > '5') restToHalf = 1;
    if (!rest.empty() && rest[0] == '5') restToHalf = rest.find_first_not_of('0', 1) == std::string_view::npos ? 0 : 1;
    const int64_t d = int64_t(divisor) - 2 * int64_t(r);
    int toHalf;  // the fraction (r + rest) / divisor against 1/2
    if (d < 0)
        toHalf = 1;
    else if (d == 0)
        toHalf = restZero ? 0 : 1;
    else if (d == 1)
        toHalf = restToHalf;
    else
        toHalf = -1;
    const uint64_t rounded = q + (toHalf > 0 || (toHalf == 0 && (q & 1)) ? 1 : 0);
    if (rounded > uint64_t(kLengthLimit)) return std::nullopt;
    return negative ? -int64_t(rounded) : int64_t(rounded);
}

std::optional<std::string> ReadArrangeOptions(const char* parameters, ArrangeOptions& options) {
    using O = ArrangeOptions;
    ArrangeOptions read;
    std::string message;
    static constexpr std::pair<const char*, O::OrderKind> kOrders[] = {{"Text", O::OrderKind::Text},
                                                                       {"Natural", O::OrderKind::Natural}};
    static constexpr std::pair<const char*, O::CellKind> kCells[] = {{"First", O::CellKind::First},
                                                                     {"Largest", O::CellKind::Largest}};
    static constexpr std::pair<const char*, O::GroupsKind> kGroups[] = {{"Stacked", O::GroupsKind::Stacked},
                                                                        {"Rows", O::GroupsKind::Rows}};
    if (!ReadKeyword(parameters, "Order", kOrders, read.Order, message) ||
        !ReadKeyword(parameters, "Cell", kCells, read.Cell, message) ||
        !ReadKeyword(parameters, "Groups", kGroups, read.Groups, message))
        return message;

    std::string value;
    if (GetParameterValue(parameters, "Gap", value)) {
        const auto gap = ParseLength(value);
        if (!gap || *gap < 0 || *gap > kMaxGap)
            return BadValue("Gap", value,
                            std::string("Gap takes a length from 0 to 10000 mil: ") + kLengthForm +
                                ", for example Gap=20mil or Gap=0.5mm.");
        read.Gap = int32_t(*gap);
    }
    const bool hasColumns = GetParameterValue(parameters, "Columns", value);
    if (hasColumns) {
        if (SameIgnoringCase(value, "Square")) {
            read.Columns = O::ColumnsKind::Square;
        } else if (const auto n = ParseWhole(value, kMaxColumns); n && *n >= 1) {
            read.Columns = O::ColumnsKind::Count;
            read.ColumnCount = int32_t(*n);
        } else {
            return BadValue("Columns", value, "Columns takes a whole number from 1 to 1000000, or Square.");
        }
    }
    if (GetParameterValue(parameters, "Width", value)) {
        const auto width = ParseLength(value);
        if (!width || *width < 1 || *width > kXLimit)
            return BadValue("Width", value,
                            std::string("Width takes a length more than 0 and at most 99999 mil: ") + kLengthForm +
                                ", for example Width=3in.");
        // Two column rules would contradict each other. In shelves Width is also the shelf width,
        // and there Columns may fix the columns inside it.
        if (hasColumns && read.Groups != O::GroupsKind::Rows)
            return "The parameters Columns and Width exclude each other, except with Groups=Rows (where Width is "
                   "the width of the shelves): give one of them. Columns takes a whole number from 1 to 1000000, "
                   "or Square; Width takes a length more than 0 and at most 99999 mil. Nothing was arranged.";
        read.Width = int32_t(*width);
        if (!hasColumns) read.Columns = O::ColumnsKind::Width;
    }
    options = read;
    return std::nullopt;
}

std::string DescribeArrangeOptions(const ArrangeOptions& options) {
    using O = ArrangeOptions;
    const ArrangeOptions plain;
    std::string text;
    auto add = [&](const std::string& entry) { text += (text.empty() ? "" : "|") + entry; };
    if (options.Order == O::OrderKind::Natural) add("Order=Natural");
    if (options.Cell == O::CellKind::Largest) add("Cell=Largest");
    if (options.Gap != plain.Gap) add("Gap=" + Mils(options.Gap));
    if (options.Columns == O::ColumnsKind::Count) add("Columns=" + std::to_string(options.ColumnCount));
    if (options.Columns == O::ColumnsKind::Square) add("Columns=Square");
    if (options.Width) add("Width=" + Mils(options.Width));
    if (options.Groups == O::GroupsKind::Rows) add("Groups=Rows");
    return text;
}

}  // namespace plz
