// The translation manager's texts, read from a file (plazen-host --translations FILE).
//
// The file is UTF-8 text, one entry per line:
//     CONTEXT<TAB>KEY<TAB>TEXT
// for example  ExportForm	Caption.'Save as'	Speichern unter
// In each field \t, \n and \\ stand for a tab, a line break and a backslash. Empty lines and lines
// starting with # are skipped; the line "@fontmode N" sets the font mode (nonzero: fonts are
// adjusted for the system locale).
#pragma once

#include <string>

#include "hostsim/host.h"

namespace plz::hostsim {

// Reads the file into `translations` (which becomes present); false with a message naming the
// line when it cannot be read.
bool LoadTranslations(const std::string& path, Translations& translations, std::string* error);

}  // namespace plz::hostsim
