// The Win32 implementation of the OS seam: the real calls. Compiled into every module that uses
// the seam, so that OwnModule names that module.
#include "platform/os.h"

// After our own declarations: <windows.h> defines macros with the names of some of them.
#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>
#include <shellapi.h>
#include <ddeml.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

namespace plz::os::native {

ModuleHandle FindLoadedModule(const char* name) { return ::GetModuleHandleA(name); }

void* FindExport(ModuleHandle module, const char* name) {
    if (!module || !name) return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(module), name));
}

ModuleHandle OwnModule() {
    HMODULE h = nullptr;
    ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCSTR>(&OwnModule), &h);
    return h;
}

std::string ModulePath(ModuleHandle module) {
    char buffer[MAX_PATH + 1] = {};
    DWORD n = ::GetModuleFileNameA(static_cast<HMODULE>(module), buffer, MAX_PATH);
    return std::string(buffer, n);
}

ModuleHandle OpenLibrary(const std::string& path, std::string* error) {
    HMODULE h = ::LoadLibraryA(path.c_str());
    if (!h && error) *error = "cannot load library (Windows error " + std::to_string(::GetLastError()) + ")";
    return h;
}

void CloseLibrary(ModuleHandle module) {
    if (module) ::FreeLibrary(static_cast<HMODULE>(module));
}

void DisableThreadNotifications(ModuleHandle module) {
    ::DisableThreadLibraryCalls(static_cast<HMODULE>(module));
}

// Never by bare name: the search would try the current and the program's folder first.
ModuleHandle LoadSystemLibrary(const std::string& fileName) {
    if (fileName.find_first_of("/\\:") != std::string::npos) return nullptr;
    if (HMODULE h = ::LoadLibraryExA(fileName.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return h;
    // Systems without the search flags refuse it; the full path in the system folder is as safe.
    if (::GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
    char folder[MAX_PATH + 1] = {};
    UINT n = ::GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n > MAX_PATH) return nullptr;
    return ::LoadLibraryA((std::string(folder, n) + "\\" + fileName).c_str());
}

namespace {
PlatformExceptionObserver g_platformObserver = nullptr;

bool InThisModule(void* address) {
    HMODULE h = nullptr;
    return ::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                static_cast<LPCSTR>(address), &h) &&
           h == OwnModule();
}

// Errors only (severity bits 11), raised in this module's code, and never a C++ throw, which the
// runtime's own hooks report: the unwinder's codes (GCC SEH) and the other compiler's throw code.
LONG CALLBACK VectoredHandler(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD* r = pointers ? pointers->ExceptionRecord : nullptr;
    if (!r || !g_platformObserver) return EXCEPTION_CONTINUE_SEARCH;
    DWORD code = r->ExceptionCode;
    bool cxx = code == 0x20474343 || code == 0x21474343 || code == 0x22474343 || code == 0xE06D7363;
    if (!cxx && (code & 0xC0000000u) == 0xC0000000u && InThisModule(r->ExceptionAddress))
        g_platformObserver(code, reinterpret_cast<uintptr_t>(r->ExceptionAddress));
    return EXCEPTION_CONTINUE_SEARCH;
}
}  // namespace

void* WatchPlatformExceptions(PlatformExceptionObserver observer) {
    g_platformObserver = observer;
    return ::AddVectoredExceptionHandler(0, VectoredHandler);
}

void UnwatchPlatformExceptions(void* watch) {
    if (watch) ::RemoveVectoredExceptionHandler(watch);
    g_platformObserver = nullptr;
}

uint32_t CaptureStack(uintptr_t* frames, uint32_t count, uint32_t skip) {
    void* raw[62];
    USHORT n = ::RtlCaptureStackBackTrace(DWORD(skip + 1), count < 62 ? DWORD(count) : 62, raw, nullptr);
    for (USHORT i = 0; i < n; ++i) frames[i] = reinterpret_cast<uintptr_t>(raw[i]);
    return n;
}

uintptr_t ModuleOfAddress(uintptr_t address, std::string* path) {
    HMODULE h = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<LPCSTR>(address), &h) || !h)
        return 0;
    if (path) *path = ModulePath(h);
    return reinterpret_cast<uintptr_t>(h);
}

uint32_t CurrentThreadId() { return ::GetCurrentThreadId(); }

bool SetThreadErrorInfo(const ErrorInfo* info) {
    if (!info) return ::SetErrorInfo(0, nullptr) >= 0;
    ICreateErrorInfo* create = nullptr;
    if (::CreateErrorInfo(&create) < 0 || !create) return false;
    ::GUID guid;
    static_assert(sizeof(guid) == sizeof(info->guid));
    std::memcpy(&guid, &info->guid, sizeof(guid));
    create->SetGUID(guid);
    create->SetSource(const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(info->source.c_str())));
    create->SetDescription(const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(info->description.c_str())));
    create->SetHelpFile(const_cast<LPOLESTR>(reinterpret_cast<const wchar_t*>(info->helpFile.c_str())));
    create->SetHelpContext(info->helpContext);
    IErrorInfo* error = nullptr;
    bool ok = create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&error)) >= 0 && error;
    if (ok) {
        ::SetErrorInfo(0, error);
        error->Release();
    }
    create->Release();
    return ok;
}

namespace {
std::u16string TakeBstr(::BSTR s) {
    std::u16string out;
    if (s) {
        out.assign(reinterpret_cast<const char16_t*>(s), ::SysStringLen(s));
        ::SysFreeString(s);
    }
    return out;
}
}  // namespace

bool TakeThreadErrorInfo(ErrorInfo* info) {
    IErrorInfo* error = nullptr;
    if (::GetErrorInfo(0, &error) != 0 || !error) return false;
    if (info) {
        ::BSTR s = nullptr;
        if (error->GetSource(&s) >= 0) info->source = TakeBstr(s);
        s = nullptr;
        if (error->GetDescription(&s) >= 0) info->description = TakeBstr(s);
        s = nullptr;
        if (error->GetHelpFile(&s) >= 0) info->helpFile = TakeBstr(s);
        DWORD context = 0;
        if (error->GetHelpContext(&context) >= 0) info->helpContext = context;
        ::GUID guid{};
        if (error->GetGUID(&guid) >= 0) std::memcpy(&info->guid, &guid, sizeof(guid));
    }
    error->Release();
    return true;
}

BSTR AllocString(const char16_t* text, uint32_t length) {
    return reinterpret_cast<BSTR>(::SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text), length));
}

void FreeString(BSTR text) { ::SysFreeString(reinterpret_cast<::BSTR>(text)); }

uint32_t StringLength(BSTR text) { return ::SysStringLen(reinterpret_cast<::BSTR>(text)); }

std::u16string AnsiToWide(std::string_view text) {
    if (text.empty()) return {};
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::u16string out(size_t(n), u'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

std::string WideToAnsi(std::u16string_view text) {
    if (text.empty()) return {};
    auto* w = reinterpret_cast<const wchar_t*>(text.data());
    int n = ::WideCharToMultiByte(CP_ACP, 0, w, int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, w, int(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

namespace {
HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::CurrentUser    ? HKEY_CURRENT_USER
           : root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE
                                                : HKEY_CLASSES_ROOT;
}
// Paths are written with a leading backslash at times; the registry wants them relative.
const char* Relative(const std::string& path) {
    const char* p = path.c_str();
    while (*p == '\\') ++p;
    return p;
}
}  // namespace

// Full access as asked for the test-mode key; the classes root is only ever read.
RegistryKey RegistryOpen(RegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    REGSAM access = root == RegistryRoot::ClassesRoot ? KEY_READ : KEY_ALL_ACCESS;
    if (::RegOpenKeyExA(RootKey(root), Relative(path), 0, access, &key) != ERROR_SUCCESS) return nullptr;
    return key;
}

RegistryKey RegistryCreate(RegistryRoot root, const std::string& path) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(RootKey(root), Relative(path), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool RegistryReadDword(RegistryKey key, const std::string& value, uint32_t* out) {
    if (!key) return false;
    DWORD type = 0, data = 0, size = sizeof data;
    if (::RegQueryValueExA(static_cast<HKEY>(key), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data),
                           &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return false;
    if (out) *out = data;
    return true;
}

bool RegistryWriteDword(RegistryKey key, const std::string& value, uint32_t data) {
    if (!key) return false;
    DWORD d = data;
    return ::RegSetValueExA(static_cast<HKEY>(key), value.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&d),
                            sizeof d) == ERROR_SUCCESS;
}

bool RegistryReadString(RegistryKey key, const std::string& value, std::string* out) {
    if (!key) return false;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(static_cast<HKEY>(key), value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    std::string data(size, '\0');
    if (::RegQueryValueExA(static_cast<HKEY>(key), value.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return false;
    data.resize(size);
    while (!data.empty() && data.back() == '\0') data.pop_back();
    if (out) *out = data;
    return true;
}

void RegistryClose(RegistryKey key) {
    if (key) ::RegCloseKey(static_cast<HKEY>(key));
}

std::string AppDataFolder() {
    char buffer[MAX_PATH + 1] = {};
    if (::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return {};
    return buffer;
}

bool FileExists(const std::string& path) {
    DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD a = ::GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectory(const std::string& path) { return ::CreateDirectoryA(path.c_str(), nullptr) != 0; }

bool ReadFileBytes(const std::string& path, std::string* bytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::string data;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) data.append(chunk, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    if (ok && bytes) *bytes = std::move(data);
    return ok;
}

bool PeekAnyMessage(QueuedMessage* message) {
    MSG msg{};
    if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) return false;
    if (message) *message = {reinterpret_cast<WindowHandle>(msg.hwnd), msg.message, msg.wParam, msg.lParam};
    return true;
}

bool PostMessageTo(WindowHandle window, uint32_t message, uintptr_t w, intptr_t l) {
    return ::PostMessageA(reinterpret_cast<HWND>(window), message, w, l) != 0;
}

namespace {

// What the seam keeps with each window it made: the framework's object, the control's own
// procedure (controls are the system's classes, subclassed), and the font it was given.
struct WindowData {
    WindowCallback callback = nullptr;
    void* target = nullptr;
    WNDPROC original = nullptr;
    HFONT font = nullptr;
};
constexpr const char* kDataProperty = "PlazenWindowData";
constexpr const char* kFormClass = "PlazenForm";

HWND Hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
WindowHandle Handle(HWND hwnd) { return reinterpret_cast<WindowHandle>(hwnd); }
WindowData* DataOf(HWND hwnd) { return static_cast<WindowData*>(::GetPropA(hwnd, kDataProperty)); }

static_assert(sizeof(HelpRequest) == sizeof(HELPINFO));
static_assert(offsetof(HelpRequest, item) == offsetof(HELPINFO, hItemHandle));
static_assert(offsetof(HelpRequest, contextId) == offsetof(HELPINFO, dwContextId));
static_assert(offsetof(HelpRequest, mousePos) == offsetof(HELPINFO, MousePos));

// Every message of the seam's windows passes here. Nothing may leave: an exception that
// unwound into the system's frames would end the host's process.
LRESULT CALLBACK SeamProc(HWND hwnd, UINT message, WPARAM w, LPARAM l) noexcept {
    WindowData* data = DataOf(hwnd);
    if (!data && message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(l);
        data = static_cast<WindowData*>(create->lpCreateParams);
        if (data) ::SetPropA(hwnd, kDataProperty, data);
    }
    if (!data) return ::DefWindowProcA(hwnd, message, w, l);
    WNDPROC original = data->original;
    try {
        intptr_t result = 0;
        if (data->callback && message != WM_NCDESTROY &&
            data->callback(data->target, Handle(hwnd), message, w, l, &result))
            return result;
    } catch (...) {
    }
    if (message == WM_NCDESTROY) {
        ::RemovePropA(hwnd, kDataProperty);
        if (data->font) ::DeleteObject(data->font);
        if (original) ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        delete data;
    }
    return original ? ::CallWindowProcA(original, hwnd, message, w, l) : ::DefWindowProcA(hwnd, message, w, l);
}

void RegisterFormClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA c{};
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = SeamProc;
    c.hInstance = reinterpret_cast<HINSTANCE>(OwnModule());
    c.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = kFormClass;
    registered = ::RegisterClassA(&c) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

WindowHandle WindowCreate(const WindowRequest& request) {
    DWORD style = 0, exStyle = 0;
    const char* className = kFormClass;
    const bool child = request.parent != 0;
    switch (request.kind) {
        case WindowKind::Form:
            RegisterFormClass();
            exStyle |= WS_EX_CONTROLPARENT;
            if (child) {
                style = WS_CHILD | WS_CLIPSIBLINGS;
            } else {
                switch (request.border) {
                    case WindowBorder::Sizeable: style = WS_OVERLAPPEDWINDOW; break;
                    case WindowBorder::Dialog:
                        style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
                        exStyle |= WS_EX_DLGMODALFRAME;
                        break;
                    case WindowBorder::Single: style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
                    case WindowBorder::None: style = WS_POPUP; break;
                    case WindowBorder::ToolWindow:
                        style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
                        exStyle |= WS_EX_TOOLWINDOW;
                        break;
                }
                if (request.helpButton) {
                    style &= ~DWORD(WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
                    exStyle |= WS_EX_CONTEXTHELP;
                }
            }
            style |= WS_CLIPCHILDREN;
            break;
        case WindowKind::MessageOnly: RegisterFormClass(); break;
        case WindowKind::Label: className = "STATIC"; style = WS_CHILD | SS_LEFT | SS_NOPREFIX; break;
        case WindowKind::Button:
            className = "BUTTON";
            style = WS_CHILD | (request.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
            break;
        case WindowKind::CheckBox: className = "BUTTON"; style = WS_CHILD | BS_AUTOCHECKBOX; break;
        case WindowKind::Image: className = "STATIC"; style = WS_CHILD | SS_ICON; break;
        case WindowKind::Hint:
            className = "STATIC";
            style = WS_POPUP | WS_BORDER | SS_LEFT | SS_NOPREFIX;
            exStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
            break;
    }
    if (request.tabStop) style |= WS_TABSTOP;
    if (!request.enabled) style |= WS_DISABLED;
    auto* data = new WindowData{request.callback, request.target, nullptr, nullptr};
    // An image's text names its system icon, not a resource of this module.
    const char* text = request.kind == WindowKind::Image ? "" : request.text.c_str();
    // Forms and message-only windows are of the seam's own class, which takes the record at creation.
    const bool ownClass = request.kind == WindowKind::Form || request.kind == WindowKind::MessageOnly;
    HWND owner = request.kind == WindowKind::MessageOnly ? HWND_MESSAGE
                 : child                                 ? Hwnd(request.parent)
                 : ::IsWindow(Hwnd(request.owner))       ? Hwnd(request.owner)
                                                         : nullptr;
    HWND hwnd = ::CreateWindowExA(exStyle, className, text, style, request.bounds.left, request.bounds.top,
                                  request.bounds.Width(), request.bounds.Height(), owner,
                                  child ? reinterpret_cast<HMENU>(intptr_t(request.id)) : nullptr,
                                  reinterpret_cast<HINSTANCE>(OwnModule()), ownClass ? data : nullptr);
    if (!hwnd) {
        // A record of the seam's class may already have gone with the failed creation's clean-up.
        if (!ownClass) delete data;
        return 0;
    }
    if (!ownClass) {
        ::SetPropA(hwnd, kDataProperty, data);
        data->original = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SeamProc)));
    }
    if (request.kind == WindowKind::Image) {
        const char* icon = request.text == "Error"          ? IDI_ERROR
                           : request.text == "Information"  ? IDI_INFORMATION
                           : request.text == "Confirmation" ? IDI_QUESTION
                           : request.text == "Warning"      ? IDI_WARNING
                                                         : nullptr;
        if (icon) ::SendMessageA(hwnd, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconA(nullptr, icon)), 0);
    }
    if (request.visible) ::ShowWindow(hwnd, child ? SW_SHOWNA : SW_SHOW);
    return Handle(hwnd);
}

void WindowDestroy(WindowHandle window) {
    if (::IsWindow(Hwnd(window))) ::DestroyWindow(Hwnd(window));
}

bool WindowExists(WindowHandle window) { return window && ::IsWindow(Hwnd(window)); }

void WindowSetText(WindowHandle window, const std::string& text) { ::SetWindowTextA(Hwnd(window), text.c_str()); }

void WindowSetBounds(WindowHandle window, Rect b) {
    ::SetWindowPos(Hwnd(window), nullptr, b.left, b.top, b.Width(), b.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

Rect WindowBounds(WindowHandle window) {
    RECT r{};
    HWND hwnd = Hwnd(window);
    ::GetWindowRect(hwnd, &r);
    if (HWND parent = ::GetParent(hwnd); parent && (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD))
        ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

Point WindowClientSize(WindowHandle window) {
    RECT r{};
    ::GetClientRect(Hwnd(window), &r);
    return {r.right - r.left, r.bottom - r.top};
}

void WindowShow(WindowHandle window, bool visible) {
    HWND hwnd = Hwnd(window);
    // Children and hint windows appear without taking the activation.
    const bool passive = (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) || (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
    ::ShowWindow(hwnd, !visible ? SW_HIDE : passive ? SW_SHOWNA : SW_SHOW);
}

bool WindowVisible(WindowHandle window) { return ::IsWindowVisible(Hwnd(window)) != 0; }

void WindowEnable(WindowHandle window, bool enabled) { ::EnableWindow(Hwnd(window), enabled); }

void WindowSetParent(WindowHandle window, WindowHandle parent) { ::SetParent(Hwnd(window), Hwnd(parent)); }

void WindowSetFont(WindowHandle window, const LogFontA& font) {
    static_assert(sizeof(LOGFONTA) == sizeof(LogFontA));
    LOGFONTA lf;
    std::memcpy(&lf, &font, sizeof lf);
    HFONT created = ::CreateFontIndirectA(&lf);
    WindowData* data = DataOf(Hwnd(window));
    if (!created || !data) {
        if (created) ::DeleteObject(created);
        return;
    }
    ::SendMessageA(Hwnd(window), WM_SETFONT, reinterpret_cast<WPARAM>(created), TRUE);
    if (data->font) ::DeleteObject(data->font);
    data->font = created;
}

void WindowSetFocus(WindowHandle window) { ::SetFocus(Hwnd(window)); }

WindowHandle WindowFocused() { return Handle(::GetFocus()); }

WindowHandle WindowActive() { return Handle(::GetActiveWindow()); }

void WindowActivate(WindowHandle window) {
    ::SetForegroundWindow(Hwnd(window));
    ::SetActiveWindow(Hwnd(window));
}

intptr_t WindowSend(WindowHandle window, uint32_t message, uintptr_t w, intptr_t l) {
    return ::SendMessageA(Hwnd(window), message, w, l);
}

WindowHandle WindowAt(Point p) { return Handle(::WindowFromPoint(POINT{p.x, p.y})); }

Rect MonitorWorkArea(WindowHandle window) {
    HMONITOR monitor = window ? ::MonitorFromWindow(Hwnd(window), MONITOR_DEFAULTTONEAREST)
                              : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !::GetMonitorInfoA(monitor, &info)) return {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

Point CursorPosition() {
    POINT p{};
    ::GetCursorPos(&p);
    return {p.x, p.y};
}

Point TextExtent(const LogFontA& font, const std::string& text) {
    LOGFONTA lf;
    std::memcpy(&lf, &font, sizeof lf);
    HDC dc = ::GetDC(nullptr);
    HFONT f = ::CreateFontIndirectA(&lf);
    HGDIOBJ old = ::SelectObject(dc, f);
    RECT r{0, 0, 0, 0};
    ::DrawTextA(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_NOPREFIX);
    ::SelectObject(dc, old);
    ::DeleteObject(f);
    ::ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

int32_t ScreenPixelsPerInch() {
    HDC dc = ::GetDC(nullptr);
    int ppi = ::GetDeviceCaps(dc, LOGPIXELSY);
    ::ReleaseDC(nullptr, dc);
    return ppi > 0 ? ppi : 96;
}

bool PumpMessage(bool wait) {
    MSG msg{};
    if (wait) {
        if (::GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            ::PostQuitMessage(int(msg.wParam));  // the host's own loop still has to see it
            return false;
        }
    } else if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        return false;
    }
    // Tab, Enter and Escape work in the seam's forms as in any dialog.
    HWND root = msg.hwnd ? ::GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && DataOf(root) && msg.message == WM_KEYDOWN && msg.wParam != VK_F1 && ::IsDialogMessageA(root, &msg))
        return true;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
    return true;
}

void SleepFor(uint32_t milliseconds) { ::Sleep(milliseconds); }

bool ShowWinHelp(WindowHandle window, const std::string& file, uint32_t command, uintptr_t data) {
    return ::WinHelpA(Hwnd(window), file.c_str(), command, data) != 0;
}

bool DisableWindowGhosting() {
    using Fn = void(WINAPI*)();
    auto fn = reinterpret_cast<Fn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "DisableProcessWindowsGhosting")));
    if (!fn) return false;
    fn();
    return true;
}

uint32_t AnsiCodePage() { return ::GetACP(); }

bool IsKeyDown(int virtualKey) { return ::GetKeyState(virtualKey) < 0; }

intptr_t ShellOpen(const std::string& verb, const std::string& target, int show) {
    return reinterpret_cast<intptr_t>(::ShellExecuteA(nullptr, verb.c_str(), target.c_str(), nullptr, nullptr, show));
}

intptr_t StartProgram(const std::string& commandLine, int show) { return ::WinExec(commandLine.c_str(), UINT(show)); }

namespace {
HDDEDATA CALLBACK DdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }
}  // namespace

// ANSI code page; an execute transaction with the command's characters, no terminating zero,
// asynchronous: the viewer may take its time.
bool DdeExecute(const std::string& service, const std::string& topic, const std::string& command) {
    DWORD instance = 0;
    if (::DdeInitializeA(&instance, DdeCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) return false;
    HSZ hService = ::DdeCreateStringHandleA(instance, service.c_str(), CP_WINANSI);
    HSZ hTopic = ::DdeCreateStringHandleA(instance, topic.c_str(), CP_WINANSI);
    bool sent = false;
    if (HCONV conversation = ::DdeConnect(instance, hService, hTopic, nullptr)) {
        std::string data = command;
        sent = ::DdeClientTransaction(reinterpret_cast<LPBYTE>(data.data()), DWORD(data.size()), conversation, nullptr,
                                      CF_TEXT, XTYP_EXECUTE, TIMEOUT_ASYNC, nullptr) != nullptr;
        ::DdeDisconnect(conversation);
    }
    if (hService) ::DdeFreeStringHandle(instance, hService);
    if (hTopic) ::DdeFreeStringHandle(instance, hTopic);
    ::DdeUninitialize(instance);
    return sent;
}

OsVersionInfo OsVersion() {
    // GetVersionEx lies to unmanifested programs; ntdll's RtlGetVersion does not.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW v{};
    v.dwOSVersionInfoSize = sizeof v;
    auto fn = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
    if (fn && fn(&v) == 0) return {v.dwMajorVersion, v.dwMinorVersion};
    return {};
}

FileVersionResult FileVersion(const std::string& path) {
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {false, ::GetLastError(), 0};
    std::string data(size, '\0');
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return {false, ::GetLastError(), 0};
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    if (!::VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len) || !fixed)
        return {false, ::GetLastError(), 0};
    return {true, 0, (uint64_t(fixed->dwFileVersionMS) << 32) | fixed->dwFileVersionLS};
}

uint32_t SystemLocale() { return ::GetSystemDefaultLCID(); }

void WriteStdout(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void FlushStdout() { std::fflush(stdout); }

// At once: ExitProcess would still run every module's detach clean-up, the host's included.
void ExitNow(int code) { ::TerminateProcess(::GetCurrentProcess(), UINT(code)); }

}  // namespace plz::os::native
