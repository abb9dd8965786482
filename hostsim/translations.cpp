// Reading the translation manager's texts from a file.
#include "hostsim/translations.h"

#include <fstream>
#include <sstream>
#include <vector>

#include "platform/utf8.h"

namespace plz::hostsim {
namespace {

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
        read.texts[{Utf8ToWide(Unescape(fields[0])), Utf8ToWide(Unescape(fields[1]))}] =
            Utf8ToWide(Unescape(fields[2]));
    }
    translations = std::move(read);
    return true;
}

}  // namespace plz::hostsim
