// Help maps, help-id lookup and the ways a help topic is shown.
#include "forms/help.h"

#include <algorithm>
#include <cstdlib>

#include "client/client_api.h"
#include "client/paths.h"
#include "platform/ascii.h"
#include "platform/wide_string.h"
#include "platform/com_ptr.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "forms/help_viewer.h"
#include "ui/application.h"
#include "ui/component.h"

namespace plz::forms {
namespace {

bool LessNoCase(const std::string& a, const std::string& b) { return CompareIgnoringCase(a, b) < 0; }

size_t NamePart(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? 0 : slash + 1;
}

}  // namespace

bool HelpIdMap::Find(const std::string& key, int32_t* id) const {
    auto it = std::lower_bound(ids.begin(), ids.end(), key,
                               [](const auto& entry, const std::string& k) { return LessNoCase(entry.first, k); });
    if (it == ids.end() || !ui::SameText(it->first, key)) return false;
    *id = it->second;
    return true;
}

void ParseHelpIdMap(const std::string& text, HelpIdMap& map) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string name = line.substr(0, eq), value = line.substr(eq + 1);
        const size_t comma = value.find(',');
        if (comma != std::string::npos) {
            map.references.push_back(value.substr(comma + 1));
            map.ids.emplace_back(name, -int32_t(map.references.size()));
            continue;
        }
        // A decimal id; anything that does not read whole as one is 0.
        char* endp = nullptr;
        const long long id = std::strtoll(value.c_str(), &endp, 10);
        const bool whole = !value.empty() && endp && *endp == 0 && id >= INT32_MIN && id <= INT32_MAX;
        map.ids.emplace_back(name, whole ? int32_t(id) : 0);
    }
    if (!map.ids.empty())
        std::stable_sort(map.ids.begin(), map.ids.end(),
                         [](const auto& a, const auto& b) { return LessNoCase(a.first, b.first); });
}

void LoadHelpIdMap(const std::string& helpFile, HelpIdMap& map) {
    std::string text;
    if (os::calls().ReadFileBytes(ChangeFileExt(helpFile, ".id"), &text)) ParseHelpIdMap(text, map);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
    const size_t name = NamePart(fileName);
    const size_t dot = fileName.find_last_of('.');
    return (dot == std::string::npos || dot < name ? fileName : fileName.substr(0, dot)) + extension;
}

std::string ModuleHelpFile() { return LocateHelpFile(ChangeFileExt(LibraryFileName(), ".chm")); }

// Located like the compiled help, so that its map is found beside it.
std::string ModulePopupHelpFile() { return LocateHelpFile(ChangeFileExt(LibraryFileName(), "") + "wth.hlp"); }

std::string MasterHelpFile() { return LocateHelpFile("qelmaster.hlp"); }

int32_t LookupHelpId(const std::string& name, const std::string& prefix, std::string& topic, HelpIdMap& map,
                     std::string& helpFile) {
    if (map.ids.empty()) LoadHelpIdMap(helpFile, map);
    topic = prefix.empty() ? name : "Dlg_" + prefix + "_" + name;
    int32_t id = 0;
    if (!map.Find(topic, &id)) return 0;
    if (id > 0) return id;
    // A negative id is a reference, whether the map made it or its file held it as a number; in
    // 64 bits, so that the file's -2147483648 does not overflow.
    const int64_t index = -int64_t(id) - 1;
    if (id == 0 || index >= int64_t(map.references.size())) return 0;

    const std::string reference = map.references[size_t(index)];
    ComPtr<IClient> client = CurrentClient();
    if (!client) return 0;
    WideString file;
    WideString referenceText(reference);
    CheckHost(client->GetModuleFileNameOfReference(referenceText.Get(), file.Out()));
    const std::string module = file.Ansi();
    helpFile = LocateHelpFile(ChangeFileExt(module.substr(NamePart(module)), ".chm"));
    if (!os::calls().FileExists(helpFile)) return 0;
    std::string key = reference;
    std::replace(key.begin(), key.end(), ':', '_');
    topic = key;
    HelpIdMap other;
    LoadHelpIdMap(helpFile, other);
    // One step only: a reference in the other module's map is not followed further.
    int32_t otherId = 0;
    return other.Find(key, &otherId) && otherId > 0 ? otherId : 0;
}

void ShowHelpTopic(const std::string& helpFile, const std::string& topic, bool fromHint) {
    std::string file = ChangeFileExt(helpFile, ".chm");
    if (NamePart(file) == 0) file = LocateHelpFile(file);
    const std::string page = (topic.empty() || topic[0] != '/' ? "/" : "") + topic + ".htm";
    if (fromHint)
        ShowDynamicHelp(file + "::" + page, false);
    else if (ClientAPI_GetIntegratedHelpSystem())
        OpenAddress(file + "::" + page);
    else
        HelpViewer(ui::MainWindow(), file, kHelpDisplayTopic, page);
}

void ShowDynamicHelp(const std::string& address, bool force) {
    ComPtr<IClient> client = CurrentClient();
    if (!client) return;
    ComPtr<IProcessRunner> runner;
    CheckHost(client->QueryInterface(IID_IProcessRunner, reinterpret_cast<void**>(runner.Out())));
    const std::string text = (force ? "ForceUpdate=True|" : "") + std::string("Address=") + address;
    CheckHost(runner->LaunchProcess("HelpAdvisor:ShowDynamicHelp", text.c_str(), int32_t(text.size() + 1), nullptr));
}

void ShowHelpPopup(WindowHandle window, os::Point position, const std::string& helpFile, int32_t contextId) {
    const bool saved = ClientAPI_GetPrefHideFloatingPanels();
    ClientAPI_SetPrefHideFloatingPanels(false);
    struct Restore {
        bool saved;
        ~Restore() { ClientAPI_SetPrefHideFloatingPanels(saved); }
    } restore{saved};
    const uintptr_t packed = (uintptr_t(uint16_t(position.y)) << 16) | uint16_t(position.x);
    os::calls().ShowWinHelp(window, helpFile, os::kHelpSetPopupPos, packed);
    os::calls().ShowWinHelp(window, helpFile, os::kHelpContextPopup, uintptr_t(uint32_t(contextId)));
    os::calls().SleepFor(200);
    ui::ProcessMessages();
}

}  // namespace plz::forms
