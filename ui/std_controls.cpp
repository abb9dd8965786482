// The standard controls and their published properties, and the class registry's built-in
// classes.
#include "ui/std_controls.h"

#include "ui/form.h"

namespace plz::ui {

const PropertyTable& TLabel::Properties() const {
    static const PropertyTable table(&TControl::Properties(), {});
    return table;
}

void TLabel::FillWindowRequest(os::WindowRequest& request) const {
    TControl::FillWindowRequest(request);
    request.kind = os::WindowKind::Label;
}

const PropertyTable& TButton::Properties() const {
    static constexpr PropertyInfo own[] = {
        Prop<TButton, PropertyKind::Boolean, &TButton::Cancel, &TButton::SetCancel>("Cancel"),
        Prop<TButton, PropertyKind::Boolean, &TButton::Default, &TButton::SetDefault>("Default"),
        Prop<TButton, PropertyKind::Integer, &TButton::ModalResult, &TButton::SetModalResult>("ModalResult"),
    };
    static const PropertyTable table(&TControl::Properties(), own);
    return table;
}

void TButton::FillWindowRequest(os::WindowRequest& request) const {
    TControl::FillWindowRequest(request);
    request.kind = os::WindowKind::Button;
    request.defaultButton = default_;
}

void TButton::Click() {
    TControl::Click();
    if (modalResult_ != mrNone)
        if (TForm* form = GetParentForm(*this)) form->SetModalResult(modalResult_);
}

const PropertyTable& TCheckBox::Properties() const {
    static constexpr PropertyInfo own[] = {
        Prop<TCheckBox, PropertyKind::Boolean, &TCheckBox::Checked, &TCheckBox::SetChecked>("Checked"),
    };
    static const PropertyTable table(&TControl::Properties(), own);
    return table;
}

bool TCheckBox::Checked() const {
    if (WindowHandle h = HandleIfAny()) return os::calls().WindowSend(h, os::kBmGetCheck, 0, 0) != 0;
    return checked_;
}

void TCheckBox::SetChecked(bool checked) {
    checked_ = checked;
    if (WindowHandle h = HandleIfAny()) os::calls().WindowSend(h, os::kBmSetCheck, checked ? 1 : 0, 0);
}

void TCheckBox::FillWindowRequest(os::WindowRequest& request) const {
    TControl::FillWindowRequest(request);
    request.kind = os::WindowKind::CheckBox;
}

void TCheckBox::WindowCreated() { os::calls().WindowSend(HandleIfAny(), os::kBmSetCheck, checked_ ? 1 : 0, 0); }

void TCheckBox::SaveWindowState() {
    if (WindowHandle h = HandleIfAny()) checked_ = os::calls().WindowSend(h, os::kBmGetCheck, 0, 0) != 0;
}

bool TCheckBox::WindowMessage(uint32_t message, uintptr_t w, intptr_t l, intptr_t* result) {
    return TControl::WindowMessage(message, w, l, result);
}

const PropertyTable& TImage::Properties() const {
    static constexpr PropertyInfo own[] = {
        Prop<TImage, PropertyKind::Enum, &TImage::Picture, &TImage::SetPicture>("Picture"),
    };
    static const PropertyTable table(&TControl::Properties(), own);
    return table;
}

void TImage::FillWindowRequest(os::WindowRequest& request) const {
    TControl::FillWindowRequest(request);
    request.kind = os::WindowKind::Image;
    request.text = picture_;
}

void RegisterStandardClasses() {
    static const bool done = [] {
        RegisterComponentClass<TLabel>();
        RegisterComponentClass<TButton>();
        RegisterComponentClass<TCheckBox>();
        RegisterComponentClass<TImage>();
        return true;
    }();
    (void)done;
}

}  // namespace plz::ui
