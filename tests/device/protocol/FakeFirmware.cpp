#include "FakeFirmware.h"

#include "device/protocol/ProtocolConstants.h"

namespace vestra::test {

using namespace vestra::protocol;

FakeFirmware::FakeFirmware(ScriptedHidDevice& device) {
    device.OnWrite(ScriptedHidDevice::ByteEquals(0, kReportId),
                   [this](std::span<const uint8_t> request) { return Answer(request); });
}

void FakeFirmware::SetMemory(uint8_t command, std::vector<uint8_t> bytes) {
    std::lock_guard lock(m_mutex);
    m_memory[command] = std::move(bytes);
}

void FakeFirmware::SetStatusOfRequest(size_t n, uint8_t status) {
    std::lock_guard lock(m_mutex);
    m_status[m_requests + n] = status;
}

void FakeFirmware::SetLinkByte(uint8_t value) {
    std::lock_guard lock(m_mutex);
    m_linkByte = value;
}

void FakeFirmware::SetAnswering(bool on) {
    std::lock_guard lock(m_mutex);
    m_answering = on;
}

void FakeFirmware::SetReplyCommand(uint8_t command) {
    std::lock_guard lock(m_mutex);
    m_replyCommand = command;
}

std::vector<ScriptedHidDevice::Report> FakeFirmware::Answer(std::span<const uint8_t> request) {
    std::lock_guard lock(m_mutex);
    size_t number = m_requests++;
    if (!m_answering || request.size() < kReportSize) return {};

    ScriptedHidDevice::Report reply(kReportSize, 0);
    const uint8_t command = request[kOffsetCommand];
    reply[0] = kReportId;
    reply[kOffsetCommand] = m_replyCommand ? m_replyCommand : command;
    reply[kOffsetLength] = request[kOffsetLength];
    reply[kOffsetAddressLow] = request[kOffsetAddressLow];
    reply[kOffsetAddressHigh] = request[kOffsetAddressHigh];
    if (auto it = m_status.find(number); it != m_status.end()) reply[kOffsetStatus] = it->second;

    if (command == CMD_LINK_QUERY) {
        reply[kOffsetData] = m_linkByte;
    } else if (auto it = m_memory.find(command); it != m_memory.end()) {
        size_t address = request[kOffsetAddressLow] | (request[kOffsetAddressHigh] << 8);
        size_t length = std::min<size_t>(request[kOffsetLength], kMaxDataPerPacket);
        for (size_t i = 0; i < length && address + i < it->second.size(); ++i) {
            reply[kOffsetData + i] = it->second[address + i];
        }
    }
    return {reply};
}

}  // namespace vestra::test
