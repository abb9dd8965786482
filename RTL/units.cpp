// Unit settings (placeholder until the layer and unit vocabulary lands).
#include "RTL/units.h"

namespace plz {
void LoadUnitSettings() {}
}  // namespace plz
