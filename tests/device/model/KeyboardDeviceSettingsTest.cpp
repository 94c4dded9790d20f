#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "KeyboardDeviceFixture.h"
#include "device/model/KeyboardSettings.h"
#include "platform/DebugLog.h"

namespace vestra::test {
namespace {

using emulator::Region;

using KeyboardSettingsTest = KeyboardDeviceFixture;

// Slot 1's record at 25, the slot byte at 0 pointing at it.
void PutSlotRecord(emulator::DeviceMemory& memory, uint8_t modeCode, uint8_t speedCode) {
    std::span<uint8_t> settings = memory.Bytes(Region::Settings);
    settings[0] = 1;
    settings[25 + 1] = modeCode;
    settings[25 + 2] = 3;  // brightness
    settings[25 + 3] = speedCode;
    settings[25 + 20] = 1;  // W flag
    settings[25 + 26] = 4;  // custom group
}

TEST_F(KeyboardSettingsTest, ReadDecodesModeCodesAndSpeedFromTheActiveSlot) {
    struct Case {
        uint8_t modeCode;
        uint8_t expectedIndex;
    };
    Connect();
    // Code 0 is the table's entry 28; code 200 is in no entry and is kept as the index.
    for (Case c : {Case{5, 5}, Case{0, 28}, Case{200, 200}}) {
        SCOPED_TRACE(c.modeCode);
        EditMemory([&](emulator::DeviceMemory& memory) { PutSlotRecord(memory, c.modeCode, 1); });
        ASSERT_EQ(device->ReadSettingsFromDevice(), protocol::RESULT_OK);
        const LightInfoRecord light = device->LightInfo();
        EXPECT_EQ(light.selectItem, c.expectedIndex);
        EXPECT_EQ(light.light, 3);
        EXPECT_EQ(light.speed, 3);
        EXPECT_EQ(light.customGroup, 4);
        EXPECT_EQ(device->ActiveProfileSlot(), 1);
        EXPECT_EQ(device->SystemSettings().wFlag, 1);
        // Taken into the profile and saved.
        CKeyboardProfiledata saved;
        saved.LoadEntry(device->GetProfilePath());
        EXPECT_EQ(saved.GetLightInfo().selectItem, c.expectedIndex);
        EXPECT_EQ(saved.GetSystemStages().wFlag, 1);
    }
}

TEST_F(KeyboardSettingsTest, FailedReadLeavesLightStateAndProfileAsTheyWere) {
    Connect();
    const LightInfoRecord before = device->LightInfo();
    emulator::FaultPlan faults;
    faults.errorReplies = 1;
    faults.errorStatus = 0xFF;
    backend->SetFaults(emulator::Product::Keyboard, faults);
    EXPECT_EQ(device->ReadSettingsFromDevice(), protocol::RESULT_DEVICE_ERROR_FF);
    const LightInfoRecord after = device->LightInfo();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST_F(KeyboardSettingsTest, WriteSendsTheRecordBytesAtSlotZero) {
    Connect();
    LightInfoRecord light{};
    light.selectItem = 28;  // device code 0
    light.light = 2;
    light.speed = 1;
    light.fx = 1;
    light.multiColor = 0;
    light.red = 10;
    light.green = 20;
    light.blue = 30;
    light.zzccLedMode = 6;
    light.customGroup = 5;
    device->SetLightInfo(light);
    device->SetSystemSettings({20, 2, 1, 3, 1, 1});  // repeat, delay, 6-key, rate, W, Win

    ASSERT_EQ(device->WriteSettings(0, 0), protocol::RESULT_OK);
    const emulator::DeviceMemory memory = Memory();
    const std::span<const uint8_t> written = memory.Bytes(Region::Settings).first(27);
    const std::vector<uint8_t> expected = {0, 0, 2, 3, 1, 0, 10, 20, 30, 0, 0, 0, 0, 0,
                                           0, 0, 0, 0, 0, 6, 1,  1,  1,  3, 0, 0, 5};
    EXPECT_EQ(std::vector<uint8_t>(written.begin(), written.end()), expected);

    // Host-side modes go out as mode index 0, whose code is 31.
    light.selectItem = 40;
    device->SetLightInfo(light);
    ASSERT_EQ(device->WriteSettings(), protocol::RESULT_OK);
    EXPECT_EQ(Memory().Bytes(Region::Settings)[1], 31);
}

TEST(KeyboardSystemSettings, ControlOptionsAndRepeatDelayText) {
    struct Case {
        uint16_t value;
        int option;
        int delayMs;
    };
    for (Case c : {Case{0, 0, 250}, Case{2, 2, 750}, Case{3, 3, 1000}, Case{4, 0, 250},
                   Case{0xFFFF, 0, 250}}) {
        EXPECT_EQ(RepeatDelayOption(c.value), c.option) << c.value;
        EXPECT_EQ(RepeatDelayMs(c.value), c.delayMs) << c.value;
        EXPECT_EQ(PollingRateOption(c.value), c.option) << c.value;
    }
}

// Mode 20: each key's colour is set by hand and sent at its LED in the custom colour group.
TEST_F(KeyboardSettingsTest, CustomKeyColourGoesToItsLedInTheGroup) {
    Connect();
    constexpr int kKeyA = 64;
    constexpr uint8_t kGroup = 2;
    LightInfoRecord light = device->LightInfo();
    light.selectItem = CHalvorinKeyboardDevice::kCustomColourMode;
    light.customGroup = kGroup;
    light.red = 0x11;
    light.green = 0x22;
    light.blue = 0x33;
    device->SetLightInfo(light);

    ASSERT_EQ(device->SetCustomKeyColour(kKeyA), protocol::RESULT_OK);
    const uint8_t led = device->KeyMap().ledOf[kKeyA];
    ASSERT_NE(led, kNoSlot);
    const emulator::DeviceMemory memory = Memory();
    // The frame: 3 bytes per LED of the keyboard's keys.
    const size_t frameSize = 3 * size_t{memory.Bytes(Region::Info)[5]};
    const std::span<const uint8_t> group =
        memory.Bytes(Region::CustomLight).subspan(kGroup * protocol::kCustomLightStride, frameSize);
    EXPECT_EQ(group[3 * led], 0x11);
    EXPECT_EQ(group[3 * led + 1], 0x22);
    EXPECT_EQ(group[3 * led + 2], 0x33);
    // Kept in the profile's group; the other keys keep the group's stored colours.
    CKeyboardProfiledata saved;
    saved.LoadEntry(device->GetProfilePath());
    const std::vector<CustomColor> stored = saved.GetCustomColors(kGroup, kKeyPositions);
    EXPECT_EQ(stored[kKeyA].red, 0x11);
    EXPECT_EQ(stored[kKeyA].blue, 0x33);
    const uint8_t escapeLed = device->KeyMap().ledOf[0];
    EXPECT_EQ(group[3 * escapeLed], stored[0].red);
    EXPECT_EQ(group[3 * escapeLed + 2], stored[0].blue);

    // Outside mode 20 nothing changes.
    light.selectItem = 1;
    light.red = 0x99;
    device->SetLightInfo(light);
    const emulator::DeviceMemory before = Memory();
    EXPECT_EQ(device->SetCustomKeyColour(kKeyA), protocol::RESULT_OK);
    EXPECT_EQ(Memory(), before);
}

TEST_F(KeyboardSettingsTest, HostLightControlOnTellsTheKeyboard) {
    Connect();
    EXPECT_FALSE(Memory().HostLightControl());
    EXPECT_EQ(device->SetHostLightControl(false), protocol::RESULT_OK);
    EXPECT_FALSE(Memory().HostLightControl());
    EXPECT_EQ(device->SetHostLightControl(true), protocol::RESULT_OK);
    EXPECT_TRUE(Memory().HostLightControl());
}

TEST_F(KeyboardSettingsTest, PowerStatusCarriesTheLink) {
    Connect();
    ASSERT_EQ(device->ReadPowerStatus(), protocol::RESULT_OK);
    const std::vector<protocol::PowerStatus> power = view.Read([&] { return view.power; });
    ASSERT_EQ(power.size(), 1u);
    EXPECT_EQ(power[0].batteryPercent, 92);
    EXPECT_EQ(power[0].wireless, 0);
    device->SetPowerQueryPaused(true);
    EXPECT_NE(device->ReadPowerStatus(), protocol::RESULT_OK);
}

TEST_F(KeyboardSettingsTest, OnConnectedLoadsRefreshesAndRunsTheLighting) {
    OpenCable();
    ASSERT_EQ(device->OnConnected(), protocol::RESULT_OK);
    EXPECT_TRUE(std::filesystem::exists(device->GetProfilePath()));
    EXPECT_GE(view.Read([&] { return view.refreshes; }), 1);
    EXPECT_NE(device->KeyMap().slotOf[0], kNoSlot);
    // The factory profile's wave is drawn into the key colours and shown.
    EXPECT_TRUE(view.WaitFor([&] { return view.frames > 0; }));

    std::vector<std::string> lines;
    std::mutex linesLock;
    DebugLog::SetObserver([&](std::string_view line) {
        std::lock_guard lock(linesLock);
        lines.emplace_back(line);
    });
    device.reset();
    DebugLog::SetObserver({});
    EXPECT_NE(std::find(lines.begin(), lines.end(), "KB灯光线程设定退出"), lines.end());
}

}  // namespace
}  // namespace vestra::test
