// Answers command reports like a device: echoes command, length and address, adds a status
// byte and, for reads, data from per-command memory.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

#include "support/ScriptedHidDevice.h"

namespace vestra::test {

class FakeFirmware {
public:
    // Installs itself as the device's answer to every report with id 4.
    explicit FakeFirmware(ScriptedHidDevice& device);

    // What a read command (0x03, 0x05, 0x07, 0x1A, 0x1B) returns, from address 0.
    void SetMemory(uint8_t command, std::vector<uint8_t> bytes);
    // The status byte of the n-th request from now on (0-based); the others get 0.
    void SetStatusOfRequest(size_t n, uint8_t status);
    // Byte 8 of the link query reply (0xFF: the wireless device is reachable).
    void SetLinkByte(uint8_t value);
    // While false, requests get no answer at all.
    void SetAnswering(bool on);
    // Answers with this command byte instead of the request's (0: echo).
    void SetReplyCommand(uint8_t command);

private:
    std::vector<ScriptedHidDevice::Report> Answer(std::span<const uint8_t> request);

    std::mutex m_mutex;
    std::map<uint8_t, std::vector<uint8_t>> m_memory;
    std::map<size_t, uint8_t> m_status;
    size_t m_requests = 0;
    uint8_t m_linkByte = 0xFF;
    bool m_answering = true;
    uint8_t m_replyCommand = 0;
};

}  // namespace vestra::test
