// The "Plazen" command: arranges the board's components in footprint groups.
#pragma once

#include "platform/abi.h"

namespace plz {

// The command's launch procedure: the host's context interface and the parameter text.
void ArrangeCommand(IUnknown* context, const char* parameters);

}  // namespace plz
