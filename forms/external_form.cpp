// The external-form wrapper's operations, each under the boundary guard, and the form's release.
#include "forms/external_form.h"

#include <utility>

#include "forms/delayed_destroyer.h"
#include "frame/boundary_guard.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "platform/com_object.h"
#include "platform/wide_string.h"

namespace plz::forms {
namespace {

// The first control in tab order (each control before the ones nested in it) that takes the
// focus: a tab stop that is visible and enabled.
ui::TControl* FirstTabStop(const ui::TControl& parent) {
    for (ui::TControl* control : parent.Controls()) {
        if (!control->Visible() || !control->Enabled()) continue;
        if (control->TabStop()) return control;
        if (ui::TControl* inner = FirstTabStop(*control)) return inner;
    }
    return nullptr;
}

}  // namespace

TExternalForm::TExternalForm(ui::TForm* form, bool freeFormAtOnce) : FFreeFormAtOnce(freeFormAtOnce), FForm(form) {
    if (FForm) {
        FForm->SetBorderStyle(os::WindowBorder::None);
        FForm->onActivate = [](ui::TForm&) {};
    }
}

TExternalForm::~TExternalForm() {
    FHolder.Reset();
    ReleaseForm();
}

void TExternalForm::ReleaseForm() noexcept {
    ui::TForm* form = std::exchange(FForm, nullptr);
    if (!form) return;
    bool atOnce = FFreeFormAtOnce;
    if (!atOnce) {
        if (ComPtr<IClient> client = CurrentClient(); !client) {
            atOnce = true;
        } else {
            try {
                uint8_t immediate = 0;
                CheckHost(client->GetImmediateFormRelease(&immediate));
                atOnce = immediate != 0;
            } catch (...) {
                // The host gave no answer: the deferred way below is safe either way.
            }
        }
    }
    if (atOnce) {
        delete form;
        return;
    }
    // A form still in the host's window (the host let the wrapper go without taking the form out)
    // would lose a release posted to its own window if the host's window went first and took it
    // along: it leaves the host's window, keeping its contents, and goes the windowless way.
    if (form->ParentWindow()) form->SetParentWindow(0);
    if (form->HandleAllocated()) {
        if (form->Release()) return;
        delete form;  // no message will come
        return;
    }
    try {
        TDelayedDestroyer::Start(form);
    } catch (...) {
        delete form;  // no destroyer took it
    }
}

IUnknown* TExternalForm::FindInterface(const GUID& iid) {
    if (iid == IID_IUnknown || iid == IID_IExternalForm) return static_cast<IExternalForm*>(this);
    return nullptr;
}

HRESULT PLZ_STDCALL TExternalForm::QueryInterface(const GUID& iid, void** object) {
    return AnswerQuery(object, FindInterface(iid));
}

uint32_t PLZ_STDCALL TExternalForm::AddRef() { return ++references_; }

uint32_t PLZ_STDCALL TExternalForm::Release() {
    const uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

ui::TForm& TExternalForm::RequireForm() const {
    if (!FForm) throw Exception("The external form has no form");
    return *FForm;
}

HRESULT PLZ_STDCALL TExternalForm::SetHolder(IExternalFormHolder* holder) {
    return Guard([&] {
        FHolder = ComPtr<IExternalFormHolder>(holder);
        if (FForm && !holder) CheckHost(Detach());
    });
}

HRESULT PLZ_STDCALL TExternalForm::ShowInHolder() {
    return Guard([&] {
        ui::TForm& form = RequireForm();
        // Re-parenting and showing may place the form anew; the host placed it already.
        const int32_t left = form.Left(), top = form.Top();
        if (FHolder) {
            WindowHandle parent = 0;
            CheckHost(FHolder->GetParentWindow(&parent));
            form.SetParentWindow(parent);
            form.Show();
        } else {
            form.Hide();
        }
        form.SetBounds(left, top, form.Width(), form.Height());
    });
}

HRESULT PLZ_STDCALL TExternalForm::Detach() {
    return Guard([&] {
        if (!FForm) return;
        if (FForm->onHide) FForm->onHide(*FForm);
        // The window goes in the re-creating mode: the controls keep their contents for the next.
        FForm->DestroyHandle();
        // The flag alone: the hide handler has run already.
        FForm->ui::TControl::SetVisible(false);
        FForm->SetParentWindow(0);
    });
}

HRESULT PLZ_STDCALL TExternalForm::GetBounds(int32_t* left, int32_t* top, int32_t* width, int32_t* height) {
    ClearOut(left), ClearOut(top), ClearOut(width), ClearOut(height);
    return Guard([&] {
        const ui::TForm& form = RequireForm();
        SetOut(left, form.Left());
        SetOut(top, form.Top());
        SetOut(width, form.Width());
        SetOut(height, form.Height());
    });
}

HRESULT PLZ_STDCALL TExternalForm::GetCaption(BSTR* caption) {
    ClearOut(caption);
    return Guard([&] {
        WideString text(FForm ? FForm->Caption() : std::string());
        SetOut(caption, text.Detach());
    });
}

HRESULT PLZ_STDCALL TExternalForm::GetWindowHandle(WindowHandle* window) {
    ClearOut(window);
    return Guard([&] { SetOut(window, RequireForm().HandleIfAny()); });
}

HRESULT PLZ_STDCALL TExternalForm::HideForm() {
    return Guard([&] { RequireForm().Hide(); });
}

HRESULT PLZ_STDCALL TExternalForm::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    return Guard([&] { RequireForm().SetBounds(left, top, width, height); });
}

HRESULT PLZ_STDCALL TExternalForm::FocusForm() {
    return Guard([&] {
        if (!FForm || !FForm->Visible() || !FForm->Enabled()) return;
        // Able to take the focus: its window exists and shows (its holder's included).
        const WindowHandle window = FForm->HandleIfAny();
        if (!window || !os::calls().WindowVisible(window)) return;
        FForm->SetFocus();
    });
}

HRESULT PLZ_STDCALL TExternalForm::ShowForm() {
    return Guard([&] { RequireForm().Show(); });
}

HRESULT PLZ_STDCALL TExternalForm::FocusFirstControl() {
    return Guard([&] {
        if (ui::TControl* control = FirstTabStop(RequireForm())) control->SetFocus();
    });
}

}  // namespace plz::forms
