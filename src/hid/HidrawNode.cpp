#include "hid/HidrawNode.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>

namespace vestra::hid {
namespace fs = std::filesystem;

namespace {

// Report descriptors are at most 4096 bytes; anything much longer is not a descriptor.
constexpr size_t kMaxDescriptorFile = 65536;

std::optional<std::string> ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::optional<uint32_t> ParseHex(std::string_view text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
    uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

std::optional<uint32_t> ReadHexFile(const fs::path& file) {
    std::optional<std::string> text = ReadText(file);
    return text ? ParseHex(*text) : std::nullopt;
}

// HID_ID=<bus>:<vendor>:<product>, each in hexadecimal (0003:0000320F:00001000).
bool ParseHidId(const std::string& uevent, HidAttributes& attributes) {
    std::istringstream lines(uevent);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("HID_ID=", 0) != 0) continue;
        std::string_view id = std::string_view(line).substr(7);
        size_t first = id.find(':');
        size_t second = id.find(':', first + 1);
        if (first == std::string_view::npos || second == std::string_view::npos) return false;
        std::optional<uint32_t> vendor = ParseHex(id.substr(first + 1, second - first - 1));
        std::optional<uint32_t> product = ParseHex(id.substr(second + 1));
        if (!vendor || !product) return false;
        attributes.vendorId = static_cast<uint16_t>(*vendor);
        attributes.productId = static_cast<uint16_t>(*product);
        return true;
    }
    return false;
}

}  // namespace

std::optional<HidrawNode> HidrawNode::Read(const fs::path& sysfsRoot, const std::string& name) {
    std::error_code error;
    // class/hidraw/<name>/device leads to the HID device; its parent is the USB interface,
    // whose parent is the USB device.
    const fs::path hidDevice =
        fs::canonical(sysfsRoot / "class" / "hidraw" / name / "device", error);
    if (error) return std::nullopt;

    HidrawNode node;
    node.name = name;
    std::optional<std::string> uevent = ReadText(hidDevice / "uevent");
    if (!uevent || !ParseHidId(*uevent, node.attributes)) return std::nullopt;

    std::ifstream descriptor(hidDevice / "report_descriptor", std::ios::binary);
    if (!descriptor) return std::nullopt;
    char chunk[4096];
    while (descriptor.read(chunk, sizeof chunk) || descriptor.gcount() > 0) {
        node.reportDescriptor.insert(node.reportDescriptor.end(), chunk,
                                     chunk + descriptor.gcount());
        if (node.reportDescriptor.size() > kMaxDescriptorFile) return std::nullopt;
    }

    const fs::path usbInterface = hidDevice.parent_path();
    if (std::optional<uint32_t> number = ReadHexFile(usbInterface / "bInterfaceNumber")) {
        node.interfaceNumber = static_cast<int>(*number & 0xFF);
    }
    if (std::optional<uint32_t> release = ReadHexFile(usbInterface.parent_path() / "bcdDevice")) {
        node.attributes.versionNumber = static_cast<uint16_t>(*release);
    }
    return node;
}

}  // namespace vestra::hid
