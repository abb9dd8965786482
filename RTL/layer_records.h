// Records of the board's layer stack: one per layer (internal planes with their net), and one per
// drill layer pair.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RTL/layers.h"
#include "RTL/pcb_object.h"
#include "platform/short_string.h"

namespace plz {

#pragma pack(push, 1)
struct LayerFields {
    uint32_t BoardHandle = 0;
    uint8_t Layer = 0;  // legacy layer number
    ShortString<255> Name;
    int32_t CopperThickness = 14000;  // 1.4 mil
    ShortString<255> DielectricMaterial{"FR-4"};
    uint8_t DielectricType = 1;
    double DielectricConstant = 4.8;
    int32_t DielectricHeight = 126000;  // 12.6 mil
    uint8_t HostLayerByte1 = 0;
    uint8_t HostLayerByte2 = 0;
    uint8_t PreviousLayer = 0;  // the layer above in the stack; 0 for none
    uint8_t NextLayer = 0;      // the layer below; 0 for none
    uint16_t HostLayerWord = 0;
};
#pragma pack(pop)
static_assert(offsetof(LayerFields, CopperThickness) == 261 && offsetof(LayerFields, DielectricHeight) == 530);
static_assert(sizeof(LayerFields) == 540);

// One layer of the board's stack, tied to the board's handle and its legacy number.
class TLayerObject {
public:
    TLayerObject(uint32_t boardHandle, uint8_t layer);
    virtual ~TLayerObject() = default;
    TLayerObject(const TLayerObject&) = delete;
    TLayerObject& operator=(const TLayerObject&) = delete;

    LayerFields Own;

    // The status of the layer query.
    virtual uint32_t Transfer(Direction direction);

protected:
    void TransferDielectric(Direction direction);
};

// An internal plane (legacy layers 39 to 54) and the net connected to it.
class TInternalPlane : public TLayerObject {
public:
    TInternalPlane(uint32_t boardHandle, uint8_t layer);

    ShortString<255> NetName{"(No Net)"};

    uint32_t Transfer(Direction direction) override;
};

// A drill layer pair of the board; its name is set by the board.
#pragma pack(push, 1)
class TPcblayerPair {
public:
    TPcblayerPair();

    ShortString<255> Name;
    uint32_t FirstLayerId = 0;
    uint32_t SecondLayerId = 0;
    uint8_t HostPairByte1 = 0;
    uint8_t HostPairByte2 = 0;

    uint8_t FirstLayer() const { return LayerIdToLayer(FirstLayerId); }
    uint8_t SecondLayer() const { return LayerIdToLayer(SecondLayerId); }
    void SetFirstLayer(uint8_t layer) { FirstLayerId = LayerToLayerId(layer); }
    void SetSecondLayer(uint8_t layer) { SecondLayerId = LayerToLayerId(layer); }
};
#pragma pack(pop)
static_assert(sizeof(TPcblayerPair) == 266);

}  // namespace plz
