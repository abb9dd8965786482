// The interception points, each starting at the framework's own routine.
#include "ui/hooks.h"

#include "ui/application.h"
#include "ui/component.h"
#include "ui/control.h"
#include "ui/font.h"
#include "ui/form.h"
#include "ui/reader.h"

namespace plz::ui {
namespace {
void NoCommonDialogHandling(WindowHandle, uint32_t, WindowHandle) {}
}  // namespace

Hooks& hooks() {
    static Hooks points{
        HookPoint<void(TControl&, TControl&)>(&TControl::InsertDefault),
        HookPoint<void(TComponent&, TComponent&)>(&TComponent::InsertDefault),
        HookPoint<void(TForm&)>(&TForm::ShowingDefault),
        HookPoint<void(WindowHandle, uint32_t, WindowHandle)>(&NoCommonDialogHandling),
        HookPoint<void(TReader&, TComponent&)>(&TReader::ReadComponentDataDefault),
        HookPoint<void(TReader&, TPersistent&)>(&TReader::ReadPropertyDefault),
        HookPoint<std::string(TReader&)>(&TReader::ReadStringDefault),
        HookPoint<std::u16string(TReader&)>(&TReader::ReadWideStringDefault),
        HookPoint<std::string(int64_t)>(&ColorToTextDefault),
        HookPoint<void(TControl&)>(&ShowHintDefault),
    };
    return points;
}

}  // namespace plz::ui
