#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "ProfileFixture.h"
#include "profile/CBasicProfiledata.h"
#include "support/TempFolder.h"

namespace vestra {
namespace {
namespace fs = std::filesystem;

class CBasicProfiledataTest : public ::testing::Test {
protected:
    CBasicProfiledataTest() {
        m_defaultPath = m_folder.Write("default.Json", std::string(test::kDefaultProfile));
        m_data.SetDefaultPath(m_defaultPath);
        m_defaultEntry = test::ParseJson(test::kDefaultProfile)["Device"][0];
    }

    // Loads a profile whose device entry is the given JSON text.
    void LoadEntryText(const std::string& entry) {
        const fs::path path = m_folder.Write("p.Json", R"({"Device": [)" + entry + "]}");
        m_data.SetProfilePath(path);
        m_data.LoadEntry(path);
    }

    test::TempFolder m_folder;
    fs::path m_defaultPath;
    Json::Value m_defaultEntry;
    CBasicProfiledata m_data;
};

TEST_F(CBasicProfiledataTest, LoadEntryCreatesAMissingProfileFromTheDefaultFile) {
    const fs::path path = m_folder.Path() / "new.Json";
    EXPECT_EQ(m_data.LoadEntry(path), m_defaultEntry);
    EXPECT_EQ(JsonFile::Read(path)["Device"][0], m_defaultEntry);
}

TEST_F(CBasicProfiledataTest, LoadEntryRepairsANullEntryAndKeepsNameAndIdentifier) {
    const fs::path path = m_folder.Write(
        "p.Json", R"({"profilename": "Mine", "profileUUID": "2020_01_01_00_00_00_000",
                     "Device": [null], "Other": 5})");
    EXPECT_EQ(m_data.LoadEntry(path), m_defaultEntry);
    const Json::Value written = JsonFile::Read(path);
    EXPECT_EQ(written["profilename"], "Mine");
    EXPECT_EQ(written["profileUUID"], "2020_01_01_00_00_00_000");
    EXPECT_EQ(written["Other"], 5);
    EXPECT_EQ(written["Device"][0], m_defaultEntry);
}

TEST_F(CBasicProfiledataTest, AProfileThatDoesNotParseIsKeptAsideBeforeItIsReplaced) {
    const fs::path path = m_folder.Write("p.Json", R"({"Device": [{"LightInfo": )");
    EXPECT_EQ(m_data.LoadEntry(path), m_defaultEntry);
    EXPECT_EQ(m_folder.Read("p.Json.broken"), R"({"Device": [{"LightInfo": )");
    EXPECT_EQ(JsonFile::Read(path)["Device"][0], m_defaultEntry);
}

TEST_F(CBasicProfiledataTest, MultiColorReadsAsABoolean) {
    const std::pair<const char*, uint8_t> cases[] = {
        {"true", 1}, {"1", 1}, {"5", 1}, {"false", 0}, {"0", 0}, {"\"1\"", 0}, {"null", 0}};
    for (const auto& [value, expected] : cases) {
        LoadEntryText(std::string(R"({"LightInfo": {"MultiColor": )") + value + "}}");
        EXPECT_EQ(m_data.GetLightInfo().multiColor, expected) << value;
    }
}

TEST_F(CBasicProfiledataTest, MissingKeysReadAsZerosAndEmptyLists) {
    LoadEntryText(R"({"KeyList": []})");
    const LightInfoRecord light = m_data.GetLightInfo();
    const AudioLightRecord audio = m_data.GetAudioLightInfo();
    EXPECT_EQ(std::memcmp(&light, "\0\0\0\0\0\0\0\0\0\0\0\0\0\0", sizeof light), 0);
    EXPECT_EQ(std::memcmp(&audio, "\0\0\0\0\0\0\0\0\0", sizeof audio), 0);
    EXPECT_TRUE(m_data.GetLightList().empty());
    EXPECT_TRUE(m_data.GetKeyList().empty());
    EXPECT_TRUE(m_data.GetCustomLightSteps().empty());
}

// jsoncpp throws (or asserts) when asked for the integer of a string or an object; a profile
// edited by hand must not bring the program down.
TEST_F(CBasicProfiledataTest, ValuesOfTheWrongTypeReadAsZero) {
    LoadEntryText(R"({"LightInfo": {"SelectItem": "3", "Light": {"a": 1}, "Speed": [2],
                      "Fx": 1e300, "Red": 300, "Green": 2.9, "Blue": -1, "CustomGroup": true},
                      "LightList": "none",
                      "KeyList": [{"Assignment": "x", "DefaultAssignment": {}}],
                      "AudioLightInfo": [1, 2, 3]})");
    const LightInfoRecord light = m_data.GetLightInfo();
    EXPECT_EQ(light.selectItem, 0);
    EXPECT_EQ(light.light, 0);
    EXPECT_EQ(light.speed, 0);
    EXPECT_EQ(light.fx, 0);
    EXPECT_EQ(light.red, 300 & 0xFF);  // truncated to its width
    EXPECT_EQ(light.green, 2);
    EXPECT_EQ(light.blue, 0xFF);
    EXPECT_EQ(light.customGroup, 1);
    EXPECT_TRUE(m_data.GetLightList().empty());
    ASSERT_EQ(m_data.GetKeyList().size(), 1u);
    EXPECT_EQ(m_data.GetKeyList()[0].current.code[2], 0);
    EXPECT_EQ(m_data.GetAudioLightInfo().audioMode, 0);
}

TEST_F(CBasicProfiledataTest, SetLightInfoWritesIntegersAndReplacesTheWholeObject) {
    LoadEntryText(R"({"LightInfo": {"Unknown": 9, "Red": 1}, "Kept": "yes"})");
    // Words as the device passes them: bytes 0-3, 4-7, 8-11, 12-13.
    m_data.SetLightInfo(0x04030201, 0x08070605, 0x0C000000, 0x0E0D);
    const Json::Value& info = m_data.Entry()["LightInfo"];
    EXPECT_EQ(info, test::ParseJson(R"({"SelectItem": 1, "Light": 2, "Speed": 3, "Fx": 4,
        "MultiColor": 1, "Red": 6, "Green": 7, "Blue": 8, "ZZCCLedMode": 12, "CustomGroup": 13,
        "OldLedmode": 14})"));
    EXPECT_EQ(m_data.Entry()["Kept"], "yes");

    m_data.SetAudioLightInfo(0x04030201, 0x00070605, 2);
    EXPECT_EQ(m_data.Entry()["AudioLightInfo"], test::ParseJson(R"({"AudioMode": 1,
        "BkColorR": 2, "BkColorG": 3, "BkColorB": 4, "FgColorR": 5, "FgColorG": 6,
        "FgColorB": 7, "7ColorFlags": 0, "ColorTypeFlags": 1})"));
}

TEST_F(CBasicProfiledataTest, SaveEntryKeepsOtherEntriesAndRootKeys) {
    const fs::path path =
        m_folder.Write("p.Json", R"({"profilename": "A", "profileUUID": "u", "Extra": [1],
                     "Device": [{"LightInfo": {}, "Unknown": {"x": 1}}, {"Second": true}]})");
    m_data.SetProfilePath(path);
    m_data.LoadEntry(path);
    m_data.SetLightInfo(test::LightWithSelectItem(3));
    ASSERT_EQ(m_data.SaveEntry(), JsonFile::WriteResult::Ok);

    const Json::Value written = JsonFile::Read(path);
    EXPECT_EQ(written["profilename"], "A");
    EXPECT_EQ(written["Extra"], test::ParseJson("[1]"));
    EXPECT_EQ(written["Device"][0]["Unknown"]["x"], 1);
    EXPECT_EQ(written["Device"][0]["LightInfo"]["SelectItem"], 3);
    EXPECT_EQ(written["Device"][1]["Second"], true);
}

TEST_F(CBasicProfiledataTest, NullLightListElementsAreNotPresent) {
    LoadEntryText(R"({"LightList": [null, {"LEDREGMode": 3, "LEDDirection": true,
                      "LEDMultiColor": 0, "red": 10, "green": 20, "blue": 30}]})");
    const std::vector<LightListEntry> list = m_data.GetLightList();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].present, 0);
    EXPECT_EQ(list[0].mode, 0);
    EXPECT_EQ(list[1].present, 1);
    EXPECT_EQ(list[1].mode, 3);
    EXPECT_EQ(list[1].direction, 1);
    EXPECT_EQ(list[1].blue, 30);
}

TEST_F(CBasicProfiledataTest, KeyListSplitsCodesAndSetKeyListWritesOnlyTheCurrentCode) {
    LoadEntryText(R"({"KeyList": [{"Assignment": 66051, "DefaultAssignment": 1},
                                 {"Assignment": 0, "DefaultAssignment": 16777215}]})");
    std::vector<KeyAssignmentPair> keys = m_data.GetKeyList();
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_EQ(keys[0].current.code[0], 1);  // 66051 = 0x010203
    EXPECT_EQ(keys[0].current.code[1], 2);
    EXPECT_EQ(keys[0].current.code[2], 3);
    EXPECT_EQ(keys[1].current.keyIndex, 1);
    EXPECT_EQ(keys[1].defaults.code[0], 0xFF);

    keys[1].current = {1, {0x70, 0, 2}, 0};
    keys[1].defaults = {1, {9, 9, 9}, 0};
    m_data.SetKeyList(keys);
    EXPECT_EQ(m_data.Entry()["KeyList"][1]["Assignment"], 0x700002);
    EXPECT_EQ(m_data.Entry()["KeyList"][1]["DefaultAssignment"], 16777215);

    LoadEntryText("{}");
    m_data.SetKeyList({});
    EXPECT_FALSE(m_data.Entry().isMember("KeyList"));
}

TEST_F(CBasicProfiledataTest, TheSideEntryEditsAnotherProfileWithoutTouchingTheWorkingOne) {
    LoadEntryText(R"({"KeyList": [{"Assignment": 1}]})");
    const fs::path other = m_folder.Write("other.Json", R"({"profilename": "B",
        "Device": [{"KeyList": [{"Assignment": 5, "DefaultAssignment": 5}]}]})");
    m_data.LoadSideEntry(other);
    std::vector<KeyAssignmentPair> keys = m_data.GetSideKeyList();
    ASSERT_EQ(keys.size(), 1u);
    keys[0].current.code[2] = 7;
    m_data.SetSideKeyList(keys);
    ASSERT_EQ(m_data.SaveSideEntryTo(other), JsonFile::WriteResult::Ok);

    EXPECT_EQ(JsonFile::Read(other)["Device"][0]["KeyList"][0]["Assignment"], 7);
    EXPECT_EQ(JsonFile::Read(other)["profilename"], "B");
    EXPECT_EQ(m_data.GetKeyList()[0].current.code[2], 1);
}

TEST_F(CBasicProfiledataTest, CustomStepsComeFromTheEffectTheLightConfigurationNames) {
    const fs::path config = m_folder.Write(
        "data/kavro_light.config", R"({"LightInfo": [[{"Guid": "first"}, {"Guid": "2021_01_01"},
                                                 {"Guid": "../escape"}]]})");
    m_folder.Write("data/2021_01_01.light", R"({"LEDEffectList": [
        {"LEDREGMode": 1, "LEDBrightness": 4, "red": 255, "Time": 1500, "Cyle": -2},
        {"LEDDirection": 1, "LEDMultiColor": 1, "Time": "soon"}]})");
    m_folder.Write("escape.light", R"({"LEDEffectList": [{"Time": 1}]})");
    m_data.SetLightConfigPath(config);
    m_data.LoadLightConfig(config);

    LoadEntryText(R"({"LightInfo": {"SelectItem": 1}})");
    m_data.GetLightInfo();
    const std::vector<LightStep> steps = m_data.GetCustomLightSteps();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].mode, 1);
    EXPECT_EQ(steps[0].red, 255);
    EXPECT_EQ(steps[0].time, 1500);
    EXPECT_EQ(steps[0].cycle, -2);
    EXPECT_EQ(steps[1].multiColor, 1);
    EXPECT_EQ(steps[1].time, 0);

    // An effect name that leaves the folder is not followed; a missing file gives no steps.
    m_data.SetLightInfo(test::LightWithSelectItem(2));
    EXPECT_TRUE(m_data.GetCustomLightSteps().empty());
    m_data.SetLightInfo(test::LightWithSelectItem(0));
    EXPECT_TRUE(m_data.GetCustomLightSteps().empty());
}

}  // namespace
}  // namespace vestra
