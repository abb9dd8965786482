// Context help of the plug-in's forms: the help files of a module, their ".id" maps, the lookup of
// help ids (with references to another module's help), and showing a topic, the host's dynamic
// help and a pop-up.
//
// Help files of a module X.dll: the compiled HTML help X.chm and the pop-up help Xwth.hlp, both
// found through the help folders; a help file's map has the extension ".id": lines Name=Value,
// where Value is a decimal help id, or, with a comma, a reference: the text after the first comma
// names the module whose help holds the topic.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/os.h"

namespace plz::forms {

// A help map: topic key -> help id (a negative id -(i + 1) refers to references[i]), sorted by
// key ignoring ASCII case.
struct HelpIdMap {
    std::vector<std::pair<std::string, int32_t>> ids;
    std::vector<std::string> references;
    // The id of a key; false when the key is not in the map.
    bool Find(const std::string& key, int32_t* id) const;
};

// Fills `map` from a ".id" file's text.
void ParseHelpIdMap(const std::string& text, HelpIdMap& map);
// Fills `map` from the ".id" map of `helpFile` (nothing when there is none).
void LoadHelpIdMap(const std::string& helpFile, HelpIdMap& map);

// `fileName` with its extension replaced (or added).
std::string ChangeFileExt(const std::string& fileName, const std::string& extension);
// The module's compiled HTML help file and its pop-up help file, located; the master pop-up help.
std::string ModuleHelpFile();
std::string ModulePopupHelpFile();
std::string MasterHelpFile();

// The help id of `name` (with "Dlg_" + prefix + "_" in front when a prefix is given), loading
// `map` from `helpFile`'s map when it is empty. A reference is resolved through the host: the
// module behind it gives a new help file, in whose own map the reference text (":" made "_")
// is looked up. `topic` becomes the key looked up; 0 when there is no id.
int32_t LookupHelpId(const std::string& name, const std::string& prefix, std::string& topic, HelpIdMap& map,
                     std::string& helpFile);

// Shows `topic` of `helpFile`: in the host's dynamic help for a hint, else in the host or through
// the help viewer.
void ShowHelpTopic(const std::string& helpFile, const std::string& topic, bool fromHint);
// Asks the host to show `address` in its dynamic help panel.
void ShowDynamicHelp(const std::string& address, bool force);
// Pops up help `contextId` of `helpFile` at `position`, with the host's floating panels kept.
void ShowHelpPopup(WindowHandle window, os::Point position, const std::string& helpFile, int32_t contextId);

}  // namespace plz::forms
