// Reading the translation manager's texts from a file.
#include "hostsim/translations.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace plz::hostsim {
namespace {

std::u16string FromUtf8(const std::string& s) {
    std::u16string out;
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
        if (i + n > s.size()) n = 1;
        uint32_t cp = n == 1 ? b : b & (0x7F >> n);
        for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        i += n;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(char16_t(0xD800 + (cp >> 10)));
            out.push_back(char16_t(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(char16_t(cp));
        }
    }
    return out;
}

std::string Unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 1 < field.size()) {
            const char c = field[++i];
            out.push_back(c == 't' ? '\t' : c == 'n' ? '\n' : c);
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

}  // namespace

bool LoadTranslations(const std::string& path, Translations& translations, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error) *error = "cannot read the translations file " + path;
        return false;
    }
    Translations read;
    read.present = true;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line.rfind("@fontmode ", 0) == 0) {
            read.fontMode = std::atoi(line.c_str() + 10);
            continue;
        }
        std::vector<std::string> fields;
        std::istringstream s(line);
        for (std::string f; std::getline(s, f, '\t');) fields.push_back(f);
        if (fields.size() != 3) {
            if (error) *error = path + ":" + std::to_string(number) + ": expected CONTEXT<TAB>KEY<TAB>TEXT";
            return false;
        }
        read.texts[{FromUtf8(Unescape(fields[0])), FromUtf8(Unescape(fields[1]))}] = FromUtf8(Unescape(fields[2]));
    }
    translations = std::move(read);
    return true;
}

}  // namespace plz::hostsim
