// The simulated PCB editor's entry points for the objects of every kind besides components and
// texts. Part of entry_points.cpp: included after its entry framework (Entry, PLZ_TRELPA_ENTRY,
// Ed, Fetching), whose unnamed namespace it reopens, and before the exports.
#pragma once

#include <cstring>

#include "hostsim/trelpa/objects.h"

namespace plz::trelpa {
namespace {

// The object of the handle and its record of kind T; null for a handle of no such object.
template <class T>
T* FindOwn(uint32_t handle, Object*& object) {
    object = Ed().FindObject(handle);
    return object ? std::get_if<T>(&object->own) : nullptr;
}

// The eight fields that lead the primitives' queries.
auto Lead(Object& o) { return std::tie(o.flags, o.hostWord, o.layerId, o.hostInt1, o.hostByte, o.hostInt2, o.x, o.y); }

// An area passed whole: filled on a fetch, taken otherwise.
void MoveArea(uint8_t direction, std::vector<uint8_t>& area, uint8_t* address) {
    if (!address) return;
    if (Fetching(direction))
        std::memcpy(address, area.data(), area.size());
    else
        std::memcpy(area.data(), address, area.size());
}

// --- primitives ------------------------------------------------------------------------------

template <class T, class... P>
uint32_t ExchangePrimitive(uint8_t direction, uint32_t handle, P*... addresses) {
    Object* o;
    T* own = FindOwn<T>(handle, o);
    if (!own) return kUnknown;
    const auto record = std::apply([](auto&... field) { return std::tie(field...); }, own->record);
    Exchange(direction, std::tuple_cat(Lead(*o), record), addresses...);
    return 0;
}

PLZ_TRELPA_ENTRY(PcbApi_QueryTrack) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId,
                        int32_t* hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y, int32_t* x2,
                        int32_t* y2, int32_t* width, int32_t* intValue1, int32_t* intValue2, int32_t* intValue3) {
        return ExchangePrimitive<Track>(direction, handle, flags, hostWord, layerId, hostInt1, hostByte, hostInt2, x,
                                        y, x2, y2, width, intValue1, intValue2, intValue3);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryArc) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId,
                        int32_t* hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y,
                        int32_t* radius, double* startAngle, double* endAngle, int32_t* lineWidth,
                        int32_t* intValue1) {
        return ExchangePrimitive<Arc>(direction, handle, flags, hostWord, layerId, hostInt1, hostByte, hostInt2, x, y,
                                      radius, startAngle, endAngle, lineWidth, intValue1);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryFill) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId,
                        int32_t* hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y, int32_t* x2,
                        int32_t* y2, int32_t* intValue1, double* rotation) {
        return ExchangePrimitive<Fill>(direction, handle, flags, hostWord, layerId, hostInt1, hostByte, hostInt2, x,
                                       y, x2, y2, intValue1, rotation);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryPad) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId,
                        int32_t* hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y,
                        int32_t* intValue4, int32_t* intValue5, int32_t* intValue6, int32_t* intValue7,
                        int32_t* intValue8, int32_t* intValue9, int32_t* intValue10, uint8_t* byteValue1,
                        uint8_t* byteValue2, uint8_t* byteValue3, ShortString<20>* name, uint8_t* padByte1,
                        uint8_t* padByte2, double* rotation, ShortString<20>* padString1, ShortString<20>* padString2,
                        uint32_t* padInt1, ShortString<20>* padString3, uint8_t* padByte3, uint8_t* padByte4,
                        uint32_t* padInt2, uint64_t* padValue8, uint32_t* padInt3, uint32_t* padInt4,
                        uint32_t* padInt5, uint8_t* flag1, uint8_t* flag2) {
        return ExchangePrimitive<Pad>(direction, handle, flags, hostWord, layerId, hostInt1, hostByte, hostInt2, x, y,
                                      intValue4, intValue5, intValue6, intValue7, intValue8, intValue9, intValue10,
                                      byteValue1, byteValue2, byteValue3, name, padByte1, padByte2, rotation,
                                      padString1, padString2, padInt1, padString3, padByte3, padByte4, padInt2,
                                      padValue8, padInt3, padInt4, padInt5, flag1, flag2);
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryVia) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint8_t* layer,
                        int32_t* hostInt1, uint8_t* hostByte, int32_t* hostInt2, int32_t* x, int32_t* y,
                        int32_t* size, int32_t* intValue10, uint8_t* byteValue4, uint8_t* byteValue5, uint8_t* flag1,
                        uint8_t* flag2) {
        Object* o;
        Via* v = FindOwn<Via>(handle, o);
        if (!v) return kUnknown;
        // The via's layer travels as a legacy number; one outside the legacy range is refused.
        uint8_t legacy = uint8_t(o->layerId);
        auto& [vSize, vIntValue10, vByteValue4, vByteValue5, vFlag1, vFlag2] = v->record;
        Exchange(direction,
                 std::tie(o->flags, o->hostWord, legacy, o->hostInt1, o->hostByte, o->hostInt2, o->x, o->y, vSize,
                          vIntValue10, vByteValue4, vByteValue5, vFlag1, vFlag2),
                 flags, hostWord, layer, hostInt1, hostByte, hostInt2, x, y, size, intValue10, byteValue4, byteValue5,
                 flag1, flag2);
        if (legacy <= kLastLegacyLayer) o->layerId = legacy;
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryPadStackMode) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint8_t* padStackMode) {
        Object* o;
        Pad* p = FindOwn<Pad>(handle, o);
        if (!p) return kUnknown;
        Move(Fetching(direction), p->stackMode, padStackMode);
        return 0;
    }
};

// A pad's table entry for the layer; null for no pad or a layer outside 0 to 82.
PadLayer* FindPadLayer(uint32_t handle, uint8_t layer) {
    Object* o;
    Pad* p = FindOwn<Pad>(handle, o);
    return p && layer <= kLastLegacyLayer ? &p->layers[layer] : nullptr;
}

// A via is round with its one size on every layer.
constexpr uint8_t kViaShape = 1;

PLZ_TRELPA_ENTRY(PcbApi_QueryPadOrViaShapeOnLayer) {
    static uint32_t Run(uint32_t handle, uint8_t layer, uint8_t* shape) {
        Object* o;
        if (Via* v = FindOwn<Via>(handle, o); v && layer <= kLastLegacyLayer) {
            uint8_t round = kViaShape;
            Move(true, round, shape);
            return 0;
        }
        PadLayer* l = FindPadLayer(handle, layer);
        if (!l) return kUnknown;
        Move(true, l->shape, shape);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryPadOrViaSizeOnLayer) {
    static uint32_t Run(uint32_t handle, uint8_t layer, int32_t* xSize, int32_t* ySize) {
        Object* o;
        if (Via* v = FindOwn<Via>(handle, o); v && layer <= kLastLegacyLayer) {
            Move(true, std::get<0>(v->record), xSize);
            Move(true, std::get<0>(v->record), ySize);
            return 0;
        }
        PadLayer* l = FindPadLayer(handle, layer);
        if (!l) return kUnknown;
        Exchange(kFetch, std::tie(l->xSize, l->ySize), xSize, ySize);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryPadCornerRadiusOnLayer) {
    static uint32_t Run(uint32_t handle, uint8_t layer, uint32_t* cornerRadius) {
        PadLayer* l = FindPadLayer(handle, layer);
        if (!l) return kUnknown;
        Move(true, l->cornerRadius, cornerRadius);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryPadCRPercentageOnLayer) {
    static uint32_t Run(uint32_t handle, uint8_t layer, uint8_t* percentage) {
        PadLayer* l = FindPadLayer(handle, layer);
        if (!l) return kUnknown;
        Move(true, l->percentage, percentage);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_SetPadShapeOnLayer) {
    static uint32_t Run(uint32_t handle, uint8_t layer, uint8_t shape) {
        PadLayer* l = FindPadLayer(handle, layer);
        if (!l) return kUnknown;
        l->shape = shape;
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_SetPadSizeOnLayer) {
    static uint32_t Run(uint32_t handle, uint8_t layer, int32_t xSize, int32_t ySize) {
        PadLayer* l = FindPadLayer(handle, layer);
        if (!l) return kUnknown;
        l->xSize = xSize, l->ySize = ySize;
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_SetCRPctOnLayer) {
    static uint32_t Run(uint32_t handle, uint8_t layer, uint8_t percentage) {
        PadLayer* l = FindPadLayer(handle, layer);
        if (!l) return kUnknown;
        l->percentage = percentage;
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryRegion) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint8_t* regionByte, uint16_t* flags, uint16_t* hostWord,
                        uint32_t* layerId, int32_t* hostInt1, uint8_t* hostByte, int32_t* hostInt2,
                        uint32_t* regionValue1, uint32_t* regionValue2, int32_t* regionValue3, int32_t* regionValue4,
                        int32_t* regionValue5, int32_t* regionValue6) {
        Object* o;
        Region* r = FindOwn<Region>(handle, o);
        if (!r) return kUnknown;
        Exchange(direction, std::tie(r->regionByte, o->flags, o->hostWord, o->layerId, o->hostInt1, o->hostByte,
                                     o->hostInt2),
                 regionByte, flags, hostWord, layerId, hostInt1, hostByte, hostInt2);
        Exchange(direction, r->record, regionValue1, regionValue2, regionValue3, regionValue4, regionValue5,
                 regionValue6);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryEmbeddedBoard) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint8_t* hostByte,
                        int32_t* x, int32_t* y, ShortString<255>* embString, uint32_t* embValue1,
                        uint32_t* embValue2, uint32_t* embValue3, uint32_t* embValue4, uint64_t* embValue5,
                        uint8_t* byteValue6, uint8_t* embByte) {
        Object* o;
        EmbeddedBoard* b = FindOwn<EmbeddedBoard>(handle, o);
        if (!b) return kUnknown;
        Exchange(direction, std::tie(o->flags, o->hostWord, o->hostByte, o->x, o->y), flags, hostWord, hostByte, x, y);
        Exchange(direction, b->record, embString, embValue1, embValue2, embValue3, embValue4, embValue5, byteValue6,
                 embByte);
        return 0;
    }
};

// --- group objects and records -------------------------------------------------------------------

PLZ_TRELPA_ENTRY(PcbApi_QueryNet) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* hostWord, ShortString<255>* name,
                        uint8_t* netByte, uint32_t* netValue) {
        Object* o;
        Net* n = FindOwn<Net>(handle, o);
        if (!n) return kUnknown;
        Move(Fetching(direction), o->hostWord, hostWord);
        Exchange(direction, n->record, name, netByte, netValue);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryClass) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* hostWord, uint8_t* classByte1,
                        uint8_t* classByte2, ShortString<255>* name) {
        Object* o;
        Class* c = FindOwn<Class>(handle, o);
        if (!c) return kUnknown;
        Move(Fetching(direction), o->hostWord, hostWord);
        Exchange(direction, c->record, classByte1, classByte2, name);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_RemoveAllMembersFromClass) {
    static uint32_t Run(uint32_t classHandle) {
        Object* o;
        Class* c = FindOwn<Class>(classHandle, o);
        if (!c) return kUnknown;
        c->members.clear();
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_AddMemberToClass) {
    static uint32_t Run(uint32_t classHandle, ShortString<255>* memberName) {
        Object* o;
        Class* c = FindOwn<Class>(classHandle, o);
        if (!c || !memberName) return kUnknown;
        c->members.emplace_back(memberName->View());
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_GetMemberFromClassAt) {
    static uint32_t Run(uint32_t classHandle, int32_t index, ShortString<255>* memberName) {
        Object* o;
        Class* c = FindOwn<Class>(classHandle, o);
        if (!c || index < 0 || std::size_t(index) >= c->members.size()) return 1;  // no member there
        Move(true, c->members[std::size_t(index)], memberName);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryFromTo) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* hostWord, int32_t* x, int32_t* y,
                        uint8_t* byteValue7, int32_t* x2, int32_t* y2, uint8_t* byteValue8, int32_t* hostInt1) {
        Object* o;
        FromTo* f = FindOwn<FromTo>(handle, o);
        if (!f) return kUnknown;
        auto& [byte7, fx2, fy2, byte8] = f->record;
        Exchange(direction, std::tie(o->hostWord, o->x, o->y, byte7, fx2, fy2, byte8, o->hostInt1), hostWord, x, y,
                 byteValue7, x2, y2, byteValue8, hostInt1);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryManualFromTo) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* hostWord, ShortString<255>* manualString1,
                        ShortString<255>* manualString2, ShortString<255>* manualString3, uint32_t* manualValue) {
        Object* o;
        ManualFromTo* m = FindOwn<ManualFromTo>(handle, o);
        if (!m) return kUnknown;
        Move(Fetching(direction), o->hostWord, hostWord);
        Exchange(direction, m->record, manualString1, manualString2, manualString3, manualValue);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryCoordinate) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint8_t* hostByte,
                        int32_t* x, int32_t* y, uint32_t* layerId, uint32_t* coordValue1, uint32_t* coordValue2,
                        uint32_t* coordValue3, uint32_t* coordValue4, uint32_t* coordValue5, uint32_t* coordValue6) {
        Object* o;
        Coordinate* c = FindOwn<Coordinate>(handle, o);
        if (!c) return kUnknown;
        Exchange(direction, std::tie(o->flags, o->hostWord, o->hostByte, o->x, o->y, o->layerId), flags, hostWord,
                 hostByte, x, y, layerId);
        Exchange(direction, c->record, coordValue1, coordValue2, coordValue3, coordValue4, coordValue5, coordValue6);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryDimension) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint8_t* hostByte,
                        int32_t* x, int32_t* y, uint32_t* dimValue1, uint32_t* dimValue2, uint32_t* layerId,
                        uint32_t* dimValue3, uint32_t* dimValue4, uint32_t* dimValue5, uint32_t* dimValue6,
                        uint32_t* dimValue7, uint8_t* dimByte) {
        Object* o;
        Dimension* d = FindOwn<Dimension>(handle, o);
        if (!d) return kUnknown;
        auto& [v1, v2] = d->values;
        Exchange(direction, std::tie(o->flags, o->hostWord, o->hostByte, o->x, o->y, v1, v2, o->layerId), flags,
                 hostWord, hostByte, x, y, dimValue1, dimValue2, layerId);
        Exchange(direction, d->moreValues, dimValue3, dimValue4, dimValue5, dimValue6, dimValue7, dimByte);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_References_Count) {
    static uint32_t Run(uint8_t direction, uint32_t handle, int32_t* count) {
        Object* o;
        Dimension* d = FindOwn<Dimension>(handle, o);
        if (!d || !count) return kUnknown;
        if (Fetching(direction)) {
            StoreUnaligned(count, int32_t(d->references.size()));
            return 0;
        }
        const int32_t n = LoadUnaligned(count);
        if (n < 0 || n > kMaxReferences) return kUnknown;
        d->references.resize(std::size_t(n));
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_References_At) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint32_t index, uint32_t* referenceValue1,
                        uint32_t* referenceValue2, uint32_t* referenceValue3, uint32_t* referenceValue4) {
        Object* o;
        Dimension* d = FindOwn<Dimension>(handle, o);
        if (!d || index >= d->references.size()) return kUnknown;
        auto& r = d->references[index];
        Exchange(direction, std::tie(r[0], r[1], r[2], r[3]), referenceValue1, referenceValue2, referenceValue3,
                 referenceValue4);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryExtDimension) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint8_t* dimensionKind, uint32_t* extValue1,
                        uint32_t* extValue2, uint32_t* extValue3, uint8_t* extByte1, uint32_t* extValue4,
                        ShortString<255>* extString1, uint8_t* extByte2, uint32_t* extValue5,
                        ShortString<255>* extString2, ShortString<255>* extString3, uint64_t* extValue6,
                        uint32_t* extValue7, uint32_t* extValue8, uint32_t* extValue9, uint8_t* extByte3,
                        uint32_t* extValue10, uint32_t* extValue11, uint32_t* extValue12) {
        Object* o;
        Dimension* d = FindOwn<Dimension>(handle, o);
        if (!d) return kUnknown;
        Exchange(direction, d->ext, dimensionKind, extValue1, extValue2, extValue3, extByte1, extValue4, extString1,
                 extByte2, extValue5, extString2, extString3, extValue6, extValue7, extValue8, extValue9, extByte3,
                 extValue10, extValue11, extValue12);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryPolygon) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId,
                        int32_t* hostInt1, uint8_t* hostByte, uint8_t* polyByte1, uint8_t* polyByte2,
                        uint8_t* polyByte3, uint32_t* polyValue1, uint32_t* polyValue2, uint8_t* polyByte4,
                        uint16_t* polyWord, uint32_t* polyValue3, uint8_t* polyByte5, uint32_t* polyValue4,
                        uint8_t* outline) {
        Object* o;
        Polygon* p = FindOwn<Polygon>(handle, o);
        if (!p) return kUnknown;
        Exchange(direction, std::tie(o->flags, o->hostWord, o->layerId, o->hostInt1, o->hostByte), flags, hostWord,
                 layerId, hostInt1, hostByte);
        Exchange(direction, p->record, polyByte1, polyByte2, polyByte3, polyValue1, polyValue2, polyByte4, polyWord,
                 polyValue3, polyByte5, polyValue4);
        MoveArea(direction, p->outline, outline);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QuerySplitPlane) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint16_t* flags, uint16_t* hostWord, uint32_t* layerId,
                        int32_t* hostInt1, uint8_t* hostByte, uint8_t* planeByte, uint32_t* planeValue,
                        uint8_t* outline) {
        Object* o;
        SplitPlane* s = FindOwn<SplitPlane>(handle, o);
        if (!s) return kUnknown;
        Exchange(direction, std::tie(o->flags, o->hostWord, o->layerId, o->hostInt1, o->hostByte), flags, hostWord,
                 layerId, hostInt1, hostByte);
        Exchange(direction, s->record, planeByte, planeValue);
        MoveArea(direction, s->outline, outline);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryEmbedded) {
    static uint32_t Run(uint8_t direction, uint32_t handle, ShortString<255>* embeddedName, uint8_t* buffer) {
        Object* o;
        Embedded* e = FindOwn<Embedded>(handle, o);
        if (!e) return kUnknown;
        Move(Fetching(direction), e->name, embeddedName);
        MoveArea(direction, e->buffer, buffer);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryRule) {
    static uint32_t Run(uint8_t direction, uint32_t handle, uint8_t* ruleByte1, uint8_t* ruleByte2,
                        uint8_t* ruleByte3, uint8_t* ruleByte4, uint8_t* ruleByte5, uint8_t* ruleByte6,
                        uint8_t* ruleByte7, ShortString<255>* ruleString1, ShortString<255>* ruleString2,
                        ShortString<255>* ruleString3, ShortString<255>* ruleString4, uint8_t* ruleByte8,
                        uint8_t* ruleByte9, uint32_t* ruleValue1, uint32_t* ruleValue2, uint32_t* ruleValue3,
                        uint32_t* ruleValue4, ShortString<255>* ruleString5, ShortString<255>* ruleString6,
                        ShortString<255>* ruleString7, ShortString<255>* ruleString8, ShortString<255>* ruleString9,
                        ShortString<255>* ruleString10) {
        Object* o;
        Rule* r = FindOwn<Rule>(handle, o);
        if (!r) return kUnknown;
        Exchange(direction, r->record, ruleByte1, ruleByte2, ruleByte3, ruleByte4, ruleByte5, ruleByte6, ruleByte7,
                 ruleString1, ruleString2, ruleString3, ruleString4, ruleByte8, ruleByte9, ruleValue1, ruleValue2,
                 ruleValue3, ruleValue4, ruleString5, ruleString6, ruleString7, ruleString8, ruleString9,
                 ruleString10);
        return 0;
    }
};

PLZ_TRELPA_ENTRY(PcbApi_QueryViolation) {
    static uint32_t Run(uint8_t direction, uint32_t handle, ShortString<255>* violationString1,
                        ShortString<255>* violationString2, uint32_t* violationValue1, uint32_t* violationValue2,
                        uint32_t* violationValue3) {
        Object* o;
        Violation* v = FindOwn<Violation>(handle, o);
        if (!v) return kUnknown;
        Exchange(direction, v->record, violationString1, violationString2, violationValue1, violationValue2,
                 violationValue3);
        return 0;
    }
};

}  // namespace
}  // namespace plz::trelpa
