// The command channel of a device: 64-byte reports over the cable or the receiver, with locks.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "device/protocol/DeviceInfo.h"
#include "device/protocol/ProtocolConstants.h"
#include "device/protocol/Report.h"
#include "device/protocol/ResultCode.h"
#include "hid/HidInterface.h"

namespace vestra::protocol {

// Connection types the device manager passes to SetConnectionType.
inline constexpr int kConnectionCable = 1;
inline constexpr int kConnectionReceiver = 2;

// Every operation returns a ResultCode (RESULT_OK on success) unless noted. Commands may be
// issued from several threads at once: configuration commands hold the command lock for each
// packet, the lighting commands the lighting lock, and the transport holds the I/O lock only
// around one write and around one read sequence. Lock order: command or lighting lock, then
// the I/O lock.
class DeviceChannel {
public:
    DeviceChannel();  // both handles use HidBackend::Default()
    explicit DeviceChannel(hid::HidBackend& backend);
    DeviceChannel(const DeviceChannel&) = delete;
    DeviceChannel& operator=(const DeviceChannel&) = delete;

    // The device manager opens and closes these under IoLock(), then calls SetOpen and
    // SetConnectionType. The receiver listen lock guards the receiver handle of a listening
    // channel while it is opened or closed.
    hid::HidInterface& WiredHandle() { return m_wired; }
    hid::HidInterface& ReceiverHandle() { return m_receiver; }
    std::mutex& IoLock() { return m_ioLock; }
    std::mutex& ReceiverListenLock() { return m_receiverListenLock; }
    // No command is sent while the channel is not open.
    void SetOpen(bool open) { m_open = open; }
    bool IsOpen() const { return m_open; }

    // 2 selects the receiver (24-byte chunks, 5000 ms time-outs); anything else the cable
    // (56-byte chunks, 1000 ms).
    void SetConnectionType(int type);
    bool IsReceiverMode() const { return m_receiverMode; }
    size_t ChunkSize() const { return m_chunkSize; }
    // The configuration block length (key table bytes); false and unchanged above 512.
    bool SetBlockSize(uint16_t size);
    uint16_t BlockSize() const { return m_blockSize; }

    // True while any Transact runs; the light stream drops frames instead of waiting.
    bool ExchangeInProgress() const { return m_exchanges > 0; }
    // Set while synchronised lighting drives the device's colours; the device's own lighting
    // thread skips its steps meanwhile. The channel itself does not read it.
    void SetLightingHold(bool hold) { m_lightingHold = hold; }
    bool LightingHold() const { return m_lightingHold; }

    // One request/reply exchange on the active transport. The request is padded or cut to 64
    // bytes; the reply (up to reply.size() bytes) is the one whose command byte matches,
    // skipping at most one other report. bytesRead is the length of the last report read.
    int Transact(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t& bytesRead);
    // The light-frame exchange: cable only, no reply matching, no trace, no busy flag.
    int TransactFast(std::span<const uint8_t> request, std::span<uint8_t> reply, size_t& bytesRead);

    // The command set.
    int BeginConfig();
    int EndConfig();  // pauses 10 ms first so the device has finished the last write
    int HostLightControl();
    int ReadInfo(DeviceInfo& info);
    int ReadSettings(std::span<uint8_t> target, uint16_t base);
    int WriteSettings(std::span<const uint8_t> source, uint16_t base);
    // Block-size bytes of the key table; only page 0 can be written.
    int ReadKeyMap(std::span<uint8_t, kMaxBlockSize> target);
    int WriteKeyMap(std::span<const uint8_t, kMaxBlockSize> source, uint32_t page);
    // Block size / 3 bytes: one LED index per key slot.
    int ReadKeyLeds(std::span<uint8_t, kMaxBlockSize> target);
    // A light frame into custom colour group `group` (address group * stride + position).
    int WriteCustomLight(std::span<const uint8_t> frame, uint8_t group,
                         uint16_t stride = kCustomLightStride);
    // A host-computed frame. Chunks are dropped (and count as delivered) while another
    // exchange runs, and always through the receiver.
    int StreamLight(std::span<const uint8_t> frame);
    int WriteMacros(std::span<const uint8_t> image);
    // 56-byte chunks on either transport, without taking a lock.
    int WriteShoot(std::span<const uint8_t> image);
    // One packet: at most 56 bytes; a larger target is refused with RESULT_WRITE_FAILED and
    // nothing is sent.
    int ReadStatus(std::span<uint8_t> target, uint16_t address);
    // True on the cable without traffic; through the receiver true only when the device
    // answers that it is reachable.
    bool QueryLink();

private:
    enum class PacketLock { Command, Lighting, None };
    enum class Transport { Checked, Fast };

    std::unique_lock<std::mutex> TakeLock(PacketLock lock);
    // The single-packet exchange: checksum, lock, transact, then the reply's status byte.
    int ExchangePacket(Report& request, Report& reply, PacketLock lock,
                       Transport transport = Transport::Checked);
    int ChunkedWrite(uint8_t command, std::span<const uint8_t> source, uint32_t base,
                     size_t chunkSize, PacketLock lock);
    int ChunkedRead(uint8_t command, std::span<uint8_t> target, uint32_t base, PacketLock lock);
    int SimpleCommand(uint8_t command);

    std::atomic<uint16_t> m_blockSize{kMaxBlockSize};
    std::atomic<int> m_exchanges{0};
    std::atomic<bool> m_open{false};
    std::atomic<bool> m_lightingHold{false};
    hid::HidInterface m_wired;
    hid::HidInterface m_receiver;
    std::mutex m_ioLock;
    std::mutex m_receiverListenLock;
    std::mutex m_commandLock;
    std::mutex m_lightingLock;
    std::atomic<bool> m_receiverMode{false};
    std::atomic<uint8_t> m_chunkSize{kChunkReceiver};
};

}  // namespace vestra::protocol
