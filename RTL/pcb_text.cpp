// The text mirror's transfer and properties.
#include "RTL/pcb_text.h"

#include "RTL/pcb_api.h"
#include "RTL/units.h"

namespace plz {

TPcbText::TPcbText(uint32_t handle) : TPCBObject(handle) {
    Common.ObjectKind = kTextObject;
    Own.FontName = "Arial";
    Own.TrueTypeInt1 = MilsToInternal(20.0);
}

uint32_t TPcbText::Transfer(Direction direction) {
    const uint8_t d = WireDirection(direction);
    const uint32_t h = Common.Handle;
    TransferBitFields(direction);
    PcbApi_QueryText(d, h, &Common.Flags, &Common.HostWord, &Common.LayerId, &Common.HostInt1, &Common.HostByte,
                     &Common.HostInt2, &Common.X, &Common.Y, &Own.Size, &Own.IntValue11, &Own.Rotation,
                     &Own.ByteValue6, &Own.Text, &Own.Width, &Own.IntValue2, &Own.IntValue3);
    uint32_t status = PcbApi_QueryTrueTypeTextInfo(d, h, &Own.TrueTypeByte1, &Own.FontName, &Own.TrueTypeByte2,
                                                   &Own.TrueTypeByte3, &Own.TrueTypeByte4, &Own.TrueTypeInt1);
    // Asked in every direction, so that after a store it holds the host's display anew.
    PcbApi_GetDesignatorDisplayString(h, Own.DisplayText);
    uint8_t* barCode = Own.BarCodeBytes;
    if (PcbApi_QueryBarCodeTextInfo(d, h, &barCode[0], &barCode[1], &barCode[2], &barCode[3]) == 1) status = 1;
    return status;
}

ShortString<255> TPcbText::Text() { return ShortString<255>(Own.Text.View()); }

void TPcbText::SetText(const ShortString<255>& value) { Own.Text.Assign(value.View()); }

}  // namespace plz
