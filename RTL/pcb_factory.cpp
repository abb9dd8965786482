// The object factory: the host reports the kind, the kind picks the mirror class.
#include "RTL/pcb_factory.h"

#include "RTL/pcb_api.h"
#include "RTL/pcb_component.h"
#include "RTL/pcb_text.h"

namespace plz {
namespace {

std::unique_ptr<TPCBObject> MakeMirror(uint8_t kind, uint32_t handle) {
    switch (kind) {
        case kTextObject: return std::make_unique<TPcbText>(handle);
        case kComponentObject: return std::make_unique<TPcbComponent>(handle);
        case kComponentBodyObject: return std::make_unique<TPcbComponentBody>(handle);
        case kDifferentialPairObject: return std::make_unique<TPcbDifferentialPair>(handle);
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
