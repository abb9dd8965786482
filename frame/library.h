// The library's load and unload sequences: the initialisation of the plug-in's units in their
// fixed order, and their finalisation in reverse.
#pragma once

namespace plz {

// Runs every load step in order. A failing step is skipped and the others still run, so that the
// host can load the plug-in; false when a step failed. Never throws.
bool LoadLibraryUnits() noexcept;
// The finalisations in reverse order. Never throws.
void UnloadLibraryUnits() noexcept;

}  // namespace plz
