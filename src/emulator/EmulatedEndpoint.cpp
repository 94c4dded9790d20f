#include "emulator/EmulatedEndpoint.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "emulator/EmulatedHidBackend.h"
#include "emulator/ReportDescriptors.h"
#include "platform/Clock.h"

namespace vestra::emulator {
namespace {

using hid::TransferResult;

// The kernel keeps a like bound per hidraw reader; newer reports are dropped beyond it.
constexpr size_t kMaxQueuedReports = 64;

uint64_t NowMs() {
    return SteadyClock::Instance().NowMs();
}

bool Readable(const pollfd& p) {
    return (p.revents & (POLLIN | POLLERR | POLLHUP)) != 0;
}

}  // namespace

EmulatedEndpoint::EmulatedEndpoint(std::shared_ptr<EmulatedHidBackend> backend, Product product,
                                   int collection, hid::HidAccess access)
    : m_backend(std::move(backend)),
      m_product(product),
      m_collection(collection),
      m_access(access) {}

hid::HidAttributes EmulatedEndpoint::Attributes() const {
    const ProductIdentity& identity = IdentityOf(m_product);
    return {identity.vendorId, identity.productId, identity.releaseNumber};
}

std::vector<uint8_t> EmulatedEndpoint::ReportDescriptor() const {
    std::span<const uint8_t> descriptor = ReportDescriptorOf(m_product);
    return {descriptor.begin(), descriptor.end()};
}

TransferResult EmulatedEndpoint::Read(std::span<uint8_t> buffer, size_t& bytesRead, int timeoutMs,
                                      int stopFd) {
    bytesRead = 0;
    if (!CanRead()) return TransferResult::Failed;
    const uint64_t start = NowMs();
    for (;;) {
        const uint64_t now = NowMs();
        bool watchQueue = true;
        int waitMs = -1;
        {
            std::lock_guard lock(m_mutex);
            if (m_gone || m_shutdown) return TransferResult::Failed;
            if (!m_queue.empty() && m_queue.front().dueMs <= now) {
                const std::vector<uint8_t>& report = m_queue.front().report;
                bytesRead = std::min(buffer.size(), report.size());
                std::copy_n(report.begin(), bytesRead, buffer.begin());
                m_queue.pop_front();
                if (m_queue.empty()) m_ready.Consume();
                return TransferResult::Ok;
            }
            if (!m_queue.empty()) {
                // Reports leave in order, so nothing can overtake a delayed head: sleep until
                // it is due instead of watching the (already readable) queue event.
                watchQueue = false;
                waitMs = static_cast<int>(m_queue.front().dueMs - now);
            }
        }
        if (timeoutMs >= 0) {
            const uint64_t elapsed = now - start;
            if (elapsed >= static_cast<uint64_t>(timeoutMs)) return TransferResult::TimedOut;
            const int remaining = static_cast<int>(timeoutMs - elapsed);
            waitMs = waitMs < 0 ? remaining : std::min(waitMs, remaining);
        }

        pollfd fds[3] = {{m_closed.Fd(), POLLIN, 0}, {stopFd, POLLIN, 0}, {-1, POLLIN, 0}};
        if (watchQueue) fds[2].fd = m_ready.Fd();
        const int r = poll(fds, 3, waitMs);  // negative descriptors are skipped by poll
        if (r < 0 && errno != EINTR) return TransferResult::Failed;
        if (r <= 0) continue;
        if (Readable(fds[0])) return m_gone ? TransferResult::Failed : TransferResult::Stopped;
        if (stopFd >= 0 && Readable(fds[1])) return TransferResult::Stopped;
    }
}

TransferResult EmulatedEndpoint::Write(std::span<const uint8_t> report, size_t& bytesWritten,
                                       int /*timeoutMs*/, int /*stopFd*/) {
    bytesWritten = 0;
    if (m_access == hid::HidAccess::Read) return TransferResult::Failed;
    {
        std::lock_guard lock(m_mutex);
        if (m_shutdown) return TransferResult::Failed;
    }
    if (!m_backend->TakeOutput(*this, report)) return TransferResult::Failed;
    bytesWritten = report.size();
    return TransferResult::Ok;
}

bool EmulatedEndpoint::SetOutputReport(std::span<const uint8_t> report) {
    size_t written = 0;
    return Write(report, written, 0, -1) == TransferResult::Ok;
}

void EmulatedEndpoint::Shutdown() {
    std::lock_guard lock(m_mutex);
    m_shutdown = true;
    m_closed.Set();
}

void EmulatedEndpoint::Deliver(std::span<const uint8_t> report, uint64_t dueMs) {
    std::lock_guard lock(m_mutex);
    if (m_gone || m_shutdown || m_queue.size() >= kMaxQueuedReports) return;
    m_queue.push_back({{report.begin(), report.end()}, dueMs});
    m_ready.Set();
}

void EmulatedEndpoint::MarkGone() {
    std::lock_guard lock(m_mutex);
    m_gone = true;
    m_queue.clear();
    m_closed.Set();
}

}  // namespace vestra::emulator
