// The "Plazen" command handler: checks that a PCB is open, reads "Object" and the arrangement's
// options, runs one arranger.
#include "arranger/arrange_command.h"

#include "RTL/pcb_api.h"
#include "arranger/arrange_options.h"
#include "arranger/component_arranger.h"
#include "ui/message_dialog.h"
#include "frame/parameters.h"
#include "platform/ascii.h"

namespace plz {

void ArrangeCommand(IUnknown* context, const char* parameters) {
    if (PcbApi_GetCurrentEditorWindow() == 0) {
        ui::ShowErrorMessage("No document is currently open in Client.");
        return;
    }
    if (PcbApi_GetCurrentBoardHandle() == 0) {
        ui::ShowErrorMessage("No PCB is currently open in Client.");
        return;
    }
    ShortString<255> object;
    GetParameterValue(parameters, ShortString<255>("Object"), object);
    // A bad option stops the command before it touches the board: nothing is asked or moved.
    ArrangeOptions options;
    if (const auto problem = ReadArrangeOptions(parameters, options)) {
        ui::ShowErrorMessage(*problem);
        return;
    }

    // Freed however the run ends, so that the context reference is never kept.
    TComponentArranger arranger(PcbApi_GetCurrentBoardHandle(), context);
    CurrentArranger = &arranger;
    struct Forget {
        ~Forget() { CurrentArranger = nullptr; }
    } forget;

    // Upper-casing touches only the ASCII letters.
    for (size_t i = 0; i < object.Size(); ++i) object.Chars[i] = AsciiUpper(object.Chars[i]);
    arranger.SelectedOnly = object.View() == "SELECTED COMPONENTS";
    arranger.Options = options;

    arranger.Arrange();
    arranger.StoreBoard();
}

}  // namespace plz
