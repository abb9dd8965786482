// Message-box watching: the POSIX stand-in hands each box to a handler; on Windows a thread hook
// sees each dialog window being made, reads it when it is activated and answers it with OK.
#include "hostsim/message_boxes.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/posix_control.h"
#endif

namespace plz::hostsim {
namespace {

std::vector<std::string> g_seen;

#if defined(_WIN32)
HHOOK g_hook = nullptr;
HWND g_box = nullptr;

// A hook procedure: nothing may escape it.
LRESULT CALLBACK WatchWindows(int code, WPARAM w, LPARAM l) try {
    const HWND window = reinterpret_cast<HWND>(w);
    char text[1024] = {};
    if (code == HCBT_CREATEWND && GetClassNameA(window, text, sizeof text) && std::string(text) == "#32770") {
        g_box = window;
        g_seen.push_back("[?] (a message box whose text the system did not show)");
    } else if (code == HCBT_ACTIVATE && window == g_box && !g_seen.empty()) {
        char caption[256] = {};
        GetWindowTextA(window, caption, sizeof caption);
        GetDlgItemTextA(window, 0xFFFF, text, sizeof text);  // the box's static text
        g_seen.back() = "[" + std::string(caption) + "] " + text;
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        g_box = nullptr;
    }
    return CallNextHookEx(g_hook, code, w, l);
} catch (...) {
    return CallNextHookEx(g_hook, code, w, l);
}
#else
int Record(WindowHandle, const std::string& caption, const std::string& text, os::MessageKind, int) {
    g_seen.push_back("[" + caption + "] " + text);
    return 1;
}
#endif

}  // namespace

MessageBoxWatch::MessageBoxWatch() {
    g_seen.clear();
#if defined(_WIN32)
    g_hook = SetWindowsHookExA(WH_CBT, &WatchWindows, nullptr, GetCurrentThreadId());
#else
    os::posix::SetMessageDialogHandler(&Record);
#endif
}

MessageBoxWatch::~MessageBoxWatch() {
#if defined(_WIN32)
    if (g_hook) UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
#else
    os::posix::SetMessageDialogHandler(nullptr);
#endif
}

const std::vector<std::string>& MessageBoxWatch::Seen() const { return g_seen; }

}  // namespace plz::hostsim
