// Message-box watching through the POSIX stand-in, which hands each box to a handler. On Windows
// the system shows the plug-in's boxes itself; their owner, the simulated application window, is
// no real window there, so no box appears and none can be watched.
#include "hostsim/message_boxes.h"

#if !defined(_WIN32)
#include "platform/posix_control.h"
#endif

namespace plz::hostsim {
namespace {

std::vector<std::string> g_seen;

#if !defined(_WIN32)
int Record(WindowHandle, const std::string& caption, const std::string& text, os::MessageKind, int) {
    g_seen.push_back("[" + caption + "] " + text);
    return 1;
}
#endif

}  // namespace

MessageBoxWatch::MessageBoxWatch() {
    g_seen.clear();
#if !defined(_WIN32)
    os::posix::SetMessageDialogHandler(&Record);
#endif
}

MessageBoxWatch::~MessageBoxWatch() {
#if !defined(_WIN32)
    os::posix::SetMessageDialogHandler(nullptr);
#endif
}

const std::vector<std::string>& MessageBoxWatch::Seen() const { return g_seen; }

}  // namespace plz::hostsim
