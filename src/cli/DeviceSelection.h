// Picks the product a device command talks to, from --device or from what is connected, and
// opens its command channel.
#pragma once

#include <json/value.h>

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "cli/CliContext.h"
#include "device/protocol/DeviceChannel.h"
#include "hid/DeviceKind.h"
#include "hid/InterfaceEntry.h"

namespace vestra::cli {

struct SelectedDevice {
    size_t slot = 0;            // as `list` numbers it
    hid::InterfaceEntry entry;  // the configuration interface, path included
    hid::DeviceKind kind = hid::DeviceKind::Keyboard;
    bool receiver = false;  // reached through its 2.4 GHz receiver
};

// The word --device takes for a kind, and that `list` prints: keyboard, mouse, pad, headset.
const char* KindWord(hid::DeviceKind kind);

// Runs one discovery pass and applies --device. Without it, the only connected product is
// taken; several are an error that lists them. Prints the error and sets exitCode (1 nothing
// usable, 2 bad or ambiguous selection) when nothing is selected.
std::optional<SelectedDevice> SelectDevice(const CliContext& context, int& exitCode);

// Opens the device's handle into the channel as the device manager does; through a receiver it
// also waits for the device to answer. Prints the error when it fails.
bool OpenChannel(const CliContext& context, const SelectedDevice& device,
                 protocol::DeviceChannel& channel);

// slot, product, productCode, link and path, as `list --json` gives them.
Json::Value DeviceJson(const SelectedDevice& device);

// "kind (cable|receiver)" for messages and text output.
std::string DeviceTitle(const SelectedDevice& device);

// Bytes as lower-case hex pairs separated by spaces.
std::string HexText(std::span<const uint8_t> bytes);

}  // namespace vestra::cli
