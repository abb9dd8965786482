// The narrow seam to the operating system. Every service the plug-in and the host simulator take
// from the OS is one named call in PLZ_OS_CALLS; the defaults are the real Win32 calls on Windows
// and the shared POSIX stand-in elsewhere. Tests replace single calls in os::calls().
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/abi.h"
#include "platform/log_font.h"

namespace plz::os {

// Thread error information, as the component object model's error-information object holds it.
struct ErrorInfo {
    std::u16string source;
    std::u16string description;
    std::u16string helpFile;
    uint32_t helpContext = 0;
    GUID guid{};
};

enum class RegistryRoot : uint8_t { CurrentUser, LocalMachine, ClassesRoot };
// The name under which a key's default value is read and written.
inline constexpr const char* kRegistryDefaultValue = "";
using RegistryKey = void*;

struct QueuedMessage {
    WindowHandle window = 0;
    uint32_t message = 0;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
};

struct OsVersionInfo {
    uint32_t major = 0;
    uint32_t minor = 0;
};

// Outcome of a file-version query: ok with the version, or the Windows error code.
struct FileVersionResult {
    bool ok = false;
    uint32_t error = 0;
    uint64_t version = 0;
};

// A platform exception (not a C++ throw) raised in the calling module's code, as the vectored
// handler sees it before any frame handler does.
using PlatformExceptionObserver = void (*)(uint32_t code, uintptr_t address);

// Show state of a started program's or shell-opened document's window.
inline constexpr int kShowNormal = 1;
// A program start or shell open succeeded when the platform answered above this.
inline constexpr intptr_t kStartedAbove = 31;

// Windows error codes the callers look at.
inline constexpr uint32_t kErrorFileNotFound = 2;
inline constexpr uint32_t kErrorResourceDataNotFound = 1812;
inline constexpr uint32_t kErrorResourceTypeNotFound = 1813;

// Kinds of the standard message dialog; Windows shows the first three with their icons.
enum class MessageKind : int { Warning = 0, Error = 1, Information = 2, Confirmation = 3, Custom = 4 };
// --- windows -----------------------------------------------------------------------------------

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// What a window is made as: a top-level or embedded form, one of the standard controls, or a
// hidden window that only receives messages (never shown, no parent or owner of the caller's).
enum class WindowKind : uint8_t { Form, Label, Button, CheckBox, Image, Hint, MessageOnly };

// The frame of a form window.
enum class WindowBorder : uint8_t { Sizeable, Dialog, Single, None, ToolWindow };

// Delivers one message to the object behind a window. True when the object handled it (result
// set); otherwise the platform's default handling runs. Must not throw: it runs inside frames
// that the platform owns.
using WindowCallback = bool (*)(void* target, WindowHandle window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam, intptr_t* result) noexcept;

struct WindowRequest {
    WindowKind kind = WindowKind::Form;
    WindowHandle parent = 0;  // a child window inside this one
    WindowHandle owner = 0;   // a top-level window owned by this one
    std::string text;
    Rect bounds;  // outer bounds: screen coordinates, or the parent's client coordinates for a child
    WindowBorder border = WindowBorder::Sizeable;
    bool visible = false;
    bool enabled = true;
    bool tabStop = false;
    bool defaultButton = false;
    bool helpButton = false;  // the title bar's context-help button
    int32_t id = 0;           // a child's identifier in its parent's command messages
    WindowCallback callback = nullptr;
    void* target = nullptr;
};

// The platform's help request (its layout: the help message's record).
struct HelpRequest {
    uint32_t size = sizeof(HelpRequest);
    int32_t contextType = 1;  // 1: a window, 2: a menu item
    int32_t controlId = 0;
    WindowHandle item = 0;    // the window the request is for
    uintptr_t contextId = 0;
    Point mousePos;           // screen coordinates
};

// Window messages the framework exchanges with the platform.
inline constexpr uint32_t kWmDestroy = 0x0002;
inline constexpr uint32_t kWmActivate = 0x0006;
inline constexpr uint32_t kWmClose = 0x0010;
inline constexpr uint32_t kWmHelp = 0x0053;
inline constexpr uint32_t kWmKeyDown = 0x0100;
inline constexpr uint32_t kWmSysKeyDown = 0x0104;
inline constexpr uint32_t kWmInitDialog = 0x0110;
inline constexpr uint32_t kWmCommand = 0x0111;
inline constexpr uint32_t kWmMouseMove = 0x0200;
inline constexpr uint32_t kBmGetCheck = 0x00F0;
inline constexpr uint32_t kBmSetCheck = 0x00F1;
inline constexpr uint32_t kBmClick = 0x00F5;
inline constexpr uint32_t kWmUser = 0x0400;
inline constexpr uint32_t kBnClicked = 0;
inline constexpr int32_t kIdOk = 1;
inline constexpr int32_t kIdCancel = 2;
inline constexpr int kVkF1 = 0x70;

// Commands of the platform's pop-up help.
inline constexpr uint32_t kHelpContextPopup = 0x0008;
inline constexpr uint32_t kHelpSetPopupPos = 0x000D;

// Virtual-key codes for IsKeyDown.
inline constexpr int kVkShift = 0x10;
inline constexpr int kVkControl = 0x11;
inline constexpr int kVkAlt = 0x12;

// X(name, result, parameters): the one list of OS services.
#define PLZ_OS_CALLS(X)                                                                              \
    /* modules: lookup of already loaded modules (never loads), exports, own module */             \
    X(FindLoadedModule, ModuleHandle, (const char* name /*null: the main program*/))               \
    X(FindExport, void*, (ModuleHandle module, const char* name))                                  \
    X(OwnModule, ModuleHandle, ())                                                                 \
    X(ModulePath, std::string, (ModuleHandle module /*null: the main program*/))                   \
    X(OpenLibrary, ModuleHandle, (const std::string& path, /*out*/ std::string* error))            \
    X(CloseLibrary, void, (ModuleHandle module))                                                   \
    X(DisableThreadNotifications, void, (ModuleHandle module))                                     \
    /* a library from the system folder only, never the current or the program's folder */      \
    X(LoadSystemLibrary, ModuleHandle, (const std::string& fileName))                              \
    /* exceptions: platform faults in this module, the stack, the thread */                       \
    X(WatchPlatformExceptions, void*, (PlatformExceptionObserver observer))                        \
    X(UnwatchPlatformExceptions, void, (void* watch))                                              \
    X(CaptureStack, uint32_t, (uintptr_t* frames, uint32_t count, uint32_t skip))                  \
    X(ModuleOfAddress, uintptr_t, (uintptr_t address, /*out*/ std::string* path /*base or 0*/))   \
    X(CurrentThreadId, uint32_t, ())                                                               \
    /* thread error information */                                                                 \
    X(SetThreadErrorInfo, bool, (const ErrorInfo* info /*null clears*/))                           \
    X(TakeThreadErrorInfo, bool, (/*out*/ ErrorInfo* info))                                        \
    /* wide strings: one allocator shared by host and plug-in */                                   \
    X(AllocString, BSTR, (const char16_t* text, uint32_t length))                                  \
    X(FreeString, void, (BSTR text))                                                               \
    X(StringLength, uint32_t, (BSTR text))                                                         \
    X(AnsiToWide, std::u16string, (std::string_view text))                                         \
    X(WideToAnsi, std::string, (std::u16string_view text))                                         \
    /* registry: open, read; numbers written, keys created */                                             \
    X(RegistryOpen, RegistryKey, (RegistryRoot root, const std::string& path))                     \
    X(RegistryReadString, bool, (RegistryKey key, const std::string& value, std::string* out))     \
    X(RegistryReadDword, bool, (RegistryKey key, const std::string& value, uint32_t* out))         \
    X(RegistryWriteDword, bool, (RegistryKey key, const std::string& value, uint32_t data))        \
    X(RegistryCreate, RegistryKey, (RegistryRoot root, const std::string& path))                   \
    X(RegistryClose, void, (RegistryKey key))                                                      \
    /* folders and files */                                                                        \
    X(AppDataFolder, std::string, ())                                                              \
    X(FileExists, bool, (const std::string& path))                                                 \
    X(DirectoryExists, bool, (const std::string& path))                                            \
    X(MakeDirectory, bool, (const std::string& path))                                              \
    X(ReadFileBytes, bool, (const std::string& path, /*out*/ std::string* bytes))                  \
    /* message queue of the calling thread */                                                      \
    X(PeekAnyMessage, bool, (/*out*/ QueuedMessage* message))                                      \
    X(PostMessageTo, bool, (WindowHandle window, uint32_t message, uintptr_t w, intptr_t l))       \
    /* windows: made, changed and destroyed by the form framework */                               \
    X(WindowCreate, WindowHandle, (const WindowRequest& request))                                  \
    X(WindowDestroy, void, (WindowHandle window))                                                  \
    X(WindowExists, bool, (WindowHandle window))                                                   \
    X(WindowSetText, void, (WindowHandle window, const std::string& text))                         \
    X(WindowSetBounds, void, (WindowHandle window, Rect bounds))                                   \
    X(WindowBounds, Rect, (WindowHandle window))                                                   \
    X(WindowClientSize, Point, (WindowHandle window))                                              \
    X(WindowShow, void, (WindowHandle window, bool visible))                                       \
    X(WindowVisible, bool, (WindowHandle window))                                                  \
    X(WindowEnable, void, (WindowHandle window, bool enabled))                                     \
    X(WindowSetParent, void, (WindowHandle window, WindowHandle parent))                           \
    X(WindowSetFont, void, (WindowHandle window, const LogFontA& font))                            \
    X(WindowSetFocus, void, (WindowHandle window))                                                 \
    X(WindowFocused, WindowHandle, ())                                                             \
    X(WindowActive, WindowHandle, ())                                                              \
    X(WindowActivate, void, (WindowHandle window))                                                 \
    X(WindowSend, intptr_t, (WindowHandle window, uint32_t message, uintptr_t w, intptr_t l))      \
    X(WindowAt, WindowHandle, (Point screen))                                                      \
    X(MonitorWorkArea, Rect, (WindowHandle window /*0: the primary monitor*/))                     \
    X(CursorPosition, Point, ())                                                                   \
    X(TextExtent, Point, (const LogFontA& font, const std::string& text))                          \
    X(ScreenPixelsPerInch, int32_t, ())                                                            \
    /* dispatches one queued message; waits for one when asked. False: nothing was dispatched */   \
    X(PumpMessage, bool, (bool wait))                                                              \
    X(SleepFor, void, (uint32_t milliseconds))                                                     \
    X(ShowWinHelp, bool, (WindowHandle window, const std::string& file, uint32_t command,          \
                          uintptr_t data))                                                         \
    X(DisableWindowGhosting, bool, (/*false: the platform lacks it*/))                             \
    X(AnsiCodePage, uint32_t, ())                                                                  \
    X(IsKeyDown, bool, (int virtualKey))                                                           \
    /* other programs: the shell, program start, dynamic data exchange (ANSI, async execute) */   \
    X(ShellOpen, intptr_t, (const std::string& verb, const std::string& target, int show))         \
    X(StartProgram, intptr_t, (const std::string& commandLine, int show))                          \
    X(DdeExecute, bool, (const std::string& service, const std::string& topic,                     \
                         const std::string& command))                                              \
    /* system facts */                                                                             \
    X(OsVersion, OsVersionInfo, ())                                                                \
    X(FileVersion, FileVersionResult, (const std::string& path))                                   \
    X(SystemLocale, uint32_t, ())                                                                  \
    /* standard output and process exit */                                                         \
    X(WriteStdout, void, (std::string_view text))                                                  \
    X(FlushStdout, void, ())                                                                       \
    X(ExitNow, void, (int code))

// The real implementations: Win32 calls on Windows, the POSIX stand-in library elsewhere.
namespace native {
#define PLZ_OS_DECLARE(name, result, params) result name params;
PLZ_OS_CALLS(PLZ_OS_DECLARE)
#undef PLZ_OS_DECLARE
}  // namespace native

// The calls as this module sees them. Each entry starts at its native implementation.
struct Calls {
#define PLZ_OS_FIELD(name, result, params) result(*name) params = &native::name;
    PLZ_OS_CALLS(PLZ_OS_FIELD)
#undef PLZ_OS_FIELD
};
Calls& calls();

// Puts every call back to its native implementation.
void ResetAll();

// Replaces one call for a scope.
template <typename F>
class ScopedOverride {
public:
    ScopedOverride(F*& slot, F* replacement) : slot_(slot), saved_(slot) { slot_ = replacement; }
    ~ScopedOverride() { slot_ = saved_; }
    ScopedOverride(const ScopedOverride&) = delete;
    ScopedOverride& operator=(const ScopedOverride&) = delete;

private:
    F*& slot_;
    F* saved_;
};
template <typename F>
ScopedOverride(F*&, F*) -> ScopedOverride<F>;

// Path separator of the platform's file names: folders end with it.
#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Wide-string helpers built on the calls above.
BSTR NewString(std::u16string_view text);
std::u16string FromString(BSTR text);
BSTR NewAnsiString(std::string_view text);
std::string AnsiFromString(BSTR text);

}  // namespace plz::os
