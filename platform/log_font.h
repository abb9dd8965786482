// The platform's 60-byte logical font description (8-bit face name): what the host's font
// services and the window system exchange.
#pragma once

#include <cstdint>

namespace plz {

#pragma pack(push, 1)
struct LogFontA {
    int32_t Height;  // negative: character height in pixels; positive: cell height
    int32_t Width;
    int32_t Escapement;
    int32_t Orientation;
    int32_t Weight;  // 400 normal, 700 bold
    uint8_t Italic;
    uint8_t Underline;
    uint8_t StrikeOut;
    uint8_t CharSet;
    uint8_t OutPrecision;
    uint8_t ClipPrecision;
    uint8_t Quality;
    uint8_t PitchAndFamily;
    char FaceName[32];
};
#pragma pack(pop)
static_assert(sizeof(LogFontA) == 60);

}  // namespace plz
