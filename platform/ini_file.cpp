// The INI reader: one pass over the lines into sections and their entries.
#include "platform/ini_file.h"

#include "platform/ascii.h"
#include "platform/os.h"

namespace plz {
namespace {

// Spaces and tabs at the front; spaces, tabs and carriage returns at the back.
std::string_view TrimBlanks(std::string_view s) {
    s = TrimFrontIf(s, [](char c) { return c == ' ' || c == '\t'; });
    return TrimBackIf(s, [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

}  // namespace

std::optional<IniFile> IniFile::Load(const std::string& path) {
    std::string bytes;
    if (!os::calls().ReadFileBytes(path, &bytes)) return std::nullopt;
    return Parse(bytes);
}

IniFile IniFile::Parse(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a UTF-8 byte-order mark
    IniFile ini;
    Section* current = nullptr;  // entries before the first header belong to no section
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = TrimBlanks(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            size_t close = line.find(']');
            std::string_view name = TrimBlanks(line.substr(1, close == std::string_view::npos ? line.npos : close - 1));
            ini.sections_.push_back({std::string(name), {}});
            current = &ini.sections_.back();
            continue;
        }
        size_t eq = line.find('=');
        if (!current || eq == std::string_view::npos) continue;
        std::string_view value = TrimBlanks(line.substr(eq + 1));
        // A value in matching quotes is read without them.
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        current->entries.emplace_back(std::string(TrimBlanks(line.substr(0, eq))), std::string(value));
    }
    return ini;
}

const IniFile::Section* IniFile::Find(std::string_view section) const {
    for (const Section& s : sections_)
        if (SameIgnoringCase(s.name, section)) return &s;
    return nullptr;
}

bool IniFile::HasSection(std::string_view section) const { return Find(section) != nullptr; }

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
    const Section* s = Find(section);
    if (!s) return std::nullopt;
    for (const auto& [name, value] : s->entries)
        if (SameIgnoringCase(name, key)) return value;
    return std::nullopt;
}

}  // namespace plz
