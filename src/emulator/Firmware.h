// The firmware of one emulated peripheral: carries out command packets against its memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "emulator/DeviceMemory.h"
#include "emulator/ProductTable.h"
#include "emulator/WireRecords.h"

namespace vestra::emulator {

// The path a packet came over: the USB cable or the receiver's radio link.
enum class Link { Cable, Radio };

// Reply status bytes. Any request that fails leaves the memory as it was.
inline constexpr uint8_t kStatusOk = 0x00;
// The command is refused: unknown to this peripheral, an address range outside its memory
// region, a configuration write outside a begin/end bracket, or staging memory exhausted.
inline constexpr uint8_t kStatusRefused = 0xFF;
// The packet is malformed: bad checksum or a data length above 56.
inline constexpr uint8_t kStatusBadPacket = 0xFE;

// Plain sum of bytes 3..63 of a 64-byte report.
uint16_t PacketChecksum(const CommandPacket& packet);

class Firmware {
public:
    explicit Firmware(Peripheral peripheral);

    Peripheral Kind() const { return m_kind; }
    DeviceMemory& Memory() { return m_memory; }
    const DeviceMemory& Memory() const { return m_memory; }

    // Carries out one request and returns the reply: command, length and address echoed, the
    // status in byte 7, read data from byte 8, checksum stamped. Configuration writes (0x06,
    // 0x09, 0x15, 0x17) are staged and take effect, in order, at the end bracket (0x02); the
    // light commands (0x0B, 0x12, 0x1C) act at once. Reads see committed memory only.
    CommandPacket Execute(const CommandPacket& request, Link link);

    // The headset chip's LED register report; false when it is not one.
    bool WriteLedRegisters(std::span<const uint8_t> report);

    // The link that opened the bracket went away: its staged writes are lost.
    void AbortBracket(Link link);
    bool BracketOpen() const { return m_bracketLink.has_value(); }

    // The user pressing the profile button: slot byte at address 0 becomes slot (0-3). With an
    // extra value, the mouse's selected DPI stage (0-3) of that page or the keyboard-style
    // record's byte 18 (0-15) is set as well.
    bool SelectProfile(int slot, std::optional<int> extra);
    void SetPower(uint8_t batteryPercent, uint8_t powerState);
    void SetPhoneType(uint8_t phoneType);

private:
    struct StagedWrite {
        Region region;
        size_t address;
        std::vector<uint8_t> bytes;
    };

    uint8_t Run(const CommandPacket& request, Link link, CommandPacket& reply);
    uint8_t Transfer(const CommandPacket& request, CommandPacket& reply);
    void Commit();

    Peripheral m_kind;
    DeviceMemory m_memory;
    std::optional<Link> m_bracketLink;
    std::vector<StagedWrite> m_staged;
    size_t m_stagedBytes = 0;
};

}  // namespace vestra::emulator
