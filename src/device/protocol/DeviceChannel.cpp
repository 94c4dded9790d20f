#include "device/protocol/DeviceChannel.h"

#include <algorithm>

#include "device/protocol/ReportTrace.h"

namespace vestra::protocol {
namespace {

// Counts a Transact for ExchangeInProgress from entry to every return.
class ExchangeGuard {
public:
    explicit ExchangeGuard(std::atomic<int>& count) : m_count(count) { ++m_count; }
    ~ExchangeGuard() { --m_count; }
    ExchangeGuard(const ExchangeGuard&) = delete;
    ExchangeGuard& operator=(const ExchangeGuard&) = delete;

private:
    std::atomic<int>& m_count;
};

// A request of any length as one report: zero-padded, or cut at 64 bytes.
Report PadRequest(std::span<const uint8_t> request) {
    Report report{};
    std::copy_n(request.begin(), std::min(request.size(), report.size()), report.begin());
    return report;
}

void CopyReply(const Report& in, std::span<uint8_t> reply) {
    std::copy_n(in.begin(), std::min(reply.size(), in.size()), reply.begin());
}

}  // namespace

DeviceChannel::DeviceChannel() = default;

DeviceChannel::DeviceChannel(hid::HidBackend& backend) : m_wired(backend), m_receiver(backend) {}

void DeviceChannel::SetConnectionType(int type) {
    bool receiver = type == kConnectionReceiver;
    m_receiverMode = receiver;
    m_chunkSize = static_cast<uint8_t>(receiver ? kChunkReceiver : kChunkCable);
}

bool DeviceChannel::SetBlockSize(uint16_t size) {
    if (size > kMaxBlockSize) return false;
    m_blockSize = size;
    return true;
}

int DeviceChannel::Transact(std::span<const uint8_t> request, std::span<uint8_t> reply,
                            size_t& bytesRead) {
    ExchangeGuard busy(m_exchanges);
    bytesRead = 0;
    if (!m_open) return RESULT_CLOSED;

    Report out = PadRequest(request);
    TraceReport("命令", out.data());

    // Mode and handle are fixed for the whole exchange so write and read use the same one.
    const bool receiver = m_receiverMode;
    hid::HidInterface& handle = receiver ? m_receiver : m_wired;
    const int timeoutMs = receiver ? kTimeoutReceiverMs : kTimeoutCableMs;
    {
        std::lock_guard io(m_ioLock);
        size_t written = 0;
        if (!handle.Write(out.data(), out.size(), &written, timeoutMs)) {
            return RESULT_WRITE_FAILED;
        }
    }

    Report in{};
    int result = RESULT_CLOSED;
    {
        std::lock_guard io(m_ioLock);
        // A notification, or the reply to another thread's request, may come first: one such
        // report is skipped. A second one means this request got no reply; it is not taken as
        // the answer, or a foreign report's bytes would be used as this command's data.
        for (int attempt = 0; attempt < 2; ++attempt) {
            in.fill(0);
            if (!handle.Read(in.data(), in.size(), &bytesRead, timeoutMs)) break;
            if (in[kOffsetCommand] == out[kOffsetCommand]) {
                result = RESULT_OK;
                break;
            }
            // The receiver answers with its own link report while the device is away.
            if (receiver && in[kOffsetCommand] == CMD_LINK_QUERY) {
                result = RESULT_NO_LINK;
                break;
            }
        }
    }
    CopyReply(in, reply);
    TraceReport("返回", in.data());
    return result;
}

int DeviceChannel::TransactFast(std::span<const uint8_t> request, std::span<uint8_t> reply,
                                size_t& bytesRead) {
    bytesRead = 0;
    if (!m_open) return RESULT_CLOSED;

    Report out = PadRequest(request);
    {
        std::lock_guard io(m_ioLock);
        size_t written = 0;
        if (!m_wired.Write(out.data(), out.size(), &written, kTimeoutCableMs)) {
            return RESULT_WRITE_FAILED;
        }
    }
    Report in{};
    bool read = false;
    {
        std::lock_guard io(m_ioLock);
        read = m_wired.Read(in.data(), in.size(), &bytesRead, kTimeoutCableMs);
    }
    CopyReply(in, reply);
    return read ? RESULT_OK : RESULT_CLOSED;
}

std::unique_lock<std::mutex> DeviceChannel::TakeLock(PacketLock lock) {
    switch (lock) {
        case PacketLock::Command:
            return std::unique_lock(m_commandLock);
        case PacketLock::Lighting:
            return std::unique_lock(m_lightingLock);
        case PacketLock::None:
            break;
    }
    return {};
}

int DeviceChannel::ExchangePacket(Report& request, Report& reply, PacketLock lock,
                                  Transport transport) {
    StampChecksum(request);
    int result;
    {
        auto guard = TakeLock(lock);
        size_t bytesRead = 0;
        result = transport == Transport::Fast ? TransactFast(request, reply, bytesRead)
                                              : Transact(request, reply, bytesRead);
    }
    if (result != RESULT_OK) return result;
    if (reply[kOffsetStatus] == kStatusErrorFF) return RESULT_DEVICE_ERROR_FF;
    if (reply[kOffsetStatus] == kStatusErrorFE) return RESULT_DEVICE_ERROR_FE;
    return RESULT_OK;
}

// The request buffer is reused without clearing: a shorter last chunk carries the tail of the
// one before it, and the checksum covers those bytes as sent. Devices accept this.
int DeviceChannel::ChunkedWrite(uint8_t command, std::span<const uint8_t> source, uint32_t base,
                                size_t chunkSize, PacketLock lock) {
    Report request = NewRequest(command);
    for (size_t p = 0; p < source.size(); p += chunkSize) {
        size_t length = std::min(chunkSize, source.size() - p);
        AddressChunk(request, length, base + static_cast<uint32_t>(p));
        std::copy_n(source.begin() + p, length, request.begin() + kOffsetData);
        Report reply{};
        int result = ExchangePacket(request, reply, lock);
        if (result != RESULT_OK) return result;
    }
    return RESULT_OK;
}

int DeviceChannel::ChunkedRead(uint8_t command, std::span<uint8_t> target, uint32_t base,
                               PacketLock lock) {
    const size_t chunkSize = m_chunkSize;
    Report request = NewRequest(command);
    for (size_t p = 0; p < target.size(); p += chunkSize) {
        size_t length = std::min(chunkSize, target.size() - p);
        AddressChunk(request, length, base + static_cast<uint32_t>(p));
        Report reply{};
        int result = ExchangePacket(request, reply, lock);
        if (result != RESULT_OK) return result;
        std::copy_n(reply.begin() + kOffsetData, length, target.begin() + p);
    }
    return RESULT_OK;
}

}  // namespace vestra::protocol
