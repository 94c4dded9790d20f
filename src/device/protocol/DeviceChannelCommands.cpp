// The command set of DeviceChannel: one operation per command byte.
#include <algorithm>
#include <chrono>
#include <thread>

#include "device/protocol/DeviceChannel.h"
#include "platform/DebugLog.h"

namespace vestra::protocol {

int DeviceChannel::SimpleCommand(uint8_t command) {
    Report request = NewRequest(command);
    Report reply{};
    return ExchangePacket(request, reply, PacketLock::Command);
}

int DeviceChannel::BeginConfig() {
    return SimpleCommand(CMD_BEGIN_CONFIG);
}

int DeviceChannel::EndConfig() {
    // The device applies the bracketed writes at this command; it needs a moment after the
    // last one.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return SimpleCommand(CMD_END_CONFIG);
}

int DeviceChannel::HostLightControl() {
    return SimpleCommand(CMD_HOST_LIGHT_CONTROL);
}

int DeviceChannel::ReadInfo(DeviceInfo& info) {
    return ChunkedRead(CMD_READ_INFO, info.Bytes(), 0, PacketLock::Command);
}

int DeviceChannel::ReadSettings(std::span<uint8_t> target, uint16_t base) {
    return ChunkedRead(CMD_READ_SETTINGS, target, base, PacketLock::Command);
}

int DeviceChannel::WriteSettings(std::span<const uint8_t> source, uint16_t base) {
    return ChunkedWrite(CMD_WRITE_SETTINGS, source, base, m_chunkSize, PacketLock::Command);
}

int DeviceChannel::ReadKeyMap(std::span<uint8_t, kMaxBlockSize> target) {
    return ChunkedRead(CMD_READ_KEYMAP, target.first(BlockSize()), 0, PacketLock::Command);
}

int DeviceChannel::WriteKeyMap(std::span<const uint8_t, kMaxBlockSize> source, uint32_t page) {
    if (page != 0) return RESULT_BAD_PAGE;
    return ChunkedWrite(CMD_WRITE_KEYMAP, source.first(BlockSize()), 0, m_chunkSize,
                        PacketLock::Command);
}

int DeviceChannel::ReadKeyLeds(std::span<uint8_t, kMaxBlockSize> target) {
    return ChunkedRead(CMD_READ_KEY_LEDS, target.first(BlockSize() / kKeyCodeSize), 0,
                       PacketLock::Command);
}

int DeviceChannel::WriteCustomLight(std::span<const uint8_t> frame, uint8_t group,
                                    uint16_t stride) {
    return ChunkedWrite(CMD_WRITE_CUSTOM_LIGHT, frame, uint32_t{group} * stride, m_chunkSize,
                        PacketLock::Lighting);
}

int DeviceChannel::StreamLight(std::span<const uint8_t> frame) {
    const size_t chunkSize = m_chunkSize;
    Report request = NewRequest(CMD_STREAM_LIGHT);
    for (size_t p = 0; p < frame.size(); p += chunkSize) {
        size_t length = std::min(chunkSize, frame.size() - p);
        AddressChunk(request, length, static_cast<uint32_t>(p));
        std::copy_n(frame.begin() + p, length, request.begin() + kOffsetData);
        // Frames are never queued. None go through the receiver, and one that waited for a
        // running exchange would be stale by the time it went out.
        if (m_receiverMode) continue;
        if (ExchangeInProgress()) {
            DebugLog::Write("放弃灯光数据");
            continue;
        }
        Report reply{};
        int result = ExchangePacket(request, reply, PacketLock::Lighting, Transport::Fast);
        if (result != RESULT_OK) return result;
    }
    return RESULT_OK;
}

int DeviceChannel::WriteMacros(std::span<const uint8_t> image) {
    return ChunkedWrite(CMD_WRITE_MACROS, image, 0, m_chunkSize, PacketLock::Command);
}

int DeviceChannel::WriteShoot(std::span<const uint8_t> image) {
    return ChunkedWrite(CMD_WRITE_SHOOT, image, 0, kChunkCable, PacketLock::None);
}

int DeviceChannel::ReadStatus(std::span<uint8_t> target, uint16_t address) {
    if (target.size() > kMaxDataPerPacket) return RESULT_WRITE_FAILED;
    Report request = NewRequest(CMD_READ_STATUS);
    AddressChunk(request, target.size(), address);
    Report reply{};
    int result = ExchangePacket(request, reply, PacketLock::Command);
    if (result != RESULT_OK) return result;
    std::copy_n(reply.begin() + kOffsetData, target.size(), target.begin());
    return RESULT_OK;
}

bool DeviceChannel::QueryLink() {
    if (!m_receiverMode) return true;
    Report request = NewRequest(CMD_LINK_QUERY);
    Report reply{};
    return ExchangePacket(request, reply, PacketLock::Command) == RESULT_OK &&
           reply[kOffsetData] == kLinkUp;
}

}  // namespace vestra::protocol
