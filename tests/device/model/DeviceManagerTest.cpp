// The device manager against the emulated products: arrivals, departures and link switches.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "device/model/CHalvorinHS6533Device.h"
#include "device/model/CHalvorinKeyboardDevice.h"
#include "device/model/CHalvorinMouseDevice.h"
#include "device/model/CHalvorinMousePadDevice.h"
#include "device/model/DeviceManager.h"
#include "emulator/EmulatedHidBackend.h"
#include "platform/DebugLog.h"
#include "support/TempFolder.h"

namespace vestra {
namespace {

using emulator::Peripheral;
using emulator::Product;

std::string KindOf(const CHalvorinUSBDevice& device) {
    return device.DeviceName();
}

const char* LinkName(DeviceLink link) {
    return link == DeviceLink::Cable ? "cable" : "receiver";
}

// Records the calls as short lines; they all come on the test's thread.
class RecordingObserver : public DeviceManagerObserver {
public:
    void OnFirstPassDone() override { m_events.push_back("first-pass"); }
    void OnDeviceAdded(CHalvorinUSBDevice& device) override {
        m_events.push_back("added " + KindOf(device));
    }
    void OnDeviceAttached(CHalvorinUSBDevice& device, DeviceLink link) override {
        m_events.push_back("attached " + KindOf(device) + " " + LinkName(link));
    }
    void OnDeviceRemoved(CHalvorinUSBDevice& device) override {
        m_events.push_back("removed " + KindOf(device));
    }
    void OnLinkChanged(CHalvorinUSBDevice& device, DeviceLink link) override {
        m_events.push_back("link " + KindOf(device) + " " + LinkName(link));
    }
    void OnShowTab(CHalvorinUSBDevice& device) override {
        m_events.push_back("show " + KindOf(device));
    }
    void OnHideTab(CHalvorinUSBDevice& device) override {
        m_events.push_back("hide " + KindOf(device));
    }

    std::vector<std::string> Take() { return std::exchange(m_events, {}); }
    bool Saw(const std::string& event) const {
        return std::find(m_events.begin(), m_events.end(), event) != m_events.end();
    }

private:
    std::vector<std::string> m_events;
};

// Collects debug lines from every thread.
class DebugLines {
public:
    DebugLines() {
        DebugLog::SetObserver([this](std::string_view line) {
            std::lock_guard lock(m_lock);
            m_lines.emplace_back(line);
        });
    }
    ~DebugLines() { DebugLog::SetObserver({}); }
    int Count(const std::string& line) const {
        std::lock_guard lock(m_lock);
        return static_cast<int>(std::count(m_lines.begin(), m_lines.end(), line));
    }

private:
    mutable std::mutex m_lock;
    std::vector<std::string> m_lines;
};

class DeviceManagerTest : public ::testing::Test {
protected:
    // Handles events until the observer has seen `event`; false after a few seconds without.
    bool PumpUntil(const std::string& event) {
        return PumpWhile([&] { return !m_observer.Saw(event); });
    }
    bool PumpWhile(const std::function<bool()>& waiting) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (waiting()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            m_manager.WaitForEvents(20);
            m_manager.ProcessEvents();
        }
        return true;
    }
    // Lets a few discovery passes run and handles what they queued.
    void Settle() {
        const auto until = std::chrono::steady_clock::now() +
                           std::chrono::milliseconds(4 * DeviceManager::kPassIntervalMs);
        while (std::chrono::steady_clock::now() < until) {
            m_manager.WaitForEvents(20);
            m_manager.ProcessEvents();
        }
    }
    void StartWith(std::initializer_list<Product> products) {
        for (Product product : products) m_backend->Plug(product);
        m_manager.Start();
        ASSERT_TRUE(PumpUntil("first-pass"));
    }
    CHalvorinUSBDevice& Device(hid::DeviceKind kind) {
        CHalvorinUSBDevice* device = m_manager.DeviceOf(kind);
        EXPECT_NE(device, nullptr);
        return *device;
    }
    // A command goes through whatever link the channel is on.
    static bool Answers(CHalvorinUSBDevice& device) {
        protocol::DeviceInfo info{};
        return device.Channel().ReadInfo(info) == protocol::RESULT_OK;
    }

    test::ScopedDataHome m_home;
    std::shared_ptr<emulator::EmulatedHidBackend> m_backend =
        emulator::EmulatedHidBackend::Create();
    RecordingObserver m_observer;
    DeviceManager m_manager{m_observer, *m_backend};
};

TEST_F(DeviceManagerTest, FirstPassIsReportedWithNothingPlugged) {
    StartWith({});
    EXPECT_EQ(m_observer.Take(), std::vector<std::string>{"first-pass"});
    EXPECT_TRUE(m_manager.Devices().empty());
}

TEST_F(DeviceManagerTest, KeyboardArrivesAndLeaves) {
    StartWith({Product::Keyboard});
    ASSERT_TRUE(PumpUntil("attached keyboard cable"));
    const std::vector<std::string> arrival = m_observer.Take();
    EXPECT_EQ(std::count(arrival.begin(), arrival.end(), "added keyboard"), 1);
    EXPECT_EQ(std::count(arrival.begin(), arrival.end(), "show keyboard"), 1);

    auto* keyboard = dynamic_cast<CHalvorinKeyboardDevice*>(&Device(hid::DeviceKind::Keyboard));
    ASSERT_NE(keyboard, nullptr);
    EXPECT_TRUE(keyboard->Channel().IsOpen());
    EXPECT_FALSE(keyboard->Channel().IsReceiverMode());
    EXPECT_TRUE(Answers(*keyboard));
    EXPECT_TRUE(keyboard->IsListening(hid::ProductCode::Keyboard));
    EXPECT_EQ(m_manager.Devices().size(), 1u);

    m_backend->Unplug(Product::Keyboard);
    ASSERT_TRUE(PumpUntil("removed keyboard"));
    EXPECT_TRUE(m_observer.Saw("hide keyboard"));
    EXPECT_FALSE(keyboard->Channel().IsOpen());

    // Plugged in again, the same device object takes it.
    m_backend->Plug(Product::Keyboard);
    ASSERT_TRUE(PumpUntil("attached keyboard cable"));
    EXPECT_EQ(m_manager.Devices().size(), 1u);
    EXPECT_TRUE(Answers(*keyboard));
}

TEST_F(DeviceManagerTest, EveryKindListensOnItsNotificationInterface) {
    StartWith({Product::Mouse, Product::Pad, Product::Headset});
    ASSERT_TRUE(PumpUntil("attached mouse cable"));
    Settle();
    auto* mouse = dynamic_cast<CHalvorinMouseDevice*>(&Device(hid::DeviceKind::Mouse));
    auto* pad = dynamic_cast<CHalvorinMousePadDevice*>(&Device(hid::DeviceKind::MousePad));
    auto* headset = dynamic_cast<CHalvorinHS6533Device*>(&Device(hid::DeviceKind::Headset));
    ASSERT_TRUE(mouse && pad && headset);
    EXPECT_TRUE(mouse->IsListening(hid::ProductCode::Mouse));
    EXPECT_TRUE(pad->IsListening());
    EXPECT_TRUE(headset->IsListening());

    m_backend->Unplug(Product::Headset);
    ASSERT_TRUE(PumpUntil("removed " + headset->DeviceName()));
    Settle();
    EXPECT_FALSE(headset->IsListening());
}

TEST_F(DeviceManagerTest, ReceiverOnlyKeyboardAttachesWithItsTabHidden) {
    StartWith({Product::KeyboardReceiver});
    ASSERT_TRUE(PumpUntil("attached keyboard receiver"));
    EXPECT_FALSE(m_observer.Saw("show keyboard"));
    CHalvorinUSBDevice& keyboard = Device(hid::DeviceKind::Keyboard);
    EXPECT_TRUE(keyboard.Channel().IsReceiverMode());
    EXPECT_EQ(keyboard.Identity().productCode, hid::ProductCode::Keyboard);  // the cable entry
    EXPECT_TRUE(Answers(keyboard));
}

TEST_F(DeviceManagerTest, MouseFollowsItsCableAndFallsBackToTheReceiver) {
    StartWith({Product::Mouse, Product::MouseReceiver});
    ASSERT_TRUE(PumpUntil("attached mouse cable"));
    Settle();
    CHalvorinUSBDevice& mouse = Device(hid::DeviceKind::Mouse);
    EXPECT_EQ(m_manager.LinkOf(mouse), DeviceLink::Cable);
    EXPECT_FALSE(mouse.Channel().IsReceiverMode());
    m_observer.Take();

    m_backend->Unplug(Product::Mouse);
    ASSERT_TRUE(PumpUntil("link mouse receiver"));
    Settle();
    EXPECT_EQ(m_observer.Take(), std::vector<std::string>{"link mouse receiver"});
    EXPECT_TRUE(mouse.Channel().IsOpen());
    EXPECT_TRUE(mouse.Channel().IsReceiverMode());
    EXPECT_TRUE(Answers(mouse));

    m_backend->Plug(Product::Mouse);
    ASSERT_TRUE(PumpUntil("link mouse cable"));
    EXPECT_TRUE(m_observer.Saw("show mouse"));
    EXPECT_FALSE(m_observer.Saw("removed mouse"));
    EXPECT_FALSE(mouse.Channel().IsReceiverMode());
    EXPECT_TRUE(Answers(mouse));
}

TEST_F(DeviceManagerTest, PullingTheReceiverOfACabledKeyboardChangesNothing) {
    StartWith({Product::Keyboard, Product::KeyboardReceiver});
    ASSERT_TRUE(PumpUntil("attached keyboard cable"));
    Settle();
    m_observer.Take();
    CHalvorinUSBDevice& keyboard = Device(hid::DeviceKind::Keyboard);

    m_backend->Unplug(Product::KeyboardReceiver);
    Settle();
    EXPECT_TRUE(m_observer.Take().empty());
    EXPECT_TRUE(keyboard.Channel().IsOpen());
    EXPECT_FALSE(keyboard.Channel().IsReceiverMode());
    EXPECT_TRUE(Answers(keyboard));
}

TEST_F(DeviceManagerTest, SwitchToTheReceiverAsksForTheLinkWhileTheMouseSleeps) {
    DebugLines lines;
    StartWith({Product::Mouse, Product::MouseReceiver});
    ASSERT_TRUE(PumpUntil("attached mouse cable"));
    Settle();
    m_backend->SetAsleep(Peripheral::Mouse, true);

    m_backend->Unplug(Product::Mouse);
    ASSERT_TRUE(PumpUntil("link mouse receiver"));
    // 26 tries; the pause after the last one is not reported.
    EXPECT_EQ(lines.Count("获取2.4G模式失败"), 25);
    EXPECT_EQ(lines.Count("获取2"), 1);
    EXPECT_TRUE(Device(hid::DeviceKind::Mouse).Channel().IsOpen());
}

TEST_F(DeviceManagerTest, StopEndsTheThreadsAndDropsQueuedEvents) {
    DebugLines lines;
    StartWith({});
    m_backend->Plug(Product::Pad);
    ASSERT_TRUE(m_manager.WaitForEvents(5000));
    m_manager.Stop();
    EXPECT_EQ(lines.Count("抓取设备线程设定退出"), 1);
    EXPECT_EQ(m_manager.ProcessEvents(), 0u);
    m_manager.Stop();  // a second stop is harmless
}

TEST_F(DeviceManagerTest, SynchronisedColourReachesMemberDevices) {
    StartWith({Product::Keyboard});
    ASSERT_TRUE(PumpUntil("attached keyboard cable"));
    CHalvorinUSBDevice& keyboard = Device(hid::DeviceKind::Keyboard);
    SyncLightSettings settings;
    settings.mode = kSyncSteady;
    settings.brightness = 4;
    settings.speed = 4;
    settings.colour = {10, 20, 30};
    m_manager.Sync().SetSettings(settings);
    m_manager.SetSyncMember(keyboard, true);
    EXPECT_TRUE(keyboard.Channel().LightingHold());

    const auto steadyColour = [&] {
        const protocol::KeyColour colour = keyboard.GetKeyColour(0);
        return colour.red == 10 && colour.green == 20 && colour.blue == 30 &&
               colour.brightness == 255;
    };
    EXPECT_TRUE(PumpWhile([&] { return !steadyColour(); }));
    m_manager.SetSyncMember(keyboard, false);
    EXPECT_FALSE(keyboard.Channel().LightingHold());
}

}  // namespace
}  // namespace vestra
