// `vestractl headset` and the pad and headset branch of `light`, end to end on the emulated
// products with the simulated audio library.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "VestractlRun.h"

namespace vestra::test {
namespace {

Json::Value DemoAudio(const VestractlHome& home) {
    std::ifstream file(home.AppFolder() / "demo" / "audio.json");
    std::stringstream text;
    text << file.rdbuf();
    return VestractlHome::Parse(text.str());
}

TEST(HeadsetCommandTest, LevelsAndMutesReachTheLibraryAndLastBetweenRuns) {
    VestractlHome home;
    ASSERT_EQ(home.Run("--demo=headset headset mic level 37").exitCode, 0);
    ASSERT_EQ(home.Run("--demo=headset headset monitor mute on").exitCode, 0);
    EXPECT_EQ(DemoAudio(home)["capture"]["VolumeScalarControl"].asString(), "0.37");
    EXPECT_EQ(DemoAudio(home)["capture"]["AAMuteControl"].asString(), "1");

    const Json::Value state = home.RunJson("--demo=headset --json headset get")["headset"];
    EXPECT_EQ(state["micLevel"].asInt(), 37);
    EXPECT_TRUE(state["micOn"].asBool());
    EXPECT_FALSE(state["monitorOn"].asBool());
}

TEST(HeadsetCommandTest, VoiceTypeIsCheckedAndWrittenOneLower) {
    VestractlHome home;
    EXPECT_EQ(home.Run("--demo=headset headset voice type 0").exitCode, 2);
    ASSERT_EQ(home.Run("--demo=headset headset voice type 4").exitCode, 0);
    EXPECT_EQ(DemoAudio(home)["capture"]["MagicVoice_Selection"].asString(), "3");
    ASSERT_EQ(home.Run("--demo=headset headset voice on").exitCode, 0);
    EXPECT_EQ(home.RunJson("--demo=headset --json headset get")["headset"]["voiceType"].asInt(), 4);
}

TEST(HeadsetCommandTest, CustomEqualisersAreSavedChosenAndDeleted) {
    VestractlHome home;
    ASSERT_EQ(home.Run("--demo=headset headset eq save Night 1 2 3 4 5 6 7 8 9 10").exitCode, 0);
    const VestractlRun duplicate = home.Run("--demo=headset headset eq save NIGHT");
    EXPECT_EQ(duplicate.exitCode, 1);
    EXPECT_NE(duplicate.err.find("already named"), std::string::npos);

    ASSERT_EQ(home.Run("--demo=headset headset eq preset 5").exitCode, 0);
    EXPECT_EQ(DemoAudio(home)["playback"]["EQ_Slider10"].asString(), "0");
    const Json::Value custom =
        home.RunJson("--demo=headset --json headset eq custom night")["headset"];
    EXPECT_EQ(custom["eqType"].asInt(), 13);
    EXPECT_EQ(custom["bands"][9].asInt(), 10);
    EXPECT_EQ(DemoAudio(home)["playback"]["EQ_Slider10"].asString(), "10");

    const Json::Value deleted = home.RunJson("--demo=headset --json headset eq delete")["headset"];
    EXPECT_EQ(deleted["eqType"].asInt(), 1);
    EXPECT_EQ(deleted["customNames"].size(), 0u);
    EXPECT_EQ(home.Run("--demo=headset headset eq delete").exitCode, 1);
    EXPECT_EQ(home.Run("--demo=headset headset eq preset 13").exitCode, 2);
}

TEST(HeadsetCommandTest, OtherDevicesAreRefused) {
    VestractlHome home;
    EXPECT_EQ(home.Run("--demo=pad headset get").exitCode, 1);
}

TEST(PadHeadsetLightTest, PadLightingIsWrittenWithItsModeCodeAndSpeed) {
    VestractlHome home;
    ASSERT_EQ(home.Run("--demo=pad light set --mode 6 --speed 3 --direction forward").exitCode, 0);
    const Json::Value settings = home.RunJson("--demo=pad --json settings")["settings"];
    EXPECT_EQ(settings["modeCode"].asInt(), 7);
    EXPECT_EQ(settings["raw"].asString().substr(9, 2), "01");  // 4 - speed on the wire
    EXPECT_EQ(settings["direction"].asInt(), 1);

    const Json::Value light = home.RunJson("--demo=pad --json light get")["light"];
    EXPECT_EQ(light["mode"].asInt(), 6);
    EXPECT_EQ(light["speed"].asInt(), 3);
    EXPECT_EQ(light["direction"].asString(), "forward");
}

TEST(PadHeadsetLightTest, HeadsetLightingIsReadAndWritten) {
    VestractlHome home;
    ASSERT_EQ(home.Run("--demo=headset light set --color 00ff80 --brightness 2").exitCode, 0);
    const Json::Value light = home.RunJson("--demo=headset --json light get")["light"];
    EXPECT_EQ(light["color"].asString(), "00ff80");
    EXPECT_EQ(light["brightness"].asInt(), 2);
    EXPECT_EQ(home.Run("--demo=headset light set --mode 99").exitCode, 2);
}

}  // namespace
}  // namespace vestra::test
