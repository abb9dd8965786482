// The old-viewer warning form: its stored description and its modal showing.
#include "forms/acrobat_warning_dialog.h"

#include <memory>

#include "ui/reader.h"
#include "ui/std_controls.h"

namespace plz::forms {
namespace {

constexpr int32_t kClientWidth = 402, kClientHeight = 126;

constexpr const char* kDescription = R"json({
  "class": "TAcrobatReaderWarning",
  "properties": { "Caption": "Warning", "BorderStyle": "bsDialog", "Position": "poScreenCenter",
                  "Font": { "Name": "Tahoma", "Size": 8 } },
  "components": [
    { "class": "TImage", "name": "WarningImage",
      "properties": { "Left": 8, "Top": 8, "Width": 40, "Height": 40, "Picture": "Warning" } },
    { "class": "TLabel", "name": "FeaturesLabel",
      "properties": { "Left": 56, "Top": 8, "Width": 338, "Height": 42,
                      "Caption": "Some features of the documentation system need functionality that the installed Acrobat Reader lacks. Version 6.0 or higher is recommended." } },
    { "class": "TLabel", "name": "DownloadLabel",
      "properties": { "Left": 56, "Top": 56, "Width": 338, "Height": 30,
                      "Caption": "The latest version of Acrobat Reader is available from its maker's web site." } },
    { "class": "TCheckBox", "name": "DontShowAgain",
      "properties": { "Left": 8, "Top": 98, "Width": 200, "Height": 17, "Caption": "&Don't show this again" } },
    { "class": "TButton", "name": "OKButton",
      "properties": { "Left": 319, "Top": 93, "Width": 75, "Height": 25, "Caption": "OK",
                      "Default": true, "ModalResult": 1 } }
  ]
})json";

}  // namespace

bool TAcrobatReaderWarning::DontShowAgain() {
    auto* box = dynamic_cast<ui::TCheckBox*>(FindComponent("DontShowAgain"));
    if (!box) throw Exception("The warning's description lacks its check box");
    return box->Checked();
}

void RegisterAcrobatReaderWarning() {
    if (!ui::FindFormDescription("TAcrobatReaderWarning")) ui::RegisterFormDescription("TAcrobatReaderWarning", kDescription);
}

TAcrobatReaderWarning* CreateAcrobatReaderWarning() {
    RegisterAcrobatReaderWarning();
    std::unique_ptr<TAcrobatReaderWarning> form(ui::CreateForm<TAcrobatReaderWarning>(nullptr));
    // Descriptions store outer sizes; this dialog is laid out for its client area.
    form->SetClientSize(kClientWidth, kClientHeight);
    return form.release();
}

bool ShowAcrobatReaderWarning() {
    std::unique_ptr<TAcrobatReaderWarning> form(CreateAcrobatReaderWarning());
    form->ShowModal();
    return form->DontShowAgain();
}

}  // namespace plz::forms
