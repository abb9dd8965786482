// The base of every mirrored design object: the host handle, a packed copy of the fields every
// object shares, their exchange with the PCB editor, and the uniform property interface whose
// neutral defaults the object classes override for what they hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

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

// The flag accessors, in their order. Each row is a form and its arguments:
//   Read (name, field, bit)      reads a bit of a shared field;
//   Write (name, field, bit)     Set<name> changes that bit in the local copy;
//   Local (name, field, bit)     both;
//   Neutral (name)               answers false; the setter ignores the value;
//   Custom (getter, setter)      written out with the class: SetFlagsBit3 and SetFlagsBit8Clear
//                                store the whole mirror at once.
#define PLZ_PCB_OBJECT_FLAGS(ENTRY)                  \
    ENTRY(Read, Selected, Flags, 4)                  \
    ENTRY(Read, BitField2Bit4, BitField2, 4)         \
    ENTRY(Read, BitField2Bit0, BitField2, 0)         \
    ENTRY(Read, BitField2Bit1, BitField2, 1)         \
    ENTRY(Read, BitField2Bit3, BitField2, 3)         \
    ENTRY(Read, BitField2Bit5, BitField2, 5)         \
    ENTRY(Read, BitField2Bit6, BitField2, 6)         \
    ENTRY(Write, Selected, Flags, 4)                 \
    ENTRY(Custom, FlagsBit3, SetFlagsBit3)           \
    ENTRY(Custom, FlagsBit8Clear, SetFlagsBit8Clear) \
    ENTRY(Custom, AnyBitField3Bit, SetBitField3Bits) \
    ENTRY(Local, BitField3Bit1, BitField3, 1)        \
    ENTRY(Local, BitField3Bit2, BitField3, 2)        \
    ENTRY(Local, FlagsBit11, Flags, 11)              \
    ENTRY(Local, FlagsBit13, Flags, 13)              \
    ENTRY(Neutral, Flag1)                            \
    ENTRY(Neutral, Flag2)                            \
    ENTRY(Local, FlagsBit12, Flags, 12)              \
    ENTRY(Local, FlagsBit14, Flags, 14)              \
    ENTRY(Local, FlagsBit15, Flags, 15)

// The properties, in the order of their getters; the setters, named Set<name>, follow in the same
// order. The form says what the base does:
//   Field      reads and writes the shared field of the same name;
//   Neutral    answers 0, false or empty; the setter ignores the value;
//   Computed   the getter is written out with the class; the setter ignores the value;
//   Custom     getter and setter are written out with the class;
//   ReadOnly   the getter is written out with the class, and there is no setter.
// Layer is a legacy layer number; Rotation and the angles are in degrees.
#define PLZ_PCB_OBJECT_PROPERTIES(ENTRY)   \
    ENTRY(Field, uint32_t, Handle)         \
    ENTRY(Field, uint8_t, ObjectKind)      \
    ENTRY(Field, int32_t, X)               \
    ENTRY(Field, int32_t, Y)               \
    ENTRY(Computed, int32_t, X2)           \
    ENTRY(Computed, int32_t, Y2)           \
    ENTRY(Field, uint16_t, Flags)          \
    ENTRY(Field, uint16_t, HostWord)       \
    ENTRY(Custom, uint8_t, Layer)          \
    ENTRY(Field, uint8_t, HostByte)        \
    ENTRY(Field, int32_t, HostInt1)        \
    ENTRY(Field, int32_t, HostInt2)        \
    ENTRY(Neutral, int32_t, IntValue1)     \
    ENTRY(Neutral, int32_t, IntValue2)     \
    ENTRY(Neutral, int32_t, IntValue3)     \
    ENTRY(Neutral, int32_t, IntValue4)     \
    ENTRY(Neutral, int32_t, IntValue5)     \
    ENTRY(Neutral, int32_t, IntValue6)     \
    ENTRY(Neutral, int32_t, IntValue7)     \
    ENTRY(Neutral, int32_t, IntValue8)     \
    ENTRY(Neutral, int32_t, IntValue9)     \
    ENTRY(Neutral, int32_t, IntValue10)    \
    ENTRY(Neutral, uint8_t, ByteValue1)    \
    ENTRY(Neutral, uint8_t, ByteValue2)    \
    ENTRY(Neutral, uint8_t, ByteValue3)    \
    ENTRY(Neutral, ShortString<255>, Name) \
    ENTRY(Neutral, double, Rotation)       \
    ENTRY(Neutral, int32_t, Width)         \
    ENTRY(Neutral, uint8_t, Shape)         \
    ENTRY(Neutral, int32_t, Size)          \
    ENTRY(Computed, int32_t, XSize)        \
    ENTRY(Computed, int32_t, YSize)        \
    ENTRY(Neutral, uint8_t, ByteValue4)    \
    ENTRY(Neutral, uint8_t, ByteValue5)    \
    ENTRY(Neutral, int32_t, Radius)        \
    ENTRY(Neutral, double, StartAngle)     \
    ENTRY(Neutral, double, EndAngle)       \
    ENTRY(Neutral, int32_t, LineWidth)     \
    ENTRY(ReadOnly, int32_t, BoundsLeft)   \
    ENTRY(ReadOnly, int32_t, BoundsBottom) \
    ENTRY(ReadOnly, int32_t, BoundsTop)    \
    ENTRY(ReadOnly, int32_t, BoundsRight)  \
    ENTRY(Neutral, int32_t, IntValue11)    \
    ENTRY(Neutral, uint8_t, ByteValue6)    \
    ENTRY(Neutral, ShortString<255>, Text) \
    ENTRY(Neutral, uint8_t, ByteValue7)    \
    ENTRY(Neutral, uint8_t, ByteValue8)

// How a setter takes its value: numbers by value, strings by reference.
template <class T>
using PropertyValue = std::conditional_t<std::is_scalar_v<T>, T, const T&>;

#define PLZ_PCB_FLAG_DECLARE(form, ...) PLZ_PCB_FLAG_DECLARE_##form(__VA_ARGS__)
#define PLZ_PCB_FLAG_DECLARE_Read(name, field, bit) virtual bool name();
#define PLZ_PCB_FLAG_DECLARE_Write(name, field, bit) virtual void Set##name(bool value);
#define PLZ_PCB_FLAG_DECLARE_Local(name, field, bit) virtual bool name(); virtual void Set##name(bool value);
#define PLZ_PCB_FLAG_DECLARE_Neutral(name) virtual bool name(); virtual void Set##name(bool value);
#define PLZ_PCB_FLAG_DECLARE_Custom(getter, setter) virtual bool getter(); virtual void setter(bool value);
#define PLZ_PCB_GETTER_DECLARE(form, type, name) virtual type name();
#define PLZ_PCB_SETTER_DECLARE(form, type, name) PLZ_PCB_SETTER_DECLARE_##form(type, name)
#define PLZ_PCB_SETTER_DECLARE_Field(type, name) virtual void Set##name(PropertyValue<type> value);
#define PLZ_PCB_SETTER_DECLARE_Neutral PLZ_PCB_SETTER_DECLARE_Field
#define PLZ_PCB_SETTER_DECLARE_Computed PLZ_PCB_SETTER_DECLARE_Field
#define PLZ_PCB_SETTER_DECLARE_Custom PLZ_PCB_SETTER_DECLARE_Field
#define PLZ_PCB_SETTER_DECLARE_ReadOnly(type, name)

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

    // Flag accessors, in the order of the list above.
    PLZ_PCB_OBJECT_FLAGS(PLZ_PCB_FLAG_DECLARE)

    // Property getters, in the order of the list above.
    PLZ_PCB_OBJECT_PROPERTIES(PLZ_PCB_GETTER_DECLARE)

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

    // Property setters, in the same order, without the read-only ones; SetHandle re-points the
    // mirror without a host call.
    PLZ_PCB_OBJECT_PROPERTIES(PLZ_PCB_SETTER_DECLARE)

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
};

#undef PLZ_PCB_SETTER_DECLARE_ReadOnly
#undef PLZ_PCB_SETTER_DECLARE_Custom
#undef PLZ_PCB_SETTER_DECLARE_Computed
#undef PLZ_PCB_SETTER_DECLARE_Neutral
#undef PLZ_PCB_SETTER_DECLARE_Field
#undef PLZ_PCB_SETTER_DECLARE
#undef PLZ_PCB_GETTER_DECLARE
#undef PLZ_PCB_FLAG_DECLARE_Custom
#undef PLZ_PCB_FLAG_DECLARE_Neutral
#undef PLZ_PCB_FLAG_DECLARE_Local
#undef PLZ_PCB_FLAG_DECLARE_Write
#undef PLZ_PCB_FLAG_DECLARE_Read
#undef PLZ_PCB_FLAG_DECLARE

// In a mirror class: a property whose getter and setter read and write the field of the same name
// in the class's own record, and one that the class only reads.
#define PLZ_PCB_OWN_PROPERTY(type, name)      \
    type name() override { return Own.name; } \
    void Set##name(type value) override { Own.name = value; }
#define PLZ_PCB_OWN_GETTER(type, name) type name() override { return Own.name; }

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
