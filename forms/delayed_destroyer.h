// Frees a form that has no window of its own after the message being handled now: a hidden
// message-only window posts itself the release message, and its arrival frees the form and the
// destroyer.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/abi.h"
#include "ui/form.h"

namespace plz::forms {

class TDelayedDestroyer {
public:
    // Takes the form; it is freed when the posted release message arrives. Without a window or a
    // posted message the form is freed before this returns, and no destroyer stays behind.
    static void Start(ui::TForm* form);

    // Frees the forms still waiting, with their destroyers (at shut-down: the windows' procedure
    // goes with the library).
    static void FreePending() noexcept;
    static size_t PendingCount();

    WindowHandle Window() const { return FWindow; }

private:
    explicit TDelayedDestroyer(ui::TForm* form) : FForm(form) {}
    ~TDelayedDestroyer();
    TDelayedDestroyer(const TDelayedDestroyer&) = delete;
    TDelayedDestroyer& operator=(const TDelayedDestroyer&) = delete;

    static bool Callback(void* target, WindowHandle window, uint32_t message, uintptr_t w, intptr_t l,
                         intptr_t* result) noexcept;

    WindowHandle FWindow = 0;
    ui::TForm* FForm;
};

}  // namespace plz::forms
