#include "platform/PacedThread.h"

#include "platform/DebugLog.h"

namespace vestra {

void PacedThread::Start(Pass pass, std::string exitLine) {
    Stop();
    m_stop.Consume();
    m_thread = std::thread([this, pass = std::move(pass), exitLine = std::move(exitLine)] {
        while (!m_stop.Wait(pass())) {
        }
        DebugLog::Write(exitLine);
    });
}

void PacedThread::Stop() {
    if (!m_thread.joinable()) return;
    m_stop.Set();
    m_thread.join();
}

}  // namespace vestra
