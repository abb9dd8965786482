// The object factory: the host reports the kind, the kind picks the mirror class.
#include "RTL/pcb_factory.h"

#include "RTL/pcb_api.h"
#include "RTL/pcb_component.h"
#include "RTL/pcb_group_objects.h"
#include "RTL/pcb_pad.h"
#include "RTL/pcb_primitives.h"
#include "RTL/pcb_records.h"
#include "RTL/pcb_text.h"

namespace plz {
namespace {

std::unique_ptr<TPCBObject> MakeMirror(uint8_t kind, uint32_t handle) {
    switch (kind) {
        case kArcObject: return std::make_unique<TPcbArc>(handle);
        case kPadObject: return std::make_unique<TPcbPad>(handle);
        case kViaObject: return std::make_unique<TPcbVia>(handle);
        case kTrackObject: return std::make_unique<TPcbTrack>(handle);
        case kTextObject: return std::make_unique<TPcbText>(handle);
        case kFillObject: return std::make_unique<TPcbFill>(handle);
        case kFromToObject: return std::make_unique<TPcbFromTo>(handle);
        case kNetObject: return std::make_unique<TPcbNet>(handle);
        case kComponentObject: return std::make_unique<TPcbComponent>(handle);
        case kPolygonObject: return std::make_unique<TPcbPolygon>(handle);
        case kRegionObject: return std::make_unique<TPCBRegion>(handle);
        case kComponentBodyObject: return std::make_unique<TPcbComponentBody>(handle);
        case kDimensionObject: return std::make_unique<TPcbDimension>(handle);
        case kCoordinateObject: return std::make_unique<TPcbCoordinate>(handle);
        case kClassObject: return std::make_unique<TPCBObjectClass>(handle);
        case kRuleObject: return std::make_unique<TPcbRule>(handle);
        case kManualFromToObject: return std::make_unique<TPcbManualFromTo>(handle);
        case kDifferentialPairObject: return std::make_unique<TPcbDifferentialPair>(handle);
        case kViolationObject: return std::make_unique<TPcbViolation>(handle);
        case kEmbeddedObject: return std::make_unique<TPcbEmbedded>(handle);
        case kEmbeddedBoardObject: return std::make_unique<TPcbEmbeddedBoard>(handle);
        case kSplitPlaneObject: return std::make_unique<TPcbSplitPlane>(handle);
        case kBoardOutlineObject: return std::make_unique<TPcbBoardOutline>(handle);
        default: return nullptr;
    }
}

}  // namespace

std::unique_ptr<TPCBObject> CreateObjectFromHandle(uint32_t handle) {
    std::unique_ptr<TPCBObject> mirror = MakeMirror(PcbApi_GetObjectIdFromObjectHandle(handle), handle);
    if (mirror) mirror->Transfer(Direction::Fetch);
    return mirror;
}

ShortString<255> ObjectTextFromHandle(uint32_t handle) {
    if (handle == 0) return {};
    const std::unique_ptr<TPCBObject> mirror = CreateObjectFromHandle(handle);
    return mirror ? mirror->Text() : ShortString<255>{};
}

}  // namespace plz
