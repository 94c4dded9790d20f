// A keyboard device object on an in-process emulated keyboard, with a view that records calls.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/model/CHalvorinKeyboardDevice.h"
#include "emulator/EmulatedHidBackend.h"
#include "support/TempFolder.h"

namespace vestra::test {

inline const std::string kKeyboardCommandPath = "emu:keyboard#vid_320f&pid_1000&mi_01&col04";
inline const std::string kKeyboardNotifyPath = "emu:keyboard#vid_320f&pid_1000&mi_01&col03";
inline const std::string kReceiverNotifyPath =
    "emu:keyboard-receiver#vid_320f&pid_1100&mi_01&col03";

// Counts what the device asked of its page; WaitFor blocks until a condition holds (the calls
// may come from the device's worker threads).
class RecordingView : public DeviceView {
public:
    void RefreshPanels() override {
        Record([this] { ++refreshes; });
    }
    void ScheduleSettingsRead(int delayMs) override {
        Record([this, delayMs] { settingsReads.push_back(delayMs); });
    }
    void ShowFunctionPages(FunctionPages pages) override {
        Record([this, pages] { this->pages.push_back(pages); });
    }
    void ShowKeyColours(std::span<const protocol::KeyColour> colours) override {
        Record([this, &colours] {
            lastColours.assign(colours.begin(), colours.end());
            ++frames;
        });
    }
    void ShowPowerStatus(const protocol::PowerStatus& status) override {
        Record([this, status] { power.push_back(status); });
    }

    // False when the condition did not come true within a generous bound; a guard against a
    // hang, not a measure of speed.
    bool WaitFor(const std::function<bool()>& condition) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::seconds(10), condition);
    }
    template <typename Function>
    auto Read(Function&& read) {
        std::lock_guard lock(m_mutex);
        return read();
    }

    int refreshes = 0;
    int frames = 0;
    std::vector<int> settingsReads;
    std::vector<FunctionPages> pages;
    std::vector<protocol::KeyColour> lastColours;
    std::vector<protocol::PowerStatus> power;

private:
    template <typename Function>
    void Record(Function&& change) {
        {
            std::lock_guard lock(m_mutex);
            change();
        }
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
};

class KeyboardDeviceFixture : public ::testing::Test {
protected:
    KeyboardDeviceFixture() {
        backend->Plug(emulator::Product::Keyboard);
        device = std::make_unique<CHalvorinKeyboardDevice>(*backend);
        device->AttachView(&view);
    }

    // As the device manager does: open under the I/O lock, then the open flag and the link.
    void OpenCable() {
        protocol::DeviceChannel& channel = device->Channel();
        {
            std::lock_guard io(channel.IoLock());
            ASSERT_TRUE(channel.WiredHandle().Open(kKeyboardCommandPath, hid::HidAccess::ReadWrite,
                                                   hid::HidSharing::Shared));
        }
        channel.SetOpen(true);
        channel.SetConnectionType(protocol::kConnectionCable);
    }

    // Cable open, key tables read and the profile loaded, without the lighting thread.
    void Connect() {
        OpenCable();
        ASSERT_EQ(device->ReadKeyTables(), protocol::RESULT_OK);
        device->LoadProfile();
    }

    emulator::DeviceMemory Memory() const {
        return backend->Memory(emulator::Peripheral::Keyboard);
    }
    void EditMemory(const std::function<void(emulator::DeviceMemory&)>& edit) {
        emulator::DeviceMemory memory = Memory();
        edit(memory);
        backend->SetMemory(emulator::Peripheral::Keyboard, memory);
    }

    ScopedDataHome home;
    std::shared_ptr<emulator::EmulatedHidBackend> backend = emulator::EmulatedHidBackend::Create();
    RecordingView view;
    std::unique_ptr<CHalvorinKeyboardDevice> device;
};

}  // namespace vestra::test
