// The mouse commands (`dpi`, `polling`, `sensor-height`, `shoot`, `power`, `keymap` on the
// mouse) end to end on the emulated mouse.
#include <gtest/gtest.h>

#include <fstream>

#include "VestractlRun.h"

namespace vestra::test {
namespace {

// Settings page 0 of the emulated mouse, as hex text: byte n is at 2n.
constexpr size_t kPollingHex = 11 * 2;
constexpr size_t kSelectedStageHex = 12 * 2;
constexpr size_t kSensorHeightHex = 13 * 2;
constexpr size_t StageDpiHex(int stage) {
    return (14 + 9 * stage + 2) * 2;
}

class MouseCommandTest : public ::testing::Test {
protected:
    Json::Value Stage(int stage) {
        const Json::Value root =
            m_home.RunJson("--demo=mouse --json dpi get " + std::to_string(stage));
        EXPECT_EQ(root["stages"].size(), 1u);
        return root["stages"][0];
    }
    std::string Settings() const { return m_home.EmulatorRegion("mouse", "Settings"); }

    VestractlHome m_home;
};

TEST_F(MouseCommandTest, DpiSetRoundsToTheSensorStepsAndReachesTheMouse) {
    const VestractlRun set = m_home.Run("--demo=mouse dpi set 0 12345");
    ASSERT_EQ(set.exitCode, 0) << set.err;
    const VestractlRun get = m_home.Run("--demo=mouse dpi get 0");
    ASSERT_EQ(get.exitCode, 0) << get.err;
    EXPECT_NE(get.out.find("12300"), std::string::npos) << get.out;
    // 12300 = 0x300c, little-endian in the stage's DPI field.
    EXPECT_EQ(Settings().substr(StageDpiHex(0), 4), "0c30");

    struct Case {
        const char* typed;
        const char* shown;
    };
    // The emulated sensor's minimum is 50; the empty word is the empty edit box.
    for (const Case c : {Case{"9999", "9950"}, Case{"30", "50"}, Case{"''", "50"},
                         Case{"25000", "19000"}, Case{"10050", "10000"}}) {
        ASSERT_EQ(m_home.Run(std::string("--demo=mouse dpi set 2 ") + c.typed).exitCode, 0)
            << c.typed;
        EXPECT_EQ(Stage(2)["dpi"].asString(), c.shown) << c.typed;
    }
    // Other stages are left as they were.
    EXPECT_EQ(Stage(0)["dpi"].asString(), "12300");
}

TEST_F(MouseCommandTest, StageRulesKeepOneStageOnAndTheSelectedOneOn) {
    ASSERT_EQ(m_home.Run("--demo=mouse dpi select 0").exitCode, 0);
    EXPECT_EQ(Settings().substr(kSelectedStageHex, 2), "00");
    EXPECT_TRUE(Stage(0)["selected"].asBool());

    const VestractlRun selected = m_home.Run("--demo=mouse dpi disable 0");
    EXPECT_EQ(selected.exitCode, 1);
    EXPECT_NE(selected.err.find("stays on"), std::string::npos) << selected.err;

    for (int stage = 1; stage < 4; ++stage) {
        ASSERT_EQ(m_home.Run("--demo=mouse dpi disable " + std::to_string(stage)).exitCode, 0)
            << stage;
        EXPECT_FALSE(Stage(stage)["enabled"].asBool()) << stage;
    }
    // A switched-off stage cannot become the mouse's stage.
    const std::string before = Settings();
    const VestractlRun off = m_home.Run("--demo=mouse dpi select 3");
    EXPECT_EQ(off.exitCode, 1);
    EXPECT_NE(off.err.find("switched off"), std::string::npos) << off.err;
    EXPECT_EQ(Settings(), before);

    ASSERT_EQ(m_home.Run("--demo=mouse dpi enable 3").exitCode, 0);
    ASSERT_EQ(m_home.Run("--demo=mouse dpi select 3").exitCode, 0);
    EXPECT_EQ(Settings().substr(kSelectedStageHex, 2), "03");
    // Now stage 0 is neither selected nor the last one on.
    EXPECT_EQ(m_home.Run("--demo=mouse dpi disable 0").exitCode, 0);

    ASSERT_EQ(m_home.Run("--demo=mouse dpi color 3 '#12ab34'").exitCode, 0);
    EXPECT_EQ(Stage(3)["color"].asString(), "12ab34");
    EXPECT_EQ(Settings().substr(StageDpiHex(3) + 8, 6), "12ab34");  // bytes 6-8 of the stage
}

TEST_F(MouseCommandTest, PollingAndSensorHeightAreWrittenAndReadBack) {
    ASSERT_EQ(m_home.Run("--demo=mouse polling set 4").exitCode, 0);
    ASSERT_EQ(m_home.Run("--demo=mouse sensor-height set 2").exitCode, 0);
    EXPECT_EQ(Settings().substr(kPollingHex, 2), "04");
    EXPECT_EQ(Settings().substr(kSensorHeightHex, 2), "02");
    EXPECT_EQ(m_home.RunJson("--demo=mouse --json polling get")["pollingIndex"].asInt(), 4);
    EXPECT_EQ(m_home.RunJson("--demo=mouse --json sensor-height get")["sensorHeight"].asInt(), 2);
}

TEST_F(MouseCommandTest, RefusesBadWordsBeforeTouchingTheMouse) {
    struct Case {
        const char* arguments;
        int exitCode;
        const char* message;  // part of the error
    };
    const Case kCases[] = {
        {"--demo=mouse dpi set 4 800", 2, "stage must be 0-3"},
        {"--demo=mouse dpi set 0 16OO", 2, "must be a number"},
        {"--demo=mouse dpi set 0 -800", 2, "must be a number"},
        {"--demo=mouse dpi color 0 12345g", 2, "RRGGBB"},
        {"--demo=mouse dpi enable", 2, "usage"},
        {"--demo=mouse polling set 5", 2, "0-4"},
        {"--demo=mouse sensor-height set 3", 2, "0-2"},
        {"--demo=mouse shoot set 4 0 1 1 10", 2, "gun must be 0-3"},
        {"--demo=mouse shoot set 0 30 1 1 10", 2, "bullet must be 0-29"},
        {"--demo=mouse shoot set 0 0 256 1 10", 2, "X and Y must be 0-255"},
        {"--demo=mouse shoot set 0 0 1 1 10 --sideways", 2, "unknown option"},
        {"--demo=keyboard dpi get", 1, "mouse only"},
        {"--demo=pad power", 1, "not for the pad"},
    };
    ASSERT_EQ(m_home.Run("--demo=mouse list").exitCode, 0);  // the emulator's state file
    const std::string settings = Settings();
    const std::string shoot = m_home.EmulatorRegion("mouse", "Shoot");
    for (const Case& c : kCases) {
        const VestractlRun run = m_home.Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << ": " << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << c.arguments << ": " << run.err;
    }
    EXPECT_EQ(Settings(), settings);
    EXPECT_EQ(m_home.EmulatorRegion("mouse", "Shoot"), shoot);
}

TEST_F(MouseCommandTest, KeymapNamesTheMouseKeysAndWritesTheirSlots) {
    const Json::Value root = m_home.RunJson("--demo=mouse --json keymap get");
    ASSERT_EQ(root["keys"].size(), 11u);
    EXPECT_EQ(root["keys"][10]["name"].asString(), "fire");
    EXPECT_EQ(root["keys"][3]["function"].asString(), "mouse:forward");

    const Json::Value fire = m_home.RunJson("--demo=mouse --json keymap get FIRE")["keys"][0];
    ASSERT_TRUE(fire["slot"].isUInt()) << fire.toStyledString();
    const std::string before = m_home.EmulatorRegion("mouse", "KeyTable");
    ASSERT_EQ(m_home.Run("--demo=mouse keymap set fire key:B").exitCode, 0);
    const std::string after = m_home.EmulatorRegion("mouse", "KeyTable");
    const size_t slotHex = fire["slot"].asUInt() * 6;
    EXPECT_EQ(after.substr(slotHex, 6), "200005");
    EXPECT_EQ(after.substr(0, slotHex), before.substr(0, slotHex));
    EXPECT_EQ(after.substr(slotHex + 6), before.substr(slotHex + 6));

    ASSERT_EQ(m_home.Run("--demo=mouse keymap reset 10").exitCode, 0);
    EXPECT_EQ(m_home.EmulatorRegion("mouse", "KeyTable"), before);

    const VestractlRun unknown = m_home.Run("--demo=mouse keymap set A key:B");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("dpi-cycle"), std::string::npos) << unknown.err;
}

TEST_F(MouseCommandTest, MacroKeysWriteTheMacrosFirstAndAnOverlongMacroStopsBoth) {
    m_home.ImportKeyMacro(251, "--device mouse");
    m_home.ImportKeyMacro(4, "--device mouse");
    ASSERT_EQ(m_home.Run("--demo=mouse list").exitCode, 0);
    const std::string keys = m_home.EmulatorRegion("mouse", "KeyTable");
    const std::string macros = m_home.EmulatorRegion("mouse", "Macros");

    const VestractlRun overlong = m_home.Run("--demo=mouse keymap set fire macro:0");
    EXPECT_EQ(overlong.exitCode, 1);
    EXPECT_NE(overlong.err.find(": 251"), std::string::npos) << overlong.err;
    EXPECT_EQ(m_home.EmulatorRegion("mouse", "KeyTable"), keys);
    EXPECT_EQ(m_home.EmulatorRegion("mouse", "Macros"), macros);

    // The short macro is the first (and only) one the keys use, so the key plays macro 0.
    ASSERT_EQ(m_home.Run("--demo=mouse keymap set fire macro:1").exitCode, 0);
    const unsigned slot =
        m_home.RunJson("--demo=mouse --json keymap get fire")["keys"][0]["slot"].asUInt();
    EXPECT_EQ(m_home.EmulatorRegion("mouse", "KeyTable").substr(slot * 6, 4), "7000");
    EXPECT_NE(m_home.EmulatorRegion("mouse", "Macros"), macros);
}

TEST_F(MouseCommandTest, ShootSetChangesTheFileThenTheMouseAndRestoreUndoesIt) {
    const Json::Value factory = m_home.RunJson("--json shoot get 1 3");
    ASSERT_EQ(factory["gun"].asInt(), 1);
    const Json::Value neighbour = m_home.RunJson("--json shoot get 1 4");
    ASSERT_EQ(m_home.Run("--demo=mouse shoot write").exitCode, 0);
    const std::string shootBefore = m_home.EmulatorRegion("mouse", "Shoot");
    ASSERT_NE(shootBefore.find_first_not_of('0'), std::string::npos);

    ASSERT_EQ(m_home.Run("--demo=mouse shoot set 1 3 7 200 95 --left --up").exitCode, 0);
    const Json::Value changed = m_home.RunJson("--json shoot get 1 3");
    EXPECT_EQ(changed["x"].asInt(), 7);
    EXPECT_EQ(changed["y"].asInt(), 200);
    EXPECT_EQ(changed["delay"].asInt(), 95);
    EXPECT_EQ(changed["horizontal"].asString(), "left");
    EXPECT_EQ(changed["vertical"].asString(), "up");
    EXPECT_NE(m_home.EmulatorRegion("mouse", "Shoot"), shootBefore);
    // Directions not given are kept.
    ASSERT_EQ(m_home.Run("--demo=mouse shoot set 1 3 8 200 95").exitCode, 0);
    EXPECT_EQ(m_home.RunJson("--json shoot get 1 3")["horizontal"].asString(), "left");
    EXPECT_EQ(m_home.RunJson("--json shoot get 1 4"), neighbour);

    ASSERT_EQ(m_home.Run("--demo=mouse shoot restore 1").exitCode, 0);
    EXPECT_EQ(m_home.RunJson("--json shoot get 1 3"), factory);
    EXPECT_EQ(m_home.EmulatorRegion("mouse", "Shoot"), shootBefore);
}

TEST_F(MouseCommandTest, PowerReportsTheBatteryAndTheHostsLink) {
    struct Case {
        const char* product;
        const char* link;
    };
    for (const Case c : {Case{"mouse", "cable"}, Case{"mouse-receiver", "receiver"},
                         Case{"keyboard", "cable"}, Case{"headset", "cable"}}) {
        const Json::Value root =
            m_home.RunJson(std::string("--demo=") + c.product + " --json power");
        const Json::Value& power = root["power"];
        ASSERT_TRUE(power.isObject()) << c.product;
        EXPECT_EQ(power["wireless"].asInt(), std::string(c.link) == "receiver" ? 1 : 0)
            << c.product;
        EXPECT_EQ(root["device"]["link"].asString(), c.link) << c.product;
    }
    const VestractlRun text = m_home.Run("--demo=mouse power");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("76 %"), std::string::npos) << text.out;  // the emulated battery
}

}  // namespace
}  // namespace vestra::test
