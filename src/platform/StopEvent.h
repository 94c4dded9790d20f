// An auto-reset event on an eventfd, so that a poll() on a device node can also wake on it.
#pragma once

namespace vestra {

class StopEvent {
public:
    StopEvent();
    ~StopEvent();
    StopEvent(const StopEvent&) = delete;
    StopEvent& operator=(const StopEvent&) = delete;

    // Signals the event; it stays signalled until one waiter consumes it.
    void Set();
    // Clears the event; true when it was signalled.
    bool Consume();
    // Waits up to timeoutMs (-1: no limit) for the event and consumes it; true when it came.
    bool Wait(int timeoutMs);
    // The descriptor to poll for POLLIN; readable while the event is signalled.
    int Fd() const { return m_fd; }

private:
    int m_fd;
};

}  // namespace vestra
