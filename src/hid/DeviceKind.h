// Device kinds and the per-kind table from which a device's tab and page are built.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "hid/InterfaceEntry.h"

namespace vestra::hid {

// A product regardless of the link it is reached over; the values are the cable product codes.
enum class DeviceKind : uint16_t {
    Keyboard = 1,
    Mouse = 2,
    MousePad = 3,
    Headset = 7,
};

// Folds the receiver codes into their product: 9 -> keyboard, 6 -> mouse. ProductCode::None
// gives no kind.
std::optional<DeviceKind> KindOf(ProductCode code);

struct DeviceKindRow {
    std::string_view tabLayout;
    std::string_view tabGroup;
    std::string_view powerContainer;  // where the kind's power display is added
    std::string_view kindName;        // names the kind's data folder and its tab
    int modelIndex;                   // entry of the per-model lists in the configuration files
    uint16_t vendorId;
    uint16_t productId;  // of the cable product
    ProductCode productCode;
    InterfaceRole role;
    std::string_view pageLayout;
    std::string_view lightSettingsName;  // base name of the device's light settings file
    int lightingEntryCount;              // per-key or per-zone lighting entries
    int keyButtonCount;                  // key buttons on the page
    bool wireless;  // battery powered: shows its power display, asked for its link on a switch
    int reservedValue;
};

inline constexpr size_t kDeviceKindRowCount = 4;

// The rows in the order mouse, keyboard, mouse pad, headset.
std::span<const DeviceKindRow, kDeviceKindRowCount> DeviceKinds();

// First row whose vendor, product, product code and role all match; -1 when none does.
int FindKindRow(uint16_t vendorId, uint16_t productId, ProductCode code, InterfaceRole role);

}  // namespace vestra::hid
