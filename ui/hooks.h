// The framework's interception points. Each point runs the framework's own routine unless a
// replacement is installed; a replacement can call through to the framework's routine
// (Original). The forms support installs its replacements at start-up and removes them at
// shut-down.
#pragma once

#include <cstdint>
#include <string>

#include "platform/abi.h"

namespace plz::ui {

class TComponent;
class TControl;
class TForm;
class TPersistent;
class TReader;

template <typename Signature>
class HookPoint;

template <typename R, typename... A>
class HookPoint<R(A...)> {
public:
    using Function = R (*)(A...);
    explicit constexpr HookPoint(Function original) : original_(original) {}

    R operator()(A... args) const { return (replacement_ ? replacement_ : original_)(args...); }
    R Original(A... args) const { return original_(args...); }

    // False when a replacement is already installed (the point keeps it).
    bool Install(Function replacement) {
        if (replacement_ || !replacement) return false;
        replacement_ = replacement;
        return true;
    }
    void Remove() { replacement_ = nullptr; }
    bool Installed() const { return replacement_ != nullptr; }

private:
    Function original_;
    Function replacement_ = nullptr;
};

struct Hooks {
    // A control was put into a parent (the framework's routine does the insertion).
    HookPoint<void(TControl& parent, TControl& control)> controlInserted;
    // A component was put into an owner.
    HookPoint<void(TComponent& owner, TComponent& component)> componentInserted;
    // A form is becoming visible: the framework positions and shows it.
    HookPoint<void(TForm& form)> formShowing;
    // A common dialog reports a message while it opens (its initialisation).
    HookPoint<void(WindowHandle dialog, uint32_t message, WindowHandle activeAtOpen)> commonDialog;
    // The reading of a stored form description: a component's data, a property, 8-bit and wide
    // strings.
    HookPoint<void(TReader& reader, TComponent& component)> readComponentData;
    HookPoint<void(TReader& reader, TPersistent& instance)> readProperty;
    HookPoint<std::string(TReader& reader)> readString;
    HookPoint<std::u16string(TReader& reader)> readWideString;
    // A colour value as text.
    HookPoint<std::string(int64_t color)> colorToText;
    // A hint is about to be shown for a control.
    HookPoint<void(TControl& control)> hintShowing;
};

Hooks& hooks();

}  // namespace plz::ui
