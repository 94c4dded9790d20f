// What sysfs tells about one hidraw node: the device's identity and its report descriptor.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "hid/HidBackend.h"

namespace vestra::hid {

struct HidrawNode {
    std::string name;  // "hidraw3"
    HidAttributes attributes;
    int interfaceNumber = -1;  // the USB interface's bInterfaceNumber; -1 when not on USB
    std::vector<uint8_t> reportDescriptor;

    // Reads <sysfsRoot>/class/hidraw/<name>; nullopt when the node is gone or says no identity.
    static std::optional<HidrawNode> Read(const std::filesystem::path& sysfsRoot,
                                          const std::string& name);
};

}  // namespace vestra::hid
