// `vestractl keymap` end to end on the emulated keyboard.
#include <gtest/gtest.h>

#include <fstream>

#include "VestractlRun.h"

namespace vestra::test {
namespace {

class KeymapCommandTest : public ::testing::Test {
protected:
    Json::Value Key(const std::string& key) {
        const Json::Value root = m_home.RunJson("--demo=keyboard --json keymap get " + key);
        EXPECT_EQ(root["keys"].size(), 1u);
        return root["keys"][0];
    }
    // The "Assignment" of a key position in the selected keyboard profile file.
    int ProfileAssignment(int position) {
        const Json::Value list = m_home.RunJson("--json profile --kind keyboard list");
        const std::string uuid = list["profiles"][list["selected"].asInt()]["uuid"].asString();
        std::ifstream file(m_home.AppFolder() / "keyboard" / (uuid + ".Json"));
        std::stringstream text;
        text << file.rdbuf();
        return VestractlHome::Parse(text.str())["Device"][0]["KeyList"][position]["Assignment"]
            .asInt();
    }

    VestractlHome m_home;
};

TEST_F(KeymapCommandTest, SetChangesExactlyThatSlotOfTheKeyboard) {
    const Json::Value a = Key("A");
    ASSERT_TRUE(a["slot"].isUInt()) << a.toStyledString();
    EXPECT_EQ(a["position"].asInt(), 64);
    EXPECT_EQ(a["function"].asString(), "key:A");
    EXPECT_TRUE(a["isDefault"].asBool());
    const std::string before = m_home.EmulatorRegion("keyboard", "KeyTable");
    ASSERT_FALSE(before.empty());

    const VestractlRun set = m_home.Run("--demo=keyboard keymap set A key:B");
    ASSERT_EQ(set.exitCode, 0) << set.err;
    EXPECT_NE(set.out.find("key:B"), std::string::npos) << set.out;

    const std::string after = m_home.EmulatorRegion("keyboard", "KeyTable");
    ASSERT_EQ(after.size(), before.size());
    const size_t slotHex = a["slot"].asUInt() * 6;
    EXPECT_EQ(after.substr(slotHex, 6), "200005");
    EXPECT_EQ(after.substr(0, slotHex), before.substr(0, slotHex));
    EXPECT_EQ(after.substr(slotHex + 6), before.substr(slotHex + 6));
    // The profile is the source of truth and holds the new function too.
    EXPECT_EQ(ProfileAssignment(64), 0x200005);
}

TEST_F(KeymapCommandTest, KeysAreNamedOrNumbered) {
    const Json::Value root = m_home.RunJson("--demo=keyboard --json keymap get");
    EXPECT_EQ(root["keys"].size(), 104u);  // the emulated keyboard's keys
    EXPECT_EQ(Key("esc")["position"].asInt(), 0);
    EXPECT_EQ(Key("0")["name"].asString(), "Esc");
    EXPECT_EQ(Key("LCtrl")["function"].asString(), "key:LCtrl");
}

TEST_F(KeymapCommandTest, RefusesWhatItCannotDo) {
    struct Case {
        const char* arguments;
        int exitCode;
        const char* message;  // part of the error
    };
    const Case kCases[] = {
        {"--demo=keyboard keymap set Nokey key:B", 2, "unknown key"},
        {"--demo=keyboard keymap set 170 key:B", 2, "unknown key"},
        {"--demo=keyboard keymap set A key:Q+W", 2, "one key"},
        {"--demo=keyboard keymap set A wheel:up:3:delay=16", 2, "delay must be 0-15"},
        {"--demo=keyboard keymap set A macro:0", 1, "there is no macro 0"},
        {"--demo=pad keymap get", 1, "keyboard and the mouse only"},
        {"--demo=keyboard keymap set A", 2, "usage"},
    };
    ASSERT_EQ(m_home.Run("--demo=keyboard list").exitCode, 0);  // the emulator's state file
    const std::string before = m_home.EmulatorRegion("keyboard", "KeyTable");
    ASSERT_FALSE(before.empty());
    for (const Case& c : kCases) {
        const VestractlRun run = m_home.Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
    }
    EXPECT_EQ(m_home.EmulatorRegion("keyboard", "KeyTable"), before);
}

}  // namespace
}  // namespace vestra::test
