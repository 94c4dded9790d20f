// The emulated USB products and the peripherals behind them: names, USB identities, collections.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace vestra::emulator {

// A USB product as the host sees it. The receivers are products of their own: a keyboard or
// mouse can be reached over its cable, over its receiver, or both.
enum class Product { Keyboard, KeyboardReceiver, Mouse, MouseReceiver, Pad, Headset };

// The device that holds the firmware and memory; a receiver only relays to its peripheral.
enum class Peripheral { Keyboard, Mouse, Pad, Headset };

inline constexpr Product kAllProducts[] = {Product::Keyboard, Product::KeyboardReceiver,
                                           Product::Mouse,    Product::MouseReceiver,
                                           Product::Pad,      Product::Headset};
inline constexpr Peripheral kAllPeripherals[] = {Peripheral::Keyboard, Peripheral::Mouse,
                                                 Peripheral::Pad, Peripheral::Headset};

struct ProductIdentity {
    std::string_view name;  // as --demo lists it and as the emulator's paths carry it
    uint16_t vendorId;
    uint16_t productId;
    uint16_t releaseNumber;  // bcdDevice
    uint8_t interfaceNumber;
    Peripheral peripheral;
    bool isReceiver;
    // 0-based indexes of the collections carrying the commands and the notifications; the
    // headset's single collection carries both.
    int configCollection;
    int notifyCollection;
};

const ProductIdentity& IdentityOf(Product product);
std::optional<Product> ProductFromName(std::string_view name);
std::string_view PeripheralName(Peripheral peripheral);

}  // namespace vestra::emulator
