// The Win32 implementation of the OS seam: the real calls. Compiled into every module that uses
// the seam, so that OwnModule names that module.
#include "platform/os.h"

// After our own declarations: <windows.h> defines macros with the names of some of them.
#include <windows.h>
#include <oleauto.h>
#include <shlobj.h>

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

RegistryKey RegistryOpen(RegistryRoot root, const std::string& path) {
    HKEY base = root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(base, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return nullptr;
    return key;
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
