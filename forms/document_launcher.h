// Opening an address in the most fitting place: the user's browser for web addresses (when the
// host says so), the PDF viewer for a page of a PDF manual, a host view that shows it already, a
// new host view, or the host's task server.
#pragma once

#include <cstdint>
#include <string>

#include "frame/host_interfaces.h"
#include "platform/com_ptr.h"

namespace plz::forms {

// True when the address was handed on.
bool OpenAddress(const std::string& address);
// Web addresses (http, https, ftp) in the user's browser, while the host's preference says so.
bool OpenInBrowser(const std::string& address);
bool OpenByTaskServer(const std::string& address);
// "Manual.pdf#page=12": address becomes the located file name (upper case), page 12 (-1 when the
// number does not read). False, address unchanged, for anything else.
bool SplitPdfPageAddress(std::string& address, int32_t& page);
// The address a host view shows.
std::string ViewAddress(IServerDocumentView* view);
// The first open view of any server module that shows the address, or none.
ComPtr<IServerDocumentView> FindViewByAddress(const std::string& address);
// Opens a PDF file in the installed viewer at a page; false when the file or the viewer is missing
// or the viewer does not start.
bool OpenPdf(const std::string& fileName, int32_t page);

// The parts of OpenPdf: the viewer's command from the registry with the file placeholders and
// "/u" removed, and the viewer's generation.
std::string PdfViewerCommand();
std::string RemoveViewerPlaceholders(std::string command);
int32_t AcrobatGeneration(const std::string& viewerCommand);

}  // namespace plz::forms
