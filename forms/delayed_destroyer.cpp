// The delayed destroyer: its message-only window, the posted release message and the waiting list.
#include "forms/delayed_destroyer.h"

#include <algorithm>
#include <vector>

#include "platform/os.h"

namespace plz::forms {
namespace {

std::vector<TDelayedDestroyer*>& Pending() {
    static std::vector<TDelayedDestroyer*> pending;
    return pending;
}

}  // namespace

void TDelayedDestroyer::Start(ui::TForm* form) {
    if (!form) return;
    auto* destroyer = new TDelayedDestroyer(form);
    os::WindowRequest request;
    request.kind = os::WindowKind::MessageOnly;
    request.callback = &TDelayedDestroyer::Callback;
    request.target = destroyer;
    destroyer->FWindow = os::calls().WindowCreate(request);
    if (!destroyer->FWindow || !os::calls().PostMessageTo(destroyer->FWindow, ui::kCmRelease, 0, 0)) {
        // No message will come: the form goes now rather than never.
        delete destroyer;
        return;
    }
    Pending().push_back(destroyer);
}

TDelayedDestroyer::~TDelayedDestroyer() {
    auto& pending = Pending();
    pending.erase(std::remove(pending.begin(), pending.end(), this), pending.end());
    delete FForm;
    // The window's record points here: it must not outlive the destroyer.
    if (const WindowHandle window = FWindow) {
        FWindow = 0;
        os::calls().WindowDestroy(window);
    }
}

bool TDelayedDestroyer::Callback(void* target, WindowHandle, uint32_t message, uintptr_t, intptr_t,
                                 intptr_t* result) noexcept {
    auto* destroyer = static_cast<TDelayedDestroyer*>(target);
    if (!destroyer) return false;
    if (message == os::kWmDestroy) {
        // Destroyed from outside (the destroyer's own destruction clears FWindow first): the form
        // must still go, once.
        if (destroyer->FWindow) {
            destroyer->FWindow = 0;
            delete destroyer;
        }
        return false;
    }
    if (message != ui::kCmRelease) return false;  // the platform's default handling
    delete destroyer;
    *result = 0;
    return true;
}

void TDelayedDestroyer::FreePending() noexcept {
    while (!Pending().empty()) delete Pending().back();
}

size_t TDelayedDestroyer::PendingCount() { return Pending().size(); }

}  // namespace plz::forms
