#include "emulator/ReportDescriptors.h"

#include <algorithm>
#include <array>

#include "device/protocol/ProtocolConstants.h"

namespace vestra::emulator {
namespace {

template <size_t... N>
constexpr auto Concat(const std::array<uint8_t, N>&... parts) {
    std::array<uint8_t, (N + ...)> out{};
    size_t at = 0;
    ((std::copy(parts.begin(), parts.end(), out.begin() + at), at += N), ...);
    return out;
}

// Every collection carries a report id because the interfaces hold several collections.
// clang-format off

// Boot-style keyboard: modifier bits, a reserved byte, six key usages; five LED bits out.
constexpr std::array<uint8_t, 65> KeyboardCollection(uint8_t reportId) {
    return {
        0x05, 0x01,        // Usage Page (Generic Desktop)
        0x09, 0x06,        // Usage (Keyboard)
        0xA1, 0x01,        // Collection (Application)
        0x85, reportId,    //   Report ID
        0x05, 0x07,        //   Usage Page (Keyboard)
        0x19, 0xE0,        //   Usage Minimum (Left Control)
        0x29, 0xE7,        //   Usage Maximum (Right GUI)
        0x15, 0x00,        //   Logical Minimum (0)
        0x25, 0x01,        //   Logical Maximum (1)
        0x75, 0x01,        //   Report Size (1)
        0x95, 0x08,        //   Report Count (8)
        0x81, 0x02,        //   Input (Data, Variable, Absolute)
        0x95, 0x01,        //   Report Count (1)
        0x75, 0x08,        //   Report Size (8)
        0x81, 0x01,        //   Input (Constant)
        0x95, 0x05,        //   Report Count (5)
        0x75, 0x01,        //   Report Size (1)
        0x05, 0x08,        //   Usage Page (LEDs)
        0x19, 0x01,        //   Usage Minimum (Num Lock)
        0x29, 0x05,        //   Usage Maximum (Kana)
        0x91, 0x02,        //   Output (Data, Variable, Absolute)
        0x95, 0x01,        //   Report Count (1)
        0x75, 0x03,        //   Report Size (3)
        0x91, 0x01,        //   Output (Constant)
        0x95, 0x06,        //   Report Count (6)
        0x75, 0x08,        //   Report Size (8)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x05, 0x07,        //   Usage Page (Keyboard)
        0x19, 0x00,        //   Usage Minimum (0)
        0x2A, 0xFF, 0x00,  //   Usage Maximum (255)
        0x81, 0x00,        //   Input (Data, Array, Absolute)
        0xC0,              // End Collection
    };
}

// Power down, sleep and wake-up buttons.
constexpr std::array<uint8_t, 27> SystemCollection(uint8_t reportId) {
    return {
        0x05, 0x01,        // Usage Page (Generic Desktop)
        0x09, 0x80,        // Usage (System Control)
        0xA1, 0x01,        // Collection (Application)
        0x85, reportId,    //   Report ID
        0x19, 0x81,        //   Usage Minimum (System Power Down)
        0x29, 0x83,        //   Usage Maximum (System Wake Up)
        0x15, 0x00,        //   Logical Minimum (0)
        0x25, 0x01,        //   Logical Maximum (1)
        0x75, 0x01,        //   Report Size (1)
        0x95, 0x03,        //   Report Count (3)
        0x81, 0x02,        //   Input (Data, Variable, Absolute)
        0x95, 0x05,        //   Report Count (5)
        0x81, 0x01,        //   Input (Constant)
        0xC0,              // End Collection
    };
}

// Five buttons, 16-bit relative X and Y, an 8-bit wheel.
constexpr std::array<uint8_t, 66> MouseCollection(uint8_t reportId) {
    return {
        0x05, 0x01,        // Usage Page (Generic Desktop)
        0x09, 0x02,        // Usage (Mouse)
        0xA1, 0x01,        // Collection (Application)
        0x85, reportId,    //   Report ID
        0x09, 0x01,        //   Usage (Pointer)
        0xA1, 0x00,        //   Collection (Physical)
        0x05, 0x09,        //     Usage Page (Button)
        0x19, 0x01,        //     Usage Minimum (1)
        0x29, 0x05,        //     Usage Maximum (5)
        0x15, 0x00,        //     Logical Minimum (0)
        0x25, 0x01,        //     Logical Maximum (1)
        0x75, 0x01,        //     Report Size (1)
        0x95, 0x05,        //     Report Count (5)
        0x81, 0x02,        //     Input (Data, Variable, Absolute)
        0x95, 0x01,        //     Report Count (1)
        0x75, 0x03,        //     Report Size (3)
        0x81, 0x01,        //     Input (Constant)
        0x05, 0x01,        //     Usage Page (Generic Desktop)
        0x09, 0x30,        //     Usage (X)
        0x09, 0x31,        //     Usage (Y)
        0x16, 0x01, 0x80,  //     Logical Minimum (-32767)
        0x26, 0xFF, 0x7F,  //     Logical Maximum (32767)
        0x75, 0x10,        //     Report Size (16)
        0x95, 0x02,        //     Report Count (2)
        0x81, 0x06,        //     Input (Data, Variable, Relative)
        0x09, 0x38,        //     Usage (Wheel)
        0x15, 0x81,        //     Logical Minimum (-127)
        0x25, 0x7F,        //     Logical Maximum (127)
        0x75, 0x08,        //     Report Size (8)
        0x95, 0x01,        //     Report Count (1)
        0x81, 0x06,        //     Input (Data, Variable, Relative)
        0xC0,              //   End Collection
        0xC0,              // End Collection
    };
}

constexpr std::array<uint8_t, 6> kOpenConsumerCollection = {
    0x05, 0x0C,        // Usage Page (Consumer)
    0x09, 0x01,        // Usage (Consumer Control)
    0xA1, 0x01,        // Collection (Application)
};

constexpr std::array<uint8_t, 7> kOpenVendorCollection = {
    0x06, 0x1C, 0xFF,  // Usage Page (0xFF1C, vendor-defined)
    0x09, 0x92,        // Usage (0x92)
    0xA1, 0x01,        // Collection (Application)
};

constexpr std::array<uint8_t, 1> kEndCollection = {0xC0};

// One consumer usage of 16 bits as an array item: media keys, and the device's own
// notifications (0x0401 sync request, 0x10xx and 0x11xx profile changes).
constexpr std::array<uint8_t, 18> kConsumerItems = {
    0x85, kNotifyReportId,  // Report ID
    0x19, 0x00,             // Usage Minimum (0)
    0x2A, 0xFF, 0x7F,       // Usage Maximum (0x7FFF)
    0x15, 0x00,             // Logical Minimum (0)
    0x26, 0xFF, 0x7F,       // Logical Maximum (0x7FFF)
    0x75, 0x10,             // Report Size (16)
    0x95, 0x01,             // Report Count (1)
    0x81, 0x00,             // Input (Data, Array, Absolute)
};

// Report id 4 both ways with 63 data bytes: the command channel.
constexpr std::array<uint8_t, 22> kCommandItems = {
    0x85, protocol::kReportId,  // Report ID
    0x06, 0x1C, 0xFF,           // Usage Page (0xFF1C)
    0x09, 0x01,                 // Usage (0x01)
    0x15, 0x00,                 // Logical Minimum (0)
    0x26, 0xFF, 0x00,           // Logical Maximum (255)
    0x75, 0x08,                 // Report Size (8)
    0x95, 0x3F,                 // Report Count (63)
    0x81, 0x02,                 // Input (Data, Variable, Absolute)
    0x09, 0x02,                 // Usage (0x02)
    0x91, 0x02,                 // Output (Data, Variable, Absolute)
};

// The audio chip's LED colour registers: report id 0xFF, 16 bytes out.
constexpr std::array<uint8_t, 8> kLedRegisterItems = {
    0x85, kLedRegisterReportId,  // Report ID
    0x09, 0x03,                  // Usage (0x03)
    0x95, 0x10,                  // Report Count (16)
    0x91, 0x02,                  // Output (Data, Variable, Absolute)
};

// clang-format on

constexpr auto kKeyboardInterface =
    Concat(KeyboardCollection(1), SystemCollection(2), kOpenConsumerCollection, kConsumerItems,
           kEndCollection, kOpenVendorCollection, kCommandItems, kEndCollection);

constexpr auto kMouseInterface =
    Concat(MouseCollection(1), KeyboardCollection(2), kOpenConsumerCollection, kConsumerItems,
           kEndCollection, kOpenVendorCollection, kCommandItems, kEndCollection);

// The headset's one consumer collection carries the notifications, the commands and the LED
// register report.
constexpr auto kHeadsetInterface = Concat(kOpenConsumerCollection, kConsumerItems, kCommandItems,
                                          kLedRegisterItems, kEndCollection);

}  // namespace

std::span<const uint8_t> ReportDescriptorOf(Product product) {
    switch (IdentityOf(product).peripheral) {
        case Peripheral::Mouse:
            return kMouseInterface;
        case Peripheral::Headset:
            return kHeadsetInterface;
        case Peripheral::Keyboard:
        case Peripheral::Pad:
            break;
    }
    return kKeyboardInterface;
}

int CollectionCountOf(Product product) {
    return IdentityOf(product).peripheral == Peripheral::Headset ? 1 : 4;
}

}  // namespace vestra::emulator
