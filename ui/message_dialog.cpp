// The message dialog: its stored description (every button it can offer), the layout for one
// message, and the message and error boxes.
#include "ui/message_dialog.h"

#include <algorithm>
#include <memory>

#include "platform/os.h"
#include "ui/reader.h"
#include "ui/std_controls.h"

namespace plz::ui {
namespace {

// Buttons in the order they appear, with their component names.
constexpr struct {
    MessageButton button;
    const char* name;
} kButtons[] = {{kMbYes, "Yes"},     {kMbNo, "No"},       {kMbOk, "OK"},         {kMbCancel, "Cancel"},
                {kMbAbort, "Abort"}, {kMbRetry, "Retry"}, {kMbIgnore, "Ignore"}, {kMbAll, "All"},
                {kMbNoToAll, "NoToAll"}, {kMbYesToAll, "YesToAll"}, {kMbHelp, "Help"}};

constexpr const char* kDescription = R"json({
  "class": "TMessageForm",
  "properties": { "BorderStyle": "bsDialog", "Position": "poScreenCenter",
                  "Font": { "Name": "Tahoma", "Size": 8 } },
  "components": [
    { "class": "TImage", "name": "Image", "properties": { "Left": 12, "Top": 12, "Width": 32, "Height": 32 } },
    { "class": "TLabel", "name": "Message", "properties": { "Left": 56, "Top": 12 } },
    { "class": "TButton", "name": "Yes", "properties": { "Caption": "&Yes", "ModalResult": 6 } },
    { "class": "TButton", "name": "No", "properties": { "Caption": "&No", "ModalResult": 7 } },
    { "class": "TButton", "name": "OK", "properties": { "Caption": "OK", "ModalResult": 1 } },
    { "class": "TButton", "name": "Cancel", "properties": { "Caption": "Cancel", "ModalResult": 2 } },
    { "class": "TButton", "name": "Abort", "properties": { "Caption": "&Abort", "ModalResult": 3 } },
    { "class": "TButton", "name": "Retry", "properties": { "Caption": "&Retry", "ModalResult": 4 } },
    { "class": "TButton", "name": "Ignore", "properties": { "Caption": "&Ignore", "ModalResult": 5 } },
    { "class": "TButton", "name": "All", "properties": { "Caption": "&All", "ModalResult": 8 } },
    { "class": "TButton", "name": "NoToAll", "properties": { "Caption": "N&o to All", "ModalResult": 9 } },
    { "class": "TButton", "name": "YesToAll", "properties": { "Caption": "Yes to &All", "ModalResult": 10 } },
    { "class": "TButton", "name": "Help", "properties": { "Caption": "&Help" } }
  ]
})json";

const char* CaptionOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return "Warning";
        case MessageKind::Error: return "Error";
        case MessageKind::Information: return "Information";
        case MessageKind::Confirmation: return "Confirm";
        default: return "";
    }
}

const char* IconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning: return "Warning";
        case MessageKind::Error: return "Error";
        case MessageKind::Information: return "Information";
        case MessageKind::Confirmation: return "Confirmation";
        default: return "";
    }
}

constexpr int32_t kMargin = 12, kButtonWidth = 75, kButtonHeight = 25, kButtonGap = 8;

}  // namespace

void TMessageForm::Prepare(const std::string& message, MessageKind kind, int buttons) {
    message_ = message;
    SetCaption(CaptionOf(kind));
    if (buttons == 0) buttons = 1 << kMbOk;

    auto* image = dynamic_cast<TImage*>(FindComponent("Image"));
    auto* text = dynamic_cast<TLabel*>(FindComponent("Message"));
    if (!image || !text) throw Exception("The message dialog's description lacks its image or text");
    image->SetPicture(IconOf(kind));
    image->SetVisible(!image->Picture().empty());

    std::vector<TButton*> shown;
    TButton* byButton[std::size(kButtons)] = {};
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        auto* b = dynamic_cast<TButton*>(FindComponent(kButtons[i].name));
        if (!b) continue;
        const bool wanted = (buttons >> kButtons[i].button) & 1;
        b->SetVisible(wanted);
        b->SetDefault(false);
        b->SetCancel(false);
        if (wanted) shown.push_back(b), byButton[i] = b;
    }
    auto find = [&](MessageButton which) {
        for (size_t i = 0; i < std::size(kButtons); ++i)
            if (kButtons[i].button == which) return byButton[i];
        return static_cast<TButton*>(nullptr);
    };
    TButton* def = find(kMbOk) ? find(kMbOk) : find(kMbYes) ? find(kMbYes) : shown.empty() ? nullptr : shown.front();
    TButton* cancel = find(kMbCancel) ? find(kMbCancel) : find(kMbNo) ? find(kMbNo) : shown.size() == 1 ? shown.front() : nullptr;
    if (def) def->SetDefault(true);
    if (cancel) cancel->SetCancel(true);

    const int32_t textLeft = image->Visible() ? image->Left() + image->Width() + kMargin : kMargin;
    const os::Point extent = os::calls().TextExtent(text->Font().ToLogFont(), message);
    text->SetCaption(message);
    text->SetBounds(textLeft, kMargin, extent.x + 4, extent.y);
    const int32_t buttonsWidth = int32_t(shown.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int32_t clientWidth = std::max({textLeft + extent.x + 4 + kMargin, buttonsWidth + 2 * kMargin, 240});
    const int32_t contentBottom = std::max(text->Top() + extent.y, image->Visible() ? image->Top() + image->Height() : 0);
    const int32_t buttonTop = contentBottom + 16;
    int32_t x = (clientWidth - buttonsWidth) / 2;
    for (TButton* b : shown) {
        b->SetBounds(x, buttonTop, kButtonWidth, kButtonHeight);
        x += kButtonWidth + kButtonGap;
    }
    SetClientSize(clientWidth, buttonTop + kButtonHeight + kMargin);
}

TMessageForm* CreateMessageDialog(const std::string& message, MessageKind kind, int buttons) {
    if (!FindFormDescription("TMessageForm")) RegisterFormDescription("TMessageForm", kDescription);
    std::unique_ptr<TMessageForm> form(CreateForm<TMessageForm>(nullptr));
    form->Prepare(message, kind, buttons);
    return form.release();
}

int ShowDialogWithCaption(const std::string& caption, const std::string& message, MessageKind kind, int buttons) {
    if (IsTestMode()) {
        os::calls().WriteStdout("ShowDialogWithCaption with" + caption + " " + message + "\n");
        TerminateProcessWithCode(1);
    }
    std::unique_ptr<TMessageForm> dialog(CreateMessageDialog(message, kind, buttons));
    dialog->SetCaption(caption);
    dialog->SetPosition(FormPosition::ScreenCenter);
    return dialog->ShowModal();
}

int ShowErrorMessage(const std::string& message, const std::string& caption) {
    return ShowDialogWithCaption(caption.empty() ? "Error" : caption, message, MessageKind::Error, 1 << kMbOk);
}

}  // namespace plz::ui
