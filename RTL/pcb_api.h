// The PCB API table: the PCB editor module's 278 entry points bound by name, and one forwarder per
// entry point that the plug-in calls. A forwarder whose entry point is missing returns its fixed
// default without touching its arguments; while the module is not loaded every call retries the
// binding, and once it is found the table is final.
#pragma once

#include <cstdint>

#include "RTL/pcb_api_calls.h"
#include "platform/short_string.h"

namespace plz {

inline constexpr const char* kPcbModuleName = "Trelpa.dll";

// Looks the PCB editor module up among the loaded modules and fills every slot; run at load.
void BindPcbApi();
// Binds again while the module has not been found; otherwise does nothing.
void EnsurePcbApiBound();
// The address bound to a slot, or null.
void* PcbApiEntry(PcbApiSlot slot);

// The forwarders that pass their arguments through unchanged, with the entry points' own names.
#define PLZ_PCB_API_DECLARE_Plain(name, result, params) result name params;
#define PLZ_PCB_API_DECLARE_Converted(name, result, params)
#define PLZ_PCB_API_DECLARE(name, result, missing, form, params, args) PLZ_PCB_API_DECLARE_##form(name, result, params)
PLZ_PCB_API_CALLS(PLZ_PCB_API_DECLARE)
#undef PLZ_PCB_API_DECLARE
#undef PLZ_PCB_API_DECLARE_Converted
#undef PLZ_PCB_API_DECLARE_Plain

// The forwarders that convert.

// Lets the user pick a point; the prompt travels in the forwarder's own buffer. Nonzero when a
// point was picked (then written to x and y), 0 when the user cancelled.
uint8_t PcbApi_ChooseLocation(uint32_t board, int32_t* x, int32_t* y, const ShortString<255>& prompt);

// An iterator over objects of one kind on one legacy layer, which the host takes as an identifier.
uint32_t PcbApi_CreateIterator(uint32_t board, uint8_t objectKind, uint8_t mode, uint8_t layer);

// The object's text as the host displays it, at most 254 characters; empty when the entry point
// is missing.
void PcbApi_GetDesignatorDisplayString(uint32_t handle, ShortString<254>& text);

// Adds a member to an object class; the name travels in the forwarder's own buffer.
uint32_t PcbApi_AddMemberToClass(uint32_t classHandle, const ShortString<255>& memberName);

// The board record; the current layer is the caller's legacy number, exchanged as an identifier.
uint32_t PcbApi_QueryBoard(uint8_t direction, uint32_t board, uint32_t* value1, ShortString<255>* text,
                           uint8_t* byte1, uint32_t* value2, uint32_t* value3, uint32_t* value4, uint32_t* value5,
                           uint8_t* byte2, uint8_t* currentLayer, uint32_t* value6);

}  // namespace plz
