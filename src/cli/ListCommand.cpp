#include <algorithm>
#include <iomanip>
#include <iostream>
#include <string>

#include "cli/CommandTable.h"
#include "hid/DiscoveryPass.h"
#include "hid/HidInterface.h"
#include "hid/InterfaceSlots.h"

namespace vestra::cli {

namespace {

using hid::InterfaceEntry;
using hid::ProductCode;

// The words --device takes, so that what `list` prints can be given back to it.
const char* ProductName(ProductCode code) {
    switch (code) {
        case ProductCode::Keyboard:
        case ProductCode::KeyboardReceiver:
            return "keyboard";
        case ProductCode::Mouse:
        case ProductCode::MouseReceiver:
            return "mouse";
        case ProductCode::MousePad:
            return "pad";
        case ProductCode::Headset:
            return "headset";
        case ProductCode::None:
            break;
    }
    return "unknown";
}

const char* LinkName(ProductCode code) {
    return hid::IsReceiver(code) ? "receiver" : "cable";
}

const char* RoleName(hid::InterfaceRole role) {
    return role == hid::InterfaceRole::Notification ? "notification" : "configuration";
}

Json::Value EntryJson(const InterfaceEntry& entry) {
    Json::Value item(Json::objectValue);
    item["productCode"] = static_cast<int>(entry.productCode);
    item["product"] = ProductName(entry.productCode);
    item["link"] = LinkName(entry.productCode);
    item["role"] = RoleName(entry.role);
    item["path"] = entry.devicePath;
    return item;
}

void PrintTable(const hid::InterfaceSlots& slots, const std::vector<size_t>& claimed) {
    std::cout << std::left << std::setw(6) << "slot" << std::setw(15) << "product" << std::setw(10)
              << "link" << std::setw(15) << "role"
              << "path\n";
    for (size_t slot : claimed) {
        const InterfaceEntry& entry = slots.At(slot);
        const std::string product = std::string(ProductName(entry.productCode)) + " (" +
                                    std::to_string(static_cast<int>(entry.productCode)) + ")";
        std::cout << std::setw(6) << slot << std::setw(15) << product << std::setw(10)
                  << LinkName(entry.productCode) << std::setw(15) << RoleName(entry.role)
                  << entry.devicePath << '\n';
    }
}

// hidraw nodes belong to root unless a udev rule hands them to the logged-in user.
void PrintPermissionHint(const std::vector<InterfaceEntry>& unopenable) {
    std::cout << "Present but not accessible to this user:\n";
    for (const InterfaceEntry& entry : unopenable) {
        std::cout << "  " << ProductName(entry.productCode) << " (" << LinkName(entry.productCode)
                  << ", " << RoleName(entry.role) << ") " << entry.devicePath << '\n';
    }
    std::cout << "Install the udev rules from the source tree, then plug the device in again:\n"
                 "  sudo install -m 0644 contrib/udev/70-vestra.rules /etc/udev/rules.d/\n"
                 "  sudo udevadm control --reload-rules\n"
                 "  sudo udevadm trigger\n";
}

}  // namespace

// Exits 0 whenever the interface list could be made, also when a supported device is present
// but cannot be opened: the listing succeeded and says what to fix. Exits 1 only when the
// machine's HID interfaces cannot be listed at all.
int RunList(CliContext& context) {
    hid::InterfaceSlots slots;
    hid::HidInterface probe;
    hid::DiscoveryResult result = hid::RunDiscoveryPass(slots, probe);
    if (!result.enumerated) {
        context.PrintError("cannot list the HID interfaces of this machine");
        return 1;
    }
    std::sort(result.claimed.begin(), result.claimed.end());

    if (context.options.json) {
        Json::Value root(Json::objectValue);
        Json::Value& devices = root["devices"] = Json::Value(Json::arrayValue);
        for (size_t slot : result.claimed) {
            Json::Value item = EntryJson(slots.At(slot));
            item["slot"] = static_cast<Json::UInt>(slot);
            devices.append(item);
        }
        Json::Value& unopenable = root["unopenable"] = Json::Value(Json::arrayValue);
        for (const InterfaceEntry& entry : result.unopenable) unopenable.append(EntryJson(entry));
        context.PrintJson(root);
        return 0;
    }

    if (result.claimed.empty() && result.unopenable.empty()) {
        std::cout << "No supported device is connected.\n";
        return 0;
    }
    if (!result.claimed.empty()) PrintTable(slots, result.claimed);
    if (!result.claimed.empty() && !result.unopenable.empty()) std::cout << '\n';
    if (!result.unopenable.empty()) PrintPermissionHint(result.unopenable);
    return 0;
}

}  // namespace vestra::cli
