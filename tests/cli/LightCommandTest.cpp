// `vestractl light` end to end on the emulated keyboard.
#include <gtest/gtest.h>

#include "VestractlRun.h"

namespace vestra::test {
namespace {

TEST(LightCommandTest, SetWritesTheProfileAndTheKeyboard) {
    VestractlHome home;
    const VestractlRun set = home.Run(
        "--demo=keyboard light set --mode 3 --brightness 2 --speed 1 --direction backward "
        "--color ff8000 --multicolor off");
    ASSERT_EQ(set.exitCode, 0) << set.err;

    // The keyboard's own record, read back through another command.
    const Json::Value settings = home.RunJson("--demo=keyboard --json settings")["settings"];
    EXPECT_EQ(settings["brightness"].asInt(), 2);
    EXPECT_EQ(settings["speed"].asInt(), 1);
    EXPECT_EQ(settings["direction"].asInt(), 0);
    EXPECT_EQ(settings["multiColor"].asInt(), 0);
    EXPECT_EQ(settings["red"].asInt(), 0xff);
    EXPECT_EQ(settings["green"].asInt(), 0x80);
    EXPECT_EQ(settings["blue"].asInt(), 0x00);

    const Json::Value light = home.RunJson("--demo=keyboard --json light get")["light"];
    EXPECT_EQ(light["mode"].asInt(), 3);
    EXPECT_EQ(light["brightness"].asInt(), 2);
    EXPECT_EQ(light["speed"].asInt(), 1);
    EXPECT_EQ(light["direction"].asString(), "backward");
    EXPECT_FALSE(light["multicolor"].asBool());
    EXPECT_EQ(light["color"].asString(), "ff8000");

    // Options left out keep their values.
    ASSERT_EQ(home.Run("--demo=keyboard light set --brightness 4").exitCode, 0);
    const Json::Value again = home.RunJson("--demo=keyboard --json light get")["light"];
    EXPECT_EQ(again["brightness"].asInt(), 4);
    EXPECT_EQ(again["color"].asString(), "ff8000");
}

TEST(LightCommandTest, BadValuesChangeNothing) {
    VestractlHome home;
    ASSERT_EQ(home.Run("--demo=keyboard list").exitCode, 0);
    const std::string before = home.EmulatorRegion("keyboard", "Settings");
    for (const char* options :
         {"--brightness 5", "--speed -1", "--direction left", "--color fff", "--color gg0000",
          "--multicolor yes", "--mode 999", "--glow 1", "--brightness"}) {
        const VestractlRun run = home.Run(std::string("--demo=keyboard light set ") + options);
        EXPECT_EQ(run.exitCode, 2) << options;
        EXPECT_FALSE(run.err.empty()) << options;
    }
    EXPECT_EQ(home.EmulatorRegion("keyboard", "Settings"), before);
}

}  // namespace
}  // namespace vestra::test
