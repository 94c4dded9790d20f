// A HID handle that passes its first N transfers to another handle and fails every later one.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "hid/HidBackend.h"

namespace vestra::test {

// Which transfers count towards the limit and fail after it; the others always pass.
enum class FailingTransfer { Any, Reads, Writes };

// Stands in for a device pulled out mid-transfer (Failed), a write or read that times out
// (TimedOut) or a stop (Stopped).
class FailingHidDevice final : public hid::HidDevice {
public:
    static constexpr size_t kNever = SIZE_MAX;

    FailingHidDevice(std::shared_ptr<hid::HidDevice> inner, size_t transfersBeforeFailure,
                     hid::TransferResult failure = hid::TransferResult::Failed,
                     FailingTransfer which = FailingTransfer::Any);

    // Lets n more counted transfers pass from now on; kNever heals the handle.
    void SetTransfersBeforeFailure(size_t n) { m_left = n; }
    size_t FailedCount() const { return m_failed; }

    hid::HidAttributes Attributes() const override { return m_inner->Attributes(); }
    std::vector<uint8_t> ReportDescriptor() const override { return m_inner->ReportDescriptor(); }
    int CollectionIndex() const override { return m_inner->CollectionIndex(); }
    hid::TransferResult Read(std::span<uint8_t> buffer, size_t& bytesRead, int timeoutMs,
                             int stopFd) override;
    hid::TransferResult Write(std::span<const uint8_t> report, size_t& bytesWritten, int timeoutMs,
                              int stopFd) override;
    bool SetOutputReport(std::span<const uint8_t> report) override;
    void Shutdown() override { m_inner->Shutdown(); }

private:
    // True when this transfer passes; counts it when it is of the counted kind.
    bool Pass(FailingTransfer kind);

    std::shared_ptr<hid::HidDevice> m_inner;
    std::atomic<size_t> m_left;
    std::atomic<size_t> m_failed{0};
    const hid::TransferResult m_failure;
    const FailingTransfer m_which;
};

}  // namespace vestra::test
