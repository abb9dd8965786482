// Form texts translated while a stored description is read, the hints that carry translations
// when localized dialogs are off, font substitution, and the message dialog on the active monitor.
#include <gtest/gtest.h>

#include <memory>

#include "forms/form_with_help.h"
#include "client/paths.h"
#include "forms/localization.h"
#include "tests/unit/forms/forms_fixture.h"
#include "tests/unit/ui/answer_dialogs.h"
#include "ui/hooks.h"
#include "ui/reader.h"
#include "ui/std_controls.h"

namespace plz::forms {
namespace {

class TExportForm : public TFormWithHelp {
public:
    std::string ClassName() const override { return "TExportForm"; }
};

constexpr const char* kExport = R"json({
  "class": "TExportForm",
  "properties": { "Caption": "Save as" },
  "components": [
    { "class": "TButton", "name": "SaveButton", "properties": { "Caption": "Save as" } },
    { "class": "TLabel", "name": "Note", "properties": { "Caption": { "wide": "Don't save" } } }
  ]
})json";

class LocalizationTest : public test::FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        ui::RegisterFormDescription("TExportForm", kExport);
        auto& t = state().translations;
        t.present = true;
        t.texts[{u"ExportForm", u"Caption.'Save as'"}] = u"Speichern unter";
        t.texts[{u"SaveButton", u"Caption.'Save as'"}] = u"Speichern";
        t.texts[{u"SaveButton", u"Hint.''"}] = u"Speichert die Datei";
        t.texts[{u"Note", u"Caption.'Don''t save'"}] = u"Nicht speichern";
        StartFormsSupport();
    }
    template <typename T>
    static T& Child(ui::TForm& form, const char* name) {
        return *dynamic_cast<T*>(form.FindComponent(name));
    }
};

TEST_F(LocalizationTest, TranslationKeysQuoteTheText) {
    const struct {
        const char* property;
        const char* text;
        const char* key;
    } cases[] = {{"Caption", "Save as", "Caption.'Save as'"},
                 {"Caption", "Don't save", "Caption.'Don''t save'"},
                 {"Hint", "", "Hint.''"},
                 {"Caption", "''", "Caption.''''''"}};
    for (const auto& c : cases) EXPECT_EQ(TranslationKey(c.property, c.text), c.key);
}

TEST_F(LocalizationTest, WithLocalizedDialogsTextsAreTranslatedInTheirContexts) {
    state().preferences.useLocalizedDialogs = true;
    std::unique_ptr<TExportForm> form(ui::CreateForm<TExportForm>(nullptr));
    EXPECT_EQ(form->Caption(), "Speichern unter");
    EXPECT_EQ(Child<ui::TButton>(*form, "SaveButton").Caption(), "Speichern");
    EXPECT_EQ(Child<ui::TLabel>(*form, "Note").Caption(), "Nicht speichern");  // a wide string
    // A named component's hint comes from Hint.'' in its own context, stored hint or not.
    EXPECT_EQ(Child<ui::TButton>(*form, "SaveButton").Hint(), "Speichert die Datei");
    EXPECT_TRUE(Child<ui::TButton>(*form, "SaveButton").ShowHint());
    const std::vector<hostsim::TranslationRequest> expected = {
        {u"ExportForm", u"Caption.'Save as'"}, {u"SaveButton", u"Caption.'Save as'"},
        {u"SaveButton", u"Hint.''"},           {u"Note", u"Caption.'Don''t save'"},
        {u"Note", u"Hint.''"}};
    EXPECT_EQ(state().translationRequests, expected);
    EXPECT_EQ(state().enteredForms, (std::vector<std::u16string>{u"ExportForm", u""}));
    EXPECT_EQ(ReadDepth(), 0);
}

TEST_F(LocalizationTest, WithoutLocalizedDialogsCaptionsStayAndTheirTranslationsBecomeHints) {
    std::unique_ptr<TExportForm> form(ui::CreateForm<TExportForm>(nullptr));
    auto& save = Child<ui::TButton>(*form, "SaveButton");
    EXPECT_EQ(save.Caption(), "Save as");
    // The caption's translation, then Hint.'' of its own context over it.
    EXPECT_EQ(save.Hint(), "Speichert die Datei");
    EXPECT_TRUE(save.ShowHint());
    EXPECT_EQ(form->Hint(), "Speichern unter");
    EXPECT_EQ(Child<ui::TLabel>(*form, "Note").Hint(), "Nicht speichern");

    // A reader without an owner leaves every text as stored.
    state().preferences.useLocalizedDialogs = true;
    std::unique_ptr<TExportForm> plain(ui::NewForm<TExportForm>(nullptr));
    ui::ReadDescription(*plain, kExport, nullptr);
    EXPECT_EQ(plain->Caption(), "Save as");
    EXPECT_EQ(Child<ui::TButton>(*plain, "SaveButton").Caption(), "Save as");
}

TEST_F(LocalizationTest, FontsAreSubstitutedOnlyUnderAllThreeConditions) {
    state().localeFont.emplace("MS UI Gothic", 128);
    const struct {
        bool mode, systemLocale, hostFont, substituted;
    } cases[] = {{true, true, false, true}, {false, true, false, false}, {true, false, false, false},
                 {true, true, true, false}};
    for (const auto& c : cases) {
        SetFontSubstitution(c.mode);
        state().preferences.useSystemLocaleLanguage = c.systemLocale;
        state().uiFont.available = c.hostFont;
        std::unique_ptr<TExportForm> form(ui::CreateForm<TExportForm>(nullptr));
        auto& save = Child<ui::TButton>(*form, "SaveButton");
        EXPECT_EQ(save.Font().Name() == "MS UI Gothic" && save.Font().Charset() == 128, c.substituted);
        if (!c.hostFont) {
            EXPECT_EQ(form->Font().Name() == "MS UI Gothic", c.substituted);
        }
    }
}

TEST_F(LocalizationTest, StartAndStopLeaveTheFrameworksOwnBehaviour) {
    auto& h = ui::hooks();
    EXPECT_TRUE(h.controlInserted.Installed() && h.componentInserted.Installed() && h.formShowing.Installed() &&
                h.readComponentData.Installed() && h.readString.Installed() && h.readWideString.Installed() &&
                h.colorToText.Installed() && h.commonDialog.Installed() && h.hintShowing.Installed());
    EXPECT_FALSE(h.readProperty.Installed());  // armed only while a component is read
    EXPECT_EQ(ui::ColorToText(0x80000000 | 15), "clBtnFace");
    StopFormsSupport();
    EXPECT_FALSE(h.controlInserted.Installed() || h.componentInserted.Installed() || h.formShowing.Installed() ||
                 h.readComponentData.Installed() || h.readProperty.Installed() || h.readString.Installed() ||
                 h.readWideString.Installed() || h.colorToText.Installed() || h.hintShowing.Installed());
    EXPECT_EQ(ui::ColorToText(0x80000000 | 15), "$8000000F");
    std::unique_ptr<TExportForm> form(ui::CreateForm<TExportForm>(nullptr));
    EXPECT_EQ(form->Caption(), "Save as");
    EXPECT_EQ(Child<ui::TButton>(*form, "SaveButton").Hint(), "");
    // The start-up's own settings: the forms key, hints without shadow, the host's font mode.
    EXPECT_FALSE(FontSubstitution());
    state().translations.fontMode = 1;
    StartFormsSupport();
    EXPECT_TRUE(FontSubstitution());
    EXPECT_EQ(FormsRegistryKey(), GetPreferenceRegistryKey() + "\\Forms");
    EXPECT_FALSE(ui::HintShadow());
}

#if !defined(_WIN32)
TEST_F(LocalizationTest, TheMessageDialogIsCentredOnTheActiveWindowsMonitor) {
    os::posix::SetMonitors({{0, 0, 1920, 1040}, {1920, 0, 3200, 1000}});
    std::unique_ptr<ui::TForm> editor(ui::NewForm<ui::TForm>(nullptr));
    editor->SetBounds(2000, 100, 600, 400);
    editor->Show();
    ASSERT_EQ(os::calls().WindowActive(), editor->HandleIfAny());
    static os::Rect shownAt;
    os::posix::SetUserHandler([](WindowHandle active) {
        shownAt = os::posix::Window(active)->bounds;
        return os::posix::PressDefaultButton(active);
    });
    state().preferences.useLocalizedDialogs = true;
    state().translations.texts[{u"OK", u"Caption.'OK'"}] = u"Gut";
    EXPECT_EQ(ui::ShowErrorMessage("No PCB is currently open in Client."), ui::mrOk);
    os::posix::SetUserHandler(nullptr);
    EXPECT_NEAR(shownAt.left + shownAt.Width() / 2, 1920 + 1280 / 2, 1);
    EXPECT_NEAR(shownAt.top + shownAt.Height() / 2, 500, 1);
    // Kind, buttons and translated texts of the dialog as shown.
    std::unique_ptr<ui::TMessageForm> dialog(ui::CreateMessageDialog("Sure?", MessageKind::Confirmation, 3));
    dialog->Handle();
    std::vector<std::string> buttons;
    for (ui::TControl* c : dialog->Controls())
        if (dynamic_cast<ui::TButton*>(c) && c->Visible()) buttons.push_back(c->Caption());
    EXPECT_EQ(buttons, (std::vector<std::string>{"&Yes", "&No"}));
    EXPECT_EQ(os::posix::Window(dynamic_cast<ui::TControl*>(dialog->FindComponent("Image"))->HandleIfAny())->text,
              "Confirmation");
    std::unique_ptr<ui::TMessageForm> error(ui::CreateMessageDialog("x", MessageKind::Error, 4));
    EXPECT_EQ(dynamic_cast<ui::TControl*>(error->FindComponent("OK"))->Caption(), "Gut");
}
#endif

}  // namespace
}  // namespace plz::forms
