// The document options form's neutral defaults: a form class that offers an operation overrides it.
#include "forms/document_options_form.h"

namespace plz::forms {

void TDocumentOptionsForm::OptionsView1(const std::string&) {}
bool TDocumentOptionsForm::OptionsView2() { return false; }
void TDocumentOptionsForm::OptionsView3() {}
void TDocumentOptionsForm::OptionsView4() {}
bool TDocumentOptionsForm::OptionsView5() { return false; }
void TDocumentOptionsForm::OptionsView6() {}
void TDocumentOptionsForm::OptionsView7() {}
void TDocumentOptionsForm::OptionsView8(const std::string&, const std::string&) {}
void TDocumentOptionsForm::OptionsView9(const std::string&, int32_t&) {}

}  // namespace plz::forms
