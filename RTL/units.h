// The internal coordinate unit (10000 to the mil), its conversions, and the number-format
// settings per display unit that the PCB editor's options decide.
#pragma once

#include <cmath>
#include <cstdint>

namespace plz {

inline constexpr uint8_t kUnitMillimetres = 0;
inline constexpr uint8_t kUnitMils = 1;
inline constexpr double kInternalUnitsPerMil = 10000.0;

// Sets the fractional digits of a unit (millimetres 3 to 5, mils 3 to 4, clamped) and its scale,
// 10 to that power; returns the previous count. Any other unit raises EAssertionFailed.
int32_t SetUnitDigits(uint8_t unit, int32_t digits);
int32_t UnitDigits(uint8_t unit);
int32_t UnitScale(uint8_t unit);

// Reads the unit settings from the PCB editor's options through the host client; run at load.
void LoadUnitSettings();

// The nearest integer, halves to even (the default rounding mode), as its low 32 bits; 0 for a
// value that is no number.
inline int32_t RoundToInt32(double value) {
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded)) return 0;
    double low = std::fmod(rounded, 4294967296.0);  // exact, also beyond 64 bits
    if (low < 0) low += 4294967296.0;
    return static_cast<int32_t>(static_cast<uint32_t>(low));
}

inline double MilsToInternalReal(double mils) { return mils * kInternalUnitsPerMil; }
// Mils to internal units, rounded.
inline int32_t MilsToInternal(double mils) { return RoundToInt32(MilsToInternalReal(mils)); }

// The factor carried in extended precision, as the editor computes it.
inline double DegreesToRadians(double degrees) {
    return static_cast<double>(static_cast<long double>(degrees) * 0.017453292519943295769L);
}

}  // namespace plz
