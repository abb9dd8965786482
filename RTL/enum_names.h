// Display names of host enumerations, in the order of their values (value 0 first).
#pragma once

#include <string_view>

namespace plz {

inline constexpr std::string_view kHoleShapeNames[] = {"Round", "Square", "Slot"};

inline constexpr std::string_view kDrillKindNames[] = {"Drilled", "Punched", "Laser Drilled", "Plasma Drilled"};

inline constexpr std::string_view kModel3DKindNames[] = {"Extruded", "Generic Step Model", "Cylinder", "Sphere"};

inline constexpr std::string_view kBody3DDisplayModeNames[] = {"Solid", "Transparent", "Wireframe", "Hidden",
                                                               "Not Assigned"};

inline constexpr std::string_view kBoardNotificationNames[] = {
    "Null",           "Begin Modify",    "Board Registration", "End Modify",        "Cancel Modify",
    "Create",         "Destroy",         "Process Start",      "Process End",       "Process Cancel",
    "Yield To Robots", "Cycle End",      "Cycle Start",        "System InValid",    "System Valid",
    "View Update",    "Undo Register",   "Store Robot State",  "Recall Robot State",
};
static_assert(std::size(kBoardNotificationNames) == 19);

inline constexpr std::string_view kComponentFilterNames[] = {"Top Side Components", "Bottom Side Components",
                                                             "Inside Board Components",
                                                             "Outside Board Components"};

}  // namespace plz
