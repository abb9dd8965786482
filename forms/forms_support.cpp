// The forms support's start-up steps, its interceptions, and its shut-down.
#include "forms/forms_support.h"

#include "client/client_api.h"
#include "client/messages.h"
#include "client/paths.h"
#include "platform/com_ptr.h"
#include "frame/errors.h"
#include "forms/acrobat_warning.h"
#include "forms/acrobat_warning_dialog.h"
#include "forms/delayed_destroyer.h"
#include "forms/form_with_help.h"
#include "forms/localization.h"
#include "ui/application.h"
#include "ui/font.h"
#include "ui/hooks.h"
#include "ui/message_dialog.h"

namespace plz::forms {
namespace {

bool g_started = false;
bool g_themed = false;
// Made on first use: the start-up may run before this file's variables are initialised.
std::string& FormsKey() {
    static std::string key;
    return key;
}

void ApplyFont(ui::TComponent& component, const ui::TFont& font) {
    for (ui::TFont* f : ui::PropertyObjectsOf<ui::TFont>(component)) f->Assign(font);
    if (auto* control = dynamic_cast<ui::TControl*>(&component))
        for (ui::TControl* child : control->Controls()) ApplyFont(*child, font);
    for (ui::TComponent* owned : component.Components()) ApplyFont(*owned, font);
}

void ControlInserted(ui::TControl& parent, ui::TControl& control) {
    ui::hooks().controlInserted.Original(parent, control);
    ui::TForm* form = nullptr;
    for (ui::TControl* c = &control; c && !form; c = c->Parent()) form = dynamic_cast<ui::TForm*>(c);
    auto* helpForm = dynamic_cast<TFormWithHelp*>(form);
    if (helpForm && helpForm->HostFontUsed()) ApplyFont(control, helpForm->HostFont());
}

void ComponentInserted(ui::TComponent& owner, ui::TComponent& component) {
    ui::hooks().componentInserted.Original(owner, component);
    SubstituteFonts(component);
}

void FormShowing(ui::TForm& form) {
    if (!dynamic_cast<ui::TMessageForm*>(&form)) return ui::hooks().formShowing.Original(form);
    if (IsTestMode()) {
        os::calls().WriteStdout("Running modal dialog " + form.ClassName() + " " + form.Caption() + "\n");
        TerminateProcessWithCode(1);
    }
    form.CenterOn(os::calls().MonitorWorkArea(os::calls().WindowActive()));
    os::calls().WindowShow(form.Handle(), true);
}

void CommonDialog(WindowHandle dialog, uint32_t message, WindowHandle activeAtOpen) {
    ui::hooks().commonDialog.Original(dialog, message, activeAtOpen);
    if (message == os::kWmInitDialog) CenterOnMonitorOf(dialog, activeAtOpen);
}

// Values with the high byte 0x80 are system colours written the older way.
std::string ColorToText(int64_t color) {
    if (((color >> 24) & 0xFF) == 0x80) color = (color & 0x00FFFFFF) | ui::kSystemColor;
    return ui::hooks().colorToText.Original(color);
}

// The host's dynamic help follows the control whose hint is shown.
void HintShowing(ui::TControl& control) {
    ui::hooks().hintShowing.Original(control);
    ui::TForm* form = nullptr;
    for (ui::TControl* c = &control; c && !form; c = c->Parent()) form = dynamic_cast<ui::TForm*>(c);
    auto* helpForm = dynamic_cast<TFormWithHelp*>(form);
    if (!helpForm) return;
    std::string topic, helpFile;
    if (helpForm->GetHelpContext(&control, topic, helpFile)) ShowHelpTopic(helpFile, topic, true);
}

void InstallInterceptions() {
    auto& h = ui::hooks();
    h.controlInserted.Install(&ControlInserted);
    h.componentInserted.Install(&ComponentInserted);
    h.formShowing.Install(&FormShowing);
    h.commonDialog.Install(&CommonDialog);
    h.colorToText.Install(&ColorToText);
    h.hintShowing.Install(&HintShowing);
    InstallReadingInterceptions();
}

void RemoveInterceptions() {
    auto& h = ui::hooks();
    h.controlInserted.Remove();
    h.componentInserted.Remove();
    h.formShowing.Remove();
    h.commonDialog.Remove();
    h.colorToText.Remove();
    h.hintShowing.Remove();
    RemoveReadingInterceptions();
}

constexpr uint32_t kShiftJisCodePage = 932;
constexpr uint8_t kShiftJisCharset = 128;

}  // namespace

void StartFormsSupport() {
    if (g_started) return;
    // 1. Windows of a busy host are not replaced by ghost windows.
    os::calls().DisableWindowGhosting();
    // 2. The interceptions. There is no form designer's environment for this plug-in, so nothing
    // keeps them off.
    InstallInterceptions();
    g_started = true;
    // 3. The host's theme switch, unless this module is the program itself.
    if (os::calls().OwnModule() != os::calls().FindLoadedModule(nullptr)) g_themed = ClientAPI_GetPrefUseLuna();
    // 4. Hints without a drop shadow.
    ui::SetHintShadow(false);
    // 5. The forms registry key.
    FormsKey() = GetPreferenceRegistryKey() + "\\Forms";
    // 6. Errors in the forms' own callbacks go to the framework's exception handler, which shows
    // them in an error dialog until a reporting handler is installed.
    // 7. Japanese systems of platform version 5.0 get Shift-JIS as the default font character set.
    if (IsWindows2000() && os::calls().AnsiCodePage() == kShiftJisCodePage) ui::SetDefaultFontCharset(kShiftJisCharset);
    // 8. Whether the host wants fonts adjusted to the system locale.
    ITranslationManager* raw = nullptr;
    ClientAPI_GetTranslationManager(&raw);
    ComPtr<ITranslationManager> manager = ComPtr<ITranslationManager>::Adopt(raw);
    int32_t mode = 0;
    if (manager) CheckHost(manager->GetFontMode(&mode));
    SetFontSubstitution(mode != 0);
    // 9. The old-viewer warning is this support's form.
    SetAcrobatWarningDialog(&ShowAcrobatReaderWarning);
}

void StopFormsSupport() {
    // Forms still waiting for their delayed release go now: their windows' procedure leaves with
    // the library.
    TDelayedDestroyer::FreePending();
    if (!g_started) return;
    SetAcrobatWarningDialog(nullptr);
    RemoveInterceptions();
    SetFontSubstitution(false);
    g_started = false;
}

bool FormsSupportStarted() { return g_started; }
const std::string& FormsRegistryKey() { return FormsKey(); }
bool ThemedControls() { return g_themed; }

void CenterOnMonitorOf(WindowHandle window, WindowHandle reference) {
    const os::Rect area = os::calls().MonitorWorkArea(reference);
    const os::Rect b = os::calls().WindowBounds(window);
    const int32_t left = area.left + (area.Width() - b.Width()) / 2, top = area.top + (area.Height() - b.Height()) / 2;
    os::calls().WindowSetBounds(window, {left, top, left + b.Width(), top + b.Height()});
}

}  // namespace plz::forms
