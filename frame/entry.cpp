// The library's one export and its load and unload hooks.
#include "frame/plugin_interfaces.h"

PLZ_EXPORT plz::HRESULT PLZ_STDCALL ServerFactory(plz::IClient* /*client*/, plz::IServerModule** module) {
    if (module) *module = nullptr;
    return plz::E_UNEXPECTED;
}
