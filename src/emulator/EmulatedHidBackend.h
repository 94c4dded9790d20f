// An HID backend whose devices are emulated products: firmware, memory, receivers and faults.
#pragma once

#include <json/value.h>

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "emulator/DeviceMemory.h"
#include "emulator/FaultPlan.h"
#include "emulator/Firmware.h"
#include "emulator/ProductTable.h"
#include "hid/HidBackend.h"

namespace vestra::emulator {

class EmulatedEndpoint;

enum class PowerState : uint8_t { Powered = 0, Charging = 1, OnBattery = 2 };

// Paths look like "emu:keyboard#vid_320f&pid_1000&mi_01&col04" (no "&col" for the headset's
// single collection). Open handles keep the backend alive; they fail once their product is
// unplugged. All members are thread-safe.
class EmulatedHidBackend final : public hid::HidBackend,
                                 public std::enable_shared_from_this<EmulatedHidBackend> {
    struct Token {};

public:
    // Every peripheral with its factory memory; no product plugged in.
    static std::shared_ptr<EmulatedHidBackend> Create();
    explicit EmulatedHidBackend(Token);
    ~EmulatedHidBackend() override;

    bool Enumerate(std::vector<std::string>& paths) override;
    std::shared_ptr<hid::HidDevice> Open(const std::string& path, hid::HidAccess access,
                                         hid::HidSharing sharing) override;

    // The user at the desk. Unplugging ends the product's open handles and loses what a
    // bracket opened over it had staged; the peripheral's memory stays.
    void Plug(Product product);
    void Unplug(Product product);
    bool IsPlugged(Product product) const;
    // A sleeping keyboard or mouse no longer answers through its receiver, which replies to
    // every command with its own link report instead. The cable is not affected.
    void SetAsleep(Peripheral peripheral, bool asleep);
    bool IsAsleep(Peripheral peripheral) const;
    // Sends a consumer-control usage on the notification collection of every product through
    // which the peripheral is reachable; false when there is none.
    bool Notify(Peripheral peripheral, uint16_t usage);
    // 0x0401: the device asks the host to read its settings again.
    bool RequestSync(Peripheral peripheral);
    // The profile button: the slot byte changes and 0x10s (or, with an extra value, 0x11es: the
    // mouse's DPI stage or the keyboard's byte 18) is sent. False for a slot or extra out of
    // range.
    bool SwitchProfile(Peripheral peripheral, int slot, std::optional<int> extra = std::nullopt);
    void SetPower(Peripheral peripheral, uint8_t batteryPercent, PowerState state);
    // Phone on the pad's charger: 0 none, 1 iPhone, 2 Samsung, 3 other.
    void SetPhoneType(uint8_t phoneType);

    void SetFaults(Product product, const FaultPlan& faults);
    FaultPlan Faults(Product product) const;

    // Copies for inspection, and a way to preset memory.
    DeviceMemory Memory(Peripheral peripheral) const;
    void SetMemory(Peripheral peripheral, const DeviceMemory& memory);
    bool BracketOpen(Peripheral peripheral) const;

    // The persistent state: every peripheral's memory and sleep flag (not what is plugged in,
    // nor faults). LoadState changes nothing unless the whole document is valid.
    Json::Value SaveState() const;
    bool LoadState(const Json::Value& state, std::string& error);

    // Used by the endpoints: an output report written on one of them. False when the product
    // is gone or the report does not belong to the handle's collection.
    bool TakeOutput(const EmulatedEndpoint& from, std::span<const uint8_t> report);

private:
    struct OpenHandle {
        std::weak_ptr<EmulatedEndpoint> endpoint;
        int collection;
        bool exclusive;
    };
    struct ProductState {
        bool plugged = false;
        FaultPlan faults;
        std::vector<OpenHandle> handles;  // pruned of dropped ones as they are met
    };
    struct PeripheralState {
        Firmware firmware;
        bool asleep = false;
    };

    bool TakeCommand(Product product, std::span<const uint8_t> report);
    void UnplugLocked(Product product);
    void DeliverLocked(Product product, int collection, std::span<const uint8_t> report,
                       uint64_t dueMs);
    bool Reachable(Product product) const;
    ProductState& StateOf(Product product) { return m_products[static_cast<int>(product)]; }
    const ProductState& StateOf(Product product) const {
        return m_products[static_cast<int>(product)];
    }
    PeripheralState& StateOf(Peripheral peripheral) {
        return m_peripherals[static_cast<int>(peripheral)];
    }
    const PeripheralState& StateOf(Peripheral peripheral) const {
        return m_peripherals[static_cast<int>(peripheral)];
    }

    mutable std::mutex m_mutex;
    std::array<ProductState, std::size(kAllProducts)> m_products;
    std::vector<PeripheralState> m_peripherals;
};

}  // namespace vestra::emulator
