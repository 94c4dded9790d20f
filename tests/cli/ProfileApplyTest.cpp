// `vestractl profile apply N`: settings, macros and key map of a profile reach the keyboard.
#include <gtest/gtest.h>

#include <fstream>

#include "VestractlRun.h"

namespace vestra::test {
namespace {

class ProfileApplyTest : public ::testing::Test {
protected:
    // Adds profile 1 and lets edit change its keyboard entry on disk.
    void MakeSecondProfile(const std::function<void(Json::Value&)>& edit) {
        ASSERT_EQ(m_home.Run("profile --kind keyboard add").exitCode, 0);
        ASSERT_EQ(m_home.Run("profile --kind keyboard select 0").exitCode, 0);
        const Json::Value list = m_home.RunJson("--json profile --kind keyboard list");
        const std::filesystem::path file =
            m_home.AppFolder() / "keyboard" / (list["profiles"][1]["uuid"].asString() + ".Json");
        std::stringstream text;
        text << std::ifstream(file).rdbuf();
        Json::Value profile = VestractlHome::Parse(text.str());
        edit(profile["Device"][0]);
        std::ofstream(file) << profile.toStyledString();
    }
    unsigned SlotOf(const std::string& key) {
        return m_home.RunJson("--demo=keyboard --json keymap get " + key)["keys"][0]["slot"]
            .asUInt();
    }

    VestractlHome m_home;
};

TEST_F(ProfileApplyTest, WritesSettingsMacrosAndKeyMap) {
    m_home.ImportKeyMacro(4, "");
    const unsigned slotOfA = SlotOf("A");
    MakeSecondProfile([](Json::Value& entry) {
        entry["LightInfo"]["Light"] = 1;
        entry["LightInfo"]["Red"] = 0x12;
        entry["KeyList"][64]["Assignment"] = 0x700000;  // A plays macro 0
    });

    const VestractlRun run = m_home.Run("--demo=keyboard profile apply 1");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(m_home.RunJson("--json profile --kind keyboard list")["selected"].asInt(), 1);

    const Json::Value settings = m_home.RunJson("--demo=keyboard --json settings")["settings"];
    EXPECT_EQ(settings["brightness"].asInt(), 1);
    EXPECT_EQ(settings["red"].asInt(), 0x12);
    const std::string table = m_home.EmulatorRegion("keyboard", "KeyTable");
    EXPECT_EQ(table.substr(slotOfA * 6, 6), "700000");
    // The image starts with its signature 0x55AA, little-endian.
    EXPECT_EQ(m_home.EmulatorRegion("keyboard", "Macros").substr(0, 4), "aa55");
}

TEST_F(ProfileApplyTest, MacrosOverCapacityAreRefusedWithNothingWritten) {
    m_home.ImportKeyMacro(2000, "");  // 8000 bytes of events; the keyboard holds 4096
    MakeSecondProfile([](Json::Value& entry) { entry["KeyList"][64]["Assignment"] = 0x700000; });
    ASSERT_EQ(m_home.Run("--demo=keyboard list").exitCode, 0);  // the emulator's state file
    const std::string before = m_home.EmulatorRegion("keyboard", "KeyTable");
    ASSERT_FALSE(before.empty());

    const VestractlRun run = m_home.Run("--demo=keyboard profile apply 1");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("do not fit"), std::string::npos) << run.err;
    EXPECT_EQ(m_home.EmulatorRegion("keyboard", "KeyTable"), before);
}

TEST_F(ProfileApplyTest, UnknownProfileOrUsage) {
    EXPECT_EQ(m_home.Run("--demo=keyboard profile apply 7").exitCode, 1);
    EXPECT_EQ(m_home.Run("--demo=keyboard profile apply").exitCode, 2);
    // --kind names the device the profile goes to; none is there.
    const VestractlRun mouse = m_home.Run("--demo=keyboard profile --kind mouse apply 0");
    EXPECT_EQ(mouse.exitCode, 1);
    EXPECT_NE(mouse.err.find("no mouse is connected"), std::string::npos) << mouse.err;
}

}  // namespace
}  // namespace vestra::test
