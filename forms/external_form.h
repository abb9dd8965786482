// The wrapper through which the host embeds one of the plug-in's forms in a window of its own
// (IExternalForm): the holder, showing and hiding, bounds and focus, and the safe release of the
// form when the host lets the wrapper go.
#pragma once

#include <cstdint>
#include <memory>

#include "frame/host_interfaces.h"
#include "platform/abi.h"
#include "platform/com_ptr.h"
#include "ui/form.h"
#include "ui/reader.h"

namespace plz::forms {

// Reference counted: it starts with one reference, its maker's, which goes to the host. Every
// operation runs under the boundary guard.
class TExternalForm : public IExternalForm {
public:
    // Takes the form (owned; none is allowed). The host's window gives the frame: the form gets no
    // border of its own, and its activation handler is replaced by one that does nothing.
    TExternalForm(ui::TForm* form, bool freeFormAtOnce);
    TExternalForm(const TExternalForm&) = delete;
    TExternalForm& operator=(const TExternalForm&) = delete;

    // IUnknown
    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override;
    uint32_t PLZ_STDCALL AddRef() override;
    uint32_t PLZ_STDCALL Release() override;

    // IExternalForm
    HRESULT PLZ_STDCALL SetHolder(IExternalFormHolder* holder) override;
    HRESULT PLZ_STDCALL ShowInHolder() override;
    HRESULT PLZ_STDCALL Detach() override;
    HRESULT PLZ_STDCALL GetBounds(int32_t* left, int32_t* top, int32_t* width, int32_t* height) override;
    HRESULT PLZ_STDCALL GetCaption(BSTR* caption) override;
    HRESULT PLZ_STDCALL GetWindowHandle(WindowHandle* window) override;
    HRESULT PLZ_STDCALL HideForm() override;
    HRESULT PLZ_STDCALL SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) override;
    HRESULT PLZ_STDCALL FocusForm() override;
    HRESULT PLZ_STDCALL ShowForm() override;
    HRESULT PLZ_STDCALL FocusFirstControl() override;

    ui::TForm* Form() const { return FForm; }
    IExternalFormHolder* Holder() const { return FHolder.Get(); }
    bool FreeFormAtOnce() const { return FFreeFormAtOnce; }

protected:
    // Destruction: the holder's reference is released and the form freed (see ReleaseForm).
    virtual ~TExternalForm();
    // The interface a subclass offers for `iid`, or none; the wrapper adds IUnknown and
    // IExternalForm.
    virtual IUnknown* FindInterface(const GUID& iid);

    bool FFreeFormAtOnce;
    ui::TForm* FForm;
    ComPtr<IExternalFormHolder> FHolder;

private:
    // Frees the form exactly once: at once without a client, when the client asks for it, or with
    // the free-at-once flag; otherwise (a failing answer of the client's included: the deferred way
    // is safe whatever the host is doing) the form releases itself after its queued messages when
    // it has a window, or a delayed destroyer frees it.
    void ReleaseForm() noexcept;
    ui::TForm& RequireForm() const;

    uint32_t references_ = 1;
};

// A wrapper W around a new form of class F with no owner, the form read from its class's stored
// description when it has one: what the makers of the server module's registry return. The form
// is freed when its description does not read or the wrapper cannot be made.
template <typename W, typename F, typename Interface>
ComPtr<Interface> WrapNewForm() {
    std::unique_ptr<F> form(ui::NewForm<F>(nullptr));
    if (ui::FindFormDescription(form->ClassName())) ui::ReadFormDescription(*form);
    auto* wrapper = new W(form.get());
    form.release();  // the wrapper's now
    return ComPtr<Interface>::Adopt(wrapper);
}

}  // namespace plz::forms
