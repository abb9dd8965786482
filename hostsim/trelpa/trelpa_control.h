// The controls of the simulated PCB editor module: what the tests and the host simulator use to set
// up its board and to watch the calls it receives. One plain C table, so that no C++ runtime type
// crosses the module boundary (each Windows module carries its own runtime).
#pragma once

#include <cstdint>

namespace plz::trelpa {

// A component to add. Strings are NUL-terminated 8-bit text.
struct ComponentSpec {
    const char* designator;  // the text of its designator object, at most 254 characters
    const char* footprint;   // its footprint key, at most 250 characters
    int32_t x, y;            // reference point, internal units
    int32_t left, bottom, right, top;  // bounding rectangle on the board, left <= right, bottom <= top
    double rotation;         // degrees
    uint8_t layer;           // legacy layer number, 1 to 82
    uint8_t selected;        // nonzero: Flags bit 4 set
    uint8_t excluded;        // nonzero: HostByte 0, which the arrange command leaves out
};

// A component as the editor holds it now.
struct ComponentState {
    int32_t x, y;
    int32_t left, bottom, right, top;
    double rotation;
    uint8_t layer;
    uint16_t flags;
    uint8_t hostByte;
    uint32_t nameHandle;    // its designator text object
    int32_t textX, textY;   // where that text lies
    char designator[256];   // NUL-terminated
    char footprint[256];
};

// Every control. Handles are the editor's own; a name is an entry point's exported name.
struct Control {
    // Empties the editor and makes a new current board with the default layer stack, options and
    // one drill pair (TopLayer - BottomLayer); the editor window is current (1), a pick answers
    // (0, 0), failures, log, counters and the last prompt are cleared. Returns the board's handle.
    uint32_t (*Reset)();

    // Adds a component with its designator text at the end of the board's file order. Returns its
    // handle, or 0 for a part the editor rejects (null or too long strings, layer outside 1 to 82,
    // an inverted rectangle).
    uint32_t (*AddComponent)(const ComponentSpec* part);
    uint32_t (*ComponentCount)();
    uint32_t (*ComponentAt)(uint32_t index);  // in file order; 0 past the end
    // Nonzero when the handle names a component, with its state filled in.
    int (*ReadComponent)(uint32_t handle, ComponentState* state);

    // What PcbApi_GetCurrentEditorWindow and PcbApi_GetCurrentBoardHandle answer (0: none).
    void (*SetEditorWindow)(uint32_t window);
    void (*SetCurrentBoard)(uint32_t board);

    // The board's layer stack, top to bottom: each listed layer is linked to its neighbours, every
    // other layer to none. Layers are legacy numbers 1 to 82; nonzero on success.
    int (*SetLayerStack)(const uint8_t* layers, uint32_t count);
    int (*SetLayerName)(uint8_t layer, const char* name);
    int (*SetPlaneNet)(uint8_t layer, const char* net);  // internal planes 39 to 54
    void (*ClearLayerPairs)();
    void (*AddLayerPair)(uint32_t firstLayerId, uint32_t secondLayerId);

    // The answer of PcbApi_ChooseLocation: a pick of (x, y) when pick is nonzero, else a cancel.
    void (*SetChooseLocation)(int pick, int32_t x, int32_t y);
    // The prompt that PcbApi_ChooseLocation last received, NUL-terminated; empty before any.
    const char* (*LastPrompt)();

    // Makes an entry point fail: it then returns the result (nothing for one without a result)
    // and touches no argument. Zero for an unknown name.
    int (*SetFailure)(const char* entryPoint, uint32_t result);
    void (*ClearFailures)();

    // Logging of every call with its arguments, one line each; off after Reset. The log text
    // stays valid until the next control call.
    void (*SetLogging)(int on);
    const char* (*CallLog)();
    void (*ClearCallLog)();

    // Calls per entry point since the last Reset or ClearCallCounts; 0 for an unknown name.
    uint32_t (*CallCount)(const char* entryPoint);
    void (*ClearCallCounts)();

    // Every value the editor holds for its board, as text: equal dumps mean an equal board.
    // Valid until the next control call.
    const char* (*Dump)();

    // Adds an object of one of the other kinds (1 to 4, 6 to 8, 10 to 22, 26) on TopLayer, every
    // value distinct and nonzero: a pad with stack mode 1 and its 83-layer table, a class with two
    // members, a dimension with three references, outline areas and embedded buffers filled with
    // a pattern. Returns its handle; 0 for any other kind.
    uint32_t (*AddObject)(uint8_t kind);
    // The object's values: a line "bits" with its two bit fields, then one line per query call,
    // named after the entry point without its prefix, with the values in the order of its
    // pointer arguments; then a pad's "layer" lines (layer, shape, X and Y size, corner radius,
    // percentage), a class's "member" lines. Numbers in decimal, doubles with 17 digits, strings
    // in quotes, areas as their 64-bit FNV-1a hash. Empty for a handle of no such object; valid
    // until the next control call.
    const char* (*DumpObject)(uint32_t handle);
    // A pad's stack mode, and its values on one layer 0 to 82. Nonzero on success.
    int (*SetPadStackMode)(uint32_t pad, uint8_t mode);
    int (*SetPadLayer)(uint32_t pad, uint8_t layer, uint8_t shape, int32_t xSize, int32_t ySize,
                       uint32_t cornerRadius, uint8_t percentage);
    // Replaces a class's members with the names, each NUL-terminated and at most 255 characters.
    // Nonzero on success.
    int (*SetClassMembers)(uint32_t objectClass, const char* const* names, uint32_t count);
    // Gives a dimension `count` references (at most 1 << 20), reference i holding the values
    // 4i + 101 to 4i + 104. Nonzero on success.
    int (*SetReferenceCount)(uint32_t dimension, uint32_t count);

    // Countdown fault injection: the number-th call from now on, of whichever entry point, fails
    // as SetFailure makes it fail, returning `result`. 0 turns the countdown off (Reset does too).
    void (*FailCallNumber)(uint32_t number, uint32_t result);
    // Calls of every entry point since the last Reset or ClearCallCounts.
    uint32_t (*TotalCallCount)();
};

// The module's one extra export returns the table.
using ControlFn = const Control* (*)();
inline constexpr const char* kControlExport = "PlazenSim_TrelpaControl";

}  // namespace plz::trelpa
