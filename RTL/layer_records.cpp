// Layer records: their defaults and their exchanges with the host.
#include "RTL/layer_records.h"

#include "RTL/pcb_api.h"

namespace plz {

TLayerObject::TLayerObject(uint32_t boardHandle, uint8_t layer) {
    Own.BoardHandle = boardHandle;
    Own.Layer = layer;
    Own.Name = layer < kLegacyLayerCount ? kLayerNames[layer] : std::string_view();
}

void TLayerObject::TransferDielectric(Direction direction) {
    PcbApi_QueryLayerDielectric(WireDirection(direction), Own.Layer, Own.BoardHandle, &Own.DielectricMaterial,
                                &Own.DielectricType, &Own.DielectricConstant, &Own.DielectricHeight);
}

uint32_t TLayerObject::Transfer(Direction direction) {
    const uint32_t status =
        PcbApi_QueryLayer(WireDirection(direction), Own.Layer, Own.BoardHandle, &Own.Name, &Own.CopperThickness,
                          &Own.HostLayerByte1, &Own.HostLayerByte2, &Own.PreviousLayer, &Own.NextLayer,
                          &Own.HostLayerWord);
    TransferDielectric(direction);
    return status;
}

TInternalPlane::TInternalPlane(uint32_t boardHandle, uint8_t layer) : TLayerObject(boardHandle, layer) {}

uint32_t TInternalPlane::Transfer(Direction direction) {
    const uint32_t status = PcbApi_QueryInternalPlane(WireDirection(direction), Own.Layer, Own.BoardHandle,
                                                      &Own.Name, &Own.CopperThickness, &Own.HostLayerByte1,
                                                      &Own.HostLayerByte2, &Own.PreviousLayer, &Own.NextLayer,
                                                      &NetName);
    TransferDielectric(direction);
    return status;
}

TPcblayerPair::TPcblayerPair() {
    SetSecondLayer(kNoLayer);
    SetFirstLayer(kNoLayer);
}

}  // namespace plz
