// Test side of the emulator: raw 64-byte command packets built by hand, and a host handle that
// sends them to one product and reads what comes back.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "emulator/EmulatedHidBackend.h"

namespace vestra::emulator::test {

using Packet = std::array<uint8_t, 64>;

// A fresh emulator with these products plugged in.
std::shared_ptr<EmulatedHidBackend> WithProducts(std::initializer_list<Product> products);

// Report id 4, command, length, address little-endian, data from byte 8, checksum over 3..63.
Packet Request(uint8_t command, uint8_t length = 0, uint16_t address = 0,
               std::span<const uint8_t> data = {});
uint16_t Checksum(const Packet& packet);
void Restamp(Packet& packet);

// An open handle on one collection of a plugged product (the command collection by default).
class RawHost {
public:
    RawHost(EmulatedHidBackend& backend, Product product, std::optional<int> collection = {});

    bool IsOpen() const { return m_device != nullptr; }
    hid::HidDevice& Device() { return *m_device; }

    bool Send(const Packet& packet);
    // The next input report of the collection, or nothing within the time-out.
    std::optional<std::vector<uint8_t>> Receive(int timeoutMs = 1000);
    // Send, then the next report as a packet; nothing when either step fails.
    std::optional<Packet> Exchange(const Packet& request, int timeoutMs = 1000);

    // Chunked transfers as a host makes them: one exchange per chunk, every reply checked for
    // the echoed command and status 0. Empty on the first failure.
    std::optional<std::vector<uint8_t>> ReadRange(uint8_t command, uint16_t address, size_t total,
                                                  size_t chunk);
    bool WriteRange(uint8_t command, uint16_t address, std::span<const uint8_t> bytes,
                    size_t chunk);

private:
    std::shared_ptr<hid::HidDevice> m_device;
};

}  // namespace vestra::emulator::test
