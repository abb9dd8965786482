// The reading points' replacements, the translation rule and the font substitution.
#include "forms/localization.h"

#include <vector>

#include "client/client_api.h"
#include "platform/wide_string.h"
#include "platform/com_ptr.h"
#include "frame/errors.h"
#include "forms/form_with_help.h"
#include "ui/font.h"
#include "ui/form.h"
#include "ui/hooks.h"

namespace plz::forms {
namespace {

// Made on first use, as the module's start-up may come before this file's initialisation.
std::string& Context() {
    static std::string context;
    return context;
}
ui::TPersistent* g_currentInstance = nullptr;
int g_readDepth = 0;
bool g_fontSubstitution = false;

ComPtr<ITranslationManager> Manager() {
    ITranslationManager* manager = nullptr;
    ClientAPI_GetTranslationManager(&manager);
    return ComPtr<ITranslationManager>::Adopt(manager);
}

// The translation of `key` in the current context, if the manager has one.
bool Translate(ITranslationManager& manager, const std::string& key, std::u16string* text) {
    WideString context(Context()), wideKey(key), translation;
    int32_t found = 0;
    CheckHost(manager.Translate(context.Get(), wideKey.Get(), translation.Out(), &found));
    if (!found) return false;
    *text = os::FromString(translation.Get());
    return true;
}

void EnterForm(const std::string& name) {
    if (ComPtr<ITranslationManager> manager = Manager()) {
        WideString wide(name);
        CheckHost(manager->EnterForm(wide.Get()));
    }
}

void ReadComponentData(ui::TReader& reader, ui::TComponent& component);

void ReadProperty(ui::TReader& reader, ui::TPersistent& instance) {
    g_currentInstance = &instance;
    // Armed for one property only; it hands over to the component-data point, so that the
    // components inside this one are seen.
    ui::hooks().readProperty.Remove();
    ui::hooks().readComponentData.Install(&ReadComponentData);
    ui::TReader::ReadPropertyDefault(reader, instance);
}

void ReadComponentData(ui::TReader& reader, ui::TComponent& component) {
    ui::hooks().readComponentData.Remove();
    struct Rearm {
        int depth;
        ~Rearm() {
            ui::hooks().readProperty.Remove();
            ui::hooks().readComponentData.Install(&ReadComponentData);
            // A failed read must not leave the depth behind: no later form would get its fonts.
            if (std::uncaught_exceptions() > 0) g_readDepth = depth;
        }
    } rearm{g_readDepth};
    ++g_readDepth;
    const bool isForm = dynamic_cast<ui::TForm*>(&component) != nullptr;
    if (isForm) {
        Context() = component.ClassName().substr(1);
        EnterForm(Context());
    } else if (!component.Name().empty()) {
        Context() = component.Name();
    }
    ui::hooks().readProperty.Install(&ReadProperty);
    ui::TReader::ReadComponentDataDefault(reader, component);
    ui::hooks().readProperty.Remove();
    if (!component.Name().empty()) {
        TranslateInto(&component, "Hint", "");
        Context().clear();
    }
    if (isForm) EnterForm("");
    if (--g_readDepth == 0) SubstituteFonts(component);
}

std::string ReadString(ui::TReader& reader) {
    const std::string text = ui::TReader::ReadStringDefault(reader);
    return os::calls().WideToAnsi(TranslateText(reader, text));
}

std::u16string ReadWideString(ui::TReader& reader) {
    const std::u16string text = ui::TReader::ReadWideStringDefault(reader);
    return TranslateText(reader, os::calls().WideToAnsi(text));
}

void Substitute(ui::TComponent& component) {
    for (ui::TFont* font : ui::PropertyObjectsOf<ui::TFont>(component)) {
        LogFontA description = font->ToLogFont();
        if (ClientAPI_UpdateFont(&description)) font->FromLogFont(description);
    }
    for (ui::TComponent* owned : component.Components()) Substitute(*owned);
}

}  // namespace

std::string TranslationKey(const std::string& property, const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c;
        if (c == '\'') quoted += '\'';
    }
    return property + "." + quoted + "'";
}

std::u16string TranslateText(ui::TReader& reader, const std::string& text) {
    const std::u16string unchanged = os::calls().AnsiToWide(text);
    if (!reader.Owner()) return unchanged;
    if (ClientAPI_GetUseLocalizedDialogs()) {
        ComPtr<ITranslationManager> manager = Manager();
        std::u16string translation;
        if (manager && Translate(*manager.Get(), TranslationKey(reader.PropertyName(), text), &translation)) return translation;
        return unchanged;
    }
    if (reader.PropertyName() == "Caption") TranslateInto(g_currentInstance, "Caption", text);
    return unchanged;
}

void TranslateInto(ui::TPersistent* instance, const std::string& property, const std::string& text) {
    if (!instance || !ui::HasProperty(*instance, "Hint")) return;
    ComPtr<ITranslationManager> manager = Manager();
    if (!manager) return;
    std::u16string translation;
    if (!Translate(*manager.Get(), TranslationKey(property, text), &translation)) return;
    ui::SetProperty(*instance, "Hint", os::calls().WideToAnsi(translation));
    if (ui::HasProperty(*instance, "ShowHint")) ui::SetProperty(*instance, "ShowHint", true);
}

void SubstituteFonts(ui::TComponent& component) {
    if (!g_fontSubstitution || !ClientAPI_GetUseSystemLocaleLanguage() || QueryHostFont(nullptr)) return;
    Substitute(component);
}

void InstallReadingInterceptions() {
    ui::hooks().readComponentData.Install(&ReadComponentData);
    ui::hooks().readString.Install(&ReadString);
    ui::hooks().readWideString.Install(&ReadWideString);
}

void RemoveReadingInterceptions() {
    ui::hooks().readComponentData.Remove();
    ui::hooks().readProperty.Remove();
    ui::hooks().readString.Remove();
    ui::hooks().readWideString.Remove();
    Context().clear();
    g_currentInstance = nullptr;
    g_readDepth = 0;
}

void SetFontSubstitution(bool on) { g_fontSubstitution = on; }
bool FontSubstitution() { return g_fontSubstitution; }
const std::string& TranslationContext() { return Context(); }
int ReadDepth() { return g_readDepth; }

}  // namespace plz::forms
