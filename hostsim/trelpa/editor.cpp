// The simulated PCB editor's board: its defaults, components, dump, and the control table that the
// module exports for tests and the host simulator.
#include "hostsim/trelpa/editor.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "RTL/pcb_wire.h"
#include "hostsim/trelpa/objects.h"
#include "hostsim/trelpa/trelpa_control.h"
#include "platform/abi.h"

namespace plz::trelpa {

Editor& TheEditor() {
    static Editor& editor = []() -> Editor& {
        static Editor e;
        e.Reset();
        return e;
    }();
    return editor;
}

namespace {

// Defaults: every option value distinct and nonzero, so that a caller that hands a value back in
// the wrong place changes the board visibly.
template <class T>
void Seed(T& value, uint32_t n, std::string_view) {
    value = T(n);
}
template <std::size_t N>
void Seed(ShortString<N>& value, uint32_t n, std::string_view group) {
    value.Assign(std::string(group) + " " + std::to_string(n));
}
template <class... T>
void SeedRecord(std::tuple<T...>& record, uint32_t base, std::string_view group) {
    uint32_t n = base;
    std::apply([&](auto&... field) { (Seed(field, n++, group), ...); }, record);
}

const ComponentLinks kDefaultLinks = {"Source link 1", "Source link 2", "Source link 3",
                                      "Source link 4", "Source link 5", "Source link 6",
                                      "Source link 7", "Source link 8", "Default model"};

void ResetBoard(Board& b) {
    b = Board{};
    b.handle = MakeHandle(kBoardTag, 0);
    SeedRecord(b.record, 100, "Board");
    std::get<8>(b.record) = kTopLayer;  // the current layer: an identifier of a legacy layer
    for (uint32_t l = 1; l <= kLastLegacyLayer; ++l) b.layerInfo[l] = {0, 0, 1000 + l};
    b.splitPlaneMode = 2;
    SeedRecord(b.grids, 200, "Grid");
    SeedRecord(b.output, 300, "Output");
    for (int i = 1; i <= kPlotLayerCount; ++i) {
        b.plotLayers[i] = uint8_t(i);
        b.flipLayers[i] = uint8_t(110 + i);
    }
    SeedRecord(b.gerber, 400, "Gerber");
    SeedRecord(b.printer, 500, "Printer");
    for (uint32_t p = 1; p <= kPlotterPenCount; ++p) b.pens[p] = {10 * p, 10 * p + 1};
    for (uint32_t l = 1; l <= kLastLegacyLayer; ++l) b.composite[l] = {4 * l, 4 * l + 1, uint8_t(l), 4 * l + 3};
    SeedRecord(b.placer, 600, "Placer");
    SeedRecord(b.eco, 700, "Eco");
    b.outerDielectrics = {ShortString<255>("Solder Resist"), 2, 3.5, 4000,
                          ShortString<255>("Coverlay"), 3, 3.2, 5000};
    for (uint32_t l = 1; l <= kLastLegacyLayer; ++l) {
        Layer& layer = b.layers[l];
        layer.name.Assign(kLayerNames[l]);
        layer.copperThickness = 13000 + int32_t(l);
        layer.hostLayerByte1 = 1;
        layer.hostLayerByte2 = 2;
        layer.hostLayerWord = uint16_t(0x0100 + l);
        layer.netName.Assign(l >= kFirstInternalPlane && l <= kLastInternalPlane ? "GND" : "");
        layer.material.Assign("FR-4");
        layer.dielectricType = 1;
        layer.dielectricConstant = 4.2;
        layer.dielectricHeight = 100000 + int32_t(l) * 100;
    }
    b.layers[kFirstInternalPlane + 1].netName.Assign("VCC");
    // Four layers: the top, two planes, the bottom.
    const uint8_t stack[] = {kTopLayer, kFirstInternalPlane, kFirstInternalPlane + 1, kBottomLayer};
    for (std::size_t i = 0; i < std::size(stack); ++i) {
        b.layers[stack[i]].previousLayer = i ? stack[i - 1] : 0;
        b.layers[stack[i]].nextLayer = i + 1 < std::size(stack) ? stack[i + 1] : 0;
    }
    b.pairs.push_back({kTopLayer, kBottomLayer, 2, 1});
}

bool FitsWidth(const char* text, std::size_t width) { return text && std::strlen(text) <= width; }

}  // namespace

void Editor::Reset() {
    ResetBoard(board);
    components.clear();
    texts.clear();
    objects.clear();
    links.clear();
    iterators.clear();
    iterators.reserve(128);
    for (auto& list : componentsByLayer) list.clear();
    componentLayersStale = false;
    freeIterators.clear();
    freeIterators.reserve(128);
    editorWindow = 1;
    currentBoard = board.handle;
    pick = true;
    pickX = pickY = 0;
    watch = Watch{};
}

Rect* Editor::FindBox(uint32_t handle) {
    if (Component* c = FindComponent(handle)) return &c->box;
    if (Text* t = FindText(handle)) return &t->box;
    if (Object* o = FindObject(handle)) return &o->box;
    return nullptr;
}

const ComponentLinks& Editor::LinksOf(const Component& c) const {
    return c.links ? links[c.links - 1] : kDefaultLinks;
}

void Editor::IndexComponentLayers() {
    for (auto& list : componentsByLayer) list.clear();
    for (uint32_t i = 0; i < components.size(); ++i) componentsByLayer[components[i].layer].push_back(i);
    componentLayersStale = false;
}

bool Editor::MoveComponent(Component& c, int32_t x, int32_t y) {
    const int64_t dx = int64_t(x) - c.x, dy = int64_t(y) - c.y;
    if (!dx && !dy) return true;
    Text* t = FindText(c.nameHandle);
    if (!c.box.CanMove(dx, dy) || (t && !(t->box.CanMove(dx, dy) && Fits(t->x, dx) && Fits(t->y, dy))))
        return false;
    c.x = x, c.y = y;
    c.box.Move(dx, dy);
    if (t) {
        t->x = int32_t(t->x + dx), t->y = int32_t(t->y + dy);
        t->box.Move(dx, dy);
    }
    return true;
}

uint32_t Editor::AddComponent(const ComponentSpec& part) {
    if (!FitsWidth(part.designator, 254) || !FitsWidth(part.footprint, 250) || part.layer < 1 ||
        part.layer > kLastLegacyLayer || part.left > part.right || part.bottom > part.top ||
        components.size() >= kIndexMask)
        return 0;
    // The designator sits above the component, half a size unit wide per character.
    const int64_t nameWidth = 500000 * int64_t(std::max<std::size_t>(std::strlen(part.designator), 1));
    if (!Fits(part.top, 100000 + 600000) || !Fits(part.left, nameWidth)) return 0;

    Text& t = texts.emplace_back();
    t.hostWord = 0x0403;
    t.layerId = part.layer == kBottomLayer ? 34 : 33;  // the overlay of the component's side
    t.hostInt1 = 21;
    t.hostByte = 1;
    t.hostInt2 = 22;
    t.x = part.left;
    t.y = part.top + 100000;
    t.size = 600000;
    t.intValue11 = 23;
    t.rotation = part.rotation;
    t.byteValue6 = 24;
    t.text = part.designator;
    t.width = 100000;
    t.intValue2 = 25;
    t.intValue3 = 26;
    t.bitField2 = 0x12;
    t.bitField3 = 0x0201;
    t.trueTypeByte1 = 1;
    t.fontName = "Arial";
    t.trueTypeByte2 = 2;
    t.trueTypeByte3 = 3;
    t.trueTypeByte4 = 4;
    t.trueTypeInt1 = 150000;
    t.barCode = {5, 6, 7, 8};
    t.box = {t.x, t.y, int32_t(t.x + nameWidth), t.y + 600000};

    Component& c = components.emplace_back();
    c.flags = part.selected ? 0x0010 : 0;
    c.hostWord = 0x0201;
    c.layer = part.layer;
    c.hostByte = part.excluded ? 0 : 1;
    c.nameHandle = MakeHandle(kTextObject, uint32_t(texts.size() - 1));
    c.componentInt1 = 0x01020304;
    c.footprint = part.footprint;
    c.componentByte1 = 3;
    c.componentByte2 = 4;
    c.x = part.x;
    c.y = part.y;
    c.componentInt2 = -5;
    c.rotation = part.rotation;
    c.componentByte3 = 6;
    c.bitField2 = 0x21;
    c.bitField3 = 0x0302;
    c.hostInt1 = 13;
    c.hostInt2 = 14;
    c.channelOffset = 7;
    c.componentKind = 8;
    c.exInt1 = -9;
    c.exByte1 = 10;
    c.exByte2 = 11;
    c.exInt2 = 12;
    c.box = {part.left, part.bottom, part.right, part.top};
    if (!componentLayersStale) componentsByLayer[c.layer].push_back(uint32_t(components.size() - 1));
    return MakeHandle(kComponentObject, uint32_t(components.size() - 1));
}

// --- dump ------------------------------------------------------------------------------------

namespace {

void Put(std::string& out, uint64_t v) { out += ' ' + std::to_string(v); }
void Put(std::string& out, int32_t v) { out += ' ' + std::to_string(v); }
void Put(std::string& out, uint32_t v) { Put(out, uint64_t(v)); }
void Put(std::string& out, uint16_t v) { Put(out, uint64_t(v)); }
void Put(std::string& out, uint8_t v) { Put(out, uint64_t(v)); }
void Put(std::string& out, double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " %.17g", v);
    out += buffer;
}
void Put(std::string& out, std::string_view s) {
    out += " \"";
    out += s;
    out += '"';
}
void Put(std::string& out, const std::string& s) { Put(out, std::string_view(s)); }
template <std::size_t N>
void Put(std::string& out, const ShortString<N>& s) {
    Put(out, s.View());
}
template <std::size_t N>
void Put(std::string& out, const std::array<uint8_t, N>& a) {
    for (uint8_t v : a) Put(out, v);
}
template <class... T>
void Put(std::string& out, const std::tuple<T...>& record) {
    std::apply([&](const auto&... field) { (Put(out, field), ...); }, record);
}
void Put(std::string& out, const Rect& r) {
    Put(out, r.left), Put(out, r.bottom), Put(out, r.right), Put(out, r.top);
}

template <class... V>
void Line(std::string& out, const char* label, const V&... values) {
    out += label;
    (Put(out, values), ...);
    out += '\n';
}

}  // namespace

std::string Editor::Dump() const {
    std::string out;
    const Board& b = board;
    Line(out, "board", b.handle);
    Line(out, "record", b.record);
    for (int l = 1; l <= kLastLegacyLayer; ++l) Line(out, "layerInfo", uint8_t(l), b.layerInfo[l]);
    Line(out, "splitPlaneMode", b.splitPlaneMode);
    Line(out, "grids", b.grids);
    Line(out, "output", b.output);
    Line(out, "plotLayers", b.plotLayers);
    Line(out, "flipLayers", b.flipLayers);
    Line(out, "gerber", b.gerber);
    Line(out, "printer", b.printer);
    for (int p = 1; p <= kPlotterPenCount; ++p) Line(out, "pen", uint8_t(p), b.pens[p]);
    for (int l = 1; l <= kLastLegacyLayer; ++l) Line(out, "composite", uint8_t(l), b.composite[l]);
    Line(out, "placer", b.placer);
    Line(out, "eco", b.eco);
    Line(out, "outerDielectrics", b.outerDielectrics);
    for (int l = 1; l <= kLastLegacyLayer; ++l) {
        const Layer& y = b.layers[l];
        Line(out, "layer", uint8_t(l), y.name, y.copperThickness, y.hostLayerByte1, y.hostLayerByte2,
             y.previousLayer, y.nextLayer, y.hostLayerWord, y.netName, y.material, y.dielectricType,
             y.dielectricConstant, y.dielectricHeight);
    }
    for (const LayerPair& p : b.pairs)
        Line(out, "pair", p.firstLayerId, p.secondLayerId, p.hostPairByte2, p.hostPairByte1);
    for (const Component& c : components) {
        Line(out, "component", c.flags, c.hostWord, c.layer, c.hostByte, c.nameHandle, c.componentInt1,
             c.footprint, c.componentByte1, c.componentByte2, c.x, c.y, c.componentInt2, c.rotation,
             c.componentByte3, c.bitField2, c.bitField3, c.hostInt1, c.hostInt2, c.channelOffset,
             c.componentKind, c.exInt1, c.exByte1, c.exByte2, c.exInt2, c.box);
        const ComponentLinks& l = LinksOf(c);
        Line(out, "  links", l[0], l[1], l[2], l[3], l[4], l[5], l[6], l[7], l[8]);
    }
    for (const Text& t : texts)
        Line(out, "text", t.flags, t.hostWord, t.layerId, t.hostInt1, t.hostByte, t.hostInt2, t.x, t.y,
             t.size, t.intValue11, t.rotation, t.byteValue6, t.text, t.width, t.intValue2, t.intValue3,
             t.bitField2, t.bitField3, t.trueTypeByte1, t.fontName, t.trueTypeByte2, t.trueTypeByte3,
             t.trueTypeByte4, t.trueTypeInt1, t.barCode, t.box);
    for (const Object& o : objects) {
        Line(out, "object", o.kind, o.box);
        out += DumpObject(o);
    }
    return out;
}

// --- controls --------------------------------------------------------------------------------

namespace {

// A control never lets an exception out of the module; an out-of-memory failure answers `failed`.
template <class R, class F>
R Guard(R failed, F&& body) {
    try {
        return body();
    } catch (...) {
        return failed;
    }
}

int SlotOf(const char* name) {
    if (!name) return -1;
    for (int i = 0; i < int(std::size(kEntryNames)); ++i)
        if (std::strcmp(kEntryNames[i], name) == 0) return i;
    return -1;
}

void CopyText(char (&to)[256], const std::string& from) {
    const std::size_t n = std::min(from.size(), sizeof to - 1);
    std::memcpy(to, from.data(), n);
    to[n] = '\0';
}

bool ValidLayer(uint8_t layer) { return layer >= 1 && layer <= kLastLegacyLayer; }

std::string g_text;  // what the last text-returning control handed out

const Control kControl = {
    /*Reset*/ [] {
        return Guard(0u, [] {
            TheEditor().Reset();
            return TheEditor().board.handle;
        });
    },
    /*AddComponent*/
    [](const ComponentSpec* part) { return part ? Guard(0u, [&] { return TheEditor().AddComponent(*part); }) : 0u; },
    /*ComponentCount*/ [] { return uint32_t(TheEditor().components.size()); },
    /*ComponentAt*/
    [](uint32_t index) {
        return index < TheEditor().components.size() ? MakeHandle(kComponentObject, index) : 0u;
    },
    /*ReadComponent*/
    [](uint32_t handle, ComponentState* state) {
        Editor& e = TheEditor();
        const Component* c = e.FindComponent(handle);
        if (!c || !state) return 0;
        *state = ComponentState{};
        state->x = c->x, state->y = c->y;
        state->left = c->box.left, state->bottom = c->box.bottom;
        state->right = c->box.right, state->top = c->box.top;
        state->rotation = c->rotation;
        state->layer = c->layer;
        state->flags = c->flags;
        state->hostByte = c->hostByte;
        state->nameHandle = c->nameHandle;
        if (const Text* t = e.FindText(c->nameHandle)) {
            state->textX = t->x, state->textY = t->y;
            CopyText(state->designator, t->text);
        }
        CopyText(state->footprint, c->footprint);
        return 1;
    },
    /*SetEditorWindow*/ [](uint32_t window) { TheEditor().editorWindow = window; },
    /*SetCurrentBoard*/ [](uint32_t board) { TheEditor().currentBoard = board; },
    /*SetLayerStack*/
    [](const uint8_t* layers, uint32_t count) {
        if (count && !layers) return 0;
        for (uint32_t i = 0; i < count; ++i)
            if (!ValidLayer(layers[i])) return 0;
        auto& stack = TheEditor().board.layers;
        for (Layer& l : stack) l.previousLayer = l.nextLayer = 0;
        for (uint32_t i = 0; i < count; ++i) {
            stack[layers[i]].previousLayer = i ? layers[i - 1] : 0;
            stack[layers[i]].nextLayer = i + 1 < count ? layers[i + 1] : 0;
        }
        return 1;
    },
    /*SetLayerName*/
    [](uint8_t layer, const char* name) {
        if (!ValidLayer(layer) || !FitsWidth(name, 255)) return 0;
        TheEditor().board.layers[layer].name.Assign(name);
        return 1;
    },
    /*SetPlaneNet*/
    [](uint8_t layer, const char* net) {
        if (layer < kFirstInternalPlane || layer > kLastInternalPlane || !FitsWidth(net, 255)) return 0;
        TheEditor().board.layers[layer].netName.Assign(net);
        return 1;
    },
    /*ClearLayerPairs*/ [] { TheEditor().board.pairs.clear(); },
    /*AddLayerPair*/
    [](uint32_t first, uint32_t second) {
        Guard(0, [&] {
            TheEditor().board.pairs.push_back({first, second, 0, 0});
            return 0;
        });
    },
    /*SetChooseLocation*/
    [](int pick, int32_t x, int32_t y) {
        Editor& e = TheEditor();
        e.pick = pick != 0;
        e.pickX = x, e.pickY = y;
    },
    /*LastPrompt*/ [] { return TheEditor().watch.lastPrompt.c_str(); },
    /*SetFailure*/
    [](const char* name, uint32_t result) {
        const int slot = SlotOf(name);
        if (slot < 0) return 0;
        TheEditor().watch.failing[slot] = true;
        TheEditor().watch.failResult[slot] = result;
        return 1;
    },
    /*ClearFailures*/ [] { TheEditor().watch.failing.fill(false); },
    /*SetLogging*/ [](int on) { TheEditor().watch.logging = on != 0; },
    /*CallLog*/ [] { return TheEditor().watch.log.c_str(); },
    /*ClearCallLog*/ [] { TheEditor().watch.log.clear(); },
    /*CallCount*/
    [](const char* name) {
        const int slot = SlotOf(name);
        return slot < 0 ? 0u : TheEditor().watch.counts[slot];
    },
    /*ClearCallCounts*/
    [] {
        TheEditor().watch.counts.fill(0);
        TheEditor().watch.calls = 0;
    },
    /*Dump*/
    [] {
        return Guard<const char*>("", [] {
            g_text = TheEditor().Dump();
            return g_text.c_str();
        });
    },
    /*AddObject*/
    [](uint8_t kind) {
        return Guard(0u, [&] {
            Editor& e = TheEditor();
            Object o;
            if (e.objects.size() >= kIndexMask || !MakeObject(kind, uint32_t(e.objects.size()), o)) return 0u;
            e.objects.push_back(std::move(o));
            return MakeHandle(kind, uint32_t(e.objects.size() - 1));
        });
    },
    /*DumpObject*/
    [](uint32_t handle) {
        return Guard<const char*>("", [&] {
            const Object* o = TheEditor().FindObject(handle);
            g_text = o ? DumpObject(*o) : std::string();
            return g_text.c_str();
        });
    },
    /*SetPadStackMode*/
    [](uint32_t pad, uint8_t mode) {
        Object* o = TheEditor().FindObject(pad);
        Pad* p = o ? std::get_if<Pad>(&o->own) : nullptr;
        if (!p) return 0;
        p->stackMode = mode;
        return 1;
    },
    /*SetPadLayer*/
    [](uint32_t pad, uint8_t layer, uint8_t shape, int32_t xSize, int32_t ySize, uint32_t cornerRadius,
       uint8_t percentage) {
        Object* o = TheEditor().FindObject(pad);
        Pad* p = o ? std::get_if<Pad>(&o->own) : nullptr;
        if (!p || layer > kLastLegacyLayer) return 0;
        p->layers[layer] = {shape, xSize, ySize, cornerRadius, percentage};
        return 1;
    },
    /*SetClassMembers*/
    [](uint32_t objectClass, const char* const* names, uint32_t count) {
        Object* o = TheEditor().FindObject(objectClass);
        Class* c = o ? std::get_if<Class>(&o->own) : nullptr;
        if (!c || (count && !names)) return 0;
        for (uint32_t i = 0; i < count; ++i)
            if (!FitsWidth(names[i], 255)) return 0;
        return Guard(0, [&] {
            c->members.assign(names, names + count);
            return 1;
        });
    },
    /*SetReferenceCount*/
    [](uint32_t dimension, uint32_t count) {
        Object* o = TheEditor().FindObject(dimension);
        Dimension* d = o ? std::get_if<Dimension>(&o->own) : nullptr;
        if (!d || count > uint32_t(kMaxReferences)) return 0;
        return Guard(0, [&] {
            SeedReferences(*d, count);
            return 1;
        });
    },
    /*FailCallNumber*/
    [](uint32_t number, uint32_t result) {
        Watch& w = TheEditor().watch;
        w.failAt = number ? w.calls + number : 0;
        w.failAtResult = result;
    },
    /*TotalCallCount*/ [] { return uint32_t(TheEditor().watch.calls); },
};

}  // namespace

}  // namespace plz::trelpa

PLZ_EXPORT const plz::trelpa::Control* PlazenSim_TrelpaControl() { return &plz::trelpa::kControl; }
