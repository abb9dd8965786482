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

void TPCBObject::SetFlagsBit(int bit, bool value) {
    const uint16_t mask = uint16_t(1u << bit);
    Common.Flags = value ? uint16_t(Common.Flags | mask) : uint16_t(Common.Flags & ~mask);
}

bool TPCBObject::Selected() { return FlagsBit(4); }
bool TPCBObject::BitField2Bit4() { return (Common.BitField2 >> 4) & 1; }
bool TPCBObject::BitField2Bit0() { return Common.BitField2 & 1; }
bool TPCBObject::BitField2Bit1() { return (Common.BitField2 >> 1) & 1; }
bool TPCBObject::BitField2Bit3() { return (Common.BitField2 >> 3) & 1; }
bool TPCBObject::BitField2Bit5() { return (Common.BitField2 >> 5) & 1; }
bool TPCBObject::BitField2Bit6() { return (Common.BitField2 >> 6) & 1; }
void TPCBObject::SetSelected(bool value) { SetFlagsBit(4, value); }
bool TPCBObject::FlagsBit3() { return FlagsBit(3); }
void TPCBObject::SetFlagsBit3(bool value) {
    SetFlagsBit(3, value);
    Transfer(Direction::Store);
}
bool TPCBObject::FlagsBit8Clear() { return !FlagsBit(8); }
void TPCBObject::SetFlagsBit8Clear(bool value) {
    SetFlagsBit(8, !value);
    Transfer(Direction::Store);
}
bool TPCBObject::AnyBitField3Bit() { return BitField3Bit1() || BitField3Bit2(); }
void TPCBObject::SetBitField3Bits(bool value) {
    SetBitField3Bit1(value);
    SetBitField3Bit2(value);
}
bool TPCBObject::BitField3Bit1() { return (Common.BitField3 >> 1) & 1; }
void TPCBObject::SetBitField3Bit1(bool value) {
    Common.BitField3 = value ? uint16_t(Common.BitField3 | 2u) : uint16_t(Common.BitField3 & ~2u);
}
bool TPCBObject::BitField3Bit2() { return (Common.BitField3 >> 2) & 1; }
void TPCBObject::SetBitField3Bit2(bool value) {
    Common.BitField3 = value ? uint16_t(Common.BitField3 | 4u) : uint16_t(Common.BitField3 & ~4u);
}
bool TPCBObject::FlagsBit11() { return FlagsBit(11); }
void TPCBObject::SetFlagsBit11(bool value) { SetFlagsBit(11, value); }
bool TPCBObject::FlagsBit13() { return FlagsBit(13); }
void TPCBObject::SetFlagsBit13(bool value) { SetFlagsBit(13, value); }
bool TPCBObject::Flag1() { return false; }
void TPCBObject::SetFlag1(bool) {}
bool TPCBObject::Flag2() { return false; }
void TPCBObject::SetFlag2(bool) {}
bool TPCBObject::FlagsBit12() { return FlagsBit(12); }
void TPCBObject::SetFlagsBit12(bool value) { SetFlagsBit(12, value); }
bool TPCBObject::FlagsBit14() { return FlagsBit(14); }
void TPCBObject::SetFlagsBit14(bool value) { SetFlagsBit(14, value); }
bool TPCBObject::FlagsBit15() { return FlagsBit(15); }
void TPCBObject::SetFlagsBit15(bool value) { SetFlagsBit(15, value); }

uint32_t TPCBObject::Handle() { return Common.Handle; }
uint8_t TPCBObject::ObjectKind() { return Common.ObjectKind; }
int32_t TPCBObject::X() { return Common.X; }
int32_t TPCBObject::Y() { return Common.Y; }
int32_t TPCBObject::X2() { return Common.X; }
int32_t TPCBObject::Y2() { return Common.Y; }
uint16_t TPCBObject::Flags() { return Common.Flags; }
uint16_t TPCBObject::HostWord() { return Common.HostWord; }
uint8_t TPCBObject::Layer() { return LayerIdToLayer(Common.LayerId); }
uint8_t TPCBObject::HostByte() { return Common.HostByte; }
int32_t TPCBObject::HostInt1() { return Common.HostInt1; }
int32_t TPCBObject::HostInt2() { return Common.HostInt2; }
int32_t TPCBObject::IntValue1() { return 0; }
int32_t TPCBObject::IntValue2() { return 0; }
int32_t TPCBObject::IntValue3() { return 0; }
int32_t TPCBObject::IntValue4() { return 0; }
int32_t TPCBObject::IntValue5() { return 0; }
int32_t TPCBObject::IntValue6() { return 0; }
int32_t TPCBObject::IntValue7() { return 0; }
int32_t TPCBObject::IntValue8() { return 0; }
int32_t TPCBObject::IntValue9() { return 0; }
int32_t TPCBObject::IntValue10() { return 0; }
uint8_t TPCBObject::ByteValue1() { return 0; }
uint8_t TPCBObject::ByteValue2() { return 0; }
uint8_t TPCBObject::ByteValue3() { return 0; }
ShortString<255> TPCBObject::Name() { return {}; }
double TPCBObject::Rotation() { return 0.0; }
int32_t TPCBObject::Width() { return 0; }
uint8_t TPCBObject::Shape() { return 0; }
int32_t TPCBObject::Size() { return 0; }
int32_t TPCBObject::XSize() { return Size(); }
int32_t TPCBObject::YSize() { return Size(); }
uint8_t TPCBObject::ByteValue4() { return 0; }
uint8_t TPCBObject::ByteValue5() { return 0; }
int32_t TPCBObject::Radius() { return 0; }
double TPCBObject::StartAngle() { return 0.0; }
double TPCBObject::EndAngle() { return 0.0; }
int32_t TPCBObject::LineWidth() { return 0; }

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

int32_t TPCBObject::IntValue11() { return 0; }
uint8_t TPCBObject::ByteValue6() { return 0; }
ShortString<255> TPCBObject::Text() { return {}; }
uint8_t TPCBObject::ByteValue7() { return 0; }
uint8_t TPCBObject::ByteValue8() { return 0; }

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

void TPCBObject::SetHandle(uint32_t value) { Common.Handle = value; }
void TPCBObject::SetObjectKind(uint8_t value) { Common.ObjectKind = value; }
void TPCBObject::SetX(int32_t value) { Common.X = value; }
void TPCBObject::SetY(int32_t value) { Common.Y = value; }
void TPCBObject::SetX2(int32_t) {}
void TPCBObject::SetY2(int32_t) {}
void TPCBObject::SetFlags(uint16_t value) { Common.Flags = value; }
void TPCBObject::SetHostWord(uint16_t value) { Common.HostWord = value; }
void TPCBObject::SetLayer(uint8_t value) { Common.LayerId = LayerToLayerId(value); }
void TPCBObject::SetHostByte(uint8_t value) { Common.HostByte = value; }
void TPCBObject::SetHostInt1(int32_t value) { Common.HostInt1 = value; }
void TPCBObject::SetHostInt2(int32_t value) { Common.HostInt2 = value; }
void TPCBObject::SetIntValue1(int32_t) {}
void TPCBObject::SetIntValue2(int32_t) {}
void TPCBObject::SetIntValue3(int32_t) {}
void TPCBObject::SetIntValue4(int32_t) {}
void TPCBObject::SetIntValue5(int32_t) {}
void TPCBObject::SetIntValue6(int32_t) {}
void TPCBObject::SetIntValue7(int32_t) {}
void TPCBObject::SetIntValue8(int32_t) {}
void TPCBObject::SetIntValue9(int32_t) {}
void TPCBObject::SetIntValue10(int32_t) {}
void TPCBObject::SetByteValue1(uint8_t) {}
void TPCBObject::SetByteValue2(uint8_t) {}
void TPCBObject::SetByteValue3(uint8_t) {}
void TPCBObject::SetName(const ShortString<255>&) {}
void TPCBObject::SetRotation(double) {}
void TPCBObject::SetWidth(int32_t) {}
void TPCBObject::SetShape(uint8_t) {}
void TPCBObject::SetSize(int32_t) {}
void TPCBObject::SetXSize(int32_t) {}
void TPCBObject::SetYSize(int32_t) {}
void TPCBObject::SetByteValue4(uint8_t) {}
void TPCBObject::SetByteValue5(uint8_t) {}
void TPCBObject::SetRadius(int32_t) {}
void TPCBObject::SetStartAngle(double) {}
void TPCBObject::SetEndAngle(double) {}
void TPCBObject::SetLineWidth(int32_t) {}
void TPCBObject::SetIntValue11(int32_t) {}
void TPCBObject::SetByteValue6(uint8_t) {}
void TPCBObject::SetText(const ShortString<255>&) {}
void TPCBObject::SetByteValue7(uint8_t) {}
void TPCBObject::SetByteValue8(uint8_t) {}

TPcbComponentBody::TPcbComponentBody(uint32_t handle) : TPCBObject(handle) { Common.ObjectKind = kComponentBodyObject; }
TPcbDifferentialPair::TPcbDifferentialPair(uint32_t handle) : TPCBObject(handle) {
    Common.ObjectKind = kDifferentialPairObject;
}

}  // namespace plz
