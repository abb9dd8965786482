// The framework's message dialog (a form of class TMessageForm, read from its stored description
// so that its texts pass the same translation as any form's), and the message and error boxes
// built on it.
#pragma once

#include <cstdint>
#include <string>

#include "client/messages.h"
#include "ui/form.h"

namespace plz::ui {

// Buttons, as bits of a set: {OK} is 1 << kMbOk = 4.
enum MessageButton : int { kMbYes, kMbNo, kMbOk, kMbCancel, kMbAbort, kMbRetry, kMbIgnore, kMbAll,
                           kMbNoToAll, kMbYesToAll, kMbHelp };

class TMessageForm : public TForm {
public:
    std::string ClassName() const override { return "TMessageForm"; }
    // The message's text.
    const std::string& Message() const { return message_; }
    // Fills in the message, icon and buttons and lays the dialog out.
    void Prepare(const std::string& message, MessageKind kind, int buttons);

private:
    std::string message_;
};

// A message dialog for `message` of `kind` with the buttons of `buttons`, captioned after its
// kind; the caller frees it.
TMessageForm* CreateMessageDialog(const std::string& message, MessageKind kind, int buttons);

// The message box: in test mode one line on standard output and the process ends with exit code
// 1; otherwise the dialog, captioned `caption`, shown modally. Returns its modal result.
int ShowDialogWithCaption(const std::string& caption, const std::string& message, MessageKind kind, int buttons);
// The error box, captioned "Error" when caption is empty.
int ShowErrorMessage(const std::string& message, const std::string& caption = {});

}  // namespace plz::ui
