// The keyboard, mouse and headset profile data.
#include <gtest/gtest.h>

#include <filesystem>

#include "ProfileFixture.h"
#include "profile/CHs6533Profiledata.h"
#include "profile/CKeyboardProfiledata.h"
#include "profile/CMouseProfiledata.h"
#include "support/TempFolder.h"

namespace vestra {
namespace {
namespace fs = std::filesystem;

// Loads entry (JSON text) as the working entry of data.
void Load(CBasicProfiledata& data, const test::TempFolder& folder, const std::string& entry) {
    const fs::path path = folder.Write("p.Json", R"({"Device": [)" + entry + "]}");
    data.SetProfilePath(path);
    data.LoadEntry(path);
}

TEST(CKeyboardProfiledataTest, SystemStagesAreStoredAsSixteenBitHalves) {
    test::TempFolder folder;
    CKeyboardProfiledata data;
    Load(data, folder, R"({"SystemStages": {"Other": 1}})");
    data.SetSystemStages(0x00FA0021, 0x03E80001, 0x00010000);
    EXPECT_EQ(data.Entry()["SystemStages"], test::ParseJson(R"({"Other": 1, "Repeat": 33,
        "RepeatDelay": 250, "Key6Flag": 1, "PollingRate": 1000, "WFlag": 0, "WinFlag": 1})"));
    const KeyboardSystemSettings settings = data.GetSystemStages();
    EXPECT_EQ(settings.repeatDelay, 250);
    EXPECT_EQ(settings.pollingRate, 1000);
    EXPECT_EQ(settings.winFlag, 1);
}

TEST(CKeyboardProfiledataTest, MissingCustomColoursAreWrittenAsZeros) {
    test::TempFolder folder;
    CKeyboardProfiledata data;
    Load(data, folder, R"({"CustomLightMode": {"LightColorInfo": [null,
        [{"Red": 1, "Green": 2, "Blue": 3, "Alpha": 4, "Note": "kept"}, null]]}})");

    // A missing group: count zero colours, also written into the entry.
    EXPECT_EQ(data.GetCustomColors(0, 3).size(), 3u);
    EXPECT_EQ(data.Entry()["CustomLightMode"]["LightColorInfo"][0][2],
              test::ParseJson(R"({"Red": 0, "Green": 0, "Blue": 0, "Alpha": 0})"));

    // A group with a null element: the stored colour and a zero one.
    const std::vector<CustomColor> colors = data.GetCustomColors(1, 2);
    ASSERT_EQ(colors.size(), 2u);
    EXPECT_EQ(colors[0].alpha, 4);
    EXPECT_EQ(colors[1].red, 0);
    EXPECT_TRUE(data.Entry()["CustomLightMode"]["LightColorInfo"][1][1].isObject());

    // Setting keeps other keys of an element.
    data.SetCustomColors({{9, 8, 7, 6}}, 1);
    EXPECT_EQ(data.Entry()["CustomLightMode"]["LightColorInfo"][1][0]["Note"], "kept");
    EXPECT_EQ(data.GetCustomColors(1, 1)[0].red, 9);

    // A group index read from a damaged file allocates nothing.
    EXPECT_TRUE(data.GetCustomColors(2000000000, 4).empty());
}

TEST(CKeyboardProfiledataTest, CustomGroupIndexDefaultsToZero) {
    test::TempFolder folder;
    CKeyboardProfiledata data;
    Load(data, folder, "{}");
    EXPECT_EQ(data.GetCustomGroupIndex(), 0);
    data.SetCustomGroupIndex(3);
    EXPECT_EQ(data.GetCustomGroupIndex(), 3);
}

DpiStage Stage(uint8_t active, uint8_t xy, uint16_t x, uint16_t y, uint8_t r, uint8_t g,
               uint8_t b) {
    DpiStage stage{active, xy, {}, {}, r, g, b};
    stage.SetDpiX(x);
    stage.SetDpiY(y);
    return stage;
}

TEST(CMouseProfiledataTest, StoredStagesAreMergedOverTheHeldOnes) {
    test::TempFolder folder;
    CMouseProfiledata data;
    Load(data, folder, "{}");
    data.SetDpiStages(std::vector<DpiStage>(5, Stage(1, 0, 800, 800, 1, 2, 3)));
    data.SetActiveStage(4);

    Load(data, folder, R"({"DPIStages": {"StageActive": 1, "StageDPIs": [
        {"StageDPIX": 400}, {"StageDPIX": 1600, "StageColorB": 9}, {"StageDPIY": 3200}]}})");
    const std::vector<DpiStage> stages = data.GetDpiStages();
    ASSERT_EQ(stages.size(), 5u);
    EXPECT_EQ(stages[0].DpiX(), 400);
    EXPECT_EQ(stages[0].colorRed, 0);  // read stages replace held ones entirely
    EXPECT_EQ(stages[1].colorBlue, 9);
    EXPECT_EQ(stages[2].DpiY(), 3200);
    EXPECT_EQ(stages[3].DpiX(), 800);
    EXPECT_EQ(stages[4].colorBlue, 3);
    EXPECT_EQ(data.GetActiveStage(), 1);

    // Without "DPIStages" the held stages and active stage stay.
    Load(data, folder, "{}");
    EXPECT_EQ(data.GetDpiStages().size(), 5u);
    EXPECT_EQ(data.GetActiveStage(), 1);
}

TEST(CMouseProfiledataTest, SetDpiStagesWritesEachValueAndKeepsOthers) {
    test::TempFolder folder;
    CMouseProfiledata data;
    Load(data, folder, R"({"DPIStages": {"StageDPIs": [{"Label": "a"}]}})");
    data.SetDpiStages({Stage(1, 1, 12000, 400, 255, 0, 128)});
    EXPECT_EQ(data.Entry()["DPIStages"]["StageDPIs"][0], test::ParseJson(R"({"Label": "a",
        "StageActive": 1, "StageXY": 1, "StageDPIX": 12000, "StageDPIY": 400,
        "StageColorR": 255, "StageColorG": 0, "StageColorB": 128})"));
}

TEST(CMouseProfiledataTest, SystemStagesTakeTheReportRateFromItsOwnKey) {
    test::TempFolder folder;
    CMouseProfiledata data;
    Load(data, folder, R"({"SystemStages": {"DoubleClickTime": 500, "MouseSpeed": 10,
        "PointerPrecision": 1, "ScorllPage": 3, "WheelScorlllinse": 4}})");
    MouseSystemSettings settings = data.GetMouseSystemStages();
    EXPECT_EQ(settings.doubleClickTime, 500);
    EXPECT_EQ(settings.wheelScrollLines, 4);
    EXPECT_EQ(settings.reportRate, 0);

    data.SetMouseSystemStages(0x000A01F4, 0x00030001, 0x00020004);
    EXPECT_EQ(data.Entry()["ReportStages"]["StageActive"], 2);
    EXPECT_EQ(data.Entry()["SystemStages"]["MouseSpeed"], 10);
    EXPECT_EQ(data.GetMouseSystemStages().reportRate, 2);
}

TEST(CMouseProfiledataTest, CorrectionPresetsAndProfessionalSettings) {
    test::TempFolder folder;
    CMouseProfiledata data;
    Load(data, folder, R"({"CorrectInfo": [{"CorrectPixThresh": 3, "CorrectMinSq": 4,
        "CorrectSelect": 1, "CorrectName": "Straight"}, null],
        "ProfessionalInfo": {"line_correct": 1, "wave_correct": 1, "Other": 7}})");
    const std::vector<CorrectPreset> presets = data.GetCorrectPresets();
    ASSERT_EQ(presets.size(), 2u);
    EXPECT_EQ(presets[0].name, "Straight");
    EXPECT_EQ(presets[0].minSq, 4);
    EXPECT_EQ(presets[1].name, "");

    EXPECT_EQ(data.GetProfessional().waveCorrect, 1);
    data.SetProfessional(0x04030201, 0);
    EXPECT_EQ(data.Entry()["ProfessionalInfo"], test::ParseJson(R"({"line_correct": 1,
        "delay_time": 2, "sensor_height": 3, "angle_set": 4, "wave_correct": 0, "Other": 7})"));
}

TEST(CHs6533ProfiledataTest, EqualiserTypesMapToTheirSlots) {
    test::TempFolder folder;
    CHs6533Profiledata data;
    Load(data, folder, "{}");

    // Type 13 (custom) has no slot: nothing read, nothing written.
    EXPECT_TRUE(data.GetEq(13).empty());
    data.SetEq(13, {5, 5, 5, 5, 5, 5, 5, 5, 5, 5});
    EXPECT_EQ(data.Entry(), test::ParseJson("{}"));

    // A missing slot reads as ten zeros and is created; earlier slots become null.
    EXPECT_EQ(data.GetEq(3), std::vector<int>(10, 0));
    const Json::Value& table = data.Entry()["EQHzValueInfo"];
    ASSERT_EQ(table.size(), 4u);
    EXPECT_TRUE(table[0].isNull() && table[1].isNull() && table[2].isNull());
    ASSERT_EQ(table[3].size(), 10u);
    EXPECT_EQ(table[3][9], test::ParseJson(R"({"value": 0})"));

    // Types 0 and above 13 share slot 1.
    data.SetEq(0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    EXPECT_EQ(data.GetEq(1)[9], 10);
    data.SetEq(20, {-1, -2, -3, -4, -5, -6, -7, -8, -9, -10});
    EXPECT_EQ(data.GetEq(1)[9], -10);
    EXPECT_EQ(data.GetEq(12), std::vector<int>(10, 0));
}

TEST(CHs6533ProfiledataTest, CustomEqualisersAndNames) {
    test::TempFolder folder;
    CHs6533Profiledata data;
    Load(data, folder, R"({"CustomEQNameInfo": [{"Name": "Bass", "Old": 1}, {"Name": 5}],
        "CustomEQHzValueInfo": [[{"value": 3}, {"value": "x"}]]})");
    EXPECT_EQ(data.GetCustomEqNames(), (std::vector<std::string>{"Bass", "5"}));
    const std::vector<int> first = data.GetCustomEq(0);
    EXPECT_EQ(first[0], 3);
    EXPECT_EQ(first[1], 0);
    EXPECT_EQ(data.GetCustomEq(1), std::vector<int>(10, 0));

    data.SetCustomEqNames({"Vocal"});
    EXPECT_EQ(data.Entry()["CustomEQNameInfo"], test::ParseJson(R"([{"Name": "Vocal"}])"));
    data.SetCustomEq(1, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    EXPECT_EQ(data.GetCustomEq(1)[5], 9);

    // An index read from a damaged file neither allocates nor fails.
    EXPECT_EQ(data.GetCustomEq(2000000000), std::vector<int>(10, 0));
    EXPECT_EQ(data.GetCustomEq(-1), std::vector<int>(10, 0));
    EXPECT_EQ(data.Entry()["CustomEQHzValueInfo"].size(), 2u);
}

TEST(CHs6533ProfiledataTest, SystemSetStagesReadWrongTypesAsZero) {
    test::TempFolder folder;
    CHs6533Profiledata data;
    Load(data, folder, R"({"SystemSetStages": {"MagicEnable": 1, "EqType": "13",
        "MicInValue": 80, "MicMoniterValue": {}}})");
    HeadsetSystemSettings settings = data.GetSystemSetStages();
    EXPECT_EQ(settings.magicEnable, 1);
    EXPECT_EQ(settings.eqType, 0);
    EXPECT_EQ(settings.micInValue, 80);
    EXPECT_EQ(settings.micMonitorValue, 0);

    settings.eqType = 13;
    settings.customEqSelectIndex = 2;
    data.SetSystemSetStages(settings);
    EXPECT_EQ(data.Entry()["SystemSetStages"]["EqType"], 13);
    EXPECT_EQ(data.Entry()["SystemSetStages"]["CustomEqSeletIndex"], 2);
}

}  // namespace
}  // namespace vestra
