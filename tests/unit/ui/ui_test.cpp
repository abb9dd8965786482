// The form framework on the OS seam: windows on demand and re-created, modal results, release
// after queued messages, errors in handlers, fonts, properties by name, stored descriptions.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "platform/os.h"
#include "tests/unit/ui/answer_dialogs.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/hooks.h"
#include "ui/reader.h"
#include "ui/std_controls.h"

#if !defined(_WIN32)
#include "platform/posix_control.h"
#endif

namespace plz::ui {
namespace {

class TSampleForm : public TForm {
public:
    std::string ClassName() const override { return "TSampleForm"; }
    ~TSampleForm() override {
        if (freed) *freed = true;
    }
    bool* freed = nullptr;
    int loaded = 0;
    void Loaded() override { ++loaded; }
};

constexpr const char* kSample = R"json({
  "class": "TSampleForm", "name": "Sample",
  "properties": { "Caption": "Save as", "BorderStyle": "bsDialog", "Width": 320, "Height": 200,
                  "Font": { "Name": "Verdana", "Size": 10, "Style": ["fsBold"] } },
  "components": [
    { "class": "TLabel", "name": "Prompt", "properties": { "Caption": { "wide": "Grüße" }, "Left": 8, "Top": 8 } },
    { "class": "TCheckBox", "name": "Again", "properties": { "Caption": "Ask again", "Checked": true,
                                                             "Hint": "Tick to be asked", "ShowHint": true } },
    { "class": "TButton", "name": "OK", "properties": { "Caption": "OK", "Default": true, "ModalResult": 1 } },
    { "class": "TButton", "name": "Cancel", "properties": { "Caption": "Cancel", "Cancel": true, "ModalResult": 2 } }
  ]
})json";

class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFormDescription("TSampleForm", kSample);
#if !defined(_WIN32)
        os::posix::DestroyAllWindows();
#endif
    }
    void TearDown() override {
        SetExceptionHandler(nullptr);
        ProcessMessages();
#if !defined(_WIN32)
        os::posix::DestroyAllWindows();
#endif
    }
    template <typename T>
    static T& Child(TForm& form, const char* name) {
        T* c = dynamic_cast<T*>(form.FindComponent(name));
        EXPECT_NE(c, nullptr) << name;
        return *c;
    }
};

TEST_F(UiTest, ADescriptionBuildsTheFormWithItsComponentsAndProperties) {
    std::unique_ptr<TSampleForm> form(CreateForm<TSampleForm>(nullptr));
    EXPECT_EQ(form->Name(), "Sample");
    EXPECT_EQ(form->Caption(), "Save as");
    EXPECT_EQ(form->BorderStyle(), os::WindowBorder::Dialog);
    EXPECT_EQ(form->Width(), 320);
    EXPECT_EQ(form->Font().Name(), "Verdana");
    EXPECT_EQ(form->Font().Style(), kBold);
    EXPECT_EQ(form->loaded, 1);
    ASSERT_EQ(form->Controls().size(), 4u);
    EXPECT_EQ(form->Components().size(), 4u);  // owned by the form, in order
    EXPECT_EQ(form->Controls()[3]->Name(), "Cancel");
    EXPECT_EQ(Child<TLabel>(*form, "prompt").Caption(), os::calls().WideToAnsi(u"Grüße"));
    EXPECT_EQ(Child<TLabel>(*form, "Prompt").Font().Name(), "Verdana");  // the parent's font
    EXPECT_TRUE(Child<TCheckBox>(*form, "Again").Checked());
    EXPECT_EQ(std::get<std::string>(GetProperty(Child<TCheckBox>(*form, "Again"), "hint")), "Tick to be asked");
    EXPECT_TRUE(Child<TButton>(*form, "OK").Default());
    EXPECT_EQ(form->HandleIfAny(), 0u);  // no window until one is needed
}

TEST_F(UiTest, BadDescriptionsFailTheCreationWithAClearError) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {R"({"class": "TSampleForm", )", "does not parse"},
        {R"(["TSampleForm"])", "must be an object"},
        {R"({"class": "TOtherForm"})", "cannot be read into a TSampleForm"},
        {R"({"class": "TSampleForm", "components": [{"class": "TGauge", "name": "G"}]})", "Class TGauge not found"},
        {R"({"class": "TSampleForm", "properties": {"Colour": 5}})", "Unknown property Colour of TSampleForm"},
        {R"({"class": "TSampleForm", "components": [{"class": "TButton", "name": "B",
             "properties": {"Font": {"Weight": 7}}}]})", "Unknown property Weight of TFont"},
        {R"({"class": "TSampleForm", "properties": {"Width": "wide"}})", "Property Width of TSampleForm: a whole number expected"},
        {R"({"class": "TSampleForm", "properties": {"BorderStyle": "bsRound"}})", "Unknown border style bsRound"},
    };
    for (const auto& c : cases) {
        RegisterFormDescription("TSampleForm", c.text);
        bool freed = false;
        try {
            CreateForm<TSampleForm>(nullptr);
            ADD_FAILURE() << c.text;
        } catch (const EFormDescriptionError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
        (void)freed;
    }
}

TEST_F(UiTest, WindowsAreMadeOnDemandAndReCreatedWithTheirContents) {
    std::unique_ptr<TSampleForm> form(CreateForm<TSampleForm>(nullptr));
    auto& again = Child<TCheckBox>(*form, "Again");
    EXPECT_EQ(again.HandleIfAny(), 0u);
    const WindowHandle button = again.Handle();  // makes the form's window with all its children
    EXPECT_NE(form->HandleIfAny(), 0u);
    EXPECT_TRUE(os::calls().WindowExists(button));
    EXPECT_NE(Child<TButton>(*form, "OK").HandleIfAny(), 0u);
    os::calls().WindowSend(button, os::kBmClick, 0, 0);  // the user unticks it
    EXPECT_FALSE(again.Checked());

    form->DestroyHandle();
    EXPECT_FALSE(os::calls().WindowExists(button));
    EXPECT_EQ(again.HandleIfAny(), 0u);
    EXPECT_FALSE(again.Checked());
    EXPECT_EQ(again.Caption(), "Ask again");
    form->Handle();
    EXPECT_NE(again.HandleIfAny(), 0u);
    EXPECT_FALSE(again.Checked());

    // Re-parented: the window follows into the other form's window.
    std::unique_ptr<TForm> other(NewForm<TForm>(nullptr));
    other->Handle();
    const WindowHandle moved = again.HandleIfAny();
    again.SetParent(other.get());
    EXPECT_EQ(again.HandleIfAny(), moved);
    EXPECT_EQ(other->Controls().size(), 1u);
    EXPECT_EQ(form->Controls().size(), 3u);
#if !defined(_WIN32)
    EXPECT_EQ(os::posix::Window(moved)->parent, other->HandleIfAny());
#endif
    again.SetFocus();
    EXPECT_EQ(os::calls().WindowFocused(), moved);

    // Held by another module's window: the form's window is made anew as its child.
    const WindowHandle before = form->HandleIfAny();
    form->SetParentWindow(other->HandleIfAny());
    EXPECT_FALSE(os::calls().WindowExists(before));
    const WindowHandle held = form->Handle();
#if !defined(_WIN32)
    EXPECT_EQ(os::posix::Window(held)->parent, other->HandleIfAny());
#endif
    form->SetParentWindow(0);
    EXPECT_FALSE(os::calls().WindowExists(held));
    EXPECT_EQ(Child<TButton>(*form, "OK").Caption(), "OK");
}

TEST_F(UiTest, ShowModalRunsUntilAButtonGivesTheModalResult) {
    for (const char* button : {"OK", "Cancel"}) {
        std::unique_ptr<TSampleForm> form(CreateForm<TSampleForm>(nullptr));
        int hidden = 0;
        form->onHide = [&](TForm&) { ++hidden; };
        // The click waits in the queue until the modal loop takes it.
        os::calls().PostMessageTo(Child<TButton>(*form, button).Handle(), os::kBmClick, 0, 0);
        EXPECT_EQ(form->ShowModal(), std::string(button) == "OK" ? mrOk : mrCancel);
        EXPECT_FALSE(os::calls().WindowVisible(form->HandleIfAny()));
        EXPECT_EQ(hidden, 1);
        EXPECT_EQ(ActiveModalForm(), nullptr);
    }
}

TEST_F(UiTest, ReleaseFreesTheFormAfterTheMessagesAlreadyQueued) {
    bool freed = false;
    auto* form = CreateForm<TSampleForm>(nullptr);
    form->freed = &freed;
    int clicks = 0;
    Child<TButton>(*form, "OK").onClick = [&](TControl&) {
        ++clicks;
        EXPECT_FALSE(freed);
    };
    os::calls().PostMessageTo(Child<TButton>(*form, "OK").Handle(), os::kBmClick, 0, 0);
    const WindowHandle window = form->HandleIfAny();
    form->Release();
    EXPECT_FALSE(freed);
    ProcessMessages();
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(freed);
    EXPECT_FALSE(os::calls().WindowExists(window));
}

std::vector<std::string> g_errors;
void RecordError(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        g_errors.push_back(e.what());
    }
}

TEST_F(UiTest, AnErrorInAHandlerGoesToTheExceptionHandlerNotThroughThePlatform) {
    g_errors.clear();
    SetExceptionHandler(&RecordError);
    std::unique_ptr<TSampleForm> form(CreateForm<TSampleForm>(nullptr));
    Child<TButton>(*form, "OK").onClick = [](TControl&) { throw std::runtime_error("handler failed"); };
    // Sent through the platform: the button's window reports the click to the form's window.
    os::calls().WindowSend(Child<TButton>(*form, "OK").Handle(), os::kBmClick, 0, 0);
    os::calls().PostMessageTo(Child<TButton>(*form, "OK").Handle(), os::kBmClick, 0, 0);
    ProcessMessages();
    EXPECT_EQ(g_errors, (std::vector<std::string>{"handler failed", "handler failed"}));
}

TEST_F(UiTest, FontsConvertToAndFromThePlatformDescription) {
    TFont font;
    font.SetName("Arial");
    font.SetSize(12);
    font.SetStyle(kBold | kItalic | kUnderline);
    font.SetCharset(128);
    const LogFontA d = font.ToLogFont();
    EXPECT_EQ(d.Height, -(12 * os::calls().ScreenPixelsPerInch() + 36) / 72);
    EXPECT_EQ(d.Weight, 700);
    EXPECT_EQ(d.Italic, 1);
    EXPECT_EQ(d.Underline, 1);
    EXPECT_EQ(d.StrikeOut, 0);
    EXPECT_EQ(d.CharSet, 128);
    EXPECT_STREQ(d.FaceName, "Arial");
    TFont back;
    back.SetColor(font.Color());
    back.FromLogFont(d);
    EXPECT_TRUE(back == font);
    EXPECT_EQ(ColorToText(kClBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToText(0x123456), "$00123456");
}

TEST_F(UiTest, HookPointsCallThroughToTheFrameworksRoutine) {
    static std::vector<std::string> seen;
    seen.clear();
    auto& point = hooks().colorToText;
    ASSERT_TRUE(point.Install([](int64_t c) { return "<" + hooks().colorToText.Original(c) + ">"; }));
    EXPECT_FALSE(point.Install([](int64_t) { return std::string(); }));  // one replacement at a time
    EXPECT_EQ(ColorToText(0xFF), "<clRed>");
    point.Remove();
    EXPECT_EQ(ColorToText(0xFF), "clRed");
}

}  // namespace
}  // namespace plz::ui
