// The standard controls: label, button (with its default/cancel role and modal result), check box
// and image (a system icon).
#pragma once

#include <string>

#include "ui/control.h"

namespace plz::ui {

class TLabel : public TControl {
public:
    std::string ClassName() const override { return "TLabel"; }
    const PropertyTable& Properties() const override;

protected:
    void FillWindowRequest(os::WindowRequest& request) const override;
};

class TButton : public TControl {
public:
    TButton() { SetTabStop(true); }
    std::string ClassName() const override { return "TButton"; }
    const PropertyTable& Properties() const override;

    bool Default() const { return default_; }
    void SetDefault(bool on) { default_ = on; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool on) { cancel_ = on; }
    int32_t ModalResult() const { return modalResult_; }
    void SetModalResult(int32_t result) { modalResult_ = result; }
    // The handler, then the button's modal result goes to its form.
    void Click() override;

protected:
    void FillWindowRequest(os::WindowRequest& request) const override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int32_t modalResult_ = 0;
};

class TCheckBox : public TControl {
public:
    TCheckBox() { SetTabStop(true); }
    std::string ClassName() const override { return "TCheckBox"; }
    const PropertyTable& Properties() const override;

    bool Checked() const;
    void SetChecked(bool checked);

protected:
    void FillWindowRequest(os::WindowRequest& request) const override;
    bool WindowMessage(uint32_t message, uintptr_t w, intptr_t l, intptr_t* result) override;
    void SaveWindowState() override;
    void WindowCreated() override;

private:
    bool checked_ = false;
};

class TImage : public TControl {
public:
    TImage() { SetBounds(0, 0, 32, 32); }
    std::string ClassName() const override { return "TImage"; }
    const PropertyTable& Properties() const override;

    // A system icon: "Warning", "Error", "Information" or "Confirmation"; empty for none.
    const std::string& Picture() const { return picture_; }
    void SetPicture(const std::string& picture) { picture_ = picture; }

protected:
    void FillWindowRequest(os::WindowRequest& request) const override;

private:
    std::string picture_;
};

// Puts the framework's classes into the class registry (once).
void RegisterStandardClasses();

}  // namespace plz::ui
