// The arrangement's options, read from the command's parameter text: the order of groups and
// members, the cell size and gap, the column count and how the groups are placed. Without any
// option the arrangement is the plain one: every default below keeps it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace plz {

inline constexpr int32_t kCellMargin = 1000000;  // 100 mil, the plain gap around a cell
inline constexpr int32_t kXLimit = 999990000;    // 99999 mil, the right-hand bound of the plain rows

struct ArrangeOptions {
    enum class OrderKind { Text, Natural };
    enum class CellKind { First, Largest };
    enum class ColumnsKind { Plain, Count, Square, Width };
    enum class GroupsKind { Stacked, Rows };

    OrderKind Order = OrderKind::Text;     // Natural: digit runs by value
    CellKind Cell = CellKind::First;       // Largest: the group's largest width and height
    int32_t Gap = kCellMargin;             // internal units added to a member's width and height
    ColumnsKind Columns = ColumnsKind::Plain;  // Plain: as far as kXLimit from the picked X
    int32_t ColumnCount = 0;               // for ColumnsKind::Count
    int32_t Width = 0;                     // internal units; 0: not given. Also the shelf width.
    GroupsKind Groups = GroupsKind::Stacked;   // Rows: groups side by side in shelves

    bool operator==(const ArrangeOptions&) const = default;
};

// Reads Order, Cell, Gap, Columns, Width and Groups from `parameters` (names and keywords in any
// letter case; other names are not looked at). Returns the message for the first bad value, which
// names the parameter and the forms it takes; none when every value is good.
std::optional<std::string> ReadArrangeOptions(const char* parameters, ArrangeOptions& options);

// The options that differ from the plain arrangement, as a parameter text that reads back to
// them ("Order=Natural|Gap=20mil"); empty for the plain arrangement.
std::string DescribeArrangeOptions(const ArrangeOptions& options);

// A length: a decimal number with an optional unit, mil (the default), mm, in or iu, in internal
// units (10000 to the mil) rounded half to even. None when the text is no length or its value lies
// beyond +-10^15 internal units.
std::optional<int64_t> ParseLength(std::string_view text);

}  // namespace plz
