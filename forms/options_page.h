// A page of the host's options dialog: an external form freed at once with its wrapper, whose
// options-page operations go to the wrapped form's own IOptionsPage.
#pragma once

#include <cstdint>

#include "forms/external_form.h"
#include "frame/plugin_interfaces.h"
#include "platform/com_ptr.h"
#include "ui/form.h"

namespace plz::forms {

class TOptionsPage final : public TExternalForm, public IOptionsPage {
public:
    // Takes the form (owned); a form of a class without IOptionsPage fails every page operation
    // with "Interface not supported".
    explicit TOptionsPage(ui::TForm* form) : TExternalForm(form, true) {}

    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override {
        return TExternalForm::QueryInterface(iid, object);
    }
    uint32_t PLZ_STDCALL AddRef() override { return TExternalForm::AddRef(); }
    uint32_t PLZ_STDCALL Release() override { return TExternalForm::Release(); }

    // IOptionsPage: each forwarded with its arguments; without a form each succeeds with its
    // default (false for 1, -1 for 5, nothing for the others).
    HRESULT PLZ_STDCALL OptionsPage1(uint8_t* flag) override;
    HRESULT PLZ_STDCALL OptionsPage2(uint8_t flag) override;
    HRESULT PLZ_STDCALL OptionsPage3() override;
    HRESULT PLZ_STDCALL OptionsPage4() override;
    HRESULT PLZ_STDCALL OptionsPage5(int32_t* value) override;
    HRESULT PLZ_STDCALL OptionsPage6() override;
    HRESULT PLZ_STDCALL OptionsPage7() override;

protected:
    IUnknown* FindInterface(const GUID& iid) override;

private:
    ~TOptionsPage() override = default;
    // The wrapped form's IOptionsPage; none without a form.
    IOptionsPage* FormPage() const;
};

// A new page around a new form of class F (read from its class's stored description when it has
// one), with no owner: the maker that the server module's options-form registry keeps.
template <typename F>
ComPtr<IOptionsPage> MakeOptionsPage() {
    return WrapNewForm<TOptionsPage, F, IOptionsPage>();
}

}  // namespace plz::forms
