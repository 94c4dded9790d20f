// The mouse's notifications and its preview effects.
#include <gtest/gtest.h>

#include <algorithm>

#include "MouseDeviceFixture.h"
#include "device/model/LightTables.h"
#include "device/model/MousePreviewEffects.h"

namespace vestra::test {
namespace {

using MouseListenerTest = MouseDeviceFixture;

TEST_F(MouseListenerTest, SyncRequestSchedulesASettingsRead) {
    Connect();
    ASSERT_TRUE(device->StartListener(kMouseNotifyPath, hid::ProductCode::Mouse));
    ASSERT_TRUE(backend->RequestSync(emulator::Peripheral::Mouse));
    ASSERT_TRUE(view.WaitFor([&] { return !view.settingsReads.empty(); }));
    EXPECT_EQ(view.Read([&] { return view.settingsReads[0]; }),
              CHalvorinMouseDevice::kSyncReadDelayMs);
}

TEST_F(MouseListenerTest, ProfileSwitchSetsPageAndSelectedStage) {
    Connect();
    ASSERT_TRUE(device->StartListener(kMouseNotifyPath, hid::ProductCode::Mouse));
    const int before = view.Read([&] { return view.refreshes; });
    ASSERT_TRUE(backend->SwitchProfile(emulator::Peripheral::Mouse, 2, 3));  // 0x1132
    ASSERT_TRUE(view.WaitFor([&] { return view.refreshes > before; }));
    EXPECT_EQ(device->CurrentPage(), 2);
    // The page's thread takes the stage into the profile when it refreshes.
    device->RefreshPanels();
    EXPECT_EQ(device->SelectedStage(), 3);

    const int afterStage = view.Read([&] { return view.refreshes; });
    ASSERT_TRUE(backend->SwitchProfile(emulator::Peripheral::Mouse, 1));  // 0x1001
    ASSERT_TRUE(view.WaitFor([&] { return view.refreshes > afterStage; }));
    EXPECT_EQ(device->CurrentPage(), 1);
    device->RefreshPanels();
    EXPECT_EQ(device->SelectedStage(), 3);
    device->StopListeners();
    EXPECT_FALSE(device->IsListening(hid::ProductCode::Mouse));
}

LightInfoRecord Light(uint8_t effect, uint8_t level = 4) {
    LightInfoRecord light{};
    light.selectItem = effect;
    light.light = level;
    light.red = 10;
    light.green = 20;
    light.blue = 30;
    return light;
}

TEST(MousePreviewEffects, StaticAndOffFillEveryLed) {
    MousePreviewEffects effects;
    std::vector<KeyColour> leds(5);
    effects.RunFrame(Light(kMouseStatic, 1), 0, leds);
    for (const KeyColour& led : leds) {
        EXPECT_EQ(led.red, 10);
        EXPECT_EQ(led.blue, 30);
        EXPECT_EQ(led.brightness, kBrightnessLevels[1]);
    }
    effects.RunFrame(Light(kMouseOff), 0, leds);
    for (const KeyColour& led : leds) EXPECT_EQ(led.red | led.green | led.blue | led.brightness, 0);
}

TEST(MousePreviewEffects, ReactiveLightsUpOnAPressAndFades) {
    MousePreviewEffects effects;
    std::vector<KeyColour> leds(2);
    effects.RunFrame(Light(kMouseReactive), 0, leds);
    EXPECT_EQ(leds[0].brightness, 0);
    effects.RestartReaction();
    effects.RunFrame(Light(kMouseReactive), 0, leds);
    const uint8_t lit = leds[0].brightness;
    EXPECT_GT(lit, 200);
    effects.RunFrame(Light(kMouseReactive), 0, leds);
    EXPECT_LT(leds[0].brightness, lit);
}

TEST(MousePreviewEffects, CustomIndexesPlayTheStepsInTurn) {
    MousePreviewEffects effects;
    LightStep first{};
    first.red = 200;
    first.brightness = 4;
    first.time = 2;
    LightStep second{};
    second.blue = 100;
    second.brightness = 4;
    effects.SetCustomSteps({first, second});
    std::vector<KeyColour> leds(1);
    std::vector<uint8_t> reds;
    for (int frame = 0; frame < 4; ++frame) {
        effects.RunFrame(Light(kMouseFirstCustom + 3), 0, leds);
        reds.push_back(leds[0].red);
    }
    EXPECT_EQ(reds, (std::vector<uint8_t>{200, 200, 0, 200}));
}

TEST(MousePreviewEffects, FramePeriodFollowsTheSpeed) {
    EXPECT_EQ(MousePreviewEffects::FramePeriod(0), 28);
    EXPECT_EQ(MousePreviewEffects::FramePeriod(4), 7);
    EXPECT_EQ(MousePreviewEffects::FramePeriod(9), 7);
}

}  // namespace
}  // namespace vestra::test
