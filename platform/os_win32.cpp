// The Win32 implementation of the OS seam: the real calls. Compiled into every module that uses
// the seam, so that OwnModule names that module.
#include "platform/os.h"

// After our own declarations: <windows.h> defines macros with the names of some of them.
#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>
#include <shellapi.h>
#include <ddeml.h>

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

int MessageDialog(WindowHandle owner, const std::string& caption, const std::string& text, MessageKind kind, int) {
    UINT icon = kind == MessageKind::Error     ? MB_ICONERROR
                : kind == MessageKind::Warning ? MB_ICONWARNING
                                               : MB_ICONINFORMATION;
    int r = ::MessageBoxA(reinterpret_cast<HWND>(owner), text.c_str(), caption.c_str(), MB_OK | icon | MB_TASKMODAL);
    return r == IDOK ? 1 : r;
}

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
