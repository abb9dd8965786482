// The "Plazen" command (does nothing until the arranger lands).
#include "arranger/arrange_command.h"

namespace plz {
void ArrangeCommand(IUnknown*, const char*) {}
}  // namespace plz
