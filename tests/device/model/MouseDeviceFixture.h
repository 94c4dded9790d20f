// A mouse device object on an in-process emulated mouse, with the recording view of the
// keyboard tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "KeyboardDeviceFixture.h"
#include "device/model/CHalvorinMouseDevice.h"
#include "device/protocol/MouseSettingsBlock.h"
#include "emulator/EmulatedHidBackend.h"
#include "support/TempFolder.h"

namespace vestra::test {

inline const std::string kMouseCommandPath = "emu:mouse#vid_320f&pid_2224&mi_01&col04";
inline const std::string kMouseNotifyPath = "emu:mouse#vid_320f&pid_2224&mi_01&col03";
inline const std::string kMouseReceiverCommandPath =
    "emu:mouse-receiver#vid_320f&pid_223e&mi_01&col04";

class MouseDeviceFixture : public ::testing::Test {
protected:
    MouseDeviceFixture() {
        backend->Plug(emulator::Product::Mouse);
        device = std::make_unique<CHalvorinMouseDevice>(*backend);
        device->AttachView(&view);
    }

    void Open(const std::string& path, int connection) {
        protocol::DeviceChannel& channel = device->Channel();
        {
            std::lock_guard io(channel.IoLock());
            hid::HidInterface& handle = connection == protocol::kConnectionReceiver
                                            ? channel.ReceiverHandle()
                                            : channel.WiredHandle();
            ASSERT_TRUE(handle.Open(path, hid::HidAccess::ReadWrite, hid::HidSharing::Shared));
        }
        channel.SetOpen(true);
        channel.SetConnectionType(connection);
    }
    void OpenCable() { Open(kMouseCommandPath, protocol::kConnectionCable); }

    // Cable open and the first synchronisation done, without the preview thread.
    void Connect() {
        OpenCable();
        ASSERT_EQ(device->OnConnected(), protocol::RESULT_OK);
        device->StopPreview();
    }

    emulator::DeviceMemory Memory() const { return backend->Memory(emulator::Peripheral::Mouse); }
    void EditMemory(const std::function<void(emulator::DeviceMemory&)>& edit) {
        emulator::DeviceMemory memory = Memory();
        edit(memory);
        backend->SetMemory(emulator::Peripheral::Mouse, memory);
    }
    // The settings block of a page as the mouse holds it.
    protocol::MouseSettingsBlock Block(int page = 0) const {
        protocol::MouseSettingsBlock block{};
        const emulator::DeviceMemory memory = Memory();
        const std::span<const uint8_t> settings = memory.Bytes(emulator::Region::Settings);
        std::copy_n(settings.begin() + page * 128, sizeof block, block.Bytes().begin());
        return block;
    }

    ScopedDataHome home;
    std::shared_ptr<emulator::EmulatedHidBackend> backend = emulator::EmulatedHidBackend::Create();
    RecordingView view;
    std::unique_ptr<CHalvorinMouseDevice> device;
};

}  // namespace vestra::test
