// Splitting a file path into its folder and its file name, with one rule for what ends a folder:
// on Windows a backslash, a slash or the drive colon, elsewhere a slash.
#pragma once

#include <string>
#include <string_view>

namespace plz {

#if defined(_WIN32)
inline constexpr std::string_view kFolderMarks = "\\/:";
#else
inline constexpr std::string_view kFolderMarks = "/";
#endif

// The folder with its closing mark, or empty for a bare file name.
inline std::string FolderOfPath(std::string_view path) {
    const std::size_t at = path.find_last_of(kFolderMarks);
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

// The file name after the last folder mark (all of a bare file name).
inline std::string FileNameOfPath(std::string_view path) {
    const std::size_t at = path.find_last_of(kFolderMarks);
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

}  // namespace plz
