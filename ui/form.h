// Forms: top-level (or embedded) windows with a border style and caption, activation and hide
// handlers, a modal loop with its modal result, and release after the messages already queued
// for them. Forms are made with NewForm (empty) or CreateForm (from the stored description of
// their class).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/os.h"
#include "ui/control.h"

namespace plz::ui {

// Modal results.
enum ModalResult : int32_t {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
    mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10
};

// Where a form appears when it becomes visible.
enum class FormPosition : uint8_t { Designed, ScreenCenter, ActiveMonitorCenter };

// The message a form posts to itself to be freed once the messages before it are handled.
inline constexpr uint32_t kCmRelease = 0xB021;

class TForm : public TControl {
public:
    TForm();
    ~TForm() override;

    std::string ClassName() const override { return "TForm"; }
    const PropertyTable& Properties() const override;

    // The creation steps; a subclass adds its own before or after the framework's.
    virtual void CreateNew() {}

    os::WindowBorder BorderStyle() const { return border_; }
    void SetBorderStyle(os::WindowBorder border) { border_ = border; }
    std::string BorderStyleName() const;
    void SetBorderStyleName(const std::string& name);
    FormPosition Position() const { return position_; }
    void SetPosition(FormPosition position) { position_ = position; }
    std::string PositionName() const;
    void SetPositionName(const std::string& name);
    // A window of another module (a host's) that holds the form as a child window; 0: none. The
    // form's window is made anew for the change (its contents stay).
    WindowHandle ParentWindow() const { return parentWindow_; }
    void SetParentWindow(WindowHandle window);
    bool HelpButton() const { return helpButton_; }
    void SetHelpButton(bool on) { helpButton_ = on; }
    int32_t ClientWidth();
    int32_t ClientHeight();
    void SetClientSize(int32_t width, int32_t height);

    // Shows the form and runs the modal loop until a modal result is set; returns it.
    virtual int32_t ShowModal();
    int32_t ModalResult() const { return modalResult_; }
    void SetModalResult(int32_t result) { modalResult_ = result; }
    bool Modal() const { return modal_; }
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    void SetVisible(bool visible) override;
    // Ends the modal loop as cancelled, or hides a modeless form.
    void Close();
    // Frees the form once the messages already queued for it are handled; false when the message
    // could not be posted (the form stays).
    bool Release();
    // Centres the form on the work area of a monitor.
    void CenterOn(const os::Rect& workArea);

    // The framework's own reaction to becoming visible, behind the showing point.
    static void ShowingDefault(TForm& form);

    // Keys of the form's controls before the controls see them; true when handled.
    virtual bool ChildKey(TControl& control, int key);
    // The platform's help request for a window of the form; true when handled.
    virtual bool HelpMessage(const os::HelpRequest& request);

    std::function<void(TForm&)> onActivate;
    std::function<void(TForm&)> onHide;
    std::function<void(TForm&)> onShow;

    // The default and the cancel button of the form, if any.
    TControl* DefaultButton() const;
    TControl* CancelButton() const;

protected:
    void FillWindowRequest(os::WindowRequest& request) const override;
    bool WindowMessage(uint32_t message, uintptr_t w, intptr_t l, intptr_t* result) override;

private:
    os::WindowBorder border_ = os::WindowBorder::Sizeable;
    FormPosition position_ = FormPosition::Designed;
    bool helpButton_ = false;
    WindowHandle parentWindow_ = 0;
    int32_t modalResult_ = mrNone;
    bool modal_ = false;
};

// The form whose modal loop runs innermost, or none.
TForm* ActiveModalForm();

// Reads the stored description of `form`'s class into it; throws EFormDescriptionError.
void ReadFormDescription(TForm& form);

// An empty form of class F (its creation steps run).
template <typename F, typename... Args>
F* NewForm(TComponent* owner, Args&&... args) {
    F* form = New<F>(owner, std::forward<Args>(args)...);
    try {
        form->CreateNew();
    } catch (...) {
        delete form;
        throw;
    }
    return form;
}

// A form of class F made from its class's stored description; a description that fails to read
// fails the creation (the half-made form is freed) with a clear error.
template <typename F, typename... Args>
F* CreateForm(TComponent* owner, Args&&... args) {
    F* form = NewForm<F>(owner, std::forward<Args>(args)...);
    try {
        ReadFormDescription(*form);
    } catch (...) {
        delete form;
        throw;
    }
    return form;
}

}  // namespace plz::ui
