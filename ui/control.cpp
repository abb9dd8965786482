// Controls and their windows: the tree of parents and children, windows made on demand with the
// whole tree, fonts handed down to children, and the dispatch of window messages, in which no
// error ever reaches the platform's frames.
#include "ui/control.h"

#include <algorithm>
#include <map>

#include "frame/errors.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/hooks.h"

namespace plz::ui {
namespace {

std::map<WindowHandle, TControl*>& WindowMap() {
    static std::map<WindowHandle, TControl*> map;
    return map;
}

int32_t NextControlId() {
    static int32_t next = 100;
    return next++;
}

}  // namespace

// Every message of every window of the framework passes here.
bool ControlCallback(void* target, WindowHandle window, uint32_t message, uintptr_t w, intptr_t l,
                     intptr_t* result) noexcept {
    try {
        auto* control = static_cast<TControl*>(target);
        // Messages of a window the control has let go (while it is destroyed) are not its own.
        if (control->handle_ != window) return false;
        if (message == os::kWmDestroy) {
            control->SaveWindowState();
            control->ForgetWindow();
            return false;
        }
        return control->WindowMessage(message, w, l, result);
    } catch (...) {
        HandleException(std::current_exception());
        *result = 0;
        return true;
    }
}

TControl::TControl() : font_(std::make_unique<TFont>()), id_(NextControlId()) {
    font_->onChange = [this] { FontChanged(); };
}

TControl::~TControl() {
    // Children first, while this control is still whole; then out of the parent.
    for (TControl* child : std::vector<TControl*>(controls_)) child->SetParent(nullptr);
    if (handle_) {
        WindowHandle h = handle_;
        ForgetWindow();
        os::calls().WindowDestroy(h);
    }
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        parent_ = nullptr;
    }
    if (HintControl() == this) CancelHint();
}

const PropertyTable& TControl::Properties() const {
    static constexpr PropertyInfo own[] = {
        Prop<TControl, PropertyKind::Integer, &TControl::Left, &TControl::SetLeft>("Left"),
        Prop<TControl, PropertyKind::Integer, &TControl::Top, &TControl::SetTop>("Top"),
        Prop<TControl, PropertyKind::Integer, &TControl::Width, &TControl::SetWidth>("Width"),
        Prop<TControl, PropertyKind::Integer, &TControl::Height, &TControl::SetHeight>("Height"),
        Prop<TControl, PropertyKind::String, &TControl::Caption, &TControl::SetCaption>("Caption"),
        Prop<TControl, PropertyKind::Boolean, &TControl::Enabled, &TControl::SetEnabled>("Enabled"),
        ObjectProp<TControl, static_cast<TFont& (TControl::*)()>(&TControl::Font)>("Font"),
        Prop<TControl, PropertyKind::Integer, &TControl::HelpContext, &TControl::SetHelpContext>("HelpContext"),
        Prop<TControl, PropertyKind::String, &TControl::Hint, &TControl::SetHint>("Hint"),
        Prop<TControl, PropertyKind::Boolean, &TControl::ParentFont, &TControl::SetParentFont>("ParentFont"),
        Prop<TControl, PropertyKind::Boolean, &TControl::ShowHint, &TControl::SetShowHint>("ShowHint"),
        Prop<TControl, PropertyKind::Boolean, &TControl::TabStop, &TControl::SetTabStop>("TabStop"),
        Prop<TControl, PropertyKind::Boolean, &TControl::Visible, &TControl::SetVisible>("Visible"),
    };
    static const PropertyTable table(&TComponent::Properties(), own);
    return table;
}

void TControl::SetParent(TControl* parent) {
    if (parent == parent_) return;
    if (!parent) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        parent_ = nullptr;
        if (handle_) DestroyHandle();
        return;
    }
    hooks().controlInserted(*parent, *this);
}

void TControl::InsertDefault(TControl& parent, TControl& control) {
    if (control.parent_ == &parent) return;
    if (control.parent_) {
        auto& siblings = control.parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), &control), siblings.end());
    }
    control.parent_ = &parent;
    parent.controls_.push_back(&control);
    if (control.parentFont_) {
        control.settingParentFont_ = true;
        control.font_->Assign(*parent.font_);
        control.settingParentFont_ = false;
    }
    // A window follows its control into the new parent: re-parented when the parent has one.
    if (parent.handle_) {
        if (control.handle_)
            os::calls().WindowSetParent(control.handle_, parent.handle_);
        else
            control.CreateWindowTree();
    } else if (control.handle_) {
        control.DestroyHandle();
    }
}

void TControl::SetVisible(bool visible) {
    visible_ = visible;
    if (handle_) os::calls().WindowShow(handle_, visible);
}

void TControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (handle_) os::calls().WindowEnable(handle_, enabled);
}

void TControl::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
    bounds_ = {left, top, left + width, top + height};
    if (handle_) os::calls().WindowSetBounds(handle_, bounds_);
}

void TControl::SetCaption(const std::string& caption) {
    caption_ = caption;
    if (handle_) os::calls().WindowSetText(handle_, caption);
}

void TControl::SetShowHint(bool showHint) { showHint_ = showHint; }

void TControl::SetParentFont(bool parentFont) {
    parentFont_ = parentFont;
    if (parentFont && parent_) {
        settingParentFont_ = true;
        font_->Assign(parent_->Font());
        settingParentFont_ = false;
    }
}

void TControl::FontChanged() {
    if (!settingParentFont_) parentFont_ = false;
    ApplyFontToWindow();
    for (TControl* child : controls_)
        if (child->parentFont_) {
            child->settingParentFont_ = true;
            child->font_->Assign(*font_);
            child->settingParentFont_ = false;
        }
}

void TControl::ApplyFontToWindow() {
    if (handle_) os::calls().WindowSetFont(handle_, font_->ToLogFont());
}

void TControl::FillWindowRequest(os::WindowRequest& request) const {
    request.kind = os::WindowKind::Form;
    request.text = caption_;
    request.bounds = bounds_;
    request.visible = visible_;
    request.enabled = enabled_;
    request.tabStop = tabStop_;
    request.id = id_;
}

WindowHandle TControl::Handle() {
    if (handle_) return handle_;
    if (parent_) {
        parent_->Handle();  // makes this window with the parent's tree
        if (handle_) return handle_;
    }
    CreateWindowTree();
    return handle_;
}

void TControl::CreateWindowTree() {
    if (!handle_) {
        os::WindowRequest request;
        FillWindowRequest(request);
        if (parent_) request.parent = parent_->handle_;
        request.callback = &ControlCallback;
        request.target = this;
        const WindowHandle h = os::calls().WindowCreate(request);
        if (!h) throw Exception("Cannot create a window for " + ClassName() + (Name().empty() ? "" : " " + Name()));
        handle_ = h;
        WindowMap()[h] = this;
        ApplyFontToWindow();
        WindowCreated();
    }
    for (TControl* child : controls_) child->CreateWindowTree();
}

void TControl::ForgetWindow() {
    if (!handle_) return;
    WindowMap().erase(handle_);
    handle_ = 0;
}

void TControl::DestroyHandle() {
    if (!handle_) return;
    recreating_ = true;
    // Children first, so that each keeps its own state.
    for (TControl* child : controls_) child->DestroyHandle();
    SaveWindowState();
    const WindowHandle h = handle_;
    ForgetWindow();
    os::calls().WindowDestroy(h);
    recreating_ = false;
}

void TControl::SetFocus() { os::calls().WindowSetFocus(Handle()); }

void TControl::Click() {
    if (onClick) onClick(*this);
}

TForm* TControl::OwningForm() const { return GetParentForm(const_cast<TControl&>(*this)); }

bool TControl::WindowMessage(uint32_t message, uintptr_t w, intptr_t l, intptr_t* result) {
    switch (message) {
        case os::kWmKeyDown:
        case os::kWmSysKeyDown:
            // The form sees its controls' keys first.
            if (TForm* form = OwningForm(); form && form != this && form->ChildKey(*this, int(w))) {
                *result = 0;
                return true;
            }
            return false;
        case os::kWmMouseMove:
            if (showHint_ && !hint_.empty() && HintControl() != this) hooks().hintShowing(*this);
            return false;
        case os::kWmCommand:
            if (l) {
                TControl* child = FindControl(WindowHandle(l));
                if (child && child->parent_ == this && ((w >> 16) & 0xFFFF) == os::kBnClicked) {
                    child->Click();
                    *result = 0;
                    return true;
                }
            }
            return false;
        default:
            return false;
    }
}

TControl* FindControl(WindowHandle window) {
    auto it = WindowMap().find(window);
    return it == WindowMap().end() ? nullptr : it->second;
}

TForm* GetParentForm(TControl& control) {
    for (TControl* c = &control; c; c = c->Parent())
        if (auto* form = dynamic_cast<TForm*>(c)) return form;
    return nullptr;
}

}  // namespace plz::ui
