// The help-aware form base.
#include "forms/form_with_help.h"

#include "client/client_api.h"
#include "client/messages.h"
#include "client/paths.h"
#include "platform/wide_string.h"
#include "platform/com_ptr.h"
#include "frame/current_client.h"
#include "frame/errors.h"

namespace plz::forms {

bool QueryHostFont(ui::TFont* font) {
    ComPtr<IClient> client = CurrentClient();
    if (!client) return false;
    int32_t available = 0, size = 0, style = 0, color = 0, charset = 0;
    WideString name;
    CheckHost(client->GetUserInterfaceFont(0, &available, name.Out(), &size, &style, &color, &charset));
    if (!available) return false;
    if (font) {
        font->SetName(name.Ansi());
        font->SetSize(size);
        font->SetStyle(uint8_t(style));
        font->SetColor(uint32_t(color));
        font->SetCharset(uint8_t(charset));
    }
    return true;
}

TFormWithHelp::TFormWithHelp() = default;
TFormWithHelp::~TFormWithHelp() = default;

void TFormWithHelp::CreateNew() {
    hostFont_ = std::make_unique<ui::TFont>();
    hostFontUsed_ = UseHostFont();
    UseSystemLocale();
    if (hostFontUsed_) ApplyHostFont(*hostFont_);
    formHelp_ = {};
    controlHelp_ = {};
    helpEnabled_ = true;
    TForm::CreateNew();
}

bool TFormWithHelp::UseHostFont() { return QueryHostFont(nullptr); }

bool TFormWithHelp::UseSystemLocale() { return ClientAPI_GetUseSystemLocaleLanguage(); }

void TFormWithHelp::ApplyHostFont(ui::TFont& font) { QueryHostFont(&font); }

int32_t TFormWithHelp::ShowModal() {
    if (IsTestMode()) {
        os::calls().WriteStdout("Running modal dialog " + ClassName() + " " + Caption() + "\n");
        TerminateProcessWithCode(1);
    }
    return TForm::ShowModal();
}

void TFormWithHelp::Loaded() {
    TForm::Loaded();
    if (hostFontUsed_)
        for (ui::TFont* font : ui::PropertyObjectsOf<ui::TFont>(*this)) font->Assign(*hostFont_);
    SetShowHint(true);
}

void TFormWithHelp::GetHelpName(ui::TComponent& component, std::string& name) { name = component.Name(); }

int32_t TFormWithHelp::GetHelpContext(ui::TControl* control, std::string& topic, std::string& helpFile) {
    const bool isForm = dynamic_cast<ui::TForm*>(control) != nullptr;
    helpFile = isForm ? ModuleHelpFile() : ModulePopupHelpFile();
    HelpIdMap& map = isForm ? formHelp_ : controlHelp_;
    if (!control) return 0;
    std::string name;
    GetHelpName(*control, name);
    return LookupHelpId("Dlg_" + name, "", topic, map, helpFile);
}

int32_t TFormWithHelp::HelpIdOf(ui::TForm& form, std::string& topic, std::string& helpFile) {
    return GetHelpContext(&form, topic, helpFile);
}

ui::TForm* TFormWithHelp::SearchChildForm(ui::TControl& parent) {
    for (ui::TControl* child : parent.Controls()) {
        auto* form = dynamic_cast<ui::TForm*>(child);
        if (!form) continue;
        std::string topic, file;
        return HelpIdOf(*form, topic, file) ? form : SearchChildForm(*form);
    }
    return nullptr;
}

void TFormWithHelp::ShowControlHelp(ui::TControl* control) {
    ui::TForm* form = nullptr;
    for (ui::TControl* c = control; c && !form; c = c->Parent()) form = dynamic_cast<ui::TForm*>(c);
    if (!form || form == this) form = SearchChildForm(*this);
    std::string topic, helpFile;
    if (form && !HelpIdOf(*form, topic, helpFile)) form = SearchChildForm(*form);
    if (!form) form = this;
    int32_t id = HelpIdOf(*form, topic, helpFile);
    if (id == 0 && form != this) id = HelpIdOf(*this, topic, helpFile);
    if (id != 0)
        ShowHelpTopic(ChangeFileExt(helpFile, ".chm"), topic, false);
    else
        ShowHelpPopup(Handle(), os::calls().CursorPosition(), MasterHelpFile(), 1);
}

bool TFormWithHelp::ChildKey(ui::TControl& control, int key) {
    if (!helpEnabled_ || key != os::kVkF1) return TForm::ChildKey(control, key);
    f1Pending_ = true;
    const bool shift = IsShiftKeyDown(), ctrl = IsControlKeyDown(), alt = IsAltKeyDown();
    if (shift || ctrl || alt) {
        if (ComPtr<IClient> client = CurrentClient()) {
            ComPtr<IGUIManager> gui;
            CheckHost(client->GetGUIManager(gui.Out()));
            int32_t taken = 0;
            CheckHost(gui->OfferKey(key, alt ? -1 : 0, shift ? -1 : 0, ctrl ? -1 : 0, &taken));
            if (taken) CheckHost(gui->RunTakenKey());
        }
    } else {
        ShowControlHelp(&control);
    }
    return true;
}

bool TFormWithHelp::HelpMessage(const os::HelpRequest& request) {
    if (!helpEnabled_ || request.contextType != 1) return TForm::HelpMessage(request);
    if (f1Pending_) {
        f1Pending_ = false;
        return true;
    }
    if (ComPtr<IClient> client = CurrentClient()) {
        ComPtr<IGUIManager> gui;
        CheckHost(client->GetGUIManager(gui.Out()));
        WideString empty("");
        CheckHost(gui->SetStatusText(-1, empty.Get()));
    }
    ui::TControl* control = ui::FindControl(request.item);
    if (!control) return true;
    ui::TForm* form = nullptr;
    for (ui::TControl* c = control->Parent(); c && !form; c = c->Parent()) form = dynamic_cast<ui::TForm*>(c);
    if (!form) form = this;

    std::string helpFile = ModulePopupHelpFile(), topic;
    const std::string classWithoutT = form->ClassName().substr(1);
    auto lookup = [&](const std::string& name) {
        int32_t id = LookupHelpId(name, form->Name(), topic, controlHelp_, helpFile);
        if (id == 0 && !ui::SameText(form->Name(), classWithoutT))
            id = LookupHelpId(name, classWithoutT, topic, controlHelp_, helpFile);
        return id;
    };
    int32_t id = lookup(control->Name());
    if (id == 0 && control->Parent() && control->Parent() != form) id = lookup(control->Parent()->Name());
    ShowHelpPopup(Handle(), request.mousePos, helpFile, id);
    return true;
}

}  // namespace plz::forms
