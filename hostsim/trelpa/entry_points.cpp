// The 75 entry points of the simulated PCB editor that the plug-in calls, each exported with the
// signature of the shared list (those of primitives and group objects are in
// object_entry_points.h). Every call is counted, may be made to fail, may be logged, and never
// lets an exception out; what the board does with it is the Entry for its slot.
#include <algorithm>
#include <cstdio>
#include <string>
#include <type_traits>

#include "hostsim/trelpa/editor.h"
#include "hostsim/trelpa/objects.h"

namespace plz::trelpa {
namespace {

Editor& Ed() { return TheEditor(); }

// An entry point that the board models has an Entry with Run; the others act on objects that this
// board never holds, so every handle they get is unknown to them.
template <PcbApiSlot S>
struct Entry {
    static constexpr bool kModelled = false;
};
struct Modelled {
    static constexpr bool kModelled = true;
};
#define PLZ_TRELPA_ENTRY(name) \
    template <>                \
    struct Entry<PcbApiSlot::name> : Modelled

// --- the log -------------------------------------------------------------------------------

template <class T>
void Value(std::string& out, T v) {
    if constexpr (std::is_floating_point_v<T>) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.17g", v);
        out += buffer;
    } else {
        out += std::to_string(+v);
    }
}
template <class T>
void Arg(std::string& out, T v) {
    Value(out, v);
}
// An address shows what lies there when the call returns: what the editor wrote on a fetch, what
// it took on a store.
template <class T>
void Arg(std::string& out, T* p) {
    if (!p) {
        out += "null";
        return;
    }
    out += '&';
    Value(out, LoadUnaligned(p));
}
template <std::size_t N>
void Arg(std::string& out, ShortString<N>* p) {
    if (!p) {
        out += "null";
        return;
    }
    out += "&\"";
    out += p->View();
    out += '"';
}

template <class R, class... A>
void Log(std::size_t slot, const R* result, A... args) {
    std::string& out = Ed().watch.log;
    out += kEntryNames[slot];
    out += '(';
    [[maybe_unused]] const char* separator = "";
    ((out += separator, Arg(out, args), separator = ", "), ...);
    out += ')';
    if (result) {
        out += " -> ";
        Value(out, *result);
    }
    out += '\n';
}

// --- the common path of every call -------------------------------------------------------------

template <PcbApiSlot S, class Sig>
struct Call;
template <PcbApiSlot S, class R, class... A>
struct Call<S, R(A...)> {
    static constexpr std::size_t kSlot = std::size_t(S);

    static R Body(A... args) {
        if constexpr (Entry<S>::kModelled) {
            static_assert(std::is_same_v<decltype(&Entry<S>::Run), R (*)(A...)>,
                          "an entry's Run takes the listed arguments");
            return Entry<S>::Run(args...);
        } else if constexpr (!std::is_void_v<R>) {
            return R(kUnknown);
        }
    }

    static R Run(A... args) {
        Watch& w = Ed().watch;
        ++w.counts[kSlot];
        const bool counted = ++w.calls == w.failAt;
        const bool failing = w.failing[kSlot] || counted;
        try {
            if constexpr (std::is_void_v<R>) {
                if (!failing) Body(args...);
                if (w.logging) Log<int>(kSlot, nullptr, args...);
            } else {
                const R result = failing ? R(counted ? w.failAtResult : w.failResult[kSlot]) : Body(args...);
                if (w.logging) Log(kSlot, &result, args...);
                return result;
            }
        } catch (...) {
            // Out of memory for a string or a list: the call fails and the caller goes on.
            if constexpr (!std::is_void_v<R>) return R(kUnknown);
        }
    }
};

bool Fetching(uint8_t direction) { return direction == kFetch; }

// --- editor state, user interaction and iteration ----------------------------------------------

PLZ_TRELPA_ENTRY(PcbApi_GetCurrentEditorWindow) {
    static uint32_t Run() { return Ed().editorWindow; }
};

PLZ_TRELPA_ENTRY(PcbApi_GetCurrentBoardHandle) {
    static uint32_t Run() { return Ed().currentBoard; }
};

PLZ_TRELPA_ENTRY(PcbApi_ChooseLocation) {
    static uint8_t Run(uint32_t board, int32_t* x, int32_t* y, ShortString<255>* prompt) {
        Editor& e = Ed();
        e.watch.lastPrompt.assign(prompt ? prompt->View() : std::string_view());
        if (!e.FindBoard(board) || !e.pick || !x || !y) return 0;
        StoreUnaligned(x, e.pickX);
        StoreUnaligned(y, e.pickY);
        return 1;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_CreateIterator) {
    static uint32_t Run(uint32_t board, uint8_t objectKind, uint8_t, uint32_t layerId) {
        Editor& e = Ed();
        if (!e.FindBoard(board)) return 0;
        uint32_t index;
        if (!e.freeIterators.empty()) {
            index = e.freeIterators.back();
            e.freeIterators.pop_back();
        } else {
            index = uint32_t(e.iterators.size());
            e.iterators.emplace_back();
        }
        e.iterators[index] = {true, objectKind, layerId, 0};
        return MakeHandle(kIteratorTag, index);
    }
};

// The next object of the iterator's kind on its layer, in file order; 0 after the last.
uint32_t Advance(Iterator& it) {
    Editor& e = Ed();
    if (it.kind == kComponentObject && !e.componentLayersStale) {
        const uint32_t n = uint32_t(e.components.size());
        if (it.layerId >= e.componentsByLayer.size()) {
            it.next = std::max(it.next, n);
            return 0;
        }
        const std::vector<uint32_t>& list = e.componentsByLayer[it.layerId];
        uint32_t at = it.hint;
        if (!(at <= list.size() && (at == list.size() || list[at] >= it.next) && (at == 0 || list[at - 1] < it.next)))
            at = uint32_t(std::lower_bound(list.begin(), list.end(), it.next) - list.begin());
        if (at == list.size()) {
            it.next = std::max(it.next, n);
            return 0;
        }
        it.hint = at + 1;
        it.next = list[at] + 1;
        return MakeHandle(kComponentObject, list[at]);
    }
    if (it.kind == kComponentObject) {
        while (it.next < e.components.size()) {
            const uint32_t i = it.next++;
            if (e.components[i].layer == it.layerId) return MakeHandle(kComponentObject, i);
        }
    } else if (it.kind == kTextObject) {
        while (it.next < e.texts.size()) {
            const uint32_t i = it.next++;
            if (e.texts[i].layerId == it.layerId) return MakeHandle(kTextObject, i);
        }
    } else {
        while (it.next < e.objects.size()) {
            const uint32_t i = it.next++;
            const Object& o = e.objects[i];
            if (o.kind == it.kind && o.layerId == it.layerId) return MakeHandle(o.kind, i);
        }
    }
    return 0;
}

PLZ_TRELPA_ENTRY(PcbApi_GetFirstObject) {
    static uint32_t Run(uint32_t iterator) {
        Editor& e = Ed();
        Iterator* it = e.FindIterator(iterator);
        if (!it) return 0;
        if (it->kind == kComponentObject && e.componentLayersStale) e.IndexComponentLayers();
        it->next = 0;
        it->hint = 0;
        return Advance(*it);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_GetNextObject) {
    static uint32_t Run(uint32_t iterator) {
        Iterator* it = Ed().FindIterator(iterator);
        return it ? Advance(*it) : 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_DestroyIterator) {
    static uint32_t Run(uint32_t iterator) {
        Editor& e = Ed();
        Iterator* it = e.FindIterator(iterator);
        if (!it) return kUnknown;
        it->open = false;
        e.freeIterators.push_back(HandleIndex(iterator));
        return 0;
    }
};

// --- identity and common state of any object ---------------------------------------------------

PLZ_TRELPA_ENTRY(PcbApi_GetObjectIdFromObjectHandle) {
    static uint8_t Run(uint32_t handle) {
        Editor& e = Ed();
        if (const Object* o = e.FindObject(handle)) return o->kind;
        return e.FindComponent(handle) ? kComponentObject : e.FindText(handle) ? kTextObject : 0;
    }
};

// A commit of a component moves it and changes nothing else, so every component exchange but
// the location ignores it.
template <class F>
void ExchangeObject(uint8_t direction, uint32_t handle, F&& exchange) {
    Editor& e = Ed();
    if (Component* c = e.FindComponent(handle)) {
        if (direction != kCommit) exchange(*c);
    } else if (Text* t = e.FindText(handle)) {
        exchange(*t);
    } else if (Object* o = e.FindObject(handle)) {
        exchange(*o);
    }
}

PLZ_TRELPA_ENTRY(PcbApi_GetObjectBitField2) {
    static void Run(uint8_t direction, uint32_t handle, uint8_t* bitField2) {
        ExchangeObject(direction, handle, [&](auto& o) { Move(Fetching(direction), o.bitField2, bitField2); });
    }
};

PLZ_TRELPA_ENTRY(PcbApi_GetObjectBitField3) {
    static void Run(uint8_t direction, uint32_t handle, uint16_t* bitField3) {
        ExchangeObject(direction, handle, [&](auto& o) { Move(Fetching(direction), o.bitField3, bitField3); });
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryPrimitive) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord,
                        uint32_t* layerId, int32_t* hostInt1, int32_t* hostInt2, uint8_t* hostByte) {
        Editor& e = Ed();
        if (Component* c = e.FindComponent(handle)) {
            if (direction == kCommit) return 0;
            uint32_t id = c->layer;
            Exchange(direction, std::tie(c->flags, c->hostWord, id, c->hostInt1, c->hostInt2, c->hostByte),
                     flags, hostWord, layerId, hostInt1, hostInt2, hostByte);
            const uint8_t before = c->layer;
            if (id >= 1 && id <= kLastLegacyLayer) c->layer = uint8_t(id);
            e.LayerChanged(before, *c);
            return 0;
        }
        if (Text* t = e.FindText(handle)) {
            Exchange(direction, std::tie(t->flags, t->hostWord, t->layerId, t->hostInt1, t->hostInt2, t->hostByte),
                     flags, hostWord, layerId, hostInt1, hostInt2, hostByte);
            return 0;
        }
        if (Object* o = e.FindObject(handle)) {
            Exchange(direction, std::tie(o->flags, o->hostWord, o->layerId, o->hostInt1, o->hostInt2, o->hostByte),
                     flags, hostWord, layerId, hostInt1, hostInt2, hostByte);
            return 0;
        }
        return kUnknown;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryObjectBoundingRectangle) {
    static uint32_t Run(uint32_t handle, int32_t* x1, int32_t* y1, int32_t* x2, int32_t* y2) {
        Rect* r = Ed().FindBox(handle);
        if (!r) return kUnknown;
        Exchange(kFetch, std::tie(r->left, r->bottom, r->right, r->top), x1, y1, x2, y2);
        return 0;
    }
};

// The user confirms every object's properties unchanged.
PLZ_TRELPA_ENTRY(PcbApi_QueryObjectImport_FromUser) {
    static uint32_t Run(uint32_t handle) { return Ed().FindBox(handle) ? 0 : kUnknown; }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryObjectGraphicallyInvalidate) {
    static uint32_t Run(uint32_t handle) { return Ed().FindBox(handle) ? 0 : kUnknown; }
};

// The designator as shown: the text's string, or a component's designator text; empty for any
// other handle.
PLZ_TRELPA_ENTRY(PcbApi_GetDesignatorDisplayString) {
    static void Run(ShortString<255>* buffer, uint32_t handle) {
        if (!buffer) return;
        Editor& e = Ed();
        const Component* c = e.FindComponent(handle);
        const Text* t = e.FindText(c ? c->nameHandle : handle);
        buffer->Assign(t ? std::string_view(t->text) : std::string_view());
    }
};

// --- components and texts ------------------------------------------------------------------------

PLZ_TRELPA_ENTRY(PcbApi_QueryComponent) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint8_t* layer,
                        uint8_t* hostByte, uint32_t* nameHandle, uint32_t* componentInt1,
                        ShortString<250>* footprintKey, uint8_t* componentByte1, uint8_t* componentByte2,
                        int32_t* x, int32_t* y, int32_t* componentInt2, double* rotation, uint8_t* componentByte3) {
        Editor& e = Ed();
        Component* c = e.FindComponent(handle);
        if (!c) return kUnknown;
        if (direction != kFetch) {
            // The rectangle and the designator follow the reference point; a place they cannot
            // follow it to refuses the whole call.
            if (!x || !y || !e.MoveComponent(*c, LoadUnaligned(x), LoadUnaligned(y))) return kUnknown;
            if (direction == kCommit) return 0;
        }
        const uint8_t oldLayer = c->layer;
        Exchange(direction,
                 std::tie(c->flags, c->hostWord, c->layer, c->hostByte, c->nameHandle, c->componentInt1,
                          c->footprint, c->componentByte1, c->componentByte2, c->x, c->y, c->componentInt2,
                          c->rotation, c->componentByte3),
                 flags, hostWord, layer, hostByte, nameHandle, componentInt1, footprintKey, componentByte1,
                 componentByte2, x, y, componentInt2, rotation, componentByte3);
        if (c->layer < 1 || c->layer > kLastLegacyLayer) c->layer = oldLayer;
        e.LayerChanged(oldLayer, *c);
        return 0;
    }
};

template <class F>
uint32_t ExchangeComponent(uint8_t direction, uint32_t handle, F&& exchange) {
    Component* c = Ed().FindComponent(handle);
    if (!c) return kUnknown;
    if (direction != kCommit) exchange(*c);
    return 0;
}

PLZ_TRELPA_ENTRY(PcbApi_QueryComponentEx) {
    static uint32_t Run(uint8_t direction, uint32_t handle, int32_t* exInt1, uint8_t* exByte1, uint8_t* exByte2,
                        int32_t* exInt2) {
        return ExchangeComponent(direction, handle, [&](Component& c) {
            Exchange(direction, std::tie(c.exInt1, c.exByte1, c.exByte2, c.exInt2), exInt1, exByte1, exByte2, exInt2);
        });
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryComponentChannelOffset) {
    static uint32_t Run(uint8_t direction, uint32_t handle, int32_t* channelOffset) {
        return ExchangeComponent(direction, handle,
                                 [&](Component& c) { Move(Fetching(direction), c.channelOffset, channelOffset); });
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryComponentKind) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint32_t* componentKind) {
        return ExchangeComponent(direction, handle,
                                 [&](Component& c) { Move(Fetching(direction), c.componentKind, componentKind); });
    }
};

// Exchanges links [first, first + count) of a component. A store that changes nothing leaves
// the component on the shared defaults.
uint32_t ExchangeLinks(uint8_t direction, uint32_t handle, std::size_t first,
                       std::initializer_list<ShortString<255>*> addresses) {
    return ExchangeComponent(direction, handle, [&](Component& c) {
        Editor& e = Ed();
        std::size_t i = first;
        if (Fetching(direction)) {  // straight from the links, without a copy of all nine
            const ComponentLinks& links = e.LinksOf(c);
            for (ShortString<255>* a : addresses) {
                if (a) a->Assign(links[i]);
                ++i;
            }
            return;
        }
        ComponentLinks links = e.LinksOf(c);
        for (ShortString<255>* a : addresses) Move(false, links[i++], a);
        if (links == e.LinksOf(c)) return;
        if (!c.links) {
            e.links.emplace_back();
            c.links = uint32_t(e.links.size());
        }
        e.links[c.links - 1] = std::move(links);
    });
}

PLZ_TRELPA_ENTRY(PcbApi_QueryComponentSourceLinks) {
    static uint32_t Run(uint8_t direction, uint32_t handle, ShortString<255>* sourceLink1,
                        ShortString<255>* sourceLink2, ShortString<255>* sourceLink3, ShortString<255>* sourceLink4,
                        ShortString<255>* sourceLink5, ShortString<255>* sourceLink6, ShortString<255>* sourceLink7,
                        ShortString<255>* sourceLink8) {
        return ExchangeLinks(direction, handle, 0,
                             {sourceLink1, sourceLink2, sourceLink3, sourceLink4, sourceLink5, sourceLink6,
                              sourceLink7, sourceLink8});
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryDefaultPCB3DModel) {
    static uint32_t Run(uint8_t direction, uint32_t handle, ShortString<255>* default3DModel) {
        return ExchangeLinks(direction, handle, 8, {default3DModel});
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryText) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId,
                        int32_t* hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y,
                        int32_t* size, int32_t* intValue11, double* rotation, uint8_t* byteValue6,
                        ShortString<254>* text, int32_t* width, int32_t* intValue2, int32_t* intValue3) {
        Text* t = Ed().FindText(handle);
        if (!t) return kUnknown;
        // Its rectangle follows the location, and a location it cannot follow to refuses the call.
        int64_t dx = 0, dy = 0;
        if (direction != kFetch) {
            if (!x || !y) return kUnknown;
            dx = int64_t(LoadUnaligned(x)) - t->x, dy = int64_t(LoadUnaligned(y)) - t->y;
            if (!t->box.CanMove(dx, dy)) return kUnknown;
        }
        Exchange(direction,
                 std::tie(t->flags, t->hostWord, t->layerId, t->hostInt1, t->hostByte, t->hostInt2, t->x, t->y,
                          t->size, t->intValue11, t->rotation, t->byteValue6, t->text, t->width, t->intValue2,
                          t->intValue3),
                 flags, hostWord, layerId, hostInt1, hostByte, hostInt2, x, y, size, intValue11, rotation,
                 byteValue6, text, width, intValue2, intValue3);
        t->box.Move(dx, dy);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryTrueTypeTextInfo) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint8_t* trueTypeByte1, ShortString<255>* fontName,
                        uint8_t* trueTypeByte2, uint8_t* trueTypeByte3, uint8_t* trueTypeByte4,
                        int32_t* trueTypeInt1) {
        Text* t = Ed().FindText(handle);
        if (!t) return kUnknown;
        Exchange(direction,
                 std::tie(t->trueTypeByte1, t->fontName, t->trueTypeByte2, t->trueTypeByte3, t->trueTypeByte4,
                          t->trueTypeInt1),
                 trueTypeByte1, fontName, trueTypeByte2, trueTypeByte3, trueTypeByte4, trueTypeInt1);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBarCodeTextInfo) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint8_t* barCodeByte1, uint8_t* barCodeByte2,
                        uint8_t* barCodeByte3, uint8_t* barCodeByte4) {
        Text* t = Ed().FindText(handle);
        if (!t) return kUnknown;
        auto& b = t->barCode;
        Exchange(direction, std::tie(b[0], b[1], b[2], b[3]), barCodeByte1, barCodeByte2, barCodeByte3,
                 barCodeByte4);
        return 0;
    }
};

// --- board, layer stack and board options -------------------------------------------------------

// Exchanges one record of the board; an unknown board or an index outside [1, count] fails.
template <class Record, class... P>
uint32_t ExchangeBoard(uint8_t direction, uint32_t board, Record Board::*record, P*... addresses) {
    Board* b = Ed().FindBoard(board);
    if (!b) return kUnknown;
    Exchange(direction, b->*record, addresses...);
    return 0;
}
template <class Record, std::size_t N, class... P>
uint32_t ExchangeBoardAt(uint8_t direction, uint32_t board, std::array<Record, N> Board::*records,
                         uint32_t index, P*... addresses) {
    Board* b = Ed().FindBoard(board);
    if (!b || index < 1 || index >= N) return kUnknown;
    if constexpr (sizeof...(P) == 1 && !std::is_class_v<Record>)
        Move(Fetching(direction), (b->*records)[index], addresses...);
    else
        Exchange(direction, (b->*records)[index], addresses...);
    return 0;
}

PLZ_TRELPA_ENTRY(PcbApi_QueryBoard) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint32_t* value1, ShortString<255>* text,
                        uint8_t* byte1, uint32_t* value2, uint32_t* value3, uint32_t* value4, uint32_t* value5,
                        uint8_t* byte2, uint32_t* currentLayerId, uint32_t* value6) {
        return ExchangeBoard(direction, board, &Board::record, value1, text, byte1, value2, value3, value4, value5,
                             byte2, currentLayerId, value6);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardLayerInfo) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint8_t layer, uint8_t* byte1, uint8_t* byte2,
                        uint32_t* value) {
        return ExchangeBoardAt(direction, board, &Board::layerInfo, layer, byte1, byte2, value);
    }
};

Layer* FindLayer(uint32_t board, uint8_t layer) {
    Board* b = Ed().FindBoard(board);
    return b && layer >= 1 && layer <= kLastLegacyLayer ? &b->layers[layer] : nullptr;
}

PLZ_TRELPA_ENTRY(PcbApi_QueryLayer) {
    static uint32_t Run(uint8_t direction, uint8_t layer, uint32_t board, ShortString<255>* name,
                        int32_t* copperThickness, uint8_t* hostLayerByte1, uint8_t* hostLayerByte2,
                        uint8_t* previousLayer, uint8_t* nextLayer, uint16_t* hostLayerWord) {
        Layer* l = FindLayer(board, layer);
        if (!l) return kUnknown;
        Exchange(direction,
                 std::tie(l->name, l->copperThickness, l->hostLayerByte1, l->hostLayerByte2, l->previousLayer,
                          l->nextLayer, l->hostLayerWord),
                 name, copperThickness, hostLayerByte1, hostLayerByte2, previousLayer, nextLayer, hostLayerWord);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryInternalPlane) {
    static uint32_t Run(uint8_t direction, uint8_t layer, uint32_t board, ShortString<255>* name,
                        int32_t* copperThickness, uint8_t* hostLayerByte1, uint8_t* hostLayerByte2,
                        uint8_t* previousLayer, uint8_t* nextLayer, ShortString<255>* netName) {
        Layer* l = layer >= kFirstInternalPlane && layer <= kLastInternalPlane ? FindLayer(board, layer) : nullptr;
        if (!l) return kUnknown;
        Exchange(direction,
                 std::tie(l->name, l->copperThickness, l->hostLayerByte1, l->hostLayerByte2, l->previousLayer,
                          l->nextLayer, l->netName),
                 name, copperThickness, hostLayerByte1, hostLayerByte2, previousLayer, nextLayer, netName);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryLayerDielectric) {
    static uint32_t Run(uint8_t direction, uint8_t layer, uint32_t board, ShortString<255>* material,
                        uint8_t* dielectricType, double* constant, int32_t* height) {
        Layer* l = FindLayer(board, layer);
        if (!l) return kUnknown;
        Exchange(direction, std::tie(l->material, l->dielectricType, l->dielectricConstant, l->dielectricHeight),
                 material, dielectricType, constant, height);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardExternalDielectrics) {
    static uint32_t Run(uint8_t direction, uint32_t board, ShortString<255>* material1, uint8_t* type1,
                        double* constant1, int32_t* height1, ShortString<255>* material2, uint8_t* type2,
                        double* constant2, int32_t* height2) {
        return ExchangeBoard(direction, board, &Board::outerDielectrics, material1, type1, constant1, height1,
                             material2, type2, constant2, height2);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardSplitPlaneMode) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint8_t* mode) {
        Board* b = Ed().FindBoard(board);
        if (!b) return kUnknown;
        Move(Fetching(direction), b->splitPlaneMode, mode);
        return 0;
    }
};

// More pairs than a board of 82 layers can have is a faulty count.
inline constexpr int32_t kMaxLayerPairs = kLastLegacyLayer * kLastLegacyLayer;

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardLayerPairsCount) {
    static uint32_t Run(uint32_t board, int32_t* count, uint8_t fetch) {
        Board* b = Ed().FindBoard(board);
        if (!b || !count) return kUnknown;
        if (fetch) {
            StoreUnaligned(count, int32_t(b->pairs.size()));
            return 0;
        }
        const int32_t n = LoadUnaligned(count);
        if (n < 0 || n > kMaxLayerPairs) return kUnknown;
        b->pairs.resize(std::size_t(n));
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardLayerPairAt) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint32_t index, uint32_t* firstLayerId,
                        uint32_t* secondLayerId, uint8_t* hostPairByte2, uint8_t* hostPairByte1) {
        Board* b = Ed().FindBoard(board);
        if (!b || index >= b->pairs.size()) return kUnknown;
        LayerPair& p = b->pairs[index];
        Exchange(direction, std::tie(p.firstLayerId, p.secondLayerId, p.hostPairByte2, p.hostPairByte1),
                 firstLayerId, secondLayerId, hostPairByte2, hostPairByte1);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardGridsEx) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint8_t* gridByte1, uint8_t* gridByte2,
                        uint8_t* gridByte3, uint8_t* gridByte4, uint64_t* gridValue1, uint64_t* gridValue2,
                        uint64_t* gridValue4, uint64_t* gridValue5, uint32_t* gridInt, uint8_t* gridByte5,
                        uint64_t* gridValue6, uint64_t* gridValue7, uint64_t* gridValue9, uint64_t* gridValue10) {
        return ExchangeBoard(direction, board, &Board::grids, gridByte1, gridByte2, gridByte3, gridByte4,
                             gridValue1, gridValue2, gridValue4, gridValue5, gridInt, gridByte5, gridValue6,
                             gridValue7, gridValue9, gridValue10);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardOutputOptions) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint32_t* outputValue1, uint32_t* outputValue2,
                        uint8_t* outputByte1, uint8_t* outputByte2, uint8_t* outputByte3, uint8_t* outputByte4,
                        uint8_t* outputByte5, uint8_t* outputByte6, uint8_t* outputByte7, uint8_t* outputByte8,
                        uint8_t* outputByte9, uint8_t* outputByte10, uint8_t* outputByte11, uint8_t* outputByte12,
                        uint8_t* outputByte13, uint8_t* outputByte14, uint8_t* outputByte15, uint8_t* outputByte16,
                        uint8_t* outputByte17, uint8_t* outputByte18, uint8_t* outputByte19, uint8_t* outputByte20,
                        uint8_t* outputByte21, uint8_t* outputByte22) {
        return ExchangeBoard(direction, board, &Board::output, outputValue1, outputValue2, outputByte1,
                             outputByte2, outputByte3, outputByte4, outputByte5, outputByte6, outputByte7,
                             outputByte8, outputByte9, outputByte10, outputByte11, outputByte12, outputByte13,
                             outputByte14, outputByte15, outputByte16, outputByte17, outputByte18, outputByte19,
                             outputByte20, outputByte21, outputByte22);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardOutputOptionsPlotLayers) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint8_t index, uint8_t* value) {
        return ExchangeBoardAt(direction, board, &Board::plotLayers, index, value);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardOutputOptionsFlipLayers) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint8_t index, uint8_t* value) {
        return ExchangeBoardAt(direction, board, &Board::flipLayers, index, value);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardGerberOptions) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint8_t* gerberValue1, uint8_t* gerberValue2,
                        uint8_t* gerberValue3, uint8_t* gerberValue4, uint8_t* gerberValue5, uint8_t* gerberValue6,
                        uint8_t* gerberValue7, uint32_t* gerberValue8, uint32_t* gerberValue9,
                        uint32_t* gerberValue10, uint32_t* gerberValue11, uint32_t* gerberValue12,
                        ShortString<255>* gerberValue13, uint32_t* gerberValue14, uint8_t* gerberValue15,
                        uint8_t* gerberValue16, uint32_t* gerberValue17, uint32_t* gerberValue18,
                        uint8_t* gerberValue19) {
        return ExchangeBoard(direction, board, &Board::gerber, gerberValue1, gerberValue2, gerberValue3,
                             gerberValue4, gerberValue5, gerberValue6, gerberValue7, gerberValue8, gerberValue9,
                             gerberValue10, gerberValue11, gerberValue12, gerberValue13, gerberValue14,
                             gerberValue15, gerberValue16, gerberValue17, gerberValue18, gerberValue19);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardPrinterOptions) {
    static uint32_t Run(uint8_t direction, uint32_t board, ShortString<255>* printerValue1,
                        ShortString<255>* printerValue2, ShortString<255>* printerValue3, uint8_t* printerValue4,
                        uint8_t* printerValue5, uint8_t* printerValue6, uint8_t* printerValue7,
                        uint8_t* printerValue8, uint8_t* printerValue9, uint32_t* printerValue10,
                        uint64_t* printerValue11, uint64_t* printerValue12, uint64_t* printerValue13,
                        uint64_t* printerValue14, uint8_t* printerValue15, uint8_t* printerValue16,
                        uint64_t* printerValue17, uint64_t* printerValue18, uint64_t* printerValue19,
                        uint32_t* printerValue20, uint32_t* printerValue21, uint8_t* printerValue22,
                        uint8_t* printerValue23, uint8_t* printerValue24, uint8_t* printerValue25,
                        uint8_t* printerValue26) {
        return ExchangeBoard(direction, board, &Board::printer, printerValue1, printerValue2, printerValue3,
                             printerValue4, printerValue5, printerValue6, printerValue7, printerValue8,
                             printerValue9, printerValue10, printerValue11, printerValue12, printerValue13,
                             printerValue14, printerValue15, printerValue16, printerValue17, printerValue18,
                             printerValue19, printerValue20, printerValue21, printerValue22, printerValue23,
                             printerValue24, printerValue25, printerValue26);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardPrinterOptionsPlotterPen) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint32_t pen, uint32_t* penValue1, uint32_t* penValue2) {
        return ExchangeBoardAt(direction, board, &Board::pens, pen, penValue1, penValue2);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardPrinterOptionsCompositeLayer) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint8_t layer, uint32_t* compositeValue1,
                        uint32_t* compositeValue2, uint8_t* compositeByte, uint32_t* compositeValue3) {
        return ExchangeBoardAt(direction, board, &Board::composite, layer, compositeValue1, compositeValue2,
                               compositeByte, compositeValue3);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardAdvancedPlacerOptions) {
    static uint32_t Run(uint8_t direction, uint32_t board, ShortString<255>* placerValue1,
                        ShortString<255>* placerValue2, uint8_t* placerValue3, uint8_t* placerValue4,
                        uint8_t* placerValue5, uint8_t* placerValue6) {
        return ExchangeBoard(direction, board, &Board::placer, placerValue1, placerValue2, placerValue3,
                             placerValue4, placerValue5, placerValue6);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryBoardEngineeringChangeOrderOptions) {
    static uint32_t Run(uint8_t direction, uint32_t board, uint8_t* ecoValue1, ShortString<255>* ecoValue2) {
        return ExchangeBoard(direction, board, &Board::eco, ecoValue1, ecoValue2);
    }
};

}  // namespace
}  // namespace plz::trelpa

#include "hostsim/trelpa/object_entry_points.h"

#undef PLZ_TRELPA_ENTRY

// The exports, each with the list's own parameter list.
#define PLZ_TRELPA_EXPORT(name, result, missing, form, params, args)                        \
    PLZ_EXPORT result PLZ_STDCALL name params {                                             \
        return plz::trelpa::Call<plz::PcbApiSlot::name, plz::trelpa::sig::name>::Run args; \
    }
PLZ_PCB_API_CALLS(PLZ_TRELPA_EXPORT)
#undef PLZ_TRELPA_EXPORT
