// Forms embedded in the host's windows: the wrappers' lifetimes (freed at once, released by the
// form, or by the delayed destroyer after its posted message), the holder and its reference, the
// window handed over, the forwarded options-page and document-view operations, and the server
// module's registry driven the way the host does it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/delayed_destroyer.h"
#include "forms/document_options_view.h"
#include "forms/external_form.h"
#include "forms/options_page.h"
#include "frame/server_module.h"
#include "hostsim/form_holder.h"
#include "platform/wide_string.h"
#include "tests/unit/forms/forms_fixture.h"
#include "ui/std_controls.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace plz::forms {
namespace {

int g_freed = 0;  // forms of the test classes freed so far

// A form with a label, a disabled check box that is a tab stop, and a button (the first control
// that can take the focus) nested in a panel. It offers the options page's operations and the
// document view's, and notes each call.
class SampleForm : public TDocumentOptionsForm, public IOptionsPage {
public:
    ~SampleForm() override { ++g_freed; }
    std::string ClassName() const override { return "TSampleOptionsForm"; }

    void CreateNew() override {
        TDocumentOptionsForm::CreateNew();
        SetCaption("Sample options");
        SetBounds(0, 0, 320, 200);
        auto* label = ui::New<ui::TLabel>(this);
        label->SetParent(this);
        box = ui::New<ui::TCheckBox>(this);
        box->SetParent(this);
        box->SetTabStop(true);
        box->SetEnabled(false);
        auto* panel = ui::New<ui::TControl>(this);
        panel->SetParent(this);
        button = ui::New<ui::TButton>(this);
        button->SetParent(panel);
        button->SetTabStop(true);
    }

    HRESULT PLZ_STDCALL QueryInterface(const GUID&, void** object) override {
        ClearOut(object);
        return E_NOINTERFACE;
    }
    uint32_t PLZ_STDCALL AddRef() override { return 1; }  // the form's owner frees it
    uint32_t PLZ_STDCALL Release() override { return 1; }
    HRESULT PLZ_STDCALL OptionsPage1(uint8_t* flag) override { return Note("page 1", flag, uint8_t(1)); }
    HRESULT PLZ_STDCALL OptionsPage2(uint8_t flag) override { return Note("page 2 " + std::to_string(flag)); }
    HRESULT PLZ_STDCALL OptionsPage3() override { return Note("page 3"); }
    HRESULT PLZ_STDCALL OptionsPage4() override { return E_FAIL; }
    HRESULT PLZ_STDCALL OptionsPage5(int32_t* value) override { return Note("page 5", value, int32_t(7)); }
    HRESULT PLZ_STDCALL OptionsPage6() override { return Note("page 6"); }
    HRESULT PLZ_STDCALL OptionsPage7() override { return Note("page 7"); }

    void OptionsView1(const std::string& name) override { calls.push_back("view 1 " + name); }
    bool OptionsView2() override { return calls.push_back("view 2"), true; }
    void OptionsView3() override { calls.push_back("view 3"); }
    void OptionsView4() override { calls.push_back("view 4"); }
    bool OptionsView5() override { return calls.push_back("view 5"), true; }
    void OptionsView6() override { calls.push_back("view 6"); }
    void OptionsView7() override { calls.push_back("view 7"); }
    void OptionsView8(const std::string& a, const std::string& b) override { calls.push_back("view 8 " + a + " " + b); }
    void OptionsView9(const std::string& text, int32_t& value) override {
        calls.push_back("view 9 " + text + " " + std::to_string(value));
        value = 42;
    }

    std::vector<std::string> calls;
    ui::TCheckBox* box = nullptr;
    ui::TButton* button = nullptr;

private:
    HRESULT Note(std::string call) {
        calls.push_back(std::move(call));
        return S_OK;
    }
    template <typename T>
    HRESULT Note(std::string call, T* out, T value) {
        *out = value;
        return Note(std::move(call));
    }
};

// A form without the options page's operations.
class PlainForm : public TFormWithHelp {
public:
    ~PlainForm() override { ++g_freed; }
};

using Holder = ComPtr<hostsim::FormHolder>;

class ExternalFormTest : public test::FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        g_freed = 0;
        state().immediateFormRelease = false;
    }
    void TearDown() override {
        TDelayedDestroyer::FreePending();
        FormsTest::TearDown();
    }

    static SampleForm* NewSample() { return ui::NewForm<SampleForm>(nullptr); }
    static Holder NewHolder() { return Holder::Adopt(new hostsim::FormHolder("Host options", {100, 100, 740, 560})); }
    static ComPtr<IDocumentOptionsView> NewView(SampleForm* form) {
        return ComPtr<IDocumentOptionsView>::Adopt(new TDocumentOptionsView(form));
    }
    static void PumpAll() {
        while (os::calls().PumpMessage(false)) {
        }
    }
    // The thread's error text, taken.
    static std::string ErrorText() {
        os::ErrorInfo info;
        return os::calls().TakeThreadErrorInfo(&info) ? os::calls().WideToAnsi(info.description) : std::string();
    }
};

TEST_F(ExternalFormTest, TheFormIsFreedOnceWhenTheWrapperGoes) {
    struct Case {
        const char* name;
        bool page;         // an options page (frees at once) or a document view
        bool window;       // the form has a window when released
        bool immediate;    // the host's answer
        bool client;       // there is a client
        bool answerFails;  // GetImmediateFormRelease fails
        bool freedAtOnce;
        size_t destroyers;  // waiting after the release
    };
    const Case cases[] = {
        {"options page", true, true, false, true, false, true, 0},
        {"view, host asks for it", false, true, true, true, false, true, 0},
        {"view, no client", false, false, false, false, false, true, 0},
        {"view with a window: released by the form", false, true, false, true, false, false, 0},
        {"view without a window: the delayed destroyer", false, false, false, true, false, false, 1},
        {"view, the host's answer fails", false, false, true, true, true, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_freed = 0;
        state().immediateFormRelease = c.immediate;
        SetCurrentClient(c.client ? host.Client() : nullptr);
        SampleForm* form = NewSample();
        ComPtr<IExternalForm> wrapper;
        if (c.page)
            wrapper = ComPtr<IExternalForm>::Adopt(new TOptionsPage(form));
        else
            wrapper = ComPtr<IExternalForm>::Adopt(static_cast<TExternalForm*>(new TDocumentOptionsView(form)));
        if (c.window) form->Handle();
        if (c.answerFails) state().failCallNumber = state().calls.size() + 1;
        ErrorText();  // whatever earlier work left

        wrapper.Reset();
        state().failCallNumber = 0;
        EXPECT_EQ(g_freed, c.freedAtOnce ? 1 : 0);
        EXPECT_EQ(TDelayedDestroyer::PendingCount(), c.destroyers);
        EXPECT_EQ(ErrorText(), "");  // a swallowed failure leaves nothing behind
        PumpAll();
        EXPECT_EQ(g_freed, 1);
        EXPECT_EQ(TDelayedDestroyer::PendingCount(), 0u);
    }
}

// The window of the release message waiting in the thread's queue, or 0.
WindowHandle QueuedRelease() {
#if defined(_WIN32)
    MSG msg{};
    if (!::PeekMessageA(&msg, nullptr, 0xB021, 0xB021, PM_NOREMOVE)) return 0;
    return reinterpret_cast<WindowHandle>(msg.hwnd);
#else
    os::QueuedMessage queued;
    return os::calls().PeekAnyMessage(&queued) && queued.message == 0xB021 ? queued.window : 0;
#endif
}

TEST_F(ExternalFormTest, TheDelayedDestroyerWaitsForItsPostedMessageInAWindowOfItsOwn) {
    SampleForm* form = NewSample();
    NewView(form).Reset();
    ASSERT_EQ(TDelayedDestroyer::PendingCount(), 1u);
    const WindowHandle window = QueuedRelease();
    ASSERT_NE(window, 0u);
    EXPECT_TRUE(os::calls().WindowExists(window));
    EXPECT_FALSE(os::calls().WindowVisible(window));
#if defined(_WIN32)
    // A message-only window: not below the desktop, so never seen or enumerated.
    EXPECT_NE(::GetAncestor(reinterpret_cast<HWND>(window), GA_PARENT), ::GetDesktopWindow());
#endif
    EXPECT_EQ(g_freed, 0);

#if defined(_WIN32)
    // The system's own message loop delivers it.
    for (int i = 0; i < 1000 && g_freed == 0; ++i) {
        MSG msg{};
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    }
#else
    PumpAll();
#endif
    EXPECT_EQ(g_freed, 1);
    EXPECT_FALSE(os::calls().WindowExists(window));
    EXPECT_EQ(TDelayedDestroyer::PendingCount(), 0u);
}

TEST_F(ExternalFormTest, ShutDownFreesTheFormsStillWaiting) {
    NewView(NewSample()).Reset();
    ASSERT_EQ(TDelayedDestroyer::PendingCount(), 1u);
    StopFormsSupport();
    EXPECT_EQ(g_freed, 1);
    EXPECT_EQ(TDelayedDestroyer::PendingCount(), 0u);
    PumpAll();  // the message for the gone window is dropped
    EXPECT_EQ(g_freed, 1);
}

TEST_F(ExternalFormTest, TheHolderGetsTheFormAndLetsItGoWithItsContents) {
    SampleForm* form = NewSample();
    form->SetPosition(ui::FormPosition::ScreenCenter);  // showing on its own would move it
    form->SetBounds(30, 40, 320, 200);
    form->box->SetChecked(true);
    ComPtr<IDocumentOptionsView> view = NewView(form);
    Holder holder = NewHolder();

    EXPECT_EQ(form->BorderStyle(), os::WindowBorder::None);  // the host's window gives the frame
    WindowHandle window = 1;
    EXPECT_EQ(view->GetWindowHandle(&window), S_OK);
    EXPECT_EQ(window, 0u);
    EXPECT_FALSE(form->HandleAllocated());  // asking made none

    ASSERT_EQ(view->SetHolder(holder.Get()), S_OK);
    ASSERT_EQ(view->ShowInHolder(), S_OK);
    EXPECT_EQ(holder->Calls(), std::vector<std::string>{"GetParentWindow"});
    EXPECT_EQ(form->ParentWindow(), holder->Window());
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(form->Bounds(), (os::Rect{30, 40, 350, 240}));
    ASSERT_EQ(view->GetWindowHandle(&window), S_OK);
    EXPECT_EQ(window, form->HandleIfAny());
    EXPECT_TRUE(os::calls().WindowVisible(window));
#if defined(_WIN32)
    // A real child window of the holder's.
    EXPECT_EQ(::GetParent(reinterpret_cast<HWND>(window)), reinterpret_cast<HWND>(holder->Window()));
    EXPECT_TRUE(::IsWindowVisible(reinterpret_cast<HWND>(window)));
    RECT r{};
    ::GetWindowRect(reinterpret_cast<HWND>(window), &r);
    ::MapWindowPoints(HWND_DESKTOP, reinterpret_cast<HWND>(holder->Window()), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
#else
    EXPECT_EQ(os::posix::Window(window)->parent, holder->Window());
#endif

    bool hidden = false;
    form->onHide = [&](ui::TForm&) { hidden = true; };
    ASSERT_EQ(view->SetHolder(nullptr), S_OK);
    EXPECT_TRUE(hidden);
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_FALSE(os::calls().WindowExists(window));
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->ParentWindow(), 0u);
    EXPECT_TRUE(form->box->Checked());  // the contents stayed for the next window

    EXPECT_EQ(view->ShowInHolder(), S_OK);  // without a holder it stays invisible
    EXPECT_FALSE(form->Visible());
    EXPECT_EQ(form->Bounds(), (os::Rect{30, 40, 350, 240}));
}

// Found when the host's order was varied: a host that lets the wrapper go while the form is still
// in its window, and then closes that window before its message loop runs again, took the form's
// posted release along with the form's window, and the form was never freed.
TEST_F(ExternalFormTest, AFormLeftInTheHostsWindowIsFreedAlsoWhenTheHostsWindowGoesFirst) {
    SampleForm* form = NewSample();
    ComPtr<IDocumentOptionsView> view = NewView(form);
    Holder holder = NewHolder();
    ASSERT_EQ(view->SetHolder(holder.Get()), S_OK);
    ASSERT_EQ(view->ShowInHolder(), S_OK);
    ASSERT_TRUE(form->HandleAllocated());

    view.Reset();    // no SetHolder(none) before
    holder.Reset();  // the host's window goes, with any window inside it
    EXPECT_EQ(g_freed, 0);
    PumpAll();
    EXPECT_EQ(g_freed, 1);
}

TEST_F(ExternalFormTest, TheHoldersReferenceIsCountedAndGivenBack) {
    ComPtr<IDocumentOptionsView> view = NewView(NewSample());
    Holder first = NewHolder(), second = NewHolder();
    ASSERT_EQ(view->SetHolder(first.Get()), S_OK);
    EXPECT_EQ(first->References(), 2u);
    ASSERT_EQ(view->SetHolder(second.Get()), S_OK);
    EXPECT_EQ(first->References(), 1u);
    EXPECT_EQ(second->References(), 2u);
    view.Reset();
    EXPECT_EQ(second->References(), 1u);
}

TEST_F(ExternalFormTest, AFailingParentWindowFailsShowInHolderAndLeavesTheFormAsItWas) {
    SampleForm* form = NewSample();
    ComPtr<IDocumentOptionsView> view = NewView(form);
    Holder holder = NewHolder();
    holder->parentWindowFailure = hostsim::Failure{E_FAIL, u"Host", u"no window for you"};
    ASSERT_EQ(view->SetHolder(holder.Get()), S_OK);
    EXPECT_EQ(view->ShowInHolder(), E_UNEXPECTED);
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(form->HandleAllocated());
}

TEST_F(ExternalFormTest, FocusGoesToTheFirstTabStopThatCanTakeIt) {
    SampleForm* form = NewSample();
    ComPtr<IDocumentOptionsView> view = NewView(form);
    Holder holder = NewHolder();
    ASSERT_EQ(view->SetHolder(holder.Get()), S_OK);
    ASSERT_EQ(view->ShowInHolder(), S_OK);
    ASSERT_EQ(view->FocusFirstControl(), S_OK);
    EXPECT_EQ(os::calls().WindowFocused(), form->button->HandleIfAny());  // past the disabled box
    ASSERT_EQ(view->FocusForm(), S_OK);
    EXPECT_EQ(os::calls().WindowFocused(), form->HandleIfAny());
    ASSERT_EQ(view->HideForm(), S_OK);
    ASSERT_EQ(view->FocusFirstControl(), S_OK);
    ASSERT_EQ(view->FocusForm(), S_OK);  // a hidden form takes no focus: nothing happens
    EXPECT_EQ(os::calls().WindowFocused(), form->button->HandleIfAny());
}

TEST_F(ExternalFormTest, AWrapperWithoutAFormDoesWhatItCanAndFailsTheRest) {
    ComPtr<IOptionsPage> page = ComPtr<IOptionsPage>::Adopt(new TOptionsPage(nullptr));
    ComPtr<IExternalForm> form;
    ASSERT_EQ(page->QueryInterface(IID_IExternalForm, reinterpret_cast<void**>(form.Out())), S_OK);
    Holder holder = NewHolder();
    EXPECT_EQ(form->SetHolder(holder.Get()), S_OK);
    EXPECT_EQ(form->Detach(), S_OK);
    EXPECT_EQ(form->FocusForm(), S_OK);
    WideString caption;
    EXPECT_EQ(form->GetCaption(caption.Out()), S_OK);
    EXPECT_EQ(caption.Ansi(), "");
    EXPECT_EQ(form->ShowInHolder(), E_UNEXPECTED);
    EXPECT_EQ(form->ShowForm(), E_UNEXPECTED);
    WindowHandle window = 0;
    EXPECT_EQ(form->GetWindowHandle(&window), E_UNEXPECTED);

    // The options page's operations succeed with their defaults.
    uint8_t flag = 1;
    int32_t value = 0;
    EXPECT_EQ(page->OptionsPage1(&flag), S_OK);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(page->OptionsPage5(&value), S_OK);
    EXPECT_EQ(value, -1);
    for (auto op : {&IOptionsPage::OptionsPage3, &IOptionsPage::OptionsPage4, &IOptionsPage::OptionsPage6,
                    &IOptionsPage::OptionsPage7})
        EXPECT_EQ((page.Get()->*op)(), S_OK);
    EXPECT_EQ(page->OptionsPage2(1), S_OK);
}

TEST_F(ExternalFormTest, OptionsPageOperationsGoToTheFormsOwn) {
    SampleForm* form = NewSample();
    ComPtr<IOptionsPage> page = ComPtr<IOptionsPage>::Adopt(new TOptionsPage(form));
    uint8_t flag = 0;
    int32_t value = 0;
    const struct {
        std::function<HRESULT()> call;
        HRESULT status;
        const char* noted;  // what the form noted, or nothing
    } cases[] = {
        {[&] { return page->OptionsPage1(&flag); }, S_OK, "page 1"},
        {[&] { return page->OptionsPage2(5); }, S_OK, "page 2 5"},
        {[&] { return page->OptionsPage3(); }, S_OK, "page 3"},
        {[&] { return page->OptionsPage4(); }, E_UNEXPECTED, nullptr},  // the form's failure is checked
        {[&] { return page->OptionsPage5(&value); }, S_OK, "page 5"},
        {[&] { return page->OptionsPage6(); }, S_OK, "page 6"},
        {[&] { return page->OptionsPage7(); }, S_OK, "page 7"},
    };
    for (const auto& c : cases) {
        form->calls.clear();
        EXPECT_EQ(c.call(), c.status);
        EXPECT_EQ(form->calls, c.noted ? std::vector<std::string>{c.noted} : std::vector<std::string>{});
    }
    EXPECT_EQ(flag, 1);
    EXPECT_EQ(value, 7);

    // A form without the operations fails each of them.
    ComPtr<IOptionsPage> plain = ComPtr<IOptionsPage>::Adopt(new TOptionsPage(ui::NewForm<PlainForm>(nullptr)));
    EXPECT_EQ(plain->OptionsPage5(&value), E_UNEXPECTED);
    EXPECT_EQ(ErrorText(), "Interface not supported");
    EXPECT_EQ(value, 0);
    EXPECT_EQ(plain->OptionsPage3(), E_UNEXPECTED);
    EXPECT_EQ(ErrorText(), "Interface not supported");
}

TEST_F(ExternalFormTest, DocumentViewOperationsGoToTheFormsVirtuals) {
    SampleForm* form = NewSample();
    ComPtr<IDocumentOptionsView> view = NewView(form);
    EXPECT_EQ(form->View, static_cast<TDocumentOptionsView*>(view.Get()));
    uint8_t flag2 = 0, flag5 = 0;
    int32_t value = -5;
    WideString name("Board");
    const struct {
        std::function<HRESULT()> call;
        const char* noted;
    } cases[] = {
        {[&] { return view->OptionsView1(name.Get()); }, "view 1 Board"},
        {[&] { return view->OptionsView2(&flag2); }, "view 2"},
        {[&] { return view->OptionsView3(); }, "view 3"},
        {[&] { return view->OptionsView4(); }, "view 4"},
        {[&] { return view->OptionsView5(&flag5); }, "view 5"},
        {[&] { return view->OptionsView6(); }, "view 6"},
        {[&] { return view->OptionsView7(); }, "view 7"},
        {[&] { return view->OptionsView8("Left", "Right"); }, "view 8 Left Right"},
        {[&] { return view->OptionsView9("Count", &value); }, "view 9 Count 0"},  // cleared first
    };
    for (const auto& c : cases) {
        form->calls.clear();
        EXPECT_EQ(c.call(), S_OK);
        EXPECT_EQ(form->calls, std::vector<std::string>{c.noted});
    }
    EXPECT_EQ(flag2, 1);
    EXPECT_EQ(flag5, 1);
    EXPECT_EQ(value, 42);

    // The form may outlive its view: it forgets it.
    form->Handle();
    view.Reset();
    EXPECT_EQ(g_freed, 0);
    EXPECT_EQ(form->View, nullptr);
    PumpAll();
    EXPECT_EQ(g_freed, 1);
}

// A module whose registry holds the sample form, as an options page and as an options view.
class SampleModule final : public TServerModule {
public:
    SampleModule(IClient* client) : TServerModule(client, "Sample") {}

protected:
    void AfterCreate() override {
        RegisterOptionsForm("Sample Options", &MakeOptionsPage<SampleForm>);
        RegisterOptionsView("Sample Options", &MakeDocumentOptionsView<SampleForm>);
    }
};

TEST_F(ExternalFormTest, TheHostEmbedsARegisteredFormThroughTheServerModule) {
    ComPtr<IServerModule> module = ComPtr<IServerModule>::Adopt(NewServerModule<SampleModule>(host.Client()));
    HRESULT status = E_FAIL;
    EXPECT_FALSE(hostsim::AskOptionsPage(module.Get(), "Other", &status));
    EXPECT_EQ(status, S_OK);
    EXPECT_FALSE(hostsim::AskOptionsView(module.Get(), "Other", &status));
    EXPECT_EQ(status, S_OK);

    for (bool asView : {false, true}) {
        SCOPED_TRACE(asView ? "options view" : "options page");
        g_freed = 0;
        ComPtr<IExternalForm> form = asView ? hostsim::AskOptionsView(module.Get(), "sample options", &status)
                                            : hostsim::AskOptionsPage(module.Get(), "sample options", &status);
        ASSERT_EQ(status, S_OK);
        ASSERT_TRUE(form);
        Holder holder = NewHolder();
        const hostsim::EmbeddedFormReport report = hostsim::DriveEmbeddedForm(form, *holder.Get(), {8, 12, 408, 312});
        form.Reset();
        EXPECT_FALSE(report.failed) << hostsim::FormatEmbeddedFormReport(report);
        EXPECT_NE(report.window, 0u);
        EXPECT_TRUE(report.visibleWhenShown);
        EXPECT_EQ(report.windowAfterDetach, 0u);
        EXPECT_EQ(std::vector<int32_t>({report.left, report.top, report.width, report.height}),
                  std::vector<int32_t>({8, 12, 400, 300}));
        EXPECT_EQ(report.caption, u"Sample options");
        EXPECT_EQ(holder->Calls(), std::vector<std::string>{"GetParentWindow"});
        EXPECT_EQ(holder->References(), 1u);
        EXPECT_EQ(g_freed, asView ? 0 : 1);  // a view without a window waits for its destroyer
        PumpAll();
        EXPECT_EQ(g_freed, 1);
    }
}

}  // namespace
}  // namespace plz::forms
