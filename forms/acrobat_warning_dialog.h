// The old-viewer warning as a form of the plug-in: read from its stored description, shown
// modally, and answering whether the user asked not to see it again.
#pragma once

#include <string>

#include "forms/form_with_help.h"

namespace plz::forms {

class TAcrobatReaderWarning : public TFormWithHelp {
public:
    std::string ClassName() const override { return "TAcrobatReaderWarning"; }
    // Whether "Don't show this again" is ticked.
    bool DontShowAgain();
};

// Puts the form's description into the framework's store (once).
void RegisterAcrobatReaderWarning();
// The warning, read and sized; the caller frees it.
TAcrobatReaderWarning* CreateAcrobatReaderWarning();
// Shows the warning modally; true when its check box was ticked. The dialog hook of the warning.
bool ShowAcrobatReaderWarning();

}  // namespace plz::forms
