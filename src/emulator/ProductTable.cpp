#include "emulator/ProductTable.h"

namespace vestra::emulator {
namespace {

// The 0x320F products share one interface layout: collection 1 keys or pointer, 2 system or
// keys, 3 consumer control (notifications), 4 vendor page 0xFF1C (commands).
constexpr ProductIdentity kIdentities[] = {
    {"keyboard", 0x320F, 0x1000, 0x0105, 1, Peripheral::Keyboard, false, 3, 2},
    {"keyboard-receiver", 0x320F, 0x1100, 0x0102, 1, Peripheral::Keyboard, true, 3, 2},
    {"mouse", 0x320F, 0x2224, 0x0107, 1, Peripheral::Mouse, false, 3, 2},
    {"mouse-receiver", 0x320F, 0x223E, 0x0103, 1, Peripheral::Mouse, true, 3, 2},
    {"pad", 0x320F, 0x1004, 0x0101, 1, Peripheral::Pad, false, 3, 2},
    {"headset", 0x0C76, 0x1630, 0x0100, 3, Peripheral::Headset, false, 0, 0},
};

constexpr std::string_view kPeripheralNames[] = {"keyboard", "mouse", "pad", "headset"};

}  // namespace

const ProductIdentity& IdentityOf(Product product) {
    return kIdentities[static_cast<int>(product)];
}

std::optional<Product> ProductFromName(std::string_view name) {
    for (Product product : kAllProducts) {
        if (IdentityOf(product).name == name) return product;
    }
    return std::nullopt;
}

std::string_view PeripheralName(Peripheral peripheral) {
    return kPeripheralNames[static_cast<int>(peripheral)];
}

}  // namespace vestra::emulator
