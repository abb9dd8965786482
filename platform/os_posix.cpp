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

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
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

posix::MessageDialogHandler g_dialogHandler = nullptr;
std::vector<std::string> g_platformRequests;
intptr_t g_programStartResult = 42;
bool g_ddeServerPresent = true;

void Record(std::string request) { g_platformRequests.push_back(std::move(request)); }

struct StringHeader {
    uint32_t bytes;  // length in bytes, without the terminator, as the Windows allocator keeps it
};

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

int MessageDialog(WindowHandle owner, const std::string& caption, const std::string& text,
                  MessageKind kind, int buttons) {
    if (g_dialogHandler) return g_dialogHandler(owner, caption, text, kind, buttons);
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return 1;
}

// No key is ever down: the stand-in has no keyboard.
bool IsKeyDown(int) { return false; }

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

}  // namespace native

namespace posix {

void SetMessageDialogHandler(MessageDialogHandler handler) { g_dialogHandler = handler; }

std::vector<std::string> TakePlatformRequests() { return std::exchange(g_platformRequests, {}); }
void SetProgramStartResult(intptr_t result) { g_programStartResult = result; }
void SetDdeServerPresent(bool present) { g_ddeServerPresent = present; }

}  // namespace posix
}  // namespace plz::os
