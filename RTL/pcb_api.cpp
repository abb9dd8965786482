// The PCB API table, its binding through the OS seam, and the forwarders.
#include "RTL/pcb_api.h"

#include "RTL/layers.h"
#include "platform/os.h"

namespace plz {
namespace {

constexpr const char* kNames[] = {
#define PLZ_PCB_API_NAME(name) #name,
    PLZ_PCB_API_NAMES(PLZ_PCB_API_NAME)
#undef PLZ_PCB_API_NAME
};
static_assert(sizeof(kNames) / sizeof(kNames[0]) == kPcbApiSlotCount);

ModuleHandle g_module = nullptr;
void* g_slots[kPcbApiSlotCount] = {};

template <typename Fn>
Fn Entry(PcbApiSlot slot) {
    return reinterpret_cast<Fn>(g_slots[static_cast<std::size_t>(slot)]);
}

}  // namespace

void BindPcbApi() {
    g_module = os::calls().FindLoadedModule(kPcbModuleName);
    for (std::size_t i = 0; i < kPcbApiSlotCount; ++i)
        g_slots[i] = g_module ? os::calls().FindExport(g_module, kNames[i]) : nullptr;
}

namespace {
// Every forwarder asks this first; inline, so that a bound module costs one test per call.
inline void Bound() {
    if (!g_module) BindPcbApi();
}
}  // namespace

void EnsurePcbApiBound() { Bound(); }

void* PcbApiEntry(PcbApiSlot slot) { return g_slots[static_cast<std::size_t>(slot)]; }

#define PLZ_PCB_API_FORWARD_Plain(name, result, missing, params, args) \
    result name params {                                                \
        Bound();                                            \
        const auto entry = Entry<name##_Fn>(PcbApiSlot::name);          \
        if (!entry) return missing;                                     \
        return entry args;                                              \
    }
#define PLZ_PCB_API_FORWARD_Converted(name, result, missing, params, args)
#define PLZ_PCB_API_FORWARD(name, result, missing, form, params, args) \
    PLZ_PCB_API_FORWARD_##form(name, result, missing, params, args)
PLZ_PCB_API_CALLS(PLZ_PCB_API_FORWARD)
#undef PLZ_PCB_API_FORWARD
#undef PLZ_PCB_API_FORWARD_Converted
#undef PLZ_PCB_API_FORWARD_Plain

uint8_t PcbApi_ChooseLocation(uint32_t board, int32_t* x, int32_t* y, const ShortString<255>& prompt) {
    Bound();
    const auto entry = Entry<PcbApi_ChooseLocation_Fn>(PcbApiSlot::PcbApi_ChooseLocation);
    if (!entry) return 0;
    ShortString<255> buffer(prompt.View());
    return entry(board, x, y, &buffer);
}

uint32_t PcbApi_CreateIterator(uint32_t board, uint8_t objectKind, uint8_t mode, uint8_t layer) {
    Bound();
    const auto entry = Entry<PcbApi_CreateIterator_Fn>(PcbApiSlot::PcbApi_CreateIterator);
    if (!entry) return 0;
    return entry(board, objectKind, mode, LayerToLayerId(layer));
}

void PcbApi_GetDesignatorDisplayString(uint32_t handle, ShortString<254>& text) {
    text.Length = 0;
    Bound();
    const auto entry = Entry<PcbApi_GetDesignatorDisplayString_Fn>(PcbApiSlot::PcbApi_GetDesignatorDisplayString);
    if (!entry) return;
    ShortString<255> buffer;
    entry(&buffer, handle);
    text.Assign(buffer.View());
}

uint32_t PcbApi_AddMemberToClass(uint32_t classHandle, const ShortString<255>& memberName) {
    Bound();
    const auto entry = Entry<PcbApi_AddMemberToClass_Fn>(PcbApiSlot::PcbApi_AddMemberToClass);
    if (!entry) return 1;
    ShortString<255> buffer(memberName.View());
    return entry(classHandle, &buffer);
}

uint32_t PcbApi_QueryBoard(uint8_t direction, uint32_t board, uint32_t* value1, ShortString<255>* text,
                           uint8_t* byte1, uint32_t* value2, uint32_t* value3, uint32_t* value4, uint32_t* value5,
                           uint8_t* byte2, uint8_t* currentLayer, uint32_t* value6) {
    Bound();
    const auto entry = Entry<PcbApi_QueryBoard_Fn>(PcbApiSlot::PcbApi_QueryBoard);
    if (!entry) return 0;
    LayerId layerId = LayerToLayerId(*currentLayer);
    const uint32_t status =
        entry(direction, board, value1, text, byte1, value2, value3, value4, value5, byte2, &layerId, value6);
    *currentLayer = LayerIdToLayer(layerId);
    return status;
}

}  // namespace plz
