// The conversions between 8-bit legacy layer numbers and 32-bit layer identifiers with their
// extended forms (the numbers and names themselves are wire declarations, in pcb_wire.h).
#pragma once

#include <cstdint>

#include "RTL/pcb_wire.h"
#include "frame/errors.h"

namespace plz {

// Raised when a layer identifier cannot be made.
class ELayerException : public Exception {
public:
    using Exception::Exception;
};

// Legacy number to identifier; numbers above 82 give 0.
LayerId LayerToLayerId(uint8_t layer);
// Identifier to legacy number; layers beyond the legacy range fold onto the last legacy layer of
// their kind. Raises EAssertionFailed for an identifier of no known partition.
uint8_t LayerIdToLayer(LayerId id);

// Identifier of the N-th signal layer (65535: the bottom layer), internal plane or mechanical
// layer; ELayerException when N is out of range.
LayerId SignalLayerId(uint32_t n);
LayerId InternalPlaneLayerId(uint32_t n);
LayerId MechanicalLayerId(uint32_t n);

// The two steps of LayerIdToLayer: the layer class (0 none, 1 top, 2 other signal, 3 bottom,
// 4 plane, 5 mechanical, 6 to 23 the other legacy layers) and the number within the class.
uint8_t LayerIdClass(LayerId id);
int32_t LayerIdNumber(LayerId id);

}  // namespace plz
