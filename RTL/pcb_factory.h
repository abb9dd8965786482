// Makes the right mirror for any host handle, and reads an object's text through one.
#pragma once

#include <cstdint>
#include <memory>

#include "RTL/pcb_object.h"

namespace plz {

// The fetched mirror of the handle's object, owned by the caller; none for a kind without a class.
std::unique_ptr<TPCBObject> CreateObjectFromHandle(uint32_t handle);
// The Text of the handle's object; empty for handle 0 (without asking the host) and for a kind
// without a class.
ShortString<255> ObjectTextFromHandle(uint32_t handle);

}  // namespace plz
