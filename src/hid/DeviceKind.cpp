#include "hid/DeviceKind.h"

#include <array>

namespace vestra::hid {

namespace {

// Layout paths are relative to the skin folder.
constexpr std::string_view kTabLayout = "XML/CustomControlXML/DeviceOption.xml";
constexpr std::string_view kTabGroup = "tab_header_device";
constexpr std::string_view kPowerContainer = "device_power_switch";
constexpr std::string_view kLightSettings = "kavro_light";
constexpr int kReserved = -1;

constexpr std::array<DeviceKindRow, kDeviceKindRowCount> kKinds = {{
    {kTabLayout, kTabGroup, kPowerContainer, "mouse", 1, 0x320F, 0x2224, ProductCode::Mouse,
     InterfaceRole::Configuration, "XML/DeviceXml/mousedevice.xml", kLightSettings, 0, 11, true,
     kReserved},
    {kTabLayout, kTabGroup, kPowerContainer, "keyboard", 0, 0x320F, 0x1000, ProductCode::Keyboard,
     InterfaceRole::Configuration, "XML/DeviceXml/keyboarddevice.xml", kLightSettings, 170, 170,
     false, kReserved},
    {kTabLayout, kTabGroup, kPowerContainer, "MousePad", 2, 0x320F, 0x1004, ProductCode::MousePad,
     InterfaceRole::Configuration, "XML/DeviceXml/mousepaddevice.xml", kLightSettings, 15, 0, false,
     kReserved},
    {kTabLayout, kTabGroup, kPowerContainer, "HD", 3, 0x0C76, 0x1630, ProductCode::Headset,
     InterfaceRole::Configuration, "XML/DeviceXml/hs6533device.xml", kLightSettings, 13, 0, false,
     kReserved},
}};

}  // namespace

std::optional<DeviceKind> KindOf(ProductCode code) {
    switch (code) {
        case ProductCode::Keyboard:
        case ProductCode::KeyboardReceiver:
            return DeviceKind::Keyboard;
        case ProductCode::Mouse:
        case ProductCode::MouseReceiver:
            return DeviceKind::Mouse;
        case ProductCode::MousePad:
            return DeviceKind::MousePad;
        case ProductCode::Headset:
            return DeviceKind::Headset;
        case ProductCode::None:
            break;
    }
    return std::nullopt;
}

std::span<const DeviceKindRow, kDeviceKindRowCount> DeviceKinds() {
    return kKinds;
}

int FindKindRow(uint16_t vendorId, uint16_t productId, ProductCode code, InterfaceRole role) {
    for (size_t row = 0; row < kKinds.size(); ++row) {
        const DeviceKindRow& kind = kKinds[row];
        if (kind.vendorId == vendorId && kind.productId == productId && kind.productCode == code &&
            kind.role == role) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

}  // namespace vestra::hid
