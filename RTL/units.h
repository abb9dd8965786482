// The internal coordinate unit, its conversions and the number-format settings per unit.
#pragma once

namespace plz {

// Reads the unit settings from the PCB editor's options through the host client; run at load.
void LoadUnitSettings();

}  // namespace plz
