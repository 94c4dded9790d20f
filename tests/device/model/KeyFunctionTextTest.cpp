// The readable key functions against the byte codes, both ways.
#include <gtest/gtest.h>

#include <vector>

#include "device/model/KeyFunctionText.h"
#include "device/model/KeyNames.h"

namespace vestra {
namespace {

using protocol::KeyCode;

constexpr KeyCode kDefaultOfA{0x20, 0x00, 0x04};

struct RoundTrip {
    const char* text;  // as typed
    KeyCode code;
    const char* shown;  // as KeyFunctionText gives it back; null: same as typed
};

// Each text parses to the code, and the code reads back as the canonical text.
const RoundTrip kRoundTrips[] = {
    {"key:B", {0x20, 0x00, 0x05}, nullptr},
    {"key:LCtrl+C", {0x20, 0x01, 0x06}, nullptr},
    {"key:ctrl+c", {0x20, 0x01, 0x06}, "key:LCtrl+C"},
    {"key:LShift", {0x20, 0x02, 0x00}, nullptr},
    {"key:RAlt+LCtrl+F5", {0x20, 0x41, 0x3E}, "key:LCtrl+RAlt+F5"},
    {"key:Escape", {0x20, 0x00, 0x29}, "key:Esc"},
    {"key:KP0", {0x20, 0x00, 0x62}, nullptr},
    {"key:none", {0x20, 0x00, 0x00}, nullptr},
    {"key:0x87", {0x20, 0x00, 0x87}, "key:Intl1"},
    {"mouse:left", {0x10, 0x01, 0x00}, nullptr},
    {"mouse:middle", {0x10, 0x04, 0x00}, nullptr},
    {"mouse:forward", {0x10, 0x10, 0x00}, nullptr},
    {"wheel:up:3", {0x12, 0x00, 0x03}, nullptr},
    {"wheel:down:3", {0x12, 0x00, 0xFD}, nullptr},
    {"wheel:down:128", {0x12, 0x00, 0x80}, nullptr},
    {"wheel:up:5:delay=2:speed=7", {0x12, 0x27, 0x05}, nullptr},
    {"swing:1:3", {0x11, 0x00, 0x83}, nullptr},
    {"swing:0:127:speed=15", {0x11, 0x0F, 0x7F}, nullptr},
    {"dpi:2", {0x13, 0x02, 0x00}, nullptr},
    {"fire:30:5", {0x14, 30, 5}, nullptr},
    {"media:volume-up", {0x30, 0xE9, 0x00}, nullptr},
    {"media:calculator", {0x30, 0x92, 0x01}, nullptr},
    {"media:0x0456", {0x30, 0x56, 0x04}, nullptr},
    {"system:3", {0x40, 0x04, 0x00}, nullptr},
    {"macro:4", {0x70, 4, 0}, nullptr},
    {"macro:4:mode=2", {0x70, 4, 2}, nullptr},
    {"macro:7:repeat=10", {0x71, 7, 0x0A}, nullptr},
    {"gun:2", {0x72, 2, 0}, nullptr},
    {"20,00,05", {0x20, 0x00, 0x05}, "key:B"},
    {"a0,1b,00", {0xA0, 0x1B, 0x00}, nullptr},
    {"0xD0,0xA2,0x01", {0xD0, 0xA2, 0x01}, "d0,a2,01"},
};

TEST(KeyFunctionTextTest, TextsAndCodesRoundTrip) {
    for (const RoundTrip& row : kRoundTrips) {
        SCOPED_TRACE(row.text);
        const KeyFunctionParse parsed = ParseKeyFunction(row.text, kDefaultOfA);
        ASSERT_TRUE(parsed.code) << parsed.error;
        EXPECT_EQ(*parsed.code, row.code);
        EXPECT_EQ(KeyFunctionText(row.code), row.shown ? row.shown : row.text);
    }
}

TEST(KeyFunctionTextTest, DefaultIsTheKeysOwnCode) {
    const KeyFunctionParse parsed = ParseKeyFunction("Default", kDefaultOfA);
    ASSERT_TRUE(parsed.code);
    EXPECT_EQ(*parsed.code, kDefaultOfA);
}

TEST(KeyFunctionTextTest, CodesNoFormCoversReadAsRawBytes) {
    EXPECT_EQ(KeyFunctionText({0x10, 0x03, 0x00}), "10,03,00");  // two buttons at once
    EXPECT_EQ(KeyFunctionText({0x13, 0x04, 0x00}), "13,04,00");
    EXPECT_EQ(KeyFunctionText({0x40, 0x03, 0x00}), "40,03,00");
    EXPECT_EQ(KeyFunctionText({0x70, 1, 4}), "70,01,04");  // play mode 4 is stored as 0x71
    EXPECT_EQ(KeyFunctionText({0x00, 0x00, 0x00}), "00,00,00");
}

// The build rules as the key panel applies them to its edits.
TEST(KeyFunctionTextTest, PanelBuildRulesCutFieldsToTheirWidth) {
    EXPECT_EQ(SwingCode(20, 0, 1, 3), (KeyCode{0x11, 0x40, 0x83}));  // delay keeps its low bits
    EXPECT_EQ(WheelCode(0, 0, 1, 3), (KeyCode{0x12, 0x00, 0xFD}));
    EXPECT_EQ(WheelCode(1, 2, 0, 200), (KeyCode{0x12, 0x12, 200 & 0x7F}));
    EXPECT_EQ(SwingCode(0, 0, 0, 130), (KeyCode{0x11, 0x00, 0x02}));
}

TEST(KeyFunctionTextTest, RefusesWhatNamesNoFunction) {
    const char* kBad[] = {
        "",
        "key:",
        "key:Q+W",
        "key:Nokey",
        "mouse:side",
        "wheel:up",
        "wheel:left:3",
        "wheel:up:128",
        "wheel:down:0",
        "swing:2:3",
        "swing:1:3:delay=20",
        "wheel:up:3:pace=1",
        "dpi:0",
        "dpi:4",
        "fire:1",
        "fire:256:1",
        "media:loud",
        "system:4",
        "macro:",
        "macro:50",
        "macro:1:mode=4",
        "macro:1:repeat=256",
        "macro:1:mode=1:repeat=2",
        "gun:x",
        "20,00",
        "20,00,100",
        "teleport:1",
    };
    for (const char* text : kBad) {
        const KeyFunctionParse parsed = ParseKeyFunction(text, kDefaultOfA);
        EXPECT_FALSE(parsed.code) << text;
        EXPECT_FALSE(parsed.error.empty()) << text;
    }
}

std::vector<KeyAssignmentPair> KeysWithDefaults(std::initializer_list<KeyCode> defaults) {
    std::vector<KeyAssignmentPair> keys;
    uint16_t index = 0;
    for (const KeyCode& code : defaults) {
        KeyAssignmentPair pair{};
        pair.current.keyIndex = pair.defaults.keyIndex = index++;
        pair.defaults.code[0] = pair.current.code[0] = code.type;
        pair.defaults.code[1] = pair.current.code[1] = code.value1;
        pair.defaults.code[2] = pair.current.code[2] = code.value2;
        keys.push_back(pair);
    }
    return keys;
}

TEST(KeyNamesTest, PositionsAreNamedAfterTheirDefaultKey) {
    const std::vector<KeyAssignmentPair> keys = KeysWithDefaults({
        {0x20, 0x00, 0x29},  // Esc
        {0x20, 0x00, 0x00},  // no key: unnamed
        {0xA0, 0x1B, 0x00},  // not a keyboard key: unnamed
        {0x20, 0x01, 0x00},  // left Ctrl
        {0x20, 0x00, 0x04},  // A
    });
    EXPECT_EQ(PositionName(keys, 0), "Esc");
    EXPECT_EQ(PositionName(keys, 1), "");
    EXPECT_EQ(PositionName(keys, 2), "");
    EXPECT_EQ(PositionName(keys, 3), "LCtrl");
    EXPECT_EQ(PositionName(keys, 9), "");

    EXPECT_EQ(FindPosition(keys, "a"), 4u);
    EXPECT_EQ(FindPosition(keys, "escape"), 0u);
    EXPECT_EQ(FindPosition(keys, "Ctrl"), 3u);
    EXPECT_EQ(FindPosition(keys, "2"), 2u);
    EXPECT_FALSE(FindPosition(keys, "5"));
    EXPECT_FALSE(FindPosition(keys, "F1"));
    EXPECT_FALSE(FindPosition(keys, ""));
}

}  // namespace
}  // namespace vestra
