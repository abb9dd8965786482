// The message boxes a command shows while the host simulator runs it, noted for the summary and
// answered at once, so that a run never waits for a person.
#pragma once

#include <string>
#include <vector>

namespace plz::hostsim {

// Watches the calling thread from construction to destruction; one watch at a time.
class MessageBoxWatch {
public:
    MessageBoxWatch();
    ~MessageBoxWatch();
    MessageBoxWatch(const MessageBoxWatch&) = delete;
    MessageBoxWatch& operator=(const MessageBoxWatch&) = delete;

    // "[caption] text" per box, in order; always empty on Windows (see message_boxes.cpp).
    const std::vector<std::string>& Seen() const;
};

}  // namespace plz::hostsim
