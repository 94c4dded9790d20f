#include "platform/StopEvent.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>

namespace vestra {

StopEvent::StopEvent() : m_fd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (m_fd < 0) throw std::runtime_error("eventfd failed");
}

StopEvent::~StopEvent() { close(m_fd); }

void StopEvent::Set() {
    uint64_t one = 1;
    // A full counter (never reached in practice) still leaves the event signalled.
    [[maybe_unused]] ssize_t n = write(m_fd, &one, sizeof one);
}

bool StopEvent::Consume() {
    uint64_t value = 0;
    return read(m_fd, &value, sizeof value) == static_cast<ssize_t>(sizeof value);
}

bool StopEvent::Wait(int timeoutMs) {
    pollfd p{m_fd, POLLIN, 0};
    for (;;) {
        int r = poll(&p, 1, timeoutMs);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        if (Consume()) return true;
        // Another waiter took it first; with a time-out the remaining wait is not worth tracking.
        if (timeoutMs >= 0) return false;
    }
}

}  // namespace vestra
