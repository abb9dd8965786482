// The load sequence, one step per unit in fixed order, and the unload sequence in reverse. The
// composition root: it reaches every subsystem's start-up.
#include "frame/library.h"

#include "RTL/pcb_api.h"
#include "RTL/units.h"
#include "client/client_api.h"
#include "client/paths.h"
#include "forms/exception_reporting.h"
#include "forms/forms_support.h"
#include "forms/help_viewer.h"
#include "frame/errors.h"
#include "frame/parameters.h"
#include "platform/os.h"

namespace plz {
namespace {

template <typename Step>
bool Run(Step step) noexcept {
    try {
        step();
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

bool LoadLibraryUnits() noexcept {
    bool ok = true;
    // The virtual-file-system entry points.
    ok &= Run(BindVfsAPI);
    // Parameter texts: nothing to do at load.
    // Messages and paths: the two cursor entry points.
    ok &= Run(BindCursorAPI);
    // The Client API table and CurrentClient from ClientAPI_GetClientInterface.
    ok &= Run(SetCurrentClientFromHost);
    // The error-information hook; the library wants no thread start and end notifications.
    ok &= Run([] {
        InstallRaiseHook();
        os::calls().DisableThreadNotifications(os::calls().OwnModule());
    });
    // Forms, help and localisation: the exception reporting to the host, then the forms support.
    ok &= Run(forms::InstallExceptionReporting);
    ok &= Run(forms::StartFormsSupport);
    // The PCB editor's unit settings and entry points.
    ok &= Run(LoadUnitSettings);
    ok &= Run(BindPcbApi);
    return ok;
}

void UnloadLibraryUnits() noexcept {
    Run(forms::StopFormsSupport);
    Run(forms::UnloadHelpLibrary);
    Run(forms::RemoveExceptionReporting);
    Run(RemoveRaiseHook);
    Run(FreePathCaches);
    Run(FreeParameterCache);
}

}  // namespace plz
