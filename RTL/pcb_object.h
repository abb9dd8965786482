// The base of every mirrored design object: the host handle, a packed copy of the fields every
// object shares, their exchange with the PCB editor, and the uniform property interface whose
// neutral defaults the object classes override for what they hold.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RTL/layers.h"
#include "platform/short_string.h"

namespace plz {

#pragma pack(push, 1)
// The fields every design object shares; the host writes and reads each through its address.
struct PcbObjectFields {
    uint32_t Handle = 0;
    uint8_t ObjectKind = 0;
    int32_t X = 0;
    int32_t Y = 0;
    uint16_t Flags = 0;
    uint8_t BitField2 = 0;
    uint16_t BitField3 = 0;
    uint16_t HostWord = 0;
    uint8_t HostByte = 0;
    int32_t HostInt1 = 0;
    int32_t HostInt2 = 0;
    uint32_t LayerId = 0;
};
#pragma pack(pop)
static_assert(sizeof(PcbObjectFields) == 33);
static_assert(offsetof(PcbObjectFields, Flags) == 13 && offsetof(PcbObjectFields, LayerId) == 29);

class TPCBObject {
public:
    explicit TPCBObject(uint32_t handle);
    virtual ~TPCBObject() = default;
    TPCBObject(const TPCBObject&) = delete;
    TPCBObject& operator=(const TPCBObject&) = delete;

    PcbObjectFields Common;

    // Exchanges the mirror's fields with the host; the status of the main query.
    virtual uint32_t Transfer(Direction direction);
    // The object's rectangle as the host computes it; the mirror's fields play no part.
    virtual uint32_t GetBoundingRect(int32_t& left, int32_t& bottom, int32_t& right, int32_t& top);
    // Moves the local copy only.
    virtual void MoveBy(int32_t dx, int32_t dy);
    virtual bool ImportFromUser();
    virtual uint32_t GraphicallyInvalidate();

    // Flag accessors. SetFlagsBit3 and SetFlagsBit8Clear store the whole mirror at once; the
    // others change the local copy.
    virtual bool Selected();
    virtual bool BitField2Bit4();
    virtual bool BitField2Bit0();
    virtual bool BitField2Bit1();
    virtual bool BitField2Bit3();
    virtual bool BitField2Bit5();
    virtual bool BitField2Bit6();
    virtual void SetSelected(bool value);
    virtual bool FlagsBit3();
    virtual void SetFlagsBit3(bool value);
    virtual bool FlagsBit8Clear();
    virtual void SetFlagsBit8Clear(bool value);
    virtual bool AnyBitField3Bit();
    virtual void SetBitField3Bits(bool value);
    virtual bool BitField3Bit1();
    virtual void SetBitField3Bit1(bool value);
    virtual bool BitField3Bit2();
    virtual void SetBitField3Bit2(bool value);
    virtual bool FlagsBit11();
    virtual void SetFlagsBit11(bool value);
    virtual bool FlagsBit13();
    virtual void SetFlagsBit13(bool value);
    virtual bool Flag1();
    virtual void SetFlag1(bool value);
    virtual bool Flag2();
    virtual void SetFlag2(bool value);
    virtual bool FlagsBit12();
    virtual void SetFlagsBit12(bool value);
    virtual bool FlagsBit14();
    virtual void SetFlagsBit14(bool value);
    virtual bool FlagsBit15();
    virtual void SetFlagsBit15(bool value);

    // Property getters.
    virtual uint32_t Handle();
    virtual uint8_t ObjectKind();
    virtual int32_t X();
    virtual int32_t Y();
    virtual int32_t X2();
    virtual int32_t Y2();
    virtual uint16_t Flags();
    virtual uint16_t HostWord();
    virtual uint8_t Layer();  // legacy layer number
    virtual uint8_t HostByte();
    virtual int32_t HostInt1();
    virtual int32_t HostInt2();
    virtual int32_t IntValue1();
    virtual int32_t IntValue2();
    virtual int32_t IntValue3();
    virtual int32_t IntValue4();
    virtual int32_t IntValue5();
    virtual int32_t IntValue6();
    virtual int32_t IntValue7();
    virtual int32_t IntValue8();
    virtual int32_t IntValue9();
    virtual int32_t IntValue10();
    virtual uint8_t ByteValue1();
    virtual uint8_t ByteValue2();
    virtual uint8_t ByteValue3();
    virtual ShortString<255> Name();
    virtual double Rotation();  // degrees
    virtual int32_t Width();
    virtual uint8_t Shape();
    virtual int32_t Size();
    virtual int32_t XSize();
    virtual int32_t YSize();
    virtual uint8_t ByteValue4();
    virtual uint8_t ByteValue5();
    virtual int32_t Radius();
    virtual double StartAngle();
    virtual double EndAngle();
    virtual int32_t LineWidth();
    virtual int32_t BoundsLeft();
    virtual int32_t BoundsBottom();
    virtual int32_t BoundsTop();
    virtual int32_t BoundsRight();
    virtual int32_t IntValue11();
    virtual uint8_t ByteValue6();
    virtual ShortString<255> Text();
    virtual uint8_t ByteValue7();
    virtual uint8_t ByteValue8();

    // Corners of the rectangle from (X, Y) to (X2, Y2), grown by the expansion on every side and
    // turned by Rotation about its centre.
    virtual int32_t Corner1X(int32_t expansion);
    virtual int32_t Corner1Y(int32_t expansion);
    virtual int32_t Corner2X(int32_t expansion);
    virtual int32_t Corner2Y(int32_t expansion);
    virtual int32_t Corner3X(int32_t expansion);
    virtual int32_t Corner3Y(int32_t expansion);
    virtual int32_t Corner4X(int32_t expansion);
    virtual int32_t Corner4Y(int32_t expansion);

    // Per-layer values: the object's own on its layer, 0 on any other.
    virtual int32_t SizeOnLayer(uint8_t layer);
    virtual int32_t XSizeOnLayer(uint8_t layer);
    virtual int32_t YSizeOnLayer(uint8_t layer);
    virtual uint8_t ShapeOnLayer(uint8_t layer);
    virtual int32_t WidthOnLayer(uint8_t layer);
    virtual int32_t Corner1XOnLayer(uint8_t layer, int32_t expansion);
    virtual int32_t Corner1YOnLayer(uint8_t layer, int32_t expansion);
    virtual int32_t Corner2XOnLayer(uint8_t layer, int32_t expansion);
    virtual int32_t Corner2YOnLayer(uint8_t layer, int32_t expansion);
    virtual int32_t Corner3XOnLayer(uint8_t layer, int32_t expansion);
    virtual int32_t Corner3YOnLayer(uint8_t layer, int32_t expansion);
    virtual int32_t Corner4XOnLayer(uint8_t layer, int32_t expansion);
    virtual int32_t Corner4YOnLayer(uint8_t layer, int32_t expansion);
    virtual int32_t LineStartXOnLayer(uint8_t layer);
    virtual int32_t LineStartYOnLayer(uint8_t layer);
    virtual int32_t LineEndXOnLayer(uint8_t layer);
    virtual int32_t LineEndYOnLayer(uint8_t layer);

    // Property setters; SetHandle re-points the mirror without a host call.
    virtual void SetHandle(uint32_t value);
    virtual void SetObjectKind(uint8_t value);
    virtual void SetX(int32_t value);
    virtual void SetY(int32_t value);
    virtual void SetX2(int32_t value);
    virtual void SetY2(int32_t value);
    virtual void SetFlags(uint16_t value);
    virtual void SetHostWord(uint16_t value);
    virtual void SetLayer(uint8_t value);
    virtual void SetHostByte(uint8_t value);
    virtual void SetHostInt1(int32_t value);
    virtual void SetHostInt2(int32_t value);
    virtual void SetIntValue1(int32_t value);
    virtual void SetIntValue2(int32_t value);
    virtual void SetIntValue3(int32_t value);
    virtual void SetIntValue4(int32_t value);
    virtual void SetIntValue5(int32_t value);
    virtual void SetIntValue6(int32_t value);
    virtual void SetIntValue7(int32_t value);
    virtual void SetIntValue8(int32_t value);
    virtual void SetIntValue9(int32_t value);
    virtual void SetIntValue10(int32_t value);
    virtual void SetByteValue1(uint8_t value);
    virtual void SetByteValue2(uint8_t value);
    virtual void SetByteValue3(uint8_t value);
    virtual void SetName(const ShortString<255>& value);
    virtual void SetRotation(double value);
    virtual void SetWidth(int32_t value);
    virtual void SetShape(uint8_t value);
    virtual void SetSize(int32_t value);
    virtual void SetXSize(int32_t value);
    virtual void SetYSize(int32_t value);
    virtual void SetByteValue4(uint8_t value);
    virtual void SetByteValue5(uint8_t value);
    virtual void SetRadius(int32_t value);
    virtual void SetStartAngle(double value);
    virtual void SetEndAngle(double value);
    virtual void SetLineWidth(int32_t value);
    virtual void SetIntValue11(int32_t value);
    virtual void SetByteValue6(uint8_t value);
    virtual void SetText(const ShortString<255>& value);
    virtual void SetByteValue7(uint8_t value);
    virtual void SetByteValue8(uint8_t value);

protected:
    // The two bit-field exchanges that begin every object's transfer.
    void TransferBitFields(Direction direction);

    // The corners of a w by h rectangle centred on (cx, cy), turned counter-clockwise by the
    // rotation in degrees, in the order (-w/2, -h/2), (+w/2, -h/2), (-w/2, +h/2), (+w/2, +h/2).
    // A rectangle of height 0 is not turned.
    struct Corners {
        double x[4];
        double y[4];
    };
    static Corners RectangleCorners(double cx, double cy, int64_t w, int64_t h, double rotation);

private:
    Corners ComputeCorners(int32_t expansion);
    bool OnOwnLayer(uint8_t layer);
    bool FlagsBit(int bit) const { return (Common.Flags >> bit) & 1; }
    void SetFlagsBit(int bit, bool value);
};

// Marks the group objects: components, nets, polygons and the like.
class TPcbGroupObject : public TPCBObject {
public:
    using TPCBObject::TPCBObject;
};

class TPcbComponentBody : public TPCBObject {
public:
    explicit TPcbComponentBody(uint32_t handle);
};

class TPcbDifferentialPair : public TPCBObject {
public:
    explicit TPcbDifferentialPair(uint32_t handle);
};

}  // namespace plz
