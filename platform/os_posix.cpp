// The POSIX stand-in for the operating system: one shared library that the plug-in and the host
// simulator both link, so that process- and thread-wide state (error information, the string
// allocator, the message queue) is one, as it is on Windows. The registry is a folder tree under
// $PLAZEN_REGISTRY (keys are folders, values are files); special folders come from the environment
// ($PLAZEN_APPDATA, else $XDG_CONFIG_HOME, else ~/.config). Other programs (the shell, program
// starts, dynamic data exchange) are not run: each request is recorded and answered as set.
#include <dlfcn.h>
#include <execinfo.h>
#include <sys/syscall.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <map>
#include <fstream>
#include <sstream>
#include <utility>
#include <vector>

#include "platform/ascii.h"
#include "platform/os.h"
#include "platform/posix_control.h"

namespace fs = std::filesystem;

namespace plz::os {
namespace {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// "Name.dll" -> "libName.so": the natural equivalent of a Windows module name.
std::string PosixModuleName(std::string name) {
    if (name.find('/') != std::string::npos) return name;
    if (name.size() > 4) {
        if (SameIgnoringCase(std::string_view(name).substr(name.size() - 4), ".dll")) name = "lib" + name.substr(0, name.size() - 4) + ".so";
    }
    return name;
}

std::optional<ErrorInfo>& ThreadErrorInfo() {
    thread_local std::optional<ErrorInfo> info;
    return info;
}

std::deque<QueuedMessage>& ThreadQueue() {
    thread_local std::deque<QueuedMessage> queue;
    return queue;
}

std::vector<std::string> g_platformRequests;
intptr_t g_programStartResult = 42;
bool g_ddeServerPresent = true;

void Record(std::string request) { g_platformRequests.push_back(std::move(request)); }
std::array<bool, 256> g_keys{};

struct StringHeader {
    uint32_t bytes;  // length in bytes, without the terminator, as the Windows allocator keeps it
};


// --- windows --------------------------------------------------------------------------------

struct WindowWorld {
    std::map<WindowHandle, posix::WindowRecord> records;
    std::vector<WindowHandle> order;
    WindowHandle next = 0x10000;
    WindowHandle active = 0;
    WindowHandle focus = 0;
    std::vector<Rect> monitors{Rect{0, 0, 1920, 1040}};
    Point cursor{100, 100};
    uint32_t codePage = 1252;
    bool ghostingAvailable = true;
    posix::UserHandler user = nullptr;
    std::map<WindowHandle, int> answered;  // how often the default user answered each window
    std::vector<posix::WinHelpCall> winHelp;
};
WindowWorld& World() {
    static WindowWorld world;
    return world;
}

posix::WindowRecord* Record(WindowHandle window) {
    auto& w = World();
    auto it = w.records.find(window);
    return it == w.records.end() ? nullptr : &it->second;
}

// Framed top-level windows: a 3-pixel border and a 23-pixel caption bar.
Rect FrameOf(const posix::WindowRecord& r) {
    if (r.kind != WindowKind::Form || r.parent || r.border == WindowBorder::None) return {};
    return {3, 26, 3, 3};
}

WindowHandle RootOf(WindowHandle window) {
    while (const posix::WindowRecord* r = Record(window)) {
        if (!r->parent) return window;
        window = r->parent;
    }
    return window;
}

// A window's outer bounds on the screen.
Rect ScreenBounds(WindowHandle window) {
    const posix::WindowRecord* r = Record(window);
    if (!r) return {};
    Rect b = r->bounds;
    if (r->parent) {
        const posix::WindowRecord* p = Record(r->parent);
        Rect pb = ScreenBounds(r->parent);
        Rect f = p ? FrameOf(*p) : Rect{};
        b.left += pb.left + f.left, b.right += pb.left + f.left;
        b.top += pb.top + f.top, b.bottom += pb.top + f.top;
    }
    return b;
}

}  // namespace

namespace native {

ModuleHandle FindLoadedModule(const char* name) {
    void* h = name ? dlopen(PosixModuleName(name).c_str(), RTLD_LAZY | RTLD_NOLOAD)
                   : dlopen(nullptr, RTLD_LAZY);
    // The module stays loaded by whoever loaded it; drop the count this lookup added.
    if (h) dlclose(h);
    return h;
}

void* FindExport(ModuleHandle module, const char* name) {
    if (!module || !name) return nullptr;
    return dlsym(module, name);
}

// OwnModule lives in each module (os_posix_module.cpp): it must name its caller's module.

std::string ModulePath(ModuleHandle module) {
    if (module) {
        link_map* map = nullptr;
        if (dlinfo(module, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && map->l_name[0])
            return map->l_name;
    }
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

ModuleHandle OpenLibrary(const std::string& path, std::string* error) {
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h && error) {
        const char* e = dlerror();
        *error = e ? e : "cannot load library";
    }
    return h;
}

void CloseLibrary(ModuleHandle module) {
    if (module) dlclose(module);
}

void DisableThreadNotifications(ModuleHandle) {}

// Only from the folder that plays the system folder, $PLAZEN_SYSTEM_DIR; none without it.
ModuleHandle LoadSystemLibrary(const std::string& fileName) {
    Record("LoadSystemLibrary " + fileName);
    std::string folder = Env("PLAZEN_SYSTEM_DIR");
    if (folder.empty() || fileName.find_first_of("/\\") != std::string::npos) return nullptr;
    return dlopen((fs::path(folder) / fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
}

// Faults are signals here; the stand-in does not turn them into reports.
void* WatchPlatformExceptions(PlatformExceptionObserver) { return nullptr; }
void UnwatchPlatformExceptions(void*) {}

uint32_t CaptureStack(uintptr_t* frames, uint32_t count, uint32_t skip) {
    void* raw[64];
    int n = backtrace(raw, 64);
    uint32_t taken = 0;
    for (int i = int(skip) + 1; i < n && taken < count; ++i) frames[taken++] = reinterpret_cast<uintptr_t>(raw[i]);
    return taken;
}

uintptr_t ModuleOfAddress(uintptr_t address, std::string* path) {
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(address), &info) || !info.dli_fbase) return 0;
    if (path) *path = info.dli_fname ? info.dli_fname : "";
    return reinterpret_cast<uintptr_t>(info.dli_fbase);
}

uint32_t CurrentThreadId() { return uint32_t(syscall(SYS_gettid)); }

bool SetThreadErrorInfo(const ErrorInfo* info) {
    if (info)
        ThreadErrorInfo() = *info;
    else
        ThreadErrorInfo().reset();
    return true;
}

bool TakeThreadErrorInfo(ErrorInfo* info) {
    auto& slot = ThreadErrorInfo();
    if (!slot) return false;
    if (info) *info = *slot;
    slot.reset();
    return true;
}

BSTR AllocString(const char16_t* text, uint32_t length) {
    auto* block = static_cast<unsigned char*>(
        std::malloc(sizeof(StringHeader) + (size_t(length) + 1) * sizeof(char16_t)));
    if (!block) return nullptr;
    reinterpret_cast<StringHeader*>(block)->bytes = length * uint32_t(sizeof(char16_t));
    auto* chars = reinterpret_cast<char16_t*>(block + sizeof(StringHeader));
    if (text && length) std::memcpy(chars, text, length * sizeof(char16_t));
    else if (length) std::memset(chars, 0, length * sizeof(char16_t));
    chars[length] = 0;
    return chars;
}

void FreeString(BSTR text) {
    if (!text) return;
    std::free(reinterpret_cast<unsigned char*>(text) - sizeof(StringHeader));
}

uint32_t StringLength(BSTR text) {
    if (!text) return 0;
    auto* header = reinterpret_cast<StringHeader*>(reinterpret_cast<unsigned char*>(text) -
                                                   sizeof(StringHeader));
    return header->bytes / uint32_t(sizeof(char16_t));
}

// The stand-in's ANSI code page is Latin-1: every byte is the code point of the same value.
std::u16string AnsiToWide(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) out.push_back(char16_t(static_cast<unsigned char>(c)));
    return out;
}

std::string WideToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) out.push_back(c < 256 ? char(c) : '?');
    return out;
}

namespace {
fs::path RegistryPath(RegistryRoot root, const std::string& path) {
    fs::path p = Env("PLAZEN_REGISTRY");
    p /= root == RegistryRoot::CurrentUser    ? "HKEY_CURRENT_USER"
         : root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE"
                                              : "HKEY_CLASSES_ROOT";
    std::string part;
    std::istringstream in(path);
    while (std::getline(in, part, '\\'))
        if (!part.empty()) p /= part;
    return p;
}
// A key's default value is the file "(Default)", as the registry editor names it.
fs::path ValuePath(RegistryKey key, const std::string& value) {
    return fs::path(*static_cast<std::string*>(key)) / (value.empty() ? std::string("(Default)") : value);
}
}  // namespace

RegistryKey RegistryOpen(RegistryRoot root, const std::string& path) {
    if (Env("PLAZEN_REGISTRY").empty()) return nullptr;
    fs::path p = RegistryPath(root, path);
    std::error_code ec;
    if (!fs::is_directory(p, ec)) return nullptr;
    return new std::string(p.string());
}

bool RegistryReadString(RegistryKey key, const std::string& value, std::string* out) {
    if (!key) return false;
    std::ifstream in(ValuePath(key, value), std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    if (out) *out = s.str();
    return true;
}

// Numbers are stored as decimal text.
bool RegistryReadDword(RegistryKey key, const std::string& value, uint32_t* out) {
    std::string text;
    if (!RegistryReadString(key, value, &text)) return false;
    char* end = nullptr;
    unsigned long v = std::strtoul(text.c_str(), &end, 10);
    if (text.empty() || *end) return false;
    if (out) *out = uint32_t(v);
    return true;
}

bool RegistryWriteDword(RegistryKey key, const std::string& value, uint32_t data) {
    if (!key) return false;
    std::ofstream out(ValuePath(key, value), std::ios::binary | std::ios::trunc);
    out << data;
    return bool(out);
}

RegistryKey RegistryCreate(RegistryRoot root, const std::string& path) {
    if (Env("PLAZEN_REGISTRY").empty()) return nullptr;
    fs::path p = RegistryPath(root, path);
    std::error_code ec;
    fs::create_directories(p, ec);
    if (!fs::is_directory(p, ec)) return nullptr;
    return new std::string(p.string());
}

void RegistryClose(RegistryKey key) { delete static_cast<std::string*>(key); }

// $PLAZEN_APPDATA, else the user's configuration folder as the desktop conventions name it.
std::string AppDataFolder() {
    if (std::string folder = Env("PLAZEN_APPDATA"); !folder.empty()) return folder;
    if (std::string folder = Env("XDG_CONFIG_HOME"); !folder.empty()) return folder;
    if (std::string home = Env("HOME"); !home.empty()) return home + "/.config";
    return {};
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool DirectoryExists(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

bool MakeDirectory(const std::string& path) {
    std::error_code ec;
    return fs::create_directory(path, ec);
}

bool ReadFileBytes(const std::string& path, std::string* bytes) {
    // Regular files only, as Windows opens them: a folder would read as empty, a device forever.
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    if (in.bad()) return false;
    if (bytes) *bytes = s.str();
    return true;
}

bool PeekAnyMessage(QueuedMessage* message) {
    auto& q = ThreadQueue();
    if (q.empty()) return false;
    if (message) *message = q.front();
    return true;
}

bool PostMessageTo(WindowHandle window, uint32_t message, uintptr_t w, intptr_t l) {
    ThreadQueue().push_back({window, message, w, l});
    return true;
}

namespace {
intptr_t Deliver(WindowHandle window, uint32_t message, uintptr_t w, intptr_t l);
}

WindowHandle WindowCreate(const WindowRequest& request) {
    auto& world = World();
    if (request.parent && !Record(request.parent)) return 0;
    const WindowHandle h = world.next;
    world.next += 4;
    posix::WindowRecord r;
    r.kind = request.kind, r.parent = request.parent, r.owner = request.owner, r.text = request.text;
    r.bounds = request.bounds, r.border = request.border, r.enabled = request.enabled, r.tabStop = request.tabStop;
    r.defaultButton = request.defaultButton, r.helpButton = request.helpButton, r.id = request.id;
    r.callback = request.callback, r.target = request.target;
    if (r.kind == WindowKind::MessageOnly) r.parent = r.owner = 0;  // outside every window tree
    world.records[h] = r;
    world.order.push_back(h);
    if (request.visible) WindowShow(h, true);
    return h;
}

void WindowDestroy(WindowHandle window) {
    auto& world = World();
    if (!Record(window)) return;
    // Children and owned windows go first, as the window system takes them down.
    for (WindowHandle other : std::vector<WindowHandle>(world.order))
        if (const posix::WindowRecord* r = Record(other); r && (r->parent == window || r->owner == window))
            WindowDestroy(other);
    Deliver(window, kWmDestroy, 0, 0);
    world.records.erase(window);
    world.order.erase(std::remove(world.order.begin(), world.order.end(), window), world.order.end());
    world.answered.erase(window);
    if (world.focus == window) world.focus = 0;
    if (world.active == window) world.active = 0;
}

bool WindowExists(WindowHandle window) { return Record(window) != nullptr; }

void WindowSetText(WindowHandle window, const std::string& text) {
    if (posix::WindowRecord* r = Record(window)) r->text = text;
}

void WindowSetBounds(WindowHandle window, Rect bounds) {
    if (posix::WindowRecord* r = Record(window)) r->bounds = bounds;
}

Rect WindowBounds(WindowHandle window) {
    const posix::WindowRecord* r = Record(window);
    return r ? r->bounds : Rect{};
}

Point WindowClientSize(WindowHandle window) {
    const posix::WindowRecord* r = Record(window);
    if (!r) return {};
    Rect f = FrameOf(*r);
    return {r->bounds.Width() - f.left - f.right, r->bounds.Height() - f.top - f.bottom};
}

void WindowShow(WindowHandle window, bool visible) {
    posix::WindowRecord* r = Record(window);
    if (!r || r->visible == visible || r->kind == WindowKind::MessageOnly) return;
    r->visible = visible;
    if (r->parent || r->kind == WindowKind::Hint) return;
    if (visible)
        WindowActivate(window);
    else if (World().active == window)
        World().active = r->owner && Record(r->owner) && Record(r->owner)->visible ? r->owner : 0;
}

bool WindowVisible(WindowHandle window) {
    const posix::WindowRecord* r = Record(window);
    return r && r->visible;
}

void WindowEnable(WindowHandle window, bool enabled) {
    if (posix::WindowRecord* r = Record(window)) r->enabled = enabled;
}

void WindowSetParent(WindowHandle window, WindowHandle parent) {
    if (posix::WindowRecord* r = Record(window)) r->parent = parent;
}

void WindowSetFont(WindowHandle window, const LogFontA& font) {
    if (posix::WindowRecord* r = Record(window)) r->font = font, r->hasFont = true;
}

void WindowSetFocus(WindowHandle window) {
    if (!Record(window)) return;
    World().focus = window;
    WindowHandle root = RootOf(window);
    if (World().active != root) WindowActivate(root);
}

WindowHandle WindowFocused() { return World().focus; }

WindowHandle WindowActive() { return World().active; }

void WindowActivate(WindowHandle window) {
    auto& world = World();
    if (!Record(window) || world.active == window) return;
    WindowHandle previous = world.active;
    world.active = window;
    if (previous) Deliver(previous, kWmActivate, 0, intptr_t(window));
    Deliver(window, kWmActivate, 1, intptr_t(previous));
}

intptr_t WindowSend(WindowHandle window, uint32_t message, uintptr_t w, intptr_t l) {
    return Deliver(window, message, w, l);
}

WindowHandle WindowAt(Point p) {
    // The topmost, deepest visible window: later windows lie above earlier ones.
    auto& world = World();
    WindowHandle found = 0;
    for (WindowHandle h : world.order) {
        const posix::WindowRecord* r = Record(h);
        Rect b = ScreenBounds(h);
        bool shown = true;
        for (WindowHandle a = h; const posix::WindowRecord* ar = Record(a); a = ar->parent)
            if (!ar->visible) shown = false;
        if (r && shown && p.x >= b.left && p.x < b.right && p.y >= b.top && p.y < b.bottom) found = h;
    }
    return found;
}

Rect MonitorWorkArea(WindowHandle window) {
    auto& monitors = World().monitors;
    if (!window || !Record(window)) return monitors.front();
    Rect b = ScreenBounds(RootOf(window));
    Point c{b.left + b.Width() / 2, b.top + b.Height() / 2};
    for (const Rect& m : monitors)
        if (c.x >= m.left && c.x < m.right && c.y >= m.top && c.y < m.bottom) return m;
    return monitors.front();
}

Point CursorPosition() { return World().cursor; }

// A plain average-width measure: half the character height per character.
Point TextExtent(const LogFontA& font, const std::string& text) {
    int32_t height = font.Height < 0 ? -font.Height : font.Height;
    if (height == 0) height = 13;
    int32_t width = 0, lines = 1, run = 0;
    for (char c : text) {
        if (c == '\n') {
            ++lines, run = 0;
            continue;
        }
        run += std::max<int32_t>(1, height / 2);
        width = std::max(width, run);
    }
    return {width, lines * (height + height / 4)};
}

int32_t ScreenPixelsPerInch() { return 96; }

bool PumpMessage(bool wait) {
    auto& world = World();
    if (auto& queue = ThreadQueue(); !queue.empty()) {
        const QueuedMessage m = queue.front();
        queue.pop_front();
        if (Record(m.window)) Deliver(m.window, m.message, m.wParam, m.lParam);
        return true;
    }
    if (!wait || !world.active) return false;
    if (world.user) return world.user(world.active);
    const WindowHandle active = world.active;
    if (++world.answered[active] > 2) return false;
    std::fprintf(stderr, "%s\n", posix::DialogText(active).c_str());
    return posix::PressDefaultButton(active);
}

void SleepFor(uint32_t) {}

bool ShowWinHelp(WindowHandle window, const std::string& file, uint32_t command, uintptr_t data) {
    posix::WinHelpCall call{window, file, command, data, {}};
    if (command == kHelpSetPopupPos) call.popupPosition = {int16_t(data & 0xFFFF), int16_t((data >> 16) & 0xFFFF)};
    World().winHelp.push_back(call);
    return true;
}

bool DisableWindowGhosting() { return World().ghostingAvailable; }

uint32_t AnsiCodePage() { return World().codePage; }

bool IsKeyDown(int virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && g_keys[size_t(virtualKey)];
}

intptr_t ShellOpen(const std::string& verb, const std::string& target, int show) {
    Record("ShellOpen " + verb + " " + target + " show=" + std::to_string(show));
    return 42;
}

intptr_t StartProgram(const std::string& commandLine, int show) {
    Record("StartProgram " + commandLine + " show=" + std::to_string(show));
    return g_programStartResult;
}

bool DdeExecute(const std::string& service, const std::string& topic, const std::string& command) {
    Record("DdeExecute " + service + "|" + topic + "|" + command);
    return g_ddeServerPresent;
}

OsVersionInfo OsVersion() { return {10, 0}; }

// The stand-in's files carry no version resources.
FileVersionResult FileVersion(const std::string& path) {
    if (!FileExists(path)) return {false, kErrorFileNotFound, 0};
    return {false, kErrorResourceTypeNotFound, 0};
}

uint32_t SystemLocale() {
    std::string env = Env("PLAZEN_LCID");
    if (!env.empty()) return uint32_t(std::strtoul(env.c_str(), nullptr, 10));
    return 1033;
}

void WriteStdout(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

void FlushStdout() { std::fflush(stdout); }

void ExitNow(int code) { _exit(code); }


namespace {
// Sends a message to a window's object, then runs the default handling the window system would.
intptr_t Deliver(WindowHandle window, uint32_t message, uintptr_t w, intptr_t l) {
    posix::WindowRecord* r = Record(window);
    if (!r) return 0;
    intptr_t result = 0;
    if (r->callback && r->callback(r->target, window, message, w, l, &result)) return result;
    r = Record(window);  // the object may have destroyed its window
    if (!r) return result;
    switch (message) {
        case kBmClick:
            if (!r->enabled) return 0;
            if (r->kind == WindowKind::CheckBox) r->checked = !r->checked;
            if (r->parent) Deliver(r->parent, kWmCommand, uintptr_t(uint32_t(r->id) & 0xFFFF) | (uintptr_t(kBnClicked) << 16), intptr_t(window));
            return 0;
        case kBmGetCheck:
            return r->checked ? 1 : 0;
        case kBmSetCheck:
            r->checked = w != 0;
            return 0;
        case kWmHelp:
            return r->parent ? Deliver(r->parent, message, w, l) : 0;
        case kWmClose:
            WindowDestroy(window);
            return 0;
        default:
            return 0;
    }
}
}  // namespace

}  // namespace native

namespace posix {

void SetKeyDown(int virtualKey, bool down) {
    if (virtualKey >= 0 && virtualKey < 256) g_keys[size_t(virtualKey)] = down;
}

const WindowRecord* Window(WindowHandle window) { return Record(window); }
std::vector<WindowHandle> Windows() { return World().order; }
void DestroyAllWindows() {
    while (!World().order.empty()) native::WindowDestroy(World().order.front());
    World().active = World().focus = 0;
    World().answered.clear();
}
void SetMonitors(std::vector<Rect> workAreas) {
    World().monitors = workAreas.empty() ? std::vector<Rect>{Rect{0, 0, 1920, 1040}} : std::move(workAreas);
}
void SetCursorPosition(Point screen) { World().cursor = screen; }
void SetAnsiCodePage(uint32_t codePage) { World().codePage = codePage ? codePage : 1252; }
void SetGhostingAvailable(bool available) { World().ghostingAvailable = available; }
void SetUserHandler(UserHandler handler) { World().user = handler; }
bool PressDefaultButton(WindowHandle window) {
    if (!Record(window)) return false;
    for (WindowHandle h : World().order)
        if (const WindowRecord* r = Record(h); r && r->parent == window && r->defaultButton && r->visible) {
            native::PostMessageTo(h, kBmClick, 0, 0);
            return true;
        }
    native::PostMessageTo(window, kWmClose, 0, 0);
    return true;
}
std::string DialogText(WindowHandle window) {
    const WindowRecord* r = Record(window);
    if (!r) return {};
    std::string text = "[" + r->text + "]";
    for (WindowHandle h : World().order)
        if (const WindowRecord* c = Record(h); c && c->parent == window && c->kind == WindowKind::Label)
            text += " " + c->text;
    return text;
}
std::vector<WinHelpCall> WinHelpCalls() { return World().winHelp; }
void ClearWinHelpCalls() { World().winHelp.clear(); }

std::vector<std::string> TakePlatformRequests() { return std::exchange(g_platformRequests, {}); }
void SetProgramStartResult(intptr_t result) { g_programStartResult = result; }
void SetDdeServerPresent(bool present) { g_ddeServerPresent = present; }

}  // namespace posix
}  // namespace plz::os
