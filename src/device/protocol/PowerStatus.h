// The power status block (command 0x1A at address 0): battery, charge state, link, phone.
#pragma once

#include <cstdint>
#include <span>

#include "device/protocol/ProtocolConstants.h"

namespace vestra::protocol {

enum class PowerState : uint8_t { Powered = 0, Charging = 1, OnBattery = 2 };
enum class PhoneType : uint8_t { None = 0, IPhone = 1, Samsung = 2, Other = 3 };
enum class LinkKind { Cable, Receiver };

#pragma pack(push, 1)
struct PowerStatus {
    uint8_t batteryPercent;  // 0
    uint8_t powerState;      // 1: 0 powered, 1 charging, 2 on battery
    uint8_t reserved2;
    uint8_t wireless;     // 3: the device's value is replaced by the host's link (1 receiver)
    uint8_t windowParam;  // 4: first parameter of window message 0x0D01
    uint8_t phoneType;    // 5: mouse pad phone charger: 1 iPhone, 2 Samsung, 3 other

    // Sets byte 3 from the channel's link, as the host does before using the block.
    void MarkLink(LinkKind link) { wireless = link == LinkKind::Receiver ? 1 : 0; }
    // Any value but 1-3 means no phone is attached.
    PhoneType Phone() const {
        return phoneType >= 1 && phoneType <= 3 ? static_cast<PhoneType>(phoneType)
                                                : PhoneType::None;
    }

    std::span<uint8_t> Bytes() { return {reinterpret_cast<uint8_t*>(this), sizeof *this}; }
    std::span<const uint8_t> Bytes() const {
        return {reinterpret_cast<const uint8_t*>(this), sizeof *this};
    }
};
#pragma pack(pop)
static_assert(sizeof(PowerStatus) == kPowerStatusSize);

}  // namespace vestra::protocol
