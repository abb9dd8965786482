// Opening addresses, host views and PDF manuals.
#include "forms/document_launcher.h"

#include <charconv>
#include <cstdio>

#include "client/client_api.h"
#include "client/paths.h"
#include "platform/wide_string.h"
#include "forms/acrobat_warning.h"
#include "frame/current_client.h"
#include "frame/errors.h"
#include "frame/plugin_interfaces.h"
#include "platform/ascii.h"
#include "platform/file_path.h"
#include "platform/os.h"

namespace plz::forms {
namespace {

std::string Upper(std::string text) {
    for (char& c : text) c = AsciiUpper(c);
    return text;
}

void ReplaceAll(std::string& text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

template <typename I, typename From>
ComPtr<I> Query(From* object, const GUID& iid) {
    ComPtr<I> result;
    if (object && !Failed(object->QueryInterface(iid, reinterpret_cast<void**>(result.Out())))) return result;
    return {};
}

ComPtr<IAddressService> AddressService(IClient* client) {
    ComPtr<IAddressService> service;
    if (client) CheckHost(client->GetAddressService(service.Out()));
    return service;
}

struct SplitAddress {
    std::string scheme, second, third;
};

// As the host's address service splits it; without one, the scheme is what precedes "://".
SplitAddress Split(IAddressService* service, const std::string& address) {
    SplitAddress parts;
    if (service) {
        WideString text(address), scheme, second, third;
        CheckHost(service->SplitAddress(text.Get(), scheme.Out(), second.Out(), third.Out()));
        return {scheme.Ansi(), second.Ansi(), third.Ansi()};
    }
    if (size_t at = address.find("://"); at != std::string::npos) parts.scheme = address.substr(0, at);
    return parts;
}

bool IsWebScheme(const std::string& scheme) {
    return SameIgnoringCase(scheme, "http") || SameIgnoringCase(scheme, "ftp") || SameIgnoringCase(scheme, "https");
}

bool OpenInBrowser(IAddressService* service, const std::string& address) {
    if (!ClientAPI_GetUseExternalWebBrowser() || !IsWebScheme(Split(service, address).scheme)) return false;
    os::calls().ShellOpen("open", address, os::kShowNormal);
    return true;
}

std::string RegistryDefault(const std::string& key) {
    os::RegistryKey k = os::calls().RegistryOpen(os::RegistryRoot::ClassesRoot, key);
    if (!k) return {};
    std::string value;
    if (!os::calls().RegistryReadString(k, os::kRegistryDefaultValue, &value)) value.clear();
    os::calls().RegistryClose(k);
    return value;
}

bool ClassKeyExists(const std::string& key) {
    os::RegistryKey k = os::calls().RegistryOpen(os::RegistryRoot::ClassesRoot, key);
    if (k) os::calls().RegistryClose(k);
    return k != nullptr;
}

bool Navigate(INavigationDocument* navigation, const std::string& address) {
    WideString text(address);
    uint8_t done = 0;
    CheckHost(navigation->Navigate(text.Get(), &done));
    return done != 0;
}

}  // namespace

bool OpenInBrowser(const std::string& address) {
    ComPtr<IClient> client = CurrentClient();
    return OpenInBrowser(AddressService(client.Get()).Get(), address);
}

bool OpenAddress(const std::string& original) {
    ComPtr<IClient> client = CurrentClient();
    ComPtr<IAddressService> service = AddressService(client.Get());
    std::string address = original;
    if (service) {
        WideString text(original), expanded;
        CheckHost(service->ExpandAddress(text.Get(), expanded.Out()));
        address = expanded.Ansi();
    }
    SplitAddress parts = Split(service.Get(), address);

    if (OpenInBrowser(service.Get(), address)) return true;

    std::string file = address;
    int32_t page = 0;
    if (SplitPdfPageAddress(file, page)) {
        OpenPdf(file, page);
        return true;
    }

    // A browser-like current view goes there itself, unless it is there already.
    ComPtr<IServerDocumentView> current;
    if (client) CheckHost(client->GetCurrentView(current.Out()));
    ComPtr<IServerDocument> document;
    if (current) CheckHost(current->GetOwnerDocument(document.Out()));
    if (auto navigation = Query<INavigationDocument>(document.Get(), IID_INavigationDocument)) {
        if (auto addressed = Query<IAddressDocument>(document.Get(), IID_IAddressDocument)) {
            WideString shown;
            CheckHost(addressed->GetAddress(shown.Out()));
            if (SameIgnoringCase(shown.Ansi(), address)) return false;
        }
        return Navigate(navigation.Get(), address);
    }

    if (ComPtr<IServerDocumentView> view = FindViewByAddress(address)) {
        ComPtr<IServerDocument> shown;
        CheckHost(view->GetOwnerDocument(shown.Out()));
        CheckHost(client->ShowDocument(shown.Get()));
        if (auto activation = Query<IViewActivation>(view.Get(), IID_IViewActivation)) CheckHost(activation->ActivateView());
        return false;
    }

    if (service && VFSAPI_VFS_FileExists(parts.second.c_str()) != 0) {
        WideString text(address);
        ComPtr<IServerDocumentView> opened;
        uint8_t done = 0;
        CheckHost(service->OpenAddress(0, text.Get(), opened.Out(), &done));
        return done != 0;
    }
    return OpenByTaskServer(address);
}

bool OpenByTaskServer(const std::string& address) {
    if (OpenInBrowser(address)) return true;
    ComPtr<IServerDocument> tasks = OpenNamedDocument("PickATask");
    auto navigation = Query<INavigationDocument>(tasks.Get(), IID_INavigationDocument);
    return navigation && Navigate(navigation.Get(), address);
}

bool SplitPdfPageAddress(std::string& address, int32_t& page) {
    std::string upper = Upper(address);
    size_t at = upper.find("#PAGE=");
    if (at == std::string::npos) return false;
    const std::string number = upper.substr(at + 6);
    int32_t value = -1;
    auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    page = error == std::errc() && end == number.data() + number.size() ? value : -1;
    std::string file = upper.substr(0, at);
    size_t dot = file.find_last_of(".\\/:");
    if (dot == std::string::npos || file[dot] != '.' || file.substr(dot) != ".PDF") return false;
    address = LocateHelpFile(file);
    return true;
}

std::string ViewAddress(IServerDocumentView* view) {
    ComPtr<IServerDocument> document;
    CheckHost(view->GetOwnerDocument(document.Out()));
    if (!document) return {};
    if (auto addressed = Query<IAddressDocument>(document.Get(), IID_IAddressDocument)) {
        WideString shown;
        CheckHost(addressed->GetAddress(shown.Out()));
        return shown.Ansi();
    }
    WideString fileName;
    CheckHost(document->GetFileName(fileName.Out()));
    std::string address = fileName.Ansi();
    int32_t views = 0;
    CheckHost(document->GetViewCount(&views));
    bool named = views > 1;
    if (named) {
        WideString name;
        CheckHost(view->GetViewName(name.Out()));
        address += "?ViewName=" + name.Ansi();
    }
    WideString parametersText;
    CheckHost(view->GetViewParameters(parametersText.Out()));
    std::string parameters = parametersText.Ansi();
    if (!parameters.empty()) {
        ReplaceAll(parameters, "|", ";");
        address += (named ? ";" : "?") + parameters;
    }
    return address;
}

ComPtr<IServerDocumentView> FindViewByAddress(const std::string& address) {
    ComPtr<IClient> client = CurrentClient();
    if (!client) return {};
    WideString wanted(address);
    int32_t modules = 0;
    CheckHost(client->GetServerModuleCount(&modules));
    for (int32_t m = 0; m < modules; ++m) {
        ComPtr<IServerModule> module;
        CheckHost(client->GetServerModule(m, module.Out()));
        if (!module) continue;
        int32_t documents = 0;
        CheckHost(module->GetDocumentCount(&documents));
        for (int32_t d = 0; d < documents; ++d) {
            ComPtr<IServerDocument> document;
            CheckHost(module->GetDocument(d, document.Out()));
            if (!document) continue;
            auto addressed = Query<IAddressDocument>(document.Get(), IID_IAddressDocument);
            int32_t views = 0;
            CheckHost(document->GetViewCount(&views));
            for (int32_t v = 0; v < views; ++v) {
                ComPtr<IServerDocumentView> view;
                CheckHost(document->GetView(v, view.Out()));
                if (!view) continue;
                bool match = false;
                if (addressed) {
                    uint8_t answer = 0;
                    CheckHost(addressed->MatchesAddress(wanted.Get(), &answer));
                    match = answer != 0;
                } else {
                    match = SameIgnoringCase(ViewAddress(view.Get()), address);
                }
                if (match) return view;
            }
        }
    }
    return {};
}

std::string RemoveViewerPlaceholders(std::string command) {
    ReplaceAll(command, "\"%1\"", "");
    ReplaceAll(command, "%1", "");
    ReplaceAll(command, "/u", "");
    return command;
}

std::string PdfViewerCommand() {
    std::string command = RegistryDefault("acrobat\\Shell\\Open\\Command");
    if (command.empty()) {
        std::string fileClass = RegistryDefault(".PDF");
        if (!fileClass.empty()) command = RegistryDefault(fileClass + "\\Shell\\Open\\Command");
    }
    return RemoveViewerPlaceholders(command);
}

int32_t AcrobatGeneration(const std::string& viewerCommand) {
    if (ClassKeyExists("AcroPDF.PDF.1")) return 7;
    if (ClassKeyExists("PDF.PdfCtrl.1")) return 4;
    for (int32_t n = 2; n <= 10; ++n)
        if (ClassKeyExists("PDF.PdfCtrl." + std::to_string(n))) return n;
    // The program itself: the command without the double quotes around it.
    std::string program = viewerCommand;
    while (!program.empty() && program.back() == ' ') program.pop_back();
    if (program.size() >= 2 && program.front() == '"') {
        size_t close = program.find('"', 1);
        program = program.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    uint64_t version = 0;
    try {
        version = GetFileVersion(program);
    } catch (const EOSError&) {
        // A viewer program that cannot be read counts as one of unknown version.
    }
    int32_t major = int32_t((version >> 48) & 0xFFFF);
    return major == 0 ? 4 : major;
}

bool OpenPdf(const std::string& fileName, int32_t page) {
    std::string file = fileName;
    if (!os::calls().FileExists(file)) {
        file = GetHelpFolder() + FileNameOfPath(file);
        if (!os::calls().FileExists(file)) return false;
    }
    // The name goes into a command line in double quotes: one of its own would break out of them.
    if (file.find('"') != std::string::npos) return false;
    std::string command = PdfViewerCommand();
    if (command.empty()) return false;

    if (AcrobatGeneration(command) >= 6) {
        std::string line = command + " /a pagemode=bookmarks&page=" + std::to_string(page) + " \"" + file + "\"";
        if (os::calls().StartProgram(line, os::kShowNormal) <= os::kStartedAbove) return false;
        char goTo[48];
        std::snprintf(goTo, sizeof goTo, "[DocGoTo(NULL, %d)]", int(page - 1));
        // Without a partner only the page step is skipped.
        os::calls().DdeExecute("acroview", "control", goTo);
        return true;
    }
    if (page != 1) ShowAcrobatWarning();
    return os::calls().StartProgram(command + " \"" + file + "\"", os::kShowNormal) > os::kStartedAbove;
}

}  // namespace plz::forms
