// The base of the plug-in's forms: the host's user-interface font, context help on F1 and on the
// title bar's help button (topics from the module's help maps), and test mode for modal forms.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "forms/help.h"
#include "ui/form.h"

namespace plz::forms {

class TFormWithHelp : public ui::TForm {
public:
    TFormWithHelp();
    ~TFormWithHelp() override;

    std::string ClassName() const override { return "TFormWithHelp"; }

    void CreateNew() override;
    // In test mode: one line on standard output and the process ends with exit code 1.
    int32_t ShowModal() override;
    void Loaded() override;
    bool ChildKey(ui::TControl& control, int key) override;
    bool HelpMessage(const os::HelpRequest& request) override;

    // The help id for a control (0: none), with its topic and help file.
    virtual int32_t GetHelpContext(ui::TControl* control, std::string& topic, std::string& helpFile);
    // The name used in topic keys: the component's own.
    virtual void GetHelpName(ui::TComponent& component, std::string& name);
    // Context help for a control (F1).
    virtual void ShowControlHelp(ui::TControl* control);
    // Whether the host offers a user-interface font.
    virtual bool UseHostFont();
    // The host's answer whether the system locale's language is used.
    virtual bool UseSystemLocale();
    // Copies the host's user-interface font into `font` when the host offers one.
    virtual void ApplyHostFont(ui::TFont& font);

    HelpIdMap& FormHelp() { return formHelp_; }
    HelpIdMap& ControlHelp() { return controlHelp_; }
    bool F1Pending() const { return f1Pending_; }
    bool HelpEnabled() const { return helpEnabled_; }
    void SetHelpEnabled(bool on) { helpEnabled_ = on; }
    bool HostFontUsed() const { return hostFontUsed_; }
    const ui::TFont& HostFont() const { return *hostFont_; }

private:
    // The first form among the children of `parent` (in order): itself when it has a help id, else
    // the same search inside it.
    ui::TForm* SearchChildForm(ui::TControl& parent);
    int32_t HelpIdOf(ui::TForm& form, std::string& topic, std::string& helpFile);

    HelpIdMap formHelp_;
    HelpIdMap controlHelp_;
    bool f1Pending_ = false;
    bool helpEnabled_ = false;
    bool hostFontUsed_ = false;
    std::unique_ptr<ui::TFont> hostFont_;
};

// The host's user-interface font: false (font unchanged) when there is no client or it offers none.
bool QueryHostFont(ui::TFont* font);

}  // namespace plz::forms
