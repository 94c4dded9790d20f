// `info` and `settings` end to end: the built vestractl against the emulated products.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "VestractlRun.h"

namespace vestra::test {
namespace {

// Each test gets its own data folder, so the emulator state starts from the factory.
class InfoSettingsTest : public ::testing::Test {
protected:
    VestractlHome m_home;
};

std::vector<uint8_t> Bytes(const Json::Value& hex) {
    std::vector<uint8_t> bytes;
    std::istringstream in(hex.asString());
    unsigned value;
    while (in >> std::hex >> value) bytes.push_back(static_cast<uint8_t>(value));
    return bytes;
}

TEST_F(InfoSettingsTest, SelectionRules) {
    struct Case {
        const char* arguments;
        int exitCode;
        const char* errorPart;  // in stderr; empty: the command succeeded
    };
    for (Case c : {
             Case{"--demo info", 2, "several devices are connected (keyboard (slot 0), mouse"},
             Case{"--demo --device trackball info", 2, "unknown device 'trackball'"},
             Case{"--demo=keyboard --device mouse settings", 1, "no mouse is connected"},
             Case{"--demo=keyboard --device 11 info", 1, "no supported interface holds slot 11"},
             Case{"--demo=keyboard info extra", 2, "takes no arguments"},
             Case{"--demo=keyboard,keyboard-receiver info", 0, ""},  // one product, two links
             Case{"--demo=pad,headset --device headset settings", 0, ""},
         }) {
        const VestractlRun run = m_home.Run(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.err;
        if (*c.errorPart) {
            EXPECT_NE(run.err.find(c.errorPart), std::string::npos) << c.arguments << "\n"
                                                                    << run.err;
            EXPECT_TRUE(run.out.empty()) << c.arguments;
        }
    }
}

TEST_F(InfoSettingsTest, SelectionPrefersTheCableAndMapsNotificationSlots) {
    const VestractlRun both = m_home.Run("--demo=keyboard,keyboard-receiver --json info");
    ASSERT_EQ(both.exitCode, 0) << both.err;
    const Json::Value bothJson = VestractlHome::Parse(both.out);
    EXPECT_EQ(bothJson["device"]["link"].asString(), "cable");

    // Slot 3 is the receiver's notification collection: its command interface answers.
    const VestractlRun bySlot = m_home.Run("--demo=keyboard-receiver --device 3 --json info");
    ASSERT_EQ(bySlot.exitCode, 0) << bySlot.err;
    const Json::Value bySlotJson = VestractlHome::Parse(bySlot.out);
    EXPECT_EQ(bySlotJson["device"]["slot"].asUInt(), 2u);
    EXPECT_EQ(bySlotJson["device"]["productCode"].asInt(), 9);
    EXPECT_EQ(bySlotJson["power"]["wireless"].asInt(), 1);  // the host's link, not the device's
}

TEST_F(InfoSettingsTest, InfoShowsWhatEachProductHas) {
    struct Case {
        const char* product;
        bool info;
        bool power;
    };
    for (Case c : {Case{"keyboard", true, true}, Case{"mouse-receiver", true, false},
                   Case{"pad", true, false}, Case{"headset", false, true}}) {
        const VestractlRun run = m_home.Run(std::string("--demo=") + c.product + " --json info");
        ASSERT_EQ(run.exitCode, 0) << c.product << "\n" << run.err;
        const Json::Value json = VestractlHome::Parse(run.out);
        EXPECT_EQ(json.isMember("info"), c.info) << c.product;
        EXPECT_EQ(json.isMember("power"), c.power) << c.product;
        if (c.info) {
            const Json::Value& info = json["info"];
            std::vector<uint8_t> raw = Bytes(info["raw"]);
            ASSERT_EQ(raw.size(), 34u) << c.product;
            EXPECT_EQ(info["keyCount"].asUInt(), raw[5]) << c.product;
            EXPECT_EQ(info["macroCapacityBytes"].asUInt(), raw[6] * 128u) << c.product;
            EXPECT_EQ(info.isMember("sensorCode"), std::string(c.product) == "mouse-receiver");
        }
        if (c.power) {
            std::vector<uint8_t> raw = Bytes(json["power"]["raw"]);
            ASSERT_EQ(raw.size(), 6u) << c.product;
            EXPECT_EQ(json["power"]["batteryPercent"].asUInt(), raw[0]) << c.product;
            EXPECT_EQ(json["power"]["wireless"].asInt(), 0) << c.product;
        }
    }

    const VestractlRun text = m_home.Run("--demo=mouse-receiver info");
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("mouse (receiver), slot 6: emu:mouse-receiver#"), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Information block\n  key count"), std::string::npos) << text.out;
}

TEST_F(InfoSettingsTest, SettingsDecodeTheRecordOfTheActiveSlot) {
    const VestractlRun keyboard = m_home.Run("--demo=keyboard --json settings");
    ASSERT_EQ(keyboard.exitCode, 0) << keyboard.err;
    const Json::Value keyboardJson = VestractlHome::Parse(keyboard.out);
    const Json::Value& k = keyboardJson["settings"];
    std::vector<uint8_t> raw = Bytes(k["raw"]);
    ASSERT_EQ(raw.size(), 27u);
    EXPECT_EQ(keyboardJson["activeSlot"].asUInt(), raw[0]);
    EXPECT_EQ(k["modeCode"].asUInt(), raw[1]);
    EXPECT_EQ(k["speed"].asUInt(), 4u - raw[3]);
    EXPECT_EQ(k["winLock"].asUInt(), raw[22]);
    EXPECT_EQ(k["customGroup"].asUInt(), raw[26]);

    const VestractlRun mouse = m_home.Run("--demo=mouse --json settings");
    ASSERT_EQ(mouse.exitCode, 0) << mouse.err;
    const Json::Value mouseJson = VestractlHome::Parse(mouse.out);
    const Json::Value& m = mouseJson["settings"];
    raw = Bytes(m["raw"]);
    ASSERT_EQ(raw.size(), 62u);
    EXPECT_EQ(m["pollingIndex"].asUInt(), raw[11]);
    ASSERT_EQ(m["stages"].size(), 4u);
    for (unsigned i = 0; i < 4; ++i) {
        const uint8_t* stage = &raw[14 + 9 * i];
        EXPECT_EQ(m["stages"][i]["dpiX"].asUInt(), stage[2] | (stage[3] << 8)) << i;
    }

    const VestractlRun headset = m_home.Run("--demo=headset --json settings");
    ASSERT_EQ(headset.exitCode, 0) << headset.err;
    const Json::Value headsetJson = VestractlHome::Parse(headset.out);
    EXPECT_EQ(Bytes(headsetJson["settings"]["extra"]).size(), 12u);
}

}  // namespace
}  // namespace vestra::test
