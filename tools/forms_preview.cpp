// plazen-forms-preview: shows one of the plug-in's forms for a while, inside the simulated host, so
// that a person (or scripts/screenshots.sh) can look at it. Not a test.
//   plazen-forms-preview message|sample|acrobat|embedded [--translations FILE] [--seconds N]
// "message" is the error box the Plazen command shows without a board; "sample" is a form read
// from a stored description, translated by the host's translation manager when texts are given;
// "acrobat" is the warning shown before a manual opens in an old PDF viewer; "embedded" is the
// sample form as an options page inside a window of the host's.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "client/client_api.h"
#include "forms/acrobat_warning_dialog.h"
#include "forms/options_page.h"
#include "forms/form_with_help.h"
#include "forms/forms_support.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "hostsim/form_holder.h"
#include "hostsim/host.h"
#include "hostsim/translations.h"
#include "platform/os.h"
#include "ui/message_dialog.h"
#include "ui/reader.h"

namespace {

using namespace plz;

class TExportOptionsForm : public forms::TFormWithHelp {
public:
    std::string ClassName() const override { return "TExportOptionsForm"; }
};

constexpr const char* kSample = R"json({
  "class": "TExportOptionsForm", "name": "ExportOptions",
  "properties": { "Caption": "Export options", "BorderStyle": "bsDialog", "Position": "poScreenCenter",
                  "Width": 360, "Height": 190, "HelpButton": true,
                  "Font": { "Name": "Tahoma", "Size": 8 } },
  "components": [
    { "class": "TImage", "name": "Warning", "properties": { "Picture": "Warning", "Left": 16, "Top": 16 } },
    { "class": "TLabel", "name": "Prompt", "properties": {
        "Caption": "The board will be saved as a copy.", "Left": 64, "Top": 18, "Width": 270, "Height": 16 } },
    { "class": "TCheckBox", "name": "OpenAfter", "properties": {
        "Caption": "Open the copy afterwards", "Checked": true, "Left": 64, "Top": 48, "Width": 270, "Height": 20 } },
    { "class": "TCheckBox", "name": "KeepLayers", "properties": {
        "Caption": "Keep hidden layers", "Left": 64, "Top": 72, "Width": 270, "Height": 20 } },
    { "class": "TButton", "name": "SaveButton", "properties": {
        "Caption": "Save as", "Default": true, "ModalResult": 1, "Left": 144, "Top": 116, "Width": 95, "Height": 25 } },
    { "class": "TButton", "name": "CancelButton", "properties": {
        "Caption": "Cancel", "Cancel": true, "ModalResult": 2, "Left": 247, "Top": 116, "Width": 87, "Height": 25 } }
  ]
})json";

int Usage() {
    std::fprintf(stderr, "usage: plazen-forms-preview message|sample|acrobat|embedded [--translations FILE] [--seconds N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string what = argv[1];
    std::string translations;
    int seconds = 5;
    for (int i = 2; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--translations") && i + 1 < argc)
            translations = argv[++i];
        else if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc)
            seconds = std::atoi(argv[++i]);
        else
            return Usage();
    }
    if (what != "message" && what != "sample" && what != "acrobat" && what != "embedded") return Usage();

    hostsim::Host host;
    if (!translations.empty()) {
        std::string problem;
        if (!hostsim::LoadTranslations(translations, host.state().translations, &problem)) {
            std::fprintf(stderr, "%s\n", problem.c_str());
            return 2;
        }
        host.state().preferences.useLocalizedDialogs = true;
    }
    try {
        // The program plays the host: its own entry points are the client's.
        BindClientAPI();
        SetCurrentClient(host.Client());
        forms::StartFormsSupport();
        std::unique_ptr<ui::TForm> form;
        if (what == "embedded") {
            // The host's options dialog holds the page; the host places it and shows it.
            ui::RegisterFormDescription("TExportOptionsForm", kSample);
            ComPtr<IExternalForm> page = ComPtr<IExternalForm>::Adopt(
                new forms::TOptionsPage(ui::CreateForm<TExportOptionsForm>(nullptr)));
            ComPtr<hostsim::FormHolder> holder =
                ComPtr<hostsim::FormHolder>::Adopt(new hostsim::FormHolder("Preferences - Export", {120, 100, 620, 400}));
            CheckHost(page->SetHolder(holder.Get()));
            CheckHost(page->ShowInHolder());
            CheckHost(page->SetBounds(24, 24, 440, 200));
            CheckHost(page->ShowForm());
            CheckHost(page->FocusFirstControl());
            const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
            while (std::chrono::steady_clock::now() < end) {
                while (os::calls().PumpMessage(false)) {
                }
                os::calls().SleepFor(20);
            }
            CheckHost(page->SetHolder(nullptr));
            page.Reset();
            holder.Reset();
            forms::StopFormsSupport();
            SetCurrentClient(nullptr);
            return 0;
        }
        if (what == "message") {
            auto* dialog = ui::CreateMessageDialog("No PCB is currently open in Client.", MessageKind::Error, 1 << ui::kMbOk);
            dialog->SetCaption("Error");
            form.reset(dialog);
        } else if (what == "acrobat") {
            form.reset(forms::CreateAcrobatReaderWarning());
        } else {
            ui::RegisterFormDescription("TExportOptionsForm", kSample);
            form.reset(ui::CreateForm<TExportOptionsForm>(nullptr));
        }
        form->Show();
        if (ui::TControl* button = form->DefaultButton()) button->SetFocus();
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < end && form->HandleAllocated()) {
            while (os::calls().PumpMessage(false)) {
            }
            os::calls().SleepFor(20);
        }
        form.reset();
        forms::StopFormsSupport();
        SetCurrentClient(nullptr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
