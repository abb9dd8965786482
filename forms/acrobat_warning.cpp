// The old-viewer warning and its switch.
#include "forms/acrobat_warning.h"

#include "client/paths.h"
#include "platform/os.h"

namespace plz::forms {
namespace {
constinit AcrobatWarningDialog g_dialog = nullptr;

std::string FormsKey() { return GetPreferenceRegistryKey() + "\\Forms"; }
}  // namespace

void SetAcrobatWarningDialog(AcrobatWarningDialog dialog) { g_dialog = dialog; }

bool AcrobatWarningEnabled() {
    os::RegistryKey key = os::calls().RegistryOpen(os::RegistryRoot::CurrentUser, FormsKey());
    if (!key) return true;
    uint32_t value = 1;
    bool stored = os::calls().RegistryReadDword(key, kAcrobatWarningSwitch, &value);
    os::calls().RegistryClose(key);
    return !stored || value != 0;
}

void DisableAcrobatWarning() {
    os::RegistryKey key = os::calls().RegistryCreate(os::RegistryRoot::CurrentUser, FormsKey());
    if (!key) return;
    os::calls().RegistryWriteDword(key, kAcrobatWarningSwitch, 0);
    os::calls().RegistryClose(key);
}

void ShowAcrobatWarning() {
    if (!g_dialog || !AcrobatWarningEnabled()) return;
    if (g_dialog()) DisableAcrobatWarning();
}

}  // namespace plz::forms
