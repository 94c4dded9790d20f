#include "hid/InterfaceTable.h"

#include <array>
#include <string>

#include "hid/HidInterface.h"

namespace vestra::hid {

namespace {

constexpr uint16_t kVendorMain = 0x320F;
constexpr uint16_t kVendorHeadset = 0x0C76;

// The 0x320F products expose the command interface as the vendor-defined collection 4 of USB
// interface 1 and report events on its consumer-control collection 3.
constexpr uint16_t kCommandPage = 0xFF1C;
constexpr uint16_t kCommandUsage = 0x92;
constexpr uint16_t kConsumerPage = 0x000C;
constexpr uint16_t kConsumerControl = 0x01;

InterfaceEntry Row(uint16_t vendorId, uint16_t productId, uint16_t interfaceNumber,
                   uint16_t collectionNumber, ProductCode code, InterfaceRole role,
                   uint16_t usagePage, uint16_t usage, bool hasPartner, uint16_t partnerIndex) {
    InterfaceEntry entry;
    entry.vendorId = vendorId;
    entry.productId = productId;
    entry.interfaceNumber = interfaceNumber;
    entry.collectionNumber = collectionNumber;
    entry.productCode = code;
    entry.role = role;
    entry.usagePage = usagePage;
    entry.usage = usage;
    entry.hasPartner = hasPartner;
    entry.partnerIndex = partnerIndex;
    return entry;
}

std::array<InterfaceEntry, kInterfaceRowCount> MakeTable() {
    using enum ProductCode;
    constexpr auto kConfig = InterfaceRole::Configuration;
    constexpr auto kNotify = InterfaceRole::Notification;
    return {
        // Keyboard by cable (0x1000) and through its receiver (0x1100); partners 0<->2, 1<->3.
        Row(kVendorMain, 0x1000, 1, 4, Keyboard, kConfig, kCommandPage, kCommandUsage, true, 2),
        Row(kVendorMain, 0x1000, 1, 3, Keyboard, kNotify, kConsumerPage, kConsumerControl, true, 3),
        Row(kVendorMain, 0x1100, 1, 4, KeyboardReceiver, kConfig, kCommandPage, kCommandUsage, true,
            0),
        Row(kVendorMain, 0x1100, 1, 3, KeyboardReceiver, kNotify, kConsumerPage, kConsumerControl,
            true, 1),
        // Mouse by cable (0x2224) and through its receiver (0x223E); partners 4<->6, 5<->7.
        Row(kVendorMain, 0x2224, 1, 4, Mouse, kConfig, kCommandPage, kCommandUsage, true, 6),
        Row(kVendorMain, 0x2224, 1, 3, Mouse, kNotify, kConsumerPage, kConsumerControl, true, 7),
        Row(kVendorMain, 0x223E, 1, 4, MouseReceiver, kConfig, kCommandPage, kCommandUsage, true,
            4),
        Row(kVendorMain, 0x223E, 1, 3, MouseReceiver, kNotify, kConsumerPage, kConsumerControl,
            true, 5),
        // Mouse pad: cable only.
        Row(kVendorMain, 0x1004, 1, 4, MousePad, kConfig, kCommandPage, kCommandUsage, false, 0),
        Row(kVendorMain, 0x1004, 1, 3, MousePad, kNotify, kConsumerPage, kConsumerControl, false,
            0),
        // Headset: one interface (3) with a single consumer collection, so its path has no
        // "&col" part; it carries the configuration traffic.
        Row(kVendorHeadset, 0x1630, 3, 0, Headset, kConfig, kConsumerPage, kConsumerControl, false,
            0),
    };
}

}  // namespace

std::span<const InterfaceEntry, kInterfaceRowCount> SupportedInterfaces() {
    static const std::array<InterfaceEntry, kInterfaceRowCount> kTable = MakeTable();
    return kTable;
}

int FindInterfaceRow(uint16_t vendorId, uint16_t productId, ProductCode code, InterfaceRole role) {
    const auto table = SupportedInterfaces();
    for (size_t row = 0; row < table.size(); ++row) {
        const InterfaceEntry& entry = table[row];
        if (entry.vendorId == vendorId && entry.productId == productId &&
            entry.productCode == code && entry.role == role) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

int FindPathRow(const InterfaceEntry& probe) {
    const auto table = SupportedInterfaces();
    for (size_t row = 0; row < table.size(); ++row) {
        const InterfaceEntry& entry = table[row];
        if (entry.vendorId == probe.vendorId && entry.productId == probe.productId &&
            entry.interfaceNumber == probe.interfaceNumber &&
            entry.collectionNumber == probe.collectionNumber) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

bool SameIdentity(const InterfaceEntry& a, const InterfaceEntry& b) {
    return a.vendorId == b.vendorId && a.productId == b.productId &&
           a.interfaceNumber == b.interfaceNumber && a.collectionNumber == b.collectionNumber &&
           a.productCode == b.productCode && a.role == b.role && a.usagePage == b.usagePage &&
           a.usage == b.usage;
}

InterfaceEntry ProbeFromPath(std::string_view path) {
    InterfaceEntry probe;
    probe.vendorId = ParseVid(path);
    probe.productId = ParsePid(path);
    probe.interfaceNumber = ParseInterface(path);
    probe.collectionNumber = ParseCollection(path);
    probe.devicePath = std::string(path);
    return probe;
}

}  // namespace vestra::hid
