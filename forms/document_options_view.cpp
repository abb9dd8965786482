// The document options view's own nine operations, passed to its form under the boundary guard.
#include "forms/document_options_view.h"

#include "frame/boundary_guard.h"
#include "frame/errors.h"
#include "platform/com_object.h"
#include "platform/os.h"

namespace plz::forms {
namespace {

std::string Text(const char* text) { return text ? std::string(text) : std::string(); }

}  // namespace

TDocumentOptionsView::TDocumentOptionsView(TDocumentOptionsForm* form) : TExternalForm(form, false), FOptionsForm(form) {
    if (FOptionsForm) FOptionsForm->View = this;
}

TDocumentOptionsView::~TDocumentOptionsView() {
    if (FOptionsForm && FOptionsForm->View == this) FOptionsForm->View = nullptr;
}

IUnknown* TDocumentOptionsView::FindInterface(const GUID& iid) {
    // The view's interface answers for the external form too: it begins with the same operations.
    if (iid == IID_IDocumentOptionsView || iid == IID_IExternalForm || iid == IID_IUnknown)
        return static_cast<IDocumentOptionsView*>(this);
    return TExternalForm::FindInterface(iid);
}

TDocumentOptionsForm& TDocumentOptionsView::RequireOptionsForm() const {
    if (!FOptionsForm) throw Exception("The external form has no form");
    return *FOptionsForm;
}

HRESULT PLZ_STDCALL TDocumentOptionsView::OptionsView1(BSTR name) {
    return Guard([&] { RequireOptionsForm().OptionsView1(os::AnsiFromString(name)); });
}

HRESULT PLZ_STDCALL TDocumentOptionsView::OptionsView2(uint8_t* flag) {
    ClearOut(flag);
    return Guard([&] { SetOut(flag, RequireOptionsForm().OptionsView2() ? 1 : 0); });
}

HRESULT PLZ_STDCALL TDocumentOptionsView::OptionsView3() {
    return Guard([&] { RequireOptionsForm().OptionsView3(); });
}

HRESULT PLZ_STDCALL TDocumentOptionsView::OptionsView4() {
    return Guard([&] { RequireOptionsForm().OptionsView4(); });
}

HRESULT PLZ_STDCALL TDocumentOptionsView::OptionsView5(uint8_t* flag) {
    ClearOut(flag);
    return Guard([&] { SetOut(flag, RequireOptionsForm().OptionsView5() ? 1 : 0); });
}

HRESULT PLZ_STDCALL TDocumentOptionsView::OptionsView6() {
    return Guard([&] { RequireOptionsForm().OptionsView6(); });
}

HRESULT PLZ_STDCALL TDocumentOptionsView::OptionsView7() {
    return Guard([&] { RequireOptionsForm().OptionsView7(); });
}

HRESULT PLZ_STDCALL TDocumentOptionsView::OptionsView8(const char* first, const char* second) {
    return Guard([&] { RequireOptionsForm().OptionsView8(Text(first), Text(second)); });
}

HRESULT PLZ_STDCALL TDocumentOptionsView::OptionsView9(const char* text, int32_t* value) {
    ClearOut(value);
    return Guard([&] {
        int32_t result = 0;
        RequireOptionsForm().OptionsView9(Text(text), result);
        SetOut(value, result);
    });
}

}  // namespace plz::forms
