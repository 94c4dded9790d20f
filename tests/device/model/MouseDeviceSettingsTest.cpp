// The mouse's first synchronisation, its settings block and the DPI stage rules, against the
// emulated mouse.
#include <gtest/gtest.h>

#include "MouseDeviceFixture.h"
#include "device/model/MouseDpi.h"
#include "profile/CMouseProfiledata.h"
#include "profile/JsonFile.h"

namespace vestra::test {
namespace {

using emulator::Region;
using MouseSettingsTest = MouseDeviceFixture;

CMouseProfiledata SavedProfile(const CHalvorinMouseDevice& device) {
    CMouseProfiledata saved;
    saved.LoadEntry(device.GetProfilePath());
    saved.GetDpiStages();
    return saved;
}

TEST_F(MouseSettingsTest, ConnectMapsTheKeysAndTakesTheDeviceSettingsIntoTheProfile) {
    Connect();
    // The emulated mouse keeps back (10 08 00) before forward (10 10 00).
    const MouseSlotMap expected = {0, 1, 2, 4, 3, 5, 6, 7, 8, 9, 10};
    EXPECT_EQ(device->SlotMap(), expected);
    EXPECT_EQ(device->Scale().sliderMax, 290);  // the slider's end: 19000 DPI
    EXPECT_EQ(SliderToDpi(device->Scale().sliderMax), 19000);
    EXPECT_EQ(device->SelectedStage(), 1);
    EXPECT_EQ(device->PollingIndex(), 3);
    EXPECT_EQ(device->SensorHeight(), 1);
    EXPECT_EQ(device->LightInfo().selectItem, 0);  // code 1 is entry 0 of the mouse's list
    EXPECT_GE(view.refreshes, 1);
    const CMouseProfiledata saved = SavedProfile(*device);
    EXPECT_EQ(saved.GetProfessional().sensorHeight, 1);
    EXPECT_EQ(saved.GetMouseSystemStages().reportRate, 3);
}

TEST_F(MouseSettingsTest, ReadTakesTheCurrentPageAndKeepsUnknownEffectCodes) {
    Connect();
    EditMemory([](emulator::DeviceMemory& memory) {
        std::span<uint8_t> settings = memory.Bytes(Region::Settings);
        settings[0] = 2;                 // the mouse uses page 2
        settings[2 * 128 + 1] = 200;     // no effect has code 200
        settings[2 * 128 + 3] = 1;       // speed 3
        settings[2 * 128 + 11] = 4;      // polling
        settings[2 * 128 + 12] = 3;      // selected stage
        settings[2 * 128 + 14 + 2] = 7;  // stage 0 X: stages are not read back
    });
    const std::vector<DpiStage> stagesBefore = device->Stages();
    ASSERT_EQ(device->ReadSettingsFromDevice(), protocol::RESULT_OK);
    EXPECT_EQ(device->CurrentPage(), 2);
    EXPECT_EQ(device->LightInfo().selectItem, 200);
    EXPECT_EQ(device->LightInfo().speed, 3);
    EXPECT_EQ(device->PollingIndex(), 4);
    EXPECT_EQ(device->SelectedStage(), 3);
    EXPECT_EQ(device->Stages()[0].DpiX(), stagesBefore[0].DpiX());
    EXPECT_EQ(SavedProfile(*device).GetLightInfo().selectItem, 200);
}

TEST_F(MouseSettingsTest, FailedReadLeavesTheProfileAsItWas) {
    Connect();
    emulator::FaultPlan faults;
    faults.errorReplies = 1;
    faults.errorStatus = 0xFE;
    backend->SetFaults(emulator::Product::Mouse, faults);
    EXPECT_EQ(device->ReadSettingsFromDevice(), protocol::RESULT_DEVICE_ERROR_FE);
    EXPECT_EQ(device->SelectedStage(), 1);
    EXPECT_EQ(device->PollingIndex(), 3);
}

TEST_F(MouseSettingsTest, StageEditGoesToProfileAndSettingsBlock) {
    Connect();
    const uint16_t value = ParseStageEdit("12345", device->Scale());
    ASSERT_EQ(device->SetStageDpi(0, value), protocol::RESULT_OK);
    EXPECT_EQ(SavedProfile(*device).GetDpiStages()[0].DpiX(), 12300);

    const protocol::MouseSettingsBlock block = Block(0);
    EXPECT_EQ(block.stages[0].DpiX(), 12300);
    EXPECT_EQ(block.stages[0].DpiY(), 800);  // Y is kept as the profile has it
    EXPECT_EQ(block.zero0, 0);
    EXPECT_EQ(block.modeCode, 1);
    EXPECT_EQ(block.speedCode, 2);
    EXPECT_EQ(block.selectedStage, 1);
    EXPECT_EQ(block.pollingIndex, 3);
    EXPECT_EQ(block.one50, 1);
    EXPECT_EQ(block.ScreenWidth(), CHalvorinMouseDevice::kDefaultScreenWidth);
    // The first selected correction preset of the default profile: 12 / 4.
    EXPECT_EQ(block.correctMinSq, 12);
    EXPECT_EQ(block.correctPixThresh, 4);
    EXPECT_FALSE(backend->BracketOpen(emulator::Peripheral::Mouse));
}

TEST_F(MouseSettingsTest, BytesBeyondTheWrittenBlockStayAsTheMouseHasThem) {
    Connect();
    EditMemory([](emulator::DeviceMemory& memory) {
        std::span<uint8_t> settings = memory.Bytes(Region::Settings);
        for (int i = 57; i < 62; ++i) settings[i] = 0xA5;
    });
    ASSERT_EQ(device->SetPollingIndex(7), protocol::RESULT_OK);
    const protocol::MouseSettingsBlock block = Block(0);
    EXPECT_EQ(block.pollingIndex, 0);  // 7 is no option
    for (uint8_t byte : block.unwritten) EXPECT_EQ(byte, 0xA5);
}

TEST_F(MouseSettingsTest, ShortStageListIsLengthenedAndMissingStagesSentAsZeros) {
    Connect();
    // The profile file holds a single stage; a fresh device object loads it.
    const std::filesystem::path path = device->GetProfilePath();
    Json::Value document = JsonFile::Read(path);
    document["Device"][0]["DPIStages"]["StageDPIs"].resize(1);
    ASSERT_EQ(JsonFile::Write(path, document), JsonFile::WriteResult::Ok);
    device = std::make_unique<CHalvorinMouseDevice>(*backend);
    Connect();
    ASSERT_EQ(device->Stages().size(), 1u);

    ASSERT_EQ(device->SetStageColour(2, 9, 8, 7), protocol::RESULT_OK);
    EXPECT_EQ(device->Stages().size(), 3u);
    const protocol::MouseSettingsBlock block = Block(0);
    EXPECT_EQ(block.stages[0].DpiX(), 800);
    EXPECT_EQ(block.stages[1].DpiX(), 0);  // the zero stage it was lengthened with
    EXPECT_EQ(block.stages[2].red, 9);
    EXPECT_EQ(block.stages[3].active, 0);  // not in the list: zeros
    EXPECT_EQ(block.stages[3].DpiX(), 0);
}

TEST_F(MouseSettingsTest, LastEnabledAndSelectedStagesCannotBeSwitchedOff) {
    Connect();  // stage 1 selected, all four on
    EXPECT_EQ(device->SetStageEnabled(1, false), CHalvorinMouseDevice::kStageLocked);
    EXPECT_EQ(device->SetStageEnabled(0, false), protocol::RESULT_OK);
    EXPECT_EQ(device->SetStageEnabled(2, false), protocol::RESULT_OK);
    EXPECT_EQ(device->SetStageEnabled(3, false), protocol::RESULT_OK);
    EXPECT_EQ(device->SelectStage(0), CHalvorinMouseDevice::kStageLocked);  // it is off
    EXPECT_EQ(device->SetStageEnabled(7, true), CHalvorinMouseDevice::kBadStage);
    const protocol::MouseSettingsBlock block = Block(0);
    EXPECT_EQ(block.stages[0].active, 0);
    EXPECT_EQ(block.stages[1].active, 1);
    EXPECT_EQ(block.selectedStage, 1);
}

TEST_F(MouseSettingsTest, PointerSettingsStayInTheProfile) {
    Connect();
    const std::string before = Memory().ToJson()["Settings"].asString();
    MouseSystemSettings pointer{};
    pointer.doubleClickTime = 400;
    pointer.mouseSpeed = 15;
    pointer.wheelScrollLines = 5;
    pointer.reportRate = 0;  // not a pointer setting: the polling index stays
    device->SetPointerSettings(pointer);
    const MouseSystemSettings saved = SavedProfile(*device).GetMouseSystemStages();
    EXPECT_EQ(saved.doubleClickTime, 400);
    EXPECT_EQ(saved.mouseSpeed, 15);
    EXPECT_EQ(saved.reportRate, 3);
    EXPECT_EQ(Memory().ToJson()["Settings"].asString(), before);  // nothing sent
}

TEST_F(MouseSettingsTest, ReceiverGuardStopsWritesWhileTheMouseSleeps) {
    backend->Plug(emulator::Product::MouseReceiver);
    Open(kMouseReceiverCommandPath, protocol::kConnectionReceiver);
    ASSERT_EQ(device->OnConnected(), protocol::RESULT_OK);
    device->StopPreview();
    ASSERT_EQ(device->SetStageDpi(2, 4000), protocol::RESULT_OK);
    EXPECT_EQ(Block(0).stages[2].DpiX(), 4000);

    backend->SetAsleep(emulator::Peripheral::Mouse, true);
    EXPECT_EQ(device->SetStageDpi(2, 5000), protocol::RESULT_CLOSED);
    EXPECT_EQ(device->WriteCurrentKeyMap(), protocol::RESULT_CLOSED);
    EXPECT_EQ(Block(0).stages[2].DpiX(), 4000);
    // The profile is the source of truth and holds the edit all the same.
    EXPECT_EQ(SavedProfile(*device).GetDpiStages()[2].DpiX(), 5000);
}

}  // namespace
}  // namespace vestra::test
