// The host's form holder, its requests for options pages and views, and the embedding sequence.
#include "hostsim/form_holder.h"

#include <sstream>

#include "hostsim/plugin_host.h"
#include "platform/com_object.h"
#include "platform/wide_string.h"

namespace plz::hostsim {

FormHolder::FormHolder(const std::string& caption, os::Rect bounds) {
    os::WindowRequest request;
    request.kind = os::WindowKind::Form;
    request.text = caption;
    request.bounds = bounds;
    request.visible = true;
    window_ = os::calls().WindowCreate(request);
}

FormHolder::~FormHolder() {
    if (window_) os::calls().WindowDestroy(window_);
}

HRESULT PLZ_STDCALL FormHolder::QueryInterface(const GUID& iid, void** object) {
    const bool offered = iid == IID_IUnknown || iid == IID_IExternalFormHolder;
    return AnswerQuery(object, offered ? static_cast<IExternalFormHolder*>(this) : nullptr);
}

uint32_t PLZ_STDCALL FormHolder::Release() {
    const uint32_t left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT PLZ_STDCALL FormHolder::GetParentWindow(WindowHandle* window) {
    return NoThrow([&] {
        ClearOut(window);
        calls_.push_back("GetParentWindow");
        if (parentWindowFailure) return Fail(*parentWindowFailure);
        if (!window) return E_POINTER;
        *window = window_;
        return S_OK;
    });
}

ComPtr<IExternalForm> AskOptionsPage(IServerModule* module, const std::string& name, HRESULT* status) {
    ComPtr<IOptionsPageProvider> provider;
    *status = module->QueryInterface(IID_IOptionsPageProvider, reinterpret_cast<void**>(provider.Out()));
    if (Failed(*status)) return {};
    ComPtr<IOptionsPage> page;
    WideString text(name);
    *status = provider->GetOptionsPage(text.Get(), page.Out());
    ComPtr<IExternalForm> form;
    if (page) page->QueryInterface(IID_IExternalForm, reinterpret_cast<void**>(form.Out()));
    return form;
}

ComPtr<IExternalForm> AskOptionsView(IServerModule* module, const std::string& name, HRESULT* status) {
    ComPtr<IDocumentOptionsView> view;
    WideString text(name);
    *status = module->CreateOptionsView(text.Get(), view.Out());
    ComPtr<IExternalForm> form;
    if (view) view->QueryInterface(IID_IExternalForm, reinterpret_cast<void**>(form.Out()));
    return form;
}

EmbeddedFormReport DriveEmbeddedForm(ComPtr<IExternalForm> form, FormHolder& holder, os::Rect bounds) {
    EmbeddedFormReport report;
    auto call = [&](const char* what, HRESULT status) {
        report.calls.push_back(std::string(what) + ' ' + FormatStatus(status));
        if (Failed(status)) report.failed = true;
    };
    call("SetHolder", form->SetHolder(&holder));
    call("ShowInHolder", form->ShowInHolder());
    call("SetBounds", form->SetBounds(bounds.left, bounds.top, bounds.Width(), bounds.Height()));
    call("ShowForm", form->ShowForm());
    call("FocusForm", form->FocusForm());
    call("FocusFirstControl", form->FocusFirstControl());
    call("HideForm", form->HideForm());
    call("ShowForm", form->ShowForm());
    call("GetBounds", form->GetBounds(&report.left, &report.top, &report.width, &report.height));
    WideString caption;
    call("GetCaption", form->GetCaption(caption.Out()));
    report.caption = os::FromString(caption.Get());
    call("GetWindowHandle", form->GetWindowHandle(&report.window));
    report.visibleWhenShown = report.window && os::calls().WindowVisible(report.window);
    call("SetHolder", form->SetHolder(nullptr));
    call("GetWindowHandle", form->GetWindowHandle(&report.windowAfterDetach));
    form.Reset();
    return report;
}

std::string FormatEmbeddedFormReport(const EmbeddedFormReport& report) {
    std::ostringstream out;
    for (const std::string& c : report.calls) out << c << '\n';
    out << "window: " << (report.window ? "yes" : "none") << (report.visibleWhenShown ? ", visible" : ", hidden")
        << "; after SetHolder(none): " << (report.windowAfterDetach ? "yes" : "none") << '\n';
    out << "bounds: " << report.left << ',' << report.top << ' ' << report.width << 'x' << report.height << '\n';
    out << "caption: " << os::calls().WideToAnsi(report.caption) << '\n';
    return out.str();
}

}  // namespace plz::hostsim
