// One open handle on a collection of an emulated product, with its own queue of input reports.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "emulator/ProductTable.h"
#include "hid/HidBackend.h"
#include "platform/StopEvent.h"

namespace vestra::emulator {

class EmulatedHidBackend;

// Like a hidraw file, every open handle of a collection receives its own copy of each input
// report of that collection. The queue is signalled through an eventfd so that Read can poll
// it together with the caller's stop descriptor and the handle's own shutdown event.
class EmulatedEndpoint final : public hid::HidDevice {
public:
    EmulatedEndpoint(std::shared_ptr<EmulatedHidBackend> backend, Product product, int collection,
                     hid::HidAccess access);

    hid::HidAttributes Attributes() const override;
    std::vector<uint8_t> ReportDescriptor() const override;
    int CollectionIndex() const override { return m_collection; }

    hid::TransferResult Read(std::span<uint8_t> buffer, size_t& bytesRead, int timeoutMs,
                             int stopFd) override;
    // Never blocks: the emulated device takes every report at once.
    hid::TransferResult Write(std::span<const uint8_t> report, size_t& bytesWritten, int timeoutMs,
                              int stopFd) override;
    bool SetOutputReport(std::span<const uint8_t> report) override;
    void Shutdown() override;

    // Used by the backend under its own lock.
    Product GetProduct() const { return m_product; }
    bool CanRead() const { return m_access != hid::HidAccess::Write; }
    bool IsGone() const { return m_gone; }
    // Queues an input report that becomes readable at dueMs (monotonic clock).
    void Deliver(std::span<const uint8_t> report, uint64_t dueMs);
    // The product went away: waiting and later transfers fail.
    void MarkGone();

private:
    struct Pending {
        std::vector<uint8_t> report;
        uint64_t dueMs;
    };

    std::shared_ptr<EmulatedHidBackend> m_backend;
    const Product m_product;
    const int m_collection;
    const hid::HidAccess m_access;

    std::mutex m_mutex;
    std::deque<Pending> m_queue;
    StopEvent m_ready;   // signalled while the queue holds a report
    StopEvent m_closed;  // set once by Shutdown or MarkGone, never consumed
    bool m_shutdown = false;
    std::atomic<bool> m_gone = false;
};

}  // namespace vestra::emulator
