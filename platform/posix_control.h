// Controls of the POSIX stand-in that have no Windows counterpart: what a user, the screen or
// other programs would do on Windows (answer a dialog, press a key, move the mouse, add a monitor,
// start, answer dynamic data exchange), with the records of its windows and of what was asked of
// them. Tests and the host simulator use them; the plug-in never does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/os.h"

namespace plz::os::posix {

// The stand-in's windows are records: what the window system would hold for each window.
struct WindowRecord {
    WindowKind kind = WindowKind::Form;
    WindowHandle parent = 0;
    WindowHandle owner = 0;
    std::string text;
    Rect bounds;
    WindowBorder border = WindowBorder::Sizeable;
    bool visible = false;
    bool enabled = true;
    bool tabStop = false;
    bool defaultButton = false;
    bool helpButton = false;
    bool checked = false;
    int32_t id = 0;
    bool hasFont = false;
    LogFontA font{};
    WindowCallback callback = nullptr;
    void* target = nullptr;
};
// The record of a live window, or none.
const WindowRecord* Window(WindowHandle window);
// Live windows in creation order.
std::vector<WindowHandle> Windows();
// Destroys every window (between tests).
void DestroyAllWindows();

// Work areas of the monitors; the first is the primary one. Default: one of 1920 x 1040.
void SetMonitors(std::vector<Rect> workAreas);
void SetCursorPosition(Point screen);
void SetAnsiCodePage(uint32_t codePage);  // default 1252
void SetGhostingAvailable(bool available);  // default true

// Plays the user while a modal loop waits and no message is queued: gets the active window and
// returns whether it did something. Null restores the default user, who writes the window's
// caption and texts to standard error ("[caption] text") and presses its default button, else
// closes it; it gives up on a window that it has already answered twice.
using UserHandler = bool (*)(WindowHandle active);
void SetUserHandler(UserHandler handler);
// Presses the window's default button (a posted click), else posts it a close request; false
// when there is no such window.
bool PressDefaultButton(WindowHandle window);
// The caption and the labels' texts of a window, as the default user reads them.
std::string DialogText(WindowHandle window);

struct WinHelpCall {
    WindowHandle window = 0;
    std::string file;
    uint32_t command = 0;
    uintptr_t data = 0;
    Point popupPosition;  // for the set-position command: the position passed
    bool operator==(const WinHelpCall&) const = default;
};
std::vector<WinHelpCall> WinHelpCalls();
void ClearWinHelpCalls();

// Holds a key down (virtual-key code) or lets it go.
void SetKeyDown(int virtualKey, bool down);

// Requests for other programs and system libraries, in order, as one line each
// ("ShellOpen VERB TARGET show=N", "StartProgram LINE show=N", "DdeExecute SERVICE|TOPIC|TEXT",
// "LoadSystemLibrary NAME"); taking them empties the record.
std::vector<std::string> TakePlatformRequests();
// What a program start answers (default 42: started; 31 or less: failed).
void SetProgramStartResult(intptr_t result);
// Whether a partner answers dynamic data exchange (default yes).
void SetDdeServerPresent(bool present);

}  // namespace plz::os::posix
