// The old-viewer warning as the user meets it: read from its stored description, shown before a
// manual opens in an old viewer, and switched off for good by its check box.
#include <gtest/gtest.h>

#include <memory>

#include "forms/acrobat_warning.h"
#include "forms/acrobat_warning_dialog.h"
#include "forms/document_launcher.h"
#include "tests/unit/forms/forms_fixture.h"
#include "tests/unit/ui/answer_dialogs.h"
#include "ui/std_controls.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace plz::forms {
namespace {

std::vector<std::string> g_started;
bool g_tick = false;

intptr_t StartProgram(const std::string& line, int) {
    g_started.push_back(line);
    return 42;
}

// The user: ticks "Don't show this again" when asked to, then answers with the default button.
bool TickAndAnswer(bool wait) {
    if (ui::TForm* form = wait && g_tick ? ui::ActiveModalForm() : nullptr)
        if (auto* box = dynamic_cast<ui::TCheckBox*>(form->FindComponent("DontShowAgain"))) box->SetChecked(true);
    return test::AnswerModalForm(wait);
}

class AcrobatWarningTest : public test::FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        g_started.clear();
        g_tick = false;
        SetRegistryDefault(os::RegistryRoot::ClassesRoot, "acrobat\\Shell\\Open\\Command", "\"C:\\Reader\\AcroRd32.exe\" \"%1\"");
        SetRegistry(os::RegistryRoot::ClassesRoot, "PDF.PdfCtrl.5");
        WriteFile(HelpFolder(), "MANUAL.PDF", "%PDF");
        manual = HelpFolder() + "MANUAL.PDF";
        StartFormsSupport();
    }

    os::ScopedOverride<intptr_t(const std::string&, int)> start{os::calls().StartProgram, &StartProgram};
    std::string manual;
};

TEST_F(AcrobatWarningTest, ShownBeforeAnOldViewerUntilItsBoxIsTicked) {
    test::AnswerDialogs answers;
    os::ScopedOverride<bool(bool)> user{os::calls().PumpMessage, &TickAndAnswer};
    const std::vector<std::string> warned = {"Warning: "};

    EXPECT_TRUE(OpenPdf(manual, 4));  // left unticked: asked again next time
    EXPECT_EQ(test::AnsweredDialogs(), warned);
    EXPECT_TRUE(AcrobatWarningEnabled());

    g_tick = true;
    EXPECT_TRUE(OpenPdf(manual, 4));
    EXPECT_EQ(test::AnsweredDialogs().size(), 2u);
    EXPECT_FALSE(AcrobatWarningEnabled());

    EXPECT_TRUE(OpenPdf(manual, 4));
    EXPECT_EQ(test::AnsweredDialogs().size(), 2u);
    EXPECT_EQ(g_started.size(), 3u);  // the manual opened every time
}

TEST_F(AcrobatWarningTest, ShutDownTakesTheFormAway) {
    test::AnswerDialogs answers;
    StopFormsSupport();
    EXPECT_TRUE(OpenPdf(manual, 4));
    EXPECT_TRUE(test::AnsweredDialogs().empty());
    EXPECT_TRUE(AcrobatWarningEnabled());
}

TEST_F(AcrobatWarningTest, TheFormIsReadFromItsDescription) {
    std::unique_ptr<TAcrobatReaderWarning> form(CreateAcrobatReaderWarning());
    EXPECT_EQ(form->Caption(), "Warning");
    EXPECT_EQ(form->ClientWidth(), 402);
    EXPECT_EQ(form->ClientHeight(), 126);
    EXPECT_EQ(form->BorderStyle(), os::WindowBorder::Dialog);
    auto* image = dynamic_cast<ui::TImage*>(form->FindComponent("WarningImage"));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Picture(), "Warning");
    EXPECT_EQ(image->Width(), 40);
    auto* box = dynamic_cast<ui::TCheckBox*>(form->FindComponent("DontShowAgain"));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->Caption(), "&Don't show this again");
    EXPECT_FALSE(form->DontShowAgain());
    auto* ok = dynamic_cast<ui::TButton*>(form->DefaultButton());
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->Caption(), "OK");
    EXPECT_EQ(ok->ModalResult(), ui::mrOk);
    EXPECT_NE(dynamic_cast<ui::TLabel*>(form->FindComponent("FeaturesLabel"))->Caption().find("6.0"), std::string::npos);
}

#if defined(_WIN32)
// What the user saw of the warning through the window system: visible, its caption, its box.
struct SeenWindow {
    bool visible = false;
    std::string caption;
    bool boxVisible = false;
};
SeenWindow g_seen;

bool LookAndAnswer(bool wait) {
    if (ui::TForm* form = wait ? ui::ActiveModalForm() : nullptr) {
        const HWND window = reinterpret_cast<HWND>(form->HandleIfAny());
        g_seen.visible = ::IsWindowVisible(window) != 0;
        char text[64] = {};
        ::GetWindowTextA(window, text, sizeof text);
        g_seen.caption = text;
        if (auto* box = dynamic_cast<ui::TCheckBox*>(form->FindComponent("DontShowAgain")))
            g_seen.boxVisible = ::GetParent(reinterpret_cast<HWND>(box->HandleIfAny())) == window &&
                                ::IsWindowVisible(reinterpret_cast<HWND>(box->HandleIfAny()));
    }
    return test::AnswerModalForm(wait);
}

TEST_F(AcrobatWarningTest, TheWarningIsARealWindowOnTheScreen) {
    test::AnswerDialogs answers;
    os::ScopedOverride<bool(bool)> user{os::calls().PumpMessage, &LookAndAnswer};
    g_seen = {};
    EXPECT_TRUE(OpenPdf(manual, 4));
    EXPECT_TRUE(g_seen.visible);
    EXPECT_EQ(g_seen.caption, "Warning");
    EXPECT_TRUE(g_seen.boxVisible);
}
#endif

}  // namespace
}  // namespace plz::forms
