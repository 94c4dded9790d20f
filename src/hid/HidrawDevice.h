// One open top-level collection of a hidraw node: reads filtered to the collection's reports.
#pragma once

#include <atomic>
#include <bitset>
#include <functional>
#include <vector>

#include "hid/HidBackend.h"

namespace vestra::hid {

class HidrawDevice final : public HidDevice {
public:
    struct Identity {
        HidAttributes attributes;
        std::vector<uint8_t> reportDescriptor;
        int collectionIndex = 0;
        std::bitset<256> inputReportIds;  // the input reports of this collection
        bool usesReportIds = false;
    };

    // Takes ownership of fd (made non-blocking here). onRelease runs once, at Shutdown or
    // destruction, whichever comes first.
    HidrawDevice(int fd, Identity identity, std::function<void()> onRelease);
    ~HidrawDevice() override;
    HidrawDevice(const HidrawDevice&) = delete;
    HidrawDevice& operator=(const HidrawDevice&) = delete;

    HidAttributes Attributes() const override { return m_identity.attributes; }
    std::vector<uint8_t> ReportDescriptor() const override { return m_identity.reportDescriptor; }
    int CollectionIndex() const override { return m_identity.collectionIndex; }

    TransferResult Read(std::span<uint8_t> buffer, size_t& bytesRead, int timeoutMs,
                        int stopFd) override;
    TransferResult Write(std::span<const uint8_t> report, size_t& bytesWritten, int timeoutMs,
                         int stopFd) override;
    bool SetOutputReport(std::span<const uint8_t> report) override;
    void Shutdown() override;

private:
    // Waits until the node is ready for `events`; a stop or shutdown wins over readiness.
    TransferResult Wait(short events, int timeoutMs, int stopFd) const;
    void Release();

    const int m_fd;
    const int m_shutdownFd;
    const Identity m_identity;
    std::atomic<bool> m_shutdown{false};
    std::atomic<bool> m_released{false};
    std::function<void()> m_onRelease;
};

}  // namespace vestra::hid
