// The host's side of an embedded plug-in form: a holder (IExternalFormHolder) with a window of its
// own that the form goes into, the way the host asks the plug-in's server module for an options
// page or an options view, and the host's typical sequence of calls on the form, with a record of
// what the host saw.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "frame/host_interfaces.h"
#include "frame/plugin_interfaces.h"
#include "hostsim/host.h"
#include "platform/com_ptr.h"
#include "platform/os.h"

namespace plz::hostsim {

// Reference counted; starts with its maker's reference. Its window is made through the OS seam: a
// real top-level window on Windows, a stand-in record on POSIX; it goes with the holder.
class FormHolder final : public IExternalFormHolder {
public:
    FormHolder(const std::string& caption, os::Rect bounds);

    HRESULT PLZ_STDCALL QueryInterface(const GUID& iid, void** object) override;
    uint32_t PLZ_STDCALL AddRef() override { return ++references_; }
    uint32_t PLZ_STDCALL Release() override;

    // Records "GetParentWindow"; fails with `parentWindowFailure` when set.
    HRESULT PLZ_STDCALL GetParentWindow(WindowHandle* window) override;

    WindowHandle Window() const { return window_; }
    uint32_t References() const { return references_; }
    const std::vector<std::string>& Calls() const { return calls_; }
    std::optional<Failure> parentWindowFailure;

private:
    ~FormHolder();
    WindowHandle window_ = 0;
    std::vector<std::string> calls_;
    uint32_t references_ = 1;
};

// An options page (IOptionsPageProvider.GetOptionsPage) or an options view
// (IServerModule.CreateOptionsView) of the plug-in, seen as its external form; none when the
// plug-in has none of that name. `status` gets the call's status.
ComPtr<IExternalForm> AskOptionsPage(IServerModule* module, const std::string& name, HRESULT* status);
ComPtr<IExternalForm> AskOptionsView(IServerModule* module, const std::string& name, HRESULT* status);

// What the host saw of an embedded form.
struct EmbeddedFormReport {
    std::vector<std::string> calls;  // "OPERATION STATUS", in order
    WindowHandle window = 0;         // GetWindowHandle while shown in the holder
    bool visibleWhenShown = false;   // the form's window, after ShowForm
    int32_t left = 0, top = 0, width = 0, height = 0;  // GetBounds
    std::u16string caption;                           // GetCaption
    WindowHandle windowAfterDetach = 0;              // GetWindowHandle after SetHolder(none)
    bool failed = false;                              // some call failed
};

// The host's typical sequence: SetHolder(holder), ShowInHolder, SetBounds(bounds), ShowForm,
// FocusForm, FocusFirstControl, HideForm, ShowForm, GetBounds, GetCaption, GetWindowHandle,
// SetHolder(none), GetWindowHandle, and the release of the form's reference (taken over from
// the caller).
EmbeddedFormReport DriveEmbeddedForm(ComPtr<IExternalForm> form, FormHolder& holder, os::Rect bounds);

// The report as lines: the calls, then window, bounds and caption.
std::string FormatEmbeddedFormReport(const EmbeddedFormReport& report);

}  // namespace plz::hostsim
