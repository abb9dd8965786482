// The shared mirror fields, their transfer, and the neutral property interface.
#include "RTL/pcb_object.h"

#include <cmath>
#include <cstdlib>

#include "RTL/pcb_api.h"
#include "RTL/units.h"

namespace plz {

TPCBObject::TPCBObject(uint32_t handle) { Common.Handle = handle; }

void TPCBObject::TransferBitFields(Direction direction) {
    PcbApi_GetObjectBitField2(WireDirection(direction), Common.Handle, &Common.BitField2);
    PcbApi_GetObjectBitField3(WireDirection(direction), Common.Handle, &Common.BitField3);
}

uint32_t TPCBObject::Transfer(Direction direction) {
    TransferBitFields(direction);
    return PcbApi_QueryPrimitive(WireDirection(direction), Common.Handle, &Common.Flags, &Common.HostWord,
                                 &Common.LayerId, &Common.HostInt1, &Common.HostInt2, &Common.HostByte);
}

uint32_t TPCBObject::GetBoundingRect(int32_t& left, int32_t& bottom, int32_t& right, int32_t& top) {
    return PcbApi_QueryObjectBoundingRectangle(Common.Handle, &left, &bottom, &right, &top);
}

void TPCBObject::MoveBy(int32_t dx, int32_t dy) {
    Common.X += dx;
    Common.Y += dy;
}

bool TPCBObject::ImportFromUser() { return PcbApi_QueryObjectImport_FromUser(Common.Handle) == 0; }
uint32_t TPCBObject::GraphicallyInvalidate() { return PcbApi_QueryObjectGraphicallyInvalidate(Common.Handle); }

namespace {

bool ReadBit(uint32_t bits, int bit) { return (bits >> bit) & 1; }

// By value: the fields are packed and cannot be bound to a reference.
template <class Bits>
Bits WithBit(Bits bits, int bit, bool value) {
    const Bits mask = Bits(1u << bit);
    return value ? Bits(bits | mask) : Bits(bits & ~mask);
}

}  // namespace

#define PLZ_PCB_FLAG_DEFINE(form, ...) PLZ_PCB_FLAG_DEFINE_##form(__VA_ARGS__)
#define PLZ_PCB_FLAG_DEFINE_Read(name, field, bit) \
    bool TPCBObject::name() { return ReadBit(Common.field, bit); }
#define PLZ_PCB_FLAG_DEFINE_Write(name, field, bit) \
    void TPCBObject::Set##name(bool value) { Common.field = WithBit(Common.field, bit, value); }
#define PLZ_PCB_FLAG_DEFINE_Local(name, field, bit) \
    PLZ_PCB_FLAG_DEFINE_Read(name, field, bit) PLZ_PCB_FLAG_DEFINE_Write(name, field, bit)
#define PLZ_PCB_FLAG_DEFINE_Neutral(name) \
    bool TPCBObject::name() { return false; }  \
    void TPCBObject::Set##name(bool) {}
#define PLZ_PCB_FLAG_DEFINE_Custom(getter, setter)
PLZ_PCB_OBJECT_FLAGS(PLZ_PCB_FLAG_DEFINE)
#undef PLZ_PCB_FLAG_DEFINE_Custom
#undef PLZ_PCB_FLAG_DEFINE_Neutral
#undef PLZ_PCB_FLAG_DEFINE_Local
#undef PLZ_PCB_FLAG_DEFINE_Write
#undef PLZ_PCB_FLAG_DEFINE_Read
#undef PLZ_PCB_FLAG_DEFINE

bool TPCBObject::FlagsBit3() { return ReadBit(Common.Flags, 3); }
void TPCBObject::SetFlagsBit3(bool value) {
    Common.Flags = WithBit(Common.Flags, 3, value);
    Transfer(Direction::Store);
}
bool TPCBObject::FlagsBit8Clear() { return !ReadBit(Common.Flags, 8); }
void TPCBObject::SetFlagsBit8Clear(bool value) {
    Common.Flags = WithBit(Common.Flags, 8, !value);
    Transfer(Direction::Store);
}
bool TPCBObject::AnyBitField3Bit() { return BitField3Bit1() || BitField3Bit2(); }
void TPCBObject::SetBitField3Bits(bool value) {
    SetBitField3Bit1(value);
    SetBitField3Bit2(value);
}

#define PLZ_PCB_PROPERTY_DEFINE(form, type, name) PLZ_PCB_PROPERTY_DEFINE_##form(type, name)
#define PLZ_PCB_PROPERTY_DEFINE_Field(type, name) \
    type TPCBObject::name() { return Common.name; } \
    void TPCBObject::Set##name(type value) { Common.name = value; }
#define PLZ_PCB_PROPERTY_DEFINE_Neutral(type, name) \
    type TPCBObject::name() { return {}; }         \
    void TPCBObject::Set##name(PropertyValue<type>) {}
#define PLZ_PCB_PROPERTY_DEFINE_Computed(type, name) void TPCBObject::Set##name(PropertyValue<type>) {}
#define PLZ_PCB_PROPERTY_DEFINE_Custom(type, name)
#define PLZ_PCB_PROPERTY_DEFINE_ReadOnly(type, name)
PLZ_PCB_OBJECT_PROPERTIES(PLZ_PCB_PROPERTY_DEFINE)
#undef PLZ_PCB_PROPERTY_DEFINE_ReadOnly
#undef PLZ_PCB_PROPERTY_DEFINE_Custom
#undef PLZ_PCB_PROPERTY_DEFINE_Computed
#undef PLZ_PCB_PROPERTY_DEFINE_Neutral
#undef PLZ_PCB_PROPERTY_DEFINE_Field
#undef PLZ_PCB_PROPERTY_DEFINE

int32_t TPCBObject::X2() { return Common.X; }
int32_t TPCBObject::Y2() { return Common.Y; }
uint8_t TPCBObject::Layer() { return LayerIdToLayer(Common.LayerId); }
void TPCBObject::SetLayer(uint8_t value) { Common.LayerId = LayerToLayerId(value); }
int32_t TPCBObject::XSize() { return Size(); }
int32_t TPCBObject::YSize() { return Size(); }

namespace {
// The rectangle as the host reports it now; the mirror's fields play no part.
struct HostRect {
    int32_t left = 0, bottom = 0, right = 0, top = 0;
    explicit HostRect(TPCBObject& object) { object.GetBoundingRect(left, bottom, right, top); }
};
}  // namespace

int32_t TPCBObject::BoundsLeft() { return HostRect(*this).left; }
int32_t TPCBObject::BoundsBottom() { return HostRect(*this).bottom; }
int32_t TPCBObject::BoundsTop() { return HostRect(*this).top; }
int32_t TPCBObject::BoundsRight() { return HostRect(*this).right; }

TPCBObject::Corners TPCBObject::RectangleCorners(double cx, double cy, int64_t w, int64_t h, double rotation) {
    if (h == 0) {
        const double half = double(w) / 2;
        return {{cx - half, cx + half, cx - half, cx + half}, {cy, cy, cy, cy}};
    }
    const double d = std::sqrt(double(w) * double(w) / 4 + double(h) * double(h) / 4);
    const double t = std::atan(double(w) / double(h));
    const double r = DegreesToRadians(rotation);
    return {{cx - d * std::sin(t - r), cx + d * std::sin(t + r), cx - d * std::sin(t + r), cx + d * std::sin(t - r)},
            {cy - d * std::cos(t - r), cy - d * std::cos(t + r), cy + d * std::cos(t + r), cy + d * std::cos(t - r)}};
}

TPCBObject::Corners TPCBObject::ComputeCorners(int32_t expansion) {
    // 64-bit so that a rectangle spanning the whole coordinate range does not overflow.
    const int64_t x = X(), y = Y(), x2 = X2(), y2 = Y2();
    const int64_t w = std::llabs(x2 - x) + 2 * int64_t{expansion};
    const int64_t h = std::llabs(y2 - y) + 2 * int64_t{expansion};
    // Each half truncated toward zero.
    return RectangleCorners(double(x / 2 + x2 / 2), double(y / 2 + y2 / 2), w, h, Rotation());
}

int32_t TPCBObject::Corner1X(int32_t e) { return RoundToInt32(ComputeCorners(e).x[0]); }
int32_t TPCBObject::Corner1Y(int32_t e) { return RoundToInt32(ComputeCorners(e).y[0]); }
int32_t TPCBObject::Corner2X(int32_t e) { return RoundToInt32(ComputeCorners(e).x[1]); }
int32_t TPCBObject::Corner2Y(int32_t e) { return RoundToInt32(ComputeCorners(e).y[1]); }
int32_t TPCBObject::Corner3X(int32_t e) { return RoundToInt32(ComputeCorners(e).x[2]); }
int32_t TPCBObject::Corner3Y(int32_t e) { return RoundToInt32(ComputeCorners(e).y[2]); }
int32_t TPCBObject::Corner4X(int32_t e) { return RoundToInt32(ComputeCorners(e).x[3]); }
int32_t TPCBObject::Corner4Y(int32_t e) { return RoundToInt32(ComputeCorners(e).y[3]); }

bool TPCBObject::OnOwnLayer(uint8_t layer) { return LayerToLayerId(layer) == Common.LayerId; }

int32_t TPCBObject::SizeOnLayer(uint8_t layer) { return OnOwnLayer(layer) ? Size() : 0; }
int32_t TPCBObject::XSizeOnLayer(uint8_t layer) { return OnOwnLayer(layer) ? XSize() : 0; }
int32_t TPCBObject::YSizeOnLayer(uint8_t layer) { return OnOwnLayer(layer) ? YSize() : 0; }
uint8_t TPCBObject::ShapeOnLayer(uint8_t layer) { return OnOwnLayer(layer) ? Shape() : 0; }
int32_t TPCBObject::WidthOnLayer(uint8_t layer) { return OnOwnLayer(layer) ? Width() : 0; }
int32_t TPCBObject::Corner1XOnLayer(uint8_t layer, int32_t e) { return OnOwnLayer(layer) ? Corner1X(e) : 0; }
int32_t TPCBObject::Corner1YOnLayer(uint8_t layer, int32_t e) { return OnOwnLayer(layer) ? Corner1Y(e) : 0; }
int32_t TPCBObject::Corner2XOnLayer(uint8_t layer, int32_t e) { return OnOwnLayer(layer) ? Corner2X(e) : 0; }
int32_t TPCBObject::Corner2YOnLayer(uint8_t layer, int32_t e) { return OnOwnLayer(layer) ? Corner2Y(e) : 0; }
int32_t TPCBObject::Corner3XOnLayer(uint8_t layer, int32_t e) { return OnOwnLayer(layer) ? Corner3X(e) : 0; }
int32_t TPCBObject::Corner3YOnLayer(uint8_t layer, int32_t e) { return OnOwnLayer(layer) ? Corner3Y(e) : 0; }
int32_t TPCBObject::Corner4XOnLayer(uint8_t layer, int32_t e) { return OnOwnLayer(layer) ? Corner4X(e) : 0; }
int32_t TPCBObject::Corner4YOnLayer(uint8_t layer, int32_t e) { return OnOwnLayer(layer) ? Corner4Y(e) : 0; }
int32_t TPCBObject::LineStartXOnLayer(uint8_t layer) { return OnOwnLayer(layer) ? X() : 0; }
int32_t TPCBObject::LineStartYOnLayer(uint8_t layer) { return OnOwnLayer(layer) ? Y() : 0; }
int32_t TPCBObject::LineEndXOnLayer(uint8_t layer) { return OnOwnLayer(layer) ? X2() : 0; }
int32_t TPCBObject::LineEndYOnLayer(uint8_t layer) { return OnOwnLayer(layer) ? Y2() : 0; }

TPcbComponentBody::TPcbComponentBody(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kComponentBodyObject; }
TPcbDifferentialPair::TPcbDifferentialPair(uint32_t handle) : TPCBObject(handle) {
    Common.ObjectKind = kDifferentialPairObject;
}

}  // namespace plz
