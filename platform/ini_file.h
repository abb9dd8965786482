// A small reader of INI files as Windows reads them: "[Section]" headers and "Key=Value" lines,
// section and key names without regard to ASCII letter case, blanks around names and values
// ignored, the first of repeated sections and keys winning. Read through the OS seam.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plz {

class IniFile {
public:
    // The file's contents, or none when it cannot be read.
    static std::optional<IniFile> Load(const std::string& path);
    static IniFile Parse(std::string_view text);

    bool HasSection(std::string_view section) const;
    // The key's value, or none when the section or the key is absent.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;

private:
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> entries;
    };
    const Section* Find(std::string_view section) const;
    std::vector<Section> sections_;
};

}  // namespace plz
