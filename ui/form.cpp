// Forms: window frames, showing (through the showing point), the modal loop, closing and release.
#include "ui/form.h"

#include <algorithm>
#include <vector>

#include "ui/application.h"
#include "ui/hooks.h"
#include "ui/reader.h"
#include "ui/std_controls.h"

namespace plz::ui {
namespace {

std::vector<TForm*>& ModalStack() {
    static std::vector<TForm*> stack;
    return stack;
}

constexpr struct {
    os::WindowBorder value;
    const char* name;
} kBorders[] = {{os::WindowBorder::Sizeable, "bsSizeable"}, {os::WindowBorder::Dialog, "bsDialog"},
                {os::WindowBorder::Single, "bsSingle"},     {os::WindowBorder::None, "bsNone"},
                {os::WindowBorder::ToolWindow, "bsToolWindow"}};

constexpr struct {
    FormPosition value;
    const char* name;
} kPositions[] = {{FormPosition::Designed, "poDesigned"},
                  {FormPosition::ScreenCenter, "poScreenCenter"},
                  {FormPosition::ActiveMonitorCenter, "poActiveMonitorCenter"}};

}  // namespace

TForm::TForm() {
    SetVisibleFlag(false);
    SetBounds(0, 0, 400, 300);
}

TForm::~TForm() {
    auto& stack = ModalStack();
    stack.erase(std::remove(stack.begin(), stack.end(), this), stack.end());
}

const PropertyTable& TForm::Properties() const {
    static constexpr PropertyInfo own[] = {
        Prop<TForm, PropertyKind::Enum, &TForm::BorderStyleName, &TForm::SetBorderStyleName>("BorderStyle"),
        Prop<TForm, PropertyKind::Boolean, &TForm::HelpButton, &TForm::SetHelpButton>("HelpButton"),
        Prop<TForm, PropertyKind::Enum, &TForm::PositionName, &TForm::SetPositionName>("Position"),
    };
    static const PropertyTable table(&TControl::Properties(), own);
    return table;
}

std::string TForm::BorderStyleName() const {
    for (const auto& b : kBorders)
        if (b.value == border_) return b.name;
    return {};
}

void TForm::SetBorderStyleName(const std::string& name) {
    for (const auto& b : kBorders)
        if (SameText(b.name, name)) return SetBorderStyle(b.value);
    throw EFormDescriptionError("Unknown border style " + name);
}

std::string TForm::PositionName() const {
    for (const auto& p : kPositions)
        if (p.value == position_) return p.name;
    return {};
}

void TForm::SetPositionName(const std::string& name) {
    for (const auto& p : kPositions)
        if (SameText(p.name, name)) return SetPosition(p.value);
    throw EFormDescriptionError("Unknown position " + name);
}

void TForm::FillWindowRequest(os::WindowRequest& request) const {
    TControl::FillWindowRequest(request);
    request.kind = os::WindowKind::Form;
    request.border = border_;
    request.helpButton = helpButton_;
    request.visible = false;  // shown through the showing point
    if (!Parent()) {
        request.parent = parentWindow_;
        request.owner = parentWindow_ ? 0 : MainWindow();
    }
}

void TForm::SetParentWindow(WindowHandle window) {
    if (window == parentWindow_) return;
    DestroyHandle();
    parentWindow_ = window;
}

int32_t TForm::ClientWidth() { return os::calls().WindowClientSize(Handle()).x; }
int32_t TForm::ClientHeight() { return os::calls().WindowClientSize(Handle()).y; }

void TForm::SetClientSize(int32_t width, int32_t height) {
    const os::Point client = os::calls().WindowClientSize(Handle());
    SetBounds(Left(), Top(), width + (Width() - client.x), height + (Height() - client.y));
}

void TForm::CenterOn(const os::Rect& area) {
    SetBounds(area.left + (area.Width() - Width()) / 2, area.top + (area.Height() - Height()) / 2, Width(), Height());
}

void TForm::ShowingDefault(TForm& form) {
    if (form.position_ == FormPosition::ScreenCenter)
        form.CenterOn(os::calls().MonitorWorkArea(0));
    else if (form.position_ == FormPosition::ActiveMonitorCenter)
        form.CenterOn(os::calls().MonitorWorkArea(os::calls().WindowActive()));
    os::calls().WindowShow(form.Handle(), true);
    if (form.onShow) form.onShow(form);
}

void TForm::SetVisible(bool visible) {
    const bool was = Visible();
    if (!visible) {
        TControl::SetVisible(false);
        if (was && onHide) onHide(*this);
        return;
    }
    if (was && HandleAllocated() && os::calls().WindowVisible(HandleIfAny())) return;
    // The flag alone: the showing point positions and shows the window.
    SetVisibleFlag(true);
    hooks().formShowing(*this);
}

int32_t TForm::ShowModal() {
    if (modal_ || (Visible() && HandleAllocated())) throw Exception("Cannot make a visible window modal");
    const WindowHandle owner = MainWindow();
    const bool ownerEnabled = owner && os::calls().WindowExists(owner);
    modalResult_ = mrNone;
    modal_ = true;
    ModalStack().push_back(this);
    struct Restore {
        TForm& form;
        WindowHandle owner;
        bool enable;
        ~Restore() {
            form.modal_ = false;
            auto& stack = ModalStack();
            stack.erase(std::remove(stack.begin(), stack.end(), &form), stack.end());
            if (form.HandleAllocated()) form.Hide();
            if (enable) {
                os::calls().WindowEnable(owner, true);
                os::calls().WindowActivate(owner);
            }
        }
    } restore{*this, owner, ownerEnabled};
    if (ownerEnabled) os::calls().WindowEnable(owner, false);
    Show();
    if (TControl* button = DefaultButton()) button->SetFocus();
    while (modalResult_ == mrNone) {
        if (!HandleAllocated()) {
            modalResult_ = mrCancel;
            break;
        }
        if (!os::calls().PumpMessage(true) && modalResult_ == mrNone) modalResult_ = mrCancel;
    }
    return modalResult_;
}

void TForm::Close() {
    if (modal_)
        modalResult_ = mrCancel;
    else
        Hide();
}

bool TForm::Release() { return os::calls().PostMessageTo(Handle(), kCmRelease, 0, 0); }

bool TForm::ChildKey(TControl&, int) { return false; }

bool TForm::HelpMessage(const os::HelpRequest&) { return false; }

namespace {
TControl* FindButton(const TControl& parent, bool (TButton::*role)() const) {
    for (TControl* c : parent.Controls()) {
        if (auto* b = dynamic_cast<TButton*>(c); b && (b->*role)() && b->Visible()) return b;
        if (TControl* inner = FindButton(*c, role)) return inner;
    }
    return nullptr;
}
}  // namespace

TControl* TForm::DefaultButton() const { return FindButton(*this, &TButton::Default); }
TControl* TForm::CancelButton() const { return FindButton(*this, &TButton::Cancel); }

bool TForm::WindowMessage(uint32_t message, uintptr_t w, intptr_t l, intptr_t* result) {
    switch (message) {
        case os::kWmClose:
            Close();
            *result = 0;
            return true;
        case os::kWmActivate:
            if ((w & 0xFFFF) != 0 && onActivate) onActivate(*this);
            return false;
        case os::kWmHelp:
            if (l && HelpMessage(*reinterpret_cast<const os::HelpRequest*>(l))) {
                *result = 1;
                return true;
            }
            return false;
        case os::kWmCommand:
            // Enter and Escape, as the platform's dialog handling reports them.
            if (l == 0 && (w & 0xFFFF) == uintptr_t(os::kIdOk)) {
                if (TControl* b = DefaultButton()) b->Click();
                *result = 0;
                return true;
            }
            if (l == 0 && (w & 0xFFFF) == uintptr_t(os::kIdCancel)) {
                if (TControl* b = CancelButton())
                    b->Click();
                else
                    Close();
                *result = 0;
                return true;
            }
            return TControl::WindowMessage(message, w, l, result);
        case kCmRelease:
            delete this;
            *result = 0;
            return true;
        default:
            return TControl::WindowMessage(message, w, l, result);
    }
}

TForm* ActiveModalForm() { return ModalStack().empty() ? nullptr : ModalStack().back(); }

void ReadFormDescription(TForm& form) {
    const std::string* text = FindFormDescription(form.ClassName());
    if (!text) throw EFormDescriptionError("No stored description for the form class " + form.ClassName());
    ReadDescription(form, *text, &form);
}

}  // namespace plz::ui
