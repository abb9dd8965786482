// The PCB API table: the PCB editor module's entry points bound by name, and their forwarders.
#pragma once

namespace plz {

// Looks the PCB editor module up in the process and binds every entry point; run at load.
void BindPcbApi();

}  // namespace plz
