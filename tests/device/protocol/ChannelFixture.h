// A DeviceChannel over scripted cable and receiver handles answered by a fake firmware.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeFirmware.h"
#include "device/protocol/DeviceChannel.h"
#include "support/ScriptedHidDevice.h"

namespace vestra::test {

inline const std::string kWiredPath = "scripted:keyboard#vid_320f&pid_1000&mi_01";
inline const std::string kReceiverPath = "scripted:receiver#vid_320f&pid_1100&mi_01";

class ChannelFixture : public ::testing::Test {
protected:
    ChannelFixture() {
        wired.SetImmediateTimeouts(true);
        receiver.SetImmediateTimeouts(true);
        backend.Add(kWiredPath, wired);
        backend.Add(kReceiverPath, receiver);
    }

    // Opens a handle as the device manager does: under the I/O lock, then open and type.
    void OpenCable() {
        {
            std::lock_guard io(channel.IoLock());
            ASSERT_TRUE(channel.WiredHandle().Open(kWiredPath, hid::HidAccess::ReadWrite,
                                                   hid::HidSharing::Shared));
        }
        channel.SetOpen(true);
        channel.SetConnectionType(protocol::kConnectionCable);
    }
    void OpenReceiver() {
        {
            std::lock_guard io(channel.IoLock());
            ASSERT_TRUE(channel.ReceiverHandle().Open(kReceiverPath, hid::HidAccess::ReadWrite,
                                                      hid::HidSharing::Shared));
        }
        channel.SetOpen(true);
        channel.SetConnectionType(protocol::kConnectionReceiver);
    }

    ScriptedHidDevice wired;
    ScriptedHidDevice receiver{{0x320F, 0x1100, 0x0100}};
    FakeFirmware wiredFirmware{wired};
    FakeFirmware receiverFirmware{receiver};
    ScriptedHidBackend backend;
    protocol::DeviceChannel channel{backend};
};

// 0..n-1 as bytes (wrapping), so every chunk of a transfer is recognisable.
inline std::vector<uint8_t> Counting(size_t n, uint8_t start = 1) {
    std::vector<uint8_t> bytes(n);
    for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(start + i);
    return bytes;
}

}  // namespace vestra::test
