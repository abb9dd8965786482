// The preference location (registry, then "PrefFolder.ini", then the default) and the folders
// and keys built on it; the installation's folders and help-file lookup; the locale mapping of
// "LanguageMappings.dat"; key states, OS version tests, file versions and parameter buffers.
#include "client/paths.h"

#include <charconv>
#include <optional>
#include <utility>
#include <vector>

#include "client/client_api.h"
#include "frame/errors.h"
#include "frame/parameters.h"
#include "platform/ascii.h"
#include "platform/file_path.h"
#include "platform/ini_file.h"
#include "platform/os.h"

namespace plz {
namespace {

constexpr char kSep = os::kPathSeparator;
constexpr const char* kPreferenceKey = "Software\\Vantor2004";
constexpr const char* kPreferenceSection = "Preference Location";
constexpr const char* kPreferenceValue = "Application";

// Constant-initialised: the load sequence may use them before dynamic initialisation has run.
// The location is held in an optional (present once found), because not every standard library
// can constant-initialise a string itself.
constinit std::optional<std::string> g_preferenceLocation;
constinit bool g_languageMappingsTried = false;
// (source locale, target locale) pairs in file order.
constinit std::optional<std::vector<std::pair<uint32_t, uint32_t>>> g_languageMappings;

std::optional<std::string> ReadRegistryPreference() {
    // Test the key first: reading it as a settings store must not create it.
    os::RegistryKey key = os::calls().RegistryOpen(os::RegistryRoot::CurrentUser, kPreferenceKey);
    if (!key) return std::nullopt;
    os::calls().RegistryClose(key);
    os::RegistryKey section = os::calls().RegistryOpen(os::RegistryRoot::CurrentUser,
                                                       std::string(kPreferenceKey) + "\\" + kPreferenceSection);
    if (!section) return std::nullopt;
    std::string value;
    bool found = os::calls().RegistryReadString(section, kPreferenceValue, &value);
    os::calls().RegistryClose(section);
    if (!found) return std::nullopt;
    return value;
}

std::optional<std::string> ReadFilePreference() {
    std::optional<IniFile> ini = IniFile::Load(GetSystemFolder() + "PrefFolder.ini");
    if (!ini) return std::nullopt;
    return ini->Read(kPreferenceSection, kPreferenceValue);
}

// A whole decimal integer, blanks around it allowed.
std::optional<int32_t> ParseInteger(std::string text) {
    const std::string_view digits = TrimIf(text, [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
    if (digits.empty()) return std::nullopt;
    const char* begin = digits.data();
    const char* end = digits.data() + digits.size();
    if (*begin == '+') ++begin;
    int32_t value = 0;
    auto [stop, error] = std::from_chars(begin, end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace

std::string GetPreferenceLocation() {
    if (g_preferenceLocation) return *g_preferenceLocation;
    std::optional<std::string> name = ReadRegistryPreference();
    if (!name) name = ReadFilePreference();
    g_preferenceLocation.emplace(1, '\\').append(name.value_or("Vantor2004"));
    return *g_preferenceLocation;
}

std::string GetPreferenceFolder() {
    std::string folder = os::calls().AppDataFolder();
    while (!folder.empty() && folder.back() == kSep) folder.pop_back();
    std::string location = GetPreferenceLocation();
    for (char& c : location)
        if (c == '\\') c = kSep;
    folder += location;
    if (!os::calls().DirectoryExists(folder)) os::calls().MakeDirectory(folder);  // a failure is ignored
    return folder + kSep;
}

std::string GetPreferenceRegistryKey() { return "Software" + GetPreferenceLocation() + "\\Coravel"; }

std::string GetInstallationFolder() {
    std::string folder = FolderOfPath(os::calls().ModulePath(nullptr));
#if defined(_WIN32)
    for (char& c : folder)
        c = AsciiUpper(c);
#endif
    return folder;
}

std::string GetSystemFolder() { return GetInstallationFolder() + "System" + kSep; }

std::string GetResourcesFolder() { return GetSystemFolder() + "Resources" + kSep; }

std::string GetLocalizedResourcesFolder() {
    if (!ClientAPI_GetUseSystemLocaleLanguage()) return GetSystemFolder();
    std::string folder = GetResourcesFolder() + std::to_string(GetMappedLocaleId()) + kSep;
    if (os::calls().DirectoryExists(folder)) return folder;
    return GetResourcesFolder() + std::to_string(GetPrimaryLocaleId()) + kSep;
}

std::string GetLocalizedHelpFolder() { return GetLocalizedResourcesFolder() + "Help" + kSep; }

std::string GetHelpFolder() { return GetInstallationFolder() + "Help" + kSep; }

std::string LocateHelpFile(const std::string& fileName) {
    if (!FolderOfPath(fileName).empty()) return fileName;
    std::string localized = GetLocalizedHelpFolder() + fileName;
    if (os::calls().FileExists(localized)) return localized;
    return GetHelpFolder() + fileName;
}

bool LoadLanguageMappings() {
    std::string path = GetResourcesFolder() + "LanguageMappings.dat";
    if (!os::calls().FileExists(path)) return false;
    std::string bytes;
    if (!os::calls().ReadFileBytes(path, &bytes)) {
        g_languageMappings.reset();
        return false;
    }
    g_languageMappings.emplace();
    size_t start = 0;
    while (start < bytes.size()) {
        // Lines end in CR LF, LF or CR alone.
        size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        std::string target = bytes.substr(start, end - start), source;
        start = end + (bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        SplitAtSeparator(target, "=", source);
        std::optional<int32_t> from = ParseInteger(source), to = ParseInteger(target);
        if (from && to) g_languageMappings->emplace_back(uint32_t(*from), uint32_t(*to));
    }
    return true;
}

uint32_t GetMappedLocaleId() {
    uint32_t locale = os::calls().SystemLocale();
    if (!g_languageMappings) {
        if (g_languageMappingsTried) return locale;
        g_languageMappingsTried = true;
        if (!LoadLanguageMappings()) return locale;
    }
    for (const auto& [from, to] : *g_languageMappings)
        if (from == locale) return to;
    return locale;
}

uint32_t GetPrimaryLocaleId() { return os::calls().SystemLocale() & ~uint32_t(0xFC00); }

bool IsControlKeyDown() { return os::calls().IsKeyDown(os::kVkControl); }
bool IsShiftKeyDown() { return os::calls().IsKeyDown(os::kVkShift); }
bool IsAltKeyDown() { return os::calls().IsKeyDown(os::kVkAlt); }

bool IsWindows2000() {
    os::OsVersionInfo v = os::calls().OsVersion();
    return v.major == 5 && v.minor == 0;
}

bool IsWindowsVistaOrLater() { return os::calls().OsVersion().major > 5; }

ModuleHandle GetHostModuleHandle() {
    ModuleHandle bound = BoundHostModule();
    return bound ? bound : os::calls().FindLoadedModule(nullptr);
}

uint64_t GetFileVersion(const std::string& fileName) {
    os::FileVersionResult r = os::calls().FileVersion(fileName);
    if (r.ok) return r.version;
    if (r.error == os::kErrorResourceDataNotFound || r.error == os::kErrorResourceTypeNotFound) return 0;
    throw EOSError(r.error);
}

char* AllocParameterBuffer(int32_t size) {
    if (size <= 0) return nullptr;
    return new char[size_t(size)]();
}

void FreeParameterBuffer(char* buffer, int32_t size) {
    if (buffer && size > 0) delete[] buffer;
}

void FreePathCaches() {
    g_preferenceLocation.reset();
    g_languageMappingsTried = false;
    g_languageMappings.reset();
}

}  // namespace plz
