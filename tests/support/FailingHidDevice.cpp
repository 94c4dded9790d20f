#include "support/FailingHidDevice.h"

namespace vestra::test {

FailingHidDevice::FailingHidDevice(std::shared_ptr<hid::HidDevice> inner,
                                   size_t transfersBeforeFailure, hid::TransferResult failure,
                                   FailingTransfer which)
    : m_inner(std::move(inner)),
      m_left(transfersBeforeFailure),
      m_failure(failure),
      m_which(which) {}

bool FailingHidDevice::Pass(FailingTransfer kind) {
    if (m_which != FailingTransfer::Any && m_which != kind) return true;
    size_t left = m_left.load();
    while (left > 0) {
        if (left == kNever || m_left.compare_exchange_weak(left, left - 1)) return true;
    }
    ++m_failed;
    return false;
}

hid::TransferResult FailingHidDevice::Read(std::span<uint8_t> buffer, size_t& bytesRead,
                                           int timeoutMs, int stopFd) {
    bytesRead = 0;
    if (!Pass(FailingTransfer::Reads)) return m_failure;
    return m_inner->Read(buffer, bytesRead, timeoutMs, stopFd);
}

hid::TransferResult FailingHidDevice::Write(std::span<const uint8_t> report, size_t& bytesWritten,
                                            int timeoutMs, int stopFd) {
    bytesWritten = 0;
    if (!Pass(FailingTransfer::Writes)) return m_failure;
    return m_inner->Write(report, bytesWritten, timeoutMs, stopFd);
}

bool FailingHidDevice::SetOutputReport(std::span<const uint8_t> report) {
    return Pass(FailingTransfer::Writes) && m_inner->SetOutputReport(report);
}

}  // namespace vestra::test
