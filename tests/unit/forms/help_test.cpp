// Context help of the plug-in's forms: ".id" maps, references to another module's help, topic
// addresses, F1 and the help message, the master pop-up, the host's font, and test mode.
#include <gtest/gtest.h>

#include <memory>

#include "client/paths.h"
#include "forms/form_with_help.h"
#include "forms/help.h"
#include "frame/errors.h"
#include "tests/unit/forms/forms_fixture.h"
#include "ui/message_dialog.h"
#include "ui/std_controls.h"

namespace plz::forms {
namespace {

class TOptionsForm : public TFormWithHelp {
public:
    std::string ClassName() const override { return "TOptionsForm"; }
};

class HelpTest : public test::FormsTest {
protected:
    std::string Processes() {
        std::string out;
        for (const auto& p : state().processes) out += p.process + " " + p.parameters + "\n";
        return out;
    }
};

TEST_F(HelpTest, IdMapsReadNumbersReferencesAndSkipOtherLines) {
    HelpIdMap map;
    ParseHelpIdMap("Buttons=12\r\nOther=5,Server\nno equals sign\nBad=x\nbig=99999999999\nlast=7,PCB:Panel,x", map);
    const struct {
        const char* key;
        bool found;
        int32_t id;
    } cases[] = {{"Buttons", true, 12}, {"BUTTONS", true, 12}, {"Other", true, -1}, {"Bad", true, 0},
                 {"big", true, 0},       {"last", true, -2},    {"no equals sign", false, 0}};
    for (const auto& c : cases) {
        int32_t id = 0;
        EXPECT_EQ(map.Find(c.key, &id), c.found) << c.key;
        EXPECT_EQ(id, c.id) << c.key;
    }
    EXPECT_EQ(map.references, (std::vector<std::string>{"Server", "PCB:Panel,x"}));
}

TEST_F(HelpTest, AReferenceLooksTheTopicUpInTheOtherModulesHelp) {
    WriteFile(HelpFolder(), "Mine.id", "Dlg_Layers=3,PCB:Layers\nDlg_Gone=4,Missing\nDlg_Min=-2147483648\nDlg_Neg=-3\n");
    WriteFile(HelpFolder(), "Trelpa.chm", "");
    WriteFile(HelpFolder(), "Trelpa.id", "PCB_Layers=4711\n");
    state().referenceModules[u"PCB:Layers"] = u"C:\\Program\\Trelpa.dll";
    HelpIdMap map;
    std::string topic, file = LocateHelpFile("Mine.chm");
    EXPECT_EQ(LookupHelpId("Layers", "", topic, map, file), 0);  // a plain name is not the key
    EXPECT_EQ(LookupHelpId("Dlg_Layers", "", topic, map, file), 4711);
    EXPECT_EQ(topic, "PCB_Layers");
    EXPECT_EQ(file, GetHelpFolder() + "Trelpa.chm");
    file = LocateHelpFile("Mine.chm");
    EXPECT_EQ(LookupHelpId("Dlg_Gone", "", topic, map, file), 0);  // no help file behind it
    // Negative numbers in the file read as references; past the list they give no id.
    EXPECT_EQ(LookupHelpId("Dlg_Min", "", topic, map, file), 0);
    EXPECT_EQ(LookupHelpId("Dlg_Neg", "", topic, map, file), 0);
    EXPECT_EQ(state().referenceQueries, (std::vector<std::u16string>{u"PCB:Layers", u"Missing"}));
}

TEST_F(HelpTest, ATopicIsShownThroughTheHostsHelpPanel) {
    ShowHelpTopic("X.hlp", "Dlg_Options", false);
    ShowHelpTopic(HelpFolder() + "X.chm", "/Dlg_Options", true);
    EXPECT_EQ(Processes(),
              "Client:CustomizeResources ObjectKind=Panel|Action=Show|Id=ZavuravadIduduz\n"
              "HelpAdvisor:ShowDynamicHelp ForceUpdate=True|Address=" + GetHelpFolder() + "X.chm::/Dlg_Options.htm\n"
              "HelpAdvisor:ShowDynamicHelp Address=" + HelpFolder() + "X.chm::/Dlg_Options.htm\n");
    EXPECT_EQ(state().processes[1].size, int32_t(state().processes[1].parameters.size() + 1));
    EXPECT_EQ(state().processes[1].context, nullptr);
}

#if !defined(_WIN32)
TEST_F(HelpTest, F1OnAControlAndTheHelpMessageAfterItShowHelpOnce) {
    const std::string module = ChangeFileExt(LibraryFileName(), "");
    WriteFile(HelpFolder(), module + ".id", "Dlg_OptionsForm=21\n");
    std::unique_ptr<TOptionsForm> form(ui::NewForm<TOptionsForm>(nullptr));
    form->SetName("OptionsForm");
    auto* ok = ui::New<ui::TButton>(form.get());
    ok->SetName("OK");
    ok->SetParent(form.get());
    os::calls().WindowSend(ok->Handle(), os::kWmKeyDown, os::kVkF1, 0);
    os::HelpRequest request;
    request.item = ok->HandleIfAny();
    os::calls().WindowSend(ok->HandleIfAny(), os::kWmHelp, 0, intptr_t(&request));
    EXPECT_EQ(state().processes.size(), 2u);  // the panel, then the topic: once
    EXPECT_NE(Processes().find(module + ".chm::/Dlg_OptionsForm.htm"), std::string::npos) << Processes();
    EXPECT_FALSE(form->F1Pending());
    EXPECT_TRUE(os::posix::WinHelpCalls().empty());

    // F1 with Ctrl down goes to the host's keys instead.
    state().takenKeys.push_back({os::kVkF1, 0, 0, -1});
    os::posix::SetKeyDown(os::kVkControl, true);
    os::calls().WindowSend(ok->HandleIfAny(), os::kWmKeyDown, os::kVkF1, 0);
    os::posix::SetKeyDown(os::kVkControl, false);
    EXPECT_EQ(state().keyOffers, (std::vector<hostsim::KeyOffer>{{os::kVkF1, 0, 0, -1}}));
    EXPECT_EQ(state().takenKeyRuns, 1u);
}

TEST_F(HelpTest, WithoutATopicF1PopsUpTheMasterHelpAtTheMouse) {
    state().preferences.hideFloatingPanels = true;
    os::posix::SetCursorPosition({300, 200});
    std::unique_ptr<TOptionsForm> form(ui::NewForm<TOptionsForm>(nullptr));
    auto* box = ui::New<ui::TCheckBox>(form.get());
    box->SetParent(form.get());
    os::calls().WindowSend(box->Handle(), os::kWmKeyDown, os::kVkF1, 0);
    const std::string master = GetHelpFolder() + "qelmaster.hlp";
    EXPECT_EQ(os::posix::WinHelpCalls(),
              (std::vector<os::posix::WinHelpCall>{
                  {form->HandleIfAny(), master, os::kHelpSetPopupPos, (200u << 16) | 300u, {300, 200}},
                  {form->HandleIfAny(), master, os::kHelpContextPopup, 1, {}}}));
    // The floating panels were shown for the pop-up and hidden again after it.
    EXPECT_EQ(state().hideFloatingPanelsWrites, (std::vector<bool>{false, true}));
}

TEST_F(HelpTest, TheHelpMessageLooksTheControlUpWithTheFormsNameThenItsClassName) {
    const std::string popup = ChangeFileExt(LibraryFileName(), "") + "wth";
    WriteFile(HelpFolder(), popup + ".id", "Dlg_OptionsForm_Apply=33\n");
    std::unique_ptr<TOptionsForm> form(ui::NewForm<TOptionsForm>(nullptr));
    form->SetName("Options1");
    auto* apply = ui::New<ui::TButton>(form.get());
    apply->SetName("Apply");
    apply->SetParent(form.get());
    os::HelpRequest request;
    request.item = apply->Handle();
    request.mousePos = {10, 20};
    os::calls().WindowSend(form->HandleIfAny(), os::kWmHelp, 0, intptr_t(&request));
    ASSERT_EQ(os::posix::WinHelpCalls().size(), 2u);
    EXPECT_EQ(os::posix::WinHelpCalls()[1].data, 33u);
    EXPECT_EQ(os::posix::WinHelpCalls()[0].popupPosition, (os::Point{10, 20}));
    EXPECT_EQ(state().statusTexts, (std::vector<hostsim::StatusText>{{-1, u""}}));
}
#endif

TEST_F(HelpTest, AShownHintBringsTheHostsDynamicHelpToTheControl) {
    const std::string popup = ChangeFileExt(LibraryFileName(), "") + "wth";
    WriteFile(HelpFolder(), popup + ".id", "Dlg_Apply=8\n");
    StartFormsSupport();
    std::unique_ptr<TOptionsForm> form(ui::NewForm<TOptionsForm>(nullptr));
    auto* apply = ui::New<ui::TButton>(form.get());
    apply->SetName("Apply");
    apply->SetHint("Applies the options");
    apply->SetShowHint(true);
    apply->SetParent(form.get());
    os::calls().WindowSend(apply->Handle(), os::kWmMouseMove, 0, 0);
    os::calls().WindowSend(apply->Handle(), os::kWmMouseMove, 0, 0);  // the same hint: once
    EXPECT_EQ(Processes(), "HelpAdvisor:ShowDynamicHelp Address=" + GetHelpFolder() + popup + ".chm::/Dlg_Apply.htm\n");
    ui::CancelHint();
}

TEST_F(HelpTest, APopUpRestoresTheFloatingPanelsPreferenceAlsoWhenItFails) {
    state().preferences.hideFloatingPanels = true;
    os::ScopedOverride sleep(os::calls().SleepFor, +[](uint32_t) { throw Exception("interrupted"); });
    EXPECT_THROW(ShowHelpPopup(0, {}, "x.hlp", 1), Exception);
    EXPECT_TRUE(state().preferences.hideFloatingPanels);
}

TEST_F(HelpTest, TheHostsFontIsTheFormsWhenTheHostOffersOne) {
    state().uiFont = {true, "Segoe UI", 9, 1, 0x102030, 0};
    std::unique_ptr<TOptionsForm> form(ui::NewForm<TOptionsForm>(nullptr));
    EXPECT_TRUE(form->HostFontUsed());
    StartFormsSupport();
    auto* label = ui::New<ui::TLabel>(form.get());
    label->SetParentFont(false);
    label->SetParent(form.get());  // the insertion point gives it the host's font
    EXPECT_EQ(label->Font().Name(), "Segoe UI");
    EXPECT_EQ(label->Font().Style(), ui::kBold);
    EXPECT_EQ(label->Font().Color(), 0x102030);
    form->Loaded();
    EXPECT_EQ(form->Font().Name(), "Segoe UI");
    EXPECT_TRUE(form->ShowHint());
}

TEST_F(HelpTest, InTestModeAModalFormOrMessageDialogEndsTheProcessAfterItsLine) {
    SetRegistry(os::RegistryRoot::LocalMachine, "Software\\Vantor\\TestMode");
    const std::string out = (root / "out.txt").string();
    EXPECT_EXIT(
        {
            if (!std::freopen(out.c_str(), "w", stdout)) std::abort();
            std::unique_ptr<TOptionsForm> form(ui::NewForm<TOptionsForm>(nullptr));
            form->SetCaption("Options");
            form->ShowModal();
        },
        ::testing::ExitedWithCode(1), "");
    std::ifstream in(out);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line.substr(0, line.find_last_not_of('\r') + 1), "Running modal dialog TOptionsForm Options");
    EXPECT_EXIT(
        {
            if (!std::freopen(out.c_str(), "w", stdout)) std::abort();
            StartFormsSupport();
            std::unique_ptr<ui::TMessageForm> dialog(ui::CreateMessageDialog("Sure?", MessageKind::Confirmation, 3));
            dialog->ShowModal();
        },
        ::testing::ExitedWithCode(1), "");
    std::ifstream again(out);
    std::getline(again, line);
    EXPECT_EQ(line.substr(0, line.find_last_not_of('\r') + 1), "Running modal dialog TMessageForm Confirm");
}

}  // namespace
}  // namespace plz::forms
