// A document options view: an external form whose own nine operations go to the wrapped
// document options form; the form is released the deferred way unless the host asks otherwise.
#pragma once

#include <cstdint>

#include "forms/document_options_form.h"
#include "forms/external_form.h"
#include "frame/plugin_interfaces.h"
#include "platform/com_ptr.h"
#include "ui/form.h"

namespace plz::forms {

class TDocumentOptionsView final : public TExternalForm, public IDocumentOptionsView {
public:
    // Takes the form (owned) and becomes its View.
    explicit TDocumentOptionsView(TDocumentOptionsForm* form);

    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return TExternalForm::QueryInterface(iid, object);
    }
    uint32_t PLZ_STDCALL AddRef() override { return TExternalForm::AddRef(); }
    uint32_t PLZ_STDCALL Release() override { return TExternalForm::Release(); }

    // The external form's 11 operations, the same through either interface.
    HRESULT PLZ_STDCALL SetHolder(IExternalFormHolder* holder) override { return TExternalForm::SetHolder(holder); }
    HRESULT PLZ_STDCALL ShowInHolder() override { return TExternalForm::ShowInHolder(); }
    HRESULT PLZ_STDCALL Detach() override { return TExternalForm::Detach(); }
    HRESULT PLZ_STDCALL GetBounds(int32_t* left, int32_t* top, int32_t* width, int32_t* height) override {
        return TExternalForm::GetBounds(left, top, width, height);
    }
    HRESULT PLZ_STDCALL GetCaption(BSTR* caption) override { return TExternalForm::GetCaption(caption); }
    HRESULT PLZ_STDCALL GetWindowHandle(WindowHandle* window) override {
        return TExternalForm::GetWindowHandle(window);
    }
    HRESULT PLZ_STDCALL HideForm() override { return TExternalForm::HideForm(); }
    HRESULT PLZ_STDCALL SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override {
        return TExternalForm::SetBounds(left, top, width, height);
    }
    HRESULT PLZ_STDCALL FocusForm() override { return TExternalForm::FocusForm(); }
    HRESULT PLZ_STDCALL ShowForm() override { return TExternalForm::ShowForm(); }
    HRESULT PLZ_STDCALL FocusFirstControl() override { return TExternalForm::FocusFirstControl(); }

    // The view's own operations, each calling the form's operation of the same number.
    HRESULT PLZ_STDCALL OptionsView1(BSTR name) override;
    HRESULT PLZ_STDCALL OptionsView2(uint8_t* flag) override;
    HRESULT PLZ_STDCALL OptionsView3() override;
    HRESULT PLZ_STDCALL OptionsView4() override;
    HRESULT PLZ_STDCALL OptionsView5(uint8_t* flag) override;
    HRESULT PLZ_STDCALL OptionsView6() override;
    HRESULT PLZ_STDCALL OptionsView7() override;
    HRESULT PLZ_STDCALL OptionsView8(const char* first, const char* second) override;
    HRESULT PLZ_STDCALL OptionsView9(const char* text, int32_t* value) override;

    TDocumentOptionsForm* OptionsForm() const { return FOptionsForm; }

protected:
    IUnknown* FindInterface(const GUID& iid) override;

private:
    // The form may outlive the view (its release can be deferred): it forgets the view.
    ~TDocumentOptionsView() override;
    TDocumentOptionsForm& RequireOptionsForm() const;

    TDocumentOptionsForm* FOptionsForm;  // the same object as FForm
};

// A new view around a new form of class F (read from its class's stored description when it has
// one), with no owner: a maker for the server module's options-view registry.
template <typename F>
ComPtr<IDocumentOptionsView> MakeDocumentOptionsView() {
    return WrapNewForm<TDocumentOptionsView, F, IDocumentOptionsView>();
}

}  // namespace plz::forms
