// The platform's HID access: lists interface paths and opens them (hidraw, or the emulator).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace vestra::hid {

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;  // the USB release number (bcdDevice)
};

enum class HidAccess { Read, Write, ReadWrite };
enum class HidSharing { Shared, Exclusive };

enum class TransferResult {
    Ok,        // the report moved
    TimedOut,  // nothing within the time-out; the handle stays usable
    Stopped,   // the stop descriptor or a shutdown ended the wait
    Failed,    // the device is gone or refused the transfer
};

// One open HID interface, i.e. one top-level collection of a USB HID interface.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    virtual HidAttributes Attributes() const = 0;
    // The report descriptor of the whole USB interface this collection belongs to.
    virtual std::vector<uint8_t> ReportDescriptor() const = 0;
    // 0-based index, among the descriptor's top-level collections, of the one this handle serves.
    virtual int CollectionIndex() const = 0;

    // Reads one input report of this collection (report id in byte 0). timeoutMs -1 waits
    // without limit. The wait also ends when stopFd becomes readable (-1: no stop descriptor).
    virtual TransferResult Read(std::span<uint8_t> buffer, size_t& bytesRead, int timeoutMs,
                                int stopFd) = 0;
    // Writes one output report (report id in byte 0) on the interrupt/output path.
    virtual TransferResult Write(std::span<const uint8_t> report, size_t& bytesWritten,
                                 int timeoutMs, int stopFd) = 0;
    // Sends one output report over the control pipe (SET_REPORT); true on success.
    virtual bool SetOutputReport(std::span<const uint8_t> report) = 0;

    // Ends any transfer waiting on this handle and makes later ones fail; the descriptor itself
    // is released only when the last owner drops the handle.
    virtual void Shutdown() = 0;
};

class HidBackend {
public:
    virtual ~HidBackend() = default;

    // Paths of every HID interface present now, one per top-level collection. False when the
    // list cannot be made at all (no paths is not a failure).
    virtual bool Enumerate(std::vector<std::string>& paths) = 0;
    // Opens one path; null when it is gone, refused or unreadable.
    virtual std::shared_ptr<HidDevice> Open(const std::string& path, HidAccess access,
                                            HidSharing sharing) = 0;

    // The backend every HidInterface made without an explicit one uses: the hidraw backend
    // unless the program installed another (the emulator for --demo, fakes in tests).
    static HidBackend& Default();
    // Installs a default backend (not owned); null restores the hidraw backend.
    static void SetDefault(HidBackend* backend);
};

}  // namespace vestra::hid
