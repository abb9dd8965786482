// The options page's seven operations, forwarded to the wrapped form under the boundary guard.
#include "forms/options_page.h"

#include "frame/boundary_guard.h"
#include "frame/errors.h"
#include "platform/com_object.h"

namespace plz::forms {

IUnknown* TOptionsPage::FindInterface(const GUID& iid) {
    if (iid == IID_IOptionsPage) return static_cast<IOptionsPage*>(this);
    return TExternalForm::FindInterface(iid);
}

IOptionsPage* TOptionsPage::FormPage() const {
    if (!FForm) return nullptr;
    auto* page = dynamic_cast<IOptionsPage*>(FForm);
    if (!page) throw Exception("Interface not supported");
    return page;
}

HRESULT PLZ_STDCALL TOptionsPage::OptionsPage1(uint8_t* flag) {
    ClearOut(flag);
    return Guard([&] {
        uint8_t value = 0;
        if (IOptionsPage* page = FormPage()) CheckHost(page->OptionsPage1(&value));
        SetOut(flag, value);
    });
}

HRESULT PLZ_STDCALL TOptionsPage::OptionsPage2(uint8_t flag) {
    return Guard([&] {
        if (IOptionsPage* page = FormPage()) CheckHost(page->OptionsPage2(flag));
    });
}

HRESULT PLZ_STDCALL TOptionsPage::OptionsPage3() {
    return Guard([&] {
        if (IOptionsPage* page = FormPage()) CheckHost(page->OptionsPage3());
    });
}

HRESULT PLZ_STDCALL TOptionsPage::OptionsPage4() {
    return Guard([&] {
        if (IOptionsPage* page = FormPage()) CheckHost(page->OptionsPage4());
    });
}

HRESULT PLZ_STDCALL TOptionsPage::OptionsPage5(int32_t* value) {
    ClearOut(value);
    return Guard([&] {
        int32_t result = -1;
        if (IOptionsPage* page = FormPage()) CheckHost(page->OptionsPage5(&result));
        SetOut(value, result);
    });
}

HRESULT PLZ_STDCALL TOptionsPage::OptionsPage6() {
    return Guard([&] {
        if (IOptionsPage* page = FormPage()) CheckHost(page->OptionsPage6());
    });
}

HRESULT PLZ_STDCALL TOptionsPage::OptionsPage7() {
    return Guard([&] {
        if (IOptionsPage* page = FormPage()) CheckHost(page->OptionsPage7());
    });
}

}  // namespace plz::forms
