// Controls: a parent and children in tab order, tab stop, visibility, enabled state, bounds in
// pixels, caption, hint and show-hint, and a font. Every control has a window of the platform,
// made on demand with its parent's and its children's; the control keeps its contents, so its
// window can go and come back (re-creating) without losing anything.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/os.h"
#include "ui/component.h"
#include "ui/font.h"

namespace plz::ui {

class TForm;

class TControl : public TComponent {
public:
    TControl();
    ~TControl() override;

    std::string ClassName() const override { return "TControl"; }
    const PropertyTable& Properties() const override;

    // --- parent and children
    TControl* Parent() const { return parent_; }
    // Puts the control into `parent` (none takes it out) through the insertion point.
    void SetParent(TControl* parent);
    const std::vector<TControl*>& Controls() const { return controls_; }
    // The framework's own insertion, behind the insertion point.
    static void InsertDefault(TControl& parent, TControl& control);

    // --- state
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    int32_t Left() const { return bounds_.left; }
    int32_t Top() const { return bounds_.top; }
    int32_t Width() const { return bounds_.Width(); }
    int32_t Height() const { return bounds_.Height(); }
    void SetLeft(int32_t v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int32_t v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int32_t v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int32_t v) { SetBounds(Left(), Top(), Width(), v); }
    void SetBounds(int32_t left, int32_t top, int32_t width, int32_t height);
    os::Rect Bounds() const { return bounds_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint);
    TFont& Font() { return *font_; }
    const TFont& Font() const { return *font_; }
    // Parent font: the control follows its parent's font until it is given one of its own.
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);
    int32_t HelpContext() const { return helpContext_; }
    void SetHelpContext(int32_t id) { helpContext_ = id; }

    // --- window
    // The window, made now (with its parent's and children's) when there is none.
    WindowHandle Handle();
    // The window if there is one; never makes one.
    WindowHandle HandleIfAny() const { return handle_; }
    bool HandleAllocated() const { return handle_ != 0; }
    // The window (and its children's) goes; the contents stay for the next one.
    void DestroyHandle();
    // True while DestroyHandle runs.
    bool Recreating() const { return recreating_; }
    // Moves the keyboard focus here.
    void SetFocus();

    std::function<void(TControl&)> onClick;
    // A click: the handler, then whatever the class adds.
    virtual void Click();

protected:
    // The visibility flag alone, leaving the window as it is.
    void SetVisibleFlag(bool visible) { visible_ = visible; }
    virtual void FillWindowRequest(os::WindowRequest& request) const;
    // One message of the control's window; true when handled (result set).
    virtual bool WindowMessage(uint32_t message, uintptr_t w, intptr_t l, intptr_t* result);
    // Takes state the window holds (a check mark) before the window goes.
    virtual void SaveWindowState() {}
    // The window was made: the class sets what the request does not carry.
    virtual void WindowCreated() {}
    void CreateWindowTree();
    void ForgetWindow();
    TForm* OwningForm() const;

private:
    friend bool ControlCallback(void*, WindowHandle, uint32_t, uintptr_t, intptr_t, intptr_t*) noexcept;
    void FontChanged();
    void ApplyFontToWindow();

    TControl* parent_ = nullptr;
    std::vector<TControl*> controls_;
    bool tabStop_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    os::Rect bounds_{0, 0, 75, 25};
    std::string caption_;
    std::string hint_;
    bool showHint_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool settingParentFont_ = false;
    int32_t helpContext_ = 0;
    WindowHandle handle_ = 0;
    bool recreating_ = false;
    int32_t id_ = 0;
};

// The control behind a window of the framework's, or none.
TControl* FindControl(WindowHandle window);
// The nearest form among a control and its parents, or none.
TForm* GetParentForm(TControl& control);

}  // namespace plz::ui
