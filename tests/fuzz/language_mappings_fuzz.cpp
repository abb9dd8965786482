// Fuzz target of the language-mapping file: whatever its bytes, the mapped locale is the target of
// the first line "source=target" (two whole decimal numbers, blanks around them allowed, lines
// ending in CR LF, LF or CR) whose source is the system locale, and the system locale otherwise.
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "client/paths.h"
#include "platform/os.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

std::string g_file;
uint32_t g_locale = 0;

bool Exists(const std::string&) { return true; }
bool ReadMappings(const std::string& path, std::string* bytes) {
    PLZ_FUZZ_CHECK(path.ends_with("LanguageMappings.dat"));
    *bytes = g_file;
    return true;
}
uint32_t Locale() { return g_locale; }
std::string HostPath(plz::ModuleHandle) { return "/install/Host.exe"; }

std::optional<int32_t> Number(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    s = s.substr(first, s.find_last_not_of(" \t") - first + 1);
    if (s.front() == '+') s.remove_prefix(1);
    int32_t n = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (error != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return n;
}

// The mapping as the file states it, worked out line by line.
uint32_t Expected() {
    std::string_view rest = g_file;
    while (!rest.empty()) {
        const size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end);
        if (rest.starts_with("\r\n"))
            rest.remove_prefix(2);
        else if (!rest.empty())
            rest.remove_prefix(1);
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::optional<int32_t> source = Number(line.substr(0, eq)), target = Number(line.substr(eq + 1));
        if (source && target && uint32_t(*source) == g_locale) return uint32_t(*target);
    }
    return g_locale;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    plz::os::calls().FileExists = &Exists;
    plz::os::calls().ReadFileBytes = &ReadMappings;
    plz::os::calls().SystemLocale = &Locale;
    plz::os::calls().ModulePath = &HostPath;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The first four bytes choose the system locale (mostly a small number, so that lines match).
    if (size < 4) return 0;
    uint32_t locale = 0;
    std::memcpy(&locale, data, 4);
    g_locale = locale & 0x80000000u ? locale : locale % 4096;
    g_file.assign(reinterpret_cast<const char*>(data + 4), size - 4);
    plz::FreePathCaches();
    PLZ_FUZZ_CHECK(plz::GetMappedLocaleId() == Expected());
    return 0;
}
