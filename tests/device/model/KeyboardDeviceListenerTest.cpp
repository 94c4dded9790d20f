#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

#include "KeyboardDeviceFixture.h"
#include "platform/DebugLog.h"

namespace vestra::test {
namespace {

using emulator::Peripheral;

class KeyboardListenerTest : public KeyboardDeviceFixture {
protected:
    KeyboardListenerTest() {
        DebugLog::SetObserver([this](std::string_view line) {
            std::lock_guard lock(m_linesLock);
            m_lines.emplace_back(line);
        });
    }
    ~KeyboardListenerTest() override {
        device.reset();
        DebugLog::SetObserver({});
    }

    int LinesEqualTo(const std::string& text) {
        std::lock_guard lock(m_linesLock);
        return static_cast<int>(std::count(m_lines.begin(), m_lines.end(), text));
    }

private:
    std::mutex m_linesLock;
    std::vector<std::string> m_lines;
};

TEST_F(KeyboardListenerTest, ProfileSwitchOnTheKeyboardSetsTheActiveSlot) {
    Connect();
    ASSERT_TRUE(device->StartListener(kKeyboardNotifyPath, hid::ProductCode::Keyboard));
    const int refreshes = view.Read([&] { return view.refreshes; });

    ASSERT_TRUE(backend->SwitchProfile(Peripheral::Keyboard, 3));  // 0x1003
    ASSERT_TRUE(view.WaitFor([&] { return view.refreshes > refreshes; }));
    EXPECT_EQ(device->ActiveProfileSlot(), 3);

    ASSERT_TRUE(backend->SwitchProfile(Peripheral::Keyboard, 2, 5));  // 0x1152
    ASSERT_TRUE(view.WaitFor([&] { return view.refreshes > refreshes + 1; }));
    EXPECT_EQ(device->ActiveProfileSlot(), 2);
    EXPECT_EQ(device->RawSettings().Bytes()[18], 5);
    EXPECT_GE(LinesEqualTo("接收到自动添加设备的同步信息要求  TEST"), 2);
}

TEST_F(KeyboardListenerTest, SyncRequestAsksThePageToReadTheSettingsSoon) {
    Connect();
    ASSERT_TRUE(device->StartListener(kKeyboardNotifyPath, hid::ProductCode::Keyboard));
    ASSERT_TRUE(backend->RequestSync(Peripheral::Keyboard));
    ASSERT_TRUE(view.WaitFor([&] { return !view.settingsReads.empty(); }));
    EXPECT_EQ(view.Read([&] { return view.settingsReads.front(); }), 50);
    EXPECT_EQ(LinesEqualTo("接收到自动添加设备的同步信息要求"), 1);
}

TEST_F(KeyboardListenerTest, ProfileSwitchIsIgnoredWhileTheMainChannelIsClosed) {
    ASSERT_TRUE(device->StartListener(kKeyboardNotifyPath, hid::ProductCode::Keyboard));
    ASSERT_TRUE(backend->SwitchProfile(Peripheral::Keyboard, 3));
    ASSERT_TRUE(backend->RequestSync(Peripheral::Keyboard));  // a marker after the switch
    ASSERT_TRUE(view.WaitFor([&] { return !view.settingsReads.empty(); }));
    EXPECT_EQ(device->ActiveProfileSlot(), 0);
    EXPECT_EQ(view.Read([&] { return view.refreshes; }), 0);
}

// Both listeners block in a read without a time-out; stopping wakes them, and they say so.
TEST_F(KeyboardListenerTest, StopEndsBlockedListenersOnBothLinks) {
    backend->Plug(emulator::Product::KeyboardReceiver);
    ASSERT_TRUE(device->StartListener(kKeyboardNotifyPath, hid::ProductCode::Keyboard));
    ASSERT_TRUE(device->StartListener(kReceiverNotifyPath, hid::ProductCode::KeyboardReceiver));
    EXPECT_FALSE(device->StartListener(kKeyboardNotifyPath, hid::ProductCode::Mouse));
    EXPECT_TRUE(device->IsListening(hid::ProductCode::Keyboard));
    EXPECT_TRUE(device->IsListening(hid::ProductCode::KeyboardReceiver));

    device->StopListeners();
    EXPECT_FALSE(device->IsListening(hid::ProductCode::Keyboard));
    EXPECT_FALSE(device->IsListening(hid::ProductCode::KeyboardReceiver));
    EXPECT_EQ(LinesEqualTo("MS 设备同步线程设定退出"), 2);
    EXPECT_EQ(LinesEqualTo("线程退出：：对象处于激发状态"), 2);
    EXPECT_FALSE(device->ListenChannel().WiredHandle().IsOpen());
}

TEST_F(KeyboardListenerTest, ListenerSurvivesTheKeyboardBeingUnplugged) {
    ASSERT_TRUE(device->StartListener(kKeyboardNotifyPath, hid::ProductCode::Keyboard));
    backend->Unplug(emulator::Product::Keyboard);
    device->StopListeners();
    EXPECT_EQ(LinesEqualTo("MS 设备同步线程设定退出"), 1);
}

}  // namespace
}  // namespace vestra::test
