// The warning shown before a PDF manual opens in an old Acrobat viewer that cannot go to a page,
// and its switch: "EnableAcrobatVersionPopup" under the forms registry key (the host's settings key
// + "\Forms"), absent meaning on.
#pragma once

#include <string>

namespace plz::forms {

inline constexpr const char* kAcrobatWarningSwitch = "EnableAcrobatVersionPopup";

// Shows the warning dialog modally and answers whether its "Don't show this again" box was
// ticked. The form framework supplies it; while none is set the warning is not shown.
using AcrobatWarningDialog = bool (*)();
void SetAcrobatWarningDialog(AcrobatWarningDialog dialog);

bool AcrobatWarningEnabled();
// Writes the switch off, creating the key when needed.
void DisableAcrobatWarning();
// The warning: when switched on, the dialog; ticked, the switch goes off.
void ShowAcrobatWarning();

}  // namespace plz::forms
