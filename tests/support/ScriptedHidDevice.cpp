#include "support/ScriptedHidDevice.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace vestra::test {

std::vector<uint8_t> VendorCommandDescriptor() {
    return {
        0x06, 0x1C, 0xFF,  // Usage Page (vendor 0xFF1C)
        0x09, 0x92,        // Usage (0x92)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x04,        //   Report ID (4)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x3F,        //   Report Count (63)
        0x09, 0x93,        //   Usage (0x93)
        0x81, 0x02,        //   Input (Data, Variable, Absolute)
        0x95, 0x3F,        //   Report Count (63)
        0x09, 0x94,        //   Usage (0x94)
        0x91, 0x02,        //   Output (Data, Variable, Absolute)
        0xC0,              // End Collection
    };
}

// One open handle: its own shutdown, the device's queue and rules.
class ScriptedHidDevice::Handle final : public hid::HidDevice {
public:
    explicit Handle(ScriptedHidDevice& device) : m_device(device) {}

    hid::HidAttributes Attributes() const override { return m_device.m_attributes; }
    std::vector<uint8_t> ReportDescriptor() const override { return m_device.m_descriptor; }
    int CollectionIndex() const override { return m_device.m_collectionIndex; }

    hid::TransferResult Read(std::span<uint8_t> buffer, size_t& bytesRead, int timeoutMs,
                             int stopFd) override {
        bytesRead = 0;
        if (m_shutdown) return hid::TransferResult::Failed;
        return m_device.Read(buffer, bytesRead, timeoutMs, stopFd, m_shutdownEvent.Fd());
    }
    hid::TransferResult Write(std::span<const uint8_t> report, size_t& bytesWritten, int timeoutMs,
                              int) override {
        bytesWritten = 0;
        if (m_shutdown) return hid::TransferResult::Failed;
        return m_device.Write(report, bytesWritten, timeoutMs);
    }
    bool SetOutputReport(std::span<const uint8_t> report) override {
        return !m_shutdown && m_device.SetOutputReport(report);
    }
    void Shutdown() override {
        m_shutdown = true;
        m_shutdownEvent.Set();
    }

private:
    ScriptedHidDevice& m_device;
    std::atomic<bool> m_shutdown{false};
    StopEvent m_shutdownEvent;
};

ScriptedHidDevice::ScriptedHidDevice(hid::HidAttributes attributes, std::vector<uint8_t> descriptor,
                                     int collectionIndex)
    : m_attributes(attributes),
      m_descriptor(std::move(descriptor)),
      m_collectionIndex(collectionIndex) {}

std::shared_ptr<hid::HidDevice> ScriptedHidDevice::OpenHandle() {
    return std::make_shared<Handle>(*this);
}

void ScriptedHidDevice::OnWrite(Matcher matcher, Responder responder) {
    std::lock_guard lock(m_writeMutex);
    m_rules.emplace_back(std::move(matcher), std::move(responder));
}

ScriptedHidDevice::Matcher ScriptedHidDevice::Any() {
    return [](std::span<const uint8_t>) { return true; };
}

ScriptedHidDevice::Matcher ScriptedHidDevice::ByteEquals(size_t index, uint8_t value) {
    return [index, value](std::span<const uint8_t> written) {
        return index < written.size() && written[index] == value;
    };
}

void ScriptedHidDevice::QueueInput(Report report) {
    std::lock_guard lock(m_mutex);
    m_input.push_back(std::move(report));
    m_inputQueued.Set();
}

size_t ScriptedHidDevice::PendingInput() const {
    std::lock_guard lock(m_mutex);
    return m_input.size();
}

std::vector<ScriptedHidDevice::Report> ScriptedHidDevice::Written() const {
    std::lock_guard lock(m_mutex);
    return m_written;
}

std::vector<ScriptedHidDevice::Report> ScriptedHidDevice::OutputReports() const {
    std::lock_guard lock(m_mutex);
    return m_outputReports;
}

std::vector<int> ScriptedHidDevice::WriteTimeouts() const {
    std::lock_guard lock(m_mutex);
    return m_writeTimeouts;
}

std::vector<int> ScriptedHidDevice::ReadTimeouts() const {
    std::lock_guard lock(m_mutex);
    return m_readTimeouts;
}

void ScriptedHidDevice::ClearRecords() {
    std::lock_guard lock(m_mutex);
    m_written.clear();
    m_outputReports.clear();
    m_writeTimeouts.clear();
    m_readTimeouts.clear();
}

hid::TransferResult ScriptedHidDevice::Read(std::span<uint8_t> buffer, size_t& bytesRead,
                                            int timeoutMs, int stopFd, int shutdownFd) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    {
        std::lock_guard lock(m_mutex);
        m_readTimeouts.push_back(timeoutMs);
    }
    for (;;) {
        {
            std::lock_guard lock(m_mutex);
            if (!m_input.empty()) {
                const Report& report = m_input.front();
                bytesRead = std::min(buffer.size(), report.size());
                std::copy_n(report.begin(), bytesRead, buffer.begin());
                m_input.pop_front();
                return hid::TransferResult::Ok;
            }
            // Nothing queued: a signal left by a report another reader took must not wake us.
            m_inputQueued.Consume();
        }
        if (m_immediateTimeouts) return hid::TransferResult::TimedOut;

        int waitMs = -1;
        if (timeoutMs >= 0) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0) return hid::TransferResult::TimedOut;
            waitMs = static_cast<int>(left.count());
        }
        pollfd fds[3] = {
            {m_inputQueued.Fd(), POLLIN, 0}, {shutdownFd, POLLIN, 0}, {stopFd, POLLIN, 0}};
        int r = poll(fds, stopFd >= 0 ? 3 : 2, waitMs);
        if (r < 0 && errno != EINTR) return hid::TransferResult::Failed;
        if (fds[1].revents & POLLIN) return hid::TransferResult::Failed;
        if (stopFd >= 0 && (fds[2].revents & POLLIN)) return hid::TransferResult::Stopped;
    }
}

hid::TransferResult ScriptedHidDevice::Write(std::span<const uint8_t> report, size_t& bytesWritten,
                                             int timeoutMs) {
    std::lock_guard order(m_writeMutex);
    {
        std::lock_guard lock(m_mutex);
        m_written.emplace_back(report.begin(), report.end());
        m_writeTimeouts.push_back(timeoutMs);
    }
    bytesWritten = report.size();
    for (const auto& [matcher, responder] : m_rules) {
        if (!matcher(report)) continue;
        for (Report& reply : responder(report)) QueueInput(std::move(reply));
        break;
    }
    return hid::TransferResult::Ok;
}

bool ScriptedHidDevice::SetOutputReport(std::span<const uint8_t> report) {
    std::lock_guard lock(m_mutex);
    m_outputReports.emplace_back(report.begin(), report.end());
    return true;
}

void ScriptedHidBackend::Add(const std::string& path, ScriptedHidDevice& device) {
    Add(path, [&device] { return device.OpenHandle(); });
}

void ScriptedHidBackend::Add(const std::string& path, OpenFunction open) {
    std::lock_guard lock(m_mutex);
    m_devices.emplace_back(path, std::move(open));
}

void ScriptedHidBackend::Remove(const std::string& path) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_devices, [&](const auto& entry) { return entry.first == path; });
}

bool ScriptedHidBackend::Enumerate(std::vector<std::string>& paths) {
    std::lock_guard lock(m_mutex);
    paths.clear();
    for (const auto& entry : m_devices) paths.push_back(entry.first);
    return true;
}

std::shared_ptr<hid::HidDevice> ScriptedHidBackend::Open(const std::string& path, hid::HidAccess,
                                                         hid::HidSharing) {
    OpenFunction open;
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_devices.begin(), m_devices.end(),
                               [&](const auto& entry) { return entry.first == path; });
        if (it == m_devices.end()) return nullptr;
        open = it->second;
    }
    ++m_openCount;
    return open();
}

}  // namespace vestra::test
