// PCB API binding (placeholder until the binding table lands).
#include "RTL/pcb_api_calls.h"
#include "RTL/pcb_api.h"

namespace plz {
void BindPcbApi() {}
}  // namespace plz
