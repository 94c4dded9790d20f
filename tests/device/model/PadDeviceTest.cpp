#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "KeyboardDeviceFixture.h"
#include "device/model/CHalvorinMousePadDevice.h"
#include "profile/JsonFile.h"
#include "support/ManualClock.h"

namespace vestra::test {
namespace {

using emulator::Peripheral;
using emulator::Region;

const std::string kPadCommandPath = "emu:pad#vid_320f&pid_1004&mi_01&col04";
const std::string kPadNotifyPath = "emu:pad#vid_320f&pid_1004&mi_01&col03";

// The pad's modes: index i has code i + 1 for the first eight, index 8 ("off") code 0.
constexpr uint8_t kMarqueeIndex = 6;
constexpr uint8_t kMarqueeCode = 7;

class PadDeviceTest : public ::testing::Test {
protected:
    PadDeviceTest() {
        backend->Plug(emulator::Product::Pad);
        device = std::make_unique<CHalvorinMousePadDevice>(*backend, clock);
        device->AttachView(&view);
    }

    void Open() {
        protocol::DeviceChannel& channel = device->Channel();
        {
            std::lock_guard io(channel.IoLock());
            ASSERT_TRUE(channel.WiredHandle().Open(kPadCommandPath, hid::HidAccess::ReadWrite,
                                                   hid::HidSharing::Shared));
        }
        channel.SetOpen(true);
        channel.SetConnectionType(protocol::kConnectionCable);
    }

    // Slot 0's record in the pad's memory; the slot byte at address 0 selects slot 0.
    void EditRecord(const std::function<void(std::span<uint8_t>)>& edit) {
        emulator::DeviceMemory memory = backend->Memory(Peripheral::Pad);
        std::span<uint8_t> settings = memory.Bytes(Region::Settings);
        settings[0] = 0;
        edit(settings.first(protocol::kSettingsReadSize));
        backend->SetMemory(Peripheral::Pad, memory);
    }
    std::span<const uint8_t> Record() {
        m_memory = backend->Memory(Peripheral::Pad);
        return m_memory.Bytes(Region::Settings).first(protocol::kSettingsReadSize);
    }

    ScopedDataHome home;
    ManualClock clock;
    std::shared_ptr<emulator::EmulatedHidBackend> backend = emulator::EmulatedHidBackend::Create();
    RecordingView view;
    std::unique_ptr<CHalvorinMousePadDevice> device;

private:
    emulator::DeviceMemory m_memory;
};

TEST_F(PadDeviceTest, SpeedAndModeAreTranslatedBothWaysAndTheMirrorKeepsTheIndex) {
    Open();
    EditRecord([](std::span<uint8_t> record) {
        record[1] = kMarqueeCode;
        record[3] = 1;      // 4 - speed
        record[12] = 0x5A;  // bytes 9-20 travel unchanged
    });
    ASSERT_EQ(device->ReadSettingsFromDevice(), protocol::RESULT_OK);
    EXPECT_EQ(device->Settings().mode, kMarqueeIndex);
    EXPECT_EQ(device->Settings().speed, 3);

    EditRecord([](std::span<uint8_t> record) { record[1] = record[3] = record[12] = 0; });
    ASSERT_EQ(device->WriteSettings(0), protocol::RESULT_OK);
    EXPECT_EQ(Record()[1], kMarqueeCode);
    EXPECT_EQ(Record()[3], 1);
    EXPECT_EQ(Record()[12], 0x5A);
    // The lighting thread keeps choosing its effect by the index after the write.
    EXPECT_EQ(device->Settings().mode, kMarqueeIndex);
    EXPECT_EQ(device->Settings().speed, 3);
    EXPECT_FALSE(backend->BracketOpen(Peripheral::Pad));
}

TEST_F(PadDeviceTest, AnUnknownModeCodeIsKeptAsTheIndexAndPlaysTheCustomList) {
    Open();
    EditRecord([](std::span<uint8_t> record) {
        record[1] = 0x77;
        record[2] = 4;
    });
    ASSERT_EQ(device->ReadSettingsFromDevice(), protocol::RESULT_OK);
    EXPECT_EQ(device->Settings().mode, 0x77);
    for (int i = 0; i < 15; ++i) device->SetKeyColour(i, {255, 255, 255, 255});
    device->RunLightingPass(clock.NowMs());
    // No custom effect file: the pad shows dark.
    for (const KeyColour& colour : device->KeyColours()) EXPECT_EQ(colour, KeyColour{});
}

TEST_F(PadDeviceTest, ADirectionChosenOnThePageIsWritten) {
    Open();
    device->LoadProfile();
    LightInfoRecord light = device->LightInfo();
    light.fx = light.fx ? 0 : 1;
    light.speed = 4;
    device->SetLightInfo(light);
    ASSERT_EQ(device->WriteSettings(0), protocol::RESULT_OK);
    EXPECT_EQ(Record()[4], light.fx);
    EXPECT_EQ(Record()[3], 0);
}

TEST_F(PadDeviceTest, FailedOrImpossibleReadsLeaveTheMirror) {
    EditRecord([](std::span<uint8_t> record) { record[3] = 1; });
    EXPECT_EQ(device->ReadSettingsFromDevice(), protocol::RESULT_CLOSED);
    EXPECT_EQ(device->WriteSettings(0), protocol::RESULT_CLOSED);

    Open();
    ASSERT_EQ(device->ReadSettingsFromDevice(), protocol::RESULT_OK);
    ASSERT_EQ(device->Settings().speed, 3);
    emulator::FaultPlan faults;
    faults.errorReplies = 5;
    backend->SetFaults(emulator::Product::Pad, faults);
    EXPECT_EQ(device->ReadSettingsFromDevice(), protocol::RESULT_DEVICE_ERROR_FF);
    // A second translation of the same bytes would turn speed 3 into 1.
    EXPECT_EQ(device->Settings().speed, 3);
    EXPECT_EQ(device->PreviousSettings().speed, 3);
}

TEST_F(PadDeviceTest, SyncRequestOnThePadAsksForASettingsReadIn500Ms) {
    ASSERT_TRUE(device->StartListener(kPadNotifyPath));
    ASSERT_TRUE(backend->RequestSync(Peripheral::Pad));
    ASSERT_TRUE(view.WaitFor([&] { return !view.settingsReads.empty(); }));
    EXPECT_EQ(view.Read([&] { return view.settingsReads.front(); }), 500);
    device->StopListener();
    EXPECT_FALSE(device->IsListening());
}

// The custom effect file the light configuration names for a mode is played step by step.
TEST_F(PadDeviceTest, CustomEffectFileOfTheModeIsPlayed) {
    Json::Value config;
    config["LightInfo"][0][5]["Guid"] = "steps";
    ASSERT_EQ(JsonFile::Write(device->DataFolder() / "kavro_light.config", config),
              JsonFile::WriteResult::Ok);
    Json::Value effect;
    for (int time : {1000, 500, 2000}) {
        Json::Value step;
        step["LEDREGMode"] = 1;
        step["LEDBrightness"] = 4;
        step["LEDSpeed"] = 4;
        step["green"] = 255;
        step["Time"] = time;
        effect["LEDEffectList"].append(step);
    }
    ASSERT_EQ(JsonFile::Write(device->DataFolder() / "steps.light", effect),
              JsonFile::WriteResult::Ok);

    Open();
    device->LoadProfile();
    LightInfoRecord light = device->LightInfo();
    light.selectItem = 5;
    device->SetLightInfo(light);
    for (int i = 0; i < 600; ++i) {
        device->RunLightingPass(clock.NowMs());
        clock.Advance(2);
    }
    EXPECT_EQ(device->CurrentCustomStep(), 1u);
    EXPECT_EQ(device->KeyColours()[0], (KeyColour{0, 255, 0, 255}));
}

// The real thread on the machine's clock: it previews the pad's effect until it is stopped.
TEST(PadDeviceThreadTest, ConnectingStartsTheLightingPreview) {
    ScopedDataHome home;
    auto backend = emulator::EmulatedHidBackend::Create();
    backend->Plug(emulator::Product::Pad);
    RecordingView view;
    CHalvorinMousePadDevice device(*backend);
    device.AttachView(&view);
    {
        std::lock_guard io(device.Channel().IoLock());
        ASSERT_TRUE(device.Channel().WiredHandle().Open(kPadCommandPath, hid::HidAccess::ReadWrite,
                                                        hid::HidSharing::Shared));
    }
    device.Channel().SetOpen(true);
    EXPECT_EQ(device.OnConnected(), protocol::RESULT_OK);
    ASSERT_TRUE(view.WaitFor([&] { return view.frames >= 3; }));
    device.StopLighting();
    device.AttachView(nullptr);
}

}  // namespace
}  // namespace vestra::test
