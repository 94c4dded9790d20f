#include "hid/HidrawDevice.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <vector>

#include "platform/DebugLog.h"

namespace vestra::hid {
namespace {

using SteadyTime = std::chrono::steady_clock::time_point;

// Milliseconds left until the deadline of a transfer; -1 when it has none.
class Deadline {
public:
    explicit Deadline(int timeoutMs)
        : m_unlimited(timeoutMs < 0),
          m_end(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs)) {}
    int RemainingMs() const {
        if (m_unlimited) return -1;
        auto left =
            std::chrono::ceil<std::chrono::milliseconds>(m_end - std::chrono::steady_clock::now());
        return left.count() > 0 ? static_cast<int>(left.count()) : 0;
    }
    bool Expired() const { return RemainingMs() == 0; }

private:
    bool m_unlimited;
    SteadyTime m_end;
};

}  // namespace

HidrawDevice::HidrawDevice(int fd, Identity identity, std::function<void()> onRelease)
    : m_fd(fd),
      m_shutdownFd(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)),
      m_identity(std::move(identity)),
      m_onRelease(std::move(onRelease)) {
    int flags = fcntl(m_fd, F_GETFL);
    if (flags >= 0) fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
}

HidrawDevice::~HidrawDevice() {
    Release();
    close(m_fd);
    if (m_shutdownFd >= 0) close(m_shutdownFd);
}

void HidrawDevice::Release() {
    if (!m_released.exchange(true) && m_onRelease) m_onRelease();
}

void HidrawDevice::Shutdown() {
    m_shutdown = true;
    // Never consumed: every later wait on the handle ends at once.
    uint64_t one = 1;
    if (m_shutdownFd >= 0) {
        [[maybe_unused]] ssize_t n = write(m_shutdownFd, &one, sizeof one);
    }
    Release();
}

TransferResult HidrawDevice::Wait(short events, int timeoutMs, int stopFd) const {
    pollfd fds[3] = {{m_fd, events, 0}, {m_shutdownFd, POLLIN, 0}, {stopFd, POLLIN, 0}};
    const nfds_t count = stopFd >= 0 ? 3 : 2;
    Deadline deadline(timeoutMs);
    for (;;) {
        int ready = poll(fds, count, deadline.RemainingMs());
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return TransferResult::Failed;
        if (ready == 0) return TransferResult::TimedOut;
        if (m_shutdown || fds[1].revents || (count == 3 && fds[2].revents)) {
            return TransferResult::Stopped;
        }
        if (fds[0].revents & events) return TransferResult::Ok;
        // POLLERR, POLLHUP or POLLNVAL without readiness: the node went away.
        return TransferResult::Failed;
    }
}

TransferResult HidrawDevice::Read(std::span<uint8_t> buffer, size_t& bytesRead, int timeoutMs,
                                  int stopFd) {
    bytesRead = 0;
    if (m_shutdown) return TransferResult::Failed;
    // hidraw gives unnumbered reports without an id byte; callers get byte 0 = 0 in front, as
    // every report has its id in byte 0.
    const size_t offset = m_identity.usesReportIds ? 0 : 1;
    if (buffer.size() <= offset) return TransferResult::Failed;
    Deadline deadline(timeoutMs);
    for (;;) {
        TransferResult wait = Wait(POLLIN, deadline.RemainingMs(), stopFd);
        if (wait != TransferResult::Ok) return wait;
        ssize_t n = read(m_fd, buffer.data() + offset, buffer.size() - offset);
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (n <= 0) {
            DebugLog::Printf("hidraw: read failed: %s",
                             n < 0 ? std::strerror(errno) : "end of file");
            return TransferResult::Failed;
        }
        if (offset) buffer[0] = 0;
        // The node delivers the reports of every collection; the others' are not ours.
        if (m_identity.inputReportIds.test(buffer[0])) {
            bytesRead = static_cast<size_t>(n) + offset;
            return TransferResult::Ok;
        }
        if (deadline.Expired()) return TransferResult::TimedOut;
    }
}

TransferResult HidrawDevice::Write(std::span<const uint8_t> report, size_t& bytesWritten,
                                   int timeoutMs, int stopFd) {
    bytesWritten = 0;
    if (m_shutdown || report.empty()) return TransferResult::Failed;
    // hidraw takes the report id in byte 0 (0 for unnumbered reports) and sends the report
    // synchronously; the USB stack's own time-out bounds a device that never takes it.
    Deadline deadline(timeoutMs);
    for (;;) {
        TransferResult wait = Wait(POLLOUT, deadline.RemainingMs(), stopFd);
        if (wait != TransferResult::Ok) return wait;
        ssize_t n = write(m_fd, report.data(), report.size());
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (deadline.Expired()) return TransferResult::TimedOut;
            continue;
        }
        if (n < 0) {
            DebugLog::Printf("hidraw: write failed: %s", std::strerror(errno));
            return TransferResult::Failed;
        }
        bytesWritten = static_cast<size_t>(n);
        return TransferResult::Ok;
    }
}

bool HidrawDevice::SetOutputReport(std::span<const uint8_t> report) {
    if (m_shutdown || report.empty()) return false;
#ifdef HIDIOCSOUTPUT
    // The ioctl's size field holds 14 bits.
    if (report.size() < (1u << 14)) {
        std::vector<uint8_t> copy(report.begin(), report.end());
        if (ioctl(m_fd, HIDIOCSOUTPUT(copy.size()), copy.data()) >= 0) return true;
        // Kernels before 5.11 lack the request (and a non-hidraw node has none).
        if (errno != ENOTTY && errno != EINVAL) return false;
    }
#endif
    return write(m_fd, report.data(), report.size()) == static_cast<ssize_t>(report.size());
}

}  // namespace vestra::hid
