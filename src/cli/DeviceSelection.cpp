#include "cli/DeviceSelection.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "hid/DiscoveryPass.h"
#include "hid/HidInterface.h"
#include "hid/InterfaceSlots.h"

namespace vestra::cli {
namespace {

using hid::DeviceKind;
using hid::InterfaceRole;

// Right after a receiver handle opens, the wireless device may take a moment to answer: the
// link is asked again every 50 ms for 1.3 s, as the device manager does. A receiver that does
// not answer at all ends the wait after its own time-out.
constexpr auto kLinkRetryPause = std::chrono::milliseconds(50);
constexpr auto kLinkWait = std::chrono::milliseconds(26 * 50);

std::optional<DeviceKind> KindFromWord(const std::string& word) {
    for (DeviceKind kind :
         {DeviceKind::Keyboard, DeviceKind::Mouse, DeviceKind::MousePad, DeviceKind::Headset}) {
        if (word == KindWord(kind)) return kind;
    }
    return std::nullopt;
}

std::optional<size_t> SlotFromWord(const std::string& word) {
    if (word.empty() || word.size() > 3 ||
        !std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return static_cast<size_t>(std::stoul(word));
}

SelectedDevice MakeSelection(const hid::InterfaceSlots& slots, size_t slot) {
    SelectedDevice device;
    device.slot = slot;
    device.entry = slots.At(slot);
    device.kind = hid::KindOf(device.entry.productCode).value_or(DeviceKind::Keyboard);
    device.receiver = hid::IsReceiver(device.entry.productCode);
    return device;
}

// The configuration slots found, a product over its cable before the same product over its
// receiver.
std::vector<SelectedDevice> CommandableDevices(const hid::InterfaceSlots& slots,
                                               const std::vector<size_t>& claimed) {
    std::vector<SelectedDevice> devices;
    for (size_t slot : claimed) {
        const hid::InterfaceEntry& entry = slots.At(slot);
        if (entry.role != InterfaceRole::Configuration || !hid::KindOf(entry.productCode)) {
            continue;
        }
        devices.push_back(MakeSelection(slots, slot));
    }
    std::stable_sort(devices.begin(), devices.end(), [](const auto& a, const auto& b) {
        if (a.kind != b.kind) return a.kind < b.kind;
        return !a.receiver && b.receiver;
    });
    return devices;
}

// One entry per product, with the slot --device would pick for it.
std::string ListOf(const std::vector<SelectedDevice>& devices) {
    std::string text;
    for (size_t i = 0; i < devices.size(); ++i) {
        if (i > 0 && devices[i].kind == devices[i - 1].kind) continue;
        if (!text.empty()) text += ", ";
        text += std::string(KindWord(devices[i].kind)) + " (slot " +
                std::to_string(devices[i].slot) + ")";
    }
    return text;
}

}  // namespace

const char* KindWord(DeviceKind kind) {
    switch (kind) {
        case DeviceKind::Keyboard:
            return "keyboard";
        case DeviceKind::Mouse:
            return "mouse";
        case DeviceKind::MousePad:
            return "pad";
        case DeviceKind::Headset:
            return "headset";
    }
    return "device";
}

Json::Value DeviceJson(const SelectedDevice& device) {
    Json::Value json(Json::objectValue);
    json["slot"] = static_cast<Json::UInt>(device.slot);
    json["product"] = KindWord(device.kind);
    json["productCode"] = static_cast<int>(device.entry.productCode);
    json["link"] = device.receiver ? "receiver" : "cable";
    json["path"] = device.entry.devicePath;
    return json;
}

std::string DeviceTitle(const SelectedDevice& device) {
    return std::string(KindWord(device.kind)) + (device.receiver ? " (receiver)" : " (cable)");
}

std::string HexText(std::span<const uint8_t> bytes) {
    std::string text;
    char pair[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(pair, sizeof pair, i == 0 ? "%02x" : " %02x", bytes[i]);
        text += pair;
    }
    return text;
}

std::optional<SelectedDevice> SelectDevice(const CliContext& context, int& exitCode) {
    const std::string& word = context.options.device;
    const std::optional<DeviceKind> wantedKind = KindFromWord(word);
    const std::optional<size_t> wantedSlot = SlotFromWord(word);
    if (!word.empty() && !wantedKind && !wantedSlot) {
        context.PrintError("unknown device '" + word +
                           "': use keyboard, mouse, pad, headset or a slot number from `list`");
        exitCode = 2;
        return std::nullopt;
    }

    hid::InterfaceSlots slots;
    hid::HidInterface probe;
    hid::DiscoveryResult found = hid::RunDiscoveryPass(slots, probe);
    if (!found.enumerated) {
        context.PrintError("cannot list the HID interfaces of this machine");
        exitCode = 1;
        return std::nullopt;
    }
    std::sort(found.claimed.begin(), found.claimed.end());
    std::vector<SelectedDevice> devices = CommandableDevices(slots, found.claimed);
    exitCode = 1;

    if (wantedSlot) {
        if (std::find(found.claimed.begin(), found.claimed.end(), *wantedSlot) ==
            found.claimed.end()) {
            context.PrintError("no supported interface holds slot " + word +
                               "; `vestractl list` shows the slots");
            return std::nullopt;
        }
        // A notification slot stands for its product: take that product's command interface.
        const hid::ProductCode code = slots.At(*wantedSlot).productCode;
        for (const SelectedDevice& device : devices) {
            if (device.entry.productCode == code) return device;
        }
        context.PrintError("slot " + word + " has no command interface connected");
        return std::nullopt;
    }

    if (wantedKind) {
        for (const SelectedDevice& device : devices) {
            if (device.kind == *wantedKind) return device;
        }
        context.PrintError(std::string("no ") + KindWord(*wantedKind) + " is connected");
        return std::nullopt;
    }

    if (devices.empty()) {
        context.PrintError(found.unopenable.empty()
                               ? "No supported device is connected."
                               : "a supported device is present but cannot be opened; "
                                 "`vestractl list` says how to fix it");
        return std::nullopt;
    }
    const bool oneProduct = std::all_of(devices.begin(), devices.end(), [&](const auto& d) {
        return d.kind == devices.front().kind;
    });
    if (!oneProduct) {
        context.PrintError("several devices are connected (" + ListOf(devices) +
                           "); choose one with --device keyboard, mouse, pad, headset or a slot");
        exitCode = 2;
        return std::nullopt;
    }
    return devices.front();
}

bool OpenChannel(const CliContext& context, const SelectedDevice& device,
                 protocol::DeviceChannel& channel) {
    hid::HidInterface& handle = device.receiver ? channel.ReceiverHandle() : channel.WiredHandle();
    bool opened;
    {
        std::lock_guard io(channel.IoLock());
        opened = handle.Open(device.entry.devicePath, hid::HidAccess::ReadWrite,
                             hid::HidSharing::Shared);
    }
    if (!opened) {
        context.PrintError("cannot open " + DeviceTitle(device) + " at " + device.entry.devicePath);
        return false;
    }
    channel.SetOpen(true);
    channel.SetConnectionType(device.receiver ? protocol::kConnectionReceiver
                                              : protocol::kConnectionCable);
    if (!device.receiver) return true;

    const auto deadline = std::chrono::steady_clock::now() + kLinkWait;
    while (!channel.QueryLink()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            context.PrintError("the " + std::string(KindWord(device.kind)) +
                               " does not answer through its receiver (asleep, off or out of "
                               "range)");
            return false;
        }
        std::this_thread::sleep_for(kLinkRetryPause);
    }
    return true;
}

}  // namespace vestra::cli
