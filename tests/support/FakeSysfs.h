// A sysfs and /dev tree of hidraw nodes in a temporary folder, with socket pairs as the nodes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "hid/HidrawBackend.h"
#include "support/TempFolder.h"

namespace vestra::test {

class FakeSysfs {
public:
    struct Node {
        uint16_t vendorId = 0x320F;
        uint16_t productId = 0x1000;
        uint16_t release = 0x0100;
        int interfaceNumber = 0;  // -1: a HID device that is not on USB (no bInterfaceNumber)
        std::vector<uint8_t> descriptor;
    };

    FakeSysfs();
    ~FakeSysfs();
    FakeSysfs(const FakeSysfs&) = delete;
    FakeSysfs& operator=(const FakeSysfs&) = delete;

    std::filesystem::path SysfsRoot() const { return m_folder.Path() / "sys"; }
    std::filesystem::path DevRoot() const { return m_folder.Path() / "dev"; }

    // Adds class/hidraw/hidraw<number> (with its HID, USB interface and USB device folders) and
    // an empty file dev/hidraw<number>.
    void Add(int number, const Node& node);
    // Unplugs: the node's folders go, and every open handle sees the end of its node.
    void Remove(int number);

    // An opener for HidrawBackend: each open gets a fresh socket pair, like each open of a
    // hidraw node gets its own report queue. Records the open flags.
    hid::HidrawBackend::NodeOpener Opener();
    // Delivers one report, framed as hidraw frames it, to every open handle of the node.
    void SendInput(int number, std::span<const uint8_t> report);
    // One report written to any open handle of the node, waiting up to timeoutMs; empty if none.
    std::vector<uint8_t> ReceiveOutput(int number, int timeoutMs);
    int LastOpenFlags() const;
    size_t OpenHandles(int number);

private:
    void PruneClosed(std::vector<int>& ends);

    TempFolder m_folder;
    mutable std::mutex m_mutex;
    std::map<int, std::vector<int>> m_deviceEnds;  // the far ends of open handles, per node
    int m_lastOpenFlags = -1;
};

}  // namespace vestra::test
