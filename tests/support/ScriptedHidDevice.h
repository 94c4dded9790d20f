// A scripted HID device and backend for tests: written reports are answered from a rule table.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "hid/HidBackend.h"
#include "platform/StopEvent.h"

namespace vestra::test {

// A report descriptor with one vendor collection (usage page 0xFF1C, usage 0x92) whose report
// id 4 carries 63-byte input and output reports: the configuration interface of the products.
std::vector<uint8_t> VendorCommandDescriptor();

// The device itself ("the hardware"): its rule table, input queue and a record of the traffic.
// OpenHandle gives a HidDevice handle on it; closing one handle leaves the device usable, as
// with a real device node. Thread-safe.
class ScriptedHidDevice {
public:
    using Report = std::vector<uint8_t>;
    using Matcher = std::function<bool(std::span<const uint8_t> written)>;
    // The reports the device answers a write with (none is fine).
    using Responder = std::function<std::vector<Report>(std::span<const uint8_t> written)>;

    explicit ScriptedHidDevice(hid::HidAttributes attributes = {0x320F, 0x1000, 0x0100},
                               std::vector<uint8_t> descriptor = VendorCommandDescriptor(),
                               int collectionIndex = 0);
    ScriptedHidDevice(const ScriptedHidDevice&) = delete;
    ScriptedHidDevice& operator=(const ScriptedHidDevice&) = delete;

    std::shared_ptr<hid::HidDevice> OpenHandle();

    // The rule table: a written report is answered by the first rule (in the order added)
    // whose matcher accepts it; a report no rule matches gets no answer.
    void OnWrite(Matcher matcher, Responder responder);
    static Matcher Any();
    static Matcher ByteEquals(size_t index, uint8_t value);

    // Queues an input report as if the device sent it on its own (a notification).
    void QueueInput(Report report);
    size_t PendingInput() const;
    // With this on, a read that finds nothing queued ends at once as a time-out, whatever
    // time-out it asked for (which is still recorded). Off: reads really wait.
    void SetImmediateTimeouts(bool on) { m_immediateTimeouts = on; }

    std::vector<Report> Written() const;        // every report written, in order
    std::vector<Report> OutputReports() const;  // every SetOutputReport, in order
    std::vector<int> WriteTimeouts() const;
    std::vector<int> ReadTimeouts() const;
    void ClearRecords();

private:
    class Handle;
    friend class Handle;

    hid::TransferResult Read(std::span<uint8_t> buffer, size_t& bytesRead, int timeoutMs,
                             int stopFd, int shutdownFd);
    hid::TransferResult Write(std::span<const uint8_t> report, size_t& bytesWritten, int timeoutMs);
    bool SetOutputReport(std::span<const uint8_t> report);

    const hid::HidAttributes m_attributes;
    const std::vector<uint8_t> m_descriptor;
    const int m_collectionIndex;
    std::atomic<bool> m_immediateTimeouts{false};

    // Held across matching, answering and queuing, so replies queue in the order of writes.
    std::mutex m_writeMutex;
    std::vector<std::pair<Matcher, Responder>> m_rules;

    mutable std::mutex m_mutex;  // the queue and the records
    std::deque<Report> m_input;
    StopEvent m_inputQueued;
    std::vector<Report> m_written;
    std::vector<Report> m_outputReports;
    std::vector<int> m_writeTimeouts;
    std::vector<int> m_readTimeouts;
};

// A backend whose paths open the given devices.
class ScriptedHidBackend final : public hid::HidBackend {
public:
    using OpenFunction = std::function<std::shared_ptr<hid::HidDevice>()>;

    // Path in the Windows form the path parsers read, e.g. "scripted:kbd#vid_320f&pid_1000&mi_01".
    void Add(const std::string& path, ScriptedHidDevice& device);
    // For handles made another way, e.g. a FailingHidDevice around a scripted handle.
    void Add(const std::string& path, OpenFunction open);
    void Remove(const std::string& path);
    size_t OpenCount() const { return m_openCount; }

    bool Enumerate(std::vector<std::string>& paths) override;
    std::shared_ptr<hid::HidDevice> Open(const std::string& path, hid::HidAccess access,
                                         hid::HidSharing sharing) override;

private:
    mutable std::mutex m_mutex;
    std::vector<std::pair<std::string, OpenFunction>> m_devices;
    std::atomic<size_t> m_openCount{0};
};

}  // namespace vestra::test
