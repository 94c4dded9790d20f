// A worker thread that runs a pass, sleeps as long as the pass asks or until it is stopped, and
// runs the next pass.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include "platform/StopEvent.h"

namespace vestra {

class PacedThread {
public:
    // Runs one pass and returns how many milliseconds to wait before the next.
    using Pass = std::function<int()>;

    PacedThread() = default;
    ~PacedThread() { Stop(); }
    PacedThread(const PacedThread&) = delete;
    PacedThread& operator=(const PacedThread&) = delete;

    // Starts the thread (a running one is stopped first); exitLine goes to the debug log when
    // it ends.
    void Start(Pass pass, std::string exitLine);
    // Wakes the thread's wait and joins it: it ends after at most the pass it is in.
    void Stop();
    bool IsRunning() const { return m_thread.joinable(); }

private:
    StopEvent m_stop;
    std::thread m_thread;
};

}  // namespace vestra
