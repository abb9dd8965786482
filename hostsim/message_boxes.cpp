// Message-box watching through the POSIX stand-in, whose user is played here: each modal form's
// caption and texts are noted and its default button pressed. On Windows the plug-in's boxes are
// real windows, answered by the host (plugin_host.cpp) but not watched.
#include "hostsim/message_boxes.h"

#if !defined(_WIN32)
#include "platform/posix_control.h"
#endif

namespace plz::hostsim {
namespace {

std::vector<std::string> g_seen;

#if !defined(_WIN32)
bool Record(WindowHandle active) {
    g_seen.push_back(os::posix::DialogText(active));
    return os::posix::PressDefaultButton(active);
}
#endif

}  // namespace

MessageBoxWatch::MessageBoxWatch() {
    g_seen.clear();
#if !defined(_WIN32)
    os::posix::SetUserHandler(&Record);
#endif
}

MessageBoxWatch::~MessageBoxWatch() {
#if !defined(_WIN32)
    os::posix::SetUserHandler(nullptr);
#endif
}

const std::vector<std::string>& MessageBoxWatch::Seen() const { return g_seen; }

}  // namespace plz::hostsim
