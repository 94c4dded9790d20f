#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "KeyboardDeviceFixture.h"
#include "audio/SimulatedAudioLibrary.h"
#include "device/model/CHalvorinHS6533Device.h"
#include "device/model/HeadsetLeds.h"

namespace vestra::test {
namespace {

using audio::AudioFlow;
using audio::PropertyAccess;
using audio::SimulatedAudioLibrary;
using Call = SimulatedAudioLibrary::Call;
using emulator::Peripheral;

const std::string kHeadsetPath = "emu:headset#vid_0c76&pid_1630&mi_03";

class HeadsetDeviceTest : public ::testing::Test {
protected:
    explicit HeadsetDeviceTest(
        audio::SimulatedAudioSetup setup = audio::SimulatedAudioSetup::Headset())
        : library(std::move(setup)) {
        backend->Plug(emulator::Product::Headset);
        MakeDevice(&library);
    }

    void MakeDevice(audio::AudioConfigLibrary* audio) {
        device = std::make_unique<CHalvorinHS6533Device>(*backend, audio);
        device->AttachView(&view);
    }

    void Open() {
        protocol::DeviceChannel& channel = device->Channel();
        {
            std::lock_guard io(channel.IoLock());
            ASSERT_TRUE(channel.WiredHandle().Open(kHeadsetPath, hid::HidAccess::ReadWrite,
                                                   hid::HidSharing::Shared));
        }
        channel.SetOpen(true);
        channel.SetConnectionType(protocol::kConnectionCable);
    }

    // The library calls on one property, in order.
    std::vector<Call> CallsTo(const std::string& property) const {
        std::vector<Call> calls;
        for (const Call& call : library.Calls()) {
            if (call.property == property) calls.push_back(call);
        }
        return calls;
    }
    std::vector<Call> WritesTo(const std::string& property) const {
        std::vector<Call> writes;
        for (const Call& call : CallsTo(property)) {
            if (call.access == PropertyAccess::Write) writes.push_back(call);
        }
        return writes;
    }

    ScopedDataHome home;
    std::shared_ptr<emulator::EmulatedHidBackend> backend = emulator::EmulatedHidBackend::Create();
    SimulatedAudioLibrary library;
    RecordingView view;
    std::unique_ptr<CHalvorinHS6533Device> device;
};

TEST(HeadsetLedsTest, ReportsFollowTheRegisterOrderAndCapAt247) {
    std::vector<protocol::KeyColour> leds(kHeadsetLedCount);
    leds[0] = {255, 255, 255, 255};
    leds[8] = {128, 64, 0, 128};
    const auto reports = BuildHeadsetLedReports(leds);
    const uint8_t order[][2] = {{0x22, 0xAA}, {0x22, 0xAD}, {0x44, 0xAA}, {0x44, 0xAD},
                                {0x22, 0xAB}, {0x22, 0xAE}, {0x44, 0xAB}, {0x44, 0xAE},
                                {0x22, 0xAC}, {0x22, 0xAF}, {0x44, 0xAC}, {0x44, 0xAF}};
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].reportId, 0xFF);
        EXPECT_EQ(reports[i].bank, order[i][0]) << i;
        EXPECT_EQ(reports[i].reg, order[i][1]) << i;
        if (i % 2) {
            EXPECT_EQ(reports[i].values[6], 0) << "LEDs 7-12 take six values";
        }
    }
    EXPECT_EQ(reports[0].values[0], 247);  // (255 × 255) >> 8 = 254, capped
    EXPECT_EQ(reports[1].values[1], 64);   // LED 8, red: (128 × 128) >> 8
    EXPECT_EQ(reports[5].values[1], 32);   // LED 8, green
    EXPECT_EQ(HeadsetLedValue(200, 255), 199);
}

TEST_F(HeadsetDeviceTest, LedColoursReachBothBanksOfTheChip) {
    Open();
    device->SetKeyColour(0, {255, 255, 255, 255});
    device->SetKeyColour(12, {0, 0, 255, 255});
    device->RefreshKeyColours();
    const emulator::DeviceMemory memory = backend->Memory(Peripheral::Headset);
    for (int bank : {0, 1}) {
        EXPECT_EQ(memory.HeadsetLed(bank, 0), (std::array<uint8_t, 3>{247, 247, 247}));
        EXPECT_EQ(memory.HeadsetLed(bank, 12), (std::array<uint8_t, 3>{0, 0, 247}));
    }
    EXPECT_EQ(view.Read([&] { return view.frames; }), 1);

    // With host light control off nothing is shown or sent.
    device->SetHostLightControl(false);
    device->SetKeyColour(0, {0, 0, 0, 0});
    device->RefreshKeyColours();
    EXPECT_EQ(backend->Memory(Peripheral::Headset).HeadsetLed(0, 0)[0], 247);
}

TEST_F(HeadsetDeviceTest, SettingsAndPowerStatusOverTheSingleCollection) {
    Open();
    ASSERT_EQ(device->ReadSettingsFromDevice(), protocol::RESULT_OK);
    LightSettingsRecord settings = device->Settings();
    EXPECT_LE(settings.speed, 4);
    device->LoadProfile();
    LightInfoRecord light = device->LightInfo();
    light.speed = 3;
    device->SetLightInfo(light);
    ASSERT_EQ(device->WriteSettings(0), protocol::RESULT_OK);
    const emulator::DeviceMemory memory = backend->Memory(Peripheral::Headset);
    EXPECT_EQ(memory.Bytes(emulator::Region::Settings)[3], 1);

    backend->SetPower(Peripheral::Headset, 80, emulator::PowerState::Charging);
    ASSERT_EQ(device->ReadPowerStatus(), protocol::RESULT_OK);
    ASSERT_EQ(view.power.size(), 1u);
    EXPECT_EQ(view.power[0].batteryPercent, 80);
    EXPECT_EQ(view.power[0].wireless, 0);
}

TEST_F(HeadsetDeviceTest, InitWritesDefaultsOnlyWhereNothingIsSet) {
    library.CreateDeviceList();
    library.SetValue(AudioFlow::Playback, 0, "EQ_Slider4", "6");
    library.SetValue(AudioFlow::Capture, 0, "VolumeScalarControl", "0.5");
    device->LoadProfile();
    device->AudioInit();

    EXPECT_TRUE(WritesTo("EQ_Slider4").empty());
    EXPECT_EQ(library.Value(AudioFlow::Playback, 0, "EQ_Slider1"), "0");
    EXPECT_EQ(library.Value(AudioFlow::Playback, 0, "VirtualSurroundEffectControl"), "0");
    EXPECT_EQ(CallsTo("VirtualSurroundEffectControl")[0].channel, 4);  // the selector record
    EXPECT_EQ(device->SystemSettings().micInValue, 50);
    EXPECT_EQ(device->SystemSettings().micInSelect, 1);  // mute written 0
    EXPECT_TRUE(device->MagicVoiceSupported());
    EXPECT_EQ(device->CaptureEndpoint().features[0], 0x20000);
    ASSERT_TRUE(device->MicRange().max);
    EXPECT_DOUBLE_EQ(*device->MicRange().max, 12.0);

    // Once per object.
    library.ClearCalls();
    device->AudioInit();
    EXPECT_TRUE(library.Calls().empty());
}

TEST_F(HeadsetDeviceTest, MicrophoneLevelIsWrittenAsAFractionAndStored) {
    device->LoadProfile();
    device->AudioInit();
    library.ClearCalls();
    ASSERT_TRUE(device->SetMicLevel(37));
    const std::vector<Call> writes = WritesTo("VolumeScalarControl");
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].value, "0.37");
    EXPECT_EQ(writes[0].channel, -1);
    EXPECT_EQ(device->Profile().GetSystemSetStages().micInValue, 37);
    ASSERT_TRUE(device->MicRange().current);
    EXPECT_NEAR(*device->MicRange().current, -3.12, 1e-6);

    // Read back, a float a hair below 0.37 is still level 37.
    device->ReadAudioState();
    EXPECT_EQ(device->SystemSettings().micInValue, 37);

    ASSERT_TRUE(device->SetMonitorLevel(12));
    EXPECT_EQ(WritesTo("AAVolumeScalarControl").at(0).channel, 0);
    EXPECT_EQ(CallsTo("AAVolumeControl").back().channel, 1);
}

TEST_F(HeadsetDeviceTest, VoiceChangerTypeZeroIsIgnoredAndTypeFourWritesThree) {
    device->LoadProfile();
    device->AudioInit();
    library.ClearCalls();
    EXPECT_FALSE(device->SetMagicVoiceType(0));
    EXPECT_FALSE(device->SetMagicVoiceType(5));
    EXPECT_TRUE(library.Calls().empty());
    ASSERT_TRUE(device->SetMagicVoiceType(4));
    ASSERT_EQ(WritesTo("MagicVoice_Selection").size(), 1u);
    EXPECT_EQ(WritesTo("MagicVoice_Selection")[0].value, "3");
    EXPECT_EQ(device->Profile().GetSystemSetStages().magicType, 4);

    device->SetMagicVoice(true);
    EXPECT_EQ(WritesTo("Enable_MAGICVOICE").at(0).value, "1");
    EXPECT_EQ(WritesTo("Enable_MICECHO").at(0).value, "0");
}

TEST_F(HeadsetDeviceTest, RefusedMuteChangesNothing) {
    device->LoadProfile();
    device->AudioInit();
    ASSERT_TRUE(device->ToggleMicMute());
    EXPECT_EQ(device->SystemSettings().micInSelect, 0);
    EXPECT_EQ(library.Value(AudioFlow::Capture, 0, "MuteControl"), "1");

    library.SetSupported("MuteControl", false);
    EXPECT_FALSE(device->ToggleMicMute());
    EXPECT_EQ(device->SystemSettings().micInSelect, 0);
    EXPECT_EQ(device->Profile().GetSystemSetStages().micInSelect, 0);
}

TEST_F(HeadsetDeviceTest, EqualiserGoesToThePlaybackEndpoint) {
    device->LoadProfile();
    device->AudioInit();
    ASSERT_TRUE(device->Eq().Select(11));
    EXPECT_EQ(library.Value(AudioFlow::Playback, 0, "Enable_EQ_GFX"), "1");
    EXPECT_EQ(library.Value(AudioFlow::Playback, 0, "EQ_Slider1"), "18");
    EXPECT_EQ(device->Profile().GetSystemSetStages().eqType, 11);
    EXPECT_FALSE(library.Value(AudioFlow::Capture, 0, "EQ_Slider1"));
}

TEST_F(HeadsetDeviceTest, SyncRequestAsksForASettingsRead) {
    ASSERT_TRUE(device->StartListener(kHeadsetPath));
    ASSERT_TRUE(backend->RequestSync(Peripheral::Headset));
    ASSERT_TRUE(view.WaitFor([&] { return !view.settingsReads.empty(); }));
    EXPECT_EQ(view.Read([&] { return view.settingsReads.front(); }), 500);
}

class HeadsetEndpointTest : public HeadsetDeviceTest {
protected:
    static audio::SimulatedAudioSetup TwoOutputs() {
        audio::SimulatedAudioSetup setup;
        setup.playback = {{4, 1, "0,0,0,0,0,0,0"}, {12, 1, "0,0,0,0,0,0,0"}, {1, 0, ""}};
        setup.capture = {{2, 1, "0,1,2"}};  // too short: no features
        return setup;
    }
    HeadsetEndpointTest() : HeadsetDeviceTest(TwoOutputs()) {}
};

TEST_F(HeadsetEndpointTest, PrefersAnActiveTypeTwelveOverTypeFour) {
    device->LoadProfile();
    device->AudioInit();
    ASSERT_TRUE(device->PlaybackEndpoint().found);
    EXPECT_EQ(device->PlaybackEndpoint().record.type, 12);
    EXPECT_EQ(device->PlaybackEndpoint().record.id, 1);
    // The short feature list leaves the voice changer unsupported: its switch is not taken.
    library.SetValue(AudioFlow::Capture, 0, "Enable_MAGICVOICE", "1");
    device->ReadAudioState();
    EXPECT_FALSE(device->MagicVoiceSupported());
    EXPECT_EQ(device->SystemSettings().magicEnable, 0);
}

TEST_F(HeadsetDeviceTest, WithoutTheLibraryTheAudioHalfChangesNothingButTheEqualiserIsStored) {
    MakeDevice(nullptr);
    device->LoadProfile();
    device->AudioInit();
    const HeadsetSystemSettings before = device->SystemSettings();
    EXPECT_FALSE(device->SetMicLevel(80));
    EXPECT_FALSE(device->SetMonitorMute(true));
    EXPECT_EQ(device->SystemSettings().micInValue, before.micInValue);
    ASSERT_TRUE(device->Eq().Select(2));
    EXPECT_EQ(device->Profile().GetSystemSetStages().eqType, 2);
    EXPECT_TRUE(library.Calls().empty());
}

}  // namespace
}  // namespace vestra::test
