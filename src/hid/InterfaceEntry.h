// One row of the supported-interface table, and the runtime slot or probe made from it.
#pragma once

#include <cstdint>
#include <string>

namespace vestra::hid {

// Which product an interface belongs to and over which link it is reached. The receiver codes
// (9, 6) name the same keyboard or mouse as the cable codes (1, 2) when it talks through its
// 2.4 GHz receiver, which enumerates as a USB device of its own.
enum class ProductCode : uint16_t {
    None = 0,  // a probe that no table row has claimed yet
    Keyboard = 1,
    Mouse = 2,
    MousePad = 3,
    MouseReceiver = 6,
    Headset = 7,
    KeyboardReceiver = 9,
};

enum class InterfaceRole : uint16_t {
    Configuration = 0,   // carries the 64-byte command reports
    Notification = 255,  // the consumer-control collection through which the device reports events
};

inline bool IsReceiver(ProductCode code) {
    return code == ProductCode::KeyboardReceiver || code == ProductCode::MouseReceiver;
}

struct InterfaceEntry {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t interfaceNumber = 0;   // the value after "&mi_" in the device path
    uint16_t collectionNumber = 0;  // the value after "&col"; 0 when the path has none
    ProductCode productCode = ProductCode::None;
    InterfaceRole role = InterfaceRole::Configuration;
    bool connected = false;  // runtime: an interface is present and holds this slot
    uint16_t usagePage = 0;  // of the top-level collection
    uint16_t usage = 0;
    bool hasPartner = false;    // the product can also be reached over its other link
    uint16_t partnerIndex = 0;  // row with the same role on the other link
    std::string devicePath;     // runtime: the path that holds the slot; empty when free
};

}  // namespace vestra::hid
