// Plays the user of modal forms on every platform: while a modal loop waits for input, the form
// shown last is noted ("Caption: message") and answered with its default button, else cancelled.
#pragma once

#include <string>
#include <vector>

#include "platform/os.h"
#include "ui/message_dialog.h"

namespace plz::test {

inline std::vector<std::string>& AnsweredDialogs() {
    static std::vector<std::string> dialogs;
    return dialogs;
}

inline bool AnswerModalForm(bool wait) {
    // Messages already queued come first, as the user acts only when the form waits.
    if (os::native::PumpMessage(false) || !wait) return true;
    ui::TForm* form = ui::ActiveModalForm();
    if (!form) return false;
    auto* dialog = dynamic_cast<ui::TMessageForm*>(form);
    AnsweredDialogs().push_back(form->Caption() + ": " + (dialog ? dialog->Message() : std::string()));
    if (ui::TControl* b = form->DefaultButton())
        b->Click();
    else
        form->SetModalResult(ui::mrCancel);
    return true;
}

// For a scope: modal forms are answered (and noted) instead of waiting for a user.
struct AnswerDialogs {
    AnswerDialogs() { AnsweredDialogs().clear(); }
    os::ScopedOverride<bool(bool)> pump{os::calls().PumpMessage, &AnswerModalForm};
};

}  // namespace plz::test
