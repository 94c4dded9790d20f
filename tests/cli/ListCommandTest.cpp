// `vestractl list` end to end, on this machine's devices and on the emulated products.
#include <gtest/gtest.h>

#include <string>

#include "VestractlRun.h"

namespace vestra::test {
namespace {

// Whatever this machine has plugged in (often nothing, or no hidraw at all), the JSON form
// is a complete document and agrees with the text form.
TEST(ListCommand, JsonListsEveryFoundInterfaceWithItsIdentity) {
    const VestractlHome home;
    const VestractlRun run = home.Run("--json list");
    ASSERT_EQ(run.exitCode, 0) << run.out;

    const Json::Value root = VestractlHome::Parse(run.out);
    ASSERT_FALSE(root.isNull()) << run.out;
    ASSERT_TRUE(root["devices"].isArray());
    ASSERT_TRUE(root["unopenable"].isArray());
    for (const Json::Value& device : root["devices"]) {
        EXPECT_TRUE(device["slot"].isUInt());
        EXPECT_TRUE(device["productCode"].isInt());
        EXPECT_TRUE(device["product"].isString());
        EXPECT_TRUE(device["link"].asString() == "cable" ||
                    device["link"].asString() == "receiver");
        EXPECT_TRUE(device["path"].isString());
    }

    const VestractlRun text = home.Run("list");
    EXPECT_EQ(text.exitCode, 0);
    const bool nothing = root["devices"].empty() && root["unopenable"].empty();
    EXPECT_EQ(text.out == "No supported device is connected.\n", nothing) << text.out;
}

// The emulated products enumerate like real ones, so this runs the whole discovery pass:
// candidates, probe opens, claims by usage, receiver and headset rows.
TEST(ListCommand, EmulatedProductsClaimTheirSlots) {
    const VestractlHome home;
    const VestractlRun run = home.Run("--demo=keyboard,mouse-receiver,headset --json list");
    ASSERT_EQ(run.exitCode, 0) << run.out;

    const Json::Value root = VestractlHome::Parse(run.out);
    ASSERT_FALSE(root.isNull()) << run.out;
    struct Expected {
        unsigned slot;
        int productCode;
        const char* product;
        const char* link;
        const char* role;
    };
    const Expected expected[] = {
        {0, 1, "keyboard", "cable", "configuration"}, {1, 1, "keyboard", "cable", "notification"},
        {6, 6, "mouse", "receiver", "configuration"}, {7, 6, "mouse", "receiver", "notification"},
        {10, 7, "headset", "cable", "configuration"},
    };
    const Json::Value& devices = root["devices"];
    ASSERT_EQ(devices.size(), std::size(expected)) << run.out;
    for (Json::ArrayIndex i = 0; i < devices.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(devices[i]["slot"].asUInt(), expected[i].slot);
        EXPECT_EQ(devices[i]["productCode"].asInt(), expected[i].productCode);
        EXPECT_EQ(devices[i]["product"].asString(), expected[i].product);
        EXPECT_EQ(devices[i]["link"].asString(), expected[i].link);
        EXPECT_EQ(devices[i]["role"].asString(), expected[i].role);
        EXPECT_FALSE(devices[i]["path"].asString().empty());
    }
    EXPECT_TRUE(root["unopenable"].empty());

    const VestractlRun text = home.Run("--demo=pad list");
    EXPECT_EQ(text.exitCode, 0);
    EXPECT_NE(text.out.find("pad (3)"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("notification"), std::string::npos) << text.out;
}

}  // namespace
}  // namespace vestra::test
